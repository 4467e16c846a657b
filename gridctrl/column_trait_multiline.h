// The multi-line edit column: the edit column with a multi-line editor that opens tall
// enough for the cell's lines (up to a most number of lines) and follows the text's lines.
#pragma once
#include "gridctrl/column_trait_edit.h"

class CColumnTraitMultilineEdit : public CColumnTraitEdit {
public:
  CColumnTraitMultilineEdit();
  ~CColumnTraitMultilineEdit() override = default;

  void AcceptVisitor(CTraitVisitor& visitor) override;
  CWnd* CreateCellEditor(CListGridCtrl& owner, int row, int col, DWORD style, const CRect& area) override;

  // The most lines the editor shows: 0 and 1 keep one line, a negative number sets no limit.
  void SetMaxLines(int lines) { maxLines = lines; }
  int GetMaxLines() const { return maxLines; }
  static int CountLineBreaks(const CString& text, const CString& separator);

protected:
  int maxLines = 4;
};
