// The focus cell under the arrow keys, and type-ahead search with the test clock.
#include "grid_fixture.h"

namespace gridtest {
namespace {

class GridKeyboard : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    StandIn::SetClock(1700000000000ULL);
    CreateGrid();
    grid->InsertColumn(0, L"Id", LVCFMT_LEFT, 40);
    grid->InsertColumn(1, L"Name", LVCFMT_LEFT, 100);
    grid->InsertColumn(2, L"Kind", LVCFMT_LEFT, 100);
    AddRows({{L"0", L"apple", L"x"},
             {L"1", L"banana", L"y"},
             {L"2", L"avocado", L"z"},
             {L"3", L"Blueberry", L"x"},
             {L"4", L"almond", L"y"},
             {L"5", L"b", L"z"}});
    grid->SetFocus();
    ClickCell(0, 1);
    ASSERT_EQ(grid->GetFocusColumn(), 1);
    ASSERT_EQ(grid->GetFocusedRow(), 0);
  }
  int Selected() { return grid->GetNextItem(-1, LVNI_SELECTED); }
};

TEST_F(GridKeyboard, ArrowsStepTheFocusCellThroughShownColumns) {
  StandIn::PressKey(VK_RIGHT);
  EXPECT_EQ(grid->GetFocusColumn(), 2);
  StandIn::PressKey(VK_RIGHT);
  EXPECT_EQ(grid->GetFocusColumn(), 2) << "right on the last column keeps it";
  grid->SetColumnShown(1, false);  // display order now 1, 0, 2
  StandIn::PressKey(VK_LEFT);
  EXPECT_EQ(grid->GetFocusColumn(), 0);
  StandIn::PressKey(VK_LEFT);
  EXPECT_EQ(grid->GetFocusColumn(), -1) << "the hidden column before it ends the row";
  StandIn::PressKey(VK_LEFT);
  EXPECT_EQ(grid->GetFocusColumn(), -1);
  StandIn::PressKey(VK_RIGHT);
  EXPECT_EQ(grid->GetFocusColumn(), 0);
  grid->DeleteAllItems();
  StandIn::PressKey(VK_RIGHT);
  EXPECT_EQ(grid->GetFocusColumn(), -1);
}

TEST_F(GridKeyboard, TheFocusCellIsScrolledIntoView) {
  // Columns 1 and 2 become wider than the client area together, with room to scroll on.
  grid->SetColumnWidth(1, 400);
  grid->SetColumnWidth(2, 400);
  grid->InsertColumn(3, L"More", LVCFMT_LEFT, 400);
  grid->SetFocusColumn(1, false);
  CRect client;
  grid->GetClientRect(&client);
  CRect kind;
  grid->GetHeaderCtrl()->GetItemRect(2, &kind);
  ASSERT_GT(kind.right, client.right);
  StandIn::PressKey(VK_RIGHT);
  ASSERT_EQ(grid->GetFocusColumn(), 2);
  EXPECT_EQ(grid->GetScrollPos(SB_HORZ), kind.right - client.right) << "its right edge comes to the client's";
  StandIn::PressKey(VK_LEFT);
  ASSERT_EQ(grid->GetFocusColumn(), 1);
  CRect name;
  grid->GetHeaderCtrl()->GetItemRect(1, &name);
  EXPECT_EQ(grid->GetScrollPos(SB_HORZ), name.left) << "its left edge comes to the client's";
  grid->SetColumnWidth(1, 900);
  EXPECT_TRUE(grid->ScrollColumnIntoView(1, true)) << "partly visible is enough";
  EXPECT_EQ(grid->GetScrollPos(SB_HORZ), name.left);
  EXPECT_FALSE(grid->ScrollColumnIntoView(7, false));
}

TEST_F(GridKeyboard, RepeatedLetterStepsThroughMatchingRows) {
  StandIn::TypeText(L"a");
  EXPECT_EQ(Selected(), 2);
  StandIn::TypeText(L"a");
  EXPECT_EQ(Selected(), 4);
  StandIn::TypeText(L"a");
  EXPECT_EQ(Selected(), 0) << "the search wraps to the top";
  EXPECT_EQ(grid->GetFocusedRow(), 0);
  EXPECT_EQ(grid->GetSelectedCount(), 1u);
}

