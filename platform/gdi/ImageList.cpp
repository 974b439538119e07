#include "platform/gdi/ImageList.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemInfo.h"

struct ImageListData {
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
  int count = 0;
  int grow = 1;
  COLORREF bkColor = CLR_NONE;
  HBITMAP image = nullptr;  // colour strip
  HBITMAP mask = nullptr;   // monochrome strip, white = transparent
  bool Masked() const { return flags & ILC_MASK; }
};

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

QImage& Pixels(HBITMAP bitmap) {
  auto* b = static_cast<gdi::BitmapData*>(bitmap);
  if (b->selectedIn) b->selectedIn->EndPainter();
  return b->image;
}

const QImage& SourcePixels(HBITMAP bitmap) {
  auto* b = static_cast<gdi::BitmapData*>(bitmap);
  if (b->selectedIn) b->selectedIn->EndPainter();
  b->ImportDib();
  return b->image;
}

void Reserve(ImageListData& list, int count) {
  QImage& image = Pixels(list.image);
  const int capacity = image.width() / list.cx;
  if (count <= capacity) return;
  const int newCapacity = std::max(count, capacity + std::max(1, list.grow));
  QImage bigger = gdi::NewImage(newCapacity * list.cx, list.cy);
  QImage biggerMask = gdi::NewImage(newCapacity * list.cx, list.cy);
  biggerMask.fill(kBlack);
  QPainter(&bigger).drawImage(0, 0, image);
  QPainter(&biggerMask).drawImage(0, 0, Pixels(list.mask));
  image = bigger;
  Pixels(list.mask) = biggerMask;
}

// The pixels of a copied picture as 32-bit values, read row by row.
QImage RowReadable(QImage image) {
  if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32) return image;
  return image.convertToFormat(QImage::Format_ARGB32);
}

// Copies one picture (and its mask, or none for opaque) into slot index; color and mask are
// 32-bit images.
void PutPicture(ImageListData& list, int index, const QImage& color, int sx, const QImage* mask,
                std::optional<QRgb> maskColor) {
  QImage& image = Pixels(list.image);
  QImage& maskImage = Pixels(list.mask);
  for (int y = 0; y < list.cy; ++y) {
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y)) + index * list.cx;
    auto* dstMask = reinterpret_cast<QRgb*>(maskImage.scanLine(y)) + index * list.cx;
    const auto* src = y < color.height() ? reinterpret_cast<const QRgb*>(color.constScanLine(y)) : nullptr;
    const auto* srcMask =
        mask && y < mask->height() ? reinterpret_cast<const QRgb*>(mask->constScanLine(y)) : nullptr;
    for (int x = 0; x < list.cx; ++x) {
      const bool inside = src && sx + x < color.width();
      QRgb c = inside ? (src[sx + x] | 0xFF000000) : kBlack;
      bool transparent = false;
      if (list.Masked()) {
        if (mask)
          transparent = inside && srcMask && x + sx < mask->width() && gdi::IsWhiteish(srcMask[sx + x]);
        else if (maskColor)
          transparent = inside && (c & 0xFFFFFF) == (*maskColor & 0xFFFFFF);
      }
      // Masked pixels are black in the picture, as the platform keeps them.
      if (transparent && maskColor) c = kBlack;
      dst[x] = c;
      dstMask[x] = transparent ? kWhite : kBlack;
    }
  }
}

int AddStrip(HIMAGELIST list, HBITMAP image, QRgb maskColor) {
  if (!list || !gdi::Data<gdi::BitmapData>(image)) return -1;
  const QImage color = RowReadable(SourcePixels(image).copy());
  const int pictures = std::max(1, color.width() / list->cx);
  const int first = list->count;
  Reserve(*list, first + pictures);
  for (int i = 0; i < pictures; ++i) PutPicture(*list, first + i, color, i * list->cx, nullptr, maskColor);
  list->count += pictures;
  return first;
}

