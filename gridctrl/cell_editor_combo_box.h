// The in-place combo box of a combo column and the edit field it subclasses. The combo box
// lists the column's items, sizes its drop-down list to them, and ends once (Enter, Tab,
// focus loss accept; Escape cancels), reporting the text and, when the text is a listed
// item's, that item's data. It closes itself and deletes itself once its window is gone.
#pragma once
#include "gridctrl/cell_editor.h"
#include "platform/mfc/mfc.h"

// The combo box's edit field: leaving it for a window other than its combo box ends the edit.
class CCellEditorComboBoxEdit : public CEdit {
protected:
  afx_msg void OnKillFocus(CWnd* newWnd);
  DECLARE_MESSAGE_MAP()
};

class CCellEditorComboBox : public CComboBox, public CCellEditor {
public:
  CCellEditorComboBox(int row, int col, int maxDropWidth, int maxVisibleItems, BOOL showDropDownOnFocus);

  // Creates the combo box and, for CBS_DROPDOWN, subclasses its edit field.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  BOOL PreTranslateMessage(MSG* msg) override;
  void EndEdit(bool accept) override;

protected:
  void PostNcDestroy() override;
  afx_msg void OnKillFocus(CWnd* newWnd);
  afx_msg void OnSetFocus(CWnd* oldWnd);
  afx_msg void OnDestroy();
  afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnComboKillFocus();
  afx_msg void OnDropDown();
  afx_msg void OnSelectionOrTextChange();
  DECLARE_MESSAGE_MAP()

  // The width the dropped list needs for the items' texts.
  int DropWidthForItems(int listHeight);
  HWND EditFieldHandle() const;

  CCellEditorComboBoxEdit editField;
  bool modified = false;
  int row;
  int col;
  int maxDropWidth;
  int maxVisibleItems;
  BOOL showDropDownOnFocus;
};