TEST_F(GridKeyboard, TwoLettersSearchThePrefixIgnoringCase) {
  StandIn::TypeText(L"B");
  EXPECT_EQ(Selected(), 1);
  StandIn::TypeText(L"l");
  EXPECT_EQ(Selected(), 3);
  StandIn::TypeText(L"x");
  EXPECT_EQ(Selected(), 3) << "nothing found leaves the selection";
}

TEST_F(GridKeyboard, TwoSecondsStartANewSearch) {
  StandIn::TypeText(L"b");
  EXPECT_EQ(Selected(), 1);
  StandIn::AdvanceClock(1999);
  StandIn::TypeText(L"l");
  EXPECT_EQ(Selected(), 3);
  StandIn::AdvanceClock(2000);
  StandIn::TypeText(L"b");
  EXPECT_EQ(Selected(), 5) << "a new one-letter search starts after the found row";
}

TEST_F(GridKeyboard, ShortTextsNeverMatchALongerPrefix) {
  StandIn::TypeText(L"b");
  StandIn::TypeText(L"a");
  EXPECT_EQ(Selected(), 1);
  grid->SetItemText(1, 1, L"b");
  StandIn::AdvanceClock(5000);
  StandIn::TypeText(L"b");
  EXPECT_EQ(Selected(), 3);
  StandIn::TypeText(L"a");
  EXPECT_EQ(Selected(), 3) << "no row starts with ba now";
}

TEST_F(GridKeyboard, ControlCharactersAndCtrlDoNotEnterThePrefix) {
  StandIn::TypeText(L"b");
  EXPECT_EQ(Selected(), 1);
  grid->SendMessage(WM_CHAR, 0x08, 0);
  StandIn::TypeText(L"l");
  EXPECT_EQ(Selected(), 3);
  StandIn::SetKeyDown(VK_CONTROL, true);
  grid->SendMessage(WM_CHAR, L'a', 0);
  StandIn::SetKeyDown(VK_CONTROL, false);
  StandIn::TypeText(L"a");
  EXPECT_EQ(Selected(), 4) << "Ctrl cleared the prefix";
}

TEST_F(GridKeyboard, WithTheItemColumnOrNoFocusColumnTheListSearchesByItself) {
  ULONGLONG start = StandIn::Clock();
  for (int col : {-1, 0}) {
    grid->SetFocusColumn(col, false);
    start += 10000;  // on a whole second, as the grid's clock counts seconds
    StandIn::SetClock(start);
    StandIn::TypeText(L"1");
    EXPECT_EQ(Selected(), 1) << col;
    // The list forgets its prefix after a second, where the grid would keep "12" for two.
    StandIn::AdvanceClock(1500);
    StandIn::TypeText(L"2");
    EXPECT_EQ(Selected(), 2) << col;
  }
}

TEST_F(GridKeyboard, CtrlAPicksEveryRowAndCtrlPlusFitsColumns) {
  StandIn::PressKey('A', StandIn::kControl);
  EXPECT_EQ(grid->GetSelectedCount(), 6u);
  grid->SetItemText(0, 2, L"a very long text that needs a wider column than this one");
  StandIn::PressKey(VK_ADD, StandIn::kControl);
  EXPECT_GT(grid->GetColumnWidth(2), 100);
}

TEST_F(GridKeyboard, OwnerDataSearchClampsItsStart) {
  NMLVFINDITEM find;
  find.hdr.hwndFrom = grid->GetSafeHwnd();
  find.hdr.idFrom = kGridId;
  find.hdr.code = LVN_ODFINDITEMW;
  find.iStart = 100;
  find.lvfi.flags = LVFI_STRING;
  find.lvfi.psz = L"4";
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, kGridId, reinterpret_cast<LPARAM>(&find)), 4);
  find.iStart = -7;
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, kGridId, reinterpret_cast<LPARAM>(&find)), 4);
}

}  // namespace
}  // namespace gridtest
