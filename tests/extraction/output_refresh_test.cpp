// Refresh and rewrite of extraction tables: the engine's two table operations on their own
// rows, and the update flow over a drawing whose objects change, go and come.
#include <gtest/gtest.h>

#include "extraction/extraction_engine.h"
#include "extraction/link_list_names.h"
#include "extraction/output_table.h"
#include "extraction/row_merging.h"
#include "extraction/table_refresh.h"
#include "extraction/xdata_link.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_table.h"
#include "platform/host/selection.h"
#include "platform/win/resources.h"
#include "tests/support/output_test_support.h"
#include "tests/support/plugin_resources.h"
#include "tests/support/whole_drawing.h"

using namespace output_test;

namespace {

using Texts = std::vector<CString>;

class RefreshTest : public DrawingTest {
protected:
  void SetUp() override {
    attachPluginResources();
    SetUserInterfaceLanguage(0x0C09);
    DrawingTest::SetUp();
  }
  void TearDown() override {
    EXPECT_EQ(HostSelection::liveSets(), 0);
    DrawingTest::TearDown();
  }

  // A table written from the grid (all columns but "Id" shown, rows in grid order).
  OvDbObjectId tableOf(const TextGrid& grid, bool headerShown = true) {
    std::vector<int> columns, order = {headerShown ? 0 : 1};
    for (size_t c = 1; c < grid[0].size(); ++c) columns.push_back(static_cast<int>(c));
    for (size_t r = 2; r < grid.size(); ++r) order.push_back(static_cast<int>(r));
    if (headerShown && grid.size() > 1) order.insert(order.begin() + 1, 1);
    return createOutputTable(grid, {}, std::vector<bool>(grid[0].size(), true), columns, order, OvGePoint3d(),
                             L"Block preview", L"Title", headerShown);
  }

  std::vector<Texts> cells(OvDbObjectId id) {
    std::vector<Texts> out;
    OvDbTable* table = nullptr;
    EXPECT_EQ(ovdbOpenObject(table, id, Ovis::kForRead), Ovis::eOk);
    for (unsigned r = 0; r < table->numRows(); ++r) {
      out.emplace_back();
      readTableRow(out.back(), table, r, table->numColumns());
    }
    table->close();
    return out;
  }

  // Refreshes the table from the engine rows; whether it changed. The refresh succeeds
  // unless the test says that it fails.
  bool refresh(OvDbObjectId id, const TextGrid& engineRows, Texts& handles, bool grouped = false,
               const Texts& headers = {}, bool headerHidden = false, bool succeeds = true) {
    ExtractionEngine engine;
    engine.setRows(engineRows);
    OvDbTable* table = nullptr;
    EXPECT_EQ(ovdbOpenObject(table, id, Ovis::kForWrite), Ovis::eOk);
    bool changed = false;
    EXPECT_EQ(engine.refreshTable(table, handles, grouped, headers, headerHidden, changed), succeeds);
    table->close();
    return changed;
  }

  OvDbObjectId addLine(const wchar_t* layer, double length) {
    auto* line = new OvDbLine(OvGePoint3d(0, 0, 0), OvGePoint3d(length, 0, 0));
    line->setLayer(layer);
    OvDbObjectId id;
    EXPECT_EQ(db()->addToModelSpace(id, line), Ovis::eOk);
    line->close();
    return id;
  }

  static CString handleOf(const OvDbObjectId& id) {
    wchar_t text[17];
    id.handle().getIntoAsciiBuffer(text, 17);
    return CString(text);
  }

  ExtractionEngine extractAll() {
    int status = 0;
    ExtractionEngine engine = extractWholeDrawing(&status);
    EXPECT_EQ(status, RTNORM);
    return engine;
  }
};

const TextGrid kRows = {
    {L"Id", L"Layer", L"Length"}, {L"A1", L"Walls", L"10"}, {L"A2", L"Doors", L"2"}, {L"A3", L"Walls", L"5"}};

TEST_F(RefreshTest, UnchangedRowsLeaveTheTableAlone) {
  OvDbObjectId id = tableOf(kRows);
  Texts handles = {L"A1", L"A2", L"A3"};
  EXPECT_FALSE(refresh(id, kRows, handles));
  EXPECT_EQ(handles, (Texts{L"A1", L"A2", L"A3"}));
  EXPECT_EQ(cells(id)[3], (Texts{L"Doors", L"2"}));
}

TEST_F(RefreshTest, ChangedCellsAreRewrittenAndGoneRowsDeleted) {
  OvDbObjectId id = tableOf(kRows);
  Texts handles = {L"A1", L"A2", L"A3"};
  TextGrid now = {kRows[0], {L"A1", L"Walls", L"12"}, {L"A3", L"Walls", L"5"}};
  EXPECT_TRUE(refresh(id, now, handles));
  EXPECT_EQ(handles, (Texts{L"A1", L"A3"}));
  auto table = cells(id);
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[0][0], L"Title");
  EXPECT_EQ(table[2], (Texts{L"Walls", L"12"}));
  EXPECT_EQ(table[3], (Texts{L"Walls", L"5"}));
  EXPECT_EQ(transcript(), L"");
}

TEST_F(RefreshTest, TotalsAreRecomputedInTheLastRow) {
  TextGrid grid = kRows;
  grid.push_back({L"", L"", L""});
  grid.push_back({L"", L"", L"17"});
  OvDbObjectId id = tableOf(grid);
  Texts handles = {L"A1", L"A2", L"A3"};
  TextGrid now = {kRows[0], {L"A1", L"Walls", L"10"}, {L"A2", L"Doors", L"4.5"}};
  EXPECT_TRUE(refresh(id, now, handles));
  auto table = cells(id);
  ASSERT_EQ(table.size(), 6u);
  EXPECT_EQ(table[3], (Texts{L"Doors", L"4.5"}));
  EXPECT_EQ(table[4], (Texts{L"", L""}));
  EXPECT_EQ(table[5], (Texts{L"", L"14.5"}));
  EXPECT_EQ(handles, (Texts{L"A1", L"A2"}));
}

// A data row whose first cell is empty is no totals layout: the last row is data and is
// refreshed as such, never overwritten with sums.
TEST_F(RefreshTest, EmptyFirstCellIsNotATotalsRow) {
  TextGrid grid = {{L"Id", L"Name", L"Length"}, {L"A1", L"", L"1"}, {L"A2", L"b", L"2"}};
  OvDbObjectId id = tableOf(grid);
  Texts handles = {L"A1", L"A2"};
  TextGrid now = {grid[0], {L"A1", L"", L"3"}, {L"A2", L"b", L"2"}};
  EXPECT_TRUE(refresh(id, now, handles));
  auto table = cells(id);
  EXPECT_EQ(table[2], (Texts{L"", L"3"}));
  EXPECT_EQ(table[3], (Texts{L"b", L"2"}));
}

// Engine rows narrower than the table are read within their cells only; the table's other
// cells stay as they are.
TEST_F(RefreshTest, NarrowEngineRowsAreReadWithinTheirCells) {
  OvDbObjectId id = tableOf(kRows);
  Texts handles = {L"A1", L"A2", L"A3"};
  TextGrid narrow = {{L"Id", L"Layer"}, {L"A1", L"Roof"}, {L"A2", L"Doors"}, {L"A3"}};
  EXPECT_TRUE(refresh(id, narrow, handles));
  auto table = cells(id);
  EXPECT_EQ(table[2], (Texts{L"Roof", L"10"}));
  EXPECT_EQ(table[3], (Texts{L"Doors", L"2"}));
  EXPECT_EQ(table[4], (Texts{L"Walls", L"5"}));
  Texts groupHandles = {L"A1", L"A2", L"A3"};
  EXPECT_TRUE(refresh(id, {{L"Id"}, {L"A9"}}, groupHandles, /*grouped=*/true));  // no group value: nothing matches
  EXPECT_EQ(cells(id).size(), 2u);
  EXPECT_TRUE(groupHandles.empty());
}

