// Saving a book: turning the sheets' grids into records, placing them in the stream and
// writing the stream into the compound file.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "common/file_replacement.h"
#include "spreadsheet/text_index.h"
#include "spreadsheet/utf16_text.h"
#include "spreadsheet/xls_book.h"

using namespace QExcel;
using RowBlock = Worksheet::CellTable::RowBlock;
using CellBlock = RowBlock::CellBlock;

namespace {
const wchar_t kStreamName[] = L"Workbook";
constexpr std::uint32_t kNotSeenRow = 100000;
constexpr std::uint16_t kNotSeenColumn = 1000;

// RK forms of numbers: a 30-bit integer, or the top 30 bits of a double, either possibly
// multiplied by 100. Used only when the value decodes back exactly.
bool rkFromInt(int value, std::uint32_t& rk) {
  if (value < -(1 << 29) || value >= (1 << 29)) return false;
  rk = static_cast<std::uint32_t>(value) * 4u + 2u;
  return true;
}

bool canStoreAsRk(double value) { return std::trunc(value * 100) * 100 == std::trunc(value * 10000); }

std::uint32_t rkFromDouble(double value) {
  std::uint32_t divide = 0;
  if (std::trunc(value) * 100 != std::trunc(value * 100)) {
    value *= 100;
    divide = 1;
  }
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return (static_cast<std::uint32_t>(bits >> 32) & 0xFFFFFFFCu) | divide;
}

bool rkDouble(double value, std::uint32_t& rk) {
  if (!std::isfinite(value) || !canStoreAsRk(value)) return false;
  rk = rkFromDouble(value);
  std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
  double decoded;
  std::memcpy(&decoded, &bits, sizeof decoded);
  if (rk & 1) decoded /= 100;
  return std::memcmp(&decoded, &value, sizeof value) == 0;
}

// The RK form of a numeric cell, when it has an exact one.
bool rkOf(const XlsCell& cell, std::uint32_t& rk) {
  return cell.type() == XlsCell::INT ? rkFromInt(cell.integerValue(), rk) : rkDouble(cell.doubleValue(), rk);
}

template <class T>
T* newCell(RowBlock& block) {
  RefPtr<CellBlock> made(new CellBlock);  // held before the list grows, which may run out of memory
  CellBlock* holder = block.cellBlocks.emplace_back(std::move(made)).get();
  holder->create(T::kCode);
  return static_cast<T*>(holder->record.get());
}

// Shared-string indexes of the texts met so far, across all sheets of one run.
struct StringTable {
  Workbook::SharedStringTable& sst;
  TextIndex<char> narrowIndex{sst.strings};
  TextIndex<wchar_t> wideIndex{sst.strings};

  // The hash of a text cell's text, whose slot is asked for ahead of its look-up; 0 for
  // a cell of another type.
  std::uint64_t prefetch(const XlsCell& cell) const {
    std::uint64_t hash = 0;
    if (cell.type() == XlsCell::STRING) {
      hash = narrowIndex.hashOf(cell.narrowText(), cell.textLength());
      narrowIndex.prefetch(hash);
    } else if (cell.type() == XlsCell::WSTRING) {
      hash = wideIndex.hashOf(cell.wideText(), cell.textLength());
      wideIndex.prefetch(hash);
    }
    return hash;
  }

  // The index of a text cell's text (of the given hash); a new text is entered.
  std::uint32_t indexOf(const XlsCell& cell, std::uint64_t hash) {
    return cell.type() == XlsCell::STRING ? indexOf(narrowIndex, cell.narrowText(), cell.textLength(), hash)
                                          : indexOf(wideIndex, cell.wideText(), cell.textLength(), hash);
  }

