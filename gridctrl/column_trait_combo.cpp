#include "gridctrl/column_trait_combo.h"

#include <algorithm>

#include "gridctrl/cell_editor_combo_box.h"
#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/trait_visitor.h"

CWnd* CColumnTraitCombo::OpenEditor(CListGridCtrl& owner, int row, int col) {
  CRect cell = GetCellEditArea(owner, row, col);
  CCellEditorComboBox* created = CreateCellEditor(owner, row, col, style, cell);
  if (!created) return nullptr;
  editor = created;
  CString text = owner.GetItemText(row, col);
  if (items.GetSize() == 0) {
    editor->SetWindowText(text);
  } else {
    LoadList(items, -1);
    int found = editor->FindStringExact(-1, text);
    if (found != CB_ERR) editor->SetCurSel(found);
    else editor->SetWindowText(text);
  }
  FitSelectionField(*editor, cell);
  return editor;
}

void CColumnTraitCombo::FitSelectionField(CCellEditorComboBox& combo, const CRect& cell) {
  CRect client;
  combo.GetClientRect(&client);
  int field = combo.GetItemHeight(-1);
  if (client.Height() < cell.Height()) {
    combo.SetItemHeight(-1, static_cast<UINT>(field + cell.Height() - client.Height()));
  } else if (client.Height() > cell.Height() + GetSystemMetrics(SM_CXBORDER)) {
    int edge = GetSystemMetrics(SM_CXEDGE);
    int shrink = client.Height() - field - 2 * edge - ((style & 3) == CBS_DROPDOWNLIST ? edge : 0);
    if (shrink > 0) combo.SetItemHeight(-1, static_cast<UINT>(std::max(1, field - shrink)));
  }
}

CCellEditorComboBox* CColumnTraitCombo::CreateCellEditor(CListGridCtrl& owner, int row, int col, DWORD editorStyle,
                                                         const CRect& rect) {
  auto* created = new CCellEditorComboBox(row, col, maxDropWidth, maxVisibleItems, showDropDownOnFocus);
  if (!created->Create(editorStyle | WS_CHILD, rect, &owner, 0)) {
    delete created;
    return nullptr;
  }
  if (HeaderFormatOf(owner, col) & HDF_RIGHT) created->ModifyStyleEx(0, WS_EX_RIGHT);
  created->SetFont(owner.GetGridCellFont());
  created->SetRedraw(TRUE);
  return created;
}

void CColumnTraitCombo::LoadList(const CSimpleMap<DWORD_PTR, CString>& list, int select) {
  if (!editor) return;
  editor->SetRedraw(FALSE);
  editor->InitStorage(list.GetSize(), 32);
  for (int i = 0; i < list.GetSize(); ++i) {
    // The data goes to the index the text got, which a sorted list chooses.
    int at = editor->AddString(list.GetValueAt(i));
    if (at >= 0) editor->SetItemData(at, list.GetKeyAt(i));
  }
  editor->SetRedraw(TRUE);
  editor->Invalidate();
  editor->UpdateWindow();
  if (select != -1) editor->SetCurSel(select);
}

void CColumnTraitCombo::OnEditorClosed() { editor = nullptr; }

int CColumnTraitCombo::CompareTexts(const wchar_t* a, const wchar_t* b, bool ascending) {
  return CColumnTraitText::CompareTexts(a, b, ascending);
}

void CColumnTraitCombo::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }
