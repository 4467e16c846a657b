// Hands out font, number-format and cell-format (XF) indexes of a book: finds an equal
// record in the book's globals or appends a new one.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "spreadsheet/workbook.h"

class XlsBook;
class FormatManager;

struct XlsFont {
  std::wstring name = L"Arial";
  std::uint16_t height = 200;  // twentieths of a point
  std::uint16_t weight = 400;  // 700 is bold
  std::uint16_t options = 0;
  std::uint16_t colourIndex = 0x7FFF;
  std::uint16_t escapement = 0;
  std::uint8_t underline = 0;
  std::uint8_t family = 0;
  std::uint8_t characterSet = 0;
};

// The look of a cell: a font and a number format by index, alignment, borders and
// background. Caches the XF index it was given.
class XlsCellFormat {
public:
  explicit XlsCellFormat(FormatManager& manager) : manager_(&manager) {}
  void reset();
  void setFont(const XlsFont& font);
  std::int32_t xfIndex();
  std::int32_t fontIndex() const { return fontIndex_; }
  std::int32_t formatIndex() const { return formatIndex_; }
  void setFormatIndex(std::int32_t index) {
    formatIndex_ = index;
    xfIndex_ = -1;
  }

  std::uint8_t alignment = 0x20;
  std::uint8_t rotation = 0;
  std::uint8_t textOptions = 0;
  std::uint32_t borderLines = 0;
  std::uint32_t borderColours = 0;
  std::uint16_t background = 0x20C0;

private:
  FormatManager* manager_;
  std::int32_t xfIndex_ = -1;
  std::int32_t fontIndex_ = 0;
  std::int32_t formatIndex_ = 0;
};

class FormatManager {
public:
  explicit FormatManager(XlsBook& book);

  // The BIFF index of an equal font (there is no font index 4), appending one if needed.
  std::int32_t fontIndex(const XlsFont& font);
  QExcel::Workbook::Font& fontAt(std::int32_t index);
  // The index of a number-format text; a new text gets the next custom index.
  std::int32_t formatIndex(const std::wstring& text);
  std::wstring formatString(const XlsCellFormat& format) const;
  // The position of the first equal XF record, appending one if needed.
  std::int32_t xfIndex(const XlsCellFormat& format);

private:
  XlsBook* book_;
  std::int32_t nextFormat_ = 164;
  std::map<std::int32_t, std::wstring> formats_;
  std::map<std::wstring, std::int32_t> formatIndexes_;
};
