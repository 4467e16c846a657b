// The wizard's list routines and its grid, on real list views inside a parent window,
// driven through the stand-in's input where a person would act.
#include <gtest/gtest.h>

#include <memory>

#include "extraction/res_strings.h"
#include "gridctrl/column_trait_edit.h"
#include "gridctrl/windows_version.h"
#include "platform/win/user_input.h"
#include "res/resource_ids.h"
#include "tests/support/plugin_resources.h"
#include "wizard/list_helpers.h"

namespace {

using Row = std::vector<CString>;

// The property page's grid: check image, totals check box in trait column 2, cells from cell 2 on.
constexpr GridCellLayout kPropertyCells{.checkColumn = true, .totalsColumn = 2, .skipFirst = true, .columnOffset = 2};

class ListHelpers : public ::testing::Test {
protected:
  void SetUp() override {
    attachPluginResources();
    SetUserInterfaceLanguage(0x0C09);
    StandIn::ResetSystemConfiguration();
    ResetWindowsVersionCache();
    StandIn::PumpMessages();
    windowsBefore = StandIn::LiveWindowCount();
    objectsBefore = StandIn::LiveWndObjectCount();
    menusBefore = StandIn::LiveMenuCount();
    scopedDriver = std::make_unique<StandIn::ScopedInputDriver>(driver);
    StandIn::ClearTrackedMenus();
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Page", WS_OVERLAPPED | WS_VISIBLE, 10, 10, 640, 420,
                                nullptr, nullptr));
    ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 500, 300), &parent, IDC_KINDS_LIST));
    ASSERT_TRUE(filter.Create(WS_CHILD | WS_VISIBLE | LVS_LIST, CRect(0, 310, 500, 400), &parent, IDC_FILTER_LIST));
  }
  void TearDown() override {
    grid.DestroyWindow();
    filter.DestroyWindow();
    parent.DestroyWindow();
    StandIn::PumpMessages();
    images.DeleteImageList();
    scopedDriver.reset();
    EXPECT_EQ(StandIn::LiveWindowCount(), windowsBefore) << "a window outlived its test";
    EXPECT_EQ(StandIn::LiveWndObjectCount(), objectsBefore) << "a window object outlived its test";
    EXPECT_EQ(StandIn::LiveMenuCount(), menusBefore) << "a popup menu left behind";
    EXPECT_EQ(driver.PendingAnswers(), 0) << "scripted input left unused";
  }

  std::vector<CString> columnTexts(CListCtrl& list, int col) {
    std::vector<CString> texts;
    for (int i = 0; i < list.GetItemCount(); ++i) texts.push_back(list.GetItemText(i, col));
    return texts;
  }
  std::vector<int> columnImages(int col) {
    std::vector<int> images;
    for (int i = 0; i < grid.GetItemCount(); ++i) images.push_back(grid.GetCellImageIndex(i, col));
    return images;
  }
  CPoint cellPoint(int row, int col) {
    CRect area;
    EXPECT_TRUE(grid.GetCellArea(row, col, LVIR_LABEL, area));
    return area.CenterPoint();
  }
  CPoint headerPoint(int col) {
    CRect item;
    EXPECT_TRUE(grid.GetHeaderCtrl()->GetItemRect(col, &item));
    return item.CenterPoint();
  }
  // The properties page's layout: check column, display-name edit column, totals column.
  TextGrid propertyPageRows() {
    return {{L"Chk", L"Categ", L"Property", L"Display name", L"Total"},
            {L"1", L"1", L"Layer", L"Layer", L"0"},
            {L"0", L"2", L"Length", L"Len", L"1"},
            {L"1", L"2", L"Area", L"Area", L"0"}};
  }

  CWnd parent;
  GridListCtrl grid;
  CListCtrl filter;
  CImageList images;
  StandIn::ScriptedInputDriver driver;
  std::unique_ptr<StandIn::ScopedInputDriver> scopedDriver;
  int windowsBefore = 0, objectsBefore = 0, menusBefore = 0;
};

