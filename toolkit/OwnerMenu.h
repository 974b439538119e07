#pragma once
// COwnerMenu: a menu whose items are owner-drawn with a small picture beside the text, in the
// classic look or, on a themed Windows XP, the XP look with a tinted picture column. Items are
// appended one by one (AppendItem, with a picture from an image list) or loaded from a menu
// resource (LoadFromResource), whose items may take their pictures from a menu-wide image list
// filled from tool-bar bitmaps under the items' command ids.

#include <memory>
#include <vector>

#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/Menu.h"

class COwnerMenu;

// One item; its address is the platform item's item data.
struct COwnerMenuData {
  CString strItemText;   // the label, then optionally a tab and the accelerator text
  int nItemImage = -1;   // 0 when the item has its own picture
  int nMenuImage = -1;   // the item's plain picture in the menu-wide image list
  int nHasImage = -1;    // 0 when the item has its own picture
  UINT nItemFlags = 0;   // the MF_ flags it was appended with (MF_OWNERDRAW included)
  UINT_PTR nItemID = 0;  // command id (0 for separators), or the handle of the popup it opens
  int nSync = 0;
  std::unique_ptr<CImageList> pItemImages;  // the item's own picture and its variants
  COwnerMenu* pOwnerMenu = nullptr;
};

class COwnerMenu : public CMenu {
 public:
  COwnerMenu();
  ~COwnerMenu() override;

  void AppendItem(LPCTSTR text, UINT flags, UINT_PTR id, CImageList* images, int index);
  void SetIconSize(int width, int height);
  void MeasureItem(LPMEASUREITEMSTRUCT measure) override;
  void DrawItem(LPDRAWITEMSTRUCT draw) override;

  virtual BOOL LoadFromResource(UINT resourceId);
  virtual BOOL LoadFromResource(LPCTSTR resourceName);
  // Deletes the item records, the popup menu objects of this menu, and the platform menu.
  virtual void DestroyItems();

  BOOL AppendResourceItem(LPCTSTR text, UINT flags, UINT_PTR id, int toolBarId);
  // source: a bitmap resource id, or an icon handle when the icon-source setting is on.
  BOOL AddBitmapResource(CImageList& list, UINT_PTR source);
  int AddToMenuImages(CImageList& source, int index, UINT id);
  int FindMenuImage(UINT id) const;
  bool HasImageVariants(int index) const;
  bool FindToolBarImage(UINT id, int toolBarId, int& pictureIndex) const;
  HBITMAP Load16ColorBitmap(UINT resourceId) const;
  static int GetColorTableSize(const BITMAPINFOHEADER& header);
  static void ReplaceLightGrey(HBITMAP bitmap);
  void PadLabels();
  int GetItemOffset() const;
  void SyncPopups();
  static void DrawEmbossed(CDC& target, int x, int y, int width, int height, CBitmap& picture, int xSrc,
                           int ySrc, COLORREF background);
  static bool DrawEmbossedDib(CDC& target, int x, int y, int width, int height, CBitmap& picture, int xSrc,
                              int ySrc, COLORREF background);

  // For callers and tests that look at the records.
  int GetItemRecordCount() const { return int(m_items.size()); }
  const COwnerMenuData* GetItemRecord(int index) const;
  int GetMenuImageCount() const { return int(m_menuImageIds.size()); }
  CImageList& GetMenuImages() { return m_menuImages; }
  bool IsLoadedFromResource() const { return m_loadedFromResource; }

 private:
  struct SItemLook;

  COwnerMenuData& NewRecord(LPCTSTR text, UINT& flags, UINT_PTR id);
  void CopyItemImage(CImageList& source, int index, CImageList& itemList);
  bool UseVariants() const;
  void EnsureMenuImages();
  CSize MeasureText(const CString& label, const CString& accelerator);
  bool ParseTemplate(const void* data, std::size_t size);

  void DrawClassic(CDC& dc, const COwnerMenuData& data, const SItemLook& look);
  void DrawXp(CDC& dc, const COwnerMenuData& data, const SItemLook& look);
  void DrawText(CDC& dc, const COwnerMenuData& data, const CRect& item, int textLeft, COLORREF color);
  void DrawPicture(CDC& dc, const SItemLook& look, int variant, int x, int y);
  void DrawDisabledPicture(CDC& dc, const SItemLook& look, int x, int y, COLORREF background, bool classic);
  static void DrawCheckMark(CDC& dc, int x, int y, COLORREF color);

  std::vector<std::unique_ptr<COwnerMenuData>> m_items;
  std::vector<HMENU> m_subMenus;
  std::vector<std::unique_ptr<COwnerMenu>> m_ownedPopups;  // the popups the loader made
  CImageList m_menuImages;
  std::vector<int> m_menuImageIds;
  int m_iconWidth = 16;
  int m_iconHeight = 16;
  int m_widestLabel = 0;
  int m_widestAccelerator = 0;
  COLORREF m_bitmapTransparent = RGB(255, 255, 255);
  bool m_useBitmapTransparent = true;
  bool m_dibEmbossing = false;
  bool m_classicSelectDisabled = true;
  bool m_xpSelectDisabled = false;
  bool m_xpVariants = true;
  bool m_washedOutDisabled = true;
  bool m_padLabelsXp = false;
  bool m_padLabelsXpToo = false;
  bool m_iconSource = false;
  bool m_loadedFromResource = false;
};
