// LoadLibrary/GetProcAddress/FreeLibrary over the dynamic loader. Loading a module calls
// its DllMain with process attach; freeing it calls DllMain with process detach.
#pragma once
#include <string>

#include "platform/win/win32_types.h"

using DllMainFunction = BOOL (*)(HINSTANCE, DWORD, LPVOID);

HMODULE LoadLibraryW(LPCWSTR path);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
// The loader's message for the last failed LoadLibraryW.
std::wstring LastLoaderError();
