// DIB sections, DIB transfers and bitmap resources.

#include <cstring>
#include <mutex>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/Gdi.h"

namespace {

bool ValidDepth(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32; }

int TableEntries(const BITMAPINFOHEADER& h) {
  if (h.biBitCount > 8) return 0;
  const int full = 1 << h.biBitCount;
  if (h.biClrUsed == 0) return full;
  return std::min<int>(int(h.biClrUsed), full);
}

bool ValidHeader(const BITMAPINFOHEADER& h) {
  return h.biSize >= sizeof(BITMAPINFOHEADER) && h.biWidth > 0 && h.biHeight != 0 && h.biPlanes == 1 &&
         ValidDepth(h.biBitCount) && (h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS);
}

std::vector<RGBQUAD> DefaultTable(int bpp) {
  std::vector<RGBQUAD> table;
  if (bpp == 1) {
    table = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  } else if (bpp == 4) {
    static const BYTE vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (const auto& c : vga) table.push_back({c[2], c[1], c[0], 0});
  } else if (bpp == 8) {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) table.push_back({BYTE(b * 51), BYTE(g * 51), BYTE(r * 51), 0});
    for (int i = 0; table.size() < 256; ++i) {
      BYTE v = BYTE(8 + i * 6);
      table.push_back({v, v, v, 0});
    }
  }
  return table;
}

std::mutex g_providerLock;
BitmapResourceProvider g_provider;

}  // namespace

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD) {
  if (bits) *bits = nullptr;
  if (!info || !ValidHeader(info->bmiHeader)) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const int width = h.biWidth;
  const int height = std::abs(h.biHeight);
  auto dib = std::make_unique<gdi::DibInfo>();
  dib->header = h;
  dib->header.biSize = sizeof(BITMAPINFOHEADER);
  dib->stride = gdi::DibStride(width, h.biBitCount);
  dib->header.biSizeImage = DWORD(dib->stride * height);
  const int entries = TableEntries(h);
  dib->table.assign(info->bmiColors, info->bmiColors + entries);
  dib->storage = std::make_unique<BYTE[]>(std::size_t(dib->stride) * std::size_t(height));
  std::memset(dib->storage.get(), 0, std::size_t(dib->stride) * std::size_t(height));
  dib->bits = dib->storage.get();
  auto* b = new gdi::BitmapData;
  b->image = gdi::NewImage(width, height, h.biBitCount == 32);
  b->bitsPerPixel = h.biBitCount;
  b->dib = std::move(dib);
  b->ImportDib();
  if (bits) *bits = b->dib->bits;
  return b;
}

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT) {
  auto* b = gdi::Data<gdi::BitmapData>(bitmap);
  if (!b || !info) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  b->ImportDib();
  const int width = b->image.width();
  const int height = b->image.height();
  if (h.biBitCount == 0) {
    // Only the bitmap's own description is asked for.
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = WORD(b->bitsPerPixel);
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(gdi::DibStride(width, b->bitsPerPixel) * height);
    return height;
  }
  if (!ValidDepth(h.biBitCount) || h.biWidth != width || h.biHeight == 0) return 0;
  h.biCompression = BI_RGB;
  const int stride = gdi::DibStride(width, h.biBitCount);
  h.biSizeImage = DWORD(stride * std::abs(h.biHeight));
  std::vector<RGBQUAD> table;
  if (h.biBitCount <= 8) {
    table =
        (b->dib && b->dib->header.biBitCount == h.biBitCount) ? b->dib->table : DefaultTable(h.biBitCount);
    table.resize(std::size_t(1) << h.biBitCount);
    std::memcpy(info->bmiColors, table.data(), table.size() * sizeof(RGBQUAD));
    h.biClrUsed = 0;
  }
  if (!bits) return height;
  const bool bottomUp = h.biHeight > 0;
  auto* out = static_cast<BYTE*>(bits);
  int copied = 0;
  for (UINT scan = start; scan < start + lines && int(scan) < height; ++scan, ++copied) {
    const int y = bottomUp ? height - 1 - int(scan) : int(scan);
    BYTE* row = out + std::size_t(copied) * std::size_t(stride);
    std::memset(row, 0, std::size_t(stride));
    const auto* src = reinterpret_cast<const QRgb*>(b->image.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      QRgb p = src[x];
      if (b->mono && h.biBitCount == 1) p = gdi::IsWhiteish(p) ? 0xFFFFFFFF : 0xFF000000;
      // Device-dependent bitmaps have no alpha: the unused byte reads 0.
      if (h.biBitCount == 32 && !b->dib) p &= 0x00FFFFFF;
      gdi::WriteDibPixel(row, x, h.biBitCount, table, p);
    }
  }
  return copied;
}

namespace {

// A DIB section holding a copy of the given bits.
HBITMAP DibFromBits(const void* bits, const BITMAPINFO* info) {
  void* target = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &target, nullptr, 0);
  if (!dib) return nullptr;
  auto* data = static_cast<gdi::BitmapData*>(dib);
  std::memcpy(target, bits, data->dib->header.biSizeImage);
  data->ImportDib();
  return dib;
}

}  // namespace

HBITMAP CreateBitmapFromPackedDib(const BYTE* data, std::size_t size, bool asDibSection) {
  if (!data || size < sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPINFOHEADER h;
  std::memcpy(&h, data, sizeof h);
  if (!ValidHeader(h) || h.biSize > size) return nullptr;
  const std::size_t tableBytes = std::size_t(TableEntries(h)) * sizeof(RGBQUAD);
  const std::size_t maskBytes = h.biCompression == BI_BITFIELDS ? 12 : 0;
  const std::size_t offset = h.biSize + maskBytes + tableBytes;
  const std::size_t pixelBytes =
      std::size_t(gdi::DibStride(h.biWidth, h.biBitCount)) * std::size_t(std::abs(h.biHeight));
  if (offset > size || pixelBytes > size - offset) return nullptr;
  std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + tableBytes);
  h.biSize = sizeof(BITMAPINFOHEADER);
  std::memcpy(info.data(), &h, sizeof h);
  std::memcpy(info.data() + sizeof h, data + h.biSize + maskBytes, tableBytes);
  HBITMAP dib = DibFromBits(data + offset, reinterpret_cast<const BITMAPINFO*>(info.data()));
  if (!dib || asDibSection) return dib;
  auto* d = static_cast<gdi::BitmapData*>(dib);
  // A two-colour black and white bitmap loads as a monochrome bitmap.
  const auto& table = d->dib->table;
  const bool mono = h.biBitCount == 1 && table.size() == 2 && table[0].rgbRed == 0 &&
                    table[0].rgbGreen == 0 && table[0].rgbBlue == 0 && table[1].rgbRed == 255 &&
                    table[1].rgbGreen == 255 && table[1].rgbBlue == 255;
  QImage image = d->image.convertToFormat(QImage::Format_RGB32);
  DeleteObject(dib);
  return gdi::NewBitmap(image, mono);
}

void SetBitmapResourceProvider(BitmapResourceProvider provider) {
  std::lock_guard guard(g_providerLock);
  g_provider = std::move(provider);
}

std::vector<BYTE> FindBitmapResource(UINT resourceId) {
  BitmapResourceProvider provider;
  {
    std::lock_guard guard(g_providerLock);
    provider = g_provider;
  }
  return provider ? provider(resourceId) : std::vector<BYTE>{};
}

HBITMAP LoadBitmapAsDibSection(UINT resourceId) {
  std::vector<BYTE> packed = FindBitmapResource(resourceId);
  if (packed.empty()) return nullptr;
  return CreateBitmapFromPackedDib(packed.data(), packed.size(), true);
}
