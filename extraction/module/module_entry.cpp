#include "extraction/module/module_entry.h"

#include "platform/host/doc_manager.h"

namespace {

const wchar_t kCommandGroup[] = L"OVX_DATA_EXTRACT";

template <typename Service>
Service* lookUpService(const wchar_t* key) {
  return Service::cast(ovrxSysRegistry()->at(key));
}

}  // namespace

ModuleResourceOverride::ModuleResourceOverride() { ovDocManagerPtr()->pushResourceHandle(extensionModule().instance); }

ModuleResourceOverride::~ModuleResourceOverride() { ovDocManagerPtr()->popResourceHandle(); }

void registerCommands() {
  ModuleResourceOverride resources;
  if (auto* commands = lookUpService<OvEdCommandStack>(L"OVIS_REGISTERED_COMMANDS")) {
    commands->addCommand(kCommandGroup, L"DATAEXTRACTION", L"DATAEXTRACTION", 0, CmdDataExtraction, nullptr, -1,
                         extensionModule().instance, nullptr);
  }
  if (auto* commands = lookUpService<OvEdCommandStack>(L"OVIS_REGISTERED_COMMANDS")) {
    commands->addCommand(kCommandGroup, L"DATAEXTRACTIONUPDATE", L"DATAEXTRACTIONUPDATE", 1, CmdDataExtractionUpdate,
                         nullptr, -1, nullptr, nullptr);
  }
}

void unregisterCommands() {
  if (auto* commands = lookUpService<OvEdCommandStack>(L"OVIS_REGISTERED_COMMANDS"))
    commands->removeGroup(kCommandGroup);
}

extern "C" {

BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) extensionModule().attachInstance(instance);
  else if (reason == DLL_PROCESS_DETACH) extensionModule().detachInstance();
  return TRUE;
}

int ovrxEntryPoint(int message, void* appId) {
  if (message == kMessageInitApplication) {
    if (auto* linker = lookUpService<OvRxDynamicLinker>(L"DynamicLinker")) {
      linker->registerApplication(appId);
      linker->registerApplicationMdiAware(appId);
    }
    registerCommands();
  } else if (message == kMessageUnloadApplication) {
    unregisterCommands();
  }
  return 0;
}

unsigned ovrxGetApiVersion() { return kHostApiVersion; }

}  // extern "C"
