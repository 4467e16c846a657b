#include "gridctrl/cell_editor_combo_box.h"

#include <algorithm>

// ---- the edit field -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CCellEditorComboBoxEdit, CEdit)
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CCellEditorComboBoxEdit::OnKillFocus(CWnd* newWnd) {
  CEdit::OnKillFocus(newWnd);
  HWND combo = ::GetParent(m_hWnd);
  if (!newWnd || newWnd->GetSafeHwnd() != combo) ::SendMessageW(combo, WM_CHAR, VK_RETURN, 0);
}

// ---- the combo box --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CCellEditorComboBox, CComboBox)
ON_WM_KILLFOCUS()
ON_WM_SETFOCUS()
ON_WM_DESTROY()
ON_WM_CHAR()
ON_CONTROL_REFLECT(CBN_KILLFOCUS, &CCellEditorComboBox::OnComboKillFocus)
ON_CONTROL_REFLECT(CBN_DROPDOWN, &CCellEditorComboBox::OnDropDown)
ON_CONTROL_REFLECT(CBN_SELCHANGE, &CCellEditorComboBox::OnSelectionOrTextChange)
ON_CONTROL_REFLECT(CBN_SELENDOK, &CCellEditorComboBox::OnSelectionOrTextChange)
ON_CONTROL_REFLECT(CBN_EDITCHANGE, &CCellEditorComboBox::OnSelectionOrTextChange)
END_MESSAGE_MAP()

CCellEditorComboBox::CCellEditorComboBox(int row, int col, int maxDropWidth, int maxVisibleItems,
                                         BOOL showDropDownOnFocus)
    : row(row), col(col), maxDropWidth(maxDropWidth), maxVisibleItems(maxVisibleItems),
      showDropDownOnFocus(showDropDownOnFocus) {}

BOOL CCellEditorComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!CComboBox::Create(style, rect, parent, id)) return FALSE;
  if ((style & 3) != CBS_DROPDOWN) return TRUE;
  // Only an edit field is subclassed: a combo box without one keeps its children as they are.
  HWND field = ::GetWindow(m_hWnd, GW_CHILD);
  wchar_t className[16] = {0};
  if (field && ::GetClassNameW(field, className, 16) && std::wstring(className) == WC_EDITW)
    editField.SubclassWindow(field);
  return TRUE;
}

HWND CCellEditorComboBox::EditFieldHandle() const { return ::GetWindow(m_hWnd, GW_CHILD); }

void CCellEditorComboBox::EndEdit(bool accept) {
  if (completed) return;
  completed = true;
  CString text;
  GetWindowText(text);
  NMLVDISPINFO info{};
  if (accept && modified) {
    SetRecordText(info, text);
    // The item's data goes with the text only when the text is the selected item's.
    int selected = GetCurSel();
    CString selectedText;
    if (selected != CB_ERR) GetLBText(selected, selectedText);
    if (selected != CB_ERR && selectedText == text) {
      info.item.mask |= LVIF_PARAM;
      info.item.lParam = static_cast<LPARAM>(GetItemData(selected));
    }
  }
  CWnd* grid = GetParent();
  HWND field = EditFieldHandle();
  if (grid && field && ::GetFocus() == field) grid->SetFocus();
  ReportEnd(*this, row, col, info);
}

BOOL CCellEditorComboBox::PreTranslateMessage(MSG* msg) {
  BOOL consumed = FALSE;
  if (EndEditOnKey(msg, /*enterEnds=*/true, /*wheelEnds=*/false, consumed)) return consumed;
  if (msg->message == WM_CHAR) modified = true;
  return CComboBox::PreTranslateMessage(msg);
}

void CCellEditorComboBox::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (ch == VK_RETURN) {
    EndEdit(true);
    return;
  }
  modified = true;
  CComboBox::OnChar(ch, repeat, flags);
}

void CCellEditorComboBox::OnKillFocus(CWnd* newWnd) {
  CComboBox::OnKillFocus(newWnd);
  HWND next = newWnd ? newWnd->GetSafeHwnd() : nullptr;
  if (next && (next == m_hWnd || next == EditFieldHandle())) return;
  EndEdit(true);
}

void CCellEditorComboBox::OnSetFocus(CWnd* oldWnd) {
  CComboBox::OnSetFocus(oldWnd);
  if (!showDropDownOnFocus) return;
  showDropDownOnFocus = FALSE;
  ShowDropDown(TRUE);
}

void CCellEditorComboBox::OnDestroy() {
  if (!completed) EndEdit(false);
  if (editField.GetSafeHwnd()) editField.UnsubclassWindow();
  CComboBox::OnDestroy();
}

void CCellEditorComboBox::OnComboKillFocus() {}

void CCellEditorComboBox::OnSelectionOrTextChange() { modified = true; }

void CCellEditorComboBox::OnDropDown() {
  int fieldHeight = GetItemHeight(-1);
  int count = GetCount();
  int itemHeight = GetItemHeight(0);
  int listHeight = itemHeight * std::min(maxVisibleItems, count) + 2 * GetSystemMetrics(SM_CYEDGE);
  CRect client;
  GetClientRect(&client);
  SetWindowPos(nullptr, 0, 0, client.Width(), client.Height() + listHeight, SWP_NOMOVE | SWP_NOZORDER);
  SetDroppedWidth(static_cast<UINT>(DropWidthForItems(listHeight)));
  if (fieldHeight >= 0) SetItemHeight(-1, static_cast<UINT>(fieldHeight));
}

int CCellEditorComboBox::DropWidthForItems(int listHeight) {
  CClientDC dc(this);
  CFont* font = GetFont();
  CFont* previous = font ? dc.SelectObject(font) : nullptr;
  int count = GetCount();
  int width = 0;
  for (int i = 0; i < count; ++i) {
    CString text;
    GetLBText(i, text);
    int textWidth = dc.GetTextExtent(text).cx;
    if (textWidth > maxDropWidth) {
      width = maxDropWidth;
      break;
    }
    width = std::max(width, textWidth);
  }
  if (listHeight <= GetItemHeight(0) * count) width += GetSystemMetrics(SM_CXVSCROLL);  // a scroll bar shows
  width += dc.GetTextExtent(CString(L"0")).cx;
  if (previous) dc.SelectObject(previous);
  return width;
}

void CCellEditorComboBox::PostNcDestroy() {
  CComboBox::PostNcDestroy();
  delete this;
}
