// The grid's construction, style, columns and their traits, cell geometry, owner-data
// display, tooltips, empty-list text, fonts and the handlers that do not belong to one of
// the grid's larger topics (sorting, copy and drag, layout, editing).
#include "gridctrl/list_grid_ctrl.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <cwchar>
#include <memory>

#include "gridctrl/column_trait_text.h"
#include "gridctrl/ole_drag_drop.h"
#include "gridctrl/row_trait.h"
#include "gridctrl/view_settings.h"
#include "gridctrl/windows_version.h"

namespace {

using OpenThemeDataFunction = HTHEME (*)(HWND, LPCWSTR);
using CloseThemeDataFunction = HRESULT (*)(HTHEME);
using SetWindowThemeFunction = HRESULT (*)(HWND, LPCWSTR, LPCWSTR);

}  // namespace

BEGIN_MESSAGE_MAP(CListGridCtrl, CListCtrl)
ON_NOTIFY_REFLECT_EX(LVN_BEGINLABELEDITW, &CListGridCtrl::OnBeginLabelEdit)
ON_NOTIFY_REFLECT_EX(LVN_ENDLABELEDITW, &CListGridCtrl::OnEndLabelEdit)
ON_NOTIFY_REFLECT_EX(LVN_GETDISPINFOW, &CListGridCtrl::OnGetDispInfo)
ON_MESSAGE(LVM_DELETECOLUMN, &CListGridCtrl::OnDeleteColumn)
ON_MESSAGE(LVM_INSERTCOLUMNW, &CListGridCtrl::OnInsertColumn)
ON_MESSAGE(LVM_SETCOLUMNWIDTH, &CListGridCtrl::OnSetColumnWidth)
ON_MESSAGE(LVM_INSERTITEMW, &CListGridCtrl::OnRowsMoving)
ON_MESSAGE(LVM_DELETEITEM, &CListGridCtrl::OnRowsMoving)
ON_MESSAGE(LVM_DELETEALLITEMS, &CListGridCtrl::OnRowsMoving)
ON_MESSAGE(LVM_SORTITEMS, &CListGridCtrl::OnRowsMoving)
ON_MESSAGE(LVM_SORTITEMSEX, &CListGridCtrl::OnRowsMoving)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CListGridCtrl::OnCustomDraw)
ON_NOTIFY_EX(HDN_BEGINTRACKA, 0, &CListGridCtrl::OnHeaderBeginTrack)
ON_NOTIFY_EX(HDN_BEGINTRACKW, 0, &CListGridCtrl::OnHeaderBeginTrack)
ON_NOTIFY_EX(HDN_ENDTRACKA, 0, &CListGridCtrl::OnHeaderEndTrack)
ON_NOTIFY_EX(HDN_ENDTRACKW, 0, &CListGridCtrl::OnHeaderEndTrack)
ON_NOTIFY_EX(HDN_ITEMCHANGINGA, 0, &CListGridCtrl::OnHeaderItemChanging)
ON_NOTIFY_EX(HDN_ITEMCHANGINGW, 0, &CListGridCtrl::OnHeaderItemChanging)
ON_NOTIFY_EX(HDN_BEGINDRAG, 0, &CListGridCtrl::OnHeaderBeginDrag)
ON_NOTIFY_EX(HDN_ENDDRAG, 0, &CListGridCtrl::OnHeaderEndDrag)
ON_NOTIFY_EX(HDN_DIVIDERDBLCLICKA, 0, &CListGridCtrl::OnHeaderDividerDblClick)
ON_NOTIFY_EX(HDN_DIVIDERDBLCLICKW, 0, &CListGridCtrl::OnHeaderDividerDblClick)
ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, &CListGridCtrl::OnToolNeedText)
ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, &CListGridCtrl::OnToolNeedText)
ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, &CListGridCtrl::OnColumnClick)
ON_NOTIFY_REFLECT_EX(NM_CLICK, &CListGridCtrl::OnItemClick)
ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &CListGridCtrl::OnItemDblClick)
ON_NOTIFY_REFLECT_EX(LVN_ODFINDITEMW, &CListGridCtrl::OnFindItem)
ON_NOTIFY_REFLECT_EX(LVN_BEGINDRAG, &CListGridCtrl::OnBeginDrag)
ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, &CListGridCtrl::OnItemChanged)
ON_WM_CONTEXTMENU()
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_CHAR()
ON_WM_PAINT()
ON_WM_CREATE()
ON_WM_KILLFOCUS()
ON_WM_DESTROY()
ON_MESSAGE(WM_COPY, &CListGridCtrl::OnCopy)
ON_MESSAGE(WM_SETFONT, &CListGridCtrl::OnSetFont)
END_MESSAGE_MAP()

