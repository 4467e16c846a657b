// A grid over owner data, tooltips from the framework, and edits ended by the wheel.
#include "grid_fixture.h"

#include <cwchar>
#include <utility>

#include "platform/win/tooltip_model.h"

namespace gridtest {
namespace {

// A grid whose rows live in the program: long texts, and check marks kept outside.
class VirtualGrid : public CListGridCtrl {
public:
  std::vector<bool> checks = {false, true, false};
  bool QueryCellText(int row, int col, CString& text) override {
    text.Format(L"r%dc%d:", row, col);
    text += CString(L'x', 400);
    return true;
  }
  bool QueryVirtualRowChecked(int row) override { return row >= 0 && row < 3 && checks[static_cast<size_t>(row)]; }
  void OnVirtualRowCheckToggled(int row, bool check) override {
    if (row >= 0 && row < 3) checks[static_cast<size_t>(row)] = check;
    CListGridCtrl::OnVirtualRowCheckToggled(row, check);
  }
};

class GridOwnerData : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    virtualGrid = new VirtualGrid;
    grid.reset(virtualGrid);
    ASSERT_TRUE(
        grid->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 600, 380), &parent, kGridId));
    grid->SetExtendedStyle(grid->GetExtendedStyle() | LVS_EX_CHECKBOXES);
    grid->InsertColumn(0, L"A", LVCFMT_LEFT, 80);
    grid->InsertColumn(1, L"B", LVCFMT_LEFT, 80);
    grid->SetItemCount(3);
  }
  VirtualGrid* virtualGrid = nullptr;
};

TEST_F(GridOwnerData, LongTextsAreCutToTheCallersBuffer) {
  wchar_t small[8];
  EXPECT_EQ(grid->GetItemText(1, 1, small, 8), 7);
  EXPECT_STREQ(small, L"r1c1:xx");
  CString whole = grid->GetItemText(2, 0);
  EXPECT_EQ(whole.Left(5), L"r2c0:");
  EXPECT_GT(whole.GetLength(), 100);
  EXPECT_EQ(grid->GetItemText(7, 0), L"");
}

// A display request as the list sends it to its parent; the grid answers it by reflection.
LRESULT AskForDisplay(CWnd& parent, CListCtrl& list, LVITEM& item) {
  NMLVDISPINFO info;
  info.hdr.hwndFrom = list.GetSafeHwnd();
  info.hdr.idFrom = kGridId;
  info.hdr.code = LVN_GETDISPINFOW;
  info.item = item;
  LRESULT result = parent.SendMessage(WM_NOTIFY, kGridId, reinterpret_cast<LPARAM>(&info));
  item = info.item;
  return result;
}

TEST_F(GridOwnerData, DisplayRequestsWithoutRoomOrOutsideTheListWriteNothing) {
  wchar_t buffer[12];
  auto fill = [&] { std::wmemset(buffer, L'#', 12); };
  LVITEM item;
  item.mask = LVIF_TEXT;
  item.iItem = 0;
  item.iSubItem = 1;
  item.pszText = nullptr;
  item.cchTextMax = 12;
  AskForDisplay(parent, *grid, item);  // no buffer at all: nothing is copied
  EXPECT_EQ(item.pszText, nullptr);

  fill();
  item.pszText = buffer;
  item.cchTextMax = 0;
  AskForDisplay(parent, *grid, item);
  EXPECT_EQ(buffer[0], L'#') << "a buffer of no room is left alone";

  item.cchTextMax = 1;
  AskForDisplay(parent, *grid, item);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[1], L'#');

  fill();
  item.cchTextMax = 6;
  AskForDisplay(parent, *grid, item);
  EXPECT_STREQ(buffer, L"r0c1:");
  EXPECT_EQ(buffer[6], L'#') << "nothing past the buffer";

  // Rows and columns outside the list are not asked of the program.
  for (auto [row, col] : {std::pair{3, 0}, std::pair{-1, 0}, std::pair{0, 2}, std::pair{0, -1}}) {
    fill();
    item.iItem = row;
    item.iSubItem = col;
    item.cchTextMax = 12;
    AskForDisplay(parent, *grid, item);
    EXPECT_EQ(buffer[0], L'#') << row << ", " << col;
  }

  // A program that has no image for a cell answers -1.
  item.mask = LVIF_IMAGE;
  item.iItem = 1;
  item.iSubItem = 1;
  item.iImage = 5;
  AskForDisplay(parent, *grid, item);
  EXPECT_EQ(item.iImage, -1);
}

