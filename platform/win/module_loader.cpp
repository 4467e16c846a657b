#include "platform/win/module_loader.h"

#include <dlfcn.h>

#include <map>

#include "platform/win/codepage.h"
#include "platform/win/on_failure.h"
#include "platform/win/resources.h"
#include "platform/win/system_modules.h"

namespace {
std::wstring g_loaderError;

// Modules loaded from a file, with how often each was loaded: a second load of the same
// image answers the same instance, and only the last free detaches and unloads it.
std::map<HINSTANCE, int>& loadCounts() {
  static std::map<HINSTANCE, int> counts;
  return counts;
}

HINSTANCE loadedInstanceOf(void* image) {
  for (const auto& [instance, count] : loadCounts())
    if (instance->image == image) return instance;
  return nullptr;
}
}  // namespace

std::wstring LastLoaderError() { return g_loaderError; }

HMODULE LoadLibraryW(LPCWSTR path) {
  if (!path) {
    g_loaderError = L"no module path";
    return nullptr;
  }
  if (StandIn::IsBuiltinFileName(path)) {  // system modules the stand-in answers for
    HMODULE builtin = StandIn::LoadBuiltinModule(path);
    g_loaderError = builtin ? L"" : L"the system module is not present";
    return builtin;
  }
  std::string narrow = WideToUtf8(path);
  void* image = dlopen(narrow.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!image) {
    const char* why = dlerror();
    std::wstring text;
    Utf8ToWide(why ? why : "cannot load module", text);
    g_loaderError = text;
    return nullptr;  // the module could not be found or loaded
  }
  if (HINSTANCE loaded = loadedInstanceOf(image)) {
    ++loadCounts()[loaded];  // the loader's own count went up with this dlopen too
    g_loaderError.clear();
    return loaded;
  }
  // A module that cannot be loaded whole, also for want of memory, is unloaded again.
  HINSTANCE instance = nullptr;
  auto entry = reinterpret_cast<DllMainFunction>(dlsym(image, "DllMain"));
  auto unload = [&] {
    if (instance) {
      loadCounts().erase(instance);
      if (entry) entry(instance, DLL_PROCESS_DETACH, nullptr);
      UnregisterModuleInstance(instance);
    }
    dlclose(image);
  };
  StandIn::OnFailure unloadOnFailure(unload);
  const ResourceBundle* resources = nullptr;
  if (auto getter = reinterpret_cast<ResourceBundleGetter>(dlsym(image, OVX_RESOURCE_SYMBOL))) resources = getter();
  instance = RegisterModuleInstance(path, resources, image);
  int& count = loadCounts()[instance];
  if (entry && !entry(instance, DLL_PROCESS_ATTACH, nullptr)) {
    // Said before the module goes: the text may ask for memory, and a failure then must
    // not leave it to the guard to unload the module a second time.
    g_loaderError = L"the module's initialisation failed";
    unload();
    return nullptr;
  }
  count = 1;
  g_loaderError.clear();
  return instance;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  if (StandIn::IsBuiltinModule(module)) return StandIn::BuiltinProcAddress(module, name);
  if (!module || !module->image || !name) return nullptr;
  return reinterpret_cast<FARPROC>(dlsym(module->image, name));
}

BOOL FreeLibrary(HMODULE module) {
  if (StandIn::FreeBuiltinModule(module)) return TRUE;
  auto loaded = loadCounts().find(module);
  if (loaded == loadCounts().end()) return FALSE;  // not loaded, or already freed
  void* image = module->image;
  if (--loaded->second > 0) return dlclose(image) == 0 ? TRUE : FALSE;
  loadCounts().erase(loaded);
  if (auto entry = reinterpret_cast<DllMainFunction>(dlsym(image, "DllMain")))
    entry(module, DLL_PROCESS_DETACH, nullptr);
  UnregisterModuleInstance(module);
  return dlclose(image) == 0 ? TRUE : FALSE;
}
