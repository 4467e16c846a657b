// The list view's groups: the group messages, the report's lines with group headers,
// group rectangles, clicks on a group header and the empty list's markup.
#include <algorithm>

#include "platform/win/gdi.h"
#include "platform/win/list_view_model.h"
#include "platform/win/system_info.h"

namespace StandIn {

void CopyOut(const std::wstring& text, LPWSTR buffer, int max);  // list_view_model.cpp

namespace {

constexpr int kHeaderTextLeft = 4;
constexpr int kTaskRightMargin = 8;

// A group text the caller gives; a null pointer clears it.
std::wstring TextOf(LPCWSTR text) { return text ? std::wstring(text) : std::wstring(); }

void ApplyGroup(ListViewModel::Group& group, const LVGROUP& in) {
  if (in.mask & LVGF_HEADER) group.header = TextOf(in.pszHeader);
  if (in.mask & LVGF_FOOTER) group.footer = TextOf(in.pszFooter);
  if (in.mask & LVGF_SUBTITLE) group.subtitle = TextOf(in.pszSubtitle);
  if (in.mask & LVGF_TASK) group.task = TextOf(in.pszTask);
  if (in.mask & LVGF_DESCRIPTIONTOP) group.descriptionTop = TextOf(in.pszDescriptionTop);
  if (in.mask & LVGF_DESCRIPTIONBOTTOM) group.descriptionBottom = TextOf(in.pszDescriptionBottom);
  if (in.mask & LVGF_STATE) group.state = (group.state & ~in.stateMask) | (in.state & in.stateMask);
  if (in.mask & LVGF_ALIGN) group.align = in.uAlign;
  if (in.mask & LVGF_TITLEIMAGE) group.titleImage = in.iTitleImage;
}

void FillGroup(const ListViewModel::Group& group, LVGROUP& out) {
  if (out.mask & LVGF_HEADER) CopyOut(group.header, out.pszHeader, out.cchHeader);
  if (out.mask & LVGF_FOOTER) CopyOut(group.footer, out.pszFooter, out.cchFooter);
  if (out.mask & LVGF_SUBTITLE) CopyOut(group.subtitle, out.pszSubtitle, static_cast<int>(out.cchSubtitle));
  if (out.mask & LVGF_TASK) CopyOut(group.task, out.pszTask, static_cast<int>(out.cchTask));
  if (out.mask & LVGF_DESCRIPTIONTOP)
    CopyOut(group.descriptionTop, out.pszDescriptionTop, static_cast<int>(out.cchDescriptionTop));
  if (out.mask & LVGF_DESCRIPTIONBOTTOM)
    CopyOut(group.descriptionBottom, out.pszDescriptionBottom, static_cast<int>(out.cchDescriptionBottom));
  if (out.mask & LVGF_GROUPID) out.iGroupId = group.id;
  if (out.mask & LVGF_STATE) out.state = group.state & out.stateMask;
  if (out.mask & LVGF_ALIGN) out.uAlign = group.align;
  if (out.mask & LVGF_TITLEIMAGE) out.iTitleImage = group.titleImage;
}

}  // namespace

// ---- Lines.

std::vector<ListViewModel::Line> ListViewModel::Lines() const {
  std::vector<Line> lines;
  if (!groupView_) {
    for (int row = 0; row < Count(); ++row) lines.push_back(Line{row, -1});
    return lines;
  }
  for (size_t g = 0; g < groups_.size(); ++g) {
    const Group& group = groups_[g];
    if (group.state & LVGS_HIDDEN) continue;
    lines.push_back(Line{-1, static_cast<int>(g)});
    if (group.state & LVGS_COLLAPSED) continue;
    for (int row = 0; row < Count(); ++row)
      if (items_[static_cast<size_t>(row)].group == group.id) lines.push_back(Line{row, static_cast<int>(g)});
  }
  return lines;
}

int ListViewModel::LineCount() const { return groupView_ ? static_cast<int>(Lines().size()) : Count(); }

int ListViewModel::LineOfRow(int row) const {
  if (!groupView_) return row >= 0 && row < Count() ? row : -1;
  std::vector<Line> lines = Lines();
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].row == row) return static_cast<int>(i);
  return -1;
}

