// Sorting by clicks on the headings.
#include "grid_fixture.h"

#include <algorithm>
#include <cstdlib>

namespace gridtest {
namespace {

class GridSort : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    CreateGrid();
    grid->InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    grid->InsertColumn(1, L"Count", LVCFMT_LEFT, 80);
    auto* number = dynamic_cast<CColumnTraitText*>(grid->GetColumnTraitAt(1));
    ASSERT_NE(number, nullptr);
    number->SetSortNumeric(true);
    grid->InsertColumn(2, L"Tag", LVCFMT_LEFT, 80);
  }

  int HeaderFormat(int col) {
    HDITEM item;
    item.mask = HDI_FORMAT;
    grid->GetHeaderCtrl()->GetItem(col, &item);
    return item.fmt;
  }
};

using Texts = std::vector<std::wstring>;

TEST_F(GridSort, ClicksSortAscendingThenDescendingAndTheParentSeesThem) {
  AddRows({{L"pear", L"3"}, {L"Apple", L"10"}, {L"fig", L"9"}, {L"Total", L"22"}});
  ClickHeader(0);
  EXPECT_EQ(ColumnTexts(0), (Texts{L"Apple", L"fig", L"pear", L"Total"}));
  EXPECT_TRUE(grid->IsSortAscending());
  EXPECT_TRUE(HeaderFormat(0) & HDF_SORTUP);
  ClickHeader(0);
  EXPECT_EQ(ColumnTexts(0), (Texts{L"Total", L"pear", L"fig", L"Apple"})) << "without a totals row every row sorts";
  EXPECT_TRUE(HeaderFormat(0) & HDF_SORTDOWN);
  EXPECT_FALSE(HeaderFormat(0) & HDF_SORTUP);
  EXPECT_EQ(std::count(parent.codes.begin(), parent.codes.end(), LVN_COLUMNCLICK), 2);
}

TEST_F(GridSort, NumericColumnsCompareNumbersAndKeepATotalsRowLast) {
  grid->SetEndsWithTotalsRow(true);
  AddRows({{L"a", L"9"}, {L"b", L"10"}, {L"c", L"x"}, {L"d", L"-2147483648"}, {L"e", L"2147483647"}, {L"sum", L"5"}});
  ClickHeader(1);
  EXPECT_EQ(ColumnTexts(1), (Texts{L"-2147483648", L"x", L"9", L"10", L"2147483647", L"5"}));
  EXPECT_FALSE(HeaderFormat(0) & (HDF_SORTUP | HDF_SORTDOWN));
  ClickHeader(1);
  EXPECT_EQ(ColumnTexts(1), (Texts{L"2147483647", L"10", L"9", L"x", L"-2147483648", L"5"}));
}

// Header clicks against a stable sort of the same cells made here: texts compare ignoring
// case, the numeric column by value (a text that is no number reads 0), both by their first
// 255 characters; equal cells keep their order from the sort before; a totals row stays last.
TEST_F(GridSort, HeaderClicksSortLikeAStableSortOfTheCells) {
  const std::wstring longText(255, L'k');
  const std::vector<std::wstring> pool = {
      L"",    L"b",   L"B",  L"a",  L"Alpha", L"zeta",         L"10",           L"9",   L"-2.5",
      L"1e3", L"007", L"x1", L" 3", L"10.0",  longText + L"a", longText + L"B", L"kkk", longText.substr(1) + L"a"};
  struct Row {
    std::wstring cells[2];
    std::wstring id;
  };
  std::srand(19);
  for (int round = 0; round < 24; ++round) {
    bool totals = round % 3 == 2;
    grid->DeleteAllItems();
    grid->SetEndsWithTotalsRow(totals);
    std::vector<Row> rows;
    int count = 1 + std::rand() % 40;
    for (int r = 0; r < count; ++r) {
      rows.push_back({{pool[std::rand() % pool.size()], pool[std::rand() % pool.size()]}, std::to_wstring(r)});
      AddRows({{rows.back().cells[0], rows.back().cells[1], rows.back().id}});
    }
    for (int click = 0; click < 4; ++click) {
      int col = std::rand() % 2;
      bool ascending = grid->GetSortColumn() == col ? !grid->IsSortAscending() : true;
      ClickHeader(col);
      ASSERT_EQ(grid->IsSortAscending(), ascending);
      auto key = [&](const Row& row) { return row.cells[col].substr(0, 255); };
      std::vector<Row> expected(rows.begin(), rows.end() - (totals ? 1 : 0));
      std::stable_sort(expected.begin(), expected.end(), [&](const Row& x, const Row& y) {
        std::wstring a = key(ascending ? x : y);
        std::wstring b = key(ascending ? y : x);
        if (col == 1) return _wtof(a.c_str()) < _wtof(b.c_str());
        return CString(a.c_str()).CompareNoCase(b.c_str()) < 0;
      });
      if (totals) expected.push_back(rows.back());
      Texts ids;
      for (const Row& row : expected) ids.push_back(row.id);
      ASSERT_EQ(ColumnTexts(2), ids) << "round " << round << ", column " << col
                                     << (ascending ? " ascending" : " descending");
      rows = expected;  // the next sort starts from this order
    }
  }
}

