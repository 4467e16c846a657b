#include "window_fixture.h"

#include <algorithm>

namespace windowtest {

BOOL RecordingParent::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  Notice notice;
  notice.code = header->code;
  bool fromList = header->idFrom == kListId;
  if (!fromList) {
    if (header->code >= HDN_TRACKW && header->code <= HDN_ITEMCHANGINGA)
      notice.item = reinterpret_cast<NMHEADERW*>(lParam)->iItem;
  } else if (header->code == LVN_ITEMCHANGING || header->code == LVN_ITEMCHANGED || header->code == LVN_COLUMNCLICK ||
             header->code == LVN_BEGINDRAG) {
    auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
    notice.item = nm->iItem;
    notice.subItem = nm->iSubItem;
    notice.oldState = nm->uOldState;
    notice.newState = nm->uNewState;
    notice.changed = nm->uChanged;
  } else if (header->code == NM_CLICK || header->code == NM_DBLCLK || header->code == NM_RCLICK) {
    auto* nm = reinterpret_cast<NMITEMACTIVATE*>(lParam);
    notice.item = nm->iItem;
    notice.subItem = nm->iSubItem;
  }
  notices.push_back(notice);
  BOOL handled = CWnd::OnNotify(wParam, lParam, result);
  if (fromList && header->code == LVN_ITEMCHANGING && refuseChanging && (refuseRow < 0 || notice.item == refuseRow)) {
    *result = TRUE;
    return TRUE;
  }
  return handled;
}

BOOL RecordingParent::OnCommand(WPARAM wParam, LPARAM lParam) {
  commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
  return CWnd::OnCommand(wParam, lParam);
}

std::vector<UINT> RecordingParent::Codes() const {
  std::vector<UINT> codes;
  for (const Notice& n : notices) codes.push_back(n.code);
  return codes;
}

int RecordingParent::Count(UINT code) const {
  return static_cast<int>(
      std::count_if(notices.begin(), notices.end(), [&](const Notice& n) { return n.code == code; }));
}

void WindowTest::SetUp() {
  StandIn::ResetSystemConfiguration();
  StandIn::ReleaseAllKeys();
  StandIn::PumpMessages();
  StandIn::ClearTrackedMenus();
  windowsBefore = StandIn::LiveWindowCount();
  wndObjectsBefore = StandIn::LiveWndObjectCount();
  gdiObjectsBefore = StandIn::LiveGdiObjectCount();
  menusBefore = StandIn::LiveMenuCount();
  blocksBefore = StandIn::LiveGlobalBlockCount();
  dcsBefore = StandIn::LiveDeviceContextCount();
  scopedDriver = std::make_unique<StandIn::ScopedInputDriver>(driver);
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Parent", WS_OVERLAPPED | WS_VISIBLE, 20, 30, 500, 400,
                              nullptr, nullptr));
}

void WindowTest::TearDown() {
  if (list && list->GetSafeHwnd()) list->DestroyWindow();
  if (parent.GetSafeHwnd()) parent.DestroyWindow();
  StandIn::PumpMessages();
  list.reset();
  scopedDriver.reset();
  StandIn::ReleaseAllKeys();
  EXPECT_EQ(StandIn::LiveWindowCount(), windowsBefore) << "a window outlived its test";
  EXPECT_EQ(StandIn::LiveWndObjectCount(), wndObjectsBefore) << "an editor or window object outlived its test";
  EXPECT_EQ(StandIn::LiveGdiObjectCount(), gdiObjectsBefore) << "fonts, bitmaps or brushes left behind";
  EXPECT_EQ(StandIn::LiveMenuCount(), menusBefore) << "a popup menu left behind";
  EXPECT_EQ(StandIn::LiveGlobalBlockCount(), blocksBefore) << "a memory block left behind";
  EXPECT_EQ(StandIn::LiveDeviceContextCount(), dcsBefore) << "a device context left behind";
  EXPECT_EQ(driver.PendingAnswers(), 0) << "scripted input left unused";
}

void WindowTest::CreateList(DWORD extraStyle, DWORD extendedStyle) {
  list = std::make_unique<CListCtrl>();
  ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | extraStyle, CRect(10, 10, 410, 310), &parent, kListId));
  if (extendedStyle) list->SetExtendedStyle(extendedStyle);
  list->InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
  list->InsertColumn(1, L"Size", LVCFMT_RIGHT, 80, 1);
  list->InsertColumn(2, L"Tag", LVCFMT_LEFT, 60, 2);
}

void WindowTest::AddRows(const std::vector<std::vector<std::wstring>>& rows) {
  for (const auto& cells : rows) {
    int row = list->InsertItem(list->GetItemCount(), cells.empty() ? L"" : cells[0].c_str());
    list->SetItemData(row, static_cast<DWORD_PTR>(row));
    for (size_t c = 1; c < cells.size(); ++c) list->SetItemText(row, static_cast<int>(c), cells[c].c_str());
  }
}

std::vector<std::wstring> WindowTest::ColumnTexts(int col) {
  std::vector<std::wstring> texts;
  for (int row = 0; row < list->GetItemCount(); ++row) texts.emplace_back(list->GetItemText(row, col).str());
  return texts;
}

CPoint WindowTest::CellPoint(int row, int col) {
  CRect area;
  EXPECT_TRUE(list->GetSubItemRect(row, col, LVIR_LABEL, area));
  return area.CenterPoint();
}

CPoint WindowTest::HeaderPoint(int col) {
  CRect item;
  EXPECT_TRUE(list->GetHeaderCtrl()->GetItemRect(col, &item));
  return item.CenterPoint();
}

}  // namespace windowtest
