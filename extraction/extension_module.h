// The module-wide extension-module record: the library entry joins the host's MFC resource
// chain through it, and the pages find the module's own resources by its instance handle.
#pragma once
#include "platform/mfc/afx_module.h"

// The record itself, zero-filled at load.
struct ExtensionModule {
  BOOL attached = FALSE;
  HINSTANCE previousResource = nullptr;  // MFC's current resource handle at attach time
  HINSTANCE instance = nullptr;          // this module's own instance handle
  AFX_EXTENSION_MODULE extension;

  BOOL attachInstance(HINSTANCE module);
  void detachInstance();
};

ExtensionModule& extensionModule();
