// The output table: tables written from grids, their layout, column fit, block cells and
// failure messages; updating, resetting, resizing and reading tables; the insertion helpers.
#include <gtest/gtest.h>

#include <algorithm>

#include "extraction/output_table.h"
#include "platform/host/db_blocks.h"
#include "platform/host/db_table.h"
#include "platform/host/db_table_style.h"
#include "platform/host/text_style.h"
#include "tests/support/output_test_support.h"

using namespace output_test;

namespace {

using Texts = std::vector<std::wstring>;

// What a table holds, read through its public operations.
struct TableView {
  unsigned rows = 0, columns = 0;
  std::vector<Texts> cells;
  std::vector<std::vector<OvDbObjectId>> blocks;
  std::vector<std::vector<bool>> autoFit;
  std::vector<double> widths;
  std::vector<OvDbTable::CellRange> merges;
  OvDbObjectId style;
  OvGePoint3d position;
  bool blockCurrent = false;
};

TableView view(OvDbObjectId id) {
  TableView v;
  OvDbTable* table = nullptr;
  EXPECT_EQ(ovdbOpenObject(table, id, Ovis::kForRead), Ovis::eOk);
  if (!table) return v;
  v.rows = table->numRows();
  v.columns = table->numColumns();
  for (unsigned r = 0; r < v.rows; ++r) {
    v.cells.emplace_back();
    v.blocks.emplace_back();
    v.autoFit.emplace_back();
    for (unsigned c = 0; c < v.columns; ++c) {
      v.cells.back().push_back(table->textString(r, c));
      v.blocks.back().push_back(table->blockTableRecordId(r, c));
      v.autoFit.back().push_back(table->isAutoScale(r, c));
    }
  }
  for (unsigned c = 0; c < v.columns; ++c) v.widths.push_back(table->columnWidth(c));
  v.merges = table->mergedRanges();
  v.style = table->tableStyle();
  v.position = table->position();
  v.blockCurrent = table->isTableBlockCurrent();
  table->close();
  return v;
}

// The documented metric of the stand-in: half the text height per character.
double fittedWidth(const std::wstring& widest, double height = OvDbTableStyle::kDefaultTextHeight) {
  return 1.3 * std::min(static_cast<double>(widest.size()) * 0.5 * height, 50.0);
}

bool sameMerges(const std::vector<OvDbTable::CellRange>& merges, std::vector<std::array<unsigned, 4>> expected) {
  if (merges.size() != expected.size()) return false;
  for (size_t i = 0; i < merges.size(); ++i) {
    const auto& m = merges[i];
    if (std::array<unsigned, 4>{m.minRow, m.maxRow, m.minColumn, m.maxColumn} != expected[i]) return false;
  }
  return true;
}

class OutputTableTest : public DrawingTest {
protected:
  void TearDown() override {
    OvDbTable::clearFailures();
    DrawingTest::TearDown();
  }

  OvDbObjectId makeBlock(const wchar_t* name) {
    OvDbBlockTable* blockTable = nullptr;
    EXPECT_EQ(db()->getBlockTable(blockTable, Ovis::kForWrite), Ovis::eOk);
    auto* record = new OvDbBlockTableRecord;
    record->setName(name);
    OvDbObjectId id;
    EXPECT_EQ(blockTable->add(id, record), Ovis::eOk);
    record->close();
    blockTable->close();
    return id;
  }

  std::vector<OvDbObjectId> modelSpace() {
    OvDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(ovdbOpenObject(space, db()->modelSpaceId(), Ovis::kForRead), Ovis::eOk);
    std::vector<OvDbObjectId> ids = space->entityIds();
    space->close();
    return ids;
  }

  OvDbObjectId standardStyle() {
    OvDbDictionary* dictionary = nullptr;
    EXPECT_EQ(db()->getTableStyleDictionary(dictionary, Ovis::kForRead), Ovis::eOk);
    OvDbObjectId id;
    EXPECT_EQ(dictionary->getAt(L"Standard", id), Ovis::eOk);
    dictionary->close();
    return id;
  }

