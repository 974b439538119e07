#include "platform/ui/Menu.h"

#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/res/ResourceLookup.h"
#include "platform/ui/MenuTemplate.h"

namespace {

// The flags an item keeps; the others (MF_BYPOSITION, ...) only steer the call.
constexpr UINT kItemFlags = MF_GRAYED | MF_DISABLED | MF_BITMAP | MF_CHECKED | MF_POPUP | MF_MENUBARBREAK |
                            MF_MENUBREAK | MF_OWNERDRAW | MF_USECHECKBITMAPS | MF_SEPARATOR | MF_DEFAULT;

struct MenuItem {
  UINT flags = 0;
  UINT_PTR id = 0;
  CString text;
  ULONG_PTR data = 0;
  HMENU popup = nullptr;
};

}  // namespace

struct MenuData {
  bool isPopup = false;
  std::vector<MenuItem> items;
  CMenu* permanent = nullptr;
  std::unique_ptr<CMenu> temporary;
};

namespace {

std::unordered_set<HMENU>& LiveMenus() {
  static std::unordered_set<HMENU> menus;
  return menus;
}

HMENU NewMenu(bool popup) {
  HMENU menu = new MenuData;
  menu->isPopup = popup;
  LiveMenus().insert(menu);
  return menu;
}

struct ItemRef {
  HMENU menu = nullptr;
  std::size_t index = 0;
  MenuItem* operator->() const { return &menu->items[index]; }
  explicit operator bool() const { return menu != nullptr; }
};

// By command: the first item with the id, searching each popup where it is met.
ItemRef FindById(HMENU menu, UINT id) {
  for (std::size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    if (item.popup && IsMenu(item.popup)) {
      if (ItemRef found = FindById(item.popup, id)) return found;
    } else if (item.id == id) {
      return {menu, i};
    }
  }
  return {};
}

ItemRef FindItem(HMENU menu, UINT item, UINT flags) {
  if (!IsMenu(menu)) return {};
  if (flags & MF_BYPOSITION) return item < menu->items.size() ? ItemRef{menu, item} : ItemRef{};
  return FindById(menu, item);
}

MenuItem MakeItem(UINT flags, UINT_PTR id, LPCWSTR item) {
  MenuItem made;
  made.flags = flags & kItemFlags;
  if (flags & MF_POPUP) {
    made.popup = reinterpret_cast<HMENU>(id);
    made.id = id;
  } else {
    made.id = (flags & MF_SEPARATOR) ? 0 : id;
  }
  if (flags & MF_OWNERDRAW)
    made.data = reinterpret_cast<ULONG_PTR>(item);
  else if (!(flags & MF_SEPARATOR) && item)
    made.text = item;
  return made;
}

bool IsValidPopupArgument(UINT flags, UINT_PTR id) {
  return !(flags & MF_POPUP) || IsMenu(reinterpret_cast<HMENU>(id));
}

}  // namespace

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL IsMenu(HMENU menu) { return menu && LiveMenus().count(menu) != 0; }

BOOL DestroyMenu(HMENU menu) {
  if (!IsMenu(menu)) return FALSE;
  LiveMenus().erase(menu);
  for (MenuItem& item : menu->items)
    if (item.popup) DestroyMenu(item.popup);
  if (menu->permanent) menu->permanent->m_hMenu = nullptr;
  if (menu->temporary) menu->temporary->m_hMenu = nullptr;
  delete menu;
  return TRUE;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR item) {
  if (!IsMenu(menu) || !IsValidPopupArgument(flags, id)) return FALSE;
  menu->items.push_back(MakeItem(flags, id, item));
  return TRUE;
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR item) {
  if (!IsMenu(menu) || !IsValidPopupArgument(flags, id)) return FALSE;
  if (!(flags & MF_BYPOSITION)) {
    ItemRef at = FindById(menu, position);
    if (!at) return FALSE;
    at.menu->items.insert(at.menu->items.begin() + std::ptrdiff_t(at.index), MakeItem(flags, id, item));
    return TRUE;
  }
  std::size_t index = std::min<std::size_t>(position, menu->items.size());
  menu->items.insert(menu->items.begin() + std::ptrdiff_t(index), MakeItem(flags, id, item));
  return TRUE;
}

BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR item) {
  ItemRef at = FindItem(menu, position, flags);
  if (!at || !IsValidPopupArgument(flags, id)) return FALSE;
  MenuItem made = MakeItem(flags, id, item);
  // A popup that the item no longer opens is destroyed, as on the platform.
  if (at->popup && at->popup != made.popup) DestroyMenu(at->popup);
  *at.operator->() = std::move(made);
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  ItemRef at = FindItem(menu, position, flags);
  if (!at) return FALSE;
  at.menu->items.erase(at.menu->items.begin() + std::ptrdiff_t(at.index));
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  ItemRef at = FindItem(menu, position, flags);
  if (!at) return FALSE;
  HMENU popup = at->popup;
  at.menu->items.erase(at.menu->items.begin() + std::ptrdiff_t(at.index));
  if (popup) DestroyMenu(popup);
  return TRUE;
}

int GetMenuItemCount(HMENU menu) { return IsMenu(menu) ? int(menu->items.size()) : -1; }

