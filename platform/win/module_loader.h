// LoadLibrary/GetProcAddress/FreeLibrary over the dynamic loader. The first load of a module
// calls its DllMain with process attach, the free that matches its last load calls it with
// process detach; loads in between answer the same instance.
#pragma once
#include <string>

#include "platform/win/win32_types.h"

using DllMainFunction = BOOL (*)(HINSTANCE, DWORD, LPVOID);

HMODULE LoadLibraryW(LPCWSTR path);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
// The loader's message for the last failed LoadLibraryW.
std::wstring LastLoaderError();