  template <class Char>
  std::uint32_t indexOf(TextIndex<Char>& index, const Char* text, size_t length, std::uint64_t hash) {
    ++sst.total;
    bool added = false;
    std::uint32_t found = index.find(text, length, hash, sst.unique, added);
    if (!added) return found;
    sst.strings.emplace_back();
    sst.strings.back() = text;
    return sst.unique++;
  }
};

// The cells a sheet's records are built from, row by row: the sheet's own grid, or the
// grid that a releasing save took from the sheet, whose rows are freed once turned into
// records.
struct SheetGrid {
  explicit SheetGrid(const XlsSheet& of) : rows(of.rowCount()), columns(of.columnCount()), sheet(&of) {}

  int rows;
  int columns;
  const XlsSheet* sheet;
  bool taken = false;
  std::vector<XlsSheet::Row> takenRows;

  const XlsCell* row(int r) const { return taken ? takenRows[r].data() : sheet->cellAt(r, 0); }
  void rowDone(int r) {
    if (taken) XlsSheet::Row().swap(takenRows[r]);
  }
};

// The record or records of the cell at column c of a row and of the cells after it that
// go into the same record; the column after them.
int addCellRecords(RowBlock& block, const XlsCell* line, int r, int c, int columns, StringTable& table,
                   std::uint64_t textHash) {
  const XlsCell& cell = line[c];
  const auto row = static_cast<std::uint16_t>(r);
  const auto column = static_cast<std::uint16_t>(c);
  const auto xf = static_cast<std::uint16_t>(cell.xfIndex());
  std::uint32_t rk = 0;
  switch (cell.type()) {
    case XlsCell::INT:
    case XlsCell::DOUBLE: {
      if (!rkOf(cell, rk)) {
        auto* number = newCell<CellBlock::Number>(block);
        number->row = row;
        number->column = column;
        number->xfIndex = xf;
        number->value = cell.doubleValue();
        return c + 1;
      }
      // A run of numbers of the same kind that all have an exact RK form.
      int end = c + 1;
      std::uint32_t next;
      while (end < columns && line[end].type() == cell.type() && rkOf(line[end], next)) ++end;
      if (end - c == 1) {
        auto* single = newCell<CellBlock::RK>(block);
        single->row = row;
        single->column = column;
        single->xfIndex = xf;
        single->rk = rk;
      } else {
        auto* run = newCell<CellBlock::MulRK>(block);
        run->row = row;
        run->column = column;
        run->lastColumn = static_cast<std::uint16_t>(end - 1);
        for (int k = c; k < end; ++k) {
          CellBlock::MulRK::RkEntry entry;
          rkOf(line[k], entry.rk);
          entry.xfIndex = static_cast<std::uint16_t>(line[k].xfIndex());
          run->entries.push_back(entry);
        }
      }
      return end;
    }
    case XlsCell::STRING:
    case XlsCell::WSTRING: {
      auto* label = newCell<CellBlock::LabelSST>(block);
      label->row = row;
      label->column = column;
      label->xfIndex = xf;
      label->sstIndex = table.indexOf(cell, textHash);
      return c + 1;
    }
    case XlsCell::FORMULA: {
      auto* formula = newCell<CellBlock::Formula>(block);
      *formula = cell.formula()->record;
      formula->row = row;
      formula->column = column;
      formula->xfIndex = xf;
      return c + 1;
    }
    default: {
      auto* blank = newCell<CellBlock::Blank>(block);
      blank->row = row;
      blank->column = column;
      blank->xfIndex = xf;
      return c + 1;
    }
  }
}

// The merged ranges that begin in a row, in column order.
void addMergedRanges(Worksheet& ws, const XlsCell* line, int r, int columns) {
  for (int c = 0; c < columns; ++c) {
    const XlsCell& cell = line[c];
    if (cell.mergedRows() > 1 || cell.mergedColumns() > 1) {
      int lastRow = std::min(r + cell.mergedRows() - 1, XlsSheet::kMaxRows - 1);
      int lastColumn = std::min(c + cell.mergedColumns() - 1, XlsSheet::kMaxColumns - 1);
      ws.mergedCells.ranges.emplace_back(static_cast<std::uint16_t>(r), static_cast<std::uint16_t>(lastRow),
                                         static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(lastColumn));
    }
  }
}

// The sheet's extent, with the first row and column not yet seen, and its row blocks.
void beginSheet(Worksheet& ws, int rows, int columns) {
  ws.index.firstRow = kNotSeenRow;
  ws.index.lastRowPlusOne = static_cast<std::uint32_t>(rows);
  ws.dimensions.firstRow = kNotSeenRow;
  ws.dimensions.lastRowPlusOne = static_cast<std::uint32_t>(rows);
  ws.dimensions.firstColumn = kNotSeenColumn;
  ws.dimensions.lastColumnPlusOne = static_cast<std::uint16_t>(columns);
  ws.cellTable.blocks.resize((rows + 31) / 32);
}

// Room in the block that begins at row r for its rows and for as many cells as they can
// hold; taken when the block is reached, from room that the rows before may have freed.
void reserveBlock(RowBlock& block, int r, int rows, int columns) {
  const size_t blockRows = static_cast<size_t>(std::min(32, rows - r));
  block.rows.reserve(blockRows);
  block.dbCell.rowOffsets.reserve(blockRows);
  block.cellBlocks.reserve(blockRows * columns);
}

// The records of every row of the grid, with its merged ranges.
void buildSheetRecords(Worksheet& ws, SheetGrid& grid, StringTable& table) {
  const int rows = grid.rows;
  const int columns = grid.columns;
  beginSheet(ws, rows, columns);
  if (rows == 0 || columns == 0) {
    ws.index.firstRow = ws.dimensions.firstRow = 0;
    ws.index.dbCellPositions.assign(rows > 0 ? (rows - 1) / 32 + 1 : 1, 0);
    ws.dimensions.firstColumn = 0;
    return;
  }
  // Every cell of the rectangle is visited: the first, (0, 0), sets the first row and column.
  ws.index.firstRow = ws.dimensions.firstRow = 0;
  ws.index.dbCellPositions.assign((rows - 1) / 32 + 1, 0);
  ws.dimensions.firstColumn = 0;
  std::vector<std::uint64_t> textHashes(columns);
  for (int r = 0; r < rows; ++r) {
    const XlsCell* line = grid.row(r);
    RowBlock& block = ws.cellTable.blocks[r / 32];
    if (r % 32 == 0) reserveBlock(block, r, rows, columns);
    RowBlock::Row record;
    record.rowIndex = static_cast<std::uint16_t>(r);
    record.lastColumnPlusOne = static_cast<std::uint16_t>(columns);
    block.rows.push_back(record);
    block.dbCell.rowOffsets.push_back(0);
    for (int c = 0; c < columns; ++c) textHashes[c] = table.prefetch(line[c]);
    for (int c = 0; c < columns;) c = addCellRecords(block, line, r, c, columns, table, textHashes[c]);
    addMergedRanges(ws, line, r, columns);
    grid.rowDone(r);
  }
}
}  // namespace

