// Hiding and showing columns from the header menu; widths and their limits.
#include "grid_fixture.h"

namespace gridtest {
namespace {

class GridVisibility : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    CreateGrid();
    const wchar_t* headings[] = {L"A", L"B", L"C", L"D"};
    for (int c = 0; c < 4; ++c) grid->InsertColumn(c, headings[c], LVCFMT_LEFT, 60 + 10 * c, c);
    AddRows({{L"a0", L"b0", L"c0", L"d0"}});
  }
  ColumnState& State(int col) { return grid->GetColumnTraitAt(col)->GetColumnState(); }
};

using Order = std::vector<int>;

TEST_F(GridVisibility, TheHeaderMenuListsColumnsAndHidesAndShowsThem) {
  State(3).fixedShown = true;
  driver.ChooseMenuText(L"B");
  RightClickHeader(0);
  ASSERT_EQ(StandIn::TrackedMenus().size(), 1u);
  const auto& menu = StandIn::TrackedMenus()[0];
  ASSERT_EQ(menu.items.size(), 4u);
  EXPECT_EQ(menu.items[1].text, L"B");
  EXPECT_EQ(menu.items[1].id, 5u);
  EXPECT_TRUE(menu.items[1].flags & MF_CHECKED);
  EXPECT_TRUE(menu.items[3].flags & MF_DISABLED);
  EXPECT_FALSE(menu.items[0].flags & MF_DISABLED);

  EXPECT_FALSE(grid->IsColumnShown(1));
  EXPECT_EQ(grid->GetColumnWidth(1), 0);
  EXPECT_EQ(OrderArray(), (Order{1, 0, 2, 3}));
  EXPECT_EQ(State(1).savedWidth, 70);
  EXPECT_EQ(State(1).savedPosition, 1);

  driver.ChooseMenuId(5);
  RightClickHeader(0);
  const auto& again = StandIn::TrackedMenus()[1];
  EXPECT_FALSE(again.items[1].flags & MF_CHECKED);
  EXPECT_TRUE(grid->IsColumnShown(1));
  EXPECT_EQ(grid->GetColumnWidth(1), 70);
  EXPECT_EQ(OrderArray(), (Order{0, 1, 2, 3}));
}

TEST_F(GridVisibility, HiddenColumnsGoBackToTheirPlaces) {
  EXPECT_TRUE(grid->SetColumnShown(2, false));
  EXPECT_TRUE(grid->SetColumnShown(0, false));
  EXPECT_EQ(OrderArray(), (Order{0, 2, 1, 3}));
  EXPECT_EQ(grid->GetFirstShownColumn(), 1);
  EXPECT_TRUE(grid->SetColumnShown(2, true));
  EXPECT_EQ(OrderArray(), (Order{0, 1, 2, 3}));
  EXPECT_TRUE(grid->SetColumnShown(0, true));
  EXPECT_EQ(OrderArray(), (Order{0, 1, 2, 3}));
  EXPECT_EQ(grid->GetColumnWidth(0), 60);
  EXPECT_EQ(grid->GetColumnWidth(2), 80);
}

TEST_F(GridVisibility, HidingTheOnlyShownColumnAndShowingItRestoresItsWidth) {
  for (int c = 1; c < 4; ++c) grid->SetColumnShown(c, false);
  EXPECT_TRUE(grid->SetColumnShown(0, false));
  EXPECT_EQ(grid->GetFirstShownColumn(), -1);
  EXPECT_TRUE(grid->SetColumnShown(0, true));
  EXPECT_EQ(grid->GetColumnWidth(0), 60);
}

TEST_F(GridVisibility, TheSameStateTwiceChangesNothing) {
  EXPECT_TRUE(grid->SetColumnShown(1, false));
  EXPECT_TRUE(grid->SetColumnShown(1, false));
  EXPECT_EQ(State(1).savedWidth, 70);
  EXPECT_TRUE(grid->SetColumnShown(1, true));
  EXPECT_EQ(grid->GetColumnWidth(1), 70);
  EXPECT_TRUE(grid->SetColumnShown(1, true));
  EXPECT_EQ(grid->GetColumnWidth(1), 70);
}