TEST_F(RefreshTest, GroupedRowsMatchByTheirValue) {
  TextGrid grouped = {{L"Id", L"Layer", L"Length"}, {L"A2", L"Doors", L"2"}, {L"A3", L"Walls", L"15"}};
  OvDbObjectId id = tableOf(grouped);
  Texts handles = {L"A2", L"A3"};
  // The group's last object changed: the handle no longer matches, the value does.
  TextGrid now = {grouped[0], {L"A2", L"Doors", L"2"}, {L"B9", L"Walls", L"16"}};
  EXPECT_TRUE(refresh(id, now, handles, /*grouped=*/true));
  EXPECT_EQ(cells(id)[3], (Texts{L"Walls", L"16"}));
  EXPECT_EQ(handles, (Texts{L"A2", L"A3"}));
}

TEST_F(RefreshTest, HiddenHeaderTablesAndShortHandleLists) {
  OvDbObjectId id = tableOf(kRows, false);  // rows under the title: A1, A2, A3
  Texts handles = {L"A1", L"A2"};           // the third row has no handle entry
  TextGrid now = {kRows[0], {L"A2", L"Doors", L"3"}};
  EXPECT_TRUE(refresh(id, now, handles, /*grouped=*/false, {L"Layer", L"Length"}, /*headerHidden=*/true));
  auto table = cells(id);
  // A1 is gone (deleted from row 1 on, under a hidden header); A2 is refreshed; the row
  // without a handle is left as it was.
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[1], (Texts{L"Doors", L"3"}));
  EXPECT_EQ(table[2], (Texts{L"Walls", L"5"}));
  EXPECT_EQ(handles, (Texts{L"A2"}));
}

TEST_F(RefreshTest, FailedCellWriteEndsTheRefresh) {
  OvDbObjectId id = tableOf(kRows);
  Texts handles = {L"A1", L"A2", L"A3"};
  TextGrid now = {kRows[0], {L"A1", L"Walls", L"11"}, {L"A2", L"Doors", L"3"}, {L"A3", L"Walls", L"5"}};
  OvDbTable::failOperation(OvDbTable::Operation::kSetTextString, 1);
  refresh(id, now, handles, /*grouped=*/false, {}, /*headerHidden=*/false, /*succeeds=*/false);
  OvDbTable::clearFailures();
  EXPECT_EQ(transcript(), L"Error adding content into a table cell");
  EXPECT_EQ(cells(id)[2], (Texts{L"Walls", L"11"}));  // the first write went through
  EXPECT_EQ(cells(id)[3], (Texts{L"Doors", L"2"}));
}

// A gone object's row is deleted where it stands: a current row with the same texts stays,
// and so do the empty row and the totals row even when their texts equal the gone row's.
TEST_F(RefreshTest, GoneRowsAreDeletedWhereTheyStand) {
  TextGrid grid = {{L"Id", L"Layer", L"Length"}, {L"A1", L"Walls", L"5"}, {L"A2", L"Doors", L"2"},
                   {L"A3", L"Walls", L"5"},      {L"", L"", L""},         {L"", L"", L"12"}};
  OvDbObjectId id = tableOf(grid);
  Texts handles = {L"A1", L"A2", L"A3"};
  EXPECT_TRUE(refresh(id, {grid[0], grid[1], grid[2]}, handles));
  EXPECT_EQ(cells(id),
            (std::vector<Texts>{
                {L"Title", L""}, {L"Layer", L"Length"}, {L"Walls", L"5"}, {L"Doors", L"2"}, {L"", L""}, {L"", L"7"}}));
  EXPECT_EQ(handles, (Texts{L"A1", L"A2"}));

  // The gone row shows what the totals row shows.
  grid = {
      {L"Id", L"Layer", L"Length"}, {L"A1", L"", L"12"}, {L"A2", L"Doors", L"0"}, {L"", L"", L""}, {L"", L"", L"12"}};
  id = tableOf(grid);
  handles = {L"A1", L"A2"};
  EXPECT_TRUE(refresh(id, {grid[0], grid[2]}, handles));
  EXPECT_EQ(cells(id),
            (std::vector<Texts>{{L"Title", L""}, {L"Layer", L"Length"}, {L"Doors", L"0"}, {L"", L""}, {L"", L"0"}}));
  EXPECT_EQ(handles, (Texts{L"A2"}));
  EXPECT_EQ(transcript(), L"");

  // The layout fails after the last gone row was deleted: the deletions end there, and only
  // the deleted row's handle leaves the list, so the list still matches the rows.
  grid = {{L"Id", L"Layer"}, {L"B1", L"a"}, {L"B2", L"b"}, {L"B3", L"c"}};
  id = tableOf(grid);
  handles = {L"B1", L"B2", L"B3"};
  OvDbTable::failOperation(OvDbTable::Operation::kGenerateLayout);
  EXPECT_TRUE(refresh(id, {grid[0], grid[2]}, handles));
  OvDbTable::clearFailures();
  EXPECT_EQ(cells(id), (std::vector<Texts>{{L"Title"}, {L"Layer"}, {L"a"}, {L"b"}}));
  EXPECT_EQ(handles, (Texts{L"B1", L"B2"}));
}

