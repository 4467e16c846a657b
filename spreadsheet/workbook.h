// The workbook globals substream: its records (window, fonts, number formats, cell
// formats, styles, sheet list, shared string table) and the container that holds them
// and fixes their order in the stream.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "spreadsheet/record.h"
#include "spreadsheet/record_strings.h"

namespace QExcel {

class Workbook {
public:
  class Window1 : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x003D;
    Window1() : Record(kCode, 18) {}
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;

    std::uint16_t horizontalPosition = 120;
    std::uint16_t verticalPosition = 120;
    std::uint16_t width = 15135;
    std::uint16_t height = 9300;
    std::uint16_t options = 0x0038;
    std::uint16_t activeSheet = 0;
    std::uint16_t firstVisibleTab = 0;
    std::uint16_t selectedSheets = 1;
    std::uint16_t tabBarWidth = 600;
  };

  class Font : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x0031;
    Font();
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;
    std::uint32_t dataSize() override;

    std::uint16_t height = 200;
    std::uint16_t options = 0;
    std::uint16_t colourIndex = 0x7FFF;
    std::uint16_t weight = 400;
    std::uint16_t escapement = 0;
    std::uint8_t underline = 0;
    std::uint8_t family = 0;
    std::uint8_t characterSet = 0;
    std::uint8_t reserved = 0;
    ShortString name;
  };

  class Format : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x041E;
    Format();
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;
    std::uint32_t dataSize() override;

    std::uint16_t index = 0;
    LongString text;
  };

  class XF : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x00E0;
    XF() : Record(kCode, 20) {}
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;

    std::uint16_t fontIndex = 0;
    std::uint16_t formatIndex = 0;
    std::uint16_t protection = 0xFFF5;  // type, protection and parent style
    std::uint8_t alignment = 0x20;
    std::uint8_t rotation = 0;
    std::uint8_t textOptions = 0;  // indent, shrink and text direction
    std::uint8_t usedAttributes = 0;
    std::uint32_t borderLines = 0;
    std::uint32_t borderColours = 0;
    std::uint16_t background = 0x20C0;
  };

  class Style : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x0293;
    Style() : Record(kCode, 4) {}
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;
    std::uint32_t dataSize() override;
    bool builtIn() const { return xfIndex & 0x8000; }

    std::uint16_t xfIndex = 0x8000;  // bit 15: a built-in style
    std::uint8_t builtInId = 0;
    std::uint8_t outlineLevel = 0xFF;
    LongString name;
  };

  class BoundSheet : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x0085;
    BoundSheet();
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;
    std::uint32_t dataSize() override;

    std::uint32_t position = 0;  // stream position of the sheet's BOF
    std::uint8_t visibility = 0;
    std::uint8_t sheetType = 0;
    ShortString name;
  };

  // Every cell text of the workbook, once; CONTINUE pieces planned so that no string
  // header is split and each piece that continues a string starts with its option byte.
  class SharedStringTable : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x00FC;
    SharedStringTable() : Record(kCode, 8) {}
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;
    // Writes as write does, freeing each string's characters once written (for a save
    // that is the book's last use of them); the strings are then empty.
    std::uint32_t writeAndRelease(char* buffer);
    std::uint32_t dataSize() override;
    // The table's stream bytes in 64 bits: a table beyond what the stream can hold shows
    // as such, and the save refuses it before anything is written.
    std::uint64_t recordSize() override;

    std::uint32_t total = 0;   // cells that refer to the table
    std::uint32_t unique = 0;  // strings in the table
    std::vector<LongString> strings;

  private:
    // Plans the pieces (dataSize); the data bytes in 64 bits.
    std::uint64_t planPieces();
    std::uint32_t writeStrings(char* buffer, bool release);
  };

  class ExtSST : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x00FF;
    ExtSST() : Record(kCode, 2) {}
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;
    std::uint32_t dataSize() override;

    std::uint16_t stringsPerBucket = 0;
    std::vector<std::uint32_t> positions;
    std::vector<std::uint16_t> offsets;
    std::vector<std::uint16_t> reserved;
  };

  Workbook() : bof(BOF::kGlobals) {}

  // With releaseStrings, the shared strings' characters are freed as they are written
  // (SharedStringTable::writeAndRelease).
  std::uint32_t write(char* buffer, bool releaseStrings = false);
  std::uint64_t dataSize();
  std::uint64_t recordSize() { return dataSize(); }
  // The bytes of the records written before the shared string table: where it begins.
  std::uint64_t bytesBeforeStrings();
  // Reads the substream from its BOF to its EOF; returns the bytes consumed.
  std::uint32_t read(const char* buffer, std::uint32_t available);

  // Where a kept record goes in the stream: after Window1, after the styles or after the
  // sheet list (the link table).
  enum class Place { afterWindow, afterStyles, afterSheets };
  // Where records of the code go when they are kept (below); none for the others.
  static std::optional<Place> placeOf(std::uint16_t code);
  std::uint32_t writeKept(Place place, char* buffer);
  // Drops the link table, which refers to sheets by their position in the sheet list as
  // read: for a list that has changed since.
  void dropLinks();

  BOF bof;
  Window1 window1;
  std::vector<Font> fonts;
  std::vector<XF> xfs;
  std::vector<Style> styles;
  std::vector<Format> formats;
  std::vector<BoundSheet> boundSheets;
  // Records of a workbook read from a file that the writer makes none of but that its
  // cells and formulas rely on: the date system, the colour palette and the link table
  // (the books, sheets and names that formulas refer to by index). Kept as read, in
  // stream order, and written back in their places.
  std::vector<Record> kept;
  SharedStringTable sst;
  ExtSST extSst;
  QEOF eof;
};

}  // namespace QExcel