UINT GetMenuItemID(HMENU menu, int position) {
  if (!IsMenu(menu) || position < 0 || std::size_t(position) >= menu->items.size()) return 0xFFFFFFFF;
  const MenuItem& item = menu->items[std::size_t(position)];
  return item.popup ? 0xFFFFFFFF : UINT(item.id);
}

HMENU GetSubMenu(HMENU menu, int position) {
  if (!IsMenu(menu) || position < 0 || std::size_t(position) >= menu->items.size()) return nullptr;
  HMENU popup = menu->items[std::size_t(position)].popup;
  return IsMenu(popup) ? popup : nullptr;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  ItemRef at = FindItem(menu, item, flags);
  if (!at) return MENU_ITEM_NOT_FOUND;
  if (at->popup && IsMenu(at->popup)) return (UINT(at->popup->items.size()) << 8) | (at->flags & 0xFF);
  return at->flags;
}

int GetMenuStringW(HMENU menu, UINT item, CString& text, UINT flags) {
  text.Empty();
  ItemRef at = FindItem(menu, item, flags);
  if (!at || (at->flags & MF_OWNERDRAW)) return 0;
  text = at->text;
  return text.GetLength();
}

ULONG_PTR GetMenuItemData(HMENU menu, UINT item, UINT flags) {
  ItemRef at = FindItem(menu, item, flags);
  return at && (at->flags & MF_OWNERDRAW) ? at->data : 0;
}

UINT CheckMenuItem(HMENU menu, UINT item, UINT check) {
  ItemRef at = FindItem(menu, item, check);
  if (!at) return 0xFFFFFFFF;
  UINT previous = at->flags & MF_CHECKED;
  at->flags = (at->flags & ~MF_CHECKED) | (check & MF_CHECKED);
  return previous;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  ItemRef at = FindItem(menu, item, enable);
  if (!at) return 0xFFFFFFFF;
  UINT previous = at->flags & (MF_GRAYED | MF_DISABLED);
  at->flags = (at->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return previous;
}

namespace {

// Appends the items of one level (the reader stands at its first item); a popup's items
// follow the popup's own entry.
void BuildLevel(CMenuTemplateReader& reader, HMENU menu) {
  SMenuTemplateItem item;
  while (reader.ReadItem(item)) {
    UINT flags = item.option & ~MF_END;
    if (flags & MF_POPUP) {
      HMENU popup = CreatePopupMenu();
      AppendMenuW(menu, flags, reinterpret_cast<UINT_PTR>(popup), item.text);
      BuildLevel(reader, popup);
    } else if (item.id == 0 && item.text.IsEmpty()) {
      AppendMenuW(menu, flags | MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu, flags, item.id, item.text);
    }
    if (item.option & MF_END) return;
  }
}

}  // namespace

HMENU LoadMenuW(HMODULE module, LPCWSTR name) {
  HRSRC resource = FindResourceW(module, name, RT_MENU);
  if (!resource) return nullptr;
  const void* data = LockResource(LoadResource(module, resource));
  std::size_t size = SizeofResource(module, resource);
  if (!IsReadableMenuTemplate(data, size)) return nullptr;
  CMenuTemplateReader reader(data, size);
  HMENU menu = CreateMenu();
  BuildLevel(reader, menu);
  return menu;
}

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(UINT resourceId) {
  HMENU menu = LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(WORD(resourceId)));
  if (!menu && AfxGetResourceHandle()) menu = LoadMenuW(nullptr, MAKEINTRESOURCEW(WORD(resourceId)));
  return Attach(menu);
}

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::Attach(HMENU menu) {
  if (!IsMenu(menu) || m_hMenu || menu->permanent) return FALSE;
  m_hMenu = menu;
  menu->permanent = this;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU menu = m_hMenu;
  if (IsMenu(menu) && menu->permanent == this) menu->permanent = nullptr;
  m_hMenu = nullptr;
  return menu;
}

CMenu* CMenu::FromHandlePermanent(HMENU menu) { return IsMenu(menu) ? menu->permanent : nullptr; }

CMenu* CMenu::FromHandle(HMENU menu) {
  if (!IsMenu(menu)) return nullptr;
  if (menu->permanent) return menu->permanent;
  if (!menu->temporary) {
    menu->temporary = std::make_unique<CMenu>();
    menu->temporary->m_hMenu = menu;
  }
  return menu->temporary.get();
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCTSTR item) {
  return ::AppendMenuW(m_hMenu, flags, id, item);
}
BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, LPCTSTR item) {
  return ::InsertMenuW(m_hMenu, position, flags, id, item);
}
BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR id, LPCTSTR item) {
  return ::ModifyMenuW(m_hMenu, position, flags, id, item);
}
BOOL CMenu::RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
  return ::GetMenuStringW(m_hMenu, item, text, flags);
}
CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
UINT CMenu::CheckMenuItem(UINT item, UINT check) { return ::CheckMenuItem(m_hMenu, item, check); }
UINT CMenu::EnableMenuItem(UINT item, UINT enable) { return ::EnableMenuItem(m_hMenu, item, enable); }

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, rect);
}

// A plain menu object draws nothing itself; classes that own their items override these.
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
