// System metrics and colours, the Windows version and the configurable answers of the
// built-in system modules ("comctl32.dll" and "UxTheme.dll").
#pragma once
#include <string>

#include "platform/win/window_types.h"

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SM_CXDRAG 68
#define SM_CYDRAG 69
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37
#define SM_CXMENUCHECK 71
#define SM_CYMENUCHECK 72

#define COLOR_WINDOW 5
#define COLOR_WINDOWTEXT 8
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_BTNSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_HOTLIGHT 26

// Metrics: screen 1920 x 1080, borders 1, edges 2, scroll bars 17, icons 32 and small
// icons 16, drag threshold 4, menu check 15, caption 23. Colours as the classic scheme.
int GetSystemMetrics(int index);
DWORD GetSysColor(int index);

// Versions.
struct OSVERSIONINFOEXW {
  DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  WCHAR szCSDVersion[128] = {};
  WORD wServicePackMajor = 0;
  WORD wServicePackMinor = 0;
  WORD wSuiteMask = 0;
  BYTE wProductType = 0;
  BYTE wReserved = 0;
};
#define VER_MINORVERSION 0x0000001
#define VER_MAJORVERSION 0x0000002
#define VER_SERVICEPACKMAJOR 0x0000020
#define VER_EQUAL 1
#define VER_GREATER 2
#define VER_GREATER_EQUAL 3
#define VER_LESS 4
#define VER_LESS_EQUAL 5
ULONGLONG VerSetConditionMask(ULONGLONG mask, DWORD typeBit, BYTE condition);
// Compares the stand-in's version (major, minor, service pack) with the given one.
BOOL VerifyVersionInfoW(OSVERSIONINFOEXW* info, DWORD typeMask, ULONGLONG conditionMask);

namespace StandIn {
// The answers of the stand-in system; tests and the host program set them.
struct SystemConfiguration {
  DWORD windowsMajor = 6;  // Windows version reported by VerifyVersionInfoW
  DWORD windowsMinor = 1;
  bool commonControlsPresent = true;  // LoadLibraryW("comctl32.dll") succeeds
  DWORD commonControlsMajor = 6;      // its DllGetVersion answer
  DWORD commonControlsMinor = 10;
  bool themeLibraryPresent = true;  // LoadLibraryW("UxTheme.dll") succeeds
  bool appThemed = true;            // IsAppThemed
  bool themeActive = true;          // IsThemeActive
  bool themeDataAvailable = true;   // OpenThemeData answers a handle
  HRESULT setWindowThemeResult = S_OK;
};
SystemConfiguration& System();
void ResetSystemConfiguration();
// The application name last given to SetWindowTheme for a window (empty when none).
std::wstring WindowThemeOf(HWND window);
}  // namespace StandIn
