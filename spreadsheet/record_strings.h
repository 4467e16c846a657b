// The two string layouts of workbook records: ShortString (8-bit character count; font and
// sheet names) and LongString (16-bit count and option flags; shared strings, number
// formats, style names). Each holds its text either as 8-bit (Latin-1) characters or as
// UTF-16 code units.
#pragma once
#include <cstdint>
#include <string>

#include "spreadsheet/pool_array.h"

namespace QExcel {

class ShortString {
public:
  static constexpr size_t kMaxUnits = 255;  // the count is one byte

  ShortString() = default;
  // 8-bit text (flag 0) or wide text written as UTF-16 (flag 1); cut at 255 units
  // without splitting a surrogate pair.
  ShortString& operator=(const char* text);
  ShortString& operator=(const wchar_t* text);

  size_t length() const { return (flag & 1) ? wide.size() : narrow.size(); }
  std::uint32_t dataSize() const { return static_cast<std::uint32_t>((flag & 1) ? 2 * length() + 2 : length() + 2); }
  std::uint32_t read(const char* buffer, std::uint32_t available);
  std::uint32_t write(char* buffer) const;
  void clear();

  bool isWide() const { return flag & 1; }
  // The text as wide characters, whichever width it is stored in.
  std::wstring text() const;

  std::u16string wide;
  std::string narrow;
  std::uint8_t flag = 0;
};

class LongString {
public:
  static constexpr size_t kMaxUnits = 32767;  // the most characters a cell text holds

  LongString() = default;
  // 8-bit text (flags 0) or wide text written as UTF-16 (flags 1); cut at 32,767 units
  // without splitting a surrogate pair.
  LongString& operator=(const char* text);
  LongString& operator=(const wchar_t* text);

  bool isWide() const { return flags & 1; }  // the unset value 255 counts as wide
  size_t characterCount() const { return units.size(); }
  std::uint32_t characterBytes() const {
    return static_cast<std::uint32_t>(isWide() ? 2 * units.size() : units.size());
  }
  std::uint32_t dataSize() const { return 3 + characterBytes(); }
  // Reads a string held in one piece: header, characters, rich-text runs, phonetic data.
  std::uint32_t read(const char* buffer, std::uint32_t available);
  // Writes the plain string (no runs, no phonetic data); flags become 0 or 1.
  std::uint32_t write(char* buffer);
  // Reads the header fields (count, flags, run count, phonetic size) and empties the
  // text; returns the header's length.
  std::uint32_t readHeader(const char* buffer, std::uint32_t available, std::uint16_t& count);
  // Appends count characters of a piece of the given width; an 8-bit string continued in
  // UTF-16 becomes UTF-16.
  void appendCharacters(const char* characters, size_t count, bool pieceWide);
  // Bytes of rich-text runs and phonetic data that follow the characters.
  std::uint64_t trailingBytes() const { return 4ull * runCount + phoneticSize; }

  std::wstring text() const;
  // The characters of an 8-bit string as bytes.
  std::string narrowText() const;

  // The characters: UTF-16 code units when the string is wide, else 8-bit (Latin-1)
  // characters, one to a unit. A book keeps many strings: they take their room from the
  // chunk pool.
  PoolArray<char16_t> units;
  std::uint8_t flags = 255;
  std::uint16_t runCount = 0;
  std::uint32_t phoneticSize = 0;
};

}  // namespace QExcel