TEST_F(RefreshTest, OnlyTheFirstOfTwoIdenticalRowsGoesPerCall) {
  TextGrid grid = {{L"Id", L"Layer"}, {L"1", L"x"}, {L"2", L"x"}, {L"3", L"y"}};
  OvDbObjectId id = tableOf(grid);
  OvDbTable* table = nullptr;
  ASSERT_EQ(ovdbOpenObject(table, id, Ovis::kForWrite), Ovis::eOk);
  EXPECT_TRUE(removeMatchingTableRow(table, {L"x"}, 2));
  EXPECT_EQ(table->numRows(), 4u);
  EXPECT_EQ(table->textString(2, 0), L"x");  // the second one moved up and was not compared
  EXPECT_EQ(table->textString(3, 0), L"y");
  EXPECT_FALSE(removeMatchingTableRow(table, {L"x", L"extra"}, 2));
  EXPECT_FALSE(removeMatchingTableRow(table, {L"Layer"}, 2));  // the header row is not a data row
  OvDbTable::failOperation(OvDbTable::Operation::kGenerateLayout);
  EXPECT_FALSE(removeMatchingTableRow(table, {L"x"}, 2));  // deleted, but the layout failed
  EXPECT_EQ(table->numRows(), 3u);
  // With the header hidden the data start at row 1.
  EXPECT_TRUE(removeMatchingTableRow(table, {L"Layer"}, 1));
  EXPECT_EQ(table->numRows(), 2u);
  EXPECT_EQ(table->textString(1, 0), L"y");
  table->close();
}

TEST_F(RefreshTest, TotalColumnsAndHandles) {
  OfferedPropertyMap items = {{L"Length", 2, true}, {L"Layer", 1, false}, {L"Area", 2, true}};
  Texts out = {L"stale"};
  collectTotalColumns(out, {L"Quantity", L"Length", L"Layer", L"Area", L"Length"}, items, L"Quantity");
  EXPECT_EQ(out, (Texts{L"Area", L"Length", L"Quantity"}));
  Texts list = {L"1", L"2", L"1", L"3"};
  removeHandle(list, L"1");
  EXPECT_EQ(list, (Texts{L"2", L"3"}));
}

