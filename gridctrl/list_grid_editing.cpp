// The grid as a cell grid under mouse and keyboard: the focus cell, clicks classified by the
// column traits, in-place editing and its end, the keys the grid handles, type-ahead search
// and the context menus.
#include <algorithm>
#include <vector>

#include "gridctrl/cell_editor.h"
#include "gridctrl/list_grid_ctrl.h"

// ---- focus column ---------------------------------------------------------------------------

void CListGridCtrl::SetFocusColumn(int col, bool redraw) {
  focusColumn = col;
  if (!redraw) return;
  int row = GetFocusedRow();
  if (row == -1) return;
  CRect bounds;
  if (GetItemRect(row, &bounds, LVIR_BOUNDS)) InvalidateRect(&bounds);
  UpdateWindow();
}

void CListGridCtrl::StepFocusColumn(bool forward) {
  if (GetItemCount() == 0) {
    focusColumn = -1;
    return;
  }
  if (focusColumn == -1) {
    if (!forward) return;
    focusColumn = GetFirstShownColumn();
  } else {
    CHeaderCtrl* header = GetHeaderCtrl();
    int n = GetHeaderColumnCount();
    int position = -1;
    for (int p = 0; header && p < n; ++p) {
      if (header->OrderToIndex(p) == focusColumn) {
        position = p;
        break;
      }
    }
    int step = position + (forward ? 1 : -1);
    if (header && step >= 0 && step < n && IsColumnShown(header->OrderToIndex(step)))
      focusColumn = header->OrderToIndex(step);
    else if (!forward) focusColumn = -1;
  }
  if (focusColumn >= 0) ScrollColumnIntoView(focusColumn, false);
  SetFocusColumn(focusColumn, true);
}

bool CListGridCtrl::ScrollColumnIntoView(int col, bool partlyVisibleIsEnough) {
  CHeaderCtrl* header = GetHeaderCtrl();
  if (!header || col < 0 || col >= GetHeaderColumnCount()) return false;
  CRect item;
  if (!header->GetItemRect(col, &item)) return false;
  int scroll = GetScrollPos(SB_HORZ);
  int x = item.left - scroll;
  int r = item.right - scroll;
  CRect client;
  GetClientRect(&client);
  if (partlyVisibleIsEnough && x < client.right && r > 0) return true;
  int distance = 0;
  if (item.Width() <= client.Width() && x >= 0 && r > client.right) distance = r - client.right;
  else if (item.Width() > client.Width() || x < 0) distance = x;
  if (distance == 0) return true;
  return Scroll(CSize(distance, 0)) != FALSE;
}

// ---- clicks ---------------------------------------------------------------------------------

int CListGridCtrl::ClassifyCellClick(int row, int col, CPoint pt, bool dblClick) {
  if (IsCtrlOrShiftHeld()) return kClickNone;
  CColumnTrait* trait = GetCellTrait(row, col);
  if (!trait || trait->IsCellLocked(*this, row, col, pt)) return kClickNone;
  return trait->ClassifyClick(*this, row, col, pt, dblClick);
}

void CListGridCtrl::OnLButtonDown(UINT flags, CPoint pt) {
  int row = -1;
  int col = -1;
  CellHitTest(pt, row, col);
  if (row == -1) {
    CListCtrl::OnLButtonDown(flags, pt);
    return;
  }
  if (GetFocus() != this) SetFocus();
  int click = ClassifyCellClick(row, col, pt, false);
  if (click != kClickImage) {
    SetFocusColumn(col, false);
    CListCtrl::OnLButtonDown(flags, pt);
    if (focusColumn != col) {  // a drag started meanwhile
      focusColumn = col;
      click = kClickNone;
    }
    if (!(GetExtendedStyle() & LVS_EX_FULLROWSELECT) && GetFocusedRow() != row) {
      SetFocusRow(row);
      if (!IsCtrlOrShiftHeld()) {
        SelectRow(-1, false);
        SelectRow(row, true);
      }
    }
    SetFocusColumn(col, true);
  }
  if (click != kClickNone) StartCellEdit(row, col, pt);
}

void CListGridCtrl::OnLButtonDblClk(UINT flags, CPoint pt) {
  int row = -1;
  int col = -1;
  CellHitTest(pt, row, col);
  if (row == -1) {
    CListCtrl::OnLButtonDblClk(flags, pt);
    return;
  }
  SetFocus();
  int click = ClassifyCellClick(row, col, pt, true);
  if (click != kClickImage) CListCtrl::OnLButtonDblClk(flags, pt);
  if (click != kClickNone) StartCellEdit(row, col, pt);
}

void CListGridCtrl::OnRButtonDown(UINT flags, CPoint pt) {
  SetFocus();
  int row = -1;
  int col = -1;
  CellHitTest(pt, row, col);
  if (row != -1) SetFocusColumn(col, false);
  CListCtrl::OnRButtonDown(flags, pt);
}

BOOL CListGridCtrl::OnItemClick(NMHDR*, LRESULT*) {
  int row = -1;
  int col = -1;
  CursorHitTest(row, col);
  return FALSE;
}

BOOL CListGridCtrl::OnItemDblClick(NMHDR* hdr, LRESULT* result) { return OnItemClick(hdr, result); }

// ---- editing --------------------------------------------------------------------------------

CWnd* CListGridCtrl::StartCellEdit(int row, int col) { return StartCellEdit(row, col, CPoint(-1, -1)); }

CWnd* CListGridCtrl::StartCellEdit(int row, int col, CPoint pt) {
  // Only a cell of the list is edited: the parent never hears of a row that is not there.
  if (row < 0 || row >= GetItemCount() || col < 0 || col >= GetHeaderColumnCount()) return nullptr;
  EndOpenEditor(true);  // one editor at a time: the open one ends, accepting, first
  openEditor = OpenCellEditor(row, col, pt);
  if (!openEditor) return nullptr;

  NMLVDISPINFO info{};
  info.hdr.hwndFrom = GetSafeHwnd();
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  info.hdr.code = LVN_BEGINLABELEDITW;
  info.item.mask = LVIF_PARAM;
  info.item.iItem = row;
  info.item.iSubItem = col;
  info.item.lParam = static_cast<LPARAM>(GetItemData(row));
  CWnd* parent = GetParent();
  LRESULT refused = parent ? parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info)) : 0;
  if (!openEditor) return nullptr;  // the editor ended while the parent was asked
  if (refused == 1) {
    // The refused editor goes now and unreported, so no late end of it reaches a later edit.
    CWnd* editor = openEditor;
    openEditor = nullptr;
    ApplyCellEdit(row, col, nullptr, nullptr);
    if (CCellEditor* cellEditor = dynamic_cast<CCellEditor*>(editor)) cellEditor->Withdraw();
    editor->SendMessage(WM_CLOSE);
    return nullptr;
  }
  openEditor->ShowWindow(SW_SHOW);
  openEditor->SetFocus();
  return openEditor;
}

void CListGridCtrl::EndOpenEditor(bool accept) {
  if (!openEditor) return;
  if (CCellEditor* editor = dynamic_cast<CCellEditor*>(openEditor)) editor->EndEdit(accept);
  else SetFocus();
  if (openEditor) {  // an editor that did not report its end
    openEditor->PostMessage(WM_CLOSE);
    openEditor = nullptr;
  }
}

LRESULT CListGridCtrl::OnRowsMoving(WPARAM, LPARAM) {
  // The editor knows its cell by row number; the text typed so far goes to that row now.
  EndOpenEditor(true);
  return Default();
}

CWnd* CListGridCtrl::OpenCellEditor(int row, int col) { return OpenCellEditor(row, col, CPoint(-1, -1)); }

CWnd* CListGridCtrl::OpenCellEditor(int row, int col, CPoint pt) {
  CColumnTrait* trait = GetCellTrait(row, col);
  if (!trait || trait->IsCellLocked(*this, row, col, pt)) return nullptr;
  return trait->OpenEditor(*this, row, col, pt);
}

bool CListGridCtrl::ApplyCellEdit(int row, int col, CWnd*, NMLVDISPINFO* info) {
  if (CColumnTrait* trait = GetCellTrait(row, col)) trait->OnEditorClosed();
  if (!info) return false;
  const LVITEM& item = info->item;
  return ((item.mask & LVIF_TEXT) && item.pszText) || ((item.mask & LVIF_IMAGE) && item.iImage != -1);
}

