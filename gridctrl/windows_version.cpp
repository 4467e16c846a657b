#include "gridctrl/windows_version.h"

namespace {

// The highest version that passed and the lowest that failed, so repeated questions do
// not ask the system again.
WORD highestPassed = 0;
WORD lowestFailed = 0xFFFF;

using DllGetVersionFunction = HRESULT (*)(DLLVERSIONINFO*);
using ThemeQueryFunction = BOOL (*)();

}  // namespace

bool IsWindowsVersionAtLeast(WORD version) {
  if (version <= highestPassed) return true;
  if (version >= lowestFailed) return false;
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  info.dwMajorVersion = HIBYTE(version);
  info.dwMinorVersion = LOBYTE(version);
  ULONGLONG condition = 0;
  condition = VerSetConditionMask(condition, VER_MAJORVERSION, VER_GREATER_EQUAL);
  condition = VerSetConditionMask(condition, VER_MINORVERSION, VER_GREATER_EQUAL);
  if (VerifyVersionInfoW(&info, VER_MAJORVERSION | VER_MINORVERSION, condition)) {
    highestPassed = version;
    return true;
  }
  lowestFailed = version;
  return false;
}

void ResetWindowsVersionCache() {
  highestPassed = 0;
  lowestFailed = 0xFFFF;
}

bool GetCommonControlsVersion() {
  HMODULE library = LoadLibraryW(L"comctl32.dll");
  if (!library) return false;
  bool six = false;
  auto getVersion = reinterpret_cast<DllGetVersionFunction>(GetProcAddress(library, "DllGetVersion"));
  if (getVersion) {
    DLLVERSIONINFO info{};
    info.cbSize = 20;
    if (SUCCEEDED(getVersion(&info))) six = info.dwMajorVersion >= 6;
  }
  FreeLibrary(library);
  return six;
}

bool AreVisualThemesActive() {
  HMODULE library = LoadLibraryW(L"UxTheme.dll");
  if (!library) return false;
  auto isAppThemed = reinterpret_cast<ThemeQueryFunction>(GetProcAddress(library, "IsAppThemed"));
  auto isThemeActive = reinterpret_cast<ThemeQueryFunction>(GetProcAddress(library, "IsThemeActive"));
  bool active = isAppThemed && isThemeActive && isAppThemed() && isThemeActive();
  FreeLibrary(library);
  return active && GetCommonControlsVersion();
}
