// Popup menus that record their items. TrackPopupMenu asks the input driver which command
// a person picks; with TPM_RETURNCMD the command is the answer, otherwise it is posted to
// the owner as WM_COMMAND.
#pragma once
#include <string>
#include <vector>

#include "platform/win/window_types.h"

#define MF_STRING 0x00000000
#define MF_GRAYED 0x00000001
#define MF_DISABLED 0x00000002
#define MF_CHECKED 0x00000008
#define MF_POPUP 0x00000010
#define MF_BYPOSITION 0x00000400
#define MF_SEPARATOR 0x00000800

#define TPM_RETURNCMD 0x0100

HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);  // destroys its submenus too
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text);
int GetMenuItemCount(HMENU menu);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
#define AppendMenu AppendMenuW

namespace StandIn {
// A copy of a menu as a person would see it when it opens.
struct MenuItemSnapshot {
  UINT flags = 0;  // MF_ flags: separator, checked, disabled/grayed, popup
  UINT id = 0;
  std::wstring text;
  std::vector<MenuItemSnapshot> submenu;
};
struct MenuSnapshot {
  std::vector<MenuItemSnapshot> items;
  HWND owner = nullptr;
  POINT screenPoint;
  UINT flags = 0;
  // The item with this command id (searching submenus), or null.
  const MenuItemSnapshot* FindById(UINT id) const;
  // The enabled item (or submenu) with this text, searching submenus, or null.
  const MenuItemSnapshot* FindByText(const std::wstring& text) const;
};
MenuSnapshot SnapshotMenu(HMENU menu);
// The menus tracked so far, oldest first (cleared by ClearTrackedMenus).
const std::vector<MenuSnapshot>& TrackedMenus();
void ClearTrackedMenus();
int LiveMenuCount();
}  // namespace StandIn
