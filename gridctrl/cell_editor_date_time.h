// The in-place date-time picker of a date-time column. It takes typed dates through the
// column's trait, ends once (Enter, Tab, the mouse wheel, focus loss and a calendar closed
// elsewhere accept; Escape cancels), reports the picker's text when the value changed,
// closes itself and deletes itself once its window is gone.
#pragma once
#include "gridctrl/cell_editor.h"
#include "platform/mfc/mfc.h"

class CColumnTraitDateTime;

class CCellEditorDateTimeCtrl : public CDateTimeCtrl, public CCellEditor {
public:
  CCellEditorDateTimeCtrl(int row, int col) : row(row), col(col) {}

  BOOL PreTranslateMessage(MSG* msg) override;
  void EndEdit(bool accept) override;

protected:
  void PostNcDestroy() override;
  afx_msg void OnKillFocus(CWnd* newWnd);
  afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnDateTimeChange(NMHDR* hdr, LRESULT* result);
  afx_msg void OnUserStringW(NMHDR* hdr, LRESULT* result);
  afx_msg void OnUserStringA(NMHDR* hdr, LRESULT* result);
  afx_msg void OnCloseUp(NMHDR* hdr, LRESULT* result);
  DECLARE_MESSAGE_MAP()

  // Reads a typed date into the notification's value and flags; a text that is no date
  // keeps the picker's value and counts as no change.
  void TakeTypedDate(const CString& typed, SYSTEMTIME& time, DWORD& flags);
  // The column's trait, asked when needed (the editor keeps no pointer to it).
  CColumnTraitDateTime* ColumnTrait();

  bool modified = false;
  bool valueChanged = false;  // the picker's value changed (a typed key alone does not count)
  int row;
  int col;
};
