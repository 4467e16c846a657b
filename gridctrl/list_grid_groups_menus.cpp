// The grouped grid's message handlers and menus: the group, background and header menus,
// the task-link and empty-markup notifications, and the handlers that forget the grouping.
#include <cwchar>

#include "gridctrl/list_grid_groups.h"
#include "gridctrl/windows_version.h"

namespace {

// Offsets of the expand, collapse and disable commands after a menu's first group id.
enum GroupViewCommand : UINT { kExpandAll = 0, kCollapseAll = 1, kDisableGrouping = 2 };

}  // namespace

BEGIN_MESSAGE_MAP(CListGridGroups, CListGridCtrl)
ON_NOTIFY_REFLECT_EX(LVN_LINKCLICK, &CListGridGroups::OnGroupTaskClick)
ON_NOTIFY_REFLECT_EX(LVN_GETEMPTYMARKUP, &CListGridGroups::OnGetEmptyMarkup)
ON_MESSAGE(LVM_REMOVEALLGROUPS, &CListGridGroups::OnRemoveAllGroups)
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

// ---- handlers -------------------------------------------------------------------------------

BOOL CListGridGroups::OnGetDispInfo(NMHDR* hdr, LRESULT* result) {
  LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(hdr)->item;
  if (item.iItem < 0 || item.iItem >= GetItemCount() || item.iSubItem < 0 || item.iSubItem >= GetHeaderColumnCount())
    return FALSE;
  if (item.mask & LVIF_GROUPID) {
    int groupId = -1;
    item.iGroupId = OnDisplayGroupId(item.iItem, item.iSubItem, groupId) ? groupId : I_GROUPIDNONE;
  }
  return CListGridCtrl::OnGetDispInfo(hdr, result);
}

bool CListGridGroups::OnDisplayGroupId(int, int, int&) { return false; }

void CListGridGroups::OnLButtonDblClk(UINT flags, CPoint pt) { CListGridCtrl::OnLButtonDblClk(flags, pt); }

BOOL CListGridGroups::OnHeaderEndDrag(UINT id, NMHDR* hdr, LRESULT* result) {
  NMHEADER* header = reinterpret_cast<NMHEADER*>(hdr);
  if (header->pitem && (header->pitem->mask & HDI_ORDER)) {
    groupByColumn = -1;
    groupSortDirection = -1;
  }
  return CListGridCtrl::OnHeaderEndDrag(id, hdr, result);
}

LRESULT CListGridGroups::OnInsertColumn(WPARAM wParam, LPARAM lParam) {
  LRESULT result = CListGridCtrl::OnInsertColumn(wParam, lParam);
  if (result != -1) groupByColumn = -1;  // column indexes moved
  return result;
}

LRESULT CListGridGroups::OnDeleteColumn(WPARAM wParam, LPARAM lParam) {
  LRESULT result = CListGridCtrl::OnDeleteColumn(wParam, lParam);
  if (result) groupByColumn = -1;
  return result;
}

void CListGridGroups::OnDestroy() {
  groupByColumn = -1;
  groupSortDirection = -1;
  insertedGroupIds.clear();
  CListGridCtrl::OnDestroy();
}

void CListGridGroups::OnPaint() {
  // The themed list draws the empty markup itself.
  if (IsExplorerThemed()) Default();
  else CListGridCtrl::OnPaint();
}

BOOL CListGridGroups::OnGroupTaskClick(NMHDR* hdr, LRESULT*) {
  int groupId = reinterpret_cast<NMLVLINK*>(hdr)->iSubItem;
  (void)groupId;  // a subclass acts on the group's task
  return FALSE;
}

BOOL CListGridGroups::OnGetEmptyMarkup(NMHDR* hdr, LRESULT* result) {
  if (emptyListText.IsEmpty()) return FALSE;
  NMLVEMPTYMARKUP* markup = reinterpret_cast<NMLVEMPTYMARKUP*>(hdr);
  markup->dwFlags = EMF_CENTERED;
  size_t length = std::min<size_t>(static_cast<size_t>(emptyListText.GetLength()), L_MAX_URL_LENGTH - 1);
  wmemcpy(markup->szMarkup, emptyListText.GetString(), length);
  markup->szMarkup[length] = 0;
  *result = TRUE;
  return TRUE;
}

