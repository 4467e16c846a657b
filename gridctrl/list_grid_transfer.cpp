// The grid's selection as text (clipboard and drag), and OLE drag and drop of its own rows.
#include <cstring>
#include <vector>

#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/ole_drag_drop.h"

namespace {

// What the list's sort callback needs to move the selected rows as one block.
struct MoveContext {
  HWND list;
  int dropRow;
  bool afterFlag;
};

bool isSelected(HWND list, LPARAM row) {
  return (::SendMessage(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

int CALLBACK CompareRowsForMove(LPARAM a, LPARAM b, LPARAM context) {
  const MoveContext* move = reinterpret_cast<const MoveContext*>(context);
  int d = static_cast<int>(a - b);
  bool selectedA = isSelected(move->list, a);
  bool selectedB = isSelected(move->list, b);
  if (selectedA == selectedB) return d;
  int drop = move->dropRow;
  if (!selectedA) {
    if (a == drop) return (move->afterFlag || drop >= b) ? -1 : 1;
    return a < drop ? -1 : 1;
  }
  if (b == drop) return (!move->afterFlag && a >= drop) ? -1 : 1;
  return b > drop ? -1 : 1;
}

// The text as a movable global block of wide characters with its terminator; null on failure.
HGLOBAL makeTextBlock(const CString& text) {
  std::wstring_view units = text.str();
  SIZE_T bytes = (units.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return nullptr;
  void* memory = GlobalLock(block);
  if (!memory) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(memory, text.GetString(), bytes);
  GlobalUnlock(block);
  return block;
}

}  // namespace

// ---- text -----------------------------------------------------------------------------------

bool CListGridCtrl::GetCellCopyText(int row, int col, CString& text) {
  text = row == -1 ? GetColumnHeading(col) : GetItemText(row, col);
  return true;
}

bool CListGridCtrl::GetRowCopyText(int row, CString& text) {
  // One cell per shown column, separated by position so every cell stays under its heading.
  int count = GetHeaderColumnCount();
  std::vector<int> order(static_cast<size_t>(count > 0 ? count : 0));
  if (count > 0 && !GetColumnOrderArray(order.data(), count)) return false;
  bool first = true;
  for (int col : order) {
    if (!IsColumnShown(col)) continue;
    CString cell;
    GetCellCopyText(row, col, cell);
    if (!first) text += L'\t';
    text += cell;
    first = false;
  }
  return true;
}

bool CListGridCtrl::GetSelectionCopyText(CString& text, bool withHeading) {
  int selected = static_cast<int>(GetSelectedCount());
  if (selected == 1 && focusColumn != -1) {
    // The one selected row, wherever the selection mark stands.
    return GetCellCopyText(GetNextItem(-1, LVNI_SELECTED), focusColumn, text);
  }
  if (selected == 0) return false;
  int lines = 0;
  if (withHeading) {
    GetRowCopyText(-1, text);
    ++lines;
  }
  for (int row = GetNextItem(-1, LVNI_SELECTED); row != -1; row = GetNextItem(row, LVNI_SELECTED)) {
    CString line;
    if (!GetRowCopyText(row, line)) continue;
    if (lines > 0) text += L"\r\n";
    text += line;
    ++lines;
  }
  return true;
}

bool CListGridCtrl::GetDragText(CString& text) { return GetSelectionCopyText(text, false); }

void CListGridCtrl::CopySelectionToClipboard() {
  CString text;
  if (!GetSelectionCopyText(text, true)) return;  // nothing selected: the clipboard keeps its text
  HGLOBAL block = makeTextBlock(text);
  if (!block) return;
  if (!::OpenClipboard(GetSafeHwnd())) {
    GlobalFree(block);
    return;
  }
  if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, block)) {
    CloseClipboard();
    GlobalFree(block);
    return;
  }
  CloseClipboard();
}

// ---- dragging -------------------------------------------------------------------------------

bool CListGridCtrl::EnableDropTarget() {
  if (!dropTarget) dropTarget = std::make_unique<COleDropTargetWnd<CListGridCtrl>>();
  return dropTarget->Register(this);
}

BOOL CListGridCtrl::OnBeginDrag(NMHDR*, LRESULT*) {
  SetFocusColumn(focusColumn, true);
  int focused = GetFocusedRow();
  focusColumn = -1;
  DROPEFFECT result;
  {
    COleDataSourceWnd<CListGridCtrl> source(dropTarget.get());
    COleDropSourceWnd<CListGridCtrl> dropSource(this);
    result = PrepareDragData(source, dropSource, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, nullptr);
  }
  SetDropHighlightRow(-1);
  if (result == DROPEFFECT_NONE && focused != -1) SetFocusRow(focused);
  return FALSE;
}

DROPEFFECT CListGridCtrl::PrepareDragData(COleDataSource& source, COleDropSource& dropSource, DROPEFFECT allowed,
                                          const RECT* startRect) {
  if (GetSelectedCount() == 0) return DROPEFFECT_NONE;
  CString text;
  if (!GetDragText(text)) return DROPEFFECT_NONE;
  HGLOBAL block = makeTextBlock(text);
  if (!block) return DROPEFFECT_NONE;
  source.CacheGlobalData(CF_UNICODETEXT, block);
  return source.DoDragDrop(allowed, startRect, &dropSource);
}

DROPEFFECT CListGridCtrl::HandleDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_MOVE; }

DROPEFFECT CListGridCtrl::HandleDragOver(COleDataObject*, DWORD, CPoint) {
  CPoint pt = CursorClientPoint();
  int row = -1;
  int col = -1;
  CellHitTest(pt, row, col);
  if (GetItemCount() > 0) {
    CRect first;
    GetCellArea(0, 0, LVIR_BOUNDS, first);
    int rowHeight = first.Height();
    CRect client;
    GetClientRect(&client);
    CRect headerRect(0, 0, 0, 0);
    if (CHeaderCtrl* header = GetHeaderCtrl()) header->GetWindowRect(&headerRect);
    int limit = client.top + headerRect.Height() + rowHeight;
    if (pt.y >= limit && pt.y > client.bottom - rowHeight) {
      Sleep(100);
      int before = GetScrollPos(SB_VERT);
      Scroll(CSize(0, rowHeight));
      if (GetScrollPos(SB_VERT) != before) {
        UpdateWindow();
        return DROPEFFECT_SCROLL;
      }
    } else if (pt.y < limit) {
      int low = 0;
      int high = 0;
      GetScrollRange(SB_VERT, &low, &high);
      if (GetScrollPos(SB_VERT) > low) {
        Sleep(100);
        Scroll(CSize(0, -rowHeight));
        UpdateWindow();
        return DROPEFFECT_SCROLL;
      }
    }
  }
  SetDropHighlightRow(row);
  return DROPEFFECT_MOVE;
}

SCODE CListGridCtrl::HandleGiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }

void CListGridCtrl::HandleDragLeave() {}

bool CListGridCtrl::HandleDrop(COleDataObject* data, DROPEFFECT effect, CPoint pt) {
  if (dropTarget && dropTarget->IsInternalDrag()) return HandleInternalDrop(data, effect, pt);
  return HandleExternalDrop(data, effect, pt);
}

bool CListGridCtrl::HandleInternalDrop(COleDataObject*, DROPEFFECT, CPoint pt) {
  int row = -1;
  int col = -1;
  CellHitTest(pt, row, col);
  SetDropHighlightRow(-1);  // the marks go before the rows move
  if (MoveSelectedRowsTo(row)) {
    // Below the last row the moved block ends the list: its first row takes the focus.
    int focusRow = row != -1 ? row : GetNextItem(-1, LVNI_SELECTED);
    if (focusRow != -1) {
      EnsureVisible(focusRow, FALSE);
      SetFocusRow(focusRow);
    }
  }
  return true;
}

bool CListGridCtrl::HandleExternalDrop(COleDataObject*, DROPEFFECT, CPoint) { return false; }

void CListGridCtrl::SetDropHighlightRow(int row) {
  if (explorerThemed) {
    SetHotItem(row);
    return;
  }
  DWORD exStyle = GetExtendedStyle();
  if (row == -1) {
    // Only the marked row loses its marks: a focus that a drop has just set stays.
    for (int marked = GetNextItem(-1, LVNI_DROPHILITED); marked != -1; marked = GetNextItem(marked, LVNI_DROPHILITED))
      SetItemState(marked, 0, LVIS_FOCUSED | LVIS_DROPHILITED);
    SetHotItem(-1);
    SetExtendedStyle(exStyle & ~(LVS_EX_TRACKSELECT | LVS_EX_TWOCLICKACTIVATE));
    return;
  }
  SetItemState(-1, 0, LVIS_FOCUSED | LVIS_DROPHILITED);
  SetHotItem(-1);
  if (!(exStyle & (LVS_EX_TRACKSELECT | LVS_EX_TWOCLICKACTIVATE)))
    SetExtendedStyle(exStyle | LVS_EX_TRACKSELECT | LVS_EX_TWOCLICKACTIVATE);
  SetItemState(row, LVIS_FOCUSED | LVIS_DROPHILITED, LVIS_FOCUSED | LVIS_DROPHILITED);
  SetHotItem(row);
}

bool CListGridCtrl::MoveSelectedRowsTo(int row) {
  if (IsOwnerData()) return false;
  int selected = static_cast<int>(GetSelectedCount());
  if (selected == 0) return false;
  int first = GetNextItem(-1, LVNI_SELECTED);
  if (selected == 1 && first == row) return false;
  if (row == -1) row = GetItemCount();
  bool afterFlag = selected > 1 && first < row && row < GetItemCount() && GetNextItem(row, LVNI_SELECTED) != -1;
  CWaitCursor wait;
  MoveContext context{GetSafeHwnd(), row, afterFlag};
  SortItemsEx(CompareRowsForMove, reinterpret_cast<DWORD_PTR>(&context));
  return true;
}
