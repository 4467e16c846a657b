#include "platform/mfc/menu.h"

#include <map>
#include <memory>
#include <vector>

#include "platform/mfc/wnd.h"

namespace {
struct TempMenus {
  std::map<HMENU, CMenu*> permanent;  // objects that created or attached their menu
  std::map<HMENU, std::unique_ptr<CMenu>> menus;
  ~TempMenus() {
    for (auto& [h, m] : menus) m->Detach();
  }
};
TempMenus& temps() {
  static TempMenus t;
  return t;
}
}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  HMENU menu = Detach();
  auto it = temps().menus.find(menu);
  if (it != temps().menus.end()) {
    it->second->Detach();
    temps().menus.erase(it);
  }
  return ::DestroyMenu(menu);
}
BOOL CMenu::Attach(HMENU menu) {
  if (!menu || m_hMenu) return FALSE;
  m_hMenu = menu;
  temps().permanent[menu] = this;
  return TRUE;
}
HMENU CMenu::Detach() {
  HMENU menu = m_hMenu;
  auto owner = temps().permanent.find(menu);
  if (owner != temps().permanent.end() && owner->second == this) temps().permanent.erase(owner);
  m_hMenu = nullptr;
  return menu;
}
BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) { return ::AppendMenuW(m_hMenu, flags, idOrSubmenu, text); }
BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  return ::InsertMenuW(m_hMenu, position, flags, idOrSubmenu, text);
}
BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  return ::ModifyMenuW(m_hMenu, position, flags, idOrSubmenu, text);
}
BOOL CMenu::DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
BOOL CMenu::RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
  int length = ::GetMenuStringW(m_hMenu, item, nullptr, 0, flags);
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  int copied = ::GetMenuStringW(m_hMenu, item, buffer.data(), length + 1, flags);
  text = CString(buffer.data(), copied);
  return copied;
}
CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
UINT CMenu::CheckMenuItem(UINT item, UINT flags) { return static_cast<UINT>(::CheckMenuItem(m_hMenu, item, flags)); }
UINT CMenu::EnableMenuItem(UINT item, UINT flags) { return static_cast<UINT>(::EnableMenuItem(m_hMenu, item, flags)); }
BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, rect);
}
CMenu* CMenu::FromHandle(HMENU menu) {
  if (!menu) return nullptr;
  auto owner = temps().permanent.find(menu);
  if (owner != temps().permanent.end()) return owner->second;
  auto it = temps().menus.find(menu);
  if (it != temps().menus.end()) return it->second.get();
  auto wrapper = std::make_unique<CMenu>();
  wrapper->m_hMenu = menu;
  CMenu* result = wrapper.get();
  temps().menus[menu] = std::move(wrapper);
  return result;
}
