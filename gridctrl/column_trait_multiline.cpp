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
    editor->SetMaxLines(maxLines);
    editor->SetLineHeight(MeasureRowTextHeight(owner));
    editor->SetCellHeight(area.Height());
    CRect client;
    owner.GetClientRect(&client);
    rect.bottom = rect.top + editor->HeightFor(owner.GetItemText(row, col), client.Height());
  }
  if (!editor->Create(style | WS_CHILD, rect, &owner, 0)) {
    delete editor;
    return nullptr;
  }
  return editor;
}

void CColumnTraitMultilineEdit::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }
