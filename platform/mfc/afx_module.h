// MFC module state, extension modules and the resource chain through which an extension
// module's dialogs and strings are found; MFC's exception classes.
#pragma once
#include <list>

#include "platform/win/resources.h"
#include "platform/win/win32_types.h"

class CDynLinkLibrary;

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized = FALSE;
  HMODULE hModule = nullptr;
  HMODULE hResource = nullptr;
};

struct AFX_MODULE_STATE {
  HINSTANCE m_hCurrentResourceHandle = nullptr;
  std::list<CDynLinkLibrary*> m_libraryList;  // the resource chain, newest first
};

AFX_MODULE_STATE* AfxGetModuleState();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE instance);

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
// Removes the module's CDynLinkLibrary objects from the chain and deletes them.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

// Adds an extension module to the application's resource chain; MFC owns it.
class CDynLinkLibrary {
public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = FALSE);
  virtual ~CDynLinkLibrary();
  HMODULE m_hModule;
  HMODULE m_hResource;
  BOOL m_bSystem;
};

// The chain in MFC's order: the current resource handle, then each library.
HINSTANCE AfxFindStringResourceHandle(UINT id);
HINSTANCE AfxFindDialogResourceHandle(UINT id);
HINSTANCE AfxFindIconResourceHandle(UINT id);
int LiveDynLinkLibraries();

class CException {
public:
  virtual ~CException() = default;
  void Delete() { delete this; }
};
