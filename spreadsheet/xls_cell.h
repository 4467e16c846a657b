// One cell of a sheet's grid: a typed value (integer, double, narrow or wide text, or a
// formula read from a file), the size of the merged range that starts at it, and its
// cell format (XF index).
#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>

#include "spreadsheet/ref_ptr.h"
#include "spreadsheet/worksheet.h"

class XlsCellFormat;

// A formula cell as read from a file: the whole FORMULA record with its follow-up and
// string records, written back unchanged, and the text result in narrow characters.
class XlsFormula : public QExcel::RefCounted {
public:
  using Record = QExcel::Worksheet::CellTable::RowBlock::CellBlock::Formula;
  explicit XlsFormula(const Record& formula);

  std::uint16_t followUpCode() const { return record.followUpCode; }
  bool numericResult() const;
  double numberResult() const;

  Record record;
  std::string text;  // the string result; '?' for characters without an 8-bit form
};

// A sheet holds one cell per position of its rectangle, so a cell is kept small: its
// value is a number, an owned text or a reference to a formula, whichever its type says.
class XlsCell {
public:
  enum Type { UNDEFINED = 0, INT = 1, DOUBLE = 2, STRING = 3, WSTRING = 4, FORMULA = 5 };
  static constexpr size_t kMaxTextUnits = 32767;

  XlsCell() = default;
  XlsCell(const XlsCell& other);
  XlsCell(XlsCell&& other) noexcept;
  XlsCell& operator=(const XlsCell& other);
  XlsCell& operator=(XlsCell&& other) noexcept;
  ~XlsCell() { release(); }

  int type() const { return type_; }
  void setInteger(int value);
  void setDouble(double value);
  // Texts are cut at 32,767 UTF-16 units (a surrogate pair is never split); an empty
  // text erases the cell. False when the text had to be cut.
  bool setText(const char* text);
  bool setText(const wchar_t* text);
  // Decodes a BIFF RK value into an INT or DOUBLE cell.
  void setRk(std::uint32_t rk);
  void setFormula(const QExcel::RefPtr<XlsFormula>& formula);
  // Clears the value; the XF index and merged size stay.
  void erase();

  int integerValue() const;
  double doubleValue() const;
  // The text of a STRING (narrow) or WSTRING (wide) cell, or a formula's string result
  // (narrow); null otherwise.
  const char* narrowText() const;
  const wchar_t* wideText() const;
  bool text(std::string& out) const;
  bool text(std::wstring& out) const;
  size_t textLength() const;
  const XlsFormula* formula() const { return type_ == FORMULA ? value_.formula : nullptr; }

  std::uint16_t mergedRows() const { return mergedRows_; }
  std::uint16_t mergedColumns() const { return mergedColumns_; }
  void setMergedRows(std::uint16_t rows) { mergedRows_ = rows; }
  void setMergedColumns(std::uint16_t columns) { mergedColumns_ = columns; }
  std::uint32_t xfIndex() const { return xfIndex_; }
  void setXfIndex(std::uint32_t index) { xfIndex_ = index; }
  void setFormat(XlsCellFormat& format);

private:
  union Value {
    std::int32_t integer;
    double number;
    char* narrow;         // STRING: characters and a terminating NUL, from the chunk pool
    wchar_t* wide;        // WSTRING: characters and a terminating NUL, from the chunk pool
    XlsFormula* formula;  // FORMULA: one reference
  };

  template <class Char>
  Char* storeText(const Char* text, size_t length);
  // Frees what the value owns and makes the cell UNDEFINED.
  void release();
  // The text length, format and merged size of the other cell; the value apart.
  void copyLayout(const XlsCell& other);
  void copyValue(const XlsCell& other);

  Value value_{};
  std::uint32_t length_ = 0;  // characters of a text
  std::uint32_t xfIndex_ = 0;
  std::uint16_t mergedRows_ = 1;
  std::uint16_t mergedColumns_ = 1;
  std::uint8_t type_ = UNDEFINED;
};

// INT as a decimal integer, DOUBLE with the stream's settings, STRING as its text,
// WSTRING as UTF-8, UNDEFINED as the single character 0, FORMULA as nothing.
std::ostream& operator<<(std::ostream& out, const XlsCell& cell);
