#pragma once
// CImageList: a row of equally sized pictures with an optional mask, kept as one colour
// strip bitmap and one monochrome mask strip (picture i at x = i * cx).

#include "platform/gdi/GdiTypes.h"

class CBitmap;
class CDC;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLORDDB = 0x00FE;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_IMAGE = 0x0020;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_BLEND = ILD_BLEND50;

struct IMAGEINFO {
  HBITMAP hbmImage;
  HBITMAP hbmMask;
  int Unused1;
  int Unused2;
  RECT rcImage;
};

// An icon: a colour picture and a monochrome mask (1 = transparent).
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DestroyIcon(HICON icon);
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFree,
                UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Adds every picture of the bitmap strip (width / cx pictures); pixels of the mask colour
// become transparent (and black in the stored picture). Result: the first new index, -1 on
// failure.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
// index -1 appends. Result: the index replaced or added, -1 on failure.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
// dx, dy 0 draw the whole picture; background CLR_DEFAULT is the list's background colour,
// CLR_NONE transparent; foreground is the blend colour of ILD_BLEND25/50 (CLR_DEFAULT: the
// highlight colour).
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF foreground, UINT style);

class CImageList {
 public:
  CImageList() = default;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;
  ~CImageList();

  HIMAGELIST m_hImageList = nullptr;

  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // Loads a bitmap resource as a strip of pictures cx wide.
  BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
  BOOL DeleteImageList();
  BOOL Attach(HIMAGELIST list);
  HIMAGELIST Detach();
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  operator HIMAGELIST() const { return m_hImageList; }

  int GetImageCount() const;
  BOOL GetIconSize(int* cx, int* cy) const { return ImageList_GetIconSize(m_hImageList, cx, cy); }
  int Add(CBitmap* image, COLORREF mask);
  int Add(HICON icon) { return ImageList_ReplaceIcon(m_hImageList, -1, icon); }
  int Replace(int index, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, index, icon); }
  HICON ExtractIcon(int index) { return ImageList_GetIcon(m_hImageList, index, ILD_NORMAL); }
  BOOL GetImageInfo(int index, IMAGEINFO* info) const {
    return ImageList_GetImageInfo(m_hImageList, index, info);
  }
  BOOL Draw(CDC* dc, int index, POINT point, UINT style);
};
