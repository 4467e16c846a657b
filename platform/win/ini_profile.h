// Initialisation files: sections of name = value lines, read and written on every call,
// as the private-profile functions do. Files are UTF-8.
#pragma once
#include "platform/win/win32_types.h"

// section null: the section names, each null-terminated, the list ending with an extra
// null; name null: the names of the section likewise. Answers the characters copied.
DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR name, LPCWSTR defaultValue, LPWSTR buffer, DWORD bufferMax,
                               LPCWSTR fileName);
UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR name, INT defaultValue, LPCWSTR fileName);
// name null deletes the section; value null deletes the name.
BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR name, LPCWSTR value, LPCWSTR fileName);
