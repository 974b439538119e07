#include "toolkit/MenuPictures.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/SystemInfo.h"
#include "toolkit/MenuStyle.h"

bool DrawOnButtonFace(HIMAGELIST list, int index, int width, int height, CBitmap& out) {
  if (index < 0 || index >= ImageList_GetImageCount(list)) return false;
  if (!out.CreateBitmap(width, height, 1, 32, nullptr)) return false;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* previous = dc.SelectObject(&out);
  dc.FillSolidRect(0, 0, width, height, GetSysColor(COLOR_BTNFACE));
  ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
  dc.SelectObject(previous);
  return true;
}

COLORREF VariantPixel(COLORREF pixel, NPictureVariant variant) {
  switch (variant) {
    case NPictureVariant::Faded:
      return LightenColor(pixel, 0.3);
    case NPictureVariant::Shadow:
      return GetSysColor(COLOR_BTNSHADOW);
    case NPictureVariant::Disabled: {
      int mean = (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel)) / 3;
      return LightenColor(GetSysColor(COLOR_BTNSHADOW), mean / 255.0);
    }
  }
  return pixel;
}

void RecolourPicture(CBitmap& bitmap, NPictureVariant variant, COLORREF background) {
  BITMAP info{};
  bitmap.GetBitmap(&info);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* previous = dc.SelectObject(&bitmap);
  for (int y = 0; y < info.bmHeight; ++y) {
    for (int x = 0; x < info.bmWidth; ++x) {
      COLORREF pixel = dc.GetPixel(x, y);
      if (pixel != face)
        dc.SetPixel(x, y, VariantPixel(pixel, variant));
      else if (background != CLR_NONE)
        dc.SetPixel(x, y, background);
    }
  }
  dc.SelectObject(previous);
}

void AppendPictureVariants(HIMAGELIST target, HIMAGELIST source, int index, int width, int height) {
  for (NPictureVariant variant :
       {NPictureVariant::Faded, NPictureVariant::Shadow, NPictureVariant::Disabled}) {
    CBitmap picture;
    if (!DrawOnButtonFace(source, index, width, height, picture)) return;
    RecolourPicture(picture, variant);
    ImageList_AddMasked(target, picture, GetSysColor(COLOR_BTNFACE));
  }
}
