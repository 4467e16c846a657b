// CStatic: static texts and pictures (dialog_controls.h says how they behave).
#pragma once
#include "platform/mfc/wnd.h"

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)

public:
  BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
  // The image shown; an image set here stays the caller's.
  HBITMAP SetBitmap(HBITMAP bitmap);
  HBITMAP GetBitmap() const;
  HICON SetIcon(HICON icon);
  HICON GetIcon() const;
};
