// CStatic: static texts and pictures (dialog_controls.h says how they behave).
#pragma once
#include "platform/mfc/wnd.h"

class CStatic : public CWnd {
public:
  HBITMAP GetBitmap() const;
};
