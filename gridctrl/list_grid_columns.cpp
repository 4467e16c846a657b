// The grid's sorting by column, the sort arrow, hiding and showing columns, the resize rules
// of the header, column drags and the header menu.
#include <algorithm>
#include <vector>

#include "gridctrl/column_trait_text.h"
#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/windows_version.h"

namespace {

// What the list's sort callback needs to compare two rows by one column: each row's cell,
// read once before the sort (text, image and item data), and its key when the trait makes
// keys, by its index before the sort.
struct SortContext {
  bool ascending;
  CColumnTrait* trait;
  std::vector<LVITEM> items;
  std::vector<CString> texts;  // what the items' texts point into
  std::vector<CellSortKey> keys;
};

// Reads a row's cell as the trait compares it; a text longer than 255 characters is cut there.
LVITEM ReadSortItem(HWND list, int row, int column, CString& text) {
  wchar_t buffer[256] = {0};
  LVITEM item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 256;
  ::SendMessage(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.iItem = row;
  buffer[255] = 0;
  text = item.pszText && item.pszText != LPSTR_TEXTCALLBACKW ? item.pszText : buffer;
  return item;
}

void ReadSortItems(HWND list, int rows, int column, SortContext& context) {
  context.items.resize(static_cast<size_t>(rows));
  context.texts.resize(static_cast<size_t>(rows));
  for (size_t row = 0; row < context.items.size(); ++row) {
    context.items[row] = ReadSortItem(list, static_cast<int>(row), column, context.texts[row]);
    context.items[row].pszText = const_cast<wchar_t*>(context.texts[row].GetString());
  }
}

// Every row's key, while the trait makes them; false when it makes none (no keys kept).
bool MakeSortKeys(SortContext& context) {
  context.keys.resize(context.items.size());
  for (size_t row = 0; row < context.items.size(); ++row) {
    if (!context.trait->MakeSortKey(context.items[row], context.keys[row])) {
      context.keys.clear();
      return false;
    }
  }
  return true;
}

int CALLBACK CompareRowsByKey(LPARAM rowA, LPARAM rowB, LPARAM context) {
  const SortContext* sort = reinterpret_cast<const SortContext*>(context);
  auto count = static_cast<LPARAM>(sort->keys.size());
  if (rowA < 0 || rowB < 0 || rowA >= count || rowB >= count) return 0;
  return CompareSortKeys(sort->keys[static_cast<size_t>(rowA)], sort->keys[static_cast<size_t>(rowB)], sort->ascending);
}

int CALLBACK CompareRowsForSort(LPARAM rowA, LPARAM rowB, LPARAM context) {
  const SortContext* sort = reinterpret_cast<const SortContext*>(context);
  auto count = static_cast<LPARAM>(sort->items.size());
  if (rowA < 0 || rowB < 0 || rowA >= count || rowB >= count) return 0;
  return sort->trait->CompareItems(sort->items[static_cast<size_t>(rowA)], sort->items[static_cast<size_t>(rowB)],
                                   sort->ascending);
}

// The two-pen arrow drawn in a header item on common controls older than 6.
HBITMAP CreateSortArrowBitmap(bool ascending) {
  CWindowDC desktop(CWnd::GetDesktopWindow());
  CDC dc;
  dc.CreateCompatibleDC(&desktop);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&desktop, 16, 16);
  CBitmap* previousBitmap = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 16, 16, GetSysColor(COLOR_BTNFACE));
  CPen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  CPen dark(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  const int right = 16, bottom = 16, d = 16 / 4;
  CPen* previousPen = dc.SelectObject(&light);
  if (ascending) {
    dc.MoveTo(right - 2 * d, d);
    dc.LineTo(right - d, bottom - d - 1);
    dc.LineTo(right - 3 * d - 2, bottom - d - 1);
    dc.SelectObject(&dark);
    dc.MoveTo(right - 3 * d - 1, bottom - d - 1);
    dc.LineTo(right - 2 * d, d - 1);
  } else {
    dc.MoveTo(right - d - 1, d);
    dc.LineTo(right - 2 * d - 1, bottom - d);
    dc.SelectObject(&dark);
    dc.MoveTo(right - 2 * d - 2, bottom - d);
    dc.LineTo(right - 3 * d - 1, d);
    dc.LineTo(right - d - 1, d);
  }
  dc.SelectObject(previousPen);
  dc.SelectObject(previousBitmap);
  return static_cast<HBITMAP>(bitmap.Detach());
}

}  // namespace

