// The C runtime's wide-string comparisons without regard to case that the plug-in calls.
#pragma once
#include "platform/win/win32_types.h"

int _wcsicmp(const wchar_t* a, const wchar_t* b);
int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t count);