void CListGridGroups::OnContextMenu(CWnd* wnd, CPoint pt) {
  CWnd* header = GetHeaderCtrl();
  bool fromHeader = wnd && header && wnd->GetSafeHwnd() == header->GetSafeHwnd();
  if (IsGroupViewEnabled() && !fromHeader && !(pt.x == -1 && pt.y == -1)) {
    CPoint client = pt;
    ScreenToClient(&client);
    int groupId = GroupHitTest(client);
    if (groupId != -1) {
      OnGroupContextMenu(wnd, pt.x, pt.y, groupId);
      return;
    }
  }
  CListGridCtrl::OnContextMenu(wnd, pt);
}

// ---- menus ----------------------------------------------------------------------------------

void CListGridGroups::AppendGroupViewItems(CMenu& menu, UINT firstId) {
  menu.AppendMenu(MF_STRING, firstId + kExpandAll, L"Expand all groups");
  menu.AppendMenu(MF_STRING, firstId + kCollapseAll, L"Collapse all groups");
  menu.AppendMenu(MF_STRING, firstId + kDisableGrouping, L"Disable grouping");
}

void CListGridGroups::RunGroupViewCommand(UINT offset) {
  if (offset == kExpandAll) ExpandAllGroups();
  else if (offset == kCollapseAll) CollapseAllGroups();
  else if (offset == kDisableGrouping) DisableGrouping();
}

void CListGridGroups::OnGroupContextMenu(CWnd*, int x, int y, int groupId) {
  CMenu menu;
  menu.CreatePopupMenu();
  if (GetExtendedStyle() & LVS_EX_CHECKBOXES) {
    CString header = GetGroupHeader(groupId);
    menu.AppendMenu(MF_STRING, 3, L"Check group: " + header);
    menu.AppendMenu(MF_STRING, 4, L"Uncheck group: " + header);
  }
  if (IsGroupStateEnabled()) {
    if (menu.GetMenuItemCount() > 0) menu.AppendMenu(MF_SEPARATOR);
    AppendGroupViewItems(menu, 5);
  }
  if (menu.GetMenuItemCount() == 0) return;  // nothing to offer
  UINT command = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD, x, y, this));
  if (command == 3 || command == 4) CheckEntireGroup(groupId, command == 3);
  else if (command >= 5) RunGroupViewCommand(command - 5);
}

void CListGridGroups::OnBackgroundContextMenu(CWnd*, CPoint pt) {
  if (!IsGroupStateEnabled()) return;
  CMenu menu;
  menu.CreatePopupMenu();
  AppendGroupViewItems(menu, 1);
  UINT command = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD, pt.x, pt.y, this));
  if (command >= 1) RunGroupViewCommand(command - 1);
}

void CListGridGroups::DisableGroupingKeepingView() {
  int position = GetScrollPos(SB_VERT);
  EnsureVisible(0, FALSE);
  DisableGrouping();
  Scroll(CSize(0, position));
}

void CListGridGroups::OnHeaderContextMenu(CWnd* wnd, CPoint pt, int col) {
  if (!GetCommonControlsVersion()) {
    CListGridCtrl::OnHeaderContextMenu(wnd, pt, col);
    return;
  }
  CMenu menu;
  menu.CreatePopupMenu();
  if (col != -1) menu.AppendMenu(MF_STRING, 3, L"Group by: " + GetColumnHeading(col));
  if (IsGroupViewEnabled()) menu.AppendMenu(MF_STRING, 4, L"Disable grouping");
  UINT count = static_cast<UINT>(GetHeaderColumnCount());
  ColumnMenuIds ids{6, count + 7, 5};
  CSimpleArray<CString> profiles;
  AppendColumnMenuItems(menu, col, ids, profiles);
  UINT id = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD, pt.x, pt.y, this));
  if (id == 3) GroupByColumn(col);
  else if (id == 4) DisableGroupingKeepingView();
  else if (id > 0) RunColumnMenuCommand(id, col, ids, profiles);
}
