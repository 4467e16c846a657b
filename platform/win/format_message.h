// FormatMessageW for message texts given as strings, and the local heap it allocates from.
#pragma once
#include <cstdarg>

#include "platform/win/win32_types.h"

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000

// Why FormatMessageW or LocalAlloc failed, as GetLastError gives it after the failure.
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_INVALID_PARAMETER 87
#define ERROR_INSUFFICIENT_BUFFER 122

// Inserts are %1 to %99, optionally with a printf form between exclamation marks
// (%1!d!); the default form is a wide string. With FORMAT_MESSAGE_ARGUMENT_ARRAY the
// arguments are an array of DWORD_PTR, otherwise a va_list*. Returns the length written,
// 0 on failure (the reason left for GetLastError).
DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer, DWORD size,
                     void* arguments);

HLOCAL LocalAlloc(UINT flags, size_t bytes);
HLOCAL LocalFree(HLOCAL memory);
// Blocks allocated by LocalAlloc and FormatMessageW that are not yet freed.
int LiveLocalAllocations();

// The calling thread's last error: why the last of the functions above that failed did.
DWORD GetLastError();
