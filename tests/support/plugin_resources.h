// Joins the plug-in's resources to the MFC resource chain once per test program, the way
// the module's library entry does when the host loads it.
#pragma once
#include "extraction/module_entry.h"
#include "res/module_resources.h"

inline HINSTANCE attachPluginResources() {
  static HINSTANCE instance = [] {
    HINSTANCE h = RegisterModuleInstance(L"DataExtraction", OvxModuleResources());
    extensionModule().attachInstance(h);
    return h;
  }();
  return instance;
}
