// Sheet-level and row-block records of the worksheet substream.
#include <algorithm>

#include "spreadsheet/worksheet.h"

namespace QExcel {

using RowBlock = Worksheet::CellTable::RowBlock;

Worksheet::Index::Index() : Record(kCode, 16), dbCellPositions(1, 0) { dataSize(); }

std::uint32_t Worksheet::Index::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(16);
  firstRow = get<std::uint32_t>(4);
  lastRowPlusOne = get<std::uint32_t>(8);
  // The number of positions comes from the data, not from the row range.
  dbCellPositions.resize((data().size() - 16) / 4);
  for (size_t i = 0; i < dbCellPositions.size(); ++i) dbCellPositions[i] = get<std::uint32_t>(16 + 4 * i);
  return n;
}

std::uint32_t Worksheet::Index::write(char* buffer) {
  data().assign(dataSize(), 0);
  put(4, firstRow);
  put(8, lastRowPlusOne);
  for (size_t i = 0; i < dbCellPositions.size(); ++i) put(16 + 4 * i, dbCellPositions[i]);
  return Record::write(buffer);
}

std::uint32_t Worksheet::Index::dataSize() {
  return setVariableSize(static_cast<std::uint32_t>(16 + 4 * dbCellPositions.size()));
}

std::uint32_t Worksheet::ColInfo::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 10, 12);  // the reserved field is sometimes left out
  firstColumn = get<std::uint16_t>(0);
  lastColumn = get<std::uint16_t>(2);
  width = get<std::uint16_t>(4);
  xfIndex = get<std::uint16_t>(6);
  options = get<std::uint16_t>(8);
  reserved = get<std::uint16_t>(10);
  return n;
}

std::uint32_t Worksheet::ColInfo::write(char* buffer) {
  data().resize(dataSize());
  put(0, firstColumn);
  put(2, lastColumn);
  put(4, width);
  put(6, xfIndex);
  put(8, options);
  put(10, reserved);
  return Record::write(buffer);
}

std::uint32_t Worksheet::ColInfos::read(const char* buffer, std::uint32_t available) {
  ColInfo info;
  std::uint32_t n = info.read(buffer, available);
  list.push_back(std::move(info));
  return n;
}

std::uint32_t Worksheet::ColInfos::write(char* buffer) {
  std::uint32_t pos = 0;
  for (ColInfo& info : list) pos += info.write(buffer + pos);
  return pos;
}

std::uint64_t Worksheet::ColInfos::recordSize() {
  std::uint32_t size = 0;
  for (ColInfo& info : list) size += info.recordSize();
  return size;
}

std::uint32_t Worksheet::Dimensions::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 14, 14);
  firstRow = get<std::uint32_t>(0);
  lastRowPlusOne = get<std::uint32_t>(4);
  firstColumn = get<std::uint16_t>(8);
  lastColumnPlusOne = get<std::uint16_t>(10);
  reserved = get<std::uint16_t>(12);
  return n;
}

std::uint32_t Worksheet::Dimensions::write(char* buffer) {
  data().resize(dataSize());
  put(0, firstRow);
  put(4, lastRowPlusOne);
  put(8, firstColumn);
  put(10, lastColumnPlusOne);
  put(12, reserved);
  return Record::write(buffer);
}

std::uint32_t Worksheet::Window2::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 10, 18);  // some writers leave out the zoom fields
  options = get<std::uint16_t>(0);
  firstVisibleRow = get<std::uint16_t>(2);
  firstVisibleColumn = get<std::uint16_t>(4);
  gridColour = get<std::uint16_t>(6);
  reserved1 = get<std::uint16_t>(8);
  pageBreakZoom = get<std::uint16_t>(10);
  normalZoom = get<std::uint16_t>(12);
  reserved2 = get<std::uint32_t>(14);
  return n;
}

std::uint32_t Worksheet::Window2::write(char* buffer) {
  data().resize(dataSize());
  put(0, options);
  put(2, firstVisibleRow);
  put(4, firstVisibleColumn);
  put(6, gridColour);
  put(8, reserved1);
  put(10, pageBreakZoom);
  put(12, normalZoom);
  put(14, reserved2);
  return Record::write(buffer);
}

