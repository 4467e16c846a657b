#include "gridctrl/column_trait_edit.h"

#include "gridctrl/cell_editor_text.h"
#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/trait_visitor.h"

CWnd* CColumnTraitEdit::OpenEditor(CListGridCtrl& owner, int row, int col) {
  CRect area = GetCellEditArea(owner, row, col);
  DWORD style = editStyle;
  int format = HeaderFormatOf(owner, col);
  if (format & HDF_CENTER) style |= ES_CENTER;
  else if (format & HDF_RIGHT) style |= ES_RIGHT;
  CWnd* created = CreateCellEditor(owner, row, col, style, area);
  CEdit* editor = dynamic_cast<CEdit*>(created);
  if (!editor) return created;
  editor->SetFont(owner.GetGridCellFont());

  int left = 4;
  int right = 0;
  if (col == 0 && owner.GetImageList(LVSIL_SMALL)) {
    left = 0;
    right = 0;
  } else if (col == 0 && (owner.GetExtendedStyle() & LVS_EX_CHECKBOXES)) {
    left = 1;
    right = 0;
  } else if (col == 0 && owner.GetFirstShownColumn() != 0) {
    left = 1;
    right = 0;
  } else if (style & ES_CENTER) {
    left = 0;
    right = 0;
  } else if (style & ES_RIGHT) {
    left = 0;
    right = 7;
  }
  editor->SetMargins(left, right);

  if (editLimit != -1) editor->SetLimitText(editLimit);
  editor->SetWindowText(owner.GetItemText(row, col));
  editor->SetSel(0, -1);
  return editor;
}

CWnd* CColumnTraitEdit::CreateCellEditor(CListGridCtrl& owner, int row, int col, DWORD style, const CRect& area) {
  CCellEditorText* editor = new CCellEditorText(row, col);
  if (!editor->Create(style | WS_CHILD, area, &owner, 0)) {
    delete editor;
    return nullptr;
  }
  return editor;
}

void CColumnTraitEdit::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }
