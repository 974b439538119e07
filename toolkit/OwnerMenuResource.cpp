// COwnerMenu: loading from a menu resource, the menu-wide image list and the embossed pictures.

#include <algorithm>

#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/MenuTemplate.h"
#include "platform/ui/SysColorBitmap.h"
#include "platform/ui/ToolBarResource.h"
#include "toolkit/MainWindowDC.h"
#include "toolkit/MenuPictures.h"
#include "toolkit/MenuStyle.h"
#include "toolkit/MenuText.h"
#include "toolkit/OwnerMenu.h"

namespace {

// A resource of the current resource module, else of the program.
HRSRC FindInModules(LPCTSTR name, LPCTSTR type, HMODULE& module) {
  module = AfxGetResourceHandle();
  HRSRC found = FindResourceW(module, name, type);
  if (found || !module) return found;
  module = nullptr;
  return FindResourceW(module, name, type);
}

}  // namespace

BOOL COwnerMenu::LoadFromResource(UINT resourceId) {
  return LoadFromResource(MAKEINTRESOURCEW(WORD(resourceId)));
}

BOOL COwnerMenu::LoadFromResource(LPCTSTR resourceName) {
  HMODULE module = nullptr;
  HRSRC resource = FindInModules(resourceName, RT_MENU, module);
  if (!resource) return FALSE;
  const void* data = LockResource(LoadResource(module, resource));
  if (!data) return FALSE;
  std::size_t size = SizeofResource(module, resource);
  // A template that cannot be read to its end is refused before anything changes.
  if (!IsReadableMenuTemplate(data, size)) return FALSE;
  DestroyItems();
  if (!CMenu::CreateMenu()) return FALSE;
  if (!ParseTemplate(data, size)) return FALSE;

  // The bar itself is drawn by the platform: its entries become plain text or popup entries.
  const int count = std::min(GetMenuItemCount(), int(m_items.size()));
  for (int position = 0; position < count; ++position) {
    COwnerMenuData& record = *m_items[std::size_t(position)];
    HMENU popup = ::GetSubMenu(m_hMenu, position);
    if (popup) {
      record.nItemFlags = MF_BYPOSITION | MF_POPUP;
      ModifyMenu(UINT(position), MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                 record.strItemText);
    } else {
      record.nItemFlags = MF_BYPOSITION;
      ModifyMenu(UINT(position), MF_BYPOSITION | MF_STRING, record.nItemID, record.strItemText);
    }
  }
  m_loadedFromResource = true;
  return TRUE;
}

bool COwnerMenu::ParseTemplate(const void* data, std::size_t size) {
  CMenuTemplateReader reader(data, size);
  // The open levels, innermost last, each with the flag that its last item has been read.
  std::vector<COwnerMenu*> levels{this};
  std::vector<bool> ended{false};
  SMenuTemplateItem item;
  while (!levels.empty()) {
    if (!reader.ReadItem(item)) return false;
    const UINT flags = item.option & ~MF_END;
    COwnerMenu& level = *levels.back();
    if (flags & MF_POPUP) {
      if (item.option & MF_END) ended.back() = true;
      auto popup = std::make_unique<COwnerMenu>();
      if (!popup->CMenu::CreatePopupMenu()) return false;
      COwnerMenu* made = popup.get();
      level.m_ownedPopups.push_back(std::move(popup));
      level.AppendResourceItem(item.text, flags, reinterpret_cast<UINT_PTR>(made->m_hMenu), -1);
      levels.push_back(made);
      ended.push_back(false);
      continue;
    }
    level.AppendResourceItem(item.text, flags, item.id, -1);
    if (item.option & MF_END) ended.back() = true;
    while (!levels.empty() && ended.back()) {
      levels.back()->PadLabels();
      levels.pop_back();
      ended.pop_back();
    }
  }
  return true;
}

BOOL COwnerMenu::AppendResourceItem(LPCTSTR text, UINT flags, UINT_PTR id, int toolBarId) {
  COwnerMenuData& record = NewRecord(text, flags, id);
  if (toolBarId < 0) {
    record.nMenuImage = FindMenuImage(UINT(id));
  } else {
    int picture = 0;
    FindToolBarImage(UINT(id), toolBarId, picture);
    CImageList pictures;
    pictures.Create(m_iconWidth, m_iconHeight, ILC_COLORDDB | ILC_MASK, 1, 1);
    if (AddBitmapResource(pictures, UINT_PTR(toolBarId)))
      record.nMenuImage = AddToMenuImages(pictures, picture, UINT(id));
  }
  record.nItemFlags = flags;
  record.nItemID = id;
  BOOL appended = AppendMenu(flags, id, reinterpret_cast<LPCTSTR>(&record));
  if (m_loadedFromResource) SyncPopups();
  return appended;
}

bool COwnerMenu::FindToolBarImage(UINT id, int toolBarId, int& pictureIndex) const {
  CToolBarResource toolBar;
  if (!toolBar.Load(UINT(WORD(toolBarId)))) return false;
  int button = toolBar.CommandToIndex(id);
  if (button < 0) return false;
  int image = toolBar.GetButtonImage(button);
  if (image > 0) pictureIndex = image;
  return true;
}

BOOL COwnerMenu::AddBitmapResource(CImageList& list, UINT_PTR source) {
  const COLORREF transparent = m_useBitmapTransparent ? m_bitmapTransparent : GetSysColor(COLOR_BTNFACE);
  bool added = false;
  if (m_iconSource) {
    list.Add(reinterpret_cast<HICON>(source));
    added = true;
  } else if (HBITMAP bitmap = Load16ColorBitmap(UINT(source))) {
    added = ImageList_AddMasked(list, bitmap, transparent) >= 0;
    DeleteObject(bitmap);
  } else {
    HMODULE module = AfxGetResourceHandle();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(WORD(source)), RT_BITMAP);
    const BYTE* data =
        resource ? static_cast<const BYTE*>(LockResource(LoadResource(module, resource))) : nullptr;
    HBITMAP loaded =
        data ? CreateBitmapFromPackedDib(data, SizeofResource(module, resource), false) : nullptr;
    if (loaded) {
      ReplaceLightGrey(loaded);
      added = ImageList_AddMasked(list, loaded, transparent) >= 0;
      DeleteObject(loaded);
    }
  }
  if (!added) return FALSE;
  if (UseVariants()) AppendPictureVariants(list, list, 0, m_iconWidth, m_iconHeight);
  return TRUE;
}

HBITMAP COwnerMenu::Load16ColorBitmap(UINT resourceId) const {
  HMODULE module = nullptr;
  HRSRC resource = FindInModules(MAKEINTRESOURCEW(WORD(resourceId)), RT_BITMAP, module);
  if (!resource) return nullptr;
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
  std::size_t size = SizeofResource(module, resource);
  BITMAPINFOHEADER header{};
  if (!data || size < sizeof header) return nullptr;
  std::copy(data, data + sizeof header, reinterpret_cast<BYTE*>(&header));
  if (GetColorTableSize(header) != 16) return nullptr;
  return LoadSysColorBitmap(data, size);
}

int COwnerMenu::GetColorTableSize(const BITMAPINFOHEADER& header) {
  if (header.biClrUsed != 0) return int(header.biClrUsed & 0xFFFF);
  switch (header.biBitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

void COwnerMenu::ReplaceLightGrey(HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObject(bitmap, sizeof info, &info)) return;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  HGDIOBJ previous = dc.SelectObject(bitmap);
  // Light grey as this bitmap's format stores it.
  CBitmap probe;
  probe.CreateBitmap(info.bmWidth, info.bmHeight, info.bmPlanes, info.bmBitsPixel, nullptr);
  CDC probeDc;
  probeDc.CreateCompatibleDC(nullptr);
  CBitmap* probePrevious = probeDc.SelectObject(&probe);
  probeDc.FillSolidRect(0, 0, info.bmWidth, info.bmHeight, RGB(192, 192, 192));
  const COLORREF lightGrey = probeDc.GetPixel(1, 1);
  probeDc.SelectObject(probePrevious);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int x = 0; x < info.bmWidth; ++x)
    for (int y = 0; y < info.bmHeight; ++y)
      if (dc.GetPixel(x, y) == lightGrey) dc.SetPixel(x, y, face);
  dc.SelectObject(previous);
}

