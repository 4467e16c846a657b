// The grouped grid's groups: inserting and reading them, grouping the rows by a column,
// assigning and moving rows, sorting groups or the rows inside them, and group states.
#include "gridctrl/list_grid_groups.h"

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

#include "gridctrl/windows_version.h"

namespace {

constexpr int kHeaderBufferLength = 1024;  // the first buffer a header is read into

// What the list's group sort callback needs to compare two groups by their headers.
struct GroupSortContext {
  HWND list;
  int column;
  bool ascending;
  CColumnTrait* trait;
  CSimpleMap<int, CString> headers;
};

// Two headers compared by a column's trait, as two cells of no row (so no row is pinned).
int compareHeaders(CColumnTrait& trait, const CString& a, const CString& b, bool ascending) {
  LVITEM first{};
  LVITEM second{};
  first.iItem = second.iItem = -1;
  first.mask = second.mask = LVIF_TEXT;
  first.pszText = const_cast<wchar_t*>(a.GetString());
  second.pszText = const_cast<wchar_t*>(b.GetString());
  return trait.CompareItems(first, second, ascending);
}

// Puts one of a group's texts into the record; the record points into the caller's text.
template <typename Length>
void setGroupText(LVGROUP& group, UINT mask, LPWSTR LVGROUP::*text, Length LVGROUP::*length, const CString& value) {
  group.mask |= mask;
  group.*text = const_cast<wchar_t*>(value.GetString());
  group.*length = static_cast<Length>(value.GetLength());
}

int CALLBACK CompareGroupsForSort(int a, int b, void* data) {
  const GroupSortContext* sort = static_cast<const GroupSortContext*>(data);
  int at = sort->headers.FindKey(a);
  int bt = sort->headers.FindKey(b);
  CString headerA = at >= 0 ? sort->headers.GetValueAt(at) : CString();
  CString headerB = bt >= 0 ? sort->headers.GetValueAt(bt) : CString();
  return compareHeaders(*sort->trait, headerA, headerB, sort->ascending);
}

}  // namespace

CListGridGroups::CListGridGroups() = default;

CListGridGroups::~CListGridGroups() {
  // The window goes while this class's handlers can still run.
  if (GetSafeHwnd()) DestroyWindow();
}

// ---- group view -----------------------------------------------------------------------------

bool CListGridGroups::IsGroupViewEnabled() { return SendMessage(LVM_ISGROUPVIEWENABLED) != 0; }

void CListGridGroups::EnableGroupView(bool enable) { SendMessage(LVM_ENABLEGROUPVIEW, enable ? TRUE : FALSE); }

BOOL CListGridGroups::IsGroupStateEnabled() { return IsGroupViewEnabled() && IsWindowsVersionAtLeast(0x0600); }

void CListGridGroups::SetGroupSortMode(int mode) { groupSortMode = mode; }

void CListGridGroups::DisableGrouping() {
  SendMessage(LVM_REMOVEALLGROUPS);
  EnableGroupView(false);
}

LRESULT CListGridGroups::OnRemoveAllGroups(WPARAM, LPARAM) {
  groupByColumn = -1;
  groupSortDirection = -1;
  insertedGroupIds.clear();
  return Default();
}

// ---- groups ---------------------------------------------------------------------------------

int CListGridGroups::InsertGroupHeader(int index, int groupId, const CString& header, UINT state, UINT align) {
  LVGROUP group;
  setGroupText(group, LVGF_HEADER, &LVGROUP::pszHeader, &LVGROUP::cchHeader, header);
  group.mask |= LVGF_STATE | LVGF_ALIGN | LVGF_GROUPID;
  group.iGroupId = groupId;
  group.stateMask = state;
  group.state = state;
  group.uAlign = align;
  int result =
      static_cast<int>(SendMessage(LVM_INSERTGROUP, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&group)));
  if (result != -1) insertedGroupIds.push_back(groupId);
  return result;
}

CString CListGridGroups::GetGroupHeader(int groupId) {
  // The list cuts the header to the buffer: a header that fills it is read again, twice as long.
  for (size_t length = kHeaderBufferLength;; length *= 2) {
    std::vector<wchar_t> buffer(length, 0);
    LVGROUP group;
    group.mask = LVGF_HEADER | LVGF_GROUPID;
    group.pszHeader = buffer.data();
    group.cchHeader = static_cast<int>(length);
    if (SendMessage(LVM_GETGROUPINFO, static_cast<WPARAM>(groupId), reinterpret_cast<LPARAM>(&group)) == -1)
      return CString();
    buffer[length - 1] = 0;
    CString header(buffer.data());
    if (static_cast<size_t>(header.GetLength()) < length - 1 || length > INT_MAX / 2) return header;
  }
}

int CListGridGroups::GetRowGroupId(int row) {
  LVITEM item{};
  item.mask = LVIF_GROUPID;
  item.iItem = row;
  if (!GetItem(&item)) return -1;
  return item.iGroupId >= 1 ? item.iGroupId : -1;  // ids below 1 are no group
}

BOOL CListGridGroups::SetRowGroupId(int row, int groupId) {
  LVITEM item{};
  item.mask = LVIF_GROUPID;
  item.iItem = row;
  item.iGroupId = groupId >= 1 ? groupId : I_GROUPIDNONE;
  return SetItem(&item);
}

BOOL CListGridGroups::GetGroupIds(CSimpleArray<int>& ids) {
  if (!IsGroupViewEnabled()) return FALSE;
  if (IsGroupStateEnabled()) {
    int count = static_cast<int>(SendMessage(LVM_GETGROUPCOUNT));  // none is an empty list, not a failure
    for (int i = 0; i < count; ++i) {
      LVGROUP group;
      group.mask = LVGF_GROUPID;
      if (SendMessage(LVM_GETGROUPINFOBYINDEX, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&group)) &&
          group.iGroupId >= 1)
        ids.Add(group.iGroupId);
    }
    return TRUE;
  }
  for (int row = 0; row < GetItemCount(); ++row) {
    int id = GetRowGroupId(row);
    if (id != -1 && ids.Find(id) < 0) ids.Add(id);
  }
  return TRUE;
}

int CListGridGroups::GroupHitTest(CPoint pt) {
  if (!IsGroupViewEnabled() || HitTest(pt) != -1) return -1;
  if (IsGroupStateEnabled()) {
    CSimpleArray<int> ids;
    if (!GetGroupIds(ids)) return -1;
    for (int i = 0; i < ids.GetSize(); ++i) {
      RECT header{0, LVGGR_HEADER, 0, 0};
      if (SendMessage(LVM_GETGROUPRECT, static_cast<WPARAM>(ids[i]), reinterpret_cast<LPARAM>(&header)) &&
          CRect(header).PtInRect(pt))
        return ids[i];
    }
    return -1;
  }
  if (GetItemCount() == 0) return -1;
  // Without group rectangles: the first row below the point starts its group when the row
  // above it lies in another group.
  CRect client;
  GetClientRect(&client);
  for (int y = pt.y; y < client.bottom; y += 2) {
    int row = HitTest(CPoint(pt.x, y));
    if (row == -1) continue;
    int above = GetNextItem(row, LVNI_ABOVE);
    int id = GetRowGroupId(row);
    return above == -1 || GetRowGroupId(above) != id ? id : -1;
  }
  return -1;
}

BOOL CListGridGroups::RemoveGroup(int groupId) {
  if (groupId < 1) return FALSE;
  for (int row = 0; row < GetItemCount();) {
    if (GetRowGroupId(row) == groupId) DeleteItem(row);
    else ++row;
  }
  std::erase(insertedGroupIds, groupId);
  return SendMessage(LVM_REMOVEGROUP, static_cast<WPARAM>(groupId)) != -1;
}

void CListGridGroups::CheckEntireGroup(int groupId, bool check) {
  if (!(GetExtendedStyle() & LVS_EX_CHECKBOXES) || groupId < 1) return;
  for (int row = 0; row < GetItemCount(); ++row)
    if (GetRowGroupId(row) == groupId) SetCheck(row, check ? TRUE : FALSE);
}

