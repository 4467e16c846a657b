// A grid built the way the wizard builds its grids, used the way a person uses it.
#include "grid_fixture.h"

namespace gridtest {
namespace {

class WizardGrid : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    BuildWizardGrid(2);
    AddRows({{L"r0", L"", L"Layer", L"General", L"10"},
             {L"r1", L"", L"Color", L"General", L"9"},
             {L"r2", L"", L"Area", L"Geometry", L"100"},
             {L"r3", L"", L"Total", L"", L"119"}});
    for (int row = 0; row < 4; ++row) grid->SetCellImageIndex(row, 1, row % 2);
    grid->SetFocus();
  }
  std::vector<UINT> Codes(std::initializer_list<UINT> wanted) {
    std::vector<UINT> picked;
    for (UINT code : parent.codes)
      if (std::find(wanted.begin(), wanted.end(), code) != wanted.end()) picked.push_back(code);
    return picked;
  }
};

TEST_F(WizardGrid, APersonSortsChecksEditsHidesAndCopies) {
  // Sort by the name column: the totals row stays last.
  ClickHeader(2);
  EXPECT_EQ(ColumnTexts(2), (std::vector<std::wstring>{L"Area", L"Color", L"Layer", L"Total"}));
  EXPECT_EQ(ColumnTexts(0), (std::vector<std::wstring>{L"r2", L"r1", L"r0", L"r3"}));

  // Tick the first row's check image with one click.
  int before = grid->GetCellImageIndex(0, 1);
  ClickCell(0, 1, 0, LVIR_ICON);
  EXPECT_EQ(grid->GetCellImageIndex(0, 1), 1 - before);

  // Rename the second row in place.
  ClickCell(1, 2);
  ClickCell(1, 2);
  ASSERT_TRUE(grid->IsEditorOpen());
  StandIn::TypeText(L"Colour");
  StandIn::PressKey(VK_RETURN);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(1, 2), L"Colour");

  EXPECT_EQ(Codes({LVN_COLUMNCLICK, LVN_BEGINLABELEDITW, LVN_ENDLABELEDITW}),
            (std::vector<UINT>{LVN_COLUMNCLICK, LVN_ENDLABELEDITW, LVN_BEGINLABELEDITW, LVN_ENDLABELEDITW}));

  // Hide the category column from the header menu; the menu never offers the lead column.
  driver.ChooseMenuText(L"Text 1");
  RightClickHeader(2);
  const auto& menu = StandIn::TrackedMenus().back();
  EXPECT_EQ(menu.FindByText(L""), nullptr);
  EXPECT_EQ(menu.items.size(), 4u);
  EXPECT_FALSE(grid->IsColumnShown(3));

  // Copy two rows: shown columns only, check column empty, under their headings.
  SelectOnly({0, 1});
  grid->SetFocusColumn(-1, false);
  StandIn::PressKey('C', StandIn::kControl);
  EXPECT_EQ(StandIn::ClipboardText(), L"Use\tName\tText 2\r\n\tArea\t100\r\n\tColour\t9");
}

