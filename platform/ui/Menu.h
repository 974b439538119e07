#pragma once
// Menus: menu bars and popup menus reached through handles, as on the platform, and CMenu,
// the object wrapper of a handle. Items are found by command id (MF_BYCOMMAND, searching
// popups too) or by position (MF_BYPOSITION). An owner-drawn item (MF_OWNERDRAW) carries item
// data instead of a text; when a popup shows it, the owner window is asked to measure and draw
// it (WM_MEASUREITEM, WM_DRAWITEM with ODT_MENU), which by default the menu object answers
// (CMenu::MeasureItem, CMenu::DrawItem).
//
// Menus live on the user-interface thread.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/Geometry.h"
#include "platform/res/ResourceModule.h"
#include "platform/ui/OwnerDraw.h"
#include "platform/ui/WinUser.h"

class CWnd;
struct MenuData;
using HMENU = MenuData*;

// Item flags (AppendMenu, ModifyMenu, GetMenuState) and template options.
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_END = 0x0080;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_USECHECKBITMAPS = 0x0200;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_DEFAULT = 0x1000;

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// The item-state value GetMenuState returns for an item that does not exist.
constexpr UINT MENU_ITEM_NOT_FOUND = 0xFFFFFFFF;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and, as on the platform, the popups its items open.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// With MF_OWNERDRAW `item` is the item data (any pointer-sized value), else the text. With
// MF_POPUP `id` is the handle of the popup the item opens.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR item);
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR item);
BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR item);
// Removes the item; DeleteMenu also destroys the popup it opens.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
int GetMenuItemCount(HMENU menu);
// The command id at the position; 0xFFFFFFFF for a popup or no item.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// The item's MF_ flags (for a popup, its item count in the high byte); MENU_ITEM_NOT_FOUND.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Copies the item's text; returns its length, 0 for no item or an owner-drawn one.
int GetMenuStringW(HMENU menu, UINT item, CString& text, UINT flags);
// The item data of an owner-drawn item, 0 for others.
ULONG_PTR GetMenuItemData(HMENU menu, UINT item, UINT flags);
// Return the previous state (MF_CHECKED / MF_GRAYED | MF_DISABLED), or 0xFFFFFFFF.
UINT CheckMenuItem(HMENU menu, UINT item, UINT check);
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);
// Builds a menu from a menu template resource (RT_MENU) of the module; none when the
// resource is missing or its template cannot be read.
HMENU LoadMenuW(HMODULE module, LPCWSTR name);
// Shows the popup at the screen point with `owner` receiving WM_MEASUREITEM / WM_DRAWITEM (and
// the chosen WM_COMMAND unless TPM_RETURNCMD / TPM_NONOTIFY). With TPM_RETURNCMD the result is
// the chosen command id, 0 when none; otherwise nonzero when an item was chosen.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, CWnd* owner, LPCRECT rect);

class CMenu {
 public:
  CMenu() = default;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;
  // Destroys the attached menu, as the framework's menu object did.
  virtual ~CMenu();

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL LoadMenu(UINT resourceId);
  BOOL DestroyMenu();
  BOOL Attach(HMENU menu);
  HMENU Detach();
  // The object attached to the handle; FromHandle makes a temporary one for a handle without
  // an object, which lives as long as the handle.
  static CMenu* FromHandle(HMENU menu);
  static CMenu* FromHandlePermanent(HMENU menu);

  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR item = nullptr);
  BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCTSTR item = nullptr);
  BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCTSTR item = nullptr);
  BOOL RemoveMenu(UINT position, UINT flags);
  int GetMenuItemCount() const;
  UINT GetMenuItemID(int position) const;
  UINT GetMenuState(UINT item, UINT flags) const;
  int GetMenuString(UINT item, CString& text, UINT flags) const;
  CMenu* GetSubMenu(int position) const;
  UINT CheckMenuItem(UINT item, UINT check);
  UINT EnableMenuItem(UINT item, UINT enable);
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);

  // The answers to the owner's measure and draw requests of owner-drawn items.
  virtual void MeasureItem(LPMEASUREITEMSTRUCT measure);
  virtual void DrawItem(LPDRAWITEMSTRUCT draw);
};
