// The C runtime's wide number parsers, independent of the process locale: the longest
// leading decimal number is taken (no hexadecimal, no inf or nan); integers saturate.
#pragma once
#include "platform/win/win32_types.h"

double _wtof(const wchar_t* text);
int _wtoi(const wchar_t* text);
long long _wtoi64(const wchar_t* text);
