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

// The item an MF_BYPOSITION or MF_BYCOMMAND reference names (searching submenus by command).
MenuItem* Locate(HMENU menu, UINT item, UINT flags, Menu** owner = nullptr, size_t* index = nullptr) {
  Menu* m = M(menu);
  if (!m) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (item >= m->items.size()) return nullptr;
    if (owner) *owner = m;
    if (index) *index = item;
    return &m->items[item];
  }
  for (size_t i = 0; i < m->items.size(); ++i) {
    MenuItem& it = m->items[i];
    if (!(it.flags & MF_POPUP) && !(it.flags & MF_SEPARATOR) && it.id == item) {
      if (owner) *owner = m;
      if (index) *index = i;
      return &it;
    }
    if (it.flags & MF_POPUP)
      if (MenuItem* found = Locate(it.submenu, item, flags, owner, index)) return found;
  }
  return nullptr;
}

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

const MenuItemSnapshot* FindIn(const std::vector<MenuItemSnapshot>& items, bool byId, UINT id, const std::wstring& text) {
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
HMENU CreateMenu() { return CreatePopupMenu(); }

BOOL DestroyMenu(HMENU menu) {
  std::unique_ptr<Menu> m = menus().Remove(menu);
  if (!m) return FALSE;
  for (MenuItem& it : m->items)
    if (it.flags & MF_POPUP) DestroyMenu(it.submenu);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return M(menu) ? TRUE : FALSE; }

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  Menu* m = M(menu);
  if (!m || ((flags & MF_POPUP) && !M(reinterpret_cast<HMENU>(idOrSubmenu)))) return FALSE;
  m->items.push_back(MakeItem(flags, idOrSubmenu, text));
  return TRUE;
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  Menu* m = M(menu);
  if (!m || ((flags & MF_POPUP) && !M(reinterpret_cast<HMENU>(idOrSubmenu)))) return FALSE;
  size_t at = m->items.size();
  if (flags & MF_BYPOSITION) {
    at = std::min<size_t>(position, m->items.size());
  } else {
    Menu* owner = nullptr;
    size_t index = 0;
    if (position != static_cast<UINT>(-1) && Locate(menu, position, MF_BYCOMMAND, &owner, &index)) {
      owner->items.insert(owner->items.begin() + static_cast<long>(index), MakeItem(flags, idOrSubmenu, text));
      return TRUE;
    }
  }
  m->items.insert(m->items.begin() + static_cast<long>(at), MakeItem(flags, idOrSubmenu, text));
  return TRUE;
}

BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  MenuItem* it = Locate(menu, position, flags);
  if (!it) return FALSE;
  *it = MakeItem(flags, idOrSubmenu, text);
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  Menu* owner = nullptr;
  size_t index = 0;
  if (!Locate(menu, position, flags, &owner, &index)) return FALSE;
  owner->items.erase(owner->items.begin() + static_cast<long>(index));
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  Menu* owner = nullptr;
  size_t index = 0;
  MenuItem* it = Locate(menu, position, flags, &owner, &index);
  if (!it) return FALSE;
  if (it->flags & MF_POPUP) DestroyMenu(it->submenu);
  owner->items.erase(owner->items.begin() + static_cast<long>(index));
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  Menu* m = M(menu);
  return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  Menu* m = M(menu);
  if (!m || position < 0 || position >= static_cast<int>(m->items.size())) return static_cast<UINT>(-1);
  const MenuItem& it = m->items[static_cast<size_t>(position)];
  return (it.flags & MF_POPUP) ? static_cast<UINT>(-1) : it.id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  Menu* m = M(menu);
  if (!m || position < 0 || position >= static_cast<int>(m->items.size())) return nullptr;
  return m->items[static_cast<size_t>(position)].submenu;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  MenuItem* it = Locate(menu, item, flags);
  return it ? it->flags : static_cast<UINT>(-1);
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int bufferMax, UINT flags) {
  MenuItem* it = Locate(menu, item, flags);
  if (!it) return 0;
  if (!buffer || bufferMax <= 0) return static_cast<int>(it->text.size());
  int n = std::min<int>(static_cast<int>(it->text.size()), bufferMax - 1);
  std::wmemcpy(buffer, it->text.c_str(), static_cast<size_t>(n));
  buffer[n] = 0;
  return n;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  MenuItem* it = Locate(menu, item, flags);
  if (!it) return static_cast<DWORD>(-1);
  DWORD old = it->flags & MF_CHECKED;
  it->flags = (it->flags & ~static_cast<UINT>(MF_CHECKED)) | (flags & MF_CHECKED);
  return old;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  MenuItem* it = Locate(menu, item, flags);
  if (!it) return -1;
  BOOL old = static_cast<BOOL>(it->flags & (MF_GRAYED | MF_DISABLED));
  it->flags = (it->flags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return old;
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

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, void*) {
  return TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
}

const MenuItemSnapshot* MenuSnapshot::FindById(UINT id) const { return FindIn(items, true, id, L""); }
const MenuItemSnapshot* MenuSnapshot::FindByText(const std::wstring& text) const { return FindIn(items, false, 0, text); }

MenuSnapshot StandIn::SnapshotMenu(HMENU menu) {
  MenuSnapshot s;
  if (Menu* m = M(menu))
    for (const MenuItem& it : m->items) s.items.push_back(Snap(it));
  return s;
}

const std::vector<MenuSnapshot>& StandIn::TrackedMenus() { return tracked(); }
void StandIn::ClearTrackedMenus() { tracked().clear(); }
int StandIn::LiveMenuCount() { return menus().Size(); }