// ---- grouping -------------------------------------------------------------------------------

BOOL CListGridGroups::GroupByColumn(int col) {
  CWaitCursor wait;
  groupByColumn = -1;
  groupSortDirection = -1;
  ShowSortIndicator(-1, false);
  SetRedraw(FALSE);
  SendMessage(LVM_REMOVEALLGROUPS);
  EnableGroupView(GetItemCount() > 0);
  if (!IsGroupViewEnabled()) {
    SetRedraw(TRUE);
    Invalidate();
    return FALSE;
  }
  // The distinct texts in order of first appearance, each with its rows.
  std::vector<std::pair<CString, std::vector<int>>> groups;
  std::map<CString, size_t> indexOf;
  for (int row = 0; row < GetItemCount(); ++row) {
    CString text = GetItemText(row, col);
    auto found = indexOf.try_emplace(text, groups.size());
    if (found.second) groups.emplace_back(text, std::vector<int>());
    groups[found.first->second].second.push_back(row);
  }
  UINT state = IsGroupStateEnabled() ? LVGS_COLLAPSIBLE : 0;
  for (size_t i = 0; i < groups.size(); ++i) {
    int id = static_cast<int>(i) + 1;
    if (InsertGroupHeader(static_cast<int>(i), id, groups[i].first, state, 0) == -1) continue;
    for (int row : groups[i].second) SetRowGroupId(row, id);
  }
  SetRedraw(TRUE);
  Invalidate();
  groupByColumn = col;
  return TRUE;
}

int CListGridGroups::AssignRowToGroup(int row) {
  if (!IsGroupViewEnabled() || row < 0 || row >= GetItemCount()) return -1;
  CSimpleArray<int> ids;
  if (groupByColumn == -1 || !GetGroupIds(ids)) {
    if (GetItemCount() < 2) EnableGroupView(false);
    return -1;
  }
  CString text = GetItemText(row, groupByColumn);
  bool groupStates = IsGroupStateEnabled();
  if (ids.GetSize() == 0 && !groupStates) {
    int column = groupByColumn;  // removing the groups forgets it
    SendMessage(LVM_REMOVEALLGROUPS);
    EnableGroupView(true);
    groupByColumn = column;
  }
  if (!groupStates) AddGroupsWithoutRows(ids);
  for (int i = 0; i < ids.GetSize(); ++i) {
    if (GetGroupHeader(ids[i]) == text) {
      SetRowGroupId(row, ids[i]);
      return ids[i];
    }
  }
  int id = UnusedGroupId(ids);
  if (InsertGroupHeader(ids.GetSize(), id, text, 0, 0) == -1) return -1;
  SetRowGroupId(row, id);
  return id;
}

void CListGridGroups::AddGroupsWithoutRows(CSimpleArray<int>& ids) {
  for (int id : insertedGroupIds) {
    LVGROUP group;
    group.mask = LVGF_GROUPID;
    if (ids.Find(id) < 0 &&
        SendMessage(LVM_GETGROUPINFO, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&group)) != -1)
      ids.Add(id);
  }
}

int CListGridGroups::UnusedGroupId(const CSimpleArray<int>& ids) {
  // An id above every id in use (a count would meet a removed group's id); when the largest
  // id is taken, the lowest free one.
  const int* begin = ids.GetData();
  const int* end = begin + ids.GetSize();
  int largest = ids.GetSize() > 0 ? *std::max_element(begin, end) : 0;
  if (largest < INT_MAX) return largest + 1;
  int id = 1;
  while (std::find(begin, end, id) != end) ++id;
  return id;
}

bool CListGridGroups::MoveSelectedRowsTo(int groupId) {
  if (!IsGroupViewEnabled()) return CListGridCtrl::MoveSelectedRowsTo(groupId);  // a row then
  if (IsOwnerData() || groupId < 1 || GetSelectedCount() == 0) return false;
  for (int row = GetNextItem(-1, LVNI_SELECTED); row != -1; row = GetNextItem(row, LVNI_SELECTED))
    if (GetRowGroupId(row) != groupId) SetRowGroupId(row, groupId);
  return true;
}

