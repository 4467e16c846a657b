#include "window_fixture.h"

#include <algorithm>

namespace windowtest {
namespace {

// A list whose header notifications are handled the way a grid handles them: widths are
// held between a minimum and a maximum, and column 2 may not be tracked.
class ClampingList : public CListCtrl {
public:
  int minWidth = 50;
  int maxWidth = 150;
  std::vector<UINT> codes;

protected:
  afx_msg BOOL OnChanging(UINT, NMHDR* hdr, LRESULT*) {
    auto* nm = reinterpret_cast<NMHEADER*>(hdr);
    codes.push_back(hdr->code);
    if (nm->pitem && (nm->pitem->mask & HDI_WIDTH)) nm->pitem->cxy = std::clamp(nm->pitem->cxy, minWidth, maxWidth);
    return FALSE;
  }
  afx_msg BOOL OnBeginTrack(UINT, NMHDR* hdr, LRESULT* result) {
    codes.push_back(hdr->code);
    *result = reinterpret_cast<NMHEADER*>(hdr)->iItem == 2;
    return TRUE;
  }
  afx_msg BOOL OnEndDrag(UINT, NMHDR* hdr, LRESULT*) {
    codes.push_back(hdr->code);
    auto* nm = reinterpret_cast<NMHEADER*>(hdr);
    if (nm->pitem && (nm->pitem->mask & HDI_ORDER)) nm->pitem->iOrder = std::max(nm->pitem->iOrder, 1);
    return FALSE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ClampingList, CListCtrl)
ON_NOTIFY_EX(HDN_ITEMCHANGINGW, 0, &ClampingList::OnChanging)
ON_NOTIFY_EX(HDN_ENDTRACKW, 0, &ClampingList::OnChanging)
ON_NOTIFY_EX(HDN_BEGINTRACKW, 0, &ClampingList::OnBeginTrack)
ON_NOTIFY_EX(HDN_ENDDRAG, 0, &ClampingList::OnEndDrag)
END_MESSAGE_MAP()

class Header : public WindowTest {
protected:
  ClampingList* clamping = nullptr;
  void CreateClampingList() {
    clamping = new ClampingList;
    list.reset(clamping);
    ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 410, 310), &parent, kListId));
    list->SetExtendedStyle(LVS_EX_HEADERDRAGDROP);
    list->InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    list->InsertColumn(1, L"Size", LVCFMT_RIGHT, 80, 1);
    list->InsertColumn(2, L"Tag", LVCFMT_LEFT, 60, 2);
  }
  std::vector<int> Order() {
    std::vector<int> order(3);
    EXPECT_TRUE(list->GetColumnOrderArray(order.data(), 3));
    return order;
  }
};

TEST_F(Header, OrderArrayFollowsInsertsDeletesAndRejectsNonPermutations) {
  CreateList();
  EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2}));
  int order[] = {2, 0, 1};
  ASSERT_TRUE(list->SetColumnOrderArray(3, order));
  EXPECT_EQ(list->GetHeaderCtrl()->OrderToIndex(0), 2);
  int bad[] = {2, 2, 1};
  EXPECT_FALSE(list->SetColumnOrderArray(3, bad));
  EXPECT_EQ(Order(), (std::vector<int>{2, 0, 1}));
  // A column inserted at index 1 takes display position 1; later indexes shift up.
  list->InsertColumn(1, L"New", LVCFMT_LEFT, 30);
  std::vector<int> four(4);
  ASSERT_TRUE(list->GetColumnOrderArray(four.data(), 4));
  EXPECT_EQ(four, (std::vector<int>{3, 1, 0, 2}));
  ASSERT_TRUE(list->DeleteColumn(0));
  std::vector<int> three(3);
  ASSERT_TRUE(list->GetColumnOrderArray(three.data(), 3));
  EXPECT_EQ(three, (std::vector<int>{2, 0, 1}));
  // The order array decides where each column lies.
  CRect item;
  ASSERT_TRUE(list->GetHeaderCtrl()->GetItemRect(2, &item));
  EXPECT_EQ(item.left, 0);
}

TEST_F(Header, WidthsTheProgramSetsPassTheChangingNotification) {
  CreateClampingList();
  EXPECT_TRUE(list->SetColumnWidth(0, 20));
  EXPECT_EQ(list->GetColumnWidth(0), 50);
  EXPECT_TRUE(list->SetColumnWidth(0, 400));
  EXPECT_EQ(list->GetColumnWidth(0), 150);
  EXPECT_EQ(clamping->codes, (std::vector<UINT>{HDN_ITEMCHANGINGW, HDN_ITEMCHANGINGW}));
  // The list's own parent sees the header's notifications the list does not handle.
  EXPECT_GE(parent.Count(HDN_ITEMCHANGEDW), 2);
}

TEST_F(Header, TrackingADividerSendsBeginTrackEndTrackAndTheClampedWidth) {
  CreateClampingList();
  HWND header = list->GetHeaderCtrl()->GetSafeHwnd();
  // Drag the divider of column 0 (x = 100) far to the right; the end of the track and the
  // change are clamped by the list.
  StandIn::DragFrom(header, CPoint(100, 10), CPoint(300, 10));
  EXPECT_EQ(list->GetColumnWidth(0), 100) << "nothing changes before the button comes up";
  StandIn::LeftButtonUp(header, CPoint(300, 10));
  EXPECT_EQ(list->GetColumnWidth(0), 150);
  EXPECT_EQ(clamping->codes, (std::vector<UINT>{HDN_BEGINTRACKW, HDN_ENDTRACKW, HDN_ITEMCHANGINGW}));
  EXPECT_EQ(parent.Count(HDN_TRACKW), 1);
  // Column 2 refuses tracking (its divider is at 100 + 80 + 60 once 0 is back at 100).
  list->SetColumnWidth(0, 100);
  StandIn::DragFrom(header, CPoint(240, 10), CPoint(290, 10));
  StandIn::LeftButtonUp(header, CPoint(290, 10));
  EXPECT_EQ(list->GetColumnWidth(2), 60);
  // A double click on a divider is its own notification.
  StandIn::DoubleClick(header, CPoint(180, 10));
  EXPECT_EQ(parent.Count(HDN_DIVIDERDBLCLICKW), 1);
}

TEST_F(Header, DraggingAnItemReordersThroughEndDrag) {
  CreateClampingList();
  HWND header = list->GetHeaderCtrl()->GetSafeHwnd();
  // Column 2 dragged to the front lands at position 1: the handler moved it.
  StandIn::DragFrom(header, CPoint(200, 10), CPoint(5, 10));
  StandIn::LeftButtonUp(header, CPoint(5, 10));
  EXPECT_EQ(Order(), (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(parent.Count(HDN_BEGINDRAG), 1);
  EXPECT_EQ(parent.Count(HDN_ITEMCLICKW), 0) << "a drag is not a click";
}

}  // namespace
}  // namespace windowtest
