// What every in-place editor of the grid offers: the grid ends the open editor through it
// when another edit starts, a column is deleted or the grid goes, whatever the editor's kind.
#pragma once
#include "platform/mfc/mfc.h"

class CCellEditor {
public:
  virtual ~CCellEditor() = default;
  // Ends the edit once: reports it to the grid (with the value only when accepted and
  // changed) and closes the editor, which deletes itself when its window is gone.
  virtual void EndEdit(bool accept) = 0;
  // Ends the edit without a report, for an edit the grid's parent refused: the editor's
  // window then goes without a word to the grid.
  void Withdraw() { completed = true; }

protected:
  // The keys and the wheel that end an edit: Tab (and the wheel, when `wheelEnds`) accept
  // and pass the message on; Enter (when `enterEnds`) accepts and Escape cancels, both
  // consumed. False when the message is none of them; else `consumed` says what became of it.
  bool EndEditOnKey(const MSG* msg, bool enterEnds, bool wheelEnds, BOOL& consumed);
  // Puts the text into an end-of-edit record (which points into it).
  static void SetRecordText(NMLVDISPINFO& info, const CString& text);
  // Hides the editor, reports the record for the cell to the grid (the editor's parent)
  // and posts the editor WM_CLOSE.
  static void ReportEnd(CWnd& editor, int row, int col, NMLVDISPINFO& info);

  bool completed = false;  // the edit has ended: reported, or withdrawn unreported
};