void COwnerMenu::EnsureMenuImages() {
  if (!m_menuImages.GetSafeHandle())
    m_menuImages.Create(m_iconWidth, m_iconHeight, ILC_COLORDDB | ILC_MASK, 1, 1);
}

int COwnerMenu::AddToMenuImages(CImageList& source, int index, UINT id) {
  EnsureMenuImages();
  HICON icon = source.ExtractIcon(index);
  if (!icon) return -1;
  CImageList variants;
  const bool withVariants = UseVariants();
  if (withVariants) {
    variants.Create(m_iconWidth, m_iconHeight, ILC_COLORDDB | ILC_MASK, 1, 1);
    AppendPictureVariants(variants, source, index, m_iconWidth, m_iconHeight);
  }
  int result = FindMenuImage(id);
  if (result >= 0) {
    m_menuImages.Replace(result, icon);
    if (withVariants && HasImageVariants(result)) {
      for (int k = 0; k < 3; ++k) {
        HICON variant = variants.ExtractIcon(k);
        m_menuImages.Replace(result + 1 + k, variant);
        DestroyIcon(variant);
      }
    }
  } else if (m_menuImages.Add(icon) >= 0) {
    result = int(m_menuImageIds.size());
    m_menuImageIds.push_back(int(id));
    for (int k = 0; withVariants && k < 3; ++k) {
      HICON variant = variants.ExtractIcon(k);
      if (m_menuImages.Add(variant) >= 0) m_menuImageIds.push_back(int(id));
      DestroyIcon(variant);
    }
  }
  DestroyIcon(icon);
  return result;
}

int COwnerMenu::FindMenuImage(UINT id) const {
  auto found = std::find(m_menuImageIds.begin(), m_menuImageIds.end(), int(id));
  return found == m_menuImageIds.end() ? -1 : int(found - m_menuImageIds.begin());
}

bool COwnerMenu::HasImageVariants(int index) const {
  const int count = int(m_menuImageIds.size());
  if (index < 0 || index + 2 >= count) return false;
  const int id = m_menuImageIds[std::size_t(index)];
  return m_menuImageIds[std::size_t(index + 1)] == id && m_menuImageIds[std::size_t(index + 2)] == id;
}

void COwnerMenu::PadLabels() {
  if (IsXpMenuStyle() && !(m_padLabelsXp && m_padLabelsXpToo)) return;
  CFont font;
  CreateMenuFont(font);
  CMainWindowDC window;
  CDC& dc = window.Dc();
  CFont* previous = dc.SelectObject(&font);
  int widest = 0;
  for (const auto& record : m_items)
    widest = std::max(widest, int(dc.GetTextExtent(MenuLabelOf(record->strItemText) + u" ").cx));
  for (const auto& record : m_items) {
    int tab = record->strItemText.Find(u'\t');
    if (tab < 0) continue;
    CString label = record->strItemText.Left(tab);
    int width = dc.GetTextExtent(label).cx;
    while (width < widest) {
      label += u' ';
      int wider = dc.GetTextExtent(label).cx;
      if (wider <= width) break;  // a font without a visible space would never get there
      width = wider;
    }
    record->strItemText = label + record->strItemText.Mid(tab);
  }
  dc.SelectObject(previous);
}

int COwnerMenu::GetItemOffset() const {
  if (!m_loadedFromResource) return 0;
  const int count = GetMenuItemCount();
  for (int position = 0; position < count; ++position) {
    CString text;
    GetMenuString(UINT(position), text, MF_BYPOSITION);
    if (text.IsEmpty()) continue;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
      if (m_items[i]->strItemText.str() != text.str()) continue;
      return std::max(0, position - int(i));
    }
  }
  return 0;
}

void COwnerMenu::SyncPopups() {
  const int offset = GetItemOffset();
  const std::size_t records = m_items.size();
  for (std::size_t i = 0; i < records && offset + int(i) < GetMenuItemCount(); ++i) {
    const int position = offset + int(i);
    HMENU popup = ::GetSubMenu(m_hMenu, position);
    if (!popup) continue;
    COwnerMenuData& record = *m_items[i];
    record.nItemFlags = MF_BYPOSITION | MF_POPUP;
    ModifyMenu(UINT(position), MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
               record.strItemText);
  }
}

void COwnerMenu::DrawEmbossed(CDC& target, int x, int y, int width, int height, CBitmap& picture, int xSrc,
                              int ySrc, COLORREF background) {
  CDC maskDc;
  maskDc.CreateCompatibleDC(nullptr);
  CBitmap mask;
  mask.CreateBitmap(width, height, 1, 1, nullptr);
  CBitmap* maskPrevious = maskDc.SelectObject(&mask);
  maskDc.PatBlt(0, 0, width, height, WHITENESS);

  CDC pictureDc;
  pictureDc.CreateCompatibleDC(nullptr);
  CBitmap* picturePrevious = pictureDc.SelectObject(&picture);
  // Button-face and highlight pixels become white in the mask; the rest is the shape.
  pictureDc.SetBkColor(GetSysColor(COLOR_BTNFACE));
  maskDc.BitBlt(0, 0, width, height, &pictureDc, xSrc, ySrc, SRCCOPY);
  pictureDc.SetBkColor(GetSysColor(COLOR_BTNHIGHLIGHT));
  maskDc.BitBlt(0, 0, width, height, &pictureDc, xSrc, ySrc, SRCPAINT);

  pictureDc.FillSolidRect(0, 0, width, height, background);
  pictureDc.SetBkColor(RGB(0, 0, 0));
  pictureDc.SetTextColor(RGB(255, 255, 255));
  constexpr DWORD kBrushWhereSourceWhite = 0x00E20746;
  CBrush highlight(GetSysColor(COLOR_BTNHIGHLIGHT));
  CBrush* brushPrevious = pictureDc.SelectObject(&highlight);
  pictureDc.BitBlt(0, 0, width, height, &maskDc, 0, 0, kBrushWhereSourceWhite);
  target.BitBlt(x + 1, y + 1, width, height, &pictureDc, 0, 0, SRCCOPY);

  pictureDc.BitBlt(1, 1, width, height, &maskDc, 0, 0, kBrushWhereSourceWhite);
  CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
  pictureDc.SelectObject(&shadow);
  pictureDc.BitBlt(0, 0, width, height, &maskDc, 0, 0, kBrushWhereSourceWhite);
  target.BitBlt(x, y, width, height, &pictureDc, 0, 0, SRCCOPY);

  pictureDc.SelectObject(brushPrevious);
  pictureDc.SelectObject(picturePrevious);
  maskDc.SelectObject(maskPrevious);
}

bool COwnerMenu::DrawEmbossedDib(CDC& target, int x, int y, int width, int height, CBitmap& picture, int xSrc,
                                 int ySrc, COLORREF background) {
  CDC pictureDc;
  if (!pictureDc.CreateCompatibleDC(&target)) return false;
  CDC maskDc;
  if (!maskDc.CreateCompatibleDC(&pictureDc)) return true;
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  info.colors[1] = RGBQUAD{255, 255, 255, 0};
  void* bits = nullptr;
  HBITMAP dib =
      CreateDIBSection(maskDc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) return true;
  HGDIOBJ maskPrevious = maskDc.SelectObject(dib);
  CBitmap* picturePrevious = pictureDc.SelectObject(&picture);
  maskDc.BitBlt(0, 0, width, height, &pictureDc, xSrc, ySrc, SRCCOPY);

  target.FillSolidRect(x, y, width, height, background);
  constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A;
  CBrush highlight(GetSysColor(COLOR_BTNHIGHLIGHT));
  CBrush* brushPrevious = target.SelectObject(&highlight);
  target.BitBlt(x + 1, y + 1, width, height, &maskDc, 0, 0, kBrushWhereSourceBlack);
  CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
  target.SelectObject(&shadow);
  target.BitBlt(x, y, width, height, &maskDc, 0, 0, kBrushWhereSourceBlack);

  target.SelectObject(brushPrevious);
  pictureDc.SelectObject(picturePrevious);
  maskDc.SelectObject(maskPrevious);
  DeleteObject(dib);
  return true;
}
