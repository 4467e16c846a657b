// Cell records and the cell block that holds one of them.
#include <cstring>

#include "spreadsheet/utf16_text.h"
#include "spreadsheet/worksheet.h"

namespace QExcel {

using CellBlock = Worksheet::CellTable::RowBlock::CellBlock;
using Formula = CellBlock::Formula;

void CellBlock::CellRecord::readPosition() {
  requireData(4);
  row = get<std::uint16_t>(0);
  column = get<std::uint16_t>(2);
}

void CellBlock::CellRecord::writePosition(char* at) const {
  store(at, 0, row);
  store(at, 2, column);
}

std::uint32_t CellBlock::Blank::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 6, 6);
  readPosition();
  xfIndex = get<std::uint16_t>(4);
  return n;
}

std::uint32_t CellBlock::Blank::write(char* buffer) {
  return writeEncoded(buffer, [this](char* at) {
    writePosition(at);
    store(at, 4, xfIndex);
  });
}

std::uint32_t CellBlock::BoolErr::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 8, 8);
  readPosition();
  xfIndex = get<std::uint16_t>(4);
  value = get<std::uint8_t>(6);
  isError = get<std::uint8_t>(7);
  return n;
}

std::uint32_t CellBlock::BoolErr::write(char* buffer) {
  return writeEncoded(buffer, [this](char* at) {
    writePosition(at);
    store(at, 4, xfIndex);
    store(at, 6, value);
    store(at, 7, isError);
  });
}

std::uint32_t CellBlock::LabelSST::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 10, 10);
  readPosition();
  xfIndex = get<std::uint16_t>(4);
  sstIndex = get<std::uint32_t>(6);
  return n;
}

std::uint32_t CellBlock::LabelSST::write(char* buffer) {
  return writeEncoded(buffer, [this](char* at) {
    writePosition(at);
    store(at, 4, xfIndex);
    store(at, 6, sstIndex);
  });
}

// Its text: a 16-bit count, an option byte (bit 0: UTF-16) and the characters; then a
// 16-bit count of formatting runs of 4 bytes each. All of it must lie within the record.
std::uint32_t CellBlock::RString::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(9);
  readPosition();
  xfIndex = get<std::uint16_t>(4);
  const std::uint16_t count = get<std::uint16_t>(6);
  const bool wide = get<std::uint8_t>(8) & 1;
  const size_t runsAt = 9 + (wide ? 2 * size_t(count) : count);
  requireData(runsAt + 2);
  requireData(runsAt + 2 + 4 * size_t(get<std::uint16_t>(runsAt)));
  text = LongString();
  text.appendCharacters(data().data() + 9, count, wide);
  return n;
}

std::uint32_t CellBlock::Number::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 14, 14);
  readPosition();
  xfIndex = get<std::uint16_t>(4);
  value = get<double>(6);
  return n;
}

std::uint32_t CellBlock::Number::write(char* buffer) {
  return writeEncoded(buffer, [this](char* at) {
    writePosition(at);
    store(at, 4, xfIndex);
    store(at, 6, value);
  });
}

std::uint32_t CellBlock::RK::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 10, 10);
  readPosition();
  xfIndex = get<std::uint16_t>(4);
  rk = get<std::uint32_t>(6);
  return n;
}

std::uint32_t CellBlock::RK::write(char* buffer) {
  return writeEncoded(buffer, [this](char* at) {
    writePosition(at);
    store(at, 4, xfIndex);
    store(at, 6, rk);
  });
}

std::uint32_t CellBlock::MulBlank::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(8);
  readPosition();
  // The number of cells comes from the data size; the last column follows from it.
  size_t count = (data().size() - 6) / 2;
  xfIndexes.resize(count);
  for (size_t i = 0; i < count; ++i) xfIndexes[i] = get<std::uint16_t>(4 + 2 * i);
  lastColumn = static_cast<std::uint16_t>(column + count - 1);
  return n;
}

std::uint32_t CellBlock::MulBlank::write(char* buffer) {
  return writeEncoded(buffer, [this](char* at) {
    writePosition(at);
    for (size_t i = 0; i < xfIndexes.size(); ++i) store(at, 4 + 2 * i, xfIndexes[i]);
    store(at, dataBytes - 2, lastColumn);
  });
}

std::uint32_t CellBlock::MulBlank::dataSize() {
  return setVariableSize(static_cast<std::uint32_t>(6 + 2 * xfIndexes.size()));
}