void XlsBook::buildRecords() { buildRecords(/*releaseCells=*/false); }

void XlsBook::buildRecords(bool releaseCells) {
  worksheets_.assign(sheets_.size(), Worksheet());
  Workbook::SharedStringTable& sst = workbook_.sst;
  sst.total = 0;
  sst.unique = 0;
  sst.strings.clear();
  StringTable table{sst};
  size_t cells = 0;
  for (const auto& sheet : sheets_) cells += static_cast<size_t>(sheet->rowCount()) * sheet->columnCount();
  table.wideIndex.reserve(cells);
  // Room for a string per cell: the table never moves its strings while growing, and the
  // pages of room left over are never touched.
  sst.strings.reserve(cells);

  for (size_t i = 0; i < sheets_.size(); ++i) {
    XlsSheet& sheet = *sheets_[i];
    Worksheet& ws = worksheets_[i];
    ws.colInfos.list = sheet.colInfos();
    if (i > 0) ws.window2.options &= ~Worksheet::Window2::kSelected;
    SheetGrid grid(sheet);
    if (releaseCells) {
      grid.takenRows = sheet.takeCells();
      grid.taken = true;
    }
    buildSheetRecords(ws, grid, table);
  }
}

void XlsBook::fixStreamPositions() {
  placedBytes_ = workbook_.dataSize();
  // Positions are 32-bit fields: a stream that passes 4 GB is refused before they are used.
  const auto globals = static_cast<std::uint32_t>(placedBytes_);
  const std::vector<std::uint32_t> sheetBytes = fixRowBlockOffsets(globals);
  fixBoundSheetPositions(globals, sheetBytes);
  for (std::uint32_t bytes : sheetBytes) placedBytes_ += bytes;
}