ListViewModel::Line ListViewModel::LineAt(int line) const {
  if (!groupView_) return Line{line, -1};
  std::vector<Line> lines = Lines();
  return line >= 0 && line < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(line)] : Line{};
}

int ListViewModel::NeighbourRow(int row, bool above, UINT want) const {
  std::vector<Line> lines = Lines();
  int at = LineOfRow(row);
  if (at < 0) return -1;
  for (int i = above ? at - 1 : at + 1; i >= 0 && i < static_cast<int>(lines.size()); i += above ? -1 : 1) {
    int r = lines[static_cast<size_t>(i)].row;
    if (r >= 0 && (items_[static_cast<size_t>(r)].state & want) == want) return r;
  }
  return -1;
}

// ---- Group messages.

bool ListViewModel::GroupsAvailable() const { return System().commonControlsMajor >= 6; }

int ListViewModel::FindGroup(int id) const {
  for (size_t g = 0; g < groups_.size(); ++g)
    if (groups_[g].id == id) return static_cast<int>(g);
  return -1;
}

int ListViewModel::InsertGroup(int index, const LVGROUP* in) {
  if (!in || !(in->mask & LVGF_GROUPID)) return -1;
  if (in->iGroupId == I_GROUPIDNONE || in->iGroupId == I_GROUPIDCALLBACK || FindGroup(in->iGroupId) >= 0) return -1;
  Group group;
  group.id = in->iGroupId;
  ApplyGroup(group, *in);
  if (index < 0 || index > static_cast<int>(groups_.size())) index = static_cast<int>(groups_.size());
  groups_.insert(groups_.begin() + index, group);
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return index;
}

int ListViewModel::SetGroupInfo(int id, const LVGROUP* in) {
  int g = FindGroup(id);
  if (!in || g < 0) return -1;
  ApplyGroup(groups_[static_cast<size_t>(g)], *in);
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return id;
}

int ListViewModel::GetGroupInfo(int id, LVGROUP* out) const {
  int g = FindGroup(id);
  if (!out || g < 0) return -1;
  FillGroup(groups_[static_cast<size_t>(g)], *out);
  return id;
}

int ListViewModel::RemoveGroup(int id) {
  int g = FindGroup(id);
  if (g < 0) return -1;
  for (Item& item : items_)
    if (item.group == id) item.group = I_GROUPIDNONE;
  groups_.erase(groups_.begin() + g);
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return g;
}

void ListViewModel::RemoveAllGroups() {
  for (Item& item : items_) item.group = I_GROUPIDNONE;
  groups_.clear();
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
}

int ListViewModel::EnableGroupView(bool enable) {
  if (groupView_ == enable) return 0;
  groupView_ = enable;
  top_ = 0;
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return 1;
}

bool ListViewModel::SortGroups(PFNLVGROUPCOMPARE compare, void* data) {
  if (!compare) return false;
  // A stable insertion sort: safe with any answers of the compare function.
  for (size_t i = 1; i < groups_.size(); ++i) {
    for (size_t j = i; j > 0 && compare(groups_[j - 1].id, groups_[j].id, data) > 0; --j)
      std::swap(groups_[j - 1], groups_[j]);
  }
  InvalidateRect(window_, nullptr, TRUE);
  return true;
}

bool ListViewModel::GroupRect(int id, int part, RECT& rect) const {
  int g = FindGroup(id);
  if (!groupView_ || g < 0) return false;
  std::vector<Line> lines = Lines();
  auto header = std::find_if(lines.begin(), lines.end(), [&](const Line& l) { return l.row < 0 && l.group == g; });
  if (header == lines.end()) return false;
  int top = LineTop(static_cast<int>(header - lines.begin()));
  rect = RECT{0, top, ClientWidth(), top + RowHeight()};
  switch (part) {
    case LVGGR_HEADER: return true;
    case LVGGR_GROUP: {
      auto members =
          std::count_if(lines.begin(), lines.end(), [&](const Line& l) { return l.row >= 0 && l.group == g; });
      rect.bottom += static_cast<LONG>(members) * RowHeight();
      return true;
    }
    case LVGGR_LABEL:
      rect.left = kHeaderTextLeft;
      rect.right = kHeaderTextLeft + TextWidthOf(FontOf(font_), groups_[static_cast<size_t>(g)].header);
      return true;
    default: return false;
  }
}

