#include "window_fixture.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace windowtest {
namespace {

using Texts = std::vector<std::wstring>;

class ListView : public WindowTest {};

std::vector<int> Items(const RecordingParent& parent, UINT code) {
  std::vector<int> items;
  for (const Notice& n : parent.notices)
    if (n.code == code) items.push_back(n.item);
  return items;
}

TEST_F(ListView, CheckBoxesAreStateImagesAndEveryChangeIsNotifiedAtOnce) {
  CreateList(0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  AddRows({{L"a"}, {L"b"}});
  ASSERT_NE(list->GetImageList(LVSIL_STATE), nullptr);
  EXPECT_EQ(list->GetImageList(LVSIL_STATE)->GetImageCount(), 2);
  EXPECT_EQ(list->GetItemState(0, LVIS_STATEIMAGEMASK), static_cast<UINT>(INDEXTOSTATEIMAGEMASK(1)));
  EXPECT_EQ(list->GetCheck(0), FALSE);
  parent.notices.clear();

  list->SetCheck(1, TRUE);
  // Both notifications arrive before SetCheck returns, changing and then changed.
  ASSERT_EQ(parent.Codes(), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED}));
  EXPECT_EQ(parent.notices[1].item, 1);
  EXPECT_EQ(parent.notices[1].oldState, static_cast<UINT>(INDEXTOSTATEIMAGEMASK(1)));
  EXPECT_EQ(parent.notices[1].newState, static_cast<UINT>(INDEXTOSTATEIMAGEMASK(2)));
  EXPECT_EQ(parent.notices[1].changed, static_cast<UINT>(LVIF_STATE));
  EXPECT_EQ(list->GetCheck(1), TRUE);

  // Setting the state it already has sends nothing.
  parent.notices.clear();
  list->SetCheck(1, TRUE);
  EXPECT_TRUE(parent.notices.empty());

  // A click on the state icon toggles the check without selecting the row.
  CRect icon;
  ASSERT_TRUE(list->GetSubItemRect(0, 0, LVIR_BOUNDS, icon));
  StandIn::LeftClick(list->GetSafeHwnd(), CPoint(icon.left + 8, icon.CenterPoint().y));
  EXPECT_EQ(list->GetCheck(0), TRUE);
  EXPECT_EQ(list->GetSelectedCount(), 0u);
  EXPECT_EQ(Items(parent, NM_CLICK), (std::vector<int>{0}));

  // Space toggles the focused row's check.
  list->SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
  list->SetFocus();
  StandIn::PressKey(VK_SPACE);
  EXPECT_EQ(list->GetCheck(1), FALSE);

  // Turning check boxes off removes the state images.
  list->SetExtendedStyle(LVS_EX_FULLROWSELECT);
  EXPECT_EQ(list->GetImageList(LVSIL_STATE), nullptr);
  EXPECT_EQ(list->GetItemState(0, LVIS_STATEIMAGEMASK), 0u);
}

TEST_F(ListView, AParentThatRefusesTheChangeKeepsTheOldState) {
  CreateList(0, LVS_EX_CHECKBOXES);
  AddRows({{L"a"}, {L"b"}});
  parent.refuseChanging = true;
  parent.notices.clear();
  EXPECT_FALSE(list->SetCheck(0, TRUE));
  EXPECT_EQ(list->GetCheck(0), FALSE);
  EXPECT_EQ(parent.Codes(), (std::vector<UINT>{LVN_ITEMCHANGING}));
}

TEST_F(ListView, FocusIsOneRowAndSingleSelectionKeepsOneRowSelected) {
  CreateList(LVS_SINGLESEL);
  AddRows({{L"a"}, {L"b"}, {L"c"}});
  list->SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  parent.notices.clear();
  list->SetItemState(2, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 2);
  EXPECT_EQ(list->GetSelectedCount(), 1u);
  // Row 0 loses focus first, then its selection, then row 2 gains both in one change.
  EXPECT_EQ(Items(parent, LVN_ITEMCHANGED), (std::vector<int>{0, 0, 2}));
  // Row -1 means every row: the focus can be cleared everywhere at once.
  list->SetItemState(-1, 0, LVIS_FOCUSED | LVIS_SELECTED);
  EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), -1);
  EXPECT_EQ(list->GetSelectedCount(), 0u);
}

