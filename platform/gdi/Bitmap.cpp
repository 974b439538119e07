#include "platform/gdi/Bitmap.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/gdi/Dc.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/Gdi.h"

namespace {

gdi::BitmapData* B(HGDIOBJ h) { return gdi::Data<gdi::BitmapData>(h); }

int DdbStride(int width, int bpp) { return ((width * bpp + 15) / 16) * 2; }

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width <= 0 || height <= 0 || planes != 1) return nullptr;
  const bool mono = bitsPerPixel == 1;
  HBITMAP h = gdi::NewBitmap(gdi::NewImage(width, height), mono);
  if (bits) SetBitmapBits(h, DWORD(DdbStride(width, mono ? 1 : 32) * height), bits);
  return h;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  // The platform refuses bitmaps past 2 GiB of pixels rather than committing the memory.
  if (std::int64_t(width) * height * 4 > std::int64_t(INT_MAX)) return nullptr;
  const bool mono =
      dc && dc->kind == DcData::Kind::Memory && dc->SurfaceBitmap() && dc->SurfaceBitmap()->mono;
  QImage image = gdi::NewImage(width, height);
  // A size the memory cannot hold is refused, as the platform refuses it.
  if (image.isNull()) return nullptr;
  return gdi::NewBitmap(std::move(image), mono);
}

HBITMAP LoadBitmap(UINT resourceId) {
  std::vector<BYTE> packed = FindBitmapResource(resourceId);
  if (packed.empty()) return nullptr;
  return CreateBitmapFromPackedDib(packed.data(), packed.size(), false);
}

// Device-dependent bits: monochrome rows of 1 bit (1 = white), colour rows of 4 bytes per
// pixel (blue, green, red, unused), each row padded to 16 bits.
LONG GetBitmapBits(HBITMAP bitmap, LONG count, void* bits) {
  auto* b = B(bitmap);
  if (!b || !bits) return 0;
  b->ImportDib();
  const int w = b->image.width();
  const int bpp = b->mono ? 1 : 32;
  const int stride = DdbStride(w, bpp);
  auto* out = static_cast<BYTE*>(bits);
  LONG written = 0;
  for (int y = 0; y < b->image.height() && written + stride <= count; ++y) {
    std::memset(out, 0, std::size_t(stride));
    const auto* row = reinterpret_cast<const QRgb*>(b->image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      if (b->mono) {
        if (gdi::IsWhiteish(row[x])) out[x / 8] |= BYTE(0x80 >> (x & 7));
      } else {
        out[x * 4] = BYTE(qBlue(row[x]));
        out[x * 4 + 1] = BYTE(qGreen(row[x]));
        out[x * 4 + 2] = BYTE(qRed(row[x]));
      }
    }
    out += stride;
    written += stride;
  }
  return written;
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD count, const void* bits) {
  auto* b = B(bitmap);
  if (!b || !bits) return 0;
  if (b->selectedIn) b->selectedIn->EndPainter();
  const int w = b->image.width();
  const int bpp = b->mono ? 1 : 32;
  const int stride = DdbStride(w, bpp);
  const auto* in = static_cast<const BYTE*>(bits);
  LONG read = 0;
  for (int y = 0; y < b->image.height() && DWORD(read + stride) <= count; ++y) {
    auto* row = reinterpret_cast<QRgb*>(b->image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      if (b->mono)
        row[x] = (in[x / 8] & (0x80 >> (x & 7))) ? 0xFFFFFFFF : 0xFF000000;
      else
        row[x] = qRgb(in[x * 4 + 2], in[x * 4 + 1], in[x * 4]);
    }
    in += stride;
    read += stride;
  }
  b->ExportDib();
  return read;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}

BOOL CBitmap::LoadBitmap(UINT resourceId) { return Attach(::LoadBitmap(resourceId)); }

int CBitmap::GetBitmap(BITMAP* bitmap) const { return ::GetObject(m_hObject, sizeof(BITMAP), bitmap); }

DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const {
  return DWORD(::GetBitmapBits(*this, LONG(count), bits));
}

CBitmap* CBitmap::FromHandle(HBITMAP handle) { return static_cast<CBitmap*>(CGdiObject::FromHandle(handle)); }
