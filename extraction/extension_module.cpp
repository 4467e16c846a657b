#include "extraction/extension_module.h"

ExtensionModule& extensionModule() {
  static ExtensionModule module;
  return module;
}

BOOL ExtensionModule::attachInstance(HINSTANCE module) {
  if (attached) return FALSE;
  attached = AfxInitExtensionModule(extension, module);
  if (attached) {
    previousResource = AfxGetModuleState()->m_hCurrentResourceHandle;
    instance = module;
    new CDynLinkLibrary(extension, FALSE);  // owned by MFC's resource chain
  }
  return attached;
}

void ExtensionModule::detachInstance() {
  if (!attached) return;
  AfxTermExtensionModule(extension, FALSE);
  attached = FALSE;
}
