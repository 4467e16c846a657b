#include "platform/win/menus.h"

#include <algorithm>
#include <cwchar>
#include <memory>

#include "platform/win/handle_table.h"
#include "platform/win/input_driver.h"
#include "platform/win/window_manager.h"

using namespace StandIn;

namespace {

struct MenuItem {
  UINT flags = 0;
  UINT id = 0;
  std::wstring text;
  HMENU submenu = nullptr;
};

struct Menu {
  std::vector<MenuItem> items;
};

HandleTable<Menu>& menus() {
  static HandleTable<Menu> table;
  return table;
}

std::vector<MenuSnapshot>& tracked() {
  static std::vector<MenuSnapshot> list;
  return list;
}

Menu* M(HMENU h) { return h ? menus().Find(h) : nullptr; }

MenuItem MakeItem(UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  MenuItem it;
  it.flags = flags & ~static_cast<UINT>(MF_BYPOSITION);
  if (flags & MF_POPUP) it.submenu = reinterpret_cast<HMENU>(idOrSubmenu);
  else it.id = static_cast<UINT>(idOrSubmenu);
  if (text && !(flags & MF_SEPARATOR)) it.text = text;
  return it;
}

MenuItemSnapshot Snap(const MenuItem& it) {
  MenuItemSnapshot s;
  s.flags = it.flags;
  s.id = it.id;
  s.text = it.text;
  if (Menu* sub = M(it.submenu))
    for (const MenuItem& child : sub->items) s.submenu.push_back(Snap(child));
  return s;
}

const MenuItemSnapshot* FindIn(const std::vector<MenuItemSnapshot>& items, bool byId, UINT id,
                               const std::wstring& text) {
  for (const MenuItemSnapshot& it : items) {
    if (it.flags & MF_POPUP) {
      if (!byId && it.text == text && !(it.flags & (MF_GRAYED | MF_DISABLED))) return &it;
      if (const MenuItemSnapshot* found = FindIn(it.submenu, byId, id, text)) return found;
      continue;
    }
    if (it.flags & MF_SEPARATOR) continue;
    if (byId ? it.id == id : (it.text == text && !(it.flags & (MF_GRAYED | MF_DISABLED)))) return &it;
  }
  return nullptr;
}

}  // namespace

HMENU CreatePopupMenu() { return menus().Add<HMENU>(std::make_unique<Menu>(), HandleKind::Menu); }

BOOL DestroyMenu(HMENU menu) {
  std::unique_ptr<Menu> m = menus().Remove(menu);
  if (!m) return FALSE;
  for (MenuItem& it : m->items)
    if (it.flags & MF_POPUP) DestroyMenu(it.submenu);
  return TRUE;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  Menu* m = M(menu);
  if (!m || ((flags & MF_POPUP) && !M(reinterpret_cast<HMENU>(idOrSubmenu)))) return FALSE;
  m->items.push_back(MakeItem(flags, idOrSubmenu, text));
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  Menu* m = M(menu);
  return m ? static_cast<int>(m->items.size()) : -1;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  if (!M(menu)) return FALSE;
  MenuSnapshot snapshot = SnapshotMenu(menu);
  snapshot.owner = owner;
  snapshot.screenPoint = POINT{x, y};
  snapshot.flags = flags;
  tracked().push_back(snapshot);
  UINT chosen = CurrentInputDriver().ChooseMenuCommand(snapshot);
  if (chosen) {
    const MenuItemSnapshot* item = snapshot.FindById(chosen);
    if (!item || (item->flags & (MF_GRAYED | MF_DISABLED)))
      throw InputScriptError("the menu has no enabled item with command id " + std::to_string(chosen) + " (owner " +
                             DescribeWindow(owner) + ")");
  }
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
  if (chosen && owner) PostMessageW(owner, WM_COMMAND, chosen, 0);
  return chosen ? TRUE : FALSE;
}

const MenuItemSnapshot* MenuSnapshot::FindById(UINT id) const { return FindIn(items, true, id, L""); }
const MenuItemSnapshot* MenuSnapshot::FindByText(const std::wstring& text) const {
  return FindIn(items, false, 0, text);
}

MenuSnapshot StandIn::SnapshotMenu(HMENU menu) {
  MenuSnapshot s;
  if (Menu* m = M(menu))
    for (const MenuItem& it : m->items) s.items.push_back(Snap(it));
  return s;
}

const std::vector<MenuSnapshot>& StandIn::TrackedMenus() { return tracked(); }
void StandIn::ClearTrackedMenus() { tracked().clear(); }
int StandIn::LiveMenuCount() { return menus().Size(); }