BOOL CListGridCtrl::OnBeginLabelEdit(NMHDR*, LRESULT* result) {
  if (openEditor) {
    *result = 0;
    return FALSE;
  }
  *result = 1;  // the list's own label editing never starts
  return TRUE;
}

BOOL CListGridCtrl::OnEndLabelEdit(NMHDR* hdr, LRESULT* result) {
  NMLVDISPINFO* info = reinterpret_cast<NMLVDISPINFO*>(hdr);
  *result = 0;
  int row = info->item.iItem;
  int col = info->item.iSubItem;
  CWnd* editor = openEditor;
  if (row >= 0 && row < GetItemCount() && col >= 0 && col < GetHeaderColumnCount()) {
    if (ApplyCellEdit(row, col, editor, info)) {
      *result = 1;
      const LVITEM& item = info->item;
      if ((item.mask & LVIF_TEXT) && item.pszText && !IsCellCallback(row, col)) SetItemText(row, col, item.pszText);
      if ((item.mask & LVIF_IMAGE) && item.iImage != -1 && !IsOwnerData()) {
        LVITEM present{};
        present.mask = LVIF_IMAGE | LVIF_NORECOMPUTE;
        present.iItem = row;
        present.iSubItem = col;
        if (GetItem(&present) && present.iImage != I_IMAGECALLBACK) SetCellImageIndex(row, col, item.iImage);
      }
    }
  } else if (CColumnTrait* trait = GetColumnTraitAt(col)) {
    trait->OnEditorClosed();  // the row has gone; the trait still hears that its editor closed
  }
  if (editor && GetFocus() == editor) SetFocus();
  openEditor = nullptr;
  return FALSE;
}

LRESULT CListGridCtrl::SendEndLabelEdit(CListCtrl& list, int row, int col, NMLVDISPINFO& info) {
  info.hdr.hwndFrom = list.GetSafeHwnd();
  info.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
  info.hdr.code = LVN_ENDLABELEDITW;
  info.item.iItem = row;
  info.item.iSubItem = col;
  CWnd* parent = list.GetParent();
  if (!parent) return 0;
  return parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

// ---- keyboard -------------------------------------------------------------------------------

void CListGridCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  DWORD exStyle = GetExtendedStyle();
  switch (key) {
    case VK_SPACE:
      if (ctrl) break;
      if ((exStyle & LVS_EX_CHECKBOXES) && IsOwnerData()) {
        int row = GetFocusedRow();
        if (row != -1) OnVirtualRowCheckToggled(row, !QueryVirtualRowChecked(row));
      } else if (!(exStyle & LVS_EX_CHECKBOXES)) {
        int row = GetFocusedRow();
        CRect icon;
        if (row != -1 && focusColumn != -1 && GetCellArea(row, focusColumn, LVIR_ICON, icon))
          StartCellEdit(row, focusColumn, icon.TopLeft());
      }
      break;
    case VK_LEFT: StepFocusColumn(false); return;
    case VK_RIGHT: StepFocusColumn(true); return;
    case 'A':
      if (ctrl && !(GetStyle() & LVS_SINGLESEL)) SelectRow(-1, true);
      break;
    case 'C':
      if (ctrl) CopySelectionToClipboard();
      break;
    case VK_ADD:
      if (ctrl) {
        AutoFitColumnWidth(-1, false);
        return;
      }
      break;
    case VK_F2: StartCellEdit(GetFocusedRow(), focusColumn); break;
    default: break;
  }
  CListCtrl::OnKeyDown(key, repeat, flags);
}

// ---- type-ahead -----------------------------------------------------------------------------

