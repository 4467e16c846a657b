#include "gridctrl/cell_editor_text.h"

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
  if (success && modified) SetRecordText(info, text);
  ReportEnd(*this, row, col, info);
}

void CCellEditorText::OnKillFocus(CWnd* newWnd) {
  CEdit::OnKillFocus(newWnd);
  EndEdit(true);
}

BOOL CCellEditorText::PreTranslateMessage(MSG* msg) {
  BOOL consumed = FALSE;
  if (EndEditOnKey(msg, /*enterEnds=*/!(GetStyle() & ES_WANTRETURN), /*wheelEnds=*/true, consumed)) return consumed;
  return CEdit::PreTranslateMessage(msg);
}

void CCellEditorText::PostNcDestroy() {
  CEdit::PostNcDestroy();
  delete this;
}
