#include "spreadsheet/xls_cell.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>

#include "platform/win/codepage.h"
#include "spreadsheet/chunk_pool.h"
#include "spreadsheet/format_manager.h"
#include "spreadsheet/utf16_text.h"

XlsFormula::XlsFormula(const Record& formula) : record(formula) {
  if (record.string.hasText) {
    text.reserve(record.string.text.size());
    for (char16_t u : record.string.text) text.push_back(u <= 0xFF ? static_cast<char>(u) : '?');
  }
}

bool XlsFormula::numericResult() const {
  return !(static_cast<unsigned char>(record.result[6]) == 0xFF &&
           static_cast<unsigned char>(record.result[7]) == 0xFF);
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

XlsCell::XlsCell(const XlsCell& other)
    : length_(other.length_), xfIndex_(other.xfIndex_), mergedRows_(other.mergedRows_),
      mergedColumns_(other.mergedColumns_) {
  copyValue(other);
}

XlsCell::XlsCell(XlsCell&& other) noexcept
    : value_(other.value_), length_(other.length_), xfIndex_(other.xfIndex_), mergedRows_(other.mergedRows_),
      mergedColumns_(other.mergedColumns_), type_(other.type_) {
  other.type_ = UNDEFINED;
}

XlsCell& XlsCell::operator=(const XlsCell& other) {
  if (this != &other) {
    release();
    copyLayout(other);
    copyValue(other);
  }
  return *this;
}

XlsCell& XlsCell::operator=(XlsCell&& other) noexcept {
  if (this != &other) {
    release();
    copyLayout(other);
    value_ = other.value_;
    type_ = other.type_;
    other.type_ = UNDEFINED;
  }
  return *this;
}

void XlsCell::copyLayout(const XlsCell& other) {
  length_ = other.length_;
  xfIndex_ = other.xfIndex_;
  mergedRows_ = other.mergedRows_;
  mergedColumns_ = other.mergedColumns_;
}

void XlsCell::copyValue(const XlsCell& other) {
  type_ = UNDEFINED;
  switch (other.type_) {
    case STRING: value_.narrow = storeText(other.value_.narrow, other.length_); break;
    case WSTRING: value_.wide = storeText(other.value_.wide, other.length_); break;
    case FORMULA:
      value_.formula = other.value_.formula;
      ++value_.formula->refCount;
      break;
    default: value_ = other.value_; break;
  }
  type_ = other.type_;
}

template <class Char>
Char* XlsCell::storeText(const Char* text, size_t length) {
  Char* copy = static_cast<Char*>(QExcel::ChunkPool::allocate((length + 1) * sizeof(Char)));
  std::memcpy(copy, text, length * sizeof(Char));
  copy[length] = 0;
  length_ = static_cast<std::uint32_t>(length);
  return copy;
}

void XlsCell::release() {
  switch (type_) {
    case STRING: QExcel::ChunkPool::release(value_.narrow, (length_ + 1) * sizeof(char)); break;
    case WSTRING: QExcel::ChunkPool::release(value_.wide, (length_ + 1) * sizeof(wchar_t)); break;
    case FORMULA:
      if (--value_.formula->refCount == 0) delete value_.formula;
      break;
    default: break;
  }
  type_ = UNDEFINED;
  length_ = 0;
}

void XlsCell::erase() { release(); }

void XlsCell::setInteger(int value) {
  release();
  value_.integer = value;
  type_ = INT;
}

void XlsCell::setDouble(double value) {
  release();
  value_.number = value;
  type_ = DOUBLE;
}

bool XlsCell::setText(const char* text) {
  release();
  if (!text || !*text) return true;
  size_t length = std::strlen(text);
  value_.narrow = storeText(text, std::min(length, kMaxTextUnits));
  type_ = STRING;
  return length <= kMaxTextUnits;
}

bool XlsCell::setText(const wchar_t* text) {
  release();
  if (!text || !*text) return true;
  // Converted through UTF-16 only when the text is too long or holds no valid character.
  bool single = true;
  size_t length = QExcel::singleUnitLength(text, single);
  size_t units = length;
  bool valid = true;
  if (!single) {
    units = 0;
    length = 0;
    for (const wchar_t* p = text; *p && valid; ++p, ++length) {
      valid = *p <= 0x10FFFF && !(*p >= 0xD800 && *p <= 0xDFFF);
      units += *p > 0xFFFF ? 2 : 1;
    }
  }
  if (valid && units <= kMaxTextUnits) {
    value_.wide = storeText(text, length);
  } else {
    std::wstring cut = QExcel::fromUtf16(QExcel::toUtf16(text, kMaxTextUnits));
    value_.wide = storeText(cut.c_str(), cut.size());
  }
  type_ = WSTRING;
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
  release();
  if (!formula) return;
  value_.formula = formula.get();
  ++value_.formula->refCount;
  type_ = FORMULA;
}

int XlsCell::integerValue() const {
  switch (type_) {
    case INT: return value_.integer;
    case DOUBLE: return truncateToInt(value_.number);
    case FORMULA: return value_.formula->numericResult() ? truncateToInt(value_.formula->numberResult()) : 0;
    default: return 0;
  }
}

double XlsCell::doubleValue() const {
  switch (type_) {
    case INT: return value_.integer;
    case DOUBLE: return value_.number;
    case FORMULA: return value_.formula->numericResult() ? value_.formula->numberResult() : 0.0;
    default: return 0.0;
  }
}

const char* XlsCell::narrowText() const {
  if (type_ == STRING) return value_.narrow;
  if (type_ == FORMULA && value_.formula->record.string.hasText) return value_.formula->text.c_str();
  return nullptr;
}

const wchar_t* XlsCell::wideText() const { return type_ == WSTRING ? value_.wide : nullptr; }

bool XlsCell::text(std::string& out) const {
  const char* t = narrowText();
  if (!t) return false;
  out = t;
  return true;
}

bool XlsCell::text(std::wstring& out) const {
  if (type_ != WSTRING) return false;
  out.assign(value_.wide, length_);
  return true;
}

size_t XlsCell::textLength() const { return type_ == STRING || type_ == WSTRING ? length_ : 0; }

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
