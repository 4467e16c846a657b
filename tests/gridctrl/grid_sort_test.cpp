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

// Against a stable sort of the same texts: every row sorts, except a totals row, which
// stays last in both directions.
TEST_F(GridSort, RowsSortLikeAStableSortAndATotalsRowStaysLast) {
  const wchar_t* const kTexts[] = {L"b", L"B", L"a", L"", L"zeta", L"Alpha", L"a"};
  std::srand(9);
  for (int round = 0; round < 12; ++round) {
    bool totals = round % 2 == 1;
    grid->DeleteAllItems();
    grid->SetEndsWithTotalsRow(totals);
    std::vector<std::pair<std::wstring, int>> rows;  // text, original row
    int count = 2 + std::rand() % 9;
    for (int row = 0; row < count; ++row) rows.emplace_back(kTexts[std::rand() % 7], row);
    for (const auto& row : rows) AddRows({{row.first, std::to_wstring(row.second)}});
    for (bool ascending : {true, false}) {
      ASSERT_TRUE(grid->SortByColumn(0, ascending));
      std::vector<std::pair<std::wstring, int>> expected(rows.begin(), rows.end() - (totals ? 1 : 0));
      std::stable_sort(expected.begin(), expected.end(), [&](const auto& x, const auto& y) {
        int d = CString(x.first.c_str()).CompareNoCase(y.first.c_str());
        return ascending ? d < 0 : d > 0;
      });
      if (totals) expected.push_back(rows.back());
      std::vector<std::wstring> ids;
      for (const auto& row : expected) ids.push_back(std::to_wstring(row.second));
      EXPECT_EQ(ColumnTexts(1), ids) << "round " << round << (ascending ? " ascending" : " descending");
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
