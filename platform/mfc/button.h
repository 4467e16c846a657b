// CButton: push buttons, check boxes, radio buttons and group boxes (dialog_controls.h
// says how they behave).
#pragma once
#include "platform/mfc/wnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

public:
  BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetCheck() const;
  void SetCheck(int check);
  UINT GetState() const;
  void SetState(BOOL highlight);
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT style, BOOL redraw = TRUE);
  // The image shown; the button does not own it.
  HICON SetIcon(HICON icon);
  HICON GetIcon() const;
  HBITMAP SetBitmap(HBITMAP bitmap);
  HBITMAP GetBitmap() const;
};
