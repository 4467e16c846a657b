#include "platform/win/system_info.h"

#include <map>

#include "platform/win/common_controls.h"
#include "platform/win/gdi.h"
#include "platform/win/window_manager.h"

using namespace StandIn;

namespace {
SystemConfiguration& config() {
  static SystemConfiguration c;
  return c;
}
std::map<HWND, std::wstring>& themes() {
  static std::map<HWND, std::wstring> m;
  return m;
}
}  // namespace

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return 1920;
    case SM_CYSCREEN: return 1080;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 17;
    case SM_CYCAPTION: return 23;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 15;
    default: return 0;
  }
}

DWORD GetSysColor(int index) {
  switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_HOTLIGHT: return RGB(0, 102, 204);
    default: return 0;
  }
}

ULONGLONG VerSetConditionMask(ULONGLONG mask, DWORD typeBit, BYTE condition) {
  int slot = 0;
  for (DWORD bit = typeBit; bit > 1; bit >>= 1) ++slot;
  return mask | (static_cast<ULONGLONG>(condition & 7) << (slot * 3));
}

BOOL VerifyVersionInfoW(OSVERSIONINFOEXW* info, DWORD typeMask, ULONGLONG conditionMask) {
  if (!info) return FALSE;
  // Major and minor compare together as one version number, as Windows does.
  auto condition = [&](DWORD bit) {
    int slot = 0;
    for (DWORD b = bit; b > 1; b >>= 1) ++slot;
    return static_cast<int>((conditionMask >> (slot * 3)) & 7);
  };
  if (typeMask & (VER_MAJORVERSION | VER_MINORVERSION)) {
    long long mine = static_cast<long long>(config().windowsMajor) * 65536 +
                     ((typeMask & VER_MINORVERSION) ? config().windowsMinor : 0);
    long long wanted = static_cast<long long>(info->dwMajorVersion) * 65536 +
                       ((typeMask & VER_MINORVERSION) ? info->dwMinorVersion : 0);
    int c = condition((typeMask & VER_MAJORVERSION) ? VER_MAJORVERSION : VER_MINORVERSION);
    bool ok = c == VER_EQUAL           ? mine == wanted
              : c == VER_GREATER       ? mine > wanted
              : c == VER_GREATER_EQUAL ? mine >= wanted
              : c == VER_LESS          ? mine < wanted
              : c == VER_LESS_EQUAL    ? mine <= wanted
                                       : false;
    if (!ok) return FALSE;
  }
  if (typeMask & VER_SERVICEPACKMAJOR) {
    int c = condition(VER_SERVICEPACKMAJOR);
    if ((c == VER_GREATER_EQUAL || c == VER_GREATER) && info->wServicePackMajor > 0) return FALSE;
  }
  return TRUE;
}

SystemConfiguration& StandIn::System() { return config(); }
void StandIn::ResetSystemConfiguration() {
  config() = SystemConfiguration();
  themes().clear();
}
std::wstring StandIn::WindowThemeOf(HWND window) {
  auto it = themes().find(window);
  return it == themes().end() ? std::wstring() : it->second;
}

namespace StandIn {
// The exports of the built-in system modules.
HRESULT BuiltinDllGetVersion(DLLVERSIONINFO* info) {
  if (!info || info->cbSize < sizeof(DLLVERSIONINFO)) return E_INVALIDARG;
  info->dwMajorVersion = config().commonControlsMajor;
  info->dwMinorVersion = config().commonControlsMinor;
  info->dwBuildNumber = 7601;
  info->dwPlatformID = 2;
  return S_OK;
}
BOOL BuiltinIsAppThemed() { return config().appThemed ? TRUE : FALSE; }
BOOL BuiltinIsThemeActive() { return config().themeActive ? TRUE : FALSE; }
HTHEME BuiltinOpenThemeData(HWND window, LPCWSTR classList) {
  if (!config().themeDataAvailable || !IsWindow(window) || !classList) return nullptr;
  return reinterpret_cast<HTHEME>(window);
}
HRESULT BuiltinCloseThemeData(HTHEME) { return S_OK; }
HRESULT BuiltinSetWindowTheme(HWND window, LPCWSTR appName, LPCWSTR) {
  if (!IsWindow(window)) return E_INVALIDARG;
  HRESULT result = config().setWindowThemeResult;
  if (SUCCEEDED(result)) themes()[window] = appName ? appName : L"";
  return result;
}
}  // namespace StandIn
