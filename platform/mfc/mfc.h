// The MFC subset of the stand-in platform, all in one include (with the Win32 subset).
//
// State of the window stand-in (kept current):
//   implemented: windows and messages (window_manager.h), message maps and reflection,
//   CWnd, the list view, header, edit and tooltip models and their wrappers, GDI recording,
//   image lists, menus with TrackPopupMenu through the input driver, clipboard and global
//   memory, OLE drag and drop driven by drag steps, CWinApp profile strings in an INI file,
//   system metrics/colours/version and the built-in "comctl32.dll"/"UxTheme.dll",
//   list-view groups, ShellExecuteW recorded instead of run.
//   dialogs: CDialog from templates in the resource chain, nested DoModal loops
//   that ask the input driver for each action, DDX (Control, Text, Check, Radio, CBIndex),
//   dialog keys, CButton (push, check, radio, group box, icon), CStatic (text,
//   bitmap and icon pictures), CComboBox (sorted drop-down lists and drop-down combos with
//   their edit), CDateTimeCtrl and COleDateTime, AfxMessageBox and
//   CWnd::MessageBox, CFileDialog, bitmaps
//   and icons loaded from resources. The host's dialog bases (CVuUiBaseDialog,
//   CVuUiDialog, COvUiDialog with the editor brackets) are platform/host/ui_dialogs.h.
// Tests drive input through platform/win/user_input.h and a StandIn::ScriptedInputDriver;
// the host program through a script (platform/host/script_input.h).
#pragma once
#include "platform/win/win32.h"

#include "platform/mfc/afx_module.h"
#include "platform/mfc/button.h"
#include "platform/mfc/combo_box.h"
#include "platform/mfc/cstring.h"
#include "platform/mfc/data_exchange.h"
#include "platform/mfc/date_time_ctrl.h"
#include "platform/mfc/dialog.h"
#include "platform/mfc/edit.h"
#include "platform/mfc/file_dialog.h"
#include "platform/mfc/gdi_objects.h"
#include "platform/mfc/header_ctrl.h"
#include "platform/mfc/image_list.h"
#include "platform/mfc/list_ctrl.h"
#include "platform/mfc/menu.h"
#include "platform/mfc/message_box.h"
#include "platform/mfc/message_map.h"
#include "platform/mfc/ole_drag_drop.h"
#include "platform/mfc/point_rect.h"
#include "platform/mfc/simple_collections.h"
#include "platform/mfc/static_ctrl.h"
#include "platform/mfc/time_value.h"
#include "platform/mfc/win_app.h"
#include "platform/mfc/wnd.h"
