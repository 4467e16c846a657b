// The MFC subset of the stand-in platform, all in one include (with the Win32 subset).
//
// State of the window stand-in (kept current):
//   declared: everything below.
//   implemented: nothing yet beyond CString, the module state and the value classes
//   (CPoint/CSize/CRect, CSimpleArray/CSimpleMap, CTime/CTimeSpan).
#pragma once
#include "platform/win/win32.h"

#include "platform/mfc/afx_module.h"
#include "platform/mfc/cstring.h"
#include "platform/mfc/edit.h"
#include "platform/mfc/gdi_objects.h"
#include "platform/mfc/header_ctrl.h"
#include "platform/mfc/image_list.h"
#include "platform/mfc/list_ctrl.h"
#include "platform/mfc/menu.h"
#include "platform/mfc/message_map.h"
#include "platform/mfc/ole_drag_drop.h"
#include "platform/mfc/point_rect.h"
#include "platform/mfc/simple_collections.h"
#include "platform/mfc/time_value.h"
#include "platform/mfc/tooltip_ctrl.h"
#include "platform/mfc/win_app.h"
#include "platform/mfc/wnd.h"