TEST_F(ListView, ClicksWithControlAndShiftBuildTheSelection) {
  CreateList(0, LVS_EX_FULLROWSELECT);
  AddRows({{L"a"}, {L"b"}, {L"c"}, {L"d"}, {L"e"}});
  HWND h = list->GetSafeHwnd();
  StandIn::LeftClick(h, CellPoint(1, 1));
  StandIn::LeftClick(h, CellPoint(3, 2), StandIn::kShift);
  EXPECT_EQ(list->GetSelectedCount(), 3u);
  EXPECT_EQ(list->GetSelectionMark(), 1);
  StandIn::LeftClick(h, CellPoint(2, 0), StandIn::kControl);
  EXPECT_FALSE(list->GetItemState(2, LVIS_SELECTED));
  EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 2);
  // A plain click on a selected row keeps only that row once the button comes up.
  StandIn::LeftClick(h, CellPoint(3, 0));
  EXPECT_EQ(list->GetSelectedCount(), 1u);
  EXPECT_TRUE(list->GetItemState(3, LVIS_SELECTED));
  // A click below the rows clears the selection and reports no item.
  parent.notices.clear();
  StandIn::LeftClick(h, CPoint(50, 280));
  EXPECT_EQ(list->GetSelectedCount(), 0u);
  EXPECT_EQ(Items(parent, NM_CLICK), (std::vector<int>{-1}));
  EXPECT_EQ(::GetFocus(), h);
}

TEST_F(ListView, ArrowKeysMoveFocusAndSelection) {
  CreateList();
  AddRows({{L"a"}, {L"b"}, {L"c"}});
  list->SetFocus();
  StandIn::PressKey(VK_DOWN);
  EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 0);
  StandIn::PressKey(VK_DOWN);
  StandIn::PressKey(VK_DOWN, StandIn::kShift);
  EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 2);
  EXPECT_EQ(list->GetSelectedCount(), 2u);
  StandIn::PressKey(VK_HOME);
  EXPECT_EQ(list->GetSelectedCount(), 1u);
  EXPECT_TRUE(list->GetItemState(0, LVIS_SELECTED));
}

TEST_F(ListView, DraggingARowStartsADragInsteadOfAClick) {
  CreateList(0, LVS_EX_FULLROWSELECT);
  AddRows({{L"a"}, {L"b"}});
  StandIn::DragFrom(list->GetSafeHwnd(), CellPoint(0, 1), CPoint(CellPoint(0, 1).x + 20, CellPoint(1, 1).y));
  EXPECT_EQ(Items(parent, LVN_BEGINDRAG), (std::vector<int>{0}));
  EXPECT_EQ(parent.Count(NM_CLICK), 0);
}

// A list that records the WM_CONTEXTMENU messages it receives.
class ContextList : public CListCtrl {
public:
  std::vector<std::pair<HWND, CPoint>> seen;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == WM_CONTEXTMENU)
      seen.emplace_back(reinterpret_cast<HWND>(wParam), CPoint(static_cast<DWORD>(lParam)));
    return CListCtrl::OnWndMsg(message, wParam, lParam, result);
  }
};

TEST_F(ListView, RightClickSelectsAndRaisesTheContextMenuOnTheList) {
  auto* menuList = new ContextList;
  list.reset(menuList);
  ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 410, 310), &parent, kListId));
  list->SetExtendedStyle(LVS_EX_FULLROWSELECT);
  list->InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
  AddRows({{L"a"}, {L"b"}});
  HWND h = list->GetSafeHwnd();
  StandIn::RightClick(h, CellPoint(1, 0));
  EXPECT_TRUE(list->GetItemState(1, LVIS_SELECTED));
  EXPECT_EQ(parent.Count(NM_RCLICK), 1);
  ASSERT_EQ(menuList->seen.size(), 1u);
  EXPECT_EQ(menuList->seen[0].first, h);
  CPoint screen = CellPoint(1, 0);
  ::ClientToScreen(h, &screen);
  EXPECT_EQ(menuList->seen[0].second, screen);
  // Right-clicking the header raises it too, naming the header as the source.
  HWND header = list->GetHeaderCtrl()->GetSafeHwnd();
  StandIn::RightClick(header, CPoint(20, 5));
  ASSERT_EQ(menuList->seen.size(), 2u);
  EXPECT_EQ(menuList->seen[1].first, header);
  // The keyboard's menu key raises it with the point (-1, -1).
  list->SetFocus();
  StandIn::PressKey(VK_APPS);
  ASSERT_EQ(menuList->seen.size(), 3u);
  EXPECT_EQ(menuList->seen[2].second, CPoint(-1, -1));
}