CListGridCtrl::CListGridCtrl()
    : defaultRowTrait(std::make_unique<CRowTraitText>()), typeAheadTime(static_cast<time_t>(0)),
      emptyListText(L"There are no items to show in this view.") {}

CListGridCtrl::~CListGridCtrl() {
  // The window goes first, while the grid's own handlers can still run.
  if (GetSafeHwnd()) DestroyWindow();
  DestroyAllColumnTraits();
}

// ---- creation and style ---------------------------------------------------------------------

int CListGridCtrl::OnCreate(LPCREATESTRUCT create) {
  if (CListCtrl::OnCreate(create) == -1) return -1;
  ApplyControlStyle();
  return 0;
}

void CListGridCtrl::PreSubclassWindow() {
  CListCtrl::PreSubclassWindow();
  // A window being created gets its style in OnCreate; only a subclassed one here.
  if (AfxGetThreadState()->m_pWndInit == nullptr) ApplyControlStyle();
}

void CListGridCtrl::ApplyControlStyle() {
  DWORD style = GetStyle();
  assert((style & LVS_TYPEMASK) == LVS_REPORT && "the grid needs a report-view list");
  assert(!(style & LVS_OWNERDRAWFIXED) && "the grid draws through custom draw, not owner draw");
  (void)style;
  ModifyStyle(0, LVS_SHOWSELALWAYS);
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_HEADERDRAGDROP);
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_GRIDLINES);
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_SUBITEMIMAGES);
  if (IsWindowsVersionAtLeast(0x0501)) SetExtendedStyle(GetExtendedStyle() | LVS_EX_DOUBLEBUFFER);
  ApplyExplorerTheme(true);
  EnableToolTips(TRUE);
  if (HWND listTips = GetToolTipsHandle()) ::SendMessage(listTips, TTM_ACTIVATE, FALSE, 0);
  EnableDropTarget();
}

int CListGridCtrl::ApplyExplorerTheme(bool enable) {
  if (!AreVisualThemesActive() || !IsWindowsVersionAtLeast(0x0600)) {
    explorerThemed = false;
    return 1;
  }
  HMODULE library = LoadLibraryW(L"UxTheme.dll");
  if (!library) return 1;
  auto openTheme = reinterpret_cast<OpenThemeDataFunction>(GetProcAddress(library, "OpenThemeData"));
  auto closeTheme = reinterpret_cast<CloseThemeDataFunction>(GetProcAddress(library, "CloseThemeData"));
  auto setTheme = reinterpret_cast<SetWindowThemeFunction>(GetProcAddress(library, "SetWindowTheme"));
  int result = 1;
  if (openTheme && closeTheme && setTheme) {
    HTHEME theme = openTheme(GetSafeHwnd(), L"ListView");
    if (theme) {
      closeTheme(theme);
      result = setTheme(GetSafeHwnd(), enable ? L"Explorer" : L"", nullptr);
    }
  }
  FreeLibrary(library);
  if (enable && result == 0) {
    explorerThemed = true;
    if (IsWindowsVersionAtLeast(0x0501)) SetExtendedStyle(GetExtendedStyle() | LVS_EX_DOUBLEBUFFER);
    if (IsWindowsVersionAtLeast(0x0602)) SetExtendedStyle(GetExtendedStyle() & ~LVS_EX_GRIDLINES);
  }
  return result;
}

// ---- column traits --------------------------------------------------------------------------

int CListGridCtrl::AddHiddenLeadColumn() {
  CColumnTrait* trait = new CColumnTrait;
  trait->GetColumnState().fixedHidden = true;
  return InsertTraitColumn(0, CString(), 0, -1, -1, trait);
}