std::uint32_t CellBlock::MulRK::RkEntry::read(const char* buffer) {
  LittleEndian::read(buffer, xfIndex, 0);
  LittleEndian::read(buffer, rk, 2);
  return 6;
}

std::uint32_t CellBlock::MulRK::RkEntry::write(char* buffer) const {
  LittleEndian::write(buffer, xfIndex, 0);
  LittleEndian::write(buffer, rk, 2);
  return 6;
}

std::uint32_t CellBlock::MulRK::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(12);
  readPosition();
  size_t count = (data().size() - 6) / 6;
  entries.resize(count);
  for (size_t i = 0; i < count; ++i) entries[i].read(data().data() + 4 + 6 * i);
  lastColumn = static_cast<std::uint16_t>(column + count - 1);
  return n;
}

std::uint32_t CellBlock::MulRK::write(char* buffer) {
  return writeEncoded(buffer, [this](char* at) {
    writePosition(at);
    for (size_t i = 0; i < entries.size(); ++i) entries[i].write(at + 4 + 6 * i);
    store(at, dataBytes - 2, lastColumn);
  });
}

std::uint32_t CellBlock::MulRK::dataSize() {
  return setVariableSize(static_cast<std::uint32_t>(6 + 6 * entries.size()));
}

// Formula and the records that follow it

std::uint32_t Formula::RangeRecord::readRange(const char* buffer, std::uint32_t available, size_t fixedSize) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(fixedSize);
  firstRow = get<std::uint16_t>(0);
  lastRow = get<std::uint16_t>(2);
  firstColumn = get<std::uint8_t>(4);
  lastColumn = get<std::uint8_t>(5);
  options = get<std::uint16_t>(6);
  return n;
}

void Formula::RangeRecord::writeRange() {
  put(0, firstRow);
  put(2, lastRow);
  put(4, firstColumn);
  put(5, lastColumn);
  put(6, options);
}

std::uint32_t Formula::Array::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readRange(buffer, available, 12);
  reserved = get<std::uint32_t>(8);
  tokens.assign(data().begin() + 12, data().end());
  return n;
}

std::uint32_t Formula::Array::write(char* buffer) {
  data().resize(dataSize());
  writeRange();
  put(8, reserved);
  std::copy(tokens.begin(), tokens.end(), data().begin() + 12);
  return Record::write(buffer);
}

std::uint32_t Formula::Array::dataSize() { return setVariableSize(static_cast<std::uint32_t>(12 + tokens.size())); }

std::uint32_t Formula::ShrFmla::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readRange(buffer, available, 8);
  tokens.assign(data().begin() + 8, data().end());
  return n;
}

std::uint32_t Formula::ShrFmla::write(char* buffer) {
  data().resize(dataSize());
  writeRange();
  std::copy(tokens.begin(), tokens.end(), data().begin() + 8);
  return Record::write(buffer);
}

std::uint32_t Formula::ShrFmla::dataSize() { return setVariableSize(static_cast<std::uint32_t>(8 + tokens.size())); }

std::uint32_t Formula::Table::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readRange(buffer, available, 16);
  fitLayout(16);
  inputRow1 = get<std::uint16_t>(8);
  inputColumn1 = get<std::uint16_t>(10);
  inputRow2 = get<std::uint16_t>(12);
  inputColumn2 = get<std::uint16_t>(14);
  return n;
}

std::uint32_t Formula::Table::write(char* buffer) {
  data().resize(dataSize());
  writeRange();
  put(8, inputRow1);
  put(10, inputColumn1);
  put(12, inputRow2);
  put(14, inputColumn2);
  return Record::write(buffer);
}

void Formula::String::setText(const std::u16string& units) {
  text = units.substr(0, utf16Prefix(units.data(), units.size(), 0xFFFF));
  hasText = true;
  std::string narrow;
  flag = utf16ToLatin1(text, narrow) ? 0 : 1;
}

void Formula::String::clearText() {
  text.clear();
  hasText = false;
}

std::uint32_t Formula::String::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(3);
  std::uint16_t count = get<std::uint16_t>(0);
  flag = get<std::uint8_t>(2) & 1;
  if ((data().size() - 3) / (flag ? 2 : 1) < count) throw MalformedStream{"formula string characters"};
  if (flag) {
    text.resize(count);
    for (size_t i = 0; i < count; ++i) text[i] = get<std::uint16_t>(3 + 2 * i);
  } else {
    text = latin1ToUtf16(data().data() + 3, count);
  }
  hasText = true;
  return n;
}

