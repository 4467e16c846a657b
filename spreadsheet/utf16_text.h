// Conversions between the program's wide text (UTF-32 wchar_t) and the UTF-16 code units
// and 8-bit characters that workbook records carry. 8-bit record text is Latin-1.
#pragma once
#include <cstddef>
#include <string>

namespace QExcel {

// The text as UTF-16, cut at maxUnits without splitting a surrogate pair; characters that
// are no Unicode scalar value become U+FFFD.
std::u16string toUtf16(const wchar_t* text, size_t maxUnits = std::u16string::npos);
std::u16string toUtf16(const std::wstring& text, size_t maxUnits = std::u16string::npos);
// The UTF-16 units of the text's longest prefix of whole characters that takes at most
// maxUnits of them; characters receives the prefix's length in characters.
size_t utf16Units(const wchar_t* text, size_t maxUnits, size_t& characters);
// The UTF-16 units of the first characters of the text, as toUtf16 makes them, at `to`.
void writeUtf16(const wchar_t* text, size_t characters, char16_t* to);
// UTF-16 units back to wide text; a lone surrogate becomes U+FFFD.
std::wstring fromUtf16(const char16_t* units, size_t count);
inline std::wstring fromUtf16(const std::u16string& units) { return fromUtf16(units.data(), units.size()); }
// Latin-1 bytes widened by zero extension.
std::u16string latin1ToUtf16(const char* bytes, size_t count);
std::wstring latin1ToWide(const char* bytes, size_t count);
// UTF-16 units that fit in one byte each; false when any does not.
bool utf16ToLatin1(const std::u16string& units, std::string& bytes);
// Number of UTF-16 units of the text.
size_t utf16Length(const wchar_t* text);
// The length of the NUL-terminated text, and whether each of its characters is a Unicode
// scalar value below U+10000, which is one UTF-16 unit of the same value (the common case).
size_t singleUnitLength(const wchar_t* text, bool& singleUnits);
// The longest prefix of at most maxUnits UTF-16 units that ends on a character boundary.
size_t utf16Prefix(const char16_t* units, size_t count, size_t maxUnits);

}  // namespace QExcel
