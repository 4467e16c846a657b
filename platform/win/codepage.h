// Code-page conversion. The thread's ANSI code page is 1252; UTF-8 is also understood.
#pragma once
#include <string>
#include <string_view>

#include "platform/win/win32_types.h"

// Code page 1252 <-> wide text. Unmappable characters become '?'.
std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(std::wstring_view text);
// UTF-8 <-> wide text; invalid input yields false from Utf8ToWide.
std::string WideToUtf8(std::wstring_view text);
bool Utf8ToWide(const std::string& text, std::wstring& out);
// The code-page-1252 byte of a character, or -1 when the code page has none.
int Cp1252ByteOf(wchar_t ch);