bool CheckShown(CListCtrl& list, int row) {
  LVITEM item;
  item.mask = LVIF_STATE;
  item.iItem = row;
  item.stateMask = LVIS_STATEIMAGEMASK;
  list.GetItem(&item);
  return (item.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

TEST_F(GridOwnerData, ChecksComeFromTheProgramAndSpaceTogglesThem) {
  EXPECT_FALSE(CheckShown(*grid, 0));
  EXPECT_TRUE(CheckShown(*grid, 1));
  grid->SetFocus();
  grid->SetFocusRow(0);
  StandIn::PressKey(VK_SPACE);
  EXPECT_TRUE(virtualGrid->checks[0]);
  EXPECT_TRUE(CheckShown(*grid, 0));
  CRect row;
  grid->GetItemRect(2, &row, LVIR_BOUNDS);
  StandIn::LeftClick(grid->GetSafeHwnd(), CPoint(row.left + 8, row.CenterPoint().y));
  EXPECT_TRUE(virtualGrid->checks[2]) << "a click on the check box reaches the program";
  EXPECT_FALSE(grid->SortByColumn(0, true)) << "owner data is never sorted by the grid";
  EXPECT_FALSE(grid->MoveSelectedRowsTo(0));
}

class GridTips : public GridTest {};

TEST_F(GridTips, HoveringACellShowsItsText) {
  CreateGrid();
  grid->InsertColumn(0, L"A", LVCFMT_LEFT, 80);
  grid->InsertColumn(1, L"B", LVCFMT_LEFT, 80);
  AddRows({{L"a", L"first tip"}, {L"b", L"second tip"}});
  StandIn::MouseMove(grid->GetSafeHwnd(), CellPoint(1, 1));
  StandIn::PumpMessages();
  HWND tip = AfxGetToolTipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(StandIn::TooltipTextOf(tip), L"second tip");
  EXPECT_EQ(StandIn::TooltipMaxWidthOf(tip), 32767);
  StandIn::MouseMove(grid->GetSafeHwnd(), CellPoint(0, 1));
  StandIn::PumpMessages();
  EXPECT_EQ(StandIn::TooltipTextOf(tip), L"first tip");
  // A text longer than the tooltip's own buffer is cut to it.
  std::wstring longText(200, L'w');
  grid->SetItemText(1, 0, longText.c_str());
  StandIn::MouseMove(grid->GetSafeHwnd(), CellPoint(1, 0));
  StandIn::PumpMessages();
  EXPECT_EQ(StandIn::TooltipTextOf(tip), longText.substr(0, 79));
}

class GridEditEnds : public GridTest {};

TEST_F(GridEditEnds, TheWheelAcceptsAndADoubleClickNeverEdits) {
  BuildWizardGrid(0);
  AddRows({{L"", L"", L"one"}, {L"", L"", L"two"}});
  grid->SetFocus();
  StandIn::DoubleClick(grid->GetSafeHwnd(), CellPoint(1, 2));
  StandIn::PumpMessages();
  EXPECT_FALSE(grid->IsEditorOpen());
  EXPECT_EQ(grid->GetFocusColumn(), 2);

  CWnd* editor = grid->StartCellEdit(1, 2);
  ASSERT_NE(editor, nullptr);
  StandIn::TypeText(L"wheeled");
  StandIn::MouseWheel(editor->GetSafeHwnd(), CPoint(2, 2), -120);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(1, 2), L"wheeled");
  EXPECT_FALSE(grid->IsEditorOpen());
}

}  // namespace
}  // namespace gridtest
