// The selection as clipboard text, and rows moved by drag and drop.
#include "grid_fixture.h"

#include <cstring>

namespace gridtest {
namespace {

class GridCopy : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    CreateGrid();
    grid->InsertColumn(0, L"Name", LVCFMT_LEFT, 80);
    grid->InsertColumn(1, L"Size", LVCFMT_LEFT, 80);
    grid->InsertColumn(2, L"Note", LVCFMT_LEFT, 80);
    AddRows({{L"r0", L"0", L"n0"}, {L"r1", L"1", L"n1"}, {L"r2", L"2", L"n2"}, {L"r3", L"3", L"n3"}});
    grid->SetFocus();
  }
  // Puts a marker on the clipboard, as another program would have left it.
  void PutMarker() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const wchar_t marker[] = L"marker";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof marker);
    std::memcpy(GlobalLock(block), marker, sizeof marker);
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
  }
};

TEST_F(GridCopy, CtrlCCopiesHeadingsAndSelectedRows) {
  SelectOnly({1, 3});
  StandIn::PressKey('C', StandIn::kControl);
  EXPECT_EQ(StandIn::ClipboardText(), L"Name\tSize\tNote\r\nr1\t1\tn1\r\nr3\t3\tn3");
}

TEST_F(GridCopy, OnlyShownColumnsInDisplayOrderAndEmptyCellsKeepTheirPlace) {
  grid->SetItemText(2, 0, L"");
  grid->SetItemText(2, 1, L"");
  int order[] = {2, 0, 1};
  grid->SetColumnOrderArray(3, order);
  grid->SetColumnShown(1, false);
  SelectOnly({2, 0});
  grid->SendMessage(WM_COPY);
  EXPECT_EQ(StandIn::ClipboardText(), L"Note\tName\r\nn0\tr0\r\nn2\t");
  grid->SetItemText(0, 2, L"");
  grid->SetItemText(0, 0, L"");
  grid->SendMessage(WM_COPY);
  EXPECT_EQ(StandIn::ClipboardText(), L"Note\tName\r\n\t\r\nn2\t");
}

TEST_F(GridCopy, OneSelectedRowWithAFocusColumnCopiesOneCell) {
  ClickCell(2, 1);
  ASSERT_EQ(grid->GetFocusColumn(), 1);
  ASSERT_EQ(grid->GetSelectedCount(), 1u);
  grid->SetSelectionMark(0);  // the mark may stand elsewhere; the selected row counts
  StandIn::PressKey('C', StandIn::kControl);
  EXPECT_EQ(StandIn::ClipboardText(), L"2");
}

TEST_F(GridCopy, NoSelectionLeavesTheClipboardAlone) {
  PutMarker();
  SelectOnly({});
  StandIn::PressKey('C', StandIn::kControl);
  EXPECT_EQ(StandIn::ClipboardText(), L"marker");
  int blocks = StandIn::LiveGlobalBlockCount();
  SelectOnly({0});
  StandIn::FailNextGlobalAllocs(1);
  grid->SendMessage(WM_COPY);
  EXPECT_EQ(StandIn::ClipboardText(), L"marker");
  EXPECT_EQ(StandIn::LiveGlobalBlockCount(), blocks);
}

class GridDrag : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    CreateGrid();
    grid->InsertColumn(0, L"Row", LVCFMT_LEFT, 80);
    for (int row = 0; row < 8; ++row) AddRows({{std::to_wstring(row)}});
    grid->SetFocus();
  }
  CPoint Screen(CPoint client) {
    grid->ClientToScreen(&client);
    return client;
  }
  // Drags the selection from its first row and drops it at the client point.
  void DragSelectionTo(CPoint target) {
    int from = grid->GetNextItem(-1, LVNI_SELECTED);
    CPoint start = CellPoint(from, 0);
    driver.AddDragMove(Screen(target));
    driver.AddDragDrop(Screen(target));
    StandIn::DragFrom(grid->GetSafeHwnd(), start, CPoint(start.x, start.y + 8));
    StandIn::PumpMessages();
  }
  std::vector<std::wstring> Rows() { return ColumnTexts(0); }
};

