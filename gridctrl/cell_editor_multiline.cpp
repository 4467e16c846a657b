#include "gridctrl/cell_editor_multiline.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CCellEditorMultilineText, CCellEditorText)
ON_CONTROL_REFLECT(EN_CHANGE, &CCellEditorMultilineText::OnMultilineChange)
END_MESSAGE_MAP()

int CCellEditorMultilineText::CountLineBreaks(const CString& text, const CString& separator) {
  if (separator.IsEmpty()) return 0;
  int count = 0;
  for (int at = text.Find(separator); at >= 0; at = text.Find(separator, at + separator.GetLength())) ++count;
  return count;
}

int CCellEditorMultilineText::ShownLineBreaks(const CString& text, int maxLines, int roomLines) {
  unsigned breaks = static_cast<unsigned>(CountLineBreaks(text, L"\n"));
  breaks = std::min(breaks, static_cast<unsigned>(maxLines) - 1u);
  return std::min(static_cast<int>(std::min(breaks, 0x7FFFFFFFu)), std::max(0, roomLines));
}

int CCellEditorMultilineText::HeightFor(const CString& text, int clientHeight) const {
  // As many lines as the client area holds below the cell (none when it holds less than one):
  // a row taller than a line of text (row spacing) leaves the editor no lower than its cell.
  int room = lineHeight > 0 ? (clientHeight - cellHeight) / lineHeight : 0;
  return cellHeight + ShownLineBreaks(text, maxLines, room) * lineHeight;
}

void CCellEditorMultilineText::OnMultilineChange() {
  // A multi-line edit reports no change for the text it opens with: this one is a person's.
  if (initialUpdate && (GetStyle() & ES_MULTILINE)) initialUpdate = false;
  CWnd* grid = GetParent();
  if (static_cast<unsigned>(maxLines) > 1 && (GetStyle() & ES_MULTILINE) && lineHeight >= 1 && cellHeight >= 1 &&
      grid) {
    CRect rect;
    GetWindowRect(&rect);
    CRect client;
    grid->GetClientRect(&client);
    CString text;
    GetWindowText(text);
    int heightWanted = HeightFor(text, client.Height());
    if (heightWanted != rect.Height()) {
      rect.bottom = rect.top + heightWanted;
      grid->ScreenToClient(&rect);
      MoveWindow(&rect, TRUE);
    }
  }
  CCellEditorText::OnEnChange();
}