void CListGridCtrl::PlaceColumnTrait(int col, CColumnTrait* trait) {
  std::unique_ptr<CColumnTrait> owned(trait);
  size_t at = std::min(static_cast<size_t>(std::max(col, 0)), columnTraits.size());
  columnTraits.insert(columnTraits.begin() + static_cast<std::ptrdiff_t>(at), std::move(owned));
}

int CListGridCtrl::InsertTraitColumn(int col, const CString& heading, int format, int width, int subItem,
                                     CColumnTrait* trait) {
  // The trait is the grid's from here on, also when memory runs out.
  std::unique_ptr<CColumnTrait> owned(trait);
  EndOpenEditor(true);  // before the traits move, so that the editor's own trait hears its end
  if (col < 0) col = 0;
  if (owned) {
    ColumnState& state = owned->GetColumnState();
    if (state.fixedHidden) {
      width = 0;
      state.shown = false;
    }
    int count = GetHeaderColumnCount();
    if (col >= count) col = count;
    PlaceColumnTrait(col, owned.release());
  }
  int result = -1;
  try {
    result = InsertColumn(col, heading, format, width, subItem);
  } catch (...) {  // no trait without its column
    if (trait) DestroyColumnTrait(col);
    throw;
  }
  if (result == -1) {
    if (trait) DestroyColumnTrait(col);  // only the trait placed for this column
  } else if (CColumnTrait* placed = GetColumnTraitAt(result)) {
    placed->OnColumnAdded(*this, result);
  }
  return result;
}

CColumnTrait* CListGridCtrl::GetColumnTraitAt(int col) {
  if (col < 0 || col >= static_cast<int>(columnTraits.size())) return nullptr;
  return columnTraits[static_cast<size_t>(col)].get();
}

int CListGridCtrl::GetColumnTraitCount() { return static_cast<int>(columnTraits.size()); }

CColumnTrait* CListGridCtrl::GetCellTrait(int, int col) { return GetColumnTraitAt(col); }

void CListGridCtrl::DestroyColumnTrait(int col) {
  if (col < 0 || col >= static_cast<int>(columnTraits.size())) return;
  columnTraits.erase(columnTraits.begin() + col);
}

void CListGridCtrl::DestroyAllColumnTraits() {
  for (int col = static_cast<int>(columnTraits.size()) - 1; col >= 0; --col) DestroyColumnTrait(col);
}

LRESULT CListGridCtrl::OnInsertColumn(WPARAM, LPARAM) {
  EndOpenEditor(true);  // its column index is about to name another column
  LRESULT result = Default();
  if (result == -1) return -1;
  int col = static_cast<int>(result);
  if (static_cast<int>(columnTraits.size()) < GetHeaderColumnCount()) PlaceColumnTrait(col, new CColumnTraitText);
  // Column indexes moved: the focus cell and the sort column no longer name the same column.
  focusColumn = -1;
  sortColumn = -1;
  sortAscending = false;
  return result;
}

LRESULT CListGridCtrl::OnDeleteColumn(WPARAM wParam, LPARAM) {
  EndOpenEditor(false);  // its column index would name another column, or none
  LRESULT result = Default();
  if (result) {
    DestroyColumnTrait(static_cast<int>(wParam));
    focusColumn = -1;
    sortColumn = -1;
    sortAscending = false;
  }
  return result;
}

// ---- cells ----------------------------------------------------------------------------------

bool CListGridCtrl::IsOwnerData() const { return (GetStyle() & LVS_OWNERDATA) != 0; }

bool CListGridCtrl::IsCtrlOrShiftHeld() const { return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0; }

int CListGridCtrl::GetFocusedRow() { return GetNextItem(-1, LVNI_FOCUSED); }

void CListGridCtrl::SetFocusRow(int row) { SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED); }