std::uint32_t Worksheet::MergedCells::MergedCell::read(const char* buffer) {
  LittleEndian::read(buffer, firstRow, 0);
  LittleEndian::read(buffer, lastRow, 2);
  LittleEndian::read(buffer, firstColumn, 4);
  LittleEndian::read(buffer, lastColumn, 6);
  return 8;
}

std::uint32_t Worksheet::MergedCells::MergedCell::write(char* buffer) const {
  LittleEndian::write(buffer, firstRow, 0);
  LittleEndian::write(buffer, lastRow, 2);
  LittleEndian::write(buffer, firstColumn, 4);
  LittleEndian::write(buffer, lastColumn, 6);
  return 8;
}

std::uint32_t Worksheet::MergedCells::write(char* buffer) const {
  std::uint32_t pos = 0;
  for (size_t first = 0; first < ranges.size(); first += kPerRecord) {
    size_t n = std::min(kPerRecord, ranges.size() - first);
    LittleEndian::write(buffer, kCode, pos);
    LittleEndian::write(buffer, static_cast<std::uint16_t>(8 * n + 2), pos + 2);
    LittleEndian::write(buffer, static_cast<std::uint16_t>(n), pos + 4);
    pos += 6;
    for (size_t i = 0; i < n; ++i) pos += ranges[first + i].write(buffer + pos);
  }
  return pos;
}

std::uint32_t Worksheet::MergedCells::read(const char* buffer, std::uint32_t available) {
  std::uint32_t pos = 0;
  while (peekCode(buffer + pos, available - pos) == kCode) {
    Record record;
    pos += record.read(buffer + pos, available - pos);
    record.requireData(2);
    // The count comes from the data: ranges the record does not hold are not read.
    size_t n = std::min<size_t>(record.get<std::uint16_t>(0), (record.data().size() - 2) / 8);
    for (size_t i = 0; i < n; ++i) {
      MergedCell cell;
      cell.read(record.data().data() + 2 + 8 * i);
      ranges.push_back(cell);
    }
  }
  return pos;
}

std::uint32_t Worksheet::MergedCells::recordSize() const {
  size_t records = (ranges.size() + kPerRecord - 1) / kPerRecord;
  return static_cast<std::uint32_t>(6 * records + 8 * ranges.size());
}

std::uint32_t RowBlock::Row::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 16, 16);
  rowIndex = get<std::uint16_t>(0);
  firstColumn = get<std::uint16_t>(2);
  lastColumnPlusOne = get<std::uint16_t>(4);
  height = get<std::uint16_t>(6);
  reserved1 = get<std::uint16_t>(8);
  reserved2 = get<std::uint16_t>(10);
  options = get<std::uint32_t>(12);
  return n;
}

std::uint32_t RowBlock::Row::write(char* buffer) {
  return writeEncoded(buffer, [this](char* at) {
    store(at, 0, rowIndex);
    store(at, 2, firstColumn);
    store(at, 4, lastColumnPlusOne);
    store(at, 6, height);
    store(at, 8, reserved1);
    store(at, 10, reserved2);
    store(at, 12, options);
  });
}

std::uint32_t RowBlock::DBCell::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(4);
  firstRowOffset = get<std::uint32_t>(0);
  rowOffsets.resize((data().size() - 4) / 2);
  for (size_t i = 0; i < rowOffsets.size(); ++i) rowOffsets[i] = get<std::uint16_t>(4 + 2 * i);
  return n;
}

std::uint32_t RowBlock::DBCell::write(char* buffer) {
  return writeEncoded(buffer, [this](char* at) {
    store(at, 0, firstRowOffset);
    for (size_t i = 0; i < rowOffsets.size(); ++i) store(at, 4 + 2 * i, rowOffsets[i]);
  });
}

std::uint32_t RowBlock::DBCell::dataSize() {
  return setVariableSize(static_cast<std::uint32_t>(4 + 2 * rowOffsets.size()));
}

}  // namespace QExcel
