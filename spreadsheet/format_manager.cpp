#include "spreadsheet/format_manager.h"

#include "spreadsheet/xls_book.h"

namespace {
const std::pair<int, const wchar_t*> kBuiltInFormats[] = {
    {0, L"General"},
    {1, L"0"},
    {2, L"0.00"},
    {3, L"#,##0"},
    {4, L"#,##0.00"},
    {5, L"\"$\"#,##0_);(\"$\"#,##0)"},
    {6, L"\"$\"#,##0_);[Red](\"$\"#,##0)"},
    {7, L"\"$\"#,##0.00_);(\"$\"#,##0.00)"},
    {8, L"\"$\"#,##0.00_);[Red](\"$\"#,##0.00)"},
    {9, L"0%"},
    {10, L"0.00%"},
    {11, L"0.00E+00"},
    {12, L"# ?/?"},
    {13, L"# ?\?/?\?"},
    {14, L"M/D/YY"},
    {15, L"D-MMM-YY"},
    {16, L"D-MMM"},
    {17, L"MMM-YY"},
    {18, L"h:mm AM/PM"},
    {19, L"h:mm:ss AM/PM"},
    {20, L"h:mm"},
    {21, L"h:mm:ss"},
    {22, L"M/D/YY h:mm"},
    {37, L"_(#,##0_);(#,##0)"},
    {38, L"_(#,##0_);[Red](#,##0)"},
    {39, L"_(#,##0.00_);(#,##0.00)"},
    {40, L"_(#,##0.00_);[Red](#,##0.00)"},
    {41, L"_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"},
    {42, L"_($* #,##0_);_($* (#,##0);_($* \"-\"_);_(@_)"},
    {43, L"_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)"},
    {44, L"_($* #,##0.00_);_($* (#,##0.00);_($* \"-\"??_);_(@_)"},
    {45, L"mm:ss"},
    {46, L"[h]:mm:ss"},
    {47, L"mm:ss.0"},
    {48, L"##0.0E+0"},
    {49, L"@"},
};

bool sameFont(const QExcel::Workbook::Font& record, const XlsFont& font) {
  return record.name.text() == font.name && record.height == font.height && record.weight == font.weight &&
         record.options == font.options && record.colourIndex == font.colourIndex &&
         record.escapement == font.escapement && record.underline == font.underline && record.family == font.family &&
         record.characterSet == font.characterSet;
}

bool sameXf(const QExcel::Workbook::XF& xf, const XlsCellFormat& format) {
  return xf.fontIndex == format.fontIndex() && xf.formatIndex == format.formatIndex() &&
         xf.alignment == format.alignment && xf.rotation == format.rotation && xf.textOptions == format.textOptions &&
         xf.borderLines == format.borderLines && xf.borderColours == format.borderColours &&
         xf.background == format.background;
}
}  // namespace

FormatManager::FormatManager(XlsBook& book) : book_(&book) {
  for (const auto& [index, text] : kBuiltInFormats) formats_[index] = text;
  for (const auto& format : book.workbook().formats) {
    formats_[format.index] = format.text.text();
    if (format.index + 1 > nextFormat_) nextFormat_ = format.index + 1;
  }
  for (const auto& [index, text] : formats_) formatIndexes_.emplace(text, index);
}

std::int32_t FormatManager::fontIndex(const XlsFont& font) {
  auto& fonts = book_->workbook().fonts;
  size_t position = 0;
  for (; position < fonts.size(); ++position)
    if (sameFont(fonts[position], font)) break;
  if (position == fonts.size()) {
    QExcel::Workbook::Font record;
    record.height = font.height;
    record.options = font.options;
    record.colourIndex = font.colourIndex;
    record.weight = font.weight;
    record.escapement = font.escapement;
    record.underline = font.underline;
    record.family = font.family;
    record.characterSet = font.characterSet;
    record.name = font.name.c_str();
    fonts.push_back(record);
  }
  return static_cast<std::int32_t>(position < 4 ? position : position + 1);
}

QExcel::Workbook::Font& FormatManager::fontAt(std::int32_t index) {
  auto& fonts = book_->workbook().fonts;
  if (fonts.empty()) fonts.emplace_back();
  std::int64_t position = (index > 4 || index < 0) ? std::int64_t(index) - 1 : index;
  if (position < 0 || position >= static_cast<std::int64_t>(fonts.size())) position = 0;
  return fonts[static_cast<size_t>(position)];
}

std::int32_t FormatManager::formatIndex(const std::wstring& text) {
  auto it = formatIndexes_.find(text);
  if (it != formatIndexes_.end()) return it->second;
  std::int32_t index = nextFormat_++;
  formats_[index] = text;
  formatIndexes_[text] = index;
  QExcel::Workbook::Format record;
  record.index = static_cast<std::uint16_t>(index);
  record.text = text.c_str();
  book_->workbook().formats.push_back(record);
  return index;
}

std::wstring FormatManager::formatString(const XlsCellFormat& format) const {
  auto it = formats_.find(format.formatIndex());
  return it == formats_.end() ? L"General" : it->second;
}

std::int32_t FormatManager::xfIndex(const XlsCellFormat& format) {
  auto& xfs = book_->workbook().xfs;
  for (size_t i = 0; i < xfs.size(); ++i)
    if (sameXf(xfs[i], format)) return static_cast<std::int32_t>(i);
  QExcel::Workbook::XF xf;
  xf.fontIndex = static_cast<std::uint16_t>(format.fontIndex());
  xf.formatIndex = static_cast<std::uint16_t>(format.formatIndex());
  xf.alignment = format.alignment;
  xf.rotation = format.rotation;
  xf.textOptions = format.textOptions;
  xf.borderLines = format.borderLines;
  xf.borderColours = format.borderColours;
  xf.background = format.background;
  xf.protection = 0x0078;
  xfs.push_back(xf);
  return static_cast<std::int32_t>(xfs.size() - 1);
}

void XlsCellFormat::reset() {
  xfIndex_ = -1;
  fontIndex_ = 0;
  formatIndex_ = 0;
  alignment = 0x20;
  rotation = 0;
  textOptions = 0;
  borderLines = 0;
  borderColours = 0;
  background = 0x20C0;
}

void XlsCellFormat::setFont(const XlsFont& font) {
  fontIndex_ = manager_->fontIndex(font);
  xfIndex_ = -1;
}

std::int32_t XlsCellFormat::xfIndex() {
  if (xfIndex_ < 0) xfIndex_ = manager_->xfIndex(*this);
  return xfIndex_;
}
