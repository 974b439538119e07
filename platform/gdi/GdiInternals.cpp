#include "platform/gdi/GdiInternals.h"

#include <array>
#include <cstring>

namespace gdi {

QRgb ToRgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

COLORREF ToColorRef(QRgb p) { return RGB(BYTE(qRed(p)), BYTE(qGreen(p)), BYTE(qBlue(p))); }

bool IsWhiteish(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) >= 3 * 128; }

void ThresholdMono(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) row[x] = IsWhiteish(row[x]) ? 0xFFFFFFFF : 0xFF000000;
  }
}

QImage NewImage(int width, int height, bool alpha) {
  QImage image(std::max(width, 1), std::max(height, 1), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  image.fill(alpha ? 0x00000000 : 0xFF000000);
  return image;
}

QImage MaskedPicture(const IconPicture& picture) {
  QImage result = picture.color.convertToFormat(QImage::Format_ARGB32);
  const QImage mask = picture.mask.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < result.height() && y < mask.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
    const auto* maskRow = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
    for (int x = 0; x < result.width() && x < mask.width(); ++x)
      row[x] = IsWhiteish(maskRow[x]) ? 0x00000000 : (row[x] | 0xFF000000);
  }
  return result;
}

HBITMAP NewBitmap(QImage image, bool mono) {
  auto* b = new BitmapData;
  b->image = std::move(image);
  b->mono = mono;
  b->bitsPerPixel = mono ? 1 : 32;
  return b;
}

HBITMAP StockMonoBitmap() {
  static HBITMAP stock = [] {
    QImage image = NewImage(1, 1);
    image.fill(0xFF000000);
    HBITMAP b = NewBitmap(image, true);
    b->stock = true;
    return b;
  }();
  return stock;
}

namespace {

int Stride(int width, int bpp) { return ((width * bpp + 31) / 32) * 4; }

QRgb TableColor(const std::vector<RGBQUAD>& table, int index) {
  if (index < 0 || index >= int(table.size())) return 0xFF000000;
  const RGBQUAD& q = table[std::size_t(index)];
  return qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

int NearestIndex(const std::vector<RGBQUAD>& table, QRgb p) {
  int best = 0;
  int bestDistance = 1 << 30;
  for (std::size_t i = 0; i < table.size(); ++i) {
    int dr = int(table[i].rgbRed) - qRed(p);
    int dg = int(table[i].rgbGreen) - qGreen(p);
    int db = int(table[i].rgbBlue) - qBlue(p);
    int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = int(i);
      if (d == 0) break;
    }
  }
  return best;
}

}  // namespace

QRgb ReadDibPixel(const BYTE* row, int x, int bpp, const std::vector<RGBQUAD>& table) {
  switch (bpp) {
    case 32:
      return qRgba(row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3]);
    case 24:
      return qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    case 16: {
      int v = row[x * 2] | (row[x * 2 + 1] << 8);
      auto expand = [](int c) { return (c << 3) | (c >> 2); };
      return qRgb(expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
    }
    case 8:
      return TableColor(table, row[x]);
    case 4:
      return TableColor(table, (x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4));
    case 1:
      return TableColor(table, (row[x / 8] >> (7 - (x & 7))) & 1);
    default:
      return 0xFF000000;
  }
}

void WriteDibPixel(BYTE* row, int x, int bpp, const std::vector<RGBQUAD>& table, QRgb p) {
  switch (bpp) {
    case 32:
      row[x * 4] = BYTE(qBlue(p));
      row[x * 4 + 1] = BYTE(qGreen(p));
      row[x * 4 + 2] = BYTE(qRed(p));
      row[x * 4 + 3] = BYTE(qAlpha(p));
      break;
    case 24:
      row[x * 3] = BYTE(qBlue(p));
      row[x * 3 + 1] = BYTE(qGreen(p));
      row[x * 3 + 2] = BYTE(qRed(p));
      break;
    case 16: {
      int v = ((qRed(p) >> 3) << 10) | ((qGreen(p) >> 3) << 5) | (qBlue(p) >> 3);
      row[x * 2] = BYTE(v & 0xFF);
      row[x * 2 + 1] = BYTE(v >> 8);
      break;
    }
    case 8:
      row[x] = BYTE(NearestIndex(table, p));
      break;
    case 4: {
      int i = NearestIndex(table, p);
      row[x / 2] = BYTE((x & 1) ? ((row[x / 2] & 0xF0) | i) : ((row[x / 2] & 0x0F) | (i << 4)));
      break;
    }
    case 1: {
      int bit = 7 - (x & 7);
      row[x / 8] = BYTE((row[x / 8] & ~(1 << bit)) | (NearestIndex(table, p) << bit));
      break;
    }
    default:
      break;
  }
}

void BitmapData::ImportDib() {
  if (!dib) return;
  const int w = image.width();
  const int h = image.height();
  const bool bottomUp = dib->header.biHeight > 0;
  const int bpp = dib->header.biBitCount;
  // The colours of an indexed picture are looked up once, not per pixel.
  std::array<QRgb, 256> palette{};
  if (bpp == 8 || bpp == 4)
    for (int i = 0; i < (1 << bpp); ++i) palette[std::size_t(i)] = TableColor(dib->table, i);
  for (int y = 0; y < h; ++y) {
    const BYTE* src = dib->bits + std::size_t(bottomUp ? h - 1 - y : y) * std::size_t(dib->stride);
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    // The common depths row by row; the others pixel by pixel.
    if (bpp == 24) {
      for (int x = 0; x < w; ++x, src += 3) dst[x] = qRgb(src[2], src[1], src[0]);
    } else if (bpp == 32) {
      for (int x = 0; x < w; ++x, src += 4) dst[x] = qRgba(src[2], src[1], src[0], src[3]);
    } else if (bpp == 8) {
      for (int x = 0; x < w; ++x) dst[x] = palette[src[x]];
    } else if (bpp == 4) {
      for (int x = 0; x < w; ++x) dst[x] = palette[(x & 1) ? (src[x / 2] & 0x0F) : (src[x / 2] >> 4)];
    } else {
      for (int x = 0; x < w; ++x) dst[x] = ReadDibPixel(src, x, bpp, dib->table);
    }
  }
}

void BitmapData::ExportDib() {
  if (!dib) return;
  const int w = image.width();
  const int h = image.height();
  const bool bottomUp = dib->header.biHeight > 0;
  const int bpp = dib->header.biBitCount;
  for (int y = 0; y < h; ++y) {
    BYTE* dst = dib->bits + std::size_t(bottomUp ? h - 1 - y : y) * std::size_t(dib->stride);
    const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) WriteDibPixel(dst, x, bpp, dib->table, src[x]);
  }
}

int DibStride(int width, int bpp) { return Stride(width, bpp); }

}  // namespace gdi