void XlsBook::fixBoundSheetPositions(std::uint32_t globalsBytes, const std::vector<std::uint32_t>& sheetBytes) {
  std::uint32_t position = globalsBytes;
  for (size_t i = 0; i < workbook_.boundSheets.size() && i < worksheets_.size(); ++i) {
    workbook_.boundSheets[i].position = position;
    position += sheetBytes[i];
  }
}

// Each cell record is sized once: the sizes give the block's bytes and its row offsets.
std::vector<std::uint32_t> XlsBook::fixRowBlockOffsets(std::uint32_t globalsBytes) {
  std::vector<std::uint32_t> sheetBytes;
  std::vector<std::uint32_t> cellBytes;
  std::uint32_t position = globalsBytes;
  for (Worksheet& ws : worksheets_) {
    const std::uint32_t sheetStart = position;
    position += ws.bof.recordSize() + ws.index.recordSize() + ws.colInfos.recordSize() + ws.dimensions.recordSize();
    auto& blocks = ws.cellTable.blocks;
    if (ws.index.dbCellPositions.size() < blocks.size()) ws.index.dbCellPositions.resize(blocks.size(), 0);
    for (size_t b = 0; b < blocks.size(); ++b) {
      RowBlock& block = blocks[b];
      std::uint32_t blockBytes = 0;
      for (RowBlock::Row& row : block.rows) blockBytes += row.recordSize();
      std::uint32_t firstRowOffset = blockBytes >= 20 ? blockBytes - 20 : 0;
      cellBytes.clear();
      for (RefPtr<CellBlock>& cell : block.cellBlocks) {
        cellBytes.push_back(cell->recordSize());
        blockBytes += cellBytes.back();
      }
      position += blockBytes;
      ws.index.dbCellPositions[b] = position;
      block.dbCell.firstRowOffset = blockBytes;
      block.dbCell.rowOffsets.resize(block.rows.size(), 0);
      position += block.dbCell.recordSize();

      // Offset of each row's first cell: from the second ROW record for the first row,
      // from the previous row's first cell for the others.
      size_t k = 0;
      for (size_t a = 0; a < block.rows.size(); ++a) {
        std::uint32_t running = a == 0 ? firstRowOffset : 0;
        while (k < block.cellBlocks.size()) {
          if (block.rows[a].rowIndex <= block.cellBlocks[k]->row()) {
            block.dbCell.rowOffsets[a] = static_cast<std::uint16_t>(running);
            break;
          }
          running += cellBytes[k];
          ++k;
        }
      }
    }
    position += ws.window2.recordSize() + ws.mergedCells.recordSize() + ws.eof.recordSize();
    sheetBytes.push_back(position - sheetStart);
  }
  return sheetBytes;
}