TEST_F(GridSort, TextSortIgnoresCaseAndIsStable) {
  AddRows({{L"b", L"1"}, {L"B", L"2"}, {L"a", L"3"}, {L"A", L"4"}, {L"last", L"5"}});
  ClickHeader(0);
  EXPECT_EQ(ColumnTexts(1), (Texts{L"3", L"4", L"1", L"2", L"5"}));
}

TEST_F(GridSort, AnotherHeadingStartsAscendingAndAColumnDragResetsTheSort) {
  AddRows({{L"b", L"2", L"y"}, {L"a", L"1", L"x"}, {L"c", L"3", L"z"}, {L"end", L"0", L"w"}});
  ClickHeader(0);
  ClickHeader(0);
  ClickHeader(2);
  EXPECT_EQ(grid->GetSortColumn(), 2);
  EXPECT_TRUE(grid->IsSortAscending());
  EXPECT_EQ(ColumnTexts(2), (Texts{L"w", L"x", L"y", L"z"}));
  EXPECT_FALSE(HeaderFormat(0) & (HDF_SORTUP | HDF_SORTDOWN));

  // The header's end-of-drag notification with a new order.
  NMHEADER drag;
  HDITEM item;
  item.mask = HDI_ORDER;
  item.iOrder = 0;
  drag.hdr.hwndFrom = grid->GetHeaderCtrl()->GetSafeHwnd();
  drag.hdr.idFrom = 0;
  drag.hdr.code = HDN_ENDDRAG;
  drag.iItem = 2;
  drag.pitem = &item;
  grid->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&drag));
  EXPECT_EQ(grid->GetSortColumn(), -1);
  ClickHeader(2);
  EXPECT_TRUE(grid->IsSortAscending());
}

TEST_F(GridSort, UnsortableColumnsIgnoreClicks) {
  AddRows({{L"b"}, {L"a"}, {L"c"}});
  grid->GetColumnTraitAt(0)->GetColumnState().sortable = false;
  ClickHeader(0);
  EXPECT_EQ(ColumnTexts(0), (Texts{L"b", L"a", L"c"}));
  EXPECT_EQ(grid->GetSortColumn(), -1);
  EXPECT_EQ(std::count(parent.codes.begin(), parent.codes.end(), LVN_COLUMNCLICK), 1);
}

TEST_F(GridSort, ImageColumnsSortByImageFirst) {
  int first = CColumnTraitImage::AddCheckBoxImages(*grid, images);
  auto* check = new CColumnTraitImage(first, 2);
  check->SetSortByImage(true);
  grid->InsertTraitColumn(3, L"Use", LVCFMT_LEFT, 60, 3, check);
  AddRows({{L"a"}, {L"b"}, {L"c"}, {L"d"}});
  for (int row = 0; row < 4; ++row) grid->SetCellImageIndex(row, 3, row % 2 == 0 ? 1 : 0);
  ClickHeader(3);
  EXPECT_EQ(ColumnTexts(0), (Texts{L"b", L"d", L"a", L"c"}));
}

TEST_F(GridSort, OldCommonControlsShowAnArrowBitmap) {
  StandIn::System().commonControlsMajor = 5;
  AddRows({{L"b"}, {L"a"}});
  ClickHeader(0);
  EXPECT_EQ(HeaderFormat(0) & (HDF_BITMAP | HDF_BITMAP_ON_RIGHT), HDF_BITMAP | HDF_BITMAP_ON_RIGHT);
  ClickHeader(1);
  EXPECT_EQ(HeaderFormat(0) & (HDF_BITMAP | HDF_BITMAP_ON_RIGHT), 0);
  EXPECT_EQ(HeaderFormat(1) & (HDF_BITMAP | HDF_BITMAP_ON_RIGHT), HDF_BITMAP | HDF_BITMAP_ON_RIGHT);
  grid->ShowSortIndicator(-1, true);  // takes the last arrow away, freeing its bitmap
  EXPECT_EQ(HeaderFormat(1) & HDF_BITMAP, 0);
  int objects = StandIn::LiveGdiObjectCount();
  ClickHeader(0);
  EXPECT_EQ(StandIn::LiveGdiObjectCount(), objects + 1);
  grid->DestroyWindow();  // the arrow still shown goes with the grid
  EXPECT_EQ(StandIn::LiveGdiObjectCount(), objects);
}

}  // namespace
}  // namespace gridtest