bool CListGridCtrl::IsRowSelected(int row) { return (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0; }

void CListGridCtrl::SelectRow(int row, bool select) { SetItemState(row, select ? LVIS_SELECTED : 0, LVIS_SELECTED); }

int CListGridCtrl::GetCellImageIndex(int row, int col) {
  LVITEM item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iSubItem = col;
  if (!GetItem(&item)) return -1;
  return item.iImage;
}

void CListGridCtrl::SetCellImageIndex(int row, int col, int image) {
  LVITEM item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iSubItem = col;
  item.iImage = image;
  SetItem(&item);
}

bool CListGridCtrl::IsCellCallback(int row, int col) {
  if (IsOwnerData()) return true;
  wchar_t buffer[2] = {0, 0};
  LVITEM item{};
  item.mask = LVIF_TEXT | LVIF_NORECOMPUTE;
  item.iItem = row;
  item.iSubItem = col;
  item.pszText = buffer;
  item.cchTextMax = 2;
  if (!GetItem(&item)) return false;
  return item.pszText == LPSTR_TEXTCALLBACKW;
}

bool CListGridCtrl::GetCellArea(int row, int col, int part, CRect& rect) {
  if (!GetSubItemRect(row, col, part, rect)) return false;
  DWORD exStyle = GetExtendedStyle();
  bool smallImages = GetImageList(LVSIL_SMALL) != nullptr;
  switch (part) {
    case LVIR_BOUNDS: {
      CHeaderCtrl* header = GetHeaderCtrl();
      CRect item(0, 0, 0, 0);
      if (!header || !header->GetItemRect(col, &item)) return false;
      if (col != 0) {
        rect.right = rect.left + item.Width();
      } else {
        CRect label;
        if (!GetSubItemRect(row, 0, LVIR_LABEL, label)) return false;
        rect.right = label.right;
        rect.left = label.right - item.Width();
      }
      return true;
    }
    case LVIR_ICON:
      if (col != 0 && !(exStyle & LVS_EX_SUBITEMIMAGES)) return false;
      return GetCellImageIndex(row, col) != -1;
    case LVIR_LABEL:
      if (col == 0 && !(exStyle & LVS_EX_CHECKBOXES) && !smallImages) return GetCellArea(row, col, LVIR_BOUNDS, rect);
      if (col != 0 && (exStyle & LVS_EX_SUBITEMIMAGES) && smallImages && GetCellImageIndex(row, col) != -1) {
        CRect icon;
        if (GetSubItemRect(row, col, LVIR_ICON, icon)) rect.left += icon.Width();
      }
      return true;
    default: return true;
  }
}

CPoint CListGridCtrl::CursorClientPoint() {
  DWORD position = GetMessagePos();
  CPoint pt(GET_X_LPARAM(position), GET_Y_LPARAM(position));
  ScreenToClient(&pt);
  return pt;
}

UINT CListGridCtrl::CursorHitTest(int& row, int& col) { return CellHitTest(CursorClientPoint(), row, col); }

UINT CListGridCtrl::CellHitTest(CPoint pt, int& row, int& col) {
  LVHITTESTINFO hit{};
  hit.pt = pt;
  SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  row = -1;
  col = hit.iSubItem;
  if (hit.flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)) row = hit.iItem;
  return hit.flags;
}

int CListGridCtrl::GetColumnSubItem(int col) {
  LVCOLUMN column{};
  column.mask = LVCF_SUBITEM;
  if (!GetColumn(col, &column)) return -1;
  return column.iSubItem;
}

int CListGridCtrl::GetColumnOrder(int col) {
  LVCOLUMN column{};
  column.mask = LVCF_ORDER;
  if (!GetColumn(col, &column)) return -1;
  return column.iOrder;
}

CString CListGridCtrl::GetColumnHeading(int col) {
  wchar_t buffer[256] = {0};
  LVCOLUMN column{};
  column.mask = LVCF_TEXT;
  column.pszText = buffer;
  column.cchTextMax = 256;
  if (!GetColumn(col, &column) || !column.pszText) return CString();
  buffer[255] = 0;
  return CString(column.pszText);
}

CWnd* CListGridCtrl::GetHeaderWindow() { return GetHeaderCtrl(); }

int CListGridCtrl::GetHeaderColumnCount() {
  CHeaderCtrl* header = GetHeaderCtrl();
  return header ? header->GetItemCount() : 0;
}

// ---- owner data -----------------------------------------------------------------------------