TEST_F(ListView, SortIsAStableMergeSortOverPreSortIndexes) {
  CreateList();
  AddRows({{L"b", L"1"}, {L"a", L"2"}, {L"b", L"3"}, {L"a", L"4"}, {L"c", L"5"}});
  struct Context {
    HWND list;
    std::vector<std::pair<LPARAM, LPARAM>> calls;
    bool orderStable = true;
  } context{list->GetSafeHwnd(), {}, true};
  auto compare = [](LPARAM a, LPARAM b, LPARAM data) -> int {
    auto* c = reinterpret_cast<Context*>(data);
    c->calls.emplace_back(a, b);
    wchar_t ta[8] = {}, tb[8] = {};
    LVITEMW item;
    item.mask = LVIF_TEXT;
    item.pszText = ta;
    item.cchTextMax = 8;
    item.iItem = static_cast<int>(a);
    ::SendMessageW(c->list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = tb;
    item.iItem = static_cast<int>(b);
    ::SendMessageW(c->list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return std::wcscmp(ta, tb);
  };
  ASSERT_TRUE(list->SortItemsEx(compare, reinterpret_cast<DWORD_PTR>(&context)));
  EXPECT_EQ(ColumnTexts(1), (Texts{L"2", L"4", L"1", L"3", L"5"}));
  // Every call named rows by their place before the sort.
  for (auto [a, b] : context.calls) {
    EXPECT_GE(a, 0);
    EXPECT_LT(b, 5);
  }
  EXPECT_FALSE(context.calls.empty());
  // SortItems passes the item data instead.
  std::vector<DWORD_PTR> data;
  for (int row = 0; row < 5; ++row) data.push_back(list->GetItemData(row));
  auto byData = [](LPARAM a, LPARAM b, LPARAM) -> int { return static_cast<int>(b - a); };
  ASSERT_TRUE(list->SortItems(byData, 0));
  EXPECT_EQ(ColumnTexts(1), (Texts{L"5", L"4", L"3", L"2", L"1"}));
}

TEST_F(ListView, GeometryFollowsTheFixedMetrics) {
  CreateList();
  AddRows({{L"a"}, {L"b"}});
  CRect row0, row1, cell;
  ASSERT_TRUE(list->GetItemRect(0, &row0, LVIR_BOUNDS));
  ASSERT_TRUE(list->GetItemRect(1, &row1, LVIR_BOUNDS));
  EXPECT_EQ(row0.top, 21) << "below a header of text height 13 + 8";
  EXPECT_EQ(row0.Height(), 17) << "text height 13 + 4";
  EXPECT_EQ(row1.top, row0.bottom);
  EXPECT_EQ(row0.Width(), 240);
  // Columns follow the display order.
  int order[] = {2, 0, 1};
  ASSERT_TRUE(list->SetColumnOrderArray(3, order));
  ASSERT_TRUE(list->GetSubItemRect(0, 1, LVIR_BOUNDS, cell));
  EXPECT_EQ(cell.left, 160);
  LVHITTESTINFO hit;
  hit.pt = CPoint(170, 25);
  EXPECT_EQ(list->SubItemHitTest(&hit), 0);
  EXPECT_EQ(hit.iSubItem, 1);
  EXPECT_TRUE(hit.flags & LVHT_ONITEMLABEL);
  hit.pt = CPoint(30, 290);
  EXPECT_EQ(list->SubItemHitTest(&hit), -1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_NOWHERE));
  // A larger font makes taller rows.
  CFont font;
  LOGFONT lf{};
  lf.lfHeight = -20;
  font.CreateFontIndirect(&lf);
  list->SetFont(&font);
  ASSERT_TRUE(list->GetItemRect(0, &row0, LVIR_BOUNDS));
  EXPECT_EQ(row0.Height(), 24);
  list->SetFont(nullptr);
}

TEST_F(ListView, CallbackTextsComeFromTheParent) {
  CreateList();
  struct Answering : RecordingParent {};
  list->InsertItem(LVIF_TEXT, 0, LPSTR_TEXTCALLBACKW, 0, 0, 0, 0);
  // Without a handler the parent gives nothing, so the text stays empty; with NORECOMPUTE
  // the callback marker comes back.
  EXPECT_EQ(list->GetItemText(0, 0), L"");
  EXPECT_EQ(parent.Count(LVN_GETDISPINFOW), 1);
  LVITEM item;
  item.mask = LVIF_TEXT | LVIF_NORECOMPUTE;
  wchar_t buffer[8];
  item.pszText = buffer;
  item.cchTextMax = 8;
  ASSERT_TRUE(list->GetItem(&item));
  EXPECT_EQ(item.pszText, LPSTR_TEXTCALLBACKW);
}

TEST_F(ListView, LabelEditingAsksTheParentAndWritesOnlyAcceptedText) {
  CreateList(LVS_EDITLABELS);
  AddRows({{L"old"}});
  CEdit* editor = list->EditLabel(0);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(::GetFocus(), editor->GetSafeHwnd());
  StandIn::TypeText(L"new");
  StandIn::PressKey(VK_RETURN);
  EXPECT_EQ(parent.Count(LVN_ENDLABELEDITW), 1);
  // The parent answered 0 (its default), so the text is not taken.
  EXPECT_EQ(list->GetItemText(0, 0), L"old");
  EXPECT_EQ(list->GetEditControl(), nullptr);
  EXPECT_EQ(::GetFocus(), list->GetSafeHwnd());
}

}  // namespace
}  // namespace windowtest