using RowTexts = std::vector<std::wstring>;

TEST_F(GridDrag, MovingDownPutsTheBlockAfterTheDropRow) {
  SelectOnly({1, 2});
  DragSelectionTo(CellPoint(5, 0));
  EXPECT_EQ(Rows(), (RowTexts{L"0", L"3", L"4", L"5", L"1", L"2", L"6", L"7"}));
  EXPECT_NE(std::find(parent.codes.begin(), parent.codes.end(), LVN_BEGINDRAG), parent.codes.end());
}

TEST_F(GridDrag, MovingUpPutsTheBlockBeforeTheDropRow) {
  SelectOnly({5, 6});
  DragSelectionTo(CellPoint(1, 0));
  EXPECT_EQ(Rows(), (RowTexts{L"0", L"5", L"6", L"1", L"2", L"3", L"4", L"7"}));
  EXPECT_EQ(grid->GetFocusedRow(), 1);
}

TEST_F(GridDrag, BelowTheLastRowMovesToTheEndAndFocusesTheFirstMovedRow) {
  SelectOnly({1, 2});
  CRect last;
  grid->GetCellArea(7, 0, LVIR_BOUNDS, last);
  DragSelectionTo(CPoint(last.left + 10, last.bottom + 30));
  EXPECT_EQ(Rows(), (RowTexts{L"0", L"3", L"4", L"5", L"6", L"7", L"1", L"2"}));
  EXPECT_EQ(grid->GetFocusedRow(), 6);
  EXPECT_TRUE(grid->IsRowSelected(6));
  EXPECT_TRUE(grid->IsRowSelected(7));
}

