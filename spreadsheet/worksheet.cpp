#include "spreadsheet/worksheet.h"

namespace QExcel {

using CellTable = Worksheet::CellTable;
using RowBlock = CellTable::RowBlock;

namespace {
// Records that belong to the sheet, not to a row block: a block that meets one has ended.
bool sheetLevel(std::uint16_t code) {
  switch (code) {
    case Worksheet::Index::kCode:
    case Worksheet::ColInfo::kCode:
    case Worksheet::Dimensions::kCode:
    case Worksheet::Window2::kCode:
    case Worksheet::MergedCells::kCode: return true;
    default: return false;
  }
}

bool startsCells(std::uint16_t code) { return code == RowBlock::Row::kCode || RowBlock::CellBlock::accepts(code); }
}  // namespace

std::uint32_t RowBlock::write(char* buffer) {
  std::uint32_t pos = 0;
  for (Row& row : rows) pos += row.write(buffer + pos);
  for (RefPtr<CellBlock>& cell : cellBlocks) pos += cell->write(buffer + pos);
  pos += dbCell.write(buffer + pos);
  return pos;
}

std::uint32_t RowBlock::recordSize() {
  std::uint32_t size = 0;
  for (Row& row : rows) size += row.recordSize();
  for (RefPtr<CellBlock>& cell : cellBlocks) size += cell->recordSize();
  return size + dbCell.recordSize();
}

std::uint32_t RowBlock::read(const char* buffer, std::uint32_t available) {
  std::uint32_t pos = 0;
  for (;;) {
    const char* at = buffer + pos;
    std::uint32_t left = available - pos;
    std::uint16_t code = peekCode(at, left);
    if (code == DBCell::kCode) return pos + dbCell.read(at, left);
    if (sheetLevel(code) && pos > 0) return pos;
    if (code == Row::kCode) {
      rows.emplace_back();
      pos += rows.back().read(at, left);
    } else if (CellBlock::accepts(code)) {
      RefPtr<CellBlock> cell(new CellBlock);
      pos += cell->read(at, left);
      cellBlocks.push_back(cell);
    } else if (code == BOF::kCode) {
      pos += skipSubstream(at, left);  // an embedded substream is not kept
    } else {
      pos += skipRecord(at, left);
    }
    if (code == QEOF::kCode) throw EXCEPTION_QEOF{pos};
  }
}

std::uint32_t CellTable::write(char* buffer, bool releaseCells) {
  std::uint32_t pos = 0;
  for (RowBlock& block : blocks) {
    pos += block.write(buffer + pos);
    if (releaseCells) block = RowBlock();
  }
  return pos;
}

std::uint32_t CellTable::recordSize() {
  std::uint32_t size = 0;
  for (RowBlock& block : blocks) size += block.recordSize();
  return size;
}

std::uint32_t CellTable::read(const char* buffer, std::uint32_t available) {
  std::uint32_t pos = 0;
  // Cell records without ROW records before them are taken into a block all the same.
  while (startsCells(peekCode(buffer + pos, available - pos))) {
    blocks.emplace_back();
    try {
      pos += blocks.back().read(buffer + pos, available - pos);
    } catch (const EXCEPTION_QEOF& end) {
      throw EXCEPTION_QEOF{pos + end.consumed};
    }
  }
  return pos;
}

std::uint32_t Worksheet::write(char* buffer, bool releaseCells) {
  std::uint32_t pos = 0;
  pos += bof.write(buffer + pos);
  pos += index.write(buffer + pos);
  pos += colInfos.write(buffer + pos);
  pos += dimensions.write(buffer + pos);
  pos += cellTable.write(buffer + pos, releaseCells);
  pos += window2.write(buffer + pos);
  pos += mergedCells.write(buffer + pos);
  pos += eof.write(buffer + pos);
  return pos;
}

std::uint64_t Worksheet::recordSize() {
  return bof.recordSize() + index.recordSize() + colInfos.recordSize() + dimensions.recordSize() +
         cellTable.recordSize() + window2.recordSize() + mergedCells.recordSize() + eof.recordSize();
}

std::uint32_t Worksheet::read(const char* buffer, std::uint32_t available) {
  std::uint32_t pos = 0;
  for (;;) {
    const char* at = buffer + pos;
    std::uint32_t left = available - pos;
    std::uint16_t code = peekCode(at, left);
    if (code == QEOF::kCode) return pos + skipRecord(at, left);
    if (startsCells(code)) {
      try {
        pos += cellTable.read(at, left);
      } catch (const EXCEPTION_QEOF& end) {
        return pos + end.consumed;
      }
      continue;
    }
    switch (code) {
      case BOF::kCode: pos += pos == 0 ? bof.read(at, left) : skipSubstream(at, left); break;
      case Index::kCode: pos += index.read(at, left); break;
      case ColInfo::kCode: pos += colInfos.read(at, left); break;
      case Dimensions::kCode: pos += dimensions.read(at, left); break;
      case Window2::kCode: pos += window2.read(at, left); break;
      case MergedCells::kCode: pos += mergedCells.read(at, left); break;
      default: pos += skipRecord(at, left); break;
    }
  }
}

}  // namespace QExcel
