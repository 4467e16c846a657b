// System modules the stand-in answers for by name: LoadLibraryW("comctl32.dll") or
// LoadLibraryW("UxTheme.dll") gives a built-in module whose exports GetProcAddress
// finds (DllGetVersion; IsAppThemed, IsThemeActive, OpenThemeData, CloseThemeData,
// SetWindowTheme). Whether each is present is a setting (StandIn::System()).
#pragma once
#include "platform/win/win32_types.h"

namespace StandIn {
// The built-in module for a file name (any directory, any letter case), loaded once more;
// null when the name is not built in or the module is configured absent.
HMODULE LoadBuiltinModule(LPCWSTR path);
bool IsBuiltinModule(HMODULE module);
// The file name is one the stand-in answers for (whether or not it is configured present).
bool IsBuiltinFileName(LPCWSTR path);
FARPROC BuiltinProcAddress(HMODULE module, LPCSTR name);
// Drops one load; true when the module was built in.
bool FreeBuiltinModule(HMODULE module);
}  // namespace StandIn