TEST_F(GridDrag, ACancelledDragChangesNothingAndRestoresTheFocus) {
  SelectOnly({3});
  grid->SetFocusRow(3);
  CPoint start = CellPoint(3, 0);
  driver.AddDragMove(Screen(CellPoint(6, 0)));
  driver.AddDragCancel();
  StandIn::DragFrom(grid->GetSafeHwnd(), start, CPoint(start.x, start.y + 8));
  StandIn::PumpMessages();
  EXPECT_EQ(Rows(), (RowTexts{L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7"}));
  EXPECT_EQ(grid->GetFocusedRow(), 3);
  for (int row = 0; row < 8; ++row) EXPECT_FALSE(grid->GetItemState(row, LVIS_DROPHILITED)) << row;
}

TEST_F(GridDrag, HoveringAtTheEdgesScrollsOneRowPerPause) {
  for (int row = 8; row < 60; ++row) AddRows({{std::to_wstring(row)}});
  SelectOnly({0});
  CRect client;
  grid->GetClientRect(&client);
  CPoint bottom(20, client.bottom - 2);
  CPoint start = CellPoint(0, 0);
  // The first move enters the grid; each later one over the bottom edge scrolls a row.
  for (int i = 0; i < 4; ++i) driver.AddDragMove(Screen(bottom));
  driver.AddDragCancel();
  ULONGLONG before = StandIn::Clock();
  StandIn::DragFrom(grid->GetSafeHwnd(), start, CPoint(start.x, start.y + 8));
  EXPECT_EQ(grid->GetTopIndex(), 3);
  EXPECT_EQ(StandIn::Clock() - before, 300u);

  // Just below the header, the list scrolls back up until the top.
  CRect header;
  grid->GetHeaderCtrl()->GetWindowRect(&header);
  CPoint top(20, header.Height() + 2);
  for (int i = 0; i < 6; ++i) driver.AddDragMove(Screen(top));
  driver.AddDragCancel();
  start = CellPoint(5, 0);
  SelectOnly({5});
  StandIn::DragFrom(grid->GetSafeHwnd(), start, CPoint(start.x, start.y + 8));
  EXPECT_EQ(grid->GetTopIndex(), 0);
  RowTexts rows = Rows();
  EXPECT_EQ(RowTexts(rows.begin(), rows.begin() + 3), (RowTexts{L"0", L"1", L"2"})) << "nothing was dropped";
}

// A grid that notes, after each drag step over it, which row carries the drop mark and
// whether the list tracks the hot row.
class WatchedGrid : public CListGridCtrl {
public:
  std::vector<std::pair<int, bool>> marks;
  DROPEFFECT HandleDragOver(COleDataObject* data, DWORD keyState, CPoint pt) override {
    DROPEFFECT effect = CListGridCtrl::HandleDragOver(data, keyState, pt);
    marks.emplace_back(GetNextItem(-1, LVNI_DROPHILITED), (GetExtendedStyle() & LVS_EX_TRACKSELECT) != 0);
    return effect;
  }
};

class GridDragUnthemed : public GridDrag {
protected:
  void SetUp() override {
    GridTest::SetUp();
    StandIn::System().themeLibraryPresent = false;
    watched = new WatchedGrid;
    grid.reset(watched);
    ASSERT_TRUE(grid->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 600, 380), &parent, kGridId));
    ASSERT_FALSE(grid->IsExplorerThemed());
    grid->InsertColumn(0, L"Row", LVCFMT_LEFT, 80);
    for (int row = 0; row < 8; ++row) AddRows({{std::to_wstring(row)}});
    grid->SetFocus();
  }
  std::vector<int> Marked(UINT state) {
    std::vector<int> rows;
    for (int row = 0; row < grid->GetItemCount(); ++row)
      if (grid->GetItemState(row, state)) rows.push_back(row);
    return rows;
  }
  WatchedGrid* watched = nullptr;
};

TEST_F(GridDragUnthemed, TheDropRowIsMarkedWhileDraggingAndUnmarkedAfterTheDrop) {
  SelectOnly({1, 2});
  DragSelectionTo(CellPoint(5, 0));
  ASSERT_FALSE(watched->marks.empty());
  EXPECT_EQ(watched->marks.back(), (std::pair<int, bool>{5, true}));
  EXPECT_EQ(Rows(), (RowTexts{L"0", L"3", L"4", L"5", L"1", L"2", L"6", L"7"}));
  EXPECT_TRUE(Marked(LVIS_DROPHILITED).empty());
  EXPECT_FALSE(grid->GetExtendedStyle() & (LVS_EX_TRACKSELECT | LVS_EX_TWOCLICKACTIVATE));
  EXPECT_EQ(Marked(LVIS_FOCUSED), (std::vector<int>{5}));
  EXPECT_EQ(Marked(LVIS_SELECTED), (std::vector<int>{4, 5}));
}

TEST_F(GridDragUnthemed, ACancelledDragUnmarksTheRowAndFocusesTheDraggedRowAgain) {
  SelectOnly({3});
  grid->SetFocusRow(3);
  CPoint start = CellPoint(3, 0);
  driver.AddDragMove(Screen(CellPoint(6, 0)));  // enters the grid
  driver.AddDragMove(Screen(CellPoint(6, 0)));  // over row 6
  driver.AddDragCancel();
  StandIn::DragFrom(grid->GetSafeHwnd(), start, CPoint(start.x, start.y + 8));
  StandIn::PumpMessages();
  ASSERT_FALSE(watched->marks.empty());
  EXPECT_EQ(watched->marks.back().first, 6);
  EXPECT_EQ(Rows(), (RowTexts{L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7"}));
  EXPECT_TRUE(Marked(LVIS_DROPHILITED).empty());
  EXPECT_EQ(Marked(LVIS_FOCUSED), (std::vector<int>{3}));
  EXPECT_FALSE(grid->GetExtendedStyle() & LVS_EX_TRACKSELECT);
}

TEST_F(GridDrag, TheDragCarriesTheSelectionText) {
  SelectOnly({2, 4});
  CString text;
  EXPECT_TRUE(grid->GetDragText(text));
  EXPECT_EQ(text, L"2\r\n4");
}

TEST_F(GridDrag, OneRowDroppedOnItselfIsNoMove) {
  SelectOnly({4});
  EXPECT_FALSE(grid->MoveSelectedRowsTo(4));
  SelectOnly({});
  EXPECT_FALSE(grid->MoveSelectedRowsTo(1));
}

}  // namespace
}  // namespace gridtest
