#include "gridctrl/column_trait_multiline.h"

#include "gridctrl/cell_editor_multiline.h"
#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/trait_visitor.h"

CColumnTraitMultilineEdit::CColumnTraitMultilineEdit() { editStyle |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN; }

int CColumnTraitMultilineEdit::CountLineBreaks(const CString& text, const CString& separator) {
  return CCellEditorMultilineText::CountLineBreaks(text, separator);
}

CWnd* CColumnTraitMultilineEdit::CreateCellEditor(CListGridCtrl& owner, int row, int col, DWORD style,
                                                  const CRect& area) {
  auto* editor = new CCellEditorMultilineText(row, col);
  CRect rect = area;
  if (static_cast<unsigned>(maxLines) > 1 && (editStyle & ES_MULTILINE)) {
    int lineHeight = MeasureRowTextHeight(owner);
    CRect client;
    owner.GetClientRect(&client);
    int room = lineHeight > 0 ? (client.Height() - rect.Height()) / lineHeight : 0;
    int breaks = CCellEditorMultilineText::ShownLineBreaks(owner.GetItemText(row, col), maxLines, room);
    if (breaks > 0) rect.bottom += lineHeight * breaks;
    editor->SetMaxLines(maxLines);
    editor->SetLineHeight(lineHeight);
    editor->SetCellHeight(area.Height());
  }
  if (!editor->Create(style | WS_CHILD, rect, &owner, 0)) {
    delete editor;
    return nullptr;
  }
  return editor;
}

void CColumnTraitMultilineEdit::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }
