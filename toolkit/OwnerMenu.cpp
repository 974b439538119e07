#include "toolkit/OwnerMenu.h"

#include <algorithm>

#include "platform/gdi/Font.h"
#include "platform/gdi/SystemInfo.h"
#include "toolkit/MainWindowDC.h"
#include "toolkit/MenuPictures.h"
#include "toolkit/MenuStyle.h"
#include "toolkit/MenuText.h"

COwnerMenu::COwnerMenu() = default;

COwnerMenu::~COwnerMenu() { DestroyItems(); }

void COwnerMenu::SetIconSize(int width, int height) {
  m_iconWidth = width;
  m_iconHeight = height;
}

const COwnerMenuData* COwnerMenu::GetItemRecord(int index) const {
  if (index < 0 || index >= int(m_items.size())) return nullptr;
  return m_items[std::size_t(index)].get();
}

bool COwnerMenu::UseVariants() const { return IsXpMenuStyle() && m_xpVariants; }

COwnerMenuData& COwnerMenu::NewRecord(LPCTSTR text, UINT& flags, UINT_PTR id) {
  if (id == 0)
    flags = (flags & MF_BYPOSITION) | MF_SEPARATOR | MF_OWNERDRAW;
  else
    flags |= MF_OWNERDRAW;
  if (flags & MF_POPUP) m_subMenus.push_back(reinterpret_cast<HMENU>(id));
  auto record = std::make_unique<COwnerMenuData>();
  record->pOwnerMenu = this;
  record->strItemText = text ? text : u"";
  m_items.push_back(std::move(record));
  return *m_items.back();
}

void COwnerMenu::AppendItem(LPCTSTR text, UINT flags, UINT_PTR id, CImageList* images, int index) {
  COwnerMenuData& record = NewRecord(text, flags, id);
  if (images) {
    record.pItemImages = std::make_unique<CImageList>();
    record.nItemImage = 0;
    record.nHasImage = 0;
    CopyItemImage(*images, index, *record.pItemImages);
  }
  record.nItemFlags = flags;
  record.nItemID = id;
  AppendMenu(flags, id, reinterpret_cast<LPCTSTR>(&record));
}

void COwnerMenu::CopyItemImage(CImageList& source, int index, CImageList& itemList) {
  HICON icon = source.ExtractIcon(index);
  int width = 0, height = 0;
  source.GetIconSize(&width, &height);
  itemList.Create(width, height, ILC_COLOR | ILC_MASK, 1, 1);
  itemList.Add(icon);
  DestroyIcon(icon);
  if (UseVariants()) AppendPictureVariants(itemList, itemList, 0, width, height);
}

void COwnerMenu::DestroyItems() {
  m_items.clear();
  // Only the popup objects the loader made belong to this menu; a caller's own popup objects
  // stay the caller's.
  m_ownedPopups.clear();
  m_subMenus.clear();
  CMenu::DestroyMenu();
}

CSize COwnerMenu::MeasureText(const CString& label, const CString& accelerator) {
  CFont font;
  CreateMenuFont(font);
  CMainWindowDC window;
  CDC& dc = window.Dc();
  CFont* previous = GetOsVersionCode() > 1 ? dc.SelectObject(&font) : nullptr;
  CSize size(0, 0);
  if (GetOsVersionCode() != 0) size.cx = dc.GetTextExtent(label).cx;
  size.cy = dc.GetTextExtent(accelerator).cx;
  if (previous) dc.SelectObject(previous);
  return size;
}

void COwnerMenu::MeasureItem(LPMEASUREITEMSTRUCT measure) {
  auto* record = reinterpret_cast<COwnerMenuData*>(measure->itemData);
  if (!record) return;
  const bool xp = IsXpMenuStyle();
  const int pad = xp ? 7 : 4;
  if (record->nItemFlags & MF_SEPARATOR) {
    measure->itemWidth = 0;
    measure->itemHeight = xp ? 3 : std::max((m_iconHeight + pad) / 2, GetSystemMetrics(SM_CYMENU) / 2);
    return;
  }
  CSize widths = MeasureText(MenuLabelOf(record->strItemText), MenuAcceleratorOf(record->strItemText));
  m_widestLabel = std::max(m_widestLabel, int(widths.cx));
  m_widestAccelerator = std::max(m_widestAccelerator, int(widths.cy));
  const int text = m_widestLabel + m_widestAccelerator + 10;
  measure->itemWidth = UINT(xp ? m_iconWidth + text + pad + 8 : 2 * m_iconWidth + text + 1);
  measure->itemHeight = UINT(std::max(m_iconHeight + pad, GetSystemMetrics(SM_CYMENU)));
}
