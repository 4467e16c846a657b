#include "platform/win/list_view_model.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

#include "platform/win/gdi.h"
#include "platform/win/header_model.h"
#include "platform/win/image_list.h"
#include "platform/win/system_info.h"
#include "platform/win/wide_strings.h"

namespace StandIn {

void SetLabelEditOwner(HWND edit, HWND list);  // edit_model.cpp

void CopyOut(const std::wstring& text, LPWSTR buffer, int max) {
  if (!buffer || buffer == LPSTR_TEXTCALLBACKW || max <= 0) return;
  int n = std::min<int>(static_cast<int>(text.size()), max - 1);
  std::wmemcpy(buffer, text.c_str(), static_cast<size_t>(n));
  buffer[n] = 0;
}

namespace {

constexpr int kTextMargin = 12;
constexpr int kMaxText = 1024;

RECT Clip(RECT r, LONG left, LONG right) {
  r.left = std::clamp(r.left, left, right);
  r.right = std::clamp(r.right, left, right);
  return r;
}

}  // namespace

// ---- Geometry.

DWORD ListViewModel::Style() const { return static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)); }

HeaderModel* ListViewModel::HeaderData() const { return ModelAs<HeaderModel>(header_); }

std::vector<int> ListViewModel::DisplayOrder() const {
  if (HeaderModel* h = HeaderData()) return h->Order();
  std::vector<int> order;
  for (int i = 0; i < ColumnCount(); ++i) order.push_back(i);
  return order;
}

int ListViewModel::ColumnWidth(int col) const {
  HeaderModel* h = HeaderData();
  // A list that is not in report view and has no columns shows its items in one column as
  // wide as the list.
  if (col == 0 && (!h || h->Count() == 0) && (Style() & LVS_TYPEMASK) != LVS_REPORT) return ClientWidth();
  return h && col >= 0 && col < h->Count() ? h->ItemAt(col).width : 0;
}

int ListViewModel::ColumnLeft(int col) const {
  int x = 0;
  for (int c : DisplayOrder()) {
    if (c == col) return x;
    x += ColumnWidth(c);
  }
  return x;
}

int ListViewModel::TotalWidth() const {
  int x = 0;
  for (int c : DisplayOrder()) x += ColumnWidth(c);
  return DisplayOrder().empty() ? ColumnWidth(0) : x;
}

int ListViewModel::ClientWidth() const {
  RECT r;
  GetClientRect(window_, &r);
  return r.right;
}

int ListViewModel::ClientHeight() const {
  RECT r;
  GetClientRect(window_, &r);
  return r.bottom;
}

int ListViewModel::HeaderHeight() const {
  if (Style() & LVS_NOCOLUMNHEADER) return 0;
  HeaderModel* h = HeaderData();
  return h ? h->Height() : 0;
}

int ListViewModel::IconWidth(int list) const {
  int cx = 0, cy = 0;
  if (images_[list] && ImageList_GetIconSize(images_[list], &cx, &cy)) return cx;
  return 0;
}

int ListViewModel::RowHeight() const {
  int icon = 0, cx = 0, cy = 0;
  for (int list : {LVSIL_SMALL, LVSIL_STATE})
    if (images_[list] && ImageList_GetIconSize(images_[list], &cx, &cy)) icon = std::max(icon, cy);
  return std::max(TextHeightOf(FontOf(font_)), icon) + 4;
}

int ListViewModel::CountPerPage() const { return std::max(0, (ClientHeight() - HeaderHeight()) / RowHeight()); }

bool ListViewModel::CellParts(int row, int col, RECT& bounds, RECT& stateIcon, RECT& icon, RECT& label) const {
  if (row < 0 || row >= Count() || col < 0 || (col >= ColumnCount() && !(col == 0 && ColumnCount() == 0))) return false;
  int line = LineOfRow(row);
  if (line < 0) return false;  // in a collapsed group or in none while groups show
  int top = LineTop(line);
  int left = ColumnLeft(col) - scrollX_;
  int right = left + ColumnWidth(col);
  bounds = RECT{left, top, right, top + RowHeight()};
  stateIcon = icon = label = bounds;
  if (col == 0) {
    int stateWidth = IconWidth(LVSIL_STATE);
    int iconWidth = IconWidth(LVSIL_SMALL);
    stateIcon = Clip(RECT{left, top, left + stateWidth, bounds.bottom}, left, right);
    icon = Clip(RECT{left + stateWidth, top, left + stateWidth + iconWidth, bounds.bottom}, left, right);
    label = Clip(RECT{left + stateWidth + iconWidth, top, right, bounds.bottom}, left, right);
  } else {
    int iconWidth = (exStyle_ & LVS_EX_SUBITEMIMAGES) ? IconWidth(LVSIL_SMALL) : 0;
    stateIcon = RECT{left, top, left, bounds.bottom};
    icon = Clip(RECT{left, top, left + iconWidth, bounds.bottom}, left, right);
  }
  return true;
}

bool ListViewModel::ItemRect(int row, int part, RECT& rect) const {
  RECT bounds, state, icon, label;
  if (!CellParts(row, 0, bounds, state, icon, label)) return false;
  switch (part) {
    case LVIR_BOUNDS: rect = RECT{-scrollX_, bounds.top, TotalWidth() - scrollX_, bounds.bottom}; return true;
    case LVIR_ICON: rect = icon; return true;
    case LVIR_LABEL: rect = label; return true;
    case LVIR_SELECTBOUNDS: rect = RECT{icon.left, bounds.top, label.right, bounds.bottom}; return true;
    default: return false;
  }
}

bool ListViewModel::SubItemRect(int row, int col, int part, RECT& rect) const {
  if (col == 0) return ItemRect(row, part, rect);
  RECT bounds, state, icon, label;
  if (!CellParts(row, col, bounds, state, icon, label)) return false;
  switch (part) {
    case LVIR_BOUNDS: rect = bounds; return true;
    case LVIR_ICON: rect = icon; return true;
    case LVIR_LABEL: rect = label; return true;
    default: return false;
  }
}

int ListViewModel::SubItemHitTest(LVHITTESTINFO& info) const {
  info.iItem = -1;
  info.iSubItem = -1;
  POINT p = info.pt;
  if (p.y < 0) {
    info.flags = LVHT_ABOVE;
    return -1;
  }
  if (p.y >= ClientHeight()) {
    info.flags = LVHT_BELOW;
    return -1;
  }
  if (p.x < 0) {
    info.flags = LVHT_TOLEFT;
    return -1;
  }
  if (p.x >= ClientWidth()) {
    info.flags = LVHT_TORIGHT;
    return -1;
  }
  info.flags = LVHT_NOWHERE;
  if (p.y < HeaderHeight()) return -1;
  int line = top_ + (p.y - HeaderHeight()) / RowHeight();
  if (line >= LineCount()) return -1;
  Line at = LineAt(line);
  if (at.row < 0) {
    info.flags = LVHT_EX_GROUP_HEADER;
    info.iGroup = groups_[static_cast<size_t>(at.group)].id;
    return -1;
  }
  int row = at.row;
  std::vector<int> columns = DisplayOrder();
  if (columns.empty()) columns.push_back(0);  // a list without columns: the items' own column
  for (int c : columns) {
    RECT bounds, state, icon, label;
    if (!CellParts(row, c, bounds, state, icon, label) || !PtInRect(&bounds, p)) continue;
    info.iItem = row;
    info.iSubItem = c;
    if (PtInRect(&state, p)) info.flags = LVHT_ONITEMSTATEICON;
    else if (PtInRect(&icon, p)) info.flags = LVHT_ONITEMICON;
    else info.flags = LVHT_ONITEMLABEL;
    return row;
  }
  return -1;
}