QRgb Mix(QRgb a, QRgb b, int percentB) {
  auto mix = [&](int x, int y) { return (x * (100 - percentB) + y * percentB) / 100; };
  return qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)));
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
  if (cx <= 0 || cy <= 0) return nullptr;
  auto* list = new ImageListData;
  list->cx = cx;
  list->cy = cy;
  list->flags = flags;
  list->grow = std::max(1, grow);
  const int capacity = std::max(1, initial);
  list->image = gdi::NewBitmap(gdi::NewImage(capacity * cx, cy), false);
  QImage mask = gdi::NewImage(capacity * cx, cy);
  mask.fill(kBlack);
  list->mask = gdi::NewBitmap(mask, true);
  return list;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  if (!list) return FALSE;
  DeleteObject(list->image);
  DeleteObject(list->mask);
  delete list;
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) { return list ? list->count : 0; }

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  if (!list || !cx || !cy) return FALSE;
  *cx = list->cx;
  *cy = list->cy;
  return TRUE;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
  return AddStrip(list, image, gdi::ToRgb(mask));
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
  if (!list || !icon || index < -1 || index >= list->count) return -1;
  const QImage color = RowReadable(icon->color.scaled(list->cx, list->cy));
  const QImage mask = RowReadable(icon->mask.scaled(list->cx, list->cy));
  if (index == -1) {
    Reserve(*list, list->count + 1);
    index = list->count++;
  }
  const UINT flags = list->flags;
  list->flags |= ILC_MASK;
  PutPicture(*list, index, color, 0, &mask, std::nullopt);
  list->flags = flags;
  return index;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT) {
  if (!list || index < 0 || index >= list->count) return nullptr;
  auto* icon = new IconData;
  icon->color = SourcePixels(list->image).copy(index * list->cx, 0, list->cx, list->cy);
  icon->mask = SourcePixels(list->mask).copy(index * list->cx, 0, list->cx, list->cy);
  return icon;
}

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info) {
  if (!list || !info || index < 0 || index >= list->count) return FALSE;
  info->hbmImage = list->image;
  info->hbmMask = list->Masked() ? list->mask : nullptr;
  info->Unused1 = info->Unused2 = 0;
  info->rcImage = RECT{index * list->cx, 0, (index + 1) * list->cx, list->cy};
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF foreground, UINT style) {
  if (!list || !dc || index < 0 || index >= list->count) return FALSE;
  const int w = dx > 0 ? std::min(dx, list->cx) : list->cx;
  const int h = dy > 0 ? std::min(dy, list->cy) : list->cy;
  const QImage image = RowReadable(SourcePixels(list->image));
  const QImage mask = RowReadable(SourcePixels(list->mask));
  const COLORREF bk = background == CLR_DEFAULT ? list->bkColor : background;
  const bool transparent = list->Masked() && (bk == CLR_NONE || (style & ILD_TRANSPARENT));
  int blend = 0;
  if (style & ILD_BLEND50)
    blend = 50;
  else if (style & ILD_BLEND25)
    blend = 25;
  const QRgb blendColor = gdi::ToRgb(
      foreground == CLR_DEFAULT || foreground == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : foreground);
  dc->BeginDraw();
  const POINT origin = dc->ToDevice(x, y);
  dc->ForEachPixel(QRect(origin.x, origin.y, w, h), [&](int px, int py, QRgb& pixel) {
    const int sy = py - origin.y;
    const int sx = index * list->cx + px - origin.x;
    const bool masked =
        list->Masked() && gdi::IsWhiteish(reinterpret_cast<const QRgb*>(mask.constScanLine(sy))[sx]);
    if (style & ILD_MASK) {
      pixel = masked ? kWhite : kBlack;
      return;
    }
    if (masked && transparent) return;
    QRgb c =
        masked ? gdi::ToRgb(bk) : (reinterpret_cast<const QRgb*>(image.constScanLine(sy))[sx] | 0xFF000000);
    if (blend && !masked) c = Mix(c, blendColor, blend);
    pixel = c;
  });
  dc->EndDraw();
  return TRUE;
}

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
  if (!icon || !info) return FALSE;
  info->fIcon = TRUE;
  info->xHotspot = DWORD(icon->color.width() / 2);
  info->yHotspot = DWORD(icon->color.height() / 2);
  info->hbmColor = gdi::NewBitmap(icon->color.copy(), false);
  info->hbmMask = gdi::NewBitmap(icon->mask.copy(), true);
  return TRUE;
}

BOOL DestroyIcon(HICON icon) {
  if (!icon) return FALSE;
  if (!icon->shared) delete icon;
  return TRUE;
}

// An icon is drawn as (target AND mask) XOR picture.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH, UINT flags) {
  if (!dc || !icon) return FALSE;
  const int w = width > 0 ? width : icon->color.width();
  const int h = height > 0 ? height : icon->color.height();
  const QImage color = icon->color.scaled(w, h);
  const QImage mask = icon->mask.scaled(w, h);
  dc->BeginDraw();
  const POINT origin = dc->ToDevice(x, y);
  const bool paper = !dc->HasPixels();
  dc->ForEachPixel(QRect(origin.x, origin.y, w, h), [&](int px, int py, QRgb& pixel) {
    const QRgb m = mask.pixel(px - origin.x, py - origin.y) | 0xFF000000;
    const QRgb c = color.pixel(px - origin.x, py - origin.y) & 0x00FFFFFF;
    // On a page that cannot be read back, the icon's see-through pixels (mask white, picture
    // black) leave the page as it is.
    if (paper && (flags & DI_MASK) && m == kWhite && c == 0) return;
    QRgb d = paper ? kWhite : pixel;
    if (flags & DI_MASK) d &= m;
    if (flags & DI_IMAGE) d = (flags & DI_MASK) ? (d ^ c) : (c | 0xFF000000);
    pixel = d | 0xFF000000;
  });
  dc->EndDraw();
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
  HBITMAP bitmap = ::LoadBitmap(bitmapId);
  if (!bitmap) return FALSE;
  BITMAP bm{};
  GetObject(bitmap, sizeof bm, &bm);
  BOOL ok =
      Create(cx, bm.bmHeight, ILC_COLORDDB | ILC_MASK, std::max(1, int(bm.bmWidth) / std::max(1, cx)), grow);
  if (ok) ok = ImageList_AddMasked(m_hImageList, bitmap, mask) >= 0;
  DeleteObject(bitmap);
  return ok;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  return ImageList_Destroy(Detach());
}

BOOL CImageList::Attach(HIMAGELIST list) {
  if (!list) return FALSE;
  m_hImageList = list;
  return TRUE;
}

HIMAGELIST CImageList::Detach() { return std::exchange(m_hImageList, nullptr); }

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }

int CImageList::Add(CBitmap* image, COLORREF mask) {
  return image ? ImageList_AddMasked(m_hImageList, *image, mask) : -1;
}

BOOL CImageList::Draw(CDC* dc, int index, POINT point, UINT style) {
  return dc ? ImageList_Draw(m_hImageList, index, dc->m_hDC, point.x, point.y, style) : FALSE;
}