// ---- sorting --------------------------------------------------------------------------------

BOOL CListGridCtrl::OnColumnClick(NMHDR* hdr, LRESULT*) {
  SetFocus();
  NMLISTVIEW* click = reinterpret_cast<NMLISTVIEW*>(hdr);
  int col = click->iSubItem;
  CColumnTrait* trait = GetColumnTraitAt(col);
  if (!trait || !trait->GetColumnState().sortable) return FALSE;
  if (col != sortColumn) {
    sortColumn = col;
    sortAscending = true;
  } else {
    sortAscending = !sortAscending;
  }
  if (SortByColumn(sortColumn, sortAscending)) ShowSortIndicator(sortColumn, sortAscending);
  return FALSE;
}

bool CListGridCtrl::SortByColumn(int col, bool ascending) {
  if (IsOwnerData()) return false;
  if (GetItemCount() == 0) return true;
  CColumnTrait* trait = GetColumnTraitAt(col);
  if (!trait) return false;
  // A text column keeps a totals row last, drawn or not.
  if (CColumnTraitText* text = dynamic_cast<CColumnTraitText*>(trait)) text->PinTotalsRowOf(*this);
  CWaitCursor wait;
  SortContext context{ascending, trait, {}, {}, {}};
  ReadSortItems(GetSafeHwnd(), GetItemCount(), col, context);
  // Keys made once compare without parsing a cell at every comparison.
  SortItemsEx(MakeSortKeys(context) ? CompareRowsByKey : CompareRowsForSort, reinterpret_cast<DWORD_PTR>(&context));
  return true;
}

void CListGridCtrl::ShowSortIndicator(int col, bool ascending) {
  CHeaderCtrl* header = GetHeaderCtrl();
  if (!header) return;
  int count = header->GetItemCount();
  bool modern = GetCommonControlsVersion();
  for (int i = 0; i < count; ++i) {
    HDITEM item{};
    item.mask = modern ? HDI_FORMAT : (HDI_FORMAT | HDI_BITMAP);
    if (!header->GetItem(i, &item)) continue;
    if (modern) {
      item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
      if (i == col) item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
      item.mask = HDI_FORMAT;
    } else {
      if ((item.fmt & HDF_BITMAP) && (item.fmt & HDF_BITMAP_ON_RIGHT)) {
        if (item.hbm) ::DeleteObject(item.hbm);
        item.hbm = nullptr;
        item.fmt &= ~(HDF_BITMAP | HDF_BITMAP_ON_RIGHT);
      }
      if (i == col) {
        item.fmt |= HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
        item.hbm = CreateSortArrowBitmap(ascending);
      }
    }
    header->SetItem(i, &item);
  }
}

// ---- visibility -----------------------------------------------------------------------------

bool CListGridCtrl::IsColumnShown(int col) {
  CColumnTrait* trait = GetColumnTraitAt(col);
  return trait && trait->GetColumnState().shown;
}

bool CListGridCtrl::IsColumnResizeAllowed(int col) {
  CColumnTrait* trait = GetColumnTraitAt(col);
  return trait && trait->GetColumnState().resizable;
}

bool CListGridCtrl::IsColumnFixedShown(int col) {
  CColumnTrait* trait = GetColumnTraitAt(col);
  return trait && trait->GetColumnState().fixedShown;
}

bool CListGridCtrl::IsColumnFixedHidden(int col) {
  CColumnTrait* trait = GetColumnTraitAt(col);
  return trait && trait->GetColumnState().fixedHidden;
}

int CListGridCtrl::GetFirstShownColumn() {
  int count = GetHeaderColumnCount();
  if (count <= 0) return -1;
  std::vector<int> order(static_cast<size_t>(count));
  if (!GetColumnOrderArray(order.data(), count)) return -1;
  for (int col : order)
    if (IsColumnShown(col)) return col;
  return -1;
}