namespace windowtest {
namespace {

class ListScroll : public WindowTest {};

TEST_F(ListScroll, ScrollingMovesRowsTheHeaderAndTheScrollBars) {
  CreateList();
  for (int i = 0; i < 40; ++i) AddRows({{L"row" + std::to_wstring(i)}});
  // 300 pixels high: (300 - 21) / 17 = 16 whole rows.
  EXPECT_EQ(list->GetCountPerPage(), 16);
  ASSERT_TRUE(list->Scroll(CSize(0, 20)));  // 20 pixels is two rows, rounded up
  EXPECT_EQ(list->GetTopIndex(), 2);
  EXPECT_EQ(list->GetScrollPos(SB_VERT), 2);
  CRect row;
  ASSERT_TRUE(list->GetItemRect(2, &row, LVIR_BOUNDS));
  EXPECT_EQ(row.top, 21);
  list->Scroll(CSize(0, -1000));
  EXPECT_EQ(list->GetTopIndex(), 0);
  int minPos = 0, maxPos = 0;
  list->GetScrollRange(SB_VERT, &minPos, &maxPos);
  EXPECT_EQ(maxPos, 39);
  ASSERT_TRUE(list->EnsureVisible(30, FALSE));
  EXPECT_EQ(list->GetTopIndex(), 30 - 16 + 1);

  // Horizontally the columns (and the header window with them) move left.
  list->SetColumnWidth(2, 500);
  list->Scroll(CSize(50, 0));
  EXPECT_EQ(list->GetScrollPos(SB_HORZ), 50);
  CRect cell;
  ASSERT_TRUE(list->GetSubItemRect(15, 1, LVIR_BOUNDS, cell));
  EXPECT_EQ(cell.left, 100 - 50);
  CRect header;
  list->GetHeaderCtrl()->GetWindowRect(&header);
  list->ScreenToClient(&header);
  EXPECT_EQ(header.left, -50);
  // A header hit test works in the header's own coordinates: the list point plus the scroll.
  HDHITTESTINFO hit;
  hit.pt = CPoint(10 + 50, 5);
  EXPECT_EQ(list->GetHeaderCtrl()->HitTest(&hit), 0);
  hit.pt = CPoint(60 + 50, 5);
  EXPECT_EQ(list->GetHeaderCtrl()->HitTest(&hit), 1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(HHT_ONHEADER));
}

// An owner-data list keeps only the count and the states; texts come from the parent.
class OwnerDataParent : public RecordingParent {
public:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == LVN_GETDISPINFOW) {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
      if (info->item.mask & LVIF_TEXT)
        std::swprintf(info->item.pszText, static_cast<size_t>(info->item.cchTextMax), L"v%d.%d", info->item.iItem,
                      info->item.iSubItem);
      if (info->item.mask & LVIF_IMAGE) info->item.iImage = info->item.iItem % 2;
    }
    return RecordingParent::OnNotify(wParam, lParam, result);
  }
};

TEST_F(ListScroll, OwnerDataListsAskForEveryCellAndRefuseToSort) {
  OwnerDataParent host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_OVERLAPPED, 0, 0, 300, 300, nullptr, nullptr));
  CListCtrl data;
  ASSERT_TRUE(data.Create(WS_CHILD | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 200, 200), &host, kListId));
  data.InsertColumn(0, L"A", LVCFMT_LEFT, 50);
  data.InsertColumn(1, L"B", LVCFMT_LEFT, 50);
  EXPECT_EQ(data.InsertItem(0, L"x"), -1);
  data.SetItemCount(5);
  EXPECT_EQ(data.GetItemCount(), 5);
  EXPECT_EQ(data.GetItemText(3, 1), L"v3.1");
  LVITEM item;
  item.mask = LVIF_IMAGE;
  item.iItem = 3;
  ASSERT_TRUE(data.GetItem(&item));
  EXPECT_EQ(item.iImage, 1);
  data.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(data.GetNextItem(-1, LVNI_SELECTED), 4);
  auto any = [](LPARAM, LPARAM, LPARAM) { return 0; };
  EXPECT_FALSE(data.SortItemsEx(any, 0));
  data.DestroyWindow();
  host.DestroyWindow();
}

}  // namespace
}  // namespace windowtest
