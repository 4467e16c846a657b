// CButton: push buttons, check boxes, radio buttons and group boxes (dialog_controls.h
// says how they behave).
#pragma once
#include "platform/mfc/wnd.h"

class CButton : public CWnd {
public:
  int GetCheck() const;
  void SetCheck(int check);
  // The image shown; the button does not own it.
  HICON SetIcon(HICON icon);
  HICON GetIcon() const;
};