void CListGridCtrl::SetColumnWidthDirect(int col, int width) {
  bool previous = forcingColumnWidth;
  forcingColumnWidth = true;
  SetColumnWidth(col, width);
  forcingColumnWidth = previous;
}

bool CListGridCtrl::SetColumnShown(int col, bool show) {
  CColumnTrait* trait = GetColumnTraitAt(col);
  if (!trait) return false;
  ColumnState& state = trait->GetColumnState();
  if (!show && state.fixedShown) return false;
  if (show && state.fixedHidden) return false;
  if (state.shown == show) return true;  // nothing to change; the saved width stays

  SetRedraw(FALSE);
  int n = GetHeaderColumnCount();
  std::vector<int> order(static_cast<size_t>(n));
  GetColumnOrderArray(order.data(), n);
  const std::vector<int> before = order;

  if (!show) {
    // The column moves to the front; the columns before it shift one place right.
    int at = -1;
    for (int i = n - 1; i >= 0; --i) {
      if (at == -1) {
        if (order[i] == col) {
          at = i;
          state.savedPosition = i;
        }
      } else {
        std::swap(order[i], order[at]);
        at = i;
      }
    }
  } else if (state.savedPosition != -1) {
    // Back to the saved position, counting the hidden columns that were in front of it.
    int at = -1;
    int k = 0;
    for (int i = 0; i < n; ++i) {
      if (at == -1) {
        if (order[i] == col) {
          at = i;
          state.savedPosition += k;
        } else if (CColumnTrait* other = GetColumnTraitAt(order[i])) {
          ColumnState& otherState = other->GetColumnState();
          if (otherState.savedPosition != -1) {
            if (otherState.savedPosition <= state.savedPosition) --otherState.savedPosition;
            if (otherState.savedPosition >= state.savedPosition) ++k;
          }
        }
      } else {
        std::swap(order[i], order[at]);
        at = i;
      }
      if (at != -1 && i >= state.savedPosition && (i == n - 1 || IsColumnShown(order[i + 1]))) break;
    }
  } else {
    // Never placed: after the columns of lower index.
    state.savedPosition = col;
    int at = -1;
    for (int i = 0; i < n; ++i) {
      if (at == -1) {
        if (order[i] == col) at = i;
        else if (order[i] > col) ++state.savedPosition;
      } else {
        if (!IsColumnShown(order[i]) && order[i] > col) ++state.savedPosition;
        std::swap(order[i], order[at]);
        at = i;
      }
      if (at != -1 && i >= state.savedPosition && (i == n - 1 || IsColumnShown(order[i + 1]))) break;
    }
  }
  SetColumnOrderArray(n, order.data());

  if (show) {
    state.shown = true;
    SetColumnWidthDirect(col, state.savedWidth);
  } else {
    int width = GetColumnWidth(col);
    SetColumnWidthDirect(col, 0);
    state.shown = false;
    state.savedWidth = width;
    KeepFocusInShownColumn(before);
  }
  OnColumnShownChanged();
  SetRedraw(TRUE);
  Invalidate();
  return true;
}

void CListGridCtrl::KeepFocusInShownColumn(const std::vector<int>& before) {
  if (focusColumn == -1 || IsColumnShown(focusColumn)) return;
  int n = static_cast<int>(before.size());
  int at = static_cast<int>(std::find(before.begin(), before.end(), focusColumn) - before.begin());
  int nearest = -1;
  for (int d = 1; at < n && nearest == -1 && (at + d < n || at - d >= 0); ++d) {
    if (at + d < n && IsColumnShown(before[at + d])) nearest = before[at + d];
    else if (at - d >= 0 && IsColumnShown(before[at - d])) nearest = before[at - d];
  }
  SetFocusColumn(nearest, false);
}

// ---- widths ---------------------------------------------------------------------------------