  OvDbObjectId create(const TextGrid& grid, const std::vector<int>& columnOrder, const std::vector<int>& rowOrder,
                      bool headerShown, std::vector<bool> flags = {}, const BlockPreviewMap& previewMap = {}) {
    if (flags.empty()) flags.assign(grid.empty() ? 0 : grid[0].size(), true);
    return createOutputTable(grid, previewMap, flags, columnOrder, rowOrder, OvGePoint3d(3, 4, 0), L"Block preview",
                             L"Doors", headerShown);
  }

  // An opened table of its own, not in the drawing, for the functions that take one.
  std::unique_ptr<OvDbTable> looseTable(unsigned rows, unsigned columns) {
    auto table = std::make_unique<OvDbTable>();
    table->setSize(rows, columns);
    return table;
  }
};

const TextGrid kGrid = {{L"Id", L"Object type", L"Layer", L"Length"},
                        {L"2A", L"Line", L"Walls", L"12.5"},
                        {L"2B", L"Line", L"Doors and windows", L"3"},
                        {L"30", L"Arc", L"0", L"7.25"}};

TEST_F(OutputTableTest, HeaderShownTableLayout) {
  OvDbObjectId id = create(kGrid, {1, 2, 3}, {0, 1, 2, 3}, true);
  ASSERT_FALSE(id.isNull());
  EXPECT_EQ(modelSpace(), std::vector<OvDbObjectId>{id});
  TableView v = view(id);
  ASSERT_EQ(v.rows, 5u);
  ASSERT_EQ(v.columns, 3u);
  EXPECT_EQ(v.cells[0], (Texts{L"Doors", L"", L""}));
  EXPECT_EQ(v.cells[1], (Texts{L"Object type", L"Layer", L"Length"}));
  EXPECT_EQ(v.cells[2], (Texts{L"Line", L"Walls", L"12.5"}));
  EXPECT_EQ(v.cells[4], (Texts{L"Arc", L"0", L"7.25"}));
  EXPECT_TRUE(sameMerges(v.merges, {{0, 0, 0, 2}}));
  EXPECT_EQ(v.style, standardStyle());
  EXPECT_EQ(v.position, OvGePoint3d(3, 4, 0));
  EXPECT_TRUE(v.blockCurrent);
  // The title row is not measured; each column fits its widest text under it.
  EXPECT_DOUBLE_EQ(v.widths[0], fittedWidth(L"Object type"));
  EXPECT_DOUBLE_EQ(v.widths[1], fittedWidth(L"Doors and windows"));
  EXPECT_DOUBLE_EQ(v.widths[2], fittedWidth(L"Length"));
  EXPECT_EQ(transcript(), L"");
}

TEST_F(OutputTableTest, HeaderHiddenStartsWithTheFirstDataRow) {
  OvDbObjectId id = create(kGrid, {3, 1}, {1, 3, 2}, false);
  TableView v = view(id);
  ASSERT_EQ(v.rows, 4u);
  EXPECT_EQ(v.cells[1], (Texts{L"12.5", L"Line"}));
  EXPECT_EQ(v.cells[2], (Texts{L"7.25", L"Arc"}));
  EXPECT_EQ(v.cells[3], (Texts{L"3", L"Line"}));
  EXPECT_TRUE(sameMerges(v.merges, {{0, 0, 0, 1}}));
}

TEST_F(OutputTableTest, TotalsRowsComeLastSortedOrNot) {
  TextGrid grid = kGrid;
  grid.push_back({L"", L"", L"", L""});
  grid.push_back({L"", L"", L"", L"22.75"});
  // Unsorted: the preview's last row is the totals row, whose entry names the empty row.
  TableView v = view(create(grid, {1, 3}, {0, 1, 2, 3, 4}, true));
  ASSERT_EQ(v.rows, 7u);
  EXPECT_EQ(v.cells[4], (Texts{L"Arc", L"7.25"}));
  EXPECT_EQ(v.cells[5], (Texts{L"", L""}));
  EXPECT_EQ(v.cells[6], (Texts{L"", L"22.75"}));

  // Sorted descending by length with the totals entry first: the empty row stands there,
  // the totals row is still last.
  v = view(create(grid, {1, 3}, {0, 4, 1, 3, 2}, true));
  ASSERT_EQ(v.rows, 7u);
  EXPECT_EQ(v.cells[2], (Texts{L"", L""}));
  EXPECT_EQ(v.cells[3], (Texts{L"Line", L"12.5"}));
  EXPECT_EQ(v.cells[5], (Texts{L"Line", L"3"}));
  EXPECT_EQ(v.cells[6], (Texts{L"", L"22.75"}));
}

TEST_F(OutputTableTest, ColumnsHiddenByTheirFlagStayEmpty) {
  TableView v = view(create(kGrid, {1, 2, 3}, {0, 1, 2, 3}, true, {true, true, false, true}));
  ASSERT_EQ(v.columns, 3u);
  for (unsigned r = 1; r < v.rows; ++r) EXPECT_EQ(v.cells[r][1], L"") << "row " << r;
  EXPECT_DOUBLE_EQ(v.widths[1], 1.3);  // nothing measured: the 1.0 floor
  EXPECT_TRUE(sameMerges(v.merges, {{0, 0, 0, 2}}));
}

TEST_F(OutputTableTest, BlockPreviewCells) {
  OvDbObjectId door = makeBlock(L"DOOR");
  OvDbObjectId window = makeBlock(L"WINDOW");
  TextGrid grid = {{L"Id", L"Block name", L"Block preview"},
                   {L"A1", L"DOOR", L""},
                   {L"A2", L"WINDOW", L""},
                   {L"A3", L"LOOSE", L""},
                   {L"", L"", L""}};
  BlockPreviewMap previews = {{L"A1", door}, {L"A2", window}, {L"", window}};
  TableView v = view(create(grid, {1, 2}, {0, 1, 2, 3, 4}, true, {}, previews));
  ASSERT_EQ(v.rows, 6u);
  EXPECT_EQ(v.cells[1][1], L"Block preview");
  EXPECT_TRUE(v.blocks[1][1].isNull());
  EXPECT_EQ(v.blocks[2][1], door);
  EXPECT_TRUE(v.autoFit[2][1]);
  EXPECT_EQ(v.blocks[3][1], window);
  EXPECT_TRUE(v.blocks[4][1].isNull());  // handle not in the map
  EXPECT_TRUE(v.blocks[5][1].isNull());  // empty handle
  EXPECT_EQ(transcript(), L"");

  // Header hidden: the first row under the title is a data row and shows its block.
  v = view(create(grid, {1, 2}, {1, 2, 3, 4}, false, {}, previews));
  EXPECT_EQ(v.cells[1][0], L"DOOR");
  EXPECT_EQ(v.blocks[1][1], door);

  // A column of values that the person named like the preview column keeps its values, in
  // the data rows and the totals row: preview cells hold no text.
  TextGrid renamed = {{L"Id", L"Block preview", L"Block preview"},
                      {L"A1", L"", L"0.5"},
                      {L"2E", L"", L"0.25"},
                      {L"", L"", L""},
                      {L"", L"", L"0.75"}};
  v = view(create(renamed, {1, 2}, {0, 1, 2, 3, 4}, true, {}, previews));
  ASSERT_EQ(v.rows, 6u);
  EXPECT_EQ(v.blocks[2][0], door);
  EXPECT_EQ(v.cells[2][1], L"0.5");
  EXPECT_EQ(v.cells[3][1], L"0.25");
  EXPECT_EQ(v.cells[5][1], L"0.75");
  EXPECT_TRUE(v.blocks[2][1].isNull());
}

TEST_F(OutputTableTest, WidthsAreCappedAndFloored) {
  std::wstring long64(64, L'w');  // extent 64 x 0.5 x 2.5 = 80.0
  std::wstring short8(8, L's');   // extent 10.0
  TextGrid grid = {{L"Id", L"A", L"B"}, {L"1", long64, short8}};
  TableView v = view(create(grid, {1, 2}, {1}, false));
  EXPECT_DOUBLE_EQ(v.widths[0], 65.0);
  EXPECT_DOUBLE_EQ(v.widths[1], 13.0);
}

TEST_F(OutputTableTest, CellTextStylesAndHeightsAreMeasured) {
  auto table = looseTable(2, 2);
  OvDbObjectId wide;
  {
    auto* style = new OvDbTextStyleTableRecord;
    style->setName(L"Wide");
    ASSERT_EQ(style->setXScale(2.0), Ovis::eOk);
    ASSERT_EQ(db()->addOvDbObject(wide, style), Ovis::eOk);
    style->close();
  }
  ASSERT_EQ(table->setTextStyle(1, 0, wide), Ovis::eOk);
  ASSERT_EQ(table->setTextHeight(1, 1, 4.0), Ovis::eOk);
  TextGrid grid = {{L"Id", L"abcd", L"abcd"}};
  fillTable(grid, {}, table.get(), {true, true, true}, {1, 2}, {0}, L"", L"T", true);
  EXPECT_DOUBLE_EQ(table->columnWidth(0), 1.3 * 4 * 0.5 * 2.5 * 2.0);
  EXPECT_DOUBLE_EQ(table->columnWidth(1), 1.3 * 4 * 0.5 * 4.0);
}

TEST_F(OutputTableTest, HeaderOnlyGridsAndNoColumns) {
  TextGrid header = {kGrid[0]};
  EXPECT_EQ(view(create(header, {1, 2}, {0}, true)).rows, 2u);
  TableView titleOnly = view(create(header, {1, 2}, {1}, false));
  EXPECT_EQ(titleOnly.rows, 1u);
  EXPECT_EQ(titleOnly.cells[0][0], L"Doors");
  size_t before = modelSpace().size();
  EXPECT_TRUE(create(kGrid, {}, {0, 1, 2, 3}, true).isNull());  // no column shown: no table
  EXPECT_TRUE(create({}, {1}, {}, false).isNull());
  EXPECT_EQ(modelSpace().size(), before);
}

TEST_F(OutputTableTest, TheThreeFailureMessages) {
  // The fourth cell write (the title is the first) fails: the cells before it stay,
  // nothing is fitted or recomputed.
  OvDbTable::failOperation(OvDbTable::Operation::kSetTextString, 3);
  TableView v = view(create(kGrid, {1, 2, 3}, {0, 1, 2, 3}, true));
  EXPECT_EQ(transcript(), L"Error adding content into a table cell");
  EXPECT_EQ(v.cells[1], (Texts{L"Object type", L"Layer", L""}));
  EXPECT_EQ(v.widths, (std::vector<double>{20.0, 20.0, 20.0}));
  EXPECT_FALSE(v.blockCurrent);

  HostEditor::clearTranscript();
  OvDbTable::failOperation(OvDbTable::Operation::kSetColumnWidth, 1);
  v = view(create(kGrid, {1, 2, 3}, {0, 1, 2, 3}, true));
  EXPECT_EQ(transcript(), L"Error to fit content into a table column");
  EXPECT_DOUBLE_EQ(v.widths[0], fittedWidth(L"Object type"));
  EXPECT_EQ(v.widths[1], 20.0);
  EXPECT_EQ(v.widths[2], 20.0);
  EXPECT_FALSE(v.blockCurrent);

  HostEditor::clearTranscript();
  OvDbTable::failOperation(OvDbTable::Operation::kRecomputeTableBlock);
  v = view(create(kGrid, {1, 2, 3}, {0, 1, 2, 3}, true));
  EXPECT_EQ(transcript(), L"Error updating table");
  EXPECT_EQ(v.cells[4][2], L"7.25");
  EXPECT_FALSE(v.blockCurrent);

  // A block cell that cannot be set is a failed cell write too.
  HostEditor::clearTranscript();
  OvDbObjectId door = makeBlock(L"DOOR");
  OvDbTable::failOperation(OvDbTable::Operation::kSetBlockTableRecordId);
  create({{L"Id", L"Block preview"}, {L"A1", L""}}, {1}, {0, 1}, true, {}, {{L"A1", door}});
  EXPECT_EQ(transcript(), L"Error adding content into a table cell");
}

TEST_F(OutputTableTest, OrdersNamingMissingRowsAreReportedAsCellFailures) {
  TableView v = view(create(kGrid, {1, 9}, {0, 1, 2, 3}, true));
  EXPECT_EQ(transcript(), L"Error adding content into a table cell");
  HostEditor::clearTranscript();
  create(kGrid, {1}, {0, 17, 2, 3}, true);
  EXPECT_EQ(transcript(), L"Error adding content into a table cell");
}

TEST_F(OutputTableTest, FailedAppendDeletesTheTable) {
  OvDbBlockTableRecord* space = nullptr;
  standardStyle();  // the style dictionary exists before the count is taken
  ASSERT_EQ(ovdbOpenObject(space, db()->modelSpaceId(), Ovis::kForWrite), Ovis::eOk);
  size_t objects = db()->objectCount();
  EXPECT_TRUE(create(kGrid, {1, 2}, {0, 1, 2, 3}, true).isNull());
  EXPECT_EQ(db()->objectCount(), objects);
  EXPECT_TRUE(space->entityIds().empty());
  space->close();
}

TEST_F(OutputTableTest, UpdateTableRewritesUnderTheTitle) {
  OvDbObjectId door = makeBlock(L"DOOR");
  TextGrid grid = {
      {L"Id", L"Name", L"Block preview", L"Empty"}, {L"A1", L"Front door", L"", L""}, {L"A2", L"Back", L"", L""}};
  auto table = looseTable(4, 3);
  ASSERT_EQ(table->setTextString(0, 0, L"Title"), Ovis::eOk);
  ASSERT_EQ(table->setTextString(1, 0, L"old"), Ovis::eOk);
  updateTable(grid, {{L"A1", door}, {L"Id", door}}, table.get(), L"Block preview");
  EXPECT_EQ(table->textString(0, 0), L"Title");
  EXPECT_EQ(table->textString(1, 0), L"Name");
  EXPECT_EQ(table->textString(1, 1), L"Block preview");  // row 1 is never a block cell
  EXPECT_TRUE(table->blockTableRecordId(1, 1).isNull());
  EXPECT_EQ(table->blockTableRecordId(2, 1), door);
  EXPECT_EQ(table->textString(3, 0), L"Back");
  EXPECT_DOUBLE_EQ(table->columnWidth(0), fittedWidth(L"Front door"));
  EXPECT_DOUBLE_EQ(table->columnWidth(2), fittedWidth(L"Empty"));
  EXPECT_TRUE(table->isTableBlockCurrent());

  // A column whose texts are all empty gets width 0 here (no floor).
  auto bare = looseTable(3, 1);
  updateTable({{L"Id", L""}, {L"1", L""}}, {}, bare.get(), L"Block preview");
  EXPECT_EQ(bare->columnWidth(0), 0.0);

  // A failed width keeps the earlier widths of the remaining columns.
  auto widths = looseTable(4, 3);
  ASSERT_EQ(widths->setColumnWidth(7.0), Ovis::eOk);
  OvDbTable::failOperation(OvDbTable::Operation::kSetColumnWidth, 1);
  updateTable(grid, {}, widths.get(), L"Block preview");
  EXPECT_EQ(transcript(), L"Error to fit content into a table column");
  EXPECT_EQ(widths->columnWidth(1), 7.0);
  EXPECT_EQ(widths->columnWidth(2), 7.0);
  EXPECT_FALSE(widths->isTableBlockCurrent());

  // A table too small for the grid: a failed cell write, not a write past its end.
  HostEditor::clearTranscript();
  auto small = looseTable(2, 3);
  updateTable(grid, {}, small.get(), L"Block preview");
  EXPECT_EQ(transcript(), L"Error adding content into a table cell");
}

TEST_F(OutputTableTest, ResizeKeepsRowZeroAndColumnZero) {
  auto table = looseTable(4, 3);
  ASSERT_EQ(table->setTextString(0, 0, L"Title"), Ovis::eOk);
  ASSERT_EQ(table->setTextString(2, 0, L"gone"), Ovis::eOk);
  ASSERT_EQ(table->setTextString(0, 2, L"gone too"), Ovis::eOk);
  ASSERT_EQ(table->setColumnWidth(0, 11.0), Ovis::eOk);
  ASSERT_EQ(table->setRowHeight(0, 6.5), Ovis::eOk);
  ASSERT_EQ(table->mergeCells(0, 0, 0, 2), Ovis::eOk);
  ASSERT_TRUE(resizeTable(table.get(), 3, 5));
  EXPECT_EQ(table->numRows(), 3u);
  EXPECT_EQ(table->numColumns(), 5u);
  EXPECT_EQ(table->textString(0, 0), L"Title");
  for (unsigned r = 0; r < 3; ++r) {
    for (unsigned c = 0; c < 5; ++c) {
      if (r || c) {
        EXPECT_EQ(table->textString(r, c), L"") << r << "," << c;
      }
    }
  }
  EXPECT_EQ(table->columnWidth(4), 11.0);
  EXPECT_EQ(table->rowHeight(2), 6.5);
  EXPECT_TRUE(table->mergedRanges().empty());  // the merge went with its columns
  ASSERT_TRUE(resetTable(table.get(), table->numRows(), table->numColumns()));
  EXPECT_TRUE(sameMerges(table->mergedRanges(), {{0, 0, 0, 4}}));
  OvDbTable::failOperation(OvDbTable::Operation::kGenerateLayout);
  EXPECT_FALSE(resetTable(table.get(), 3, 5));
  EXPECT_EQ(transcript(), L"Error updating table");
  OvDbTable::failOperation(OvDbTable::Operation::kSetTextString, 4);
  EXPECT_FALSE(resetTable(table.get(), 3, 5));
  EXPECT_EQ(transcript(), L"Error updating tableError adding content into a table cell");
}

// Merged ranges move, grow and shrink with inserted and deleted rows and columns.
TEST_F(OutputTableTest, MergesFollowInsertedAndDeletedRowsAndColumns) {
  auto table = looseTable(6, 4);
  ASSERT_EQ(table->mergeCells(1, 3, 0, 1), Ovis::eOk);
  ASSERT_EQ(table->mergeCells(4, 5, 2, 3), Ovis::eOk);
  ASSERT_EQ(table->deleteRows(2, 1), Ovis::eOk);
  EXPECT_TRUE(sameMerges(table->mergedRanges(), {{1, 2, 0, 1}, {3, 4, 2, 3}}));
  ASSERT_EQ(table->insertRows(2, 5.0, 2), Ovis::eOk);
  EXPECT_TRUE(sameMerges(table->mergedRanges(), {{1, 4, 0, 1}, {5, 6, 2, 3}}));
  ASSERT_EQ(table->insertColumns(0, 3.0, 1), Ovis::eOk);
  EXPECT_TRUE(sameMerges(table->mergedRanges(), {{1, 4, 1, 2}, {5, 6, 3, 4}}));
  ASSERT_EQ(table->deleteColumns(3, 2), Ovis::eOk);  // the second range goes with its columns
  EXPECT_TRUE(sameMerges(table->mergedRanges(), {{1, 4, 1, 2}}));
  ASSERT_EQ(table->deleteRows(0, 4), Ovis::eOk);  // one row of the range is left
  EXPECT_TRUE(sameMerges(table->mergedRanges(), {{0, 0, 1, 2}}));
  ASSERT_EQ(table->deleteColumns(1, 1), Ovis::eOk);  // a single cell is no merge
  EXPECT_TRUE(table->mergedRanges().empty());
  EXPECT_EQ(table->deleteRows(0, table->numRows()), Ovis::eInvalidInput);
  EXPECT_EQ(table->mergeCells(0, 9, 0, 0), Ovis::eInvalidIndex);
}

TEST_F(OutputTableTest, ResizeRefusesATableOpenForRead) {
  OvDbObjectId id = create(kGrid, {1, 2}, {0, 1, 2, 3}, true);
  OvDbTable* table = nullptr;
  ASSERT_EQ(ovdbOpenObject(table, id, Ovis::kForRead), Ovis::eOk);
  EXPECT_FALSE(resizeTable(table, 2, 2));
  EXPECT_EQ(table->numRows(), 5u);
  EXPECT_EQ(table->numColumns(), 2u);
  table->close();
}

TEST_F(OutputTableTest, ReadingCellsBack) {
  TextGrid grid = kGrid;
  grid.push_back({L"", L"", L"", L""});
  grid.push_back({L"", L"", L"", L"22.75"});
  OvDbObjectId id = create(grid, {1, 3}, {0, 1, 2, 3, 4}, true);
  OvDbTable* table = nullptr;
  ASSERT_EQ(ovdbOpenObject(table, id, Ovis::kForRead), Ovis::eOk);
  TextGrid read = {{L"kept"}};
  EXPECT_TRUE(readTableCells(table, read));
  ASSERT_EQ(read.size(), 7u);
  EXPECT_EQ(read[0], std::vector<CString>{L"kept"});
  EXPECT_EQ(read[1], (std::vector<CString>{L"Object type", L"Length"}));
  EXPECT_EQ(read[6], (std::vector<CString>{L"", L"22.75"}));
  std::vector<CString> names;
  collectTotalledHeaders(names, table);
  EXPECT_EQ(names, std::vector<CString>{L"Length"});
  std::vector<CString> row = {L"x"};
  readTableRow(row, table, 2, 2);
  EXPECT_EQ(row, (std::vector<CString>{L"x", L"Line", L"12.5"}));
  table->close();

  auto titleOnly = looseTable(1, 2);
  TextGrid none;
  EXPECT_FALSE(readTableCells(titleOnly.get(), none));
  EXPECT_TRUE(none.empty());
}

TEST_F(OutputTableTest, UcsMatrixTakesPickedPointsToWorld) {
  OvGeMatrix3d identity;
  identity.setCoordSystem(OvGePoint3d(0, 0, 0), OvGeVector3d::kXAxis, OvGeVector3d::kYAxis, OvGeVector3d::kZAxis);
  db()->setUcs(OvGePoint3d(10, 5, 0), OvGeVector3d(0, 2, 0), OvGeVector3d(-3, 0, 0));
  OvGeMatrix3d ucs =
      setUcsFromMatrix(identity, db()->ucsorg(), db()->ucsxdir(), db()->ucsydir(), /*makeCurrent=*/false);
  OvGePoint3d world = ucs * OvGePoint3d(1, 1, 2);
  EXPECT_NEAR(world.x, 9.0, 1e-12);
  EXPECT_NEAR(world.y, 6.0, 1e-12);
  EXPECT_NEAR(world.z, 2.0, 1e-12);
  EXPECT_EQ(db()->ucsxdir().y, 2.0);  // not made current

  // A matrix that moves the system along x moves the result with it; made current, the
  // drawing's UCS takes the normalised axes.
  OvGeMatrix3d shifted;
  shifted.setCoordSystem(OvGePoint3d(100, 0, 0), OvGeVector3d::kXAxis, OvGeVector3d::kYAxis, OvGeVector3d::kZAxis);
  ucs = setUcsFromMatrix(shifted, OvGePoint3d(10, 5, 0), OvGeVector3d(0, 2, 0), OvGeVector3d(-3, 0, 0),
                         /*makeCurrent=*/true);
  world = ucs * OvGePoint3d(0, 0, 0);
  EXPECT_NEAR(world.x, 110.0, 1e-12);
  EXPECT_NEAR(db()->ucsorg().x, 110.0, 1e-12);
  EXPECT_NEAR(db()->ucsxdir().y, 1.0, 1e-12);
  EXPECT_NEAR(db()->ucsydir().x, -1.0, 1e-12);

  OvGeMatrix3d flat;
  flat.setCoordSystem(OvGePoint3d(0, 0, 0), OvGeVector3d::kXAxis, OvGeVector3d::kXAxis, OvGeVector3d::kZAxis);
  EXPECT_EQ(ovedSetCurrentUCS(flat), Ovis::eInvalidInput);
}

// The command echo is switched off while the insertion point is asked for, and on again.
TEST_F(OutputTableTest, CommandEchoOffAndOn) {
  auto echo = [] {
    OvResBuf value;
    EXPECT_EQ(ovedGetVar(L"CMDECHO", &value), RTNORM);
    EXPECT_EQ(value.restype, 5003);
    return value.resval.rint;
  };
  ASSERT_EQ(echo(), 1);
  setCmdEcho(false);
  EXPECT_EQ(echo(), 0);
  setCmdEcho(true);
  EXPECT_EQ(echo(), 1);
}

}  // namespace