void ListViewModel::Layout() {
  if (!window_) return;
  int total = TotalWidth();
  int client = ClientWidth();
  scrollX_ = std::clamp(scrollX_, 0, std::max(0, total - client));
  top_ = std::clamp(top_, 0, std::max(0, LineCount() - CountPerPage()));
  if (header_) MoveWindow(header_, -scrollX_, 0, std::max(client + scrollX_, total), HeaderHeight(), FALSE);
  SCROLLINFO v;
  v.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  v.nMin = 0;
  // Group view scrolls by pixels, as its lines need not be one row tall.
  int unit = groupView_ ? RowHeight() : 1;
  v.nMax = std::max(0, LineCount() * unit - 1);
  v.nPage = static_cast<UINT>(CountPerPage() * unit);
  v.nPos = top_ * unit;
  SetScrollInfo(window_, SB_VERT, &v, FALSE);
  SCROLLINFO h;
  h.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  h.nMin = 0;
  h.nMax = std::max(0, total - 1);
  h.nPage = static_cast<UINT>(std::max(0, client));
  h.nPos = scrollX_;
  SetScrollInfo(window_, SB_HORZ, &h, FALSE);
}

// ---- Notifications and states.

LRESULT ListViewModel::Notify(UINT code, NMHDR* header) const { return SendNotify(window_, code, header); }

LRESULT ListViewModel::NotifyListView(UINT code, int row, int col, UINT oldState, UINT newState, UINT changed,
                                      POINT action) {
  NMLISTVIEW nm;
  nm.iItem = row;
  nm.iSubItem = col;
  nm.uOldState = oldState;
  nm.uNewState = newState;
  nm.uChanged = changed;
  nm.ptAction = action;
  nm.lParam = row >= 0 && row < Count() ? items_[static_cast<size_t>(row)].param : 0;
  return Notify(code, &nm.hdr);
}

bool ListViewModel::ChangeState(int row, UINT state, UINT mask) {
  if (row < 0 || row >= Count()) return false;
  UINT old = items_[static_cast<size_t>(row)].state;
  UINT next = (old & ~mask) | (state & mask);
  if (next == old) return true;
  if (NotifyListView(LVN_ITEMCHANGING, row, 0, old, next, LVIF_STATE)) return false;
  if (row >= Count()) return false;
  old = items_[static_cast<size_t>(row)].state;
  next = (old & ~mask) | (state & mask);
  items_[static_cast<size_t>(row)].state = next;
  InvalidateRect(window_, nullptr, TRUE);
  NotifyListView(LVN_ITEMCHANGED, row, 0, old, next, LVIF_STATE);
  return true;
}

bool ListViewModel::SetState(int row, UINT state, UINT mask) {
  if (row == -1) {
    // Every row: the focus can be taken from all rows but not given to all of them.
    if (state & LVIS_FOCUSED) mask &= ~static_cast<UINT>(LVIS_FOCUSED);
    bool all = true;
    for (int i = 0; i < Count(); ++i) all = ChangeState(i, state, mask) && all;
    return all;
  }
  if (row < 0 || row >= Count()) return false;
  if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED)) {
    for (int i = 0; i < Count(); ++i)
      if (i != row && (items_[static_cast<size_t>(i)].state & LVIS_FOCUSED)) ChangeState(i, 0, LVIS_FOCUSED);
  }
  if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && (Style() & LVS_SINGLESEL)) {
    for (int i = 0; i < Count(); ++i)
      if (i != row && (items_[static_cast<size_t>(i)].state & LVIS_SELECTED)) ChangeState(i, 0, LVIS_SELECTED);
  }
  return ChangeState(row, state, mask);
}

int ListViewModel::FocusedRow() const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)].state & LVIS_FOCUSED) return i;
  return -1;
}

void ListViewModel::FocusRow(int row) {
  if (row < 0 || row >= Count()) return;
  SetState(row, LVIS_FOCUSED, LVIS_FOCUSED);
}

void ListViewModel::SelectOnly(int row) {
  for (int i = 0; i < Count(); ++i)
    if (i != row && (items_[static_cast<size_t>(i)].state & LVIS_SELECTED)) ChangeState(i, 0, LVIS_SELECTED);
  if (row >= 0) ChangeState(row, LVIS_SELECTED, LVIS_SELECTED);
}

void ListViewModel::SelectRange(int from, int to) {
  if (from < 0) from = to;
  int low = std::min(from, to), high = std::max(from, to);
  for (int i = 0; i < Count(); ++i) {
    bool inside = i >= low && i <= high;
    ChangeState(i, inside ? LVIS_SELECTED : 0, LVIS_SELECTED);
  }
}