TEST_F(GridVisibility, FixedColumnsRefuseToChange) {
  State(0).fixedShown = true;
  EXPECT_FALSE(grid->SetColumnShown(0, false));
  EXPECT_TRUE(grid->IsColumnShown(0));
  State(1).fixedHidden = true;
  EXPECT_FALSE(grid->SetColumnShown(1, true));
}

TEST_F(GridVisibility, HiddenColumnsRefuseWidthsButNonResizableOnesStillHideAndShow) {
  grid->SetColumnShown(1, false);
  EXPECT_FALSE(grid->SetColumnWidth(1, 50));
  EXPECT_EQ(grid->GetColumnWidth(1), 0);
  EXPECT_TRUE(grid->SetColumnWidth(1, 0));
  EXPECT_FALSE(grid->AutoFitColumnWidth(1, true));

  State(2).resizable = false;
  EXPECT_FALSE(grid->SetColumnWidth(2, 10));
  EXPECT_EQ(grid->GetColumnWidth(2), 80);
  EXPECT_TRUE(grid->SetColumnShown(2, false));
  EXPECT_EQ(grid->GetColumnWidth(2), 0);
  EXPECT_TRUE(grid->SetColumnShown(2, true));
  EXPECT_EQ(grid->GetColumnWidth(2), 80);
}

TEST_F(GridVisibility, WidthLimitsDoNotStopHidingAndShowing) {
  // The column is wider than its limits allow a person to make it.
  State(2).minWidth = 50;
  State(2).maxWidth = 60;
  EXPECT_TRUE(grid->SetColumnShown(2, false));
  EXPECT_EQ(grid->GetColumnWidth(2), 0);
  EXPECT_EQ(State(2).savedWidth, 80);
  EXPECT_TRUE(grid->SetColumnShown(2, true));
  EXPECT_EQ(grid->GetColumnWidth(2), 80);
}

TEST_F(GridVisibility, WidthLimitsHoldWhileTheUserResizes) {
  State(0).minWidth = 50;
  State(0).maxWidth = 120;
  // The header reports the program's width changes as a person's tracking would.
  grid->SetColumnWidth(0, 20);
  EXPECT_EQ(grid->GetColumnWidth(0), 50);
  grid->SetColumnWidth(0, 300);
  EXPECT_EQ(grid->GetColumnWidth(0), 120);
  grid->SetColumnWidth(0, 90);
  EXPECT_EQ(grid->GetColumnWidth(0), 90);
}

TEST_F(GridVisibility, TrackingIsRefusedForHiddenAndFixedWidthColumns) {
  State(3).resizable = false;
  grid->SetColumnShown(1, false);
  NMHEADER track;
  HDITEM item;
  track.hdr.hwndFrom = grid->GetHeaderCtrl()->GetSafeHwnd();
  track.hdr.code = HDN_BEGINTRACKW;
  track.pitem = &item;
  for (int col : {1, 3}) {
    track.iItem = col;
    EXPECT_EQ(grid->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)), 1) << col;
  }
  track.iItem = 2;
  EXPECT_EQ(grid->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)), 0);
}

TEST_F(GridVisibility, ADraggedColumnLandsAfterTheHiddenOnes) {
  grid->SetColumnShown(1, false);
  NMHEADER drag;
  HDITEM item;
  item.mask = HDI_ORDER;
  item.iOrder = 0;
  drag.hdr.hwndFrom = grid->GetHeaderCtrl()->GetSafeHwnd();
  drag.hdr.code = HDN_ENDDRAG;
  drag.iItem = 3;
  drag.pitem = &item;
  grid->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&drag));
  EXPECT_EQ(item.iOrder, 1);
}

TEST_F(GridVisibility, DividerDoubleClickFitsTheContent) {
  grid->SetItemText(0, 2, L"a much longer cell text than the column");
  NMHEADER divider;
  divider.hdr.hwndFrom = grid->GetHeaderCtrl()->GetSafeHwnd();
  divider.hdr.code = HDN_DIVIDERDBLCLICKW;
  divider.iItem = 2;
  grid->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&divider));
  EXPECT_GT(grid->GetColumnWidth(2), 80);
}

}  // namespace
}  // namespace gridtest