TEST_F(RefreshTest, RewriteWritesTheIdsRowsAndKeepsTheTitleAndTotals) {
  TextGrid grid = kRows;
  grid.push_back({L"", L"", L""});
  grid.push_back({L"", L"", L"17"});
  OvDbObjectId id = tableOf(grid);

  ExtractionEngine engine;
  engine.offeredItems = {{L"Length", 2, true}, {L"Layer", 1, false}};
  engine.setRows({kRows[0], {L"A1", L"Walls", L"10"}, {L"A4", L"Roof", L"1"}, {L"A3", L"Walls", L"5"}});
  Texts ids = {L"A3", L"A4", L"A4"};
  OvDbTable* table = nullptr;
  ASSERT_EQ(ovdbOpenObject(table, id, Ovis::kForWrite), Ovis::eOk);
  bool changed = false;
  EXPECT_TRUE(engine.rewriteTable(table, ids, changed));
  EXPECT_TRUE(changed);
  table->close();
  auto written = cells(id);
  // Rows in engine order, once per equal id; then the empty row and the totals.
  ASSERT_EQ(written.size(), 7u);
  EXPECT_EQ(written[0][0], L"Title");
  EXPECT_EQ(written[1], (Texts{L"Layer", L"Length"}));
  EXPECT_EQ(written[2], (Texts{L"Roof", L"1"}));
  EXPECT_EQ(written[3], (Texts{L"Roof", L"1"}));
  EXPECT_EQ(written[4], (Texts{L"Walls", L"5"}));
  EXPECT_EQ(written[5], (Texts{L"", L""}));
  EXPECT_EQ(written[6], (Texts{L"", L"7"}));
}

