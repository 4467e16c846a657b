// The module's face towards the loader and the host: the library entry that joins the
// host's MFC resource chain, the two exported entry points and the command registration.
#pragma once
#include "platform/host/rx_class.h"
#include "platform/mfc/afx_module.h"

// The module-wide extension-module record, zero-filled at load.
struct ExtensionModule {
  BOOL attached = FALSE;
  HINSTANCE previousResource = nullptr;  // MFC's current resource handle at attach time
  HINSTANCE instance = nullptr;          // this module's own instance handle
  AFX_EXTENSION_MODULE extension;

  BOOL attachInstance(HINSTANCE module);
  void detachInstance();
};

ExtensionModule& extensionModule();

// Makes the module's resources current on the host's document manager for one scope.
class ModuleResourceOverride {
public:
  ModuleResourceOverride();
  ~ModuleResourceOverride();
  ModuleResourceOverride(const ModuleResourceOverride&) = delete;
  ModuleResourceOverride& operator=(const ModuleResourceOverride&) = delete;
};

void registerCommands();
void unregisterCommands();

// The two commands; each opens the first dialog of its command.
void CmdDataExtraction();
void CmdDataExtractionUpdate();

constexpr unsigned kHostApiVersion = 0x07E20000;
constexpr int kMessageInitApplication = 1;
constexpr int kMessageUnloadApplication = 2;

extern "C" {
BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
int ovrxEntryPoint(int message, void* appId);
unsigned ovrxGetApiVersion();
}
