// The in-place text editor of an edit column. It ends once (Enter, Tab, focus loss accept;
// Escape cancels), reports the result to the grid as LVN_ENDLABELEDITW, closes itself and
// deletes itself once its window is gone.
#pragma once
#include "gridctrl/cell_editor.h"
#include "platform/mfc/mfc.h"

class CCellEditorText : public CEdit, public CCellEditor {
public:
  CCellEditorText(int row, int col) : row(row), col(col) {}

  BOOL PreTranslateMessage(MSG* msg) override;
  void EndEdit(bool success) override;

protected:
  void PostNcDestroy() override;
  afx_msg void OnKillFocus(CWnd* newWnd);
  afx_msg void OnEnChange();
  DECLARE_MESSAGE_MAP()

  int row;
  int col;
  bool modified = false;
  bool initialUpdate = true;
};