std::uint32_t Formula::String::write(char* buffer) {
  data().resize(dataSize());
  if (!hasText) return Record::write(buffer);
  put(0, static_cast<std::uint16_t>(text.size()));
  put(2, flag);
  std::string narrow;
  if (flag)
    for (size_t i = 0; i < text.size(); ++i) put(3 + 2 * i, static_cast<std::uint16_t>(text[i]));
  else if (utf16ToLatin1(text, narrow) && !narrow.empty()) std::memcpy(data().data() + 3, narrow.data(), narrow.size());
  return Record::write(buffer);
}

std::uint32_t Formula::String::dataSize() {
  // 8-bit only when every character fits in one byte.
  std::string narrow;
  if (!flag && !utf16ToLatin1(text, narrow)) flag = 1;
  return setVariableSize(hasText ? static_cast<std::uint32_t>(3 + (flag ? 2 : 1) * text.size()) : 0);
}

Record* Formula::followUp() {
  switch (followUpCode) {
    case Array::kCode: return &array;
    case ShrFmla::kCode: return &shrFmla;
    case ShrFmla1::kCode: return &shrFmla1;
    case Table::kCode: return &table;
    default: return nullptr;
  }
}

std::uint32_t Formula::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(20);
  readPosition();
  xfIndex = get<std::uint16_t>(4);
  std::memcpy(result.data(), data().data() + 6, 8);
  options = get<std::uint16_t>(14);
  tokens.assign(data().begin() + 20, data().end());
  std::uint32_t pos = n;
  followUpCode = kNoFollowUp;
  std::uint16_t next = peekCode(buffer + pos, available - pos);
  if (next == ShrFmla1::kCode || next == Array::kCode || next == Table::kCode || next == ShrFmla::kCode) {
    followUpCode = next;
    pos += followUp()->read(buffer + pos, available - pos);
  }
  string.clearText();
  if (peekCode(buffer + pos, available - pos) == String::kCode) pos += string.read(buffer + pos, available - pos);
  return pos;
}

std::uint32_t Formula::write(char* buffer) {
  data().assign(dataSize(), 0);
  writePosition(data().data());
  put(4, xfIndex);
  std::memcpy(data().data() + 6, result.data(), 8);
  put(14, options);
  put(16, std::uint32_t(0));
  std::copy(tokens.begin(), tokens.end(), data().begin() + 20);
  std::uint32_t pos = Record::write(buffer);
  if (Record* follow = followUp()) pos += follow->write(buffer + pos);
  if (string.hasText) pos += string.write(buffer + pos);
  return pos;
}

std::uint32_t Formula::dataSize() { return setVariableSize(static_cast<std::uint32_t>(20 + tokens.size())); }

std::uint64_t Formula::recordSize() {
  dataSize();
  std::uint64_t size = recordBytes;
  if (Record* follow = followUp()) size += follow->recordSize();
  if (string.hasText) size += string.recordSize();
  return size;
}

// CellBlock

bool CellBlock::accepts(std::uint16_t recordCode) {
  switch (recordCode) {
    case Blank::kCode:
    case Number::kCode:
    case BoolErr::kCode:
    case RK::kCode:
    case Formula::kCode:
    case MulRK::kCode:
    case MulBlank::kCode:
    case LabelSST::kCode:
    case RString::kCode: return true;
    default: return false;
  }
}

bool CellBlock::create(std::uint16_t recordCode) {
  if (record && code == recordCode) return true;
  if (!accepts(recordCode)) return false;
  reset();
  switch (recordCode) {
    case Blank::kCode: record = std::make_unique<Blank>(); break;
    case Number::kCode: record = std::make_unique<Number>(); break;
    case BoolErr::kCode: record = std::make_unique<BoolErr>(); break;
    case RK::kCode: record = std::make_unique<RK>(); break;
    case Formula::kCode: record = std::make_unique<Formula>(); break;
    case MulRK::kCode: record = std::make_unique<MulRK>(); break;
    case MulBlank::kCode: record = std::make_unique<MulBlank>(); break;
    case RString::kCode: record = std::make_unique<RString>(); break;
    default: record = std::make_unique<LabelSST>(); break;
  }
  code = recordCode;
  return true;
}

void CellBlock::reset() {
  record.reset();
  code = 0xFFFF;
}

std::uint32_t CellBlock::read(const char* buffer, std::uint32_t available) {
  std::uint16_t recordCode = peekCode(buffer, available);
  reset();
  if (!create(recordCode)) throw MalformedStream{"no cell record"};
  return record->read(buffer, available);
}

}  // namespace QExcel