bool CListGridGroups::HandleInternalDrop(COleDataObject* data, DROPEFFECT effect, CPoint pt) {
  if (!IsGroupViewEnabled()) return CListGridCtrl::HandleInternalDrop(data, effect, pt);
  if (IsOwnerData()) return false;
  int row = -1;
  int col = -1;
  CellHitTest(pt, row, col);
  int groupId = row != -1 ? GetRowGroupId(row) : GroupHitTest(pt);
  if (groupId == -1) return false;
  if (MoveSelectedRowsTo(groupId) && row != -1) {
    EnsureVisible(row, FALSE);
    SetFocusRow(row);
  }
  return true;
}

// ---- sorting --------------------------------------------------------------------------------

bool CListGridGroups::SortByColumn(int col, bool ascending) {
  CWaitCursor wait;
  bool groupView = IsGroupViewEnabled();
  if (groupView && (groupByColumn == -1 || col == groupByColumn || groupSortMode == 0)) {
    if (col != groupByColumn) {
      SetRedraw(FALSE);
      GroupByColumn(col);
      SetRedraw(TRUE);
      Invalidate();
    }
    CSimpleArray<int> ids;
    CColumnTrait* trait = GetColumnTraitAt(col);
    if (!trait || !GetGroupIds(ids)) return false;
    GroupSortContext context{GetSafeHwnd(), col, ascending, trait, {}};
    for (int i = 0; i < ids.GetSize(); ++i) context.headers.Add(ids[i], GetGroupHeader(ids[i]));
    if (!SendMessage(LVM_SORTGROUPS, reinterpret_cast<WPARAM>(&CompareGroupsForSort),
                     reinterpret_cast<LPARAM>(&context)))
      return false;
    groupSortDirection = ascending ? 1 : 0;
    return true;
  }
  if (groupView && !IsGroupStateEnabled()) return SortRowsKeepingGroups(col, ascending);
  return CListGridCtrl::SortByColumn(col, ascending);
}

bool CListGridGroups::SortRowsKeepingGroups(int col, bool ascending) {
  if (groupSortMode != 2) return false;
  if (GetItemCount() == 0) return true;
  SetRedraw(FALSE);
  if (!CListGridCtrl::SortByColumn(col, ascending)) {
    SetRedraw(TRUE);
    Invalidate();
    return false;
  }
  int position = GetScrollPos(SB_VERT);
  std::vector<int> rowGroups(static_cast<size_t>(GetItemCount()));
  std::vector<GroupSortEntry> entries;
  for (int row = 0; row < GetItemCount(); ++row) {
    int id = rowGroups[static_cast<size_t>(row)] = GetRowGroupId(row);
    if (id == -1 || std::any_of(entries.begin(), entries.end(), [&](const GroupSortEntry& e) { return e.id == id; }))
      continue;
    bool grouped = groupByColumn != -1;
    entries.push_back(GroupSortEntry{id, GetGroupHeader(id), grouped ? groupSortDirection : -1,
                                     grouped ? GetColumnTraitAt(groupByColumn) : nullptr});
  }
  if (!entries.empty()) {
    const GroupSortEntry& first = entries.front();
    std::stable_sort(entries.begin(), entries.end(), [&](const GroupSortEntry& a, const GroupSortEntry& b) {
      if (first.direction != -1 && first.trait)
        return compareHeaders(*first.trait, a.header, b.header, first.direction != 0) < 0;
      return a.id < b.id;
    });
    int column = groupByColumn;
    int direction = groupSortDirection;
    SendMessage(LVM_REMOVEALLGROUPS);
    EnableGroupView(false);
    EnableGroupView(true);
    groupByColumn = column;
    groupSortDirection = direction;
    for (size_t i = 0; i < entries.size(); ++i)
      InsertGroupHeader(static_cast<int>(i), entries[i].id, entries[i].header, 0, 0);
    for (int row = 0; row < GetItemCount(); ++row)
      if (rowGroups[static_cast<size_t>(row)] != -1) SetRowGroupId(row, rowGroups[static_cast<size_t>(row)]);
    Scroll(CSize(0, position));
  }
  SetRedraw(TRUE);
  Invalidate();
  return true;
}

