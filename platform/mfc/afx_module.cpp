#include "platform/mfc/afx_module.h"

#include <algorithm>
#include <string>

namespace {
int g_liveLibraries = 0;

template <typename Has>
HINSTANCE findInChain(Has has) {
  AFX_MODULE_STATE* state = AfxGetModuleState();
  if (state->m_hCurrentResourceHandle && has(state->m_hCurrentResourceHandle)) return state->m_hCurrentResourceHandle;
  for (CDynLinkLibrary* library : state->m_libraryList) {
    if (library->m_hResource && has(library->m_hResource)) return library->m_hResource;
  }
  return state->m_hCurrentResourceHandle;
}
}  // namespace

AFX_MODULE_STATE* AfxGetModuleState() {
  static AFX_MODULE_STATE state = [] {
    AFX_MODULE_STATE s;
    s.m_hCurrentResourceHandle = GetModuleHandleW(nullptr);
    return s;
  }();
  return &state;
}

HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }
void AfxSetResourceHandle(HINSTANCE instance) { AfxGetModuleState()->m_hCurrentResourceHandle = instance; }

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module) {
  if (!module) return FALSE;
  if (state.bInitialized) return TRUE;
  state.hModule = module;
  state.hResource = module;
  state.bInitialized = TRUE;
  return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all) {
  if (!state.hModule) return;
  auto& chain = AfxGetModuleState()->m_libraryList;
  // Asks for no memory, so that a module's unloading cannot fail half way.
  for (auto next = chain.begin(); next != chain.end();) {
    CDynLinkLibrary* library = *next++;
    if (all || library->m_hModule == state.hModule) delete library;  // it takes itself off the chain
  }
  state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(system) {
  AfxGetModuleState()->m_libraryList.push_front(this);
  ++g_liveLibraries;
}

CDynLinkLibrary::~CDynLinkLibrary() {
  AfxGetModuleState()->m_libraryList.remove(this);
  --g_liveLibraries;
}

int LiveDynLinkLibraries() { return g_liveLibraries; }

HINSTANCE AfxFindStringResourceHandle(UINT id) {
  return findInChain([id](HINSTANCE h) {
    std::wstring text;
    return LoadStringResource(h, id, text);
  });
}

HINSTANCE AfxFindDialogResourceHandle(UINT id) {
  return findInChain([id](HINSTANCE h) { return FindDialogResource(h, id) != nullptr; });
}

HINSTANCE AfxFindIconResourceHandle(UINT id) {
  return findInChain([id](HINSTANCE h) { return FindIconResource(h, id) != nullptr; });
}
