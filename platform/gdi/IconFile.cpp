#include "platform/gdi/IconFile.h"

#include <cstring>
#include <optional>
#include <vector>

#include "platform/base/IconDirectory.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternals.h"

namespace {

constexpr QRgb kTransparent = 0xFFFFFFFF;
constexpr QRgb kOpaque = 0xFF000000;
// Icon pictures are at most 256 pixels on a side (a directory entry's byte 0 stands for 256).
constexpr int kMaxSide = 256;

// The 1-bit mask rows (bottom-up, each padded to 32 bits; a set bit is transparent) as an
// RGB32 mask.
QImage ReadMask(const BYTE* bits, int width, int height) {
  const int stride = gdi::DibStride(width, 1);
  QImage mask = gdi::NewImage(width, height);
  for (int y = 0; y < height; ++y) {
    const BYTE* row = bits + std::size_t(height - 1 - y) * std::size_t(stride);
    auto* line = reinterpret_cast<QRgb*>(mask.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = (row[x / 8] & (0x80 >> (x % 8))) ? kTransparent : kOpaque;
  }
  return mask;
}

// A picture: a packed DIB of twice the picture's height whose colour pixels the mask follows,
// the mask ending the picture's bytes.
std::optional<IconPicture> ReadPicture(const BYTE* data, std::size_t size) {
  BITMAPINFOHEADER header;
  if (size < sizeof header) return std::nullopt;
  std::memcpy(&header, data, sizeof header);
  if (header.biWidth <= 0 || header.biHeight <= 0 || header.biHeight % 2 != 0) return std::nullopt;
  if (header.biWidth > kMaxSide || header.biHeight / 2 > kMaxSide) return std::nullopt;
  const int width = header.biWidth;
  const int height = header.biHeight / 2;
  const std::size_t maskBytes = std::size_t(gdi::DibStride(width, 1)) * std::size_t(height);
  if (maskBytes > size - sizeof header) return std::nullopt;
  std::vector<BYTE> colour(data, data + (size - maskBytes));
  header.biHeight = height;
  std::memcpy(colour.data(), &header, sizeof header);
  HBITMAP bitmap = CreateBitmapFromPackedDib(colour.data(), colour.size(), false);
  if (!bitmap) return std::nullopt;
  IconPicture picture;
  picture.color = gdi::Data<gdi::BitmapData>(bitmap)->image.copy();
  DeleteObject(bitmap);
  picture.mask = ReadMask(data + (size - maskBytes), width, height);
  return picture;
}

// The entry of the size asked for, else the smallest larger one, else the largest.
std::size_t ChooseEntry(const std::vector<SIconDirectoryEntry>& entries, int cx, int cy) {
  auto fits = [cx, cy](const SIconDirectoryEntry& e) { return e.width >= cx && e.height >= cy; };
  auto area = [](const SIconDirectoryEntry& e) { return e.width * e.height; };
  std::size_t best = 0;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const SIconDirectoryEntry& e = entries[i];
    const SIconDirectoryEntry& b = entries[best];
    const bool better = fits(e) ? (!fits(b) || area(e) < area(b)) : (!fits(b) && area(e) > area(b));
    if (better) best = i;
  }
  return best;
}

}  // namespace

HICON CreateIconFromIconFile(const BYTE* data, std::size_t size, int cx, int cy) {
  const auto entries = ReadIconDirectory(data, size);
  if (!entries) return nullptr;
  std::vector<IconPicture> pictures;
  for (const SIconDirectoryEntry& entry : *entries) {
    auto picture = ReadPicture(data + entry.offset, entry.size);
    if (!picture) return nullptr;
    pictures.push_back(std::move(*picture));
  }
  const std::size_t chosen = ChooseEntry(*entries, cx, cy);
  auto* icon = new IconData;
  static_cast<IconPicture&>(*icon) = std::move(pictures[chosen]);
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (i != chosen) icon->otherSizes.push_back(std::move(pictures[i]));
  }
  return icon;
}