void ListViewModel::ToggleCheck(int row) {
  if (row < 0 || row >= Count()) return;
  UINT image = (items_[static_cast<size_t>(row)].state & LVIS_STATEIMAGEMASK) >> 12;
  SetState(row, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
}

// ---- Items.

int ListViewModel::InsertItem(const LVITEMW* item) {
  if (!item || item->iSubItem != 0 || OwnerData()) return -1;
  int row = std::clamp(item->iItem, 0, Count());
  Item it;
  it.cells.resize(static_cast<size_t>(std::max(1, ColumnCount())));
  Cell& cell = it.cells[0];
  cell.image = 0;
  if (item->mask & LVIF_TEXT) {
    if (item->pszText == LPSTR_TEXTCALLBACKW) cell.textCallback = true;
    else if (item->pszText) cell.text = item->pszText;
  }
  if (item->mask & LVIF_IMAGE) {
    cell.imageCallback = item->iImage == I_IMAGECALLBACK;
    cell.image = cell.imageCallback ? -1 : item->iImage;
  }
  if (item->mask & LVIF_PARAM) it.param = item->lParam;
  if (item->mask & LVIF_INDENT) it.indent = item->iIndent;
  if (item->mask & LVIF_GROUPID) {
    if (item->iGroupId != I_GROUPIDNONE && FindGroup(item->iGroupId) < 0) return -1;
    it.group = item->iGroupId;
  }
  if (item->mask & LVIF_STATE) it.state = item->state & item->stateMask & ~static_cast<UINT>(LVIS_FOCUSED);
  if ((exStyle_ & LVS_EX_CHECKBOXES) && !(it.state & LVIS_STATEIMAGEMASK)) it.state |= INDEXTOSTATEIMAGEMASK(1);
  items_.insert(items_.begin() + row, it);
  if (mark_ >= row) ++mark_;
  if (hot_ >= row) ++hot_;
  if (editRow_ >= row) ++editRow_;
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  NotifyListView(LVN_INSERTITEM, row, 0);
  if ((item->mask & LVIF_STATE) && (item->stateMask & item->state & LVIS_FOCUSED)) FocusRow(row);
  return row;
}

bool ListViewModel::DeleteItem(int row) {
  if (row < 0 || row >= Count()) return false;
  if (editRow_ == row) EndLabelEdit(false);
  NotifyListView(LVN_DELETEITEM, row, 0);
  if (row >= Count()) return false;
  items_.erase(items_.begin() + row);
  if (mark_ == row) mark_ = -1;
  else if (mark_ > row) --mark_;
  if (hot_ == row) hot_ = -1;
  else if (hot_ > row) --hot_;
  if (editRow_ > row) --editRow_;
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return true;
}

bool ListViewModel::DeleteAllItems() {
  EndLabelEdit(false);
  if (!NotifyListView(LVN_DELETEALLITEMS, -1, 0)) {
    for (int i = 0; i < Count(); ++i) NotifyListView(LVN_DELETEITEM, i, 0);
  }
  items_.clear();
  mark_ = hot_ = -1;
  top_ = 0;
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return true;
}

bool ListViewModel::GetItem(LVITEMW* item) {
  if (!item || item->iItem < 0 || item->iItem >= Count()) return false;
  int col = item->iSubItem;
  if (col < 0 || col >= std::max(1, ColumnCount())) return false;
  Item& it = items_[static_cast<size_t>(item->iItem)];
  const Cell& cell = it.cells[static_cast<size_t>(col)];
  bool textCallback = OwnerData() || cell.textCallback;
  bool imageCallback = OwnerData() || cell.imageCallback;
  UINT ask = 0;
  if (item->mask & LVIF_TEXT) {
    if (textCallback) {
      if (item->mask & LVIF_NORECOMPUTE) item->pszText = LPSTR_TEXTCALLBACKW;
      else ask |= LVIF_TEXT;
    } else {
      CopyOut(cell.text, item->pszText, item->cchTextMax);
    }
  }
  if (item->mask & LVIF_IMAGE) {
    if (imageCallback && !(item->mask & LVIF_NORECOMPUTE)) ask |= LVIF_IMAGE;
    else item->iImage = imageCallback ? I_IMAGECALLBACK : cell.image;
  }
  if (item->mask & LVIF_PARAM) item->lParam = it.param;
  if (item->mask & LVIF_INDENT) item->iIndent = it.indent;
  if (item->mask & LVIF_GROUPID) item->iGroupId = it.group;
  if (item->mask & LVIF_STATE) {
    item->state = it.state & item->stateMask;
    if (OwnerData() && (item->stateMask & LVIS_STATEIMAGEMASK) && !(item->mask & LVIF_NORECOMPUTE)) ask |= LVIF_STATE;
  }
  if (ask) {
    NMLVDISPINFOW di;
    di.item.mask = ask;
    di.item.iItem = item->iItem;
    di.item.iSubItem = col;
    di.item.lParam = it.param;
    di.item.state = item->state;
    di.item.stateMask = item->stateMask;
    wchar_t own[kMaxText] = {};
    di.item.pszText = own;
    di.item.cchTextMax = kMaxText;
    if ((ask & LVIF_TEXT) && item->pszText && item->pszText != LPSTR_TEXTCALLBACKW && item->cchTextMax > 0) {
      di.item.pszText = item->pszText;
      di.item.cchTextMax = item->cchTextMax;
      item->pszText[0] = 0;
    }
    di.item.iImage = cell.image;
    Notify(LVN_GETDISPINFOW, &di.hdr);
    if (item->iItem >= Count()) return false;
    if ((ask & LVIF_TEXT) && item->pszText && item->pszText != LPSTR_TEXTCALLBACKW) {
      if (di.item.pszText && di.item.pszText != LPSTR_TEXTCALLBACKW && di.item.pszText != item->pszText)
        CopyOut(di.item.pszText, item->pszText, item->cchTextMax);
    }
    if (ask & LVIF_IMAGE) item->iImage = di.item.iImage;
    if ((ask & LVIF_TEXT) && !(item->pszText && item->pszText != LPSTR_TEXTCALLBACKW))
      item->pszText = LPSTR_TEXTCALLBACKW;
    if (ask & LVIF_STATE)
      item->state = (item->state & ~static_cast<UINT>(LVIS_STATEIMAGEMASK)) |
                    (di.item.state & di.item.stateMask & LVIS_STATEIMAGEMASK);
    if ((di.item.mask & LVIF_DI_SETITEM) && !OwnerData()) {
      Cell& stored = items_[static_cast<size_t>(item->iItem)].cells[static_cast<size_t>(col)];
      if ((ask & LVIF_TEXT) && di.item.pszText && di.item.pszText != LPSTR_TEXTCALLBACKW) {
        stored.text = di.item.pszText;
        stored.textCallback = false;
      }
      if (ask & LVIF_IMAGE) {
        stored.image = di.item.iImage;
        stored.imageCallback = false;
      }
    }
  }
  return true;
}

std::wstring ListViewModel::CellText(int row, int col) {
  wchar_t buffer[kMaxText] = {};
  LVITEMW item;
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = col;
  item.pszText = buffer;
  item.cchTextMax = kMaxText;
  return GetItem(&item) ? std::wstring(buffer) : std::wstring();
}

int ListViewModel::CellImage(int row, int col) {
  LVITEMW item;
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iSubItem = col;
  item.iImage = -1;
  return GetItem(&item) ? item.iImage : -1;
}

bool ListViewModel::SetItem(const LVITEMW* item) {
  if (!item || item->iItem < 0 || item->iItem >= Count()) return false;
  int col = item->iSubItem;
  if (col < 0 || col >= std::max(1, ColumnCount())) return false;
  if (OwnerData()) {
    if ((item->mask & LVIF_STATE) && col == 0) return SetState(item->iItem, item->state, item->stateMask);
    return false;
  }
  if (item->mask & LVIF_GROUPID) {
    // Only the item (sub-item 0) has a group, and only a group the list knows.
    if (col != 0 || (item->iGroupId != I_GROUPIDNONE && FindGroup(item->iGroupId) < 0)) return false;
  }
  Cell& cell = items_[static_cast<size_t>(item->iItem)].cells[static_cast<size_t>(col)];
  if (item->mask & LVIF_TEXT) {
    cell.textCallback = item->pszText == LPSTR_TEXTCALLBACKW;
    cell.text = cell.textCallback || !item->pszText ? L"" : item->pszText;
  }
  if (item->mask & LVIF_IMAGE) {
    cell.imageCallback = item->iImage == I_IMAGECALLBACK;
    cell.image = cell.imageCallback ? -1 : item->iImage;
  }
  if (col == 0) {
    Item& it = items_[static_cast<size_t>(item->iItem)];
    if (item->mask & LVIF_PARAM) it.param = item->lParam;
    if (item->mask & LVIF_INDENT) it.indent = item->iIndent;
    if (item->mask & LVIF_GROUPID) {
      it.group = item->iGroupId;
      Layout();
    }
  }
  InvalidateRect(window_, nullptr, TRUE);
  if ((item->mask & LVIF_STATE) && col == 0) return SetState(item->iItem, item->state, item->stateMask);
  return true;
}

// ---- Columns.

int ListViewModel::InsertColumn(int col, const LVCOLUMNW* column) {
  if (!column || col < 0) return -1;
  col = std::min(col, ColumnCount());
  Column c;
  if (column->mask & LVCF_FMT) c.format = column->fmt;
  if (column->mask & LVCF_SUBITEM) c.subItem = column->iSubItem;
  if (column->mask & LVCF_IMAGE) c.image = column->iImage;
  HDITEMW h;
  h.mask = HDI_WIDTH | HDI_FORMAT;
  h.cxy = (column->mask & LVCF_WIDTH) ? std::max(0, column->cx) : 0;
  h.fmt = (c.format & LVCFMT_JUSTIFYMASK) | HDF_STRING;
  if ((column->mask & LVCF_TEXT) && column->pszText && column->pszText != LPSTR_TEXTCALLBACKW) {
    h.mask |= HDI_TEXT;
    h.pszText = column->pszText;
  }
  if (column->mask & LVCF_ORDER) {
    h.mask |= HDI_ORDER;
    h.iOrder = column->iOrder;
  }
  if (SendMessageW(header_, HDM_INSERTITEMW, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&h)) < 0) return -1;
  columns_.insert(columns_.begin() + col, c);
  if (ColumnCount() > 1 || col > 0) {
    for (Item& it : items_) {
      if (static_cast<int>(it.cells.size()) < ColumnCount())
        it.cells.insert(it.cells.begin() + std::min<int>(col, static_cast<int>(it.cells.size())), Cell());
    }
  }
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return col;
}