// ---- group states and details ---------------------------------------------------------------

BOOL CListGridGroups::HasGroupState(int groupId, UINT state) {
  LVGROUP group;
  group.mask = LVGF_STATE;
  group.stateMask = state;
  if (SendMessage(LVM_GETGROUPINFO, static_cast<WPARAM>(groupId), reinterpret_cast<LPARAM>(&group)) == -1) return FALSE;
  return group.state == state;
}

BOOL CListGridGroups::SetGroupState(int groupId, UINT state) {
  if (!IsGroupStateEnabled()) return FALSE;
  LVGROUP group;
  group.mask = LVGF_STATE;
  group.state = state;
  if (HasGroupState(groupId, LVGS_COLLAPSIBLE)) group.state |= LVGS_COLLAPSIBLE;
  group.stateMask = LVGS_COLLAPSED | state;
  return SendMessage(LVM_SETGROUPINFO, static_cast<WPARAM>(groupId), reinterpret_cast<LPARAM>(&group)) != -1;
}

BOOL CListGridGroups::CollapseAllGroups() {
  CSimpleArray<int> ids;
  if (!IsGroupStateEnabled() || !GetGroupIds(ids)) return FALSE;
  for (int i = 0; i < ids.GetSize(); ++i)
    if (!HasGroupState(ids[i], LVGS_COLLAPSED)) SetGroupState(ids[i], LVGS_COLLAPSED);
  return TRUE;
}

BOOL CListGridGroups::ExpandAllGroups() {
  CSimpleArray<int> ids;
  if (!IsGroupStateEnabled() || !GetGroupIds(ids)) return FALSE;
  for (int i = 0; i < ids.GetSize(); ++i)
    if (HasGroupState(ids[i], LVGS_COLLAPSED)) SetGroupState(ids[i], LVGS_NORMAL);
  return TRUE;
}

BOOL CListGridGroups::SetGroupDetails(int groupId, LVGROUP& group) {
  if (!IsGroupStateEnabled()) return FALSE;
  return SendMessage(LVM_SETGROUPINFO, static_cast<WPARAM>(groupId), reinterpret_cast<LPARAM>(&group)) != -1;
}

BOOL CListGridGroups::SetGroupFooter(int groupId, const CString& footer, UINT align) {
  LVGROUP group;
  setGroupText(group, LVGF_FOOTER, &LVGROUP::pszFooter, &LVGROUP::cchFooter, footer);
  group.mask |= LVGF_ALIGN;
  group.uAlign = align;
  return SetGroupDetails(groupId, group);
}

BOOL CListGridGroups::SetGroupTask(int groupId, const CString& task) {
  LVGROUP group;
  setGroupText(group, LVGF_TASK, &LVGROUP::pszTask, &LVGROUP::cchTask, task);
  return SetGroupDetails(groupId, group);
}

BOOL CListGridGroups::SetGroupSubtitle(int groupId, const CString& subtitle) {
  LVGROUP group;
  setGroupText(group, LVGF_SUBTITLE, &LVGROUP::pszSubtitle, &LVGROUP::cchSubtitle, subtitle);
  return SetGroupDetails(groupId, group);
}

BOOL CListGridGroups::SetGroupTitleImage(int groupId, int image, const CString& topDescription,
                                         const CString& bottomDescription) {
  LVGROUP group;
  group.mask = LVGF_TITLEIMAGE;
  group.iTitleImage = image;
  if (!topDescription.IsEmpty())
    setGroupText(group, LVGF_DESCRIPTIONTOP, &LVGROUP::pszDescriptionTop, &LVGROUP::cchDescriptionTop, topDescription);
  if (!bottomDescription.IsEmpty())
    setGroupText(group, LVGF_DESCRIPTIONBOTTOM, &LVGROUP::pszDescriptionBottom, &LVGROUP::cchDescriptionBottom,
                 bottomDescription);
  return SetGroupDetails(groupId, group);
}
