#include "gridctrl/cell_editor.h"

#include "gridctrl/list_grid_ctrl.h"

void CCellEditor::SetRecordText(NMLVDISPINFO& info, const CString& text) {
  info.item.mask |= LVIF_TEXT;
  info.item.pszText = const_cast<wchar_t*>(text.GetString());
  info.item.cchTextMax = text.GetLength();
}

void CCellEditor::ReportEnd(CWnd& editor, int row, int col, NMLVDISPINFO& info) {
  editor.ShowWindow(SW_HIDE);
  if (CListCtrl* grid = dynamic_cast<CListCtrl*>(editor.GetParent()))
    CListGridCtrl::SendEndLabelEdit(*grid, row, col, info);
  editor.PostMessage(WM_CLOSE);
}

bool CCellEditor::EndEditOnKey(const MSG* msg, bool enterEnds, bool wheelEnds, BOOL& consumed) {
  if (msg->message == WM_MOUSEWHEEL && wheelEnds) {
    EndEdit(true);
    consumed = FALSE;
    return true;
  }
  if (msg->message != WM_KEYDOWN) return false;
  switch (msg->wParam) {
    case VK_TAB:
      EndEdit(true);
      consumed = FALSE;
      return true;
    case VK_RETURN:
      if (!enterEnds) return false;
      EndEdit(true);
      consumed = TRUE;
      return true;
    case VK_ESCAPE:
      EndEdit(false);
      consumed = TRUE;
      return true;
    default: return false;
  }
}