// The update flow over a drawing: the wizard's table, then objects changed, erased and
// added, refreshed and rewritten through a fresh engine each time.
TEST_F(RefreshTest, TablesFollowTheDrawing) {
  OvDbObjectId a = addLine(L"Walls", 10), b = addLine(L"Doors", 2), c = addLine(L"Walls", 5);
  PropertyCatalogue catalogue;
  const Texts chosen = {L"Layer", L"Length"};

  // The wizard: rows, totals, the empty row before them, the table and its handles.
  ExtractionEngine wizard = extractAll();
  OfferedPropertyMap offered;
  wizard.prepare(offered, {L"Line"});
  TextGrid rows;
  BlockPreviewMap preview;
  wizard.buildRows(rows, preview, chosen, /*quantityChosen=*/false, /*blockNameChosen=*/false, {L"Length"}, L"");
  rows.push_back(computeTotalsRow(rows, {L"Length"}));
  rows.insert(rows.end() - 1, std::vector<CString>(rows[0].size()));
  OvDbObjectId table = createOutputTable(rows, preview, {true, true, true}, {1, 2}, {0, 1, 2, 3, 4}, OvGePoint3d(),
                                         L"Block preview", L"Lines", true);
  ASSERT_TRUE(writeLinkXDataHandles(table, kObjectHandlesApp, collectRowIds(rows, true), {0, 1, 2, 3, 4}, true));
  EXPECT_EQ(cells(table)[6], (Texts{L"", L"17"}));

  // b grows, c goes.
  OvDbLine* line = nullptr;
  ASSERT_EQ(ovdbOpenObject(line, b, Ovis::kForWrite), Ovis::eOk);
  line->setEndPoint(OvGePoint3d(4, 0, 0));
  line->close();
  OvDbObject* gone = nullptr;
  ASSERT_EQ(ovdbOpenObject(gone, c, Ovis::kForWrite), Ovis::eOk);
  gone->erase();
  gone->close();

  Texts handles = readLinkXData(table, kObjectHandlesApp);
  ExtractionEngine update = extractAll();
  update.prepare(offered, {L"Line"});
  OvDbTable* opened = nullptr;
  ASSERT_EQ(ovdbOpenObject(opened, table, Ovis::kForWrite), Ovis::eOk);
  Texts totals;
  collectTotalledHeaders(totals, opened);
  update.buildRows(rows, preview, chosen, /*quantityChosen=*/false, /*blockNameChosen=*/false, totals, L"");
  bool changed = false;
  EXPECT_TRUE(
      update.refreshTable(opened, handles, /*grouped=*/false, {L"Layer", L"Length"}, /*headerHidden=*/false, changed));
  EXPECT_TRUE(changed);
  opened->close();
  EXPECT_EQ(handles, (Texts{handleOf(a), handleOf(b)}));
  EXPECT_EQ(
      cells(table),
      (std::vector<Texts>{
          {L"Lines", L""}, {L"Layer", L"Length"}, {L"Walls", L"10"}, {L"Doors", L"4"}, {L"", L""}, {L"", L"14"}}));
  ASSERT_TRUE(clearLinkXData(table, kObjectHandlesApp));
  ASSERT_TRUE(writeLinkXData(table, kObjectHandlesApp, handles));

  // A new object joins through a rewrite.
  OvDbObjectId d = addLine(L"Roof", 1.5);
  handles.push_back(handleOf(d));
  ExtractionEngine joined = extractAll();
  joined.prepare(offered, {L"Line"});
  joined.buildRows(rows, preview, chosen, /*quantityChosen=*/false, /*blockNameChosen=*/false, totals, L"");
  ASSERT_EQ(ovdbOpenObject(opened, table, Ovis::kForWrite), Ovis::eOk);
  EXPECT_TRUE(joined.rewriteTable(opened, handles, changed));
  EXPECT_TRUE(changed);
  opened->close();
  EXPECT_EQ(cells(table), (std::vector<Texts>{{L"Lines", L""},
                                              {L"Layer", L"Length"},
                                              {L"Walls", L"10"},
                                              {L"Doors", L"4"},
                                              {L"Roof", L"1.5"},
                                              {L"", L""},
                                              {L"", L"15.5"}}));

  // Grouped by layer with totals: one row per layer, matched by its value.
  ExtractionEngine grouping = extractAll();
  grouping.prepare(offered, {L"Line"});
  TextGrid groupedRows;
  grouping.buildRows(groupedRows, preview, chosen, /*quantityChosen=*/false, /*blockNameChosen=*/false, {L"Length"},
                     L"Layer");
  groupedRows.push_back(computeTotalsRow(groupedRows, {L"Length"}));
  groupedRows.insert(groupedRows.end() - 1, std::vector<CString>(groupedRows[0].size()));
  OvDbObjectId groupedTable = tableOf(groupedRows);
  Texts groupHandles = collectRowIds(groupedRows, true);
  ASSERT_EQ(ovdbOpenObject(line, a, Ovis::kForWrite), Ovis::eOk);
  line->setEndPoint(OvGePoint3d(20, 0, 0));
  line->close();
  // A fresh engine over the drawing refreshes the grouped table.
  auto refreshGrouped = [&] {
    ExtractionEngine regroup = extractAll();
    regroup.prepare(offered, {L"Line"});
    regroup.buildRows(groupedRows, preview, chosen, /*quantityChosen=*/false, /*blockNameChosen=*/false, {L"Length"},
                      L"Layer");
    if (ovdbOpenObject(opened, groupedTable, Ovis::kForWrite) != Ovis::eOk) {
      ADD_FAILURE() << "the grouped table does not open";
      return false;
    }
    bool regrouped = false;
    EXPECT_TRUE(regroup.refreshTable(opened, groupHandles, /*grouped=*/true, {L"Layer", L"Length"},
                                     /*headerHidden=*/false, regrouped));
    opened->close();
    return regrouped;
  };
  EXPECT_TRUE(refreshGrouped());
  EXPECT_EQ(cells(groupedTable), (std::vector<Texts>{{L"Title", L""},
                                                     {L"Layer", L"Length"},
                                                     {L"Doors", L"4"},
                                                     {L"Roof", L"1.5"},
                                                     {L"Walls", L"20"},
                                                     {L"", L""},
                                                     {L"", L"25.5"}}));
  EXPECT_EQ(groupHandles, (Texts{handleOf(b), handleOf(d), handleOf(a)}));

  // The only object of a group goes: its row and its handle go, the totals follow.
  ASSERT_EQ(ovdbOpenObject(gone, d, Ovis::kForWrite), Ovis::eOk);
  gone->erase();
  gone->close();
  EXPECT_TRUE(refreshGrouped());
  EXPECT_EQ(
      cells(groupedTable),
      (std::vector<Texts>{
          {L"Title", L""}, {L"Layer", L"Length"}, {L"Doors", L"4"}, {L"Walls", L"20"}, {L"", L""}, {L"", L"24"}}));
  EXPECT_EQ(groupHandles, (Texts{handleOf(b), handleOf(a)}));
  EXPECT_EQ(transcript(), L"");
}

}  // namespace