void XlsBook::fixExtSst() {
  Workbook& wb = workbook_;
  Workbook::ExtSST& ext = wb.extSst;
  const auto sstPosition = static_cast<std::uint32_t>(wb.bytesBeforeStrings());

  wb.sst.dataSize();
  const std::vector<std::uint32_t>& breaks = wb.sst.continueOffsets().vec();
  std::vector<std::uint32_t> starts;
  std::uint32_t pos = 8;
  size_t next = 0;
  for (const LongString& s : wb.sst.strings) {
    starts.push_back(pos);
    pos += s.dataSize();
    while (next < breaks.size() && breaks[next] < pos) {
      ++pos;
      ++next;
    }
    while (next < breaks.size() && breaks[next] == pos) ++next;
  }
  ext.stringsPerBucket = 10;
  size_t buckets = (starts.size() + 9) / 10;
  ext.positions.assign(buckets, 0);
  ext.offsets.assign(buckets, 0);
  ext.reserved.assign(buckets, 0);
  for (size_t b = 0; b < buckets; ++b) {
    std::uint32_t start = starts[10 * b];
    size_t piece = 0;
    while (piece < breaks.size() && breaks[piece] <= start) ++piece;
    std::uint32_t pieceStart = piece == 0 ? 0 : breaks[piece - 1];
    ext.positions[b] = sstPosition + 4 + start + 4 * static_cast<std::uint32_t>(piece);
    ext.offsets[b] = static_cast<std::uint16_t>(start - pieceStart + 4);
  }
}

std::uint32_t XlsBook::write(char* buffer) { return write(buffer, /*releaseRecords=*/false); }

std::uint32_t XlsBook::write(char* buffer, bool releaseRecords) {
  std::uint32_t pos = workbook_.write(buffer, releaseRecords);
  if (releaseRecords) workbook_.sst = Workbook::SharedStringTable();
  for (Worksheet& ws : worksheets_) pos += ws.write(buffer + pos, releaseRecords);
  return pos;
}

std::uint64_t XlsBook::streamSize() {
  std::uint64_t size = workbook_.dataSize();
  for (Worksheet& ws : worksheets_) size += ws.recordSize();
  return size;
}

bool XlsBook::save() {
  if (!document_.isOpen()) return false;
  std::uint32_t size = 0;
  StreamBytes stream = buildStream(std::exchange(releaseOnSave_, false), size);
  return stream && storeStream(stream.get(), size);
}

XlsBook::StreamBytes XlsBook::buildStream(bool release, std::uint32_t& size) {
  StreamBytes buffer(nullptr, std::free);
  try {
    buildRecords(release);
    fixStreamPositions();
    // Every record announces exactly the bytes it writes: the buffer is sized from them
    // before anything is written, and a stream beyond 4 GB is refused here. It comes
    // zero-filled from calloc, which takes its pages only as the stream is written.
    if (placedBytes_ <= 0xFFFFFFFFull) {
      size = static_cast<std::uint32_t>(placedBytes_);
      buffer.reset(static_cast<char*>(std::calloc(std::max<size_t>(size, 1), 1)));
      if (buffer && write(buffer.get(), release) != size) buffer.reset();
    }
  } catch (const std::bad_alloc&) {
    buffer.reset();
  }
  if (release) releaseContents();
  return buffer;
}

bool XlsBook::storeStream(const char* bytes, std::uint32_t size) {
  // The stream is made anew, so nothing of a longer earlier stream stays behind.
  if (document_.makeStream(kStreamName) != CompoundDocument::kSuccess) return false;
  return document_.writeStream(kStreamName, bytes, size) == CompoundDocument::kSuccess;
}

void XlsBook::releaseContents() {
  for (auto& sheet : sheets_) sheet->takeCells();
  worksheets_.assign(sheets_.size(), Worksheet());
  workbook_.sst = Workbook::SharedStringTable();
}

bool XlsBook::saveAs(const char* path) { return saveAs(widenName(path).c_str()); }

bool XlsBook::saveAs(const wchar_t* path) {
  document_.close();
  const bool release = std::exchange(releaseOnSave_, false);
  std::uint32_t size = 0;
  StreamBytes stream = buildStream(release, size);
  return stream && writeFile(path, stream.get(), size, /*keepOpen=*/!release);
}

bool XlsBook::writeFile(const wchar_t* path, const char* bytes, std::uint32_t size, bool keepOpen) {
  FileReplacement file(path);
  bool written = file.ready() && document_.create(file.path().c_str()) && storeStream(bytes, size);
  document_.close();
  written = written && file.commit();
  if (written && keepOpen) document_.open(path, 3);
  return written;
}