int CListGridCtrl::ClampColumnWidth(int col, int width) {
  CColumnTrait* trait = GetColumnTraitAt(col);
  if (!trait) return width;
  const ColumnState& state = trait->GetColumnState();
  if (state.minWidth >= 0 && width < state.minWidth) return state.minWidth;
  if (state.maxWidth >= 0 && width > state.maxWidth) return state.maxWidth;
  return width;
}

LRESULT CListGridCtrl::OnSetColumnWidth(WPARAM wParam, LPARAM lParam) {
  int col = static_cast<int>(wParam);
  int width = static_cast<short>(LOWORD(lParam));
  CColumnTrait* trait = GetColumnTraitAt(col);
  if (trait && !forcingColumnWidth) {
    const ColumnState& state = trait->GetColumnState();
    if (!state.resizable) return 0;
    if (!state.shown && width != 0) return 0;
  }
  LRESULT result = Default();
  OnColumnWidthChanged();
  return result;
}

bool CListGridCtrl::AutoFitColumnWidth(int col, bool includeHeader) {
  if (col == -1) {
    for (int c = 0; c < GetHeaderColumnCount(); ++c) AutoFitColumnWidth(c, includeHeader);
    return true;
  }
  return SetColumnWidth(col, includeHeader ? LVSCW_AUTOSIZE_USEHEADER : LVSCW_AUTOSIZE) != FALSE;
}

BOOL CListGridCtrl::OnHeaderBeginTrack(UINT, NMHDR* hdr, LRESULT* result) {
  SetFocus();
  NMHEADER* header = reinterpret_cast<NMHEADER*>(hdr);
  if (IsColumnShown(header->iItem) && IsColumnResizeAllowed(header->iItem)) {
    *result = 0;
    return FALSE;
  }
  *result = 1;
  return TRUE;
}

BOOL CListGridCtrl::OnHeaderItemChanging(UINT, NMHDR* hdr, LRESULT* result) {
  NMHEADER* header = reinterpret_cast<NMHEADER*>(hdr);
  if (!forcingColumnWidth && header->pitem && (header->pitem->mask & HDI_WIDTH))
    header->pitem->cxy = ClampColumnWidth(header->iItem, header->pitem->cxy);
  *result = 0;
  return FALSE;
}

BOOL CListGridCtrl::OnHeaderEndTrack(UINT, NMHDR* hdr, LRESULT* result) {
  NMHEADER* header = reinterpret_cast<NMHEADER*>(hdr);
  if (header->pitem && (header->pitem->mask & HDI_WIDTH)) {
    header->pitem->cxy = ClampColumnWidth(header->iItem, header->pitem->cxy);
    // The header applies the tracked width only after this notification; the width hook
    // stores the layout, so the width is put in place first.
    if (CHeaderCtrl* headerCtrl = GetHeaderCtrl()) {
      HDITEM width{};
      width.mask = HDI_WIDTH;
      width.cxy = header->pitem->cxy;
      headerCtrl->SetItem(header->iItem, &width);
    }
  }
  OnColumnWidthChanged();
  *result = 0;
  return FALSE;
}

BOOL CListGridCtrl::OnHeaderDividerDblClick(UINT, NMHDR* hdr, LRESULT* result) {
  SetFocus();
  NMHEADER* header = reinterpret_cast<NMHEADER*>(hdr);
  AutoFitColumnWidth(header->iItem, false);
  *result = 0;
  return TRUE;
}

// ---- column drags ---------------------------------------------------------------------------

BOOL CListGridCtrl::OnHeaderBeginDrag(UINT, NMHDR*, LRESULT* result) {
  SetFocus();
  *result = 0;
  return FALSE;
}

BOOL CListGridCtrl::OnHeaderEndDrag(UINT, NMHDR* hdr, LRESULT* result) {
  *result = 0;
  NMHEADER* header = reinterpret_cast<NMHEADER*>(hdr);
  if (!header->pitem || !(header->pitem->mask & HDI_ORDER)) return FALSE;
  focusColumn = -1;
  sortColumn = -1;
  sortAscending = false;
  int n = GetHeaderColumnCount();
  std::vector<int> order(static_cast<size_t>(n));
  if (n <= 0 || !GetColumnOrderArray(order.data(), n)) return FALSE;
  for (int p = 0; p < n; ++p) {
    if (IsColumnShown(order[p])) {
      // No column lands among the hidden columns at the front.
      header->pitem->iOrder = std::max(header->pitem->iOrder, p);
      break;
    }
  }
  return FALSE;
}