TEST(RowTables, UpdatePropertyCheckMarksEveryMatchAndColumnZeroMeansOne) {
  TextGrid rows{{L"0", L"Line", L"x"}, {L"0", L"Arc", L"Line"}, {L"0", L"Line", L"y"}};
  updatePropertyCheck(rows, L"Line", true, 0);
  EXPECT_EQ(rows[0][0], L"1");
  EXPECT_EQ(rows[1][0], L"0");
  EXPECT_EQ(rows[2][0], L"1");
  updatePropertyCheck(rows, L"Line", false, 2);
  EXPECT_EQ(rows[1][0], L"0");
  updatePropertyCheck(rows, L"Line", true, 2);
  EXPECT_EQ(rows[1][0], L"1");
  // An empty row is passed over, not written.
  TextGrid ragged{{}, {L"1", L"Line"}};
  updatePropertyCheck(ragged, L"Line", false, 1);
  EXPECT_TRUE(ragged[0].empty());
  EXPECT_EQ(ragged[1][0], L"0");
}

TEST(RowTables, FiltersAndBuildsTheKindAndPropertyTables) {
  attachPluginResources();
  SetUserInterfaceLanguage(0x0C09);
  PropertyCatalogue catalogue;
  TextGrid objects = buildObjectTypeRows({kKindBlock, kKindLine, 12, kKindMText}, catalogue);
  ASSERT_EQ(objects.size(), 4u);  // header, Block, Line, MText; kind 12 gives no row
  EXPECT_EQ(objects[0], (Row{L"Chk", L"Block name"}));
  EXPECT_EQ(objects[1], (Row{L"1", L"Block"}));
  EXPECT_EQ(objects[3], (Row{L"1", L"MText"}));
  EXPECT_EQ(filterObjectRows(objects, 1, catalogue), (TextGrid{{L"1", L"Block"}}));
  EXPECT_EQ(filterObjectRows(objects, 2, catalogue), (TextGrid{{L"1", L"Line"}, {L"1", L"MText"}}));

  OfferedPropertyMap offered{{L"Radius", 2, false}, {L"Area", 2, true}, {L"Layer", 1, false}};
  TextGrid properties = buildPropertyRows(offered, false);
  ASSERT_EQ(properties.size(), 4u);
  EXPECT_EQ(properties[0], (Row{L"Chk", L"Categ", L"Property", L"Display name", L"Total"}));
  EXPECT_EQ(properties[1], (Row{L"1", L"2", L"Area", L"Area", L"1"}));
  EXPECT_EQ(properties[2], (Row{L"1", L"1", L"Layer", L"Layer", L"0"}));
  EXPECT_EQ(buildPropertyRows(offered, true)[3][0], L"0");
  // The header's "Categ" reads as 0 and is never a category's row.
  EXPECT_EQ(filterPropertyRows(properties, 2).size(), 2u);
  EXPECT_EQ(filterPropertyRows(properties, 1), (TextGrid{properties[2]}));
  EXPECT_TRUE(filterPropertyRows(properties, 0).size() == 1 && filterPropertyRows(properties, 0)[0][1] == L"Categ");
}

TEST_F(ListHelpers, ListRowsGoToTheTopInTheirOrderWithChecksAndRowIndexes) {
  TextGrid rows{{L"Chk", L"Block name"}, {L"1", L"Line"}, {L"0", L"Arc"}};
  setupListColumns(rows, &grid, {.checkColumn = true, .fill = true, .skipFirst = true});
  EXPECT_TRUE(grid.GetExtendedStyle() & LVS_EX_CHECKBOXES);
  ASSERT_EQ(grid.GetHeaderCtrl()->GetItemCount(), 2);
  EXPECT_EQ(grid.GetColumnHeading(0), L" ");
  EXPECT_EQ(grid.GetColumnWidth(0), 20);
  EXPECT_EQ(grid.GetColumnHeading(1), L"Block name");
  EXPECT_EQ(grid.GetColumnWidth(1), 100);
  EXPECT_EQ(columnTexts(grid, 1), (std::vector<CString>{L"Line", L"Arc"}));

  TextGrid more{{L"1", L"Circle"}, {L"0", L"Point"}};
  EXPECT_EQ(fillListRows(more, &grid, {.fromRow0 = true, .skipFirst = true}), 2);
  EXPECT_EQ(columnTexts(grid, 1), (std::vector<CString>{L"Circle", L"Point", L"Line", L"Arc"}));
  EXPECT_TRUE(grid.GetCheck(0));
  EXPECT_FALSE(grid.GetCheck(1));
  EXPECT_TRUE(grid.GetCheck(2));
  EXPECT_EQ(grid.GetItemData(1), 1u);
  EXPECT_EQ(grid.GetItemData(3), 2u);
  EXPECT_EQ(getCheckedItemTexts(&grid), (std::vector<CString>{L"Circle", L"Line"}));

  TextGrid gone{{L"1", L"Line"}, {L"1", L"Nothing"}};
  EXPECT_TRUE(removeListRows(gone, &grid, 0));
  EXPECT_EQ(columnTexts(grid, 1), (std::vector<CString>{L"Circle", L"Point", L"Arc"}));
  EXPECT_FALSE(removeListRows(gone, &grid, 1));
}