BOOL CListGridCtrl::OnGetDispInfo(NMHDR* hdr, LRESULT* result) {
  NMLVDISPINFO* info = reinterpret_cast<NMLVDISPINFO*>(hdr);
  LVITEM& item = info->item;
  if (item.iItem < 0 || item.iItem >= GetItemCount() || item.iSubItem < 0 || item.iSubItem >= GetHeaderColumnCount())
    return FALSE;
  // The check box of a row is its state image, asked for with the image (or the state).
  if (item.iSubItem == 0 && IsOwnerData() && (GetExtendedStyle() & LVS_EX_CHECKBOXES) &&
      (item.mask & (LVIF_IMAGE | LVIF_STATE))) {
    item.mask |= LVIF_STATE;
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(QueryVirtualRowChecked(item.iItem) ? 2 : 1);
  }
  FillDisplayItem(item);
  return FALSE;
}

void CListGridCtrl::FillDisplayItem(LVITEM& item) {
  if (item.mask & LVIF_TEXT) {
    CString text;
    if (item.pszText && item.pszText != LPSTR_TEXTCALLBACKW && item.cchTextMax > 0 &&
        QueryCellText(item.iItem, item.iSubItem, text)) {
      // Copied with truncation: a long text is cut to the caller's buffer.
      int length = text.GetLength() < item.cchTextMax - 1 ? text.GetLength() : item.cchTextMax - 1;
      wmemcpy(item.pszText, text.GetString(), static_cast<size_t>(length));
      item.pszText[length] = 0;
    }
  }
  if (item.mask & LVIF_IMAGE) {
    int image = -1;
    item.iImage = QueryCellImage(item.iItem, item.iSubItem, image) ? image : -1;
  }
}

bool CListGridCtrl::QueryCellText(int, int, CString&) { return false; }

bool CListGridCtrl::QueryCellImage(int, int, int&) { return false; }

bool CListGridCtrl::QueryVirtualRowChecked(int) { return false; }

void CListGridCtrl::OnVirtualRowCheckToggled(int, bool) { Invalidate(); }

BOOL CListGridCtrl::OnItemChanged(NMHDR* hdr, LRESULT*) {
  NMLISTVIEW* change = reinterpret_cast<NMLISTVIEW*>(hdr);
  if (change->iSubItem == 0 && (change->uChanged & LVIF_STATE) && IsOwnerData() &&
      (GetExtendedStyle() & LVS_EX_CHECKBOXES) && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK)) {
    UINT image = (change->uNewState & LVIS_STATEIMAGEMASK) >> 12;
    if (image == 1) OnVirtualRowCheckToggled(change->iItem, false);
    else if (image == 2) OnVirtualRowCheckToggled(change->iItem, true);
  }
  return FALSE;
}

// ---- tooltips -------------------------------------------------------------------------------

bool CListGridCtrl::QueryTooltipAllowed(CPoint) { return true; }

bool CListGridCtrl::QueryCellTooltip(int row, int col, CString& text) {
  if (row == -1 || col == -1) return false;
  text = GetItemText(row, col);
  return true;
}

INT_PTR CListGridCtrl::OnToolHitTest(CPoint point, TOOLINFO* info) const {
  CListGridCtrl* self = const_cast<CListGridCtrl*>(this);
  if (!self->QueryTooltipAllowed(point)) return -1;
  int row = -1;
  int col = -1;
  self->CursorHitTest(row, col);
  if (!info) return -1;
  info->hwnd = GetSafeHwnd();
  info->uId = static_cast<UINT_PTR>(row * 1000 + col);
  info->lpszText = LPSTR_TEXTCALLBACKW;
  self->GetClientRect(&info->rect);
  return row * 1000 + col;
}

