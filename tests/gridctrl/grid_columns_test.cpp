// Columns and their traits stay aligned as columns come and go.
#include "grid_fixture.h"

namespace gridtest {
namespace {

class GridColumns : public GridTest {};

TEST_F(GridColumns, PlainInsertGetsATextTraitAndDeletesKeepTraitsAligned) {
  CreateGrid();
  auto* first = new CColumnTraitEdit;
  auto* third = new CColumnTraitImage;
  EXPECT_EQ(grid->InsertTraitColumn(0, L"A", LVCFMT_LEFT, 80, 0, first), 0);
  EXPECT_EQ(grid->InsertColumn(1, L"B", LVCFMT_LEFT, 80, 1), 1);
  EXPECT_EQ(grid->InsertTraitColumn(2, L"C", LVCFMT_LEFT, 80, 2, third), 2);
  ASSERT_EQ(grid->GetColumnTraitCount(), 3);
  EXPECT_EQ(grid->GetColumnTraitAt(0), first);
  auto* second = dynamic_cast<CColumnTraitText*>(grid->GetColumnTraitAt(1));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(dynamic_cast<CColumnTraitImage*>(second), nullptr) << "a plain insert gets the text trait";
  EXPECT_EQ(grid->GetColumnTraitAt(2), third);

  // A column inserted in the middle with a trait pushes the later traits along.
  auto* middle = new CColumnTraitText;
  EXPECT_EQ(grid->InsertTraitColumn(1, L"M", LVCFMT_LEFT, 80, 3, middle), 1);
  EXPECT_EQ(grid->GetColumnTraitAt(1), middle);
  EXPECT_EQ(grid->GetColumnTraitAt(2), second);
  EXPECT_EQ(grid->GetColumnHeading(2), L"B");

  EXPECT_TRUE(grid->DeleteColumn(1));
  ASSERT_EQ(grid->GetColumnTraitCount(), 3);
  EXPECT_EQ(grid->GetColumnTraitAt(0), first);
  EXPECT_EQ(grid->GetColumnTraitAt(1), second);
  EXPECT_EQ(grid->GetColumnTraitAt(2), third);
  EXPECT_EQ(grid->GetColumnHeading(2), L"C");
  EXPECT_FALSE(grid->DeleteColumn(7));
  EXPECT_EQ(grid->GetColumnTraitCount(), 3);
  EXPECT_EQ(grid->GetColumnTraitAt(3), nullptr);
  EXPECT_EQ(grid->GetColumnTraitAt(-1), nullptr);
}

TEST_F(GridColumns, AnIndexBeyondTheHeaderAppends) {
  CreateGrid();
  grid->InsertColumn(0, L"A", LVCFMT_LEFT, 50);
  auto* trait = new CColumnTraitText;
  EXPECT_EQ(grid->InsertTraitColumn(9, L"Z", LVCFMT_LEFT, 50, 1, trait), 1);
  EXPECT_EQ(grid->GetColumnTraitAt(1), trait);
  EXPECT_EQ(grid->GetHeaderColumnCount(), 2);
}

TEST_F(GridColumns, TheHiddenLeadColumnIsNeverShown) {
  BuildWizardGrid(2);
  EXPECT_EQ(grid->GetHeaderColumnCount(), 5);
  EXPECT_EQ(grid->GetColumnWidth(0), 0);
  EXPECT_FALSE(grid->IsColumnShown(0));
  EXPECT_TRUE(grid->IsColumnFixedHidden(0));
  EXPECT_FALSE(grid->SetColumnShown(0, true));
  EXPECT_EQ(grid->GetFirstShownColumn(), 1);
  EXPECT_EQ(grid->GetColumnWidth(2), 100);
}

TEST_F(GridColumns, InsertingOrDeletingAColumnForgetsFocusAndSortColumns) {
  CreateGrid();
  for (int c = 0; c < 3; ++c) grid->InsertColumn(c, L"H", LVCFMT_LEFT, 80);
  AddRows({{L"b", L"2", L"x"}, {L"a", L"1", L"y"}});
  ClickHeader(1);
  EXPECT_EQ(grid->GetSortColumn(), 1);
  grid->SetFocusColumn(2, false);
  grid->InsertColumn(0, L"New", LVCFMT_LEFT, 40);
  EXPECT_EQ(grid->GetSortColumn(), -1);
  EXPECT_EQ(grid->GetFocusColumn(), -1);
  ClickHeader(2);
  grid->SetFocusColumn(3, false);
  grid->DeleteColumn(0);
  EXPECT_EQ(grid->GetSortColumn(), -1);
  EXPECT_EQ(grid->GetFocusColumn(), -1);
}

TEST_F(GridColumns, ControlStyleIsAppliedOnCreation) {
  CreateGrid();
  EXPECT_TRUE(grid->GetStyle() & LVS_SHOWSELALWAYS);
  DWORD exStyle = grid->GetExtendedStyle();
  EXPECT_TRUE(exStyle & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(exStyle & LVS_EX_HEADERDRAGDROP);
  EXPECT_TRUE(exStyle & LVS_EX_SUBITEMIMAGES);
  EXPECT_TRUE(exStyle & LVS_EX_DOUBLEBUFFER);
  // Windows 6.1 with themes: the Explorer theme is applied and grid lines stay.
  EXPECT_TRUE(grid->IsExplorerThemed());
  EXPECT_EQ(StandIn::WindowThemeOf(grid->GetSafeHwnd()), L"Explorer");
  EXPECT_TRUE(exStyle & LVS_EX_GRIDLINES);
  EXPECT_NE(StandIn::DropTargetOf(grid->GetSafeHwnd()), nullptr);
}

TEST_F(GridColumns, ADialogsListBecomesAGridWhenSubclassed) {
  HWND list =
      CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200, parent.GetSafeHwnd(),
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kGridId)), nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
  grid = std::make_unique<CListGridCtrl>();
  ASSERT_TRUE(grid->SubclassDlgItem(kGridId, &parent));
  EXPECT_TRUE(grid->GetExtendedStyle() & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(grid->GetStyle() & LVS_SHOWSELALWAYS);
  EXPECT_NE(StandIn::DropTargetOf(list), nullptr);
  grid->InsertColumn(0, L"A", LVCFMT_LEFT, 50);
  EXPECT_NE(dynamic_cast<CColumnTraitText*>(grid->GetColumnTraitAt(0)), nullptr);
}

TEST_F(GridColumns, ThemeFollowsTheSystemAnswers) {
  StandIn::System().windowsMajor = 6;
  StandIn::System().windowsMinor = 2;
  CreateGrid();
  EXPECT_TRUE(grid->IsExplorerThemed());
  EXPECT_FALSE(grid->GetExtendedStyle() & LVS_EX_GRIDLINES) << "Windows 6.2 drops grid lines under the theme";
  grid->DestroyWindow();

  StandIn::System().themeLibraryPresent = false;
  CreateGrid();
  EXPECT_FALSE(grid->IsExplorerThemed());
  EXPECT_TRUE(grid->GetExtendedStyle() & LVS_EX_GRIDLINES);
  grid->DestroyWindow();

  StandIn::ResetSystemConfiguration();
  StandIn::System().commonControlsMajor = 5;
  CreateGrid();
  EXPECT_FALSE(grid->IsExplorerThemed());
}

TEST_F(GridColumns, TooltipIdsEncodeRowAndColumn) {
  CreateGrid();
  for (int c = 0; c < 4; ++c) grid->InsertColumn(c, L"H", LVCFMT_LEFT, 80);
  AddRows({{L"a"}, {L"b"}, {L"c", L"", L"", L"cell 2,3"}});
  CPoint client = CellPoint(2, 3);
  CPoint screen = client;
  grid->ClientToScreen(&screen);
  StandIn::SetMessagePos(screen);
  TOOLINFO info;
  EXPECT_EQ(grid->OnToolHitTest(client, &info), 2003);
  EXPECT_EQ(info.uId, 2003u);
  EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACKW);
  CString tip;
  EXPECT_TRUE(grid->QueryCellTooltip(2, 3, tip));
  EXPECT_EQ(tip, L"cell 2,3");
}

}  // namespace
}  // namespace gridtest
