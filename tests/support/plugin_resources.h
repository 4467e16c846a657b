// Joins the plug-in's resources to the MFC resource chain once per test program, the way
// the module's library entry does when the host loads it.
#pragma once
#include <cstdlib>

#include "extraction/extension_module.h"
#include "res/module_resources.h"

inline HINSTANCE attachPluginResources() {
  static HINSTANCE instance = [] {
    HINSTANCE h = RegisterModuleInstance(L"DataExtraction", OvxModuleResources());
    extensionModule().attachInstance(h);
    // Detached again at exit, before MFC's module state goes, so the library record it
    // made is freed rather than lost.
    std::atexit([] { extensionModule().detachInstance(); });
    return h;
  }();
  return instance;
}
