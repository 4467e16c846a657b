// The module's face towards the loader and the host: the library entry that joins the
// host's MFC resource chain, the two exported entry points and the command registration.
#pragma once
#include "extraction/extension_module.h"
#include "platform/host/rx_class.h"

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