TEST_F(WizardGrid, APersonDragsRowsHidesAndShowsAColumnAndEditsTheMovedRow) {
  // Drag the first two rows onto the third: they move below it, their checks with them.
  parent.codes.clear();
  SelectOnly({0, 1});
  CPoint start = CellPoint(0, 3);
  CPoint target = CellPoint(2, 3);
  grid->ClientToScreen(&target);
  driver.AddDragMove(target);
  driver.AddDragDrop(target);
  StandIn::DragFrom(grid->GetSafeHwnd(), start, CPoint(start.x, start.y + 8));
  StandIn::PumpMessages();
  EXPECT_EQ(ColumnTexts(0), (std::vector<std::wstring>{L"r2", L"r0", L"r1", L"r3"}));
  EXPECT_EQ(ColumnTexts(2), (std::vector<std::wstring>{L"Area", L"Layer", L"Color", L"Total"}));
  std::vector<int> checks;
  for (int row = 0; row < 4; ++row) checks.push_back(grid->GetCellImageIndex(row, 1));
  EXPECT_EQ(checks, (std::vector<int>{0, 0, 1, 1}));
  EXPECT_TRUE(grid->IsRowSelected(1));
  EXPECT_TRUE(grid->IsRowSelected(2));
  for (int row = 0; row < 4; ++row) EXPECT_FALSE(grid->GetItemState(row, LVIS_DROPHILITED)) << row;
  EXPECT_EQ(parent.codes, (std::vector<UINT>{LVN_BEGINDRAG}));

  // Hide a text column from the header menu and show it again: it returns to its place.
  driver.ChooseMenuText(L"Text 1");
  RightClickHeader(3);
  EXPECT_FALSE(grid->IsColumnShown(3));
  EXPECT_EQ(OrderArray().front(), 3);
  driver.ChooseMenuText(L"Text 1");
  RightClickHeader(2);
  const auto& menu = StandIn::TrackedMenus().back();
  ASSERT_NE(menu.FindByText(L"Text 1"), nullptr);
  EXPECT_FALSE(menu.FindByText(L"Text 1")->flags & MF_CHECKED);
  EXPECT_TRUE(menu.FindByText(L"Name")->flags & MF_CHECKED);
  EXPECT_TRUE(grid->IsColumnShown(3));
  EXPECT_EQ(grid->GetColumnWidth(3), 100);
  EXPECT_EQ(OrderArray(), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(grid->GetColumnWidth(0), 0) << "the lead column stays hidden";

  // Edit the name of a moved row with F2 and Enter: the parent hears begin, then end.
  parent.codes.clear();
  SelectOnly({1});
  grid->SetFocusRow(1);
  grid->SetFocusColumn(2, false);
  StandIn::PressKey(VK_F2);
  ASSERT_TRUE(grid->IsEditorOpen());
  StandIn::TypeText(L"Layers");
  StandIn::PressKey(VK_RETURN);
  StandIn::PumpMessages();
  EXPECT_FALSE(grid->IsEditorOpen());
  EXPECT_EQ(grid->GetItemText(1, 2), L"Layers");
  EXPECT_EQ(grid->GetItemText(1, 0), L"r0");
  EXPECT_EQ(parent.codes, (std::vector<UINT>{LVN_BEGINLABELEDITW, LVN_ENDLABELEDITW}));
}

// A grid whose cell and background menu hooks note where they were asked for.
struct MenuGrid : CListGridCtrl {
  int row = -2;
  int col = -2;
  CPoint cellPoint{-1, -1};
  int backgroundMenus = 0;
  CPoint backgroundPoint{-1, -1};
  void OnCellContextMenu(CWnd*, CPoint pt, int r, int c) override {
    row = r;
    col = c;
    cellPoint = pt;
  }
  void OnBackgroundContextMenu(CWnd*, CPoint pt) override {
    ++backgroundMenus;
    backgroundPoint = pt;
  }
};

TEST_F(WizardGrid, ContextMenusGoToTheCellOrTheBackground) {
  // A grid of the subclass kind, built like the others.
  grid->DestroyWindow();
  auto* menuGrid = new MenuGrid;
  grid.reset(menuGrid);
  ASSERT_TRUE(grid->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 600, 380), &parent, kGridId));
  grid->InsertColumn(0, L"A", LVCFMT_LEFT, 80);
  grid->InsertColumn(1, L"B", LVCFMT_LEFT, 80);
  AddRows({{L"a", L"b"}, {L"c", L"d"}});
  StandIn::RightClick(grid->GetSafeHwnd(), CellPoint(1, 1));
  EXPECT_EQ(menuGrid->row, 1);
  EXPECT_EQ(menuGrid->col, 1);
  EXPECT_EQ(grid->GetFocusColumn(), 1);
  EXPECT_EQ(menuGrid->backgroundMenus, 0);
  // The menu key asks for the focus cell's menu, inside the cell.
  grid->SetFocusRow(0);
  grid->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid->GetSafeHwnd()), MAKELPARAM(-1, -1));
  EXPECT_EQ(menuGrid->row, 0);
  EXPECT_EQ(menuGrid->col, 1);
  CRect cell;
  grid->GetCellArea(0, 1, LVIR_BOUNDS, cell);
  grid->ClientToScreen(&cell);
  EXPECT_TRUE(cell.PtInRect(menuGrid->cellPoint));

  // A right click below the rows asks for the background menu at the clicked point.
  CRect last;
  grid->GetItemRect(1, &last, LVIR_BOUNDS);
  CPoint below(last.left + 20, last.bottom + 40);
  StandIn::RightClick(grid->GetSafeHwnd(), below);
  EXPECT_EQ(menuGrid->backgroundMenus, 1);
  grid->ClientToScreen(&below);
  EXPECT_EQ(menuGrid->backgroundPoint, below);
  // The menu key without a focused row asks for it at the client area's corner.
  grid->SetItemState(-1, 0, LVIS_FOCUSED);
  ASSERT_EQ(grid->GetFocusedRow(), -1);
  grid->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid->GetSafeHwnd()), MAKELPARAM(-1, -1));
  EXPECT_EQ(menuGrid->backgroundMenus, 2);
  CPoint corner(0, 0);
  grid->ClientToScreen(&corner);
  EXPECT_EQ(menuGrid->backgroundPoint, corner);
  // A point below the whole list asks for nothing.
  CRect client;
  grid->GetClientRect(&client);
  CPoint outside(20, client.bottom + 5);
  grid->ClientToScreen(&outside);
  grid->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid->GetSafeHwnd()), MAKELPARAM(outside.x, outside.y));
  EXPECT_EQ(menuGrid->backgroundMenus, 2);
  EXPECT_EQ(menuGrid->row, 0);
}

}  // namespace
}  // namespace gridtest
