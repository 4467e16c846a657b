#include "grid_fixture.h"

namespace gridtest {

BEGIN_MESSAGE_MAP(NotifyParent, CWnd)
ON_NOTIFY(LVN_BEGINLABELEDITW, kGridId, &NotifyParent::OnBeginLabelEdit)
ON_NOTIFY(LVN_ENDLABELEDITW, kGridId, &NotifyParent::OnEndLabelEdit)
ON_NOTIFY(LVN_ITEMCHANGED, kGridId, &NotifyParent::OnItemChanged)
ON_NOTIFY(LVN_COLUMNCLICK, kGridId, &NotifyParent::Record)
ON_NOTIFY(LVN_BEGINDRAG, kGridId, &NotifyParent::Record)
ON_NOTIFY(NM_CLICK, kGridId, &NotifyParent::Record)
ON_NOTIFY(NM_DBLCLK, kGridId, &NotifyParent::Record)
ON_NOTIFY(LVN_LINKCLICK, kGridId, &NotifyParent::OnLinkClick)
END_MESSAGE_MAP()

void GridTest::SetUp() {
  StandIn::ResetSystemConfiguration();
  ResetWindowsVersionCache();
  StandIn::ReleaseAllKeys();
  StandIn::PumpMessages();
  liveWindowsBefore = StandIn::LiveWindowCount();
  liveWndObjectsBefore = StandIn::LiveWndObjectCount();
  liveGdiObjectsBefore = StandIn::LiveGdiObjectCount();
  liveMenusBefore = StandIn::LiveMenuCount();
  liveBlocksBefore = StandIn::LiveGlobalBlockCount();
  liveDcsBefore = StandIn::LiveDeviceContextCount();
  scopedDriver = std::make_unique<StandIn::ScopedInputDriver>(driver);
  StandIn::ClearTrackedMenus();
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Parent", WS_OVERLAPPED | WS_VISIBLE, 10, 10, 640, 420,
                              nullptr, nullptr));
}

void GridTest::TearDown() {
  if (grid && grid->GetSafeHwnd()) grid->DestroyWindow();
  if (parent.GetSafeHwnd()) parent.DestroyWindow();
  StandIn::PumpMessages();
  grid.reset();
  images.DeleteImageList();
  scopedDriver.reset();
  StandIn::ReleaseAllKeys();
  EXPECT_EQ(StandIn::LiveWindowCount(), liveWindowsBefore) << "a window outlived its test";
  EXPECT_EQ(StandIn::LiveWndObjectCount(), liveWndObjectsBefore) << "an editor or window object outlived its test";
  EXPECT_EQ(driver.PendingAnswers(), 0) << "scripted input left unused";
  EXPECT_EQ(StandIn::LiveGdiObjectCount(), liveGdiObjectsBefore) << "fonts, bitmaps or brushes left behind";
  EXPECT_EQ(StandIn::LiveMenuCount(), liveMenusBefore) << "a popup menu left behind";
  EXPECT_EQ(StandIn::LiveGlobalBlockCount(), liveBlocksBefore) << "a memory block left behind";
  EXPECT_EQ(StandIn::LiveDeviceContextCount(), liveDcsBefore) << "a device context left behind";
}

void GridTest::CreateGrid(DWORD extraStyle) {
  grid = std::make_unique<CListGridCtrl>();
  ASSERT_TRUE(grid->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | extraStyle, CRect(0, 0, 600, 380), &parent, kGridId));
}

void GridTest::AddRows(const std::vector<std::vector<std::wstring>>& rows) {
  for (const auto& cells : rows) {
    int row = grid->InsertItem(grid->GetItemCount(), cells.empty() ? L"" : cells[0].c_str());
    grid->SetItemData(row, static_cast<DWORD_PTR>(row));
    for (size_t c = 1; c < cells.size(); ++c) grid->SetItemText(row, static_cast<int>(c), cells[c].c_str());
  }
}

void GridTest::BuildWizardGrid(int textColumns) {
  CreateGrid();
  grid->AddHiddenLeadColumn();
  int first = CColumnTraitImage::AddCheckBoxImages(*grid, images);
  ASSERT_EQ(first, 0);
  auto* check = new CColumnTraitImage(first, 2);
  check->SetSelectionToggle(false);
  check->SetEditOnSingleClick(true);
  grid->InsertTraitColumn(1, L"Use", LVCFMT_LEFT, 100, 1, check);
  grid->InsertTraitColumn(2, L"Name", LVCFMT_LEFT, 100, 2, new CColumnTraitEdit);
  for (int t = 0; t < textColumns; ++t) {
    CString heading;
    heading.Format(L"Text %d", t + 1);
    grid->InsertTraitColumn(3 + t, heading, LVCFMT_LEFT, 100, 3 + t, new CColumnTraitText);
  }
}

CPoint GridTest::CellPoint(int row, int col, int part) {
  CRect area;
  EXPECT_TRUE(grid->GetCellArea(row, col, part, area)) << "row " << row << " col " << col;
  return area.CenterPoint();
}

CPoint GridTest::HeaderPoint(int col) {
  CRect item;
  EXPECT_TRUE(grid->GetHeaderCtrl()->GetItemRect(col, &item));
  return item.CenterPoint();
}

std::vector<std::wstring> GridTest::ColumnTexts(int col) {
  std::vector<std::wstring> texts;
  for (int row = 0; row < grid->GetItemCount(); ++row) texts.emplace_back(grid->GetItemText(row, col).str());
  return texts;
}

std::vector<int> GridTest::OrderArray() {
  int n = grid->GetHeaderColumnCount();
  std::vector<int> order(static_cast<size_t>(n));
  grid->GetColumnOrderArray(order.data(), n);
  return order;
}

void GridTest::ClickCell(int row, int col, UINT modifiers, int part) {
  StandIn::LeftClick(grid->GetSafeHwnd(), CellPoint(row, col, part), modifiers);
}

void GridTest::ClickHeader(int col) { StandIn::LeftClick(grid->GetHeaderCtrl()->GetSafeHwnd(), HeaderPoint(col)); }

void GridTest::RightClickHeader(int col) {
  StandIn::RightClick(grid->GetHeaderCtrl()->GetSafeHwnd(), HeaderPoint(col));
}

void GridTest::SelectOnly(const std::vector<int>& rows) {
  grid->SelectRow(-1, false);
  for (int row : rows) grid->SelectRow(row, true);
}

}  // namespace gridtest