void CListGridCtrl::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (focusColumn <= 0) {
    CListCtrl::OnChar(ch, repeat, flags);
    return;
  }
  if (GetKeyState(VK_CONTROL) < 0) {
    typeAheadText.Empty();
    typeAheadRepeat = 0;
    return;
  }
  if (ch < 0x20) {  // control characters are not part of a prefix
    CListCtrl::OnChar(ch, repeat, flags);
    return;
  }
  CTime now = CTime::GetCurrentTime();
  if (now - typeAheadTime >= CTimeSpan(0, 0, 0, 2) && !typeAheadText.IsEmpty()) typeAheadText.Empty();
  if (typeAheadColumn != focusColumn || typeAheadRow != GetFocusedRow()) typeAheadText.Empty();
  if (typeAheadText.IsEmpty()) typeAheadRepeat = 0;
  typeAheadColumn = focusColumn;
  typeAheadTime = now;

  wchar_t typed = static_cast<wchar_t>(ch);
  if (typeAheadText.GetLength() == 1 && typeAheadText[0] == typed) {
    ++typeAheadRepeat;
  } else {
    if (!typeAheadText.IsEmpty())
      for (int i = 0; i < typeAheadRepeat; ++i) typeAheadText += typeAheadText[0];
    typeAheadRepeat = 0;
    typeAheadText += typed;
  }

  int start = GetFocusedRow();
  if (start < 0) start = 0;
  int col = focusColumn >= 0 ? focusColumn : GetFirstShownColumn();
  int row = FindRowByPrefix(col, typeAheadText.GetLength() == 1 ? start + 1 : start, typeAheadText);
  typeAheadRow = row;
  if (row != -1) {
    SelectRow(-1, false);
    SelectRow(row, true);
    SetFocusRow(row);
    EnsureVisible(row, FALSE);
  }
}

int CListGridCtrl::FindRowByPrefix(int col, int startRow, const CString& prefix) {
  int count = GetItemCount();
  startRow = std::clamp(startRow, 0, count);
  int length = prefix.GetLength();
  auto matches = [&](int row) {
    CString text = GetItemText(row, col);
    return text.GetLength() >= length && text.Left(length).CompareNoCase(prefix) == 0;
  };
  for (int row = startRow; row < count; ++row)
    if (matches(row)) return row;
  for (int row = 0; row < startRow; ++row)
    if (matches(row)) return row;
  return -1;
}

BOOL CListGridCtrl::OnFindItem(NMHDR* hdr, LRESULT* result) {
  NMLVFINDITEM* find = reinterpret_cast<NMLVFINDITEM*>(hdr);
  *result = -1;
  if (!(find->lvfi.flags & LVFI_STRING) || !find->lvfi.psz) return FALSE;
  *result = FindRowByPrefix(0, find->iStart - 1, find->lvfi.psz);
  return TRUE;
}

// ---- context menus --------------------------------------------------------------------------

void CListGridCtrl::OnContextMenu(CWnd* wnd, CPoint pt) {
  SetFocus();
  if (pt.x == -1 && pt.y == -1) {
    OnKeyboardContextMenu(wnd, pt);
    return;
  }
  SetFocusColumn(focusColumn, true);
  CPoint client = pt;
  ScreenToClient(&client);
  CHeaderCtrl* header = GetHeaderCtrl();
  if (header && wnd && wnd->GetSafeHwnd() == header->GetSafeHwnd()) {
    HDHITTESTINFO hit{};
    hit.pt = client;
    hit.pt.x += GetScrollPos(SB_HORZ);
    int col = header->HitTest(&hit);
    OnHeaderContextMenu(wnd, pt, col);
    return;
  }
  int row = -1;
  int col = -1;
  UINT flags = CellHitTest(client, row, col);
  if (flags == LVHT_BELOW) return;
  if (row == -1) OnBackgroundContextMenu(wnd, pt);
  else OnCellContextMenu(wnd, pt, row, col);
}

void CListGridCtrl::OnKeyboardContextMenu(CWnd* wnd, CPoint) {
  int row = GetFocusedRow();
  if (row == -1) {
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    OnBackgroundContextMenu(wnd, client.TopLeft());
    return;
  }
  CRect area;
  if (focusColumn == -1) GetItemRect(row, &area, LVIR_BOUNDS);
  else GetCellArea(row, focusColumn, LVIR_BOUNDS, area);
  ClientToScreen(&area);
  CPoint at(area.left + std::min(area.Height() / 2, area.Width() / 2), area.top + area.Height() / 2);
  OnCellContextMenu(wnd, at, row, focusColumn);
}

void CListGridCtrl::OnBackgroundContextMenu(CWnd*, CPoint) {}

void CListGridCtrl::OnCellContextMenu(CWnd*, CPoint, int, int) {}
