#include "platform/win/system_modules.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string>

#include "platform/win/common_controls.h"
#include "platform/win/resources.h"
#include "platform/win/system_info.h"

namespace StandIn {

HRESULT BuiltinDllGetVersion(DLLVERSIONINFO* info);
BOOL BuiltinIsAppThemed();
BOOL BuiltinIsThemeActive();
HTHEME BuiltinOpenThemeData(HWND window, LPCWSTR classList);
HRESULT BuiltinCloseThemeData(HTHEME theme);
HRESULT BuiltinSetWindowTheme(HWND window, LPCWSTR appName, LPCWSTR idList);

namespace {

struct Export {
  const char* name;
  FARPROC function;
};

struct BuiltinModule {
  const wchar_t* fileName;
  bool (*present)();
  std::vector<Export> exports;
  HMODULE instance = nullptr;
  int loads = 0;
};

std::vector<BuiltinModule>& modules() {
  static std::vector<BuiltinModule> list = {
      {L"comctl32.dll",
       [] { return System().commonControlsPresent; },
       {{"DllGetVersion", reinterpret_cast<FARPROC>(&BuiltinDllGetVersion)}}},
      {L"uxtheme.dll",
       [] { return System().themeLibraryPresent; },
       {{"IsAppThemed", reinterpret_cast<FARPROC>(&BuiltinIsAppThemed)},
        {"IsThemeActive", reinterpret_cast<FARPROC>(&BuiltinIsThemeActive)},
        {"OpenThemeData", reinterpret_cast<FARPROC>(&BuiltinOpenThemeData)},
        {"CloseThemeData", reinterpret_cast<FARPROC>(&BuiltinCloseThemeData)},
        {"SetWindowTheme", reinterpret_cast<FARPROC>(&BuiltinSetWindowTheme)}}},
  };
  return list;
}

std::wstring FileNameOf(LPCWSTR path) {
  std::wstring name(path);
  size_t slash = name.find_last_of(L"/\\");
  if (slash != std::wstring::npos) name = name.substr(slash + 1);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return name;
}

BuiltinModule* ByInstance(HMODULE module) {
  if (!module) return nullptr;
  for (BuiltinModule& m : modules())
    if (m.instance == module) return &m;
  return nullptr;
}

}  // namespace

HMODULE LoadBuiltinModule(LPCWSTR path) {
  if (!path) return nullptr;
  std::wstring name = FileNameOf(path);
  for (BuiltinModule& m : modules()) {
    if (name != m.fileName) continue;
    if (!m.present()) return nullptr;
    if (!m.instance) m.instance = RegisterModuleInstance(m.fileName, nullptr);
    ++m.loads;
    return m.instance;
  }
  return nullptr;
}

bool IsBuiltinFileName(LPCWSTR path) {
  if (!path) return false;
  std::wstring name = FileNameOf(path);
  for (BuiltinModule& m : modules())
    if (name == m.fileName) return true;
  return false;
}

bool IsBuiltinModule(HMODULE module) { return ByInstance(module) != nullptr; }

FARPROC BuiltinProcAddress(HMODULE module, LPCSTR name) {
  BuiltinModule* m = ByInstance(module);
  if (!m || !name) return nullptr;
  for (const Export& e : m->exports)
    if (std::strcmp(e.name, name) == 0) return e.function;
  return nullptr;
}

bool FreeBuiltinModule(HMODULE module) {
  BuiltinModule* m = ByInstance(module);
  if (!m) return false;
  if (m->loads > 0) --m->loads;
  return true;
}

}  // namespace StandIn