BOOL CListGridCtrl::OnToolNeedText(UINT, NMHDR* hdr, LRESULT* result) {
  int row = -1;
  int col = -1;
  CursorHitTest(row, col);
  CString text;
  if (!QueryCellTooltip(row, col, text) || text.IsEmpty()) return FALSE;
  if (tooltipMaxWidth > 0) ::SendMessage(hdr->hwndFrom, TTM_SETMAXTIPWIDTH, 0, tooltipMaxWidth);
  if (hdr->code == TTN_NEEDTEXTW) {
    TOOLTIPTEXTW* tip = reinterpret_cast<TOOLTIPTEXTW*>(hdr);
    int length = std::min(text.GetLength(), 79);
    wmemcpy(tip->szText, text.GetString(), static_cast<size_t>(length));
    tip->szText[length] = 0;
  } else {
    TOOLTIPTEXTA* tip = reinterpret_cast<TOOLTIPTEXTA*>(hdr);
    std::string narrow = WideToAnsi(text.Left(79).str());
    if (narrow.size() > 79) narrow.resize(79);
    std::memcpy(tip->szText, narrow.c_str(), narrow.size() + 1);
  }
  if (result) *result = 0;
  return TRUE;
}

// ---- painting and fonts ---------------------------------------------------------------------

void CListGridCtrl::OnPaint() {
  bool hasRows = GetItemCount() > 0;
  if (emptyTextShown && !emptyListText.IsEmpty() && hasRows) {
    emptyTextShown = false;
    Invalidate();
  }
  if (!hasRows && !emptyListText.IsEmpty()) {
    emptyTextShown = true;
    CPaintDC dc(this);
    int saved = dc.SaveDC();
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    COLORREF back = GetBkColor();
    dc.SetBkColor(back);
    CRect client;
    GetClientRect(&client);
    CBrush brush(back);
    dc.FillRect(&client, &brush);
    dc.SelectObject(GetGridCellFont());
    dc.DrawText(emptyListText, -1, &client,
                DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    dc.RestoreDC(saved);
    return;
  }
  Default();
}

CFont* CListGridCtrl::GetGridCellFont() {
  if (cellFont.GetSafeHandle()) return &cellFont;
  return GetFont();
}

void CListGridCtrl::ApplyFontScale(const LOGFONT& base, double factor) {
  // New fonts are in place before the old ones go, so no window keeps a deleted font.
  CFont newCell;
  newCell.CreateFontIndirect(&base);
  LOGFONT scaled = base;
  scaled.lfHeight = static_cast<LONG>(base.lfHeight * factor);
  scaled.lfWidth = static_cast<LONG>(base.lfWidth * factor);
  CFont newGrid;
  newGrid.CreateFontIndirect(&scaled);
  rowSpacing = -1.0;
  SetFont(&newGrid, TRUE);
  rowSpacing = factor;
  if (CHeaderCtrl* header = GetHeaderCtrl()) header->SetFont(&newCell, TRUE);
  if (HWND listTips = GetToolTipsHandle())
    ::SendMessage(listTips, WM_SETFONT, reinterpret_cast<WPARAM>(newCell.GetSafeHandle()), TRUE);
  gridFont.DeleteObject();
  gridFont.Attach(newGrid.Detach());
  cellFont.DeleteObject();
  cellFont.Attach(newCell.Detach());
}

void CListGridCtrl::SetRowSpacing(double factor) {
  // The cell font is the base; the grid font is only ever derived from it.
  LOGFONT base{};
  if (cellFont.GetSafeHandle()) cellFont.GetLogFont(&base);
  else if (CFont* font = GetFont()) font->GetLogFont(&base);
  else ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof base, &base);
  ApplyFontScale(base, factor);
}

LRESULT CListGridCtrl::OnSetFont(WPARAM wParam, LPARAM) {
  LRESULT result = Default();
  if (rowSpacing >= 0) {
    // A font set from outside becomes the cell font.
    LOGFONT base{};
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(wParam);
    if (!font) font = ::GetStockObject(DEFAULT_GUI_FONT);
    ::GetObject(font, sizeof base, &base);
    ApplyFontScale(base, rowSpacing);
  }
  return result;
}

// ---- other handlers -------------------------------------------------------------------------

void CListGridCtrl::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  SetFocus();
  CListCtrl::OnHScroll(code, pos, bar);
  if (!explorerThemed && GetKeyState(VK_LBUTTON) < 0 && (GetExtendedStyle() & LVS_EX_GRIDLINES)) {
    Invalidate(FALSE);
    UpdateWindow();
  }
}

