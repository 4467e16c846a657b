#include "spreadsheet/record_strings.h"

#include <cstring>

#include "spreadsheet/little_endian.h"
#include "spreadsheet/utf16_text.h"

namespace QExcel {

namespace {
std::string cutNarrow(const char* text, size_t maxBytes) {
  std::string s(text ? text : "");
  if (s.size() > maxBytes) s.resize(maxBytes);
  return s;
}

void copyUnits(char* buffer, size_t pos, const std::u16string& units) {
  for (size_t i = 0; i < units.size(); ++i)
    LittleEndian::write(buffer, static_cast<std::uint16_t>(units[i]), pos + 2 * i);
}

std::u16string readUnits(const char* buffer, size_t pos, size_t count) {
  std::u16string units(count, u'\0');
  for (size_t i = 0; i < count; ++i) {
    std::uint16_t u;
    LittleEndian::read(buffer, u, pos + 2 * i);
    units[i] = u;
  }
  return units;
}
}  // namespace

// ShortString

ShortString& ShortString::operator=(const char* text) {
  clear();
  flag = 0;
  narrow = cutNarrow(text, kMaxUnits);
  return *this;
}

ShortString& ShortString::operator=(const wchar_t* text) {
  clear();
  flag = 1;
  wide = toUtf16(text, kMaxUnits);
  return *this;
}

std::uint32_t ShortString::read(const char* buffer, std::uint32_t available) {
  clear();
  if (available < 2) throw MalformedStream{"short string header"};
  size_t n = static_cast<unsigned char>(buffer[0]);
  flag = static_cast<std::uint8_t>(buffer[1]);
  size_t bytes = (flag & 1) ? 2 * n : n;
  if (available - 2 < bytes) throw MalformedStream{"short string characters"};
  if (flag & 1) wide = readUnits(buffer, 2, n);
  else narrow.assign(buffer + 2, n);
  return static_cast<std::uint32_t>(bytes + 2);
}

std::uint32_t ShortString::write(char* buffer) const {
  size_t n = length();
  buffer[0] = static_cast<char>(n);
  buffer[1] = static_cast<char>(flag);
  if (flag & 1) copyUnits(buffer, 2, wide);
  else if (n) std::memcpy(buffer + 2, narrow.data(), n);
  return dataSize();
}

void ShortString::clear() {
  wide.clear();
  narrow.clear();
}

std::wstring ShortString::text() const {
  return (flag & 1) ? fromUtf16(wide) : latin1ToWide(narrow.data(), narrow.size());
}

// LongString

LongString& LongString::operator=(const char* text) {
  flags = 0;
  runCount = 0;
  phoneticSize = 0;
  size_t n = text ? std::min(std::strlen(text), kMaxUnits) : 0;
  char16_t* to = units.allocate(n);
  for (size_t i = 0; i < n; ++i) to[i] = static_cast<unsigned char>(text[i]);
  return *this;
}

LongString& LongString::operator=(const wchar_t* text) {
  flags = 1;
  runCount = 0;
  phoneticSize = 0;
  bool single = true;
  size_t length = text ? singleUnitLength(text, single) : 0;
  if (length <= kMaxUnits && single) {
    char16_t* to = units.allocate(length);
    for (size_t i = 0; i < length; ++i) to[i] = static_cast<char16_t>(text[i]);
    return *this;
  }
  size_t characters = 0;
  size_t n = utf16Units(text, kMaxUnits, characters);
  writeUtf16(text, characters, units.allocate(n));
  return *this;
}

std::uint32_t LongString::readHeader(const char* buffer, std::uint32_t available, std::uint16_t& count) {
  units.clear();
  runCount = 0;
  phoneticSize = 0;
  if (available < 3) throw MalformedStream{"string header"};
  LittleEndian::read(buffer, count, 0);
  flags = static_cast<std::uint8_t>(buffer[2]);
  std::uint32_t pos = 3;
  if (flags & 8) {
    if (available - pos < 2) throw MalformedStream{"string run count"};
    LittleEndian::read(buffer, runCount, pos);
    pos += 2;
  }
  if (flags & 4) {
    if (available - pos < 4) throw MalformedStream{"string phonetic size"};
    LittleEndian::read(buffer, phoneticSize, pos);
    pos += 4;
  }
  return pos;
}

std::uint32_t LongString::read(const char* buffer, std::uint32_t available) {
  std::uint16_t count;
  std::uint32_t pos = readHeader(buffer, available, count);
  std::uint64_t bytes = isWide() ? 2ull * count : count;
  if (available - pos < bytes + trailingBytes()) throw MalformedStream{"string characters"};
  appendCharacters(buffer + pos, count, isWide());
  return static_cast<std::uint32_t>(pos + bytes + trailingBytes());
}

// An 8-bit string's units are its characters zero-extended, which are their UTF-16
// units as well: a string that goes on in UTF-16 only changes its flags.
void LongString::appendCharacters(const char* characters, size_t count, bool pieceWide) {
  if (flags == 255) flags = pieceWide ? 1 : 0;
  if (pieceWide && !isWide()) flags |= 1;
  std::u16string more = pieceWide ? readUnits(characters, 0, count) : latin1ToUtf16(characters, count);
  units.append(more.data(), more.size());
}

std::uint32_t LongString::write(char* buffer) {
  flags = isWide() ? 1 : 0;
  size_t n = units.size();
  LittleEndian::write(buffer, static_cast<std::uint16_t>(n), 0);
  buffer[2] = static_cast<char>(flags);
  if (flags) {
    for (size_t i = 0; i < n; ++i) LittleEndian::write(buffer, static_cast<std::uint16_t>(units[i]), 3 + 2 * i);
    return static_cast<std::uint32_t>(3 + 2 * n);
  }
  for (size_t i = 0; i < n; ++i) buffer[3 + i] = static_cast<char>(units[i]);
  return static_cast<std::uint32_t>(3 + n);
}

std::wstring LongString::text() const {
  if (isWide()) return fromUtf16(units.data(), units.size());
  return std::wstring(units.begin(), units.end());
}

std::string LongString::narrowText() const { return std::string(units.begin(), units.end()); }

}  // namespace QExcel
