#include "gridctrl/cell_editor_text.h"

#include "gridctrl/list_grid_ctrl.h"

BEGIN_MESSAGE_MAP(CCellEditorText, CEdit)
  ON_WM_KILLFOCUS()
  ON_CONTROL_REFLECT(EN_CHANGE, &CCellEditorText::OnEnChange)
END_MESSAGE_MAP()

void CCellEditorText::OnEnChange() {
  // The first change is the initial text being set.
  if (initialUpdate) initialUpdate = false;
  else modified = true;
}

void CCellEditorText::EndEdit(bool success) {
  if (completed) return;
  completed = true;
  CString text;
  GetWindowText(text);
  NMLVDISPINFO info{};
  if (success && modified) {
    info.item.mask = LVIF_TEXT;
    info.item.pszText = const_cast<wchar_t*>(text.GetString());
    info.item.cchTextMax = text.GetLength();
  }
  ShowWindow(SW_HIDE);
  if (CListCtrl* grid = dynamic_cast<CListCtrl*>(GetParent()))
    CListGridCtrl::SendEndLabelEdit(*grid, row, col, info);
  PostMessage(WM_CLOSE);
}

void CCellEditorText::OnKillFocus(CWnd* newWnd) {
  CEdit::OnKillFocus(newWnd);
  EndEdit(true);
}

BOOL CCellEditorText::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN) {
    switch (msg->wParam) {
      case VK_TAB:
        EndEdit(true);
        return FALSE;
      case VK_RETURN:
        if (!(GetStyle() & ES_WANTRETURN)) {
          EndEdit(true);
          return TRUE;
        }
        break;
      case VK_ESCAPE:
        EndEdit(false);
        return TRUE;
      default:
        break;
    }
  } else if (msg->message == WM_MOUSEWHEEL) {
    EndEdit(true);
    return FALSE;
  }
  return CEdit::PreTranslateMessage(msg);
}

void CCellEditorText::PostNcDestroy() {
  CEdit::PostNcDestroy();
  delete this;
}