bool ListViewModel::GroupTaskRect(int id, RECT& rect) const {
  int g = FindGroup(id);
  if (g < 0 || groups_[static_cast<size_t>(g)].task.empty() || !GroupRect(id, LVGGR_HEADER, rect)) return false;
  rect.right -= kTaskRightMargin;
  rect.left = rect.right - TextWidthOf(FontOf(font_), groups_[static_cast<size_t>(g)].task);
  return true;
}

LRESULT ListViewModel::HandleGroupMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = GroupsAvailable();
  int id = static_cast<int>(wParam);
  auto* group = reinterpret_cast<LVGROUP*>(lParam);
  switch (handled ? message : 0) {
    case LVM_INSERTGROUP: return InsertGroup(id, group);
    case LVM_SETGROUPINFO: return SetGroupInfo(id, group);
    case LVM_GETGROUPINFO: return GetGroupInfo(id, group);
    case LVM_REMOVEGROUP: return RemoveGroup(id);
    case LVM_REMOVEALLGROUPS: RemoveAllGroups(); return 0;
    case LVM_ENABLEGROUPVIEW: return EnableGroupView(wParam != 0);
    case LVM_ISGROUPVIEWENABLED: return groupView_;
    case LVM_GETGROUPCOUNT: return static_cast<LRESULT>(groups_.size());
    case LVM_GETGROUPINFOBYINDEX:
      if (!group || id < 0 || id >= static_cast<int>(groups_.size())) return FALSE;
      FillGroup(groups_[static_cast<size_t>(id)], *group);
      return TRUE;
    case LVM_GETGROUPRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      return rect && GroupRect(id, rect->top, *rect);
    }
    case LVM_SORTGROUPS:
      return SortGroups(reinterpret_cast<PFNLVGROUPCOMPARE>(wParam), reinterpret_cast<void*>(lParam));
    case LVM_STANDIN_GETGROUPTASKRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      return rect && GroupTaskRect(id, *rect);
    }
    default: handled = false; return 0;
  }
}

// ---- A person's clicks and the painting.

void ListViewModel::OnGroupHeaderClick(int groupIndex, POINT point) {
  if (groupIndex < 0 || groupIndex >= static_cast<int>(groups_.size())) return;
  Group& group = groups_[static_cast<size_t>(groupIndex)];
  RECT task;
  if (GroupTaskRect(group.id, task) && PtInRect(&task, point)) {
    NMLVLINK link;
    link.iItem = -1;
    link.iSubItem = group.id;
    Notify(LVN_LINKCLICK, &link.hdr);
    return;
  }
  if (!(group.state & LVGS_COLLAPSIBLE)) return;
  group.state ^= LVGS_COLLAPSED;
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
}

void ListViewModel::PaintGroupHeader(HDC dc, int line, const Group& group) {
  int top = LineTop(line);
  RECT label{kHeaderTextLeft, top, ClientWidth(), top + RowHeight()};
  SetTextColor(dc, GetSysColor(COLOR_HOTLIGHT));
  DrawTextW(dc, group.header.c_str(), -1, &label, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  RECT task;
  if (GroupTaskRect(group.id, task))
    DrawTextW(dc, group.task.c_str(), -1, &task, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void ListViewModel::PaintEmptyMarkup(HDC dc, const RECT& client) {
  NMLVEMPTYMARKUP markup;
  if (!Notify(LVN_GETEMPTYMARKUP, &markup.hdr)) return;
  markup.szMarkup[L_MAX_URL_LENGTH - 1] = 0;
  RECT area = client;
  area.top += HeaderHeight();
  UINT format = DT_WORDBREAK | DT_NOPREFIX | ((markup.dwFlags & EMF_CENTERED) ? DT_CENTER : DT_LEFT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  DrawTextW(dc, markup.szMarkup, -1, &area, format);
}

}  // namespace StandIn
