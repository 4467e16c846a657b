// Formatting by the Windows wide rules (%s wide, %S narrow in the ANSI code page, %c wide,
// %C narrow, I64 and I32 sizes): the engine behind CString::Format and the message texts.
#pragma once
#include <cstdarg>
#include <string>

std::wstring FormatWide(const wchar_t* format, va_list args);