bool ListViewModel::DeleteColumn(int col) {
  if (col < 0 || col >= ColumnCount()) return false;
  if (!SendMessageW(header_, HDM_DELETEITEM, static_cast<WPARAM>(col), 0)) return false;
  columns_.erase(columns_.begin() + col);
  for (Item& it : items_) {
    if (static_cast<int>(it.cells.size()) > 1 && col < static_cast<int>(it.cells.size()))
      it.cells.erase(it.cells.begin() + col);
    else if (col == 0 && !it.cells.empty()) it.cells[0] = Cell();
  }
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return true;
}

bool ListViewModel::GetColumn(int col, LVCOLUMNW* column) const {
  if (!column || col < 0 || col >= ColumnCount()) return false;
  const Column& c = columns_[static_cast<size_t>(col)];
  HeaderModel* h = HeaderData();
  if (column->mask & LVCF_FMT) column->fmt = c.format;
  if (column->mask & LVCF_WIDTH) column->cx = ColumnWidth(col);
  if (column->mask & LVCF_TEXT) CopyOut(h ? h->ItemAt(col).text : std::wstring(), column->pszText, column->cchTextMax);
  if (column->mask & LVCF_SUBITEM) column->iSubItem = c.subItem;
  if (column->mask & LVCF_IMAGE) column->iImage = c.image;
  if (column->mask & LVCF_ORDER) {
    std::vector<int> order = DisplayOrder();
    column->iOrder = static_cast<int>(std::find(order.begin(), order.end(), col) - order.begin());
  }
  return true;
}

bool ListViewModel::SetColumn(int col, const LVCOLUMNW* column) {
  if (!column || col < 0 || col >= ColumnCount()) return false;
  Column& c = columns_[static_cast<size_t>(col)];
  HDITEMW h;
  if (column->mask & LVCF_FMT) {
    c.format = column->fmt;
    h.mask |= HDI_FORMAT;
    HeaderModel* hm = HeaderData();
    int keep = hm ? hm->ItemAt(col).format & ~HDF_JUSTIFYMASK : HDF_STRING;
    h.fmt = keep | (c.format & LVCFMT_JUSTIFYMASK);
  }
  if (column->mask & LVCF_SUBITEM) c.subItem = column->iSubItem;
  if (column->mask & LVCF_IMAGE) c.image = column->iImage;
  if (column->mask & LVCF_WIDTH) {
    h.mask |= HDI_WIDTH;
    h.cxy = std::max(0, column->cx);
  }
  if ((column->mask & LVCF_TEXT) && column->pszText != LPSTR_TEXTCALLBACKW) {
    h.mask |= HDI_TEXT;
    h.pszText = column->pszText;
  }
  if (column->mask & LVCF_ORDER) {
    h.mask |= HDI_ORDER;
    h.iOrder = column->iOrder;
  }
  bool ok = !h.mask || SendMessageW(header_, HDM_SETITEMW, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&h)) != 0;
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return ok;
}

bool ListViewModel::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= ColumnCount()) return false;
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
    LOGFONTW font = FontOf(font_);
    int widest = 0;
    for (int row = 0; row < Count(); ++row) {
      int w = TextWidthOf(font, CellText(row, col)) + kTextMargin;
      if (col == 0) w += IconWidth(LVSIL_STATE) + IconWidth(LVSIL_SMALL);
      else if ((exStyle_ & LVS_EX_SUBITEMIMAGES) && CellImage(row, col) >= 0) w += IconWidth(LVSIL_SMALL);
      widest = std::max(widest, w);
    }
    if (width == LVSCW_AUTOSIZE_USEHEADER) {
      HeaderModel* h = HeaderData();
      LOGFONTW headerFont = FontOf(h ? h->Font() : nullptr);
      widest = std::max(widest, TextWidthOf(headerFont, h ? h->ItemAt(col).text : std::wstring()) + kTextMargin);
      std::vector<int> order = DisplayOrder();
      if (!order.empty() && order.back() == col)
        widest = std::max(widest, ClientWidth() - (TotalWidth() - ColumnWidth(col)));
    }
    width = widest;
  }
  HDITEMW h;
  h.mask = HDI_WIDTH;
  h.cxy = std::max(0, width);
  bool ok = SendMessageW(header_, HDM_SETITEMW, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&h)) != 0;
  Layout();
  return ok;
}

// ---- Sorting, scrolling, finding.

bool ListViewModel::SortItems(PFNLVCOMPARE compare, LPARAM data, bool byIndex) {
  if (!compare || OwnerData()) return false;
  int n = Count();
  std::vector<int> order(static_cast<size_t>(n)), scratch(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) order[static_cast<size_t>(i)] = i;
  // Stable merge sort over the pre-sort indexes; the items move only at the end, so the
  // compare function can read the list by those indexes while the sort runs.
  auto key = [&](int index) -> LPARAM {
    if (byIndex) return index;
    return index < Count() ? items_[static_cast<size_t>(index)].param : 0;
  };
  for (int width = 1; width < n; width *= 2) {
    for (int low = 0; low < n; low += 2 * width) {
      int mid = std::min(low + width, n), high = std::min(low + 2 * width, n);
      int a = low, b = mid, out = low;
      while (a < mid && b < high) {
        if (compare(key(order[static_cast<size_t>(a)]), key(order[static_cast<size_t>(b)]), data) <= 0)
          scratch[static_cast<size_t>(out++)] = order[static_cast<size_t>(a++)];
        else scratch[static_cast<size_t>(out++)] = order[static_cast<size_t>(b++)];
      }
      while (a < mid) scratch[static_cast<size_t>(out++)] = order[static_cast<size_t>(a++)];
      while (b < high) scratch[static_cast<size_t>(out++)] = order[static_cast<size_t>(b++)];
    }
    std::swap(order, scratch);
    if (static_cast<int>(items_.size()) != n) return false;  // the compare function changed the list
  }
  std::vector<Item> sorted;
  sorted.reserve(static_cast<size_t>(n));
  int newMark = -1, newHot = -1;
  for (int i = 0; i < n; ++i) {
    int from = order[static_cast<size_t>(i)];
    if (from == mark_) newMark = i;
    if (from == hot_) newHot = i;
    sorted.push_back(std::move(items_[static_cast<size_t>(from)]));
  }
  items_ = std::move(sorted);
  mark_ = newMark;
  hot_ = newHot;
  InvalidateRect(window_, nullptr, TRUE);
  return true;
}

bool ListViewModel::EnsureVisible(int row, bool partialOk) {
  int line = row >= 0 && row < Count() ? LineOfRow(row) : -1;
  if (line < 0) return false;
  int page = std::max(1, CountPerPage());
  if (line < top_) top_ = line;
  else if (line >= top_ + page) top_ = line - page + 1;
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return true;
}

