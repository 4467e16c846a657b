// The C runtime's and kernel's wide-string helpers that the plug-in calls. Copies never
// overflow: the _s forms and lstrcpynW cut the text to the buffer.
#pragma once
#include "platform/win/win32_types.h"

#define _TRUNCATE ((size_t)-1)
using errno_t = int;

int _wcsicmp(const wchar_t* a, const wchar_t* b);
int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t count);
// Copies with the terminator; a text too long for the buffer leaves an empty string and
// answers ERANGE (34) (the C runtime would abort; this never does).
errno_t wcscpy_s(wchar_t* destination, size_t size, const wchar_t* source);
// count _TRUNCATE copies as much as fits and answers STRUNCATE (80) when it cut.
errno_t wcsncpy_s(wchar_t* destination, size_t size, const wchar_t* source, size_t count);
LPWSTR lstrcpynW(LPWSTR destination, LPCWSTR source, int max);
int lstrlenW(LPCWSTR text);
int lstrcmpW(LPCWSTR a, LPCWSTR b);
int lstrcmpiW(LPCWSTR a, LPCWSTR b);
