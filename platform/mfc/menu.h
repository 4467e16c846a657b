// CMenu over the recording menus of menus.h.
#pragma once
#include "platform/mfc/cstring.h"
#include "platform/win/menus.h"

class CWnd;

class CMenu {
public:
  CMenu() = default;
  virtual ~CMenu();  // destroys the menu it holds
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  BOOL CreatePopupMenu();
  BOOL DestroyMenu();
  BOOL Attach(HMENU menu);
  HMENU Detach();
  BOOL AppendMenu(UINT flags, UINT_PTR idOrSubmenu = 0, LPCWSTR text = nullptr);
  UINT GetMenuItemCount() const;
  // The input driver picks; with TPM_RETURNCMD the answer is the command id (0 none).
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
};