void CListGridCtrl::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  SetFocus();
  CListCtrl::OnVScroll(code, pos, bar);
  if (!explorerThemed && GetKeyState(VK_LBUTTON) < 0 && (GetExtendedStyle() & LVS_EX_GRIDLINES)) {
    Invalidate(FALSE);
    UpdateWindow();
  }
}

void CListGridCtrl::OnKillFocus(CWnd* newWnd) {
  CListCtrl::OnKillFocus(newWnd);
  OnFocusLostSave();
}

LRESULT CListGridCtrl::OnCopy(WPARAM, LPARAM) {
  CopySelectionToClipboard();
  return Default();
}

void CListGridCtrl::OnDestroy() {
  focusColumn = -1;
  sortColumn = -1;
  sortAscending = false;
  explorerThemed = false;
  emptyTextShown = true;
  // An editor still open ends first, while its trait is there to hear of it.
  EndOpenEditor(false);
  // The arrow bitmaps that old common controls show belong to the grid.
  if (!GetCommonControlsVersion()) ShowSortIndicator(-1, false);
  dropTarget.reset();
  DestroyAllColumnTraits();
  if (cellFont.GetSafeHandle()) cellFont.DeleteObject();
  if (gridFont.GetSafeHandle()) gridFont.DeleteObject();
  CListCtrl::OnDestroy();
}

// ---- drawing --------------------------------------------------------------------------------

void CListGridCtrl::OnCustomDraw(NMHDR* hdr, LRESULT* result) {
  NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
  *result = 0;
  int row = static_cast<int>(draw->nmcd.dwItemSpec);
  DWORD stage = draw->nmcd.dwDrawStage;
  if (stage & CDDS_SUBITEM) {
    CustomDrawRow(row, draw, result);
    if (*result & CDRF_SKIPDEFAULT) return;
    CustomDrawCell(row, draw->iSubItem, draw, result);
    if (*result & CDRF_SKIPDEFAULT) return;
  }
  switch (stage) {
    case CDDS_PREPAINT: *result |= CDRF_NOTIFYITEMDRAW; break;
    case CDDS_ITEMPREPAINT:
      *result |= CDRF_NOTIFYPOSTPAINT | CDRF_NOTIFYSUBITEMDRAW;
      CustomDrawRow(row, draw, result);
      break;
    case CDDS_ITEMPOSTPAINT: CustomDrawRow(row, draw, result); break;
    default: break;
  }
}

void CListGridCtrl::CustomDrawRow(int row, NMLVCUSTOMDRAW* draw, LRESULT* result) {
  if (CRowTrait* trait = GetRowTraitOf(row)) trait->OnRowCustomDraw(*this, draw, result);
}

void CListGridCtrl::CustomDrawCell(int row, int col, NMLVCUSTOMDRAW* draw, LRESULT* result) {
  CColumnTrait* trait = GetCellTrait(row, col);
  if (!trait) return;
  if (!trait->GetColumnState().shown) {
    *result = CDRF_SKIPDEFAULT;
    return;
  }
  trait->OnCellCustomDraw(*this, draw, result);
}

CRowTrait* CListGridCtrl::GetRowTraitOf(int) { return defaultRowTrait.get(); }

void CListGridCtrl::ReplaceDefaultRowTrait(CRowTrait* trait) {
  if (trait == defaultRowTrait.get()) return;  // replacing with itself keeps it
  defaultRowTrait.reset(trait);
}

bool CListGridCtrl::QueryCellColors(int, int, COLORREF&, COLORREF&) { return false; }

bool CListGridCtrl::QueryCellColors(NMLVCUSTOMDRAW* draw) {
  return QueryCellColors(static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem, draw->clrText, draw->clrTextBk);
}

bool CListGridCtrl::QueryCellFont(int, int, LOGFONT&) { return false; }

bool CListGridCtrl::QueryCellFont(NMLVCUSTOMDRAW* draw, LOGFONT& font) {
  return QueryCellFont(static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem, font);
}

bool CListGridCtrl::QueryRowColors(int, COLORREF&, COLORREF&) { return false; }

bool CListGridCtrl::QueryRowFont(int, LOGFONT&) { return false; }
