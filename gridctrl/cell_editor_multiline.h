// The in-place editor of a multi-line edit column: the text editor, grown or shrunk a line
// at a time while the text's line count changes, up to a most number of lines, never lower
// than its cell and never taller than the grid's client area.
#pragma once
#include "gridctrl/cell_editor_text.h"

class CCellEditorMultilineText : public CCellEditorText {
public:
  CCellEditorMultilineText(int row, int col) : CCellEditorText(row, col) {}

  void SetLineHeight(int height) { lineHeight = height; }
  // The height of the cell's edit area: the editor's height with one line, and its least.
  void SetCellHeight(int height) { cellHeight = height; }
  void SetMaxLines(int lines) { maxLines = lines; }

  // The number of times `separator` stands in `text` (0 for an empty separator).
  static int CountLineBreaks(const CString& text, const CString& separator);
  // The line breaks an editor shows for a text: at most max lines - 1 (a negative
  // maximum sets no limit) and no more than `roomLines`.
  static int ShownLineBreaks(const CString& text, int maxLines, int roomLines);
  // The editor's height for a text in a client area of the given height: its cell's height
  // and a line for each line break it shows. The editor opens and grows to it.
  int HeightFor(const CString& text, int clientHeight) const;

protected:
  afx_msg void OnMultilineChange();
  DECLARE_MESSAGE_MAP()

  int lineHeight = 0;
  int cellHeight = 0;
  int maxLines = 0;
};