bool ListViewModel::Scroll(int dx, int dy) {
  int rowHeight = RowHeight();
  int rows = dy > 0 ? (dy + rowHeight - 1) / rowHeight : -((-dy + rowHeight - 1) / rowHeight);
  top_ += rows;
  scrollX_ += dx;
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return true;
}

int ListViewModel::FindItem(int start, const LVFINDINFOW* find) {
  if (!find || Count() == 0) return -1;
  int first = std::max(0, start + 1);
  for (int pass = 0; pass < 2; ++pass) {
    int from = pass == 0 ? first : 0, to = pass == 0 ? Count() : std::min(first, Count());
    for (int i = from; i < to; ++i) {
      if (find->flags & LVFI_PARAM) {
        if (items_[static_cast<size_t>(i)].param == find->lParam) return i;
        continue;
      }
      if (!(find->flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->psz) continue;
      std::wstring text = CellText(i, 0);
      size_t length = std::wcslen(find->psz);
      if (find->flags & LVFI_PARTIAL) {
        if (text.size() >= length && _wcsnicmp(text.c_str(), find->psz, length) == 0) return i;
      } else if (_wcsicmp(text.c_str(), find->psz) == 0) {
        return i;
      }
    }
    if (!(find->flags & LVFI_WRAP)) break;
  }
  return -1;
}

DWORD ListViewModel::SetExtendedStyle(DWORD mask, DWORD style) {
  DWORD old = exStyle_;
  if (!mask) mask = 0xFFFFFFFF;
  exStyle_ = (old & ~mask) | (style & mask);
  if ((exStyle_ & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES)) {
    if (!images_[LVSIL_STATE]) {
      ownedStateImages_ = ImageList_Create(16, 16, ILC_COLOR16 | ILC_MASK, 2, 0);
      ImageList_SetImageCount(ownedStateImages_, 2);
      images_[LVSIL_STATE] = ownedStateImages_;
    }
    for (Item& it : items_)
      if (!(it.state & LVIS_STATEIMAGEMASK)) it.state |= INDEXTOSTATEIMAGEMASK(1);
  } else if (!(exStyle_ & LVS_EX_CHECKBOXES) && (old & LVS_EX_CHECKBOXES)) {
    if (ownedStateImages_ && images_[LVSIL_STATE] == ownedStateImages_) images_[LVSIL_STATE] = nullptr;
    if (ownedStateImages_) ImageList_Destroy(ownedStateImages_);
    ownedStateImages_ = nullptr;
    for (Item& it : items_) it.state &= ~static_cast<UINT>(LVIS_STATEIMAGEMASK);
  }
  if ((exStyle_ ^ old) & LVS_EX_HEADERDRAGDROP) {
    LONG headerStyle = GetWindowLongW(header_, GWL_STYLE);
    if (exStyle_ & LVS_EX_HEADERDRAGDROP) headerStyle |= HDS_DRAGDROP;
    else headerStyle &= ~HDS_DRAGDROP;
    SetWindowLongW(header_, GWL_STYLE, headerStyle);
  }
  Layout();
  InvalidateRect(window_, nullptr, TRUE);
  return old;
}

// ---- Label editing.

HWND ListViewModel::EditLabel(int row) {
  EndLabelEdit(true);
  if (row < 0 || row >= Count()) return nullptr;
  NMLVDISPINFOW di;
  std::wstring text = CellText(row, 0);
  di.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  di.item.iItem = row;
  di.item.pszText = text.data();
  di.item.cchTextMax = static_cast<int>(text.size()) + 1;
  di.item.lParam = items_[static_cast<size_t>(row)].param;
  di.item.state = items_[static_cast<size_t>(row)].state;
  if (Notify(LVN_BEGINLABELEDITW, &di.hdr)) return nullptr;
  if (row >= Count()) return nullptr;
  RECT label;
  ItemRect(row, LVIR_LABEL, label);
  editor_ = CreateWindowExW(0, WC_EDITW, text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, label.left,
                            label.top, label.right - label.left, label.bottom - label.top, window_, nullptr, nullptr,
                            nullptr);
  if (!editor_) return nullptr;
  editRow_ = row;
  SetLabelEditOwner(editor_, window_);
  SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
  SendMessageW(editor_, EM_SETSEL, 0, -1);
  SetFocus(editor_);
  return editor_;
}

void ListViewModel::EndLabelEdit(bool accept) {
  HWND editor = editor_;
  int row = editRow_;
  if (!editor) return;
  editor_ = nullptr;
  editRow_ = -1;
  if (IsWindow(editor) && row >= 0 && row < Count()) {
    int length = GetWindowTextLengthW(editor);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(editor, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    NMLVDISPINFOW di;
    di.item.mask = LVIF_TEXT | LVIF_PARAM;
    di.item.iItem = row;
    di.item.pszText = accept ? text.data() : nullptr;
    di.item.cchTextMax = accept ? length + 1 : 0;
    di.item.lParam = items_[static_cast<size_t>(row)].param;
    if (Notify(LVN_ENDLABELEDITW, &di.hdr) && accept && row < Count()) {
      items_[static_cast<size_t>(row)].cells[0].text = text;
      items_[static_cast<size_t>(row)].cells[0].textCallback = false;
    }
  }
  if (IsWindow(editor)) {
    if (GetFocus() == editor) SetFocus(window_);
    DestroyWindow(editor);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

// ---- A person's input.

void ListViewModel::OnButtonDown(POINT point, bool right) {
  SetFocus(window_);
  LVHITTESTINFO hit;
  hit.pt = point;
  int row = SubItemHitTest(hit);
  bool control = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  bool single = (Style() & LVS_SINGLESEL) != 0;
  bool onItem = row >= 0 && (hit.iSubItem == 0 || (exStyle_ & LVS_EX_FULLROWSELECT)) &&
                !((exStyle_ & LVS_EX_CHECKBOXES) && hit.iSubItem == 0 && (hit.flags & LVHT_ONITEMSTATEICON));
  bool onCheck = row >= 0 && (exStyle_ & LVS_EX_CHECKBOXES) && hit.iSubItem == 0 && (hit.flags & LVHT_ONITEMSTATEICON);
  UINT keys = (control ? LVKF_CONTROL : 0) | (shift ? LVKF_SHIFT : 0);
  auto activate = [&](UINT code, int item) {
    NMITEMACTIVATE nm;
    nm.iItem = item;
    nm.iSubItem = item >= 0 ? hit.iSubItem : -1;
    nm.ptAction = point;
    nm.uKeyFlags = keys;
    nm.lParam = item >= 0 && item < Count() ? items_[static_cast<size_t>(item)].param : 0;
    return Notify(code, &nm.hdr);
  };
  MSG msg;
  if (right) {
    if (onItem) {
      if (!(items_[static_cast<size_t>(row)].state & LVIS_SELECTED)) SelectOnly(row);
      if (row < Count()) FocusRow(row);
      mark_ = row;
    } else if (!control && !shift) {
      SelectOnly(-1);
    }
    while (TakeQueuedMouseMessage(window_, msg))
      if (msg.message == WM_RBUTTONUP) break;
    if (!activate(NM_RCLICK, onItem ? row : -1)) {
      POINT screen = point;
      ClientToScreen(window_, &screen);
      SendMessageW(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), MAKELPARAM(screen.x, screen.y));
    }
    return;
  }
  if (hit.flags & LVHT_EX_GROUP_HEADER) {
    while (TakeQueuedMouseMessage(window_, msg))
      if (msg.message == WM_LBUTTONUP) break;
    OnGroupHeaderClick(FindGroup(hit.iGroup), point);
    activate(NM_CLICK, -1);
    return;
  }
  if (onCheck) {
    ToggleCheck(row);
    while (TakeQueuedMouseMessage(window_, msg))
      if (msg.message == WM_LBUTTONUP) break;
    activate(NM_CLICK, row);
    return;
  }
  bool deferredDeselect = false;
  if (onItem) {
    if (control && !single) {
      bool selected = (items_[static_cast<size_t>(row)].state & LVIS_SELECTED) != 0;
      SetState(row, selected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
      mark_ = row;
    } else if (shift && !single) {
      SelectRange(mark_, row);
    } else if (row < Count() && (items_[static_cast<size_t>(row)].state & LVIS_SELECTED)) {
      deferredDeselect = true;  // a drag may take the whole selection; a click keeps only this row
      mark_ = row;
    } else {
      SelectOnly(row);
      mark_ = row;
    }
    FocusRow(row);
  } else if (!control && !shift) {
    SelectOnly(-1);
  }
  // Drag detection: the following mouse messages decide between a drag and a click.
  while (TakeQueuedMouseMessage(window_, msg)) {
    POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.message == WM_MOUSEMOVE) {
      if (onItem && (msg.wParam & MK_LBUTTON) &&
          (std::abs(at.x - point.x) > GetSystemMetrics(SM_CXDRAG) ||
           std::abs(at.y - point.y) > GetSystemMetrics(SM_CYDRAG))) {
        NotifyListView(LVN_BEGINDRAG, row, 0, 0, 0, 0, point);
        return;
      }
      continue;
    }
    break;  // the button came up (or something else happened): a click
  }
  if (deferredDeselect && row < Count()) SelectOnly(row);
  activate(NM_CLICK, onItem ? row : -1);
}

void ListViewModel::OnDoubleClick(POINT point) {
  SetFocus(window_);
  LVHITTESTINFO hit;
  hit.pt = point;
  int row = SubItemHitTest(hit);
  if (row >= 0 && (exStyle_ & LVS_EX_CHECKBOXES) && hit.iSubItem == 0 && (hit.flags & LVHT_ONITEMSTATEICON))
    ToggleCheck(row);
  NMITEMACTIVATE nm;
  nm.iItem = row;
  nm.iSubItem = hit.iSubItem;
  nm.ptAction = point;
  nm.lParam = row >= 0 ? items_[static_cast<size_t>(row)].param : 0;
  Notify(NM_DBLCLK, &nm.hdr);
}

void ListViewModel::OnKeyDown(UINT key) {
  NMLVKEYDOWN kd;
  kd.wVKey = static_cast<WORD>(key);
  Notify(LVN_KEYDOWN, &kd.hdr);
  bool control = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  int focused = FocusedRow();
  int target = -1;
  switch (key) {
    case VK_UP: target = focused < 0 ? 0 : std::max(0, focused - 1); break;
    case VK_DOWN: target = focused < 0 ? 0 : std::min(Count() - 1, focused + 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = Count() - 1; break;
    case VK_PRIOR: target = std::max(0, (focused < 0 ? 0 : focused) - std::max(1, CountPerPage() - 1)); break;
    case VK_NEXT: target = std::min(Count() - 1, (focused < 0 ? 0 : focused) + std::max(1, CountPerPage() - 1)); break;
    case VK_LEFT: Scroll(-30, 0); return;
    case VK_RIGHT: Scroll(30, 0); return;
    case VK_SPACE:
      if (focused < 0) return;
      if (control)
        SetState(focused, (items_[static_cast<size_t>(focused)].state & LVIS_SELECTED) ? 0 : LVIS_SELECTED,
                 LVIS_SELECTED);
      else if (exStyle_ & LVS_EX_CHECKBOXES) ToggleCheck(focused);
      else SetState(focused, LVIS_SELECTED, LVIS_SELECTED);
      return;
    case VK_F2:
      if ((Style() & LVS_EDITLABELS) && focused >= 0) EditLabel(focused);
      return;
    case VK_APPS:
      SendMessageW(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), static_cast<LPARAM>(-1));
      return;
    default: return;
  }
  if (target < 0 || Count() == 0) return;
  if (!control) {
    if (shift && !(Style() & LVS_SINGLESEL)) SelectRange(mark_ < 0 ? target : mark_, target);
    else {
      SelectOnly(target);
      mark_ = target;
    }
  }
  FocusRow(target);
  EnsureVisible(target, false);
}

void ListViewModel::OnChar(wchar_t ch) {
  if (ch < 0x20 || Count() == 0) return;
  ULONGLONG now = GetTickCount64();
  if (now - searchTime_ > 1000) search_.clear();
  searchTime_ = now;
  search_ += ch;
  int focused = FocusedRow();
  int start = search_.size() == 1 ? focused : focused - 1;
  int found = -1;
  if (OwnerData()) {
    NMLVFINDITEMW find;
    find.iStart = start + 1;
    find.lvfi.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
    find.lvfi.psz = search_.c_str();
    found = static_cast<int>(Notify(LVN_ODFINDITEMW, &find.hdr));
  } else {
    LVFINDINFOW info;
    info.flags = LVFI_PARTIAL | LVFI_WRAP;
    info.psz = search_.c_str();
    found = FindItem(start, &info);
  }
  if (found < 0 || found >= Count()) return;
  SelectOnly(found);
  mark_ = found;
  FocusRow(found);
  EnsureVisible(found, false);
}

void ListViewModel::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  HBRUSH back = CreateSolidBrush(backColor_ == CLR_NONE ? GetSysColor(COLOR_WINDOW) : backColor_);
  RECT client;
  GetClientRect(window_, &client);
  FillRect(dc, &client, back);
  DeleteObject(back);
  HGDIOBJ listFont = font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT);
  HGDIOBJ oldFont = SelectObject(dc, listFont);
  NMLVCUSTOMDRAW cd;
  cd.nmcd.dwDrawStage = CDDS_PREPAINT;
  cd.nmcd.hdc = dc;
  cd.nmcd.rc = client;
  LRESULT whole = Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
  bool hasFocus = GetFocus() == window_;
  const std::vector<Line> lines = Lines();
  int last = std::min(static_cast<int>(lines.size()), top_ + CountPerPage() + 1);
  if (!(whole & CDRF_SKIPDEFAULT)) {
    if (Count() == 0) PaintEmptyMarkup(dc, client);
    for (int line = top_; line < last; ++line) {
      int row = lines[static_cast<size_t>(line)].row;
      if (row < 0) {
        size_t group = static_cast<size_t>(lines[static_cast<size_t>(line)].group);
        if (group < groups_.size()) PaintGroupHeader(dc, line, groups_[group]);
        continue;
      }
      if (row >= Count()) break;
      SelectObject(dc, listFont);
      // Copies: the parent's handlers may change the list while the row is drawn.
      const UINT state = items_[static_cast<size_t>(row)].state;
      NMLVCUSTOMDRAW item;
      item.nmcd.hdc = dc;
      item.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
      item.nmcd.lItemlParam = items_[static_cast<size_t>(row)].param;
      item.nmcd.uItemState = ((state & LVIS_SELECTED) ? CDIS_SELECTED : 0) |
                             ((state & LVIS_FOCUSED) && hasFocus ? CDIS_FOCUS : 0) | (row == hot_ ? CDIS_HOT : 0);
      item.clrText = textColor_;
      item.clrTextBk = textBackColor_;
      ItemRect(row, LVIR_BOUNDS, item.nmcd.rc);
      LRESULT itemResult = CDRF_DODEFAULT;
      if (whole & CDRF_NOTIFYITEMDRAW) {
        item.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        item.iSubItem = 0;
        itemResult = Notify(NM_CUSTOMDRAW, &item.nmcd.hdr);
        if (row >= Count()) break;
        if (itemResult & CDRF_SKIPDEFAULT) continue;
      }
      for (int col : DisplayOrder()) {
        NMLVCUSTOMDRAW cell = item;
        cell.iSubItem = col;
        SubItemRect(row, col, LVIR_BOUNDS, cell.nmcd.rc);
        if (col == 0) {
          RECT b, s, i, l;
          CellParts(row, 0, b, s, i, l);
          cell.nmcd.rc = b;
        }
        LRESULT cellResult = CDRF_DODEFAULT;
        if (itemResult & CDRF_NOTIFYSUBITEMDRAW) {
          cell.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
          cellResult = Notify(NM_CUSTOMDRAW, &cell.nmcd.hdr);
          if (row >= Count()) break;
        }
        if (!(cellResult & CDRF_SKIPDEFAULT)) {
          RECT b, s, i, l;
          CellParts(row, col, b, s, i, l);
          int image = CellImage(row, col);
          if (col == 0 && images_[LVSIL_STATE]) {
            int stateImage = static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
            if (stateImage > 0) ImageList_Draw(images_[LVSIL_STATE], stateImage - 1, dc, s.left, s.top, ILD_NORMAL);
          }
          if (images_[LVSIL_SMALL] && image >= 0 && (col == 0 || (exStyle_ & LVS_EX_SUBITEMIMAGES)))
            ImageList_Draw(images_[LVSIL_SMALL], image, dc, i.left, i.top, ILD_NORMAL);
          if (col != 0 && (exStyle_ & LVS_EX_SUBITEMIMAGES) && image >= 0) l.left = i.right;
          COLORREF text = cell.clrText == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : cell.clrText;
          COLORREF textBack = cell.clrTextBk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : cell.clrTextBk;
          if (cell.nmcd.uItemState & CDIS_SELECTED) {
            text = GetSysColor(COLOR_HIGHLIGHTTEXT);
            textBack = GetSysColor(COLOR_HIGHLIGHT);
          }
          SetTextColor(dc, text);
          SetBkColor(dc, textBack);
          const Column& column = col < ColumnCount() ? columns_[static_cast<size_t>(col)] : Column();
          UINT align = (column.format & LVCFMT_RIGHT)    ? DT_RIGHT
                       : (column.format & LVCFMT_CENTER) ? DT_CENTER
                                                         : DT_LEFT;
          std::wstring cellText = CellText(row, col);
          if (row >= Count()) break;
          DrawTextW(dc, cellText.c_str(), -1, &l, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        if ((cellResult & CDRF_NOTIFYPOSTPAINT) && (itemResult & CDRF_NOTIFYSUBITEMDRAW)) {
          cell.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT | CDDS_SUBITEM;
          Notify(NM_CUSTOMDRAW, &cell.nmcd.hdr);
          if (row >= Count()) break;
        }
      }
      if (row >= Count()) break;
      if ((item.nmcd.uItemState & CDIS_FOCUS) && !(exStyle_ & LVS_EX_GRIDLINES)) {
        RECT focus;
        ItemRect(row, LVIR_BOUNDS, focus);
        DrawFocusRect(dc, &focus);
      }
      if (itemResult & CDRF_NOTIFYPOSTPAINT) {
        item.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
        Notify(NM_CUSTOMDRAW, &item.nmcd.hdr);
      }
    }
  }
  if (whole & CDRF_NOTIFYPOSTPAINT) {
    cd.nmcd.dwDrawStage = CDDS_POSTPAINT;
    Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
  }
  SelectObject(dc, oldFont);
  EndPaint(window_, &ps);
}

// ---- The procedure.

LRESULT ListViewModel::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  window_ = window;
  handled = true;
  int row = static_cast<int>(wParam);
  switch (message) {
    case WM_CREATE: {
      backColor_ = GetSysColor(COLOR_WINDOW);
      textColor_ = GetSysColor(COLOR_WINDOWTEXT);
      textBackColor_ = CLR_DEFAULT;
      header_ = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_HORZ, 0, 0, 0, 0, window,
                                nullptr, nullptr, nullptr);
      tooltip_ =
          CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP, 0, 0, 0, 0, window, nullptr, nullptr, nullptr);
      Layout();
      return 0;
    }
    case WM_DESTROY:
      EndLabelEdit(false);
      // The tooltip is a popup of its own: it goes with the list also when a parent's
      // destruction takes the list down.
      if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
      tooltip_ = nullptr;
      handled = false;
      return 0;
    case WM_NCDESTROY:
      if (ownedStateImages_) ImageList_Destroy(ownedStateImages_);
      ownedStateImages_ = nullptr;
      handled = false;
      return 0;
    case WM_SIZE:
      Layout();
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (header_) SendMessageW(header_, WM_SETFONT, wParam, lParam);
      Layout();
      if (lParam) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_PAINT: Paint(); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: {
      NMHDR nm;
      Notify(NM_SETFOCUS, &nm);
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case WM_KILLFOCUS: {
      NMHDR nm;
      Notify(NM_KILLFOCUS, &nm);
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case WM_LBUTTONDOWN: OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false); return 0;
    case WM_RBUTTONDOWN: OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, true); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE: return 0;
    case WM_MOUSEWHEEL: Scroll(0, -(GET_WHEEL_DELTA_WPARAM(wParam) / 120) * 3 * RowHeight()); return 0;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam)); return 0;
    case WM_CHAR: OnChar(static_cast<wchar_t>(wParam)); return 0;
    case WM_HSCROLL:
    case WM_VSCROLL: {
      bool vertical = message == WM_VSCROLL;
      int step = vertical ? RowHeight() : 30;
      int page = vertical ? std::max(1, CountPerPage()) * RowHeight() : ClientWidth();
      int delta = 0;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: delta = -step; break;
        case SB_LINEDOWN: delta = step; break;
        case SB_PAGEUP: delta = -page; break;
        case SB_PAGEDOWN: delta = page; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
          delta = vertical ? (HIWORD(wParam) / (groupView_ ? RowHeight() : 1) - top_) * RowHeight()
                           : HIWORD(wParam) - scrollX_;
          break;
        case SB_TOP: delta = vertical ? -top_ * RowHeight() : -scrollX_; break;
        case SB_BOTTOM: delta = vertical ? Count() * RowHeight() : TotalWidth(); break;
        default: break;
      }
      if (vertical) Scroll(0, delta);
      else Scroll(delta, 0);
      return 0;
    }
    case WM_NOTIFY: {
      auto* nm = reinterpret_cast<NMHDR*>(lParam);
      if (!nm || nm->hwndFrom != header_) return 0;
      if (nm->code == HDN_ITEMCLICKW || nm->code == HDN_ITEMCLICKA) {
        if (!(Style() & LVS_NOSORTHEADER)) NotifyListView(LVN_COLUMNCLICK, -1, reinterpret_cast<NMHEADERW*>(nm)->iItem);
        return 0;
      }
      if (nm->code == HDN_ITEMCHANGEDW || nm->code == HDN_ITEMCHANGEDA || nm->code == HDN_ENDDRAG) {
        Layout();
        InvalidateRect(window, nullptr, TRUE);
      }
      // Header notifications go on to the list's parent as they are.
      HWND parent = GetParent(window);
      return parent ? SendMessageW(parent, WM_NOTIFY, wParam, lParam) : 0;
    }
    case LVM_STANDIN_ENDLABELEDIT: EndLabelEdit(wParam != 0); return 0;
    case LVM_GETITEMCOUNT: return Count();
    case LVM_SETITEMCOUNT:
      if (OwnerData()) {
        items_.resize(static_cast<size_t>(std::max(0, row)));
        for (Item& it : items_) it.cells.resize(static_cast<size_t>(std::max(1, ColumnCount())));
        if (mark_ >= Count()) mark_ = -1;
        Layout();
        InvalidateRect(window, nullptr, TRUE);
      }
      return TRUE;
    case LVM_INSERTITEMW: return InsertItem(reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_DELETEITEM: return DeleteItem(row);
    case LVM_DELETEALLITEMS: return DeleteAllItems();
    case LVM_GETITEMW: return GetItem(reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMW: return SetItem(reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMTEXTW: {
      auto* item = reinterpret_cast<LVITEMW*>(lParam);
      if (!item) return 0;
      LVITEMW read = *item;
      read.mask = LVIF_TEXT;
      read.iItem = row;
      if (!GetItem(&read) || !item->pszText || item->cchTextMax <= 0) return 0;
      return static_cast<LRESULT>(std::wcslen(item->pszText));
    }
    case LVM_SETITEMTEXTW: {
      auto* item = reinterpret_cast<const LVITEMW*>(lParam);
      if (!item) return FALSE;
      LVITEMW set = *item;
      set.mask = LVIF_TEXT;
      set.iItem = row;
      return SetItem(&set);
    }
    case LVM_SETITEMSTATE: {
      auto* item = reinterpret_cast<const LVITEMW*>(lParam);
      return item ? SetState(row, item->state, item->stateMask) : FALSE;
    }
    case LVM_GETITEMSTATE:
      return row >= 0 && row < Count()
                 ? static_cast<LRESULT>(items_[static_cast<size_t>(row)].state & static_cast<UINT>(lParam))
                 : 0;
    case LVM_GETNEXTITEM: {
      UINT flags = static_cast<UINT>(lParam);
      UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
      if ((flags & LVNI_ABOVE) && GroupView()) return NeighbourRow(row, true, want);
      if (flags & LVNI_ABOVE) {
        for (int i = std::min(row, Count()) - 1; i >= 0; --i)
          if ((items_[static_cast<size_t>(i)].state & want) == want) return i;
        return -1;
      }
      for (int i = std::max(-1, row) + 1; i < Count(); ++i)
        if ((items_[static_cast<size_t>(i)].state & want) == want) return i;
      return -1;
    }
    case LVM_GETSELECTEDCOUNT:
      return std::count_if(items_.begin(), items_.end(),
                           [](const Item& it) { return (it.state & LVIS_SELECTED) != 0; });
    case LVM_GETSELECTIONMARK: return mark_;
    case LVM_SETSELECTIONMARK: {
      int old = mark_;
      int next = static_cast<int>(lParam);
      mark_ = next >= -1 && next < Count() ? next : -1;
      return old;
    }
    case LVM_GETHOTITEM: return hot_;
    case LVM_SETHOTITEM: {
      int old = hot_;
      hot_ = row >= -1 && row < Count() ? row : -1;
      InvalidateRect(window, nullptr, TRUE);
      return old;
    }
    case LVM_INSERTCOLUMNW: return InsertColumn(row, reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_DELETECOLUMN: return DeleteColumn(row);
    case LVM_GETCOLUMNW: return GetColumn(row, reinterpret_cast<LVCOLUMNW*>(lParam));
    case LVM_SETCOLUMNW: return SetColumn(row, reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_GETCOLUMNWIDTH: return row >= 0 && row < ColumnCount() ? ColumnWidth(row) : 0;
    case LVM_SETCOLUMNWIDTH: return SetColumnWidth(row, static_cast<int>(static_cast<short>(LOWORD(lParam))));
    case LVM_GETCOLUMNORDERARRAY: return SendMessageW(header_, HDM_GETORDERARRAY, wParam, lParam);
    case LVM_SETCOLUMNORDERARRAY: {
      LRESULT ok = SendMessageW(header_, HDM_SETORDERARRAY, wParam, lParam);
      Layout();
      InvalidateRect(window, nullptr, TRUE);
      return ok;
    }
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(header_);
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return exStyle_;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: return SetExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    case LVM_GETIMAGELIST: return row >= 0 && row < 3 ? reinterpret_cast<LRESULT>(images_[row]) : 0;
    case LVM_SETIMAGELIST: {
      if (row < 0 || row >= 3) return 0;
      HIMAGELIST old = images_[row];
      images_[row] = reinterpret_cast<HIMAGELIST>(lParam);
      if (row == LVSIL_STATE && ownedStateImages_ && old == ownedStateImages_) {
        ImageList_Destroy(ownedStateImages_);
        ownedStateImages_ = nullptr;
        old = nullptr;
      }
      Layout();
      InvalidateRect(window, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case LVM_GETBKCOLOR: return backColor_;
    case LVM_GETTOOLTIPS: return reinterpret_cast<LRESULT>(tooltip_);
    case LVM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      return rect && ItemRect(row, rect->left, *rect);
    }
    case LVM_GETSUBITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      return rect && SubItemRect(row, rect->top, rect->left, *rect);
    }
    case LVM_SUBITEMHITTEST: {
      auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
      return info ? SubItemHitTest(*info) : -1;
    }
    case LVM_HITTEST: {
      auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
      if (!info) return -1;
      int hit = SubItemHitTest(*info);
      if (hit >= 0 && info->iSubItem != 0) {
        if (exStyle_ & LVS_EX_FULLROWSELECT) {
          info->flags = LVHT_ONITEMLABEL;
        } else {
          info->flags = LVHT_NOWHERE;
          info->iItem = hit = -1;
        }
      }
      info->iSubItem = 0;
      return hit;
    }
    case LVM_ENSUREVISIBLE: return EnsureVisible(row, lParam != 0);
    case LVM_SCROLL: return Scroll(static_cast<int>(wParam), static_cast<int>(lParam));
    case LVM_GETTOPINDEX: return top_;
    case LVM_GETCOUNTPERPAGE: return CountPerPage();
    case LVM_SORTITEMS: return SortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam), false);
    case LVM_SORTITEMSEX: return SortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam), true);
    case LVM_EDITLABELW: return reinterpret_cast<LRESULT>(EditLabel(row));
    case LVM_GETEDITCONTROL: return reinterpret_cast<LRESULT>(editor_);
    default: return HandleGroupMessage(message, wParam, lParam, handled);
  }
}

namespace {
std::unique_ptr<ControlModel> MakeListView(HWND, const CREATESTRUCTW&) { return std::make_unique<ListViewModel>(); }
}  // namespace

void RegisterListViewClass() { RegisterControlClass(WC_LISTVIEWW, MakeListView); }

}  // namespace StandIn