TEST_F(ListHelpers, ThePropertyGridShowsCheckImagesEditColumnAndTotals) {
  TextGrid rows = propertyPageRows();
  fillGrid(rows, &grid, &images, {.cells = kPropertyCells, .headerShown = true, .fill = true, .editColumns = true});
  ASSERT_EQ(grid.GetHeaderColumnCount(), 4);
  EXPECT_FALSE(grid.IsColumnShown(0));
  EXPECT_EQ(grid.GetColumnHeading(1), L"Property");
  EXPECT_EQ(grid.GetColumnHeading(2), L"Display name");
  EXPECT_EQ(grid.GetColumnHeading(3), L"Total");
  EXPECT_NE(dynamic_cast<CColumnTraitImage*>(grid.GetColumnTraitAt(1)), nullptr);
  EXPECT_NE(dynamic_cast<CColumnTraitEdit*>(grid.GetColumnTraitAt(2)), nullptr);
  EXPECT_EQ(dynamic_cast<CColumnTraitEdit*>(grid.GetColumnTraitAt(3)), nullptr);
  EXPECT_NE(dynamic_cast<CColumnTraitImage*>(grid.GetColumnTraitAt(3)), nullptr);
  EXPECT_EQ(grid.GetImageList(LVSIL_SMALL), &images);

  EXPECT_EQ(columnTexts(grid, 0), (std::vector<CString>{L"1", L"0", L"1"}));
  EXPECT_EQ(columnTexts(grid, 1), (std::vector<CString>{L"Layer", L"Length", L"Area"}));
  EXPECT_EQ(columnTexts(grid, 2), (std::vector<CString>{L"Layer", L"Len", L"Area"}));
  EXPECT_EQ(columnTexts(grid, 3), (std::vector<CString>{L"", L"", L""}));
  EXPECT_EQ(columnImages(1), (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(columnImages(3), (std::vector<int>{0, 1, 0}));

  std::map<CString, CString> names{{L"stale", L"x"}};
  EXPECT_EQ(readPropertySelection(&grid, 0, 1, names), (std::vector<CString>{L"Layer", L"Area"}));
  EXPECT_EQ(names, (std::map<CString, CString>{{L"Area", L"Area"}, {L"Layer", L"Layer"}}));
  // Totals are read from the totals cells, whether or not the property is checked.
  EXPECT_EQ(collectTotalsColumns(&grid, 2, -1), (std::vector<CString>{L"Length"}));
  EXPECT_EQ(collectTotalsColumns(&grid, 2, 1), (std::vector<CString>{L"Len"}));

  // Rows added later go to the top.
  TextGrid extra{{L"0", L"3", L"Hyperlink", L"Link", L"0"}};
  EXPECT_EQ(fillGridRows(extra, &grid, {.cells = kPropertyCells, .fromRow0 = true}), 1);
  EXPECT_EQ(columnTexts(grid, 1).front(), L"Hyperlink");
  EXPECT_EQ(columnImages(1).front(), 0);
}

TEST_F(ListHelpers, APreviewWithTheHeaderHiddenTakesItsHeadingsFromTheFirstDataRow) {
  TextGrid rows{{L"Id", L"Object type", L"Length"}, {L"1A", L"Arc", L"5"},  {L"1B", L"Point", L"12"},
                {L"1C", L"Circle", L"7"},           {L"1D", L"Line", L"9"}, {L"1E", L"", L"33"}};
  fillGrid(rows, &grid, &images, {.cells = {.skipFirst = true}, .headerShown = false, .fill = true});
  EXPECT_EQ(grid.GetColumnHeading(1), L"Arc");
  EXPECT_EQ(grid.GetColumnHeading(2), L"5");
  EXPECT_EQ(columnTexts(grid, 0), (std::vector<CString>{L"1B", L"1C", L"1D", L"1E"}));
  EXPECT_EQ(columnTexts(grid, 2), (std::vector<CString>{L"12", L"7", L"9", L"33"}));
  EXPECT_EQ(orderRowsByColumns(&grid, false), (std::vector<int>{1, 2, 3, 4, 5}));
  // The person sorts by the kind column (the last row, a totals row, stays last).
  grid.SetEndsWithTotalsRow(true);
  StandIn::LeftClick(grid.GetHeaderCtrl()->GetSafeHwnd(), headerPoint(1));
  EXPECT_EQ(columnTexts(grid, 1), (std::vector<CString>{L"Circle", L"Line", L"Point", L""}));
  EXPECT_EQ(orderRowsByColumns(&grid, false), (std::vector<int>{1, 3, 4, 2, 5}));
  EXPECT_EQ(orderRowsByColumns(&grid, true).front(), 0);
}

TEST_F(ListHelpers, ColumnOrderFollowsDragsAndLeavesOutHiddenColumns) {
  TextGrid rows{{L"Id", L"A", L"B", L"C"}, {L"1", L"a", L"b", L"c"}};
  fillGrid(rows, &grid, &images, {.cells = {.skipFirst = true}, .headerShown = true, .fill = true});
  grid.includedColumns.assign(rows[0].size(), true);
  grid.headerMenuEnabled = true;
  EXPECT_EQ(getColumnOrder(&grid), (std::vector<int>{1, 2, 3}));
  int dragged[] = {0, 3, 1, 2};
  grid.SetColumnOrderArray(4, dragged);
  EXPECT_EQ(getColumnOrder(&grid), (std::vector<int>{3, 1, 2}));

  // Hide column B from the header menu, then show it again.
  driver.ChooseMenuText(L"B");
  StandIn::RightClick(grid.GetHeaderCtrl()->GetSafeHwnd(), headerPoint(1));
  EXPECT_FALSE(grid.IsColumnShown(2));
  EXPECT_EQ(grid.includedColumns, (std::vector<bool>{true, true, false, true}));
  EXPECT_EQ(getColumnOrder(&grid), (std::vector<int>{3, 1}));
  driver.ChooseMenuText(L"B");
  StandIn::RightClick(grid.GetHeaderCtrl()->GetSafeHwnd(), headerPoint(1));
  EXPECT_TRUE(grid.IsColumnShown(2));
  EXPECT_EQ(grid.includedColumns, (std::vector<bool>{true, true, true, true}));
  // Only the per-column items: no editor, chooser, profile or reset item without a store.
  const auto& menu = StandIn::TrackedMenus().back();
  EXPECT_EQ(menu.items.size(), 3u);

  // With the menu off nothing opens.
  grid.headerMenuEnabled = false;
  std::size_t tracked = StandIn::TrackedMenus().size();
  StandIn::RightClick(grid.GetHeaderCtrl()->GetSafeHwnd(), headerPoint(1));
  EXPECT_EQ(StandIn::TrackedMenus().size(), tracked);
}

TEST_F(ListHelpers, TheCellMenuChecksOrClearsAWholeColumn) {
  TextGrid rows = propertyPageRows();
  fillGrid(rows, &grid, &images, {.cells = kPropertyCells, .headerShown = true, .fill = true, .editColumns = true});
  grid.cellCheckMode = true;

  // A text cell outside column 1 has no image: no menu.
  StandIn::RightClick(grid.GetSafeHwnd(), cellPoint(0, 2));
  EXPECT_TRUE(StandIn::TrackedMenus().empty());

  driver.ChooseMenuText(L"Select all");
  StandIn::RightClick(grid.GetSafeHwnd(), cellPoint(1, 3));
  ASSERT_EQ(StandIn::TrackedMenus().size(), 1u);
  EXPECT_EQ(StandIn::TrackedMenus().back().items.size(), 2u);
  EXPECT_EQ(columnImages(3), (std::vector<int>{1, 1, 1}));
  driver.ChooseMenuText(L"No selection");
  StandIn::RightClick(grid.GetSafeHwnd(), cellPoint(2, 1));
  EXPECT_EQ(columnImages(1), (std::vector<int>{0, 0, 0}));
  driver.ChooseMenuId(0);
  StandIn::RightClick(grid.GetSafeHwnd(), cellPoint(2, 1));
  EXPECT_EQ(columnImages(1), (std::vector<int>{0, 0, 0}));
}

TEST_F(ListHelpers, TheKindsListMenuUsesTheItemCheckBoxes) {
  TextGrid rows{{L"Chk", L"Block name"}, {L"1", L"Line"}, {L"0", L"Arc"}};
  setupListColumns(rows, &grid, {.checkColumn = true, .fill = true, .skipFirst = true});
  driver.ChooseMenuText(L"Select all");
  StandIn::RightClick(grid.GetSafeHwnd(), cellPoint(0, 1));
  EXPECT_EQ(getCheckedItemTexts(&grid), (std::vector<CString>{L"Line", L"Arc"}));
  driver.ChooseMenuText(L"No selection");
  StandIn::RightClick(grid.GetSafeHwnd(), cellPoint(1, 1));
  EXPECT_TRUE(getCheckedItemTexts(&grid).empty());
}

TEST_F(ListHelpers, FilterListsAreBuiltOnceAndShownInTheirOrder) {
  PropertyCatalogue catalogue;
  filter.SetExtendedStyle(LVS_EX_CHECKBOXES);
  TextGrid objectFilter;
  EXPECT_EQ(restoreObjectFilter({kKindBlock, kKindLine, kKindArc}, &filter, objectFilter, catalogue), 0);
  EXPECT_EQ(objectFilter, (TextGrid{{L"1", L"Block"}, {L"1", L"Non-Block"}}));
  EXPECT_EQ(columnTexts(filter, 0), (std::vector<CString>{L"Non-Block", L"Block"}));
  EXPECT_EQ(filter.GetItemData(0), 2u);
  EXPECT_EQ(filter.GetItemData(1), 1u);
  EXPECT_TRUE(filter.GetCheck(0) && filter.GetCheck(1));

  filter.DeleteAllItems();
  TextGrid kept{{L"0", L"Block"}, {L"1", L"Non-Block"}};
  restoreObjectFilter({kKindLine}, &filter, kept, catalogue);
  EXPECT_EQ(kept.size(), 2u);
  EXPECT_FALSE(filter.GetCheck(1));

  filter.DeleteAllItems();
  TextGrid onlyLines;
  restoreObjectFilter({kKindLine, kKindCircle}, &filter, onlyLines, catalogue);
  EXPECT_EQ(onlyLines, (TextGrid{{L"1", L"Non-Block"}}));

  filter.DeleteAllItems();
  TextGrid categories;
  restorePropertyFilter({kCategoryGeneral, kCategoryGeometry, kCategoryText}, &filter, categories);
  EXPECT_EQ(categories, (TextGrid{{L"1", L"General"}, {L"1", L"Geometry"}, {L"1", L"Text"}}));
  EXPECT_EQ(columnTexts(filter, 0), (std::vector<CString>{L"General", L"Geometry", L"Text"}));
  EXPECT_EQ(filter.GetItemData(0), 1u);
  EXPECT_EQ(filter.GetItemData(2), 6u);
}

TEST_F(ListHelpers, RightAlignmentIsAddedToTheColumnFormat) {
  TextGrid rows{{L"Id", L"A", L"B"}, {L"1", L"a", L"b"}};
  fillGrid(rows, &grid, &images, {.cells = {.skipFirst = true}, .headerShown = true, .fill = true});
  setColumnRightAligned(&grid, 2);
  LVCOLUMN column{};
  column.mask = LVCF_FMT;
  ASSERT_TRUE(grid.GetColumn(2, &column));
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
  column.mask = LVCF_FMT;
  ASSERT_TRUE(grid.GetColumn(1, &column));
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
}

}  // namespace
