#include "platform/host/doc_manager.h"

#include "platform/mfc/afx_module.h"

Ovis::ErrorStatus OvApDocManager::pushResourceHandle(HINSTANCE instance) {
  saved_.push_back(AfxGetResourceHandle());
  AfxSetResourceHandle(instance);
  return Ovis::eOk;
}

Ovis::ErrorStatus OvApDocManager::popResourceHandle() {
  if (saved_.empty()) return Ovis::eInvalidInput;
  AfxSetResourceHandle(saved_.back());
  saved_.pop_back();
  return Ovis::eOk;
}

OvApDocManager* ovDocManagerPtr() {
  static OvApDocManager manager;
  return &manager;
}

namespace {
HWND g_mainWindow = nullptr;
}

HWND vusw_ovisMainWnd() { return g_mainWindow; }
void SetHostMainWindow(HWND window) { g_mainWindow = window; }