// ---- header menu ----------------------------------------------------------------------------

bool CListGridCtrl::QueryColumnEditorItem(int, CString&) { return false; }

void CListGridCtrl::RunColumnEditor(int) {}

bool CListGridCtrl::QueryColumnChooserItem(CString&) { return false; }

void CListGridCtrl::RunColumnChooser() {}

void CListGridCtrl::BuildColumnChooserMenu(CMenu& menu, UINT firstId) {
  int count = GetHeaderColumnCount();
  for (int col = 0; col < count; ++col) {
    if (IsColumnFixedHidden(col)) continue;
    UINT flags = MF_STRING;
    if (IsColumnShown(col)) flags |= MF_CHECKED;
    if (IsColumnFixedShown(col)) flags |= MF_DISABLED;
    menu.AppendMenu(flags, firstId + static_cast<UINT>(col), GetColumnHeading(col));
  }
}

int CListGridCtrl::BuildColumnProfileMenu(CMenu& menu, UINT firstId, CSimpleArray<CString>& profiles) {
  CString title;
  CString active = QueryColumnProfiles(profiles, title);
  if (profiles.GetSize() > 0) {
    menu.AppendMenu(MF_SEPARATOR);
    CMenu submenu;
    submenu.CreatePopupMenu();
    for (int i = 0; i < profiles.GetSize(); ++i) {
      UINT flags = MF_STRING;
      if (profiles[i] == active) flags |= MF_CHECKED;
      submenu.AppendMenu(flags, firstId + static_cast<UINT>(i), profiles[i]);
    }
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Detach()), title);
  }
  return profiles.GetSize();
}

void CListGridCtrl::AppendColumnMenuItems(CMenu& menu, int col, const ColumnMenuIds& ids,
                                          CSimpleArray<CString>& profiles) {
  CString title;
  if (QueryColumnEditorItem(col, title)) menu.AppendMenu(MF_STRING, 1, title);
  if (QueryColumnChooserItem(title)) {
    menu.AppendMenu(MF_STRING, 2, title);
  } else {
    if (menu.GetMenuItemCount() > 0) menu.AppendMenu(MF_SEPARATOR);
    BuildColumnChooserMenu(menu, ids.firstColumn);
  }
  int profileCount = BuildColumnProfileMenu(menu, ids.firstProfile, profiles);
  if (QueryResetColumnsItem(title)) {
    if (profileCount == 0) menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ids.reset, title);
  }
}

void CListGridCtrl::RunColumnMenuCommand(UINT id, int col, const ColumnMenuIds& ids,
                                         const CSimpleArray<CString>& profiles) {
  UINT count = static_cast<UINT>(GetHeaderColumnCount());
  if (id == 1) RunColumnEditor(col);
  else if (id == 2) RunColumnChooser();
  else if (id == ids.reset) RunResetColumns();
  else if (id >= ids.firstColumn && id < ids.firstColumn + count)
    SetColumnShown(static_cast<int>(id - ids.firstColumn), !IsColumnShown(static_cast<int>(id - ids.firstColumn)));
  else if (id >= ids.firstProfile && static_cast<int>(id - ids.firstProfile) < profiles.GetSize())
    SelectColumnProfile(profiles[static_cast<int>(id - ids.firstProfile)]);
}

void CListGridCtrl::OnHeaderContextMenu(CWnd*, CPoint pt, int col) {
  CMenu menu;
  menu.CreatePopupMenu();
  UINT count = static_cast<UINT>(GetHeaderColumnCount());
  ColumnMenuIds ids{4, count + 5, 3};
  CSimpleArray<CString> profiles;
  AppendColumnMenuItems(menu, col, ids, profiles);
  UINT id = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD, pt.x, pt.y, this));
  if (id > 0) RunColumnMenuCommand(id, col, ids, profiles);
}
