#include "spreadsheet/xls_cell.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>

#include "platform/win/codepage.h"
#include "spreadsheet/format_manager.h"
#include "spreadsheet/utf16_text.h"

XlsFormula::XlsFormula(const Record& formula) : record(formula) {
  if (record.string.hasText) {
    text.reserve(record.string.text.size());
    for (char16_t u : record.string.text) text.push_back(u <= 0xFF ? static_cast<char>(u) : '?');
  }
}

bool XlsFormula::numericResult() const {
  return !(static_cast<unsigned char>(record.result[6]) == 0xFF && static_cast<unsigned char>(record.result[7]) == 0xFF);
}

double XlsFormula::numberResult() const {
  double value;
  QExcel::LittleEndian::read(record.result.data(), value, 0);
  return value;
}

namespace {
// Toward zero, saturating; NaN gives 0.
int truncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}
}  // namespace

void XlsCell::erase() {
  type_ = UNDEFINED;
  narrow_.clear();
  wide_.clear();
  formula_ = nullptr;
}

void XlsCell::setInteger(int value) {
  erase();
  type_ = INT;
  integer_ = value;
}

void XlsCell::setDouble(double value) {
  erase();
  type_ = DOUBLE;
  double_ = value;
}

bool XlsCell::setText(const char* text) {
  erase();
  if (!text || !*text) return true;
  narrow_ = text;
  type_ = STRING;
  if (narrow_.size() <= kMaxTextUnits) return true;
  narrow_.resize(kMaxTextUnits);
  return false;
}

bool XlsCell::setText(const wchar_t* text) {
  erase();
  if (!text || !*text) return true;
  // Converted through UTF-16 only when the text is too long or holds no valid character.
  size_t units = 0;
  bool valid = true;
  for (const wchar_t* p = text; *p && valid; ++p) {
    valid = *p <= 0x10FFFF && !(*p >= 0xD800 && *p <= 0xDFFF);
    units += *p > 0xFFFF ? 2 : 1;
  }
  type_ = WSTRING;
  if (valid && units <= kMaxTextUnits) {
    wide_ = text;
    return true;
  }
  wide_ = QExcel::fromUtf16(QExcel::toUtf16(text, kMaxTextUnits));
  return (valid ? units : QExcel::utf16Length(text)) <= kMaxTextUnits;
}

void XlsCell::setRk(std::uint32_t rk) {
  bool divide = rk & 1;
  if (rk & 2) {
    std::int32_t value = static_cast<std::int32_t>(rk) >> 2;
    if (!divide) setInteger(value);
    else if (value % 100 == 0) setInteger(value / 100);
    else setDouble(value / 100.0);
    return;
  }
  std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  setDouble(divide ? value / 100 : value);
}

void XlsCell::setFormula(const QExcel::RefPtr<XlsFormula>& formula) {
  erase();
  if (!formula) return;
  formula_ = formula;
  type_ = FORMULA;
}

int XlsCell::integerValue() const {
  switch (type_) {
    case INT: return integer_;
    case DOUBLE: return truncateToInt(double_);
    case FORMULA: return formula_->numericResult() ? truncateToInt(formula_->numberResult()) : 0;
    default: return 0;
  }
}

double XlsCell::doubleValue() const {
  switch (type_) {
    case INT: return integer_;
    case DOUBLE: return double_;
    case FORMULA: return formula_->numericResult() ? formula_->numberResult() : 0.0;
    default: return 0.0;
  }
}

const char* XlsCell::narrowText() const {
  if (type_ == STRING) return narrow_.c_str();
  if (type_ == FORMULA && formula_->record.string.hasText) return formula_->text.c_str();
  return nullptr;
}

const wchar_t* XlsCell::wideText() const { return type_ == WSTRING ? wide_.c_str() : nullptr; }

bool XlsCell::text(std::string& out) const {
  const char* t = narrowText();
  if (!t) return false;
  out = t;
  return true;
}

bool XlsCell::text(std::wstring& out) const {
  if (type_ != WSTRING) return false;
  out = wide_;
  return true;
}

size_t XlsCell::textLength() const {
  if (type_ == STRING) return narrow_.size();
  if (type_ == WSTRING) return wide_.size();
  return 0;
}

void XlsCell::setFormat(XlsCellFormat& format) { xfIndex_ = format.xfIndex(); }

std::ostream& operator<<(std::ostream& out, const XlsCell& cell) {
  switch (cell.type()) {
    case XlsCell::INT: out << cell.integerValue(); break;
    case XlsCell::DOUBLE: out << cell.doubleValue(); break;
    case XlsCell::STRING: out << cell.narrowText(); break;
    case XlsCell::WSTRING: out << WideToUtf8(cell.wideText()); break;
    case XlsCell::UNDEFINED: out << '0'; break;
    default: break;
  }
  return out;
}
