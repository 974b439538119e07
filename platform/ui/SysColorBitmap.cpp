#include "platform/ui/SysColorBitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemInfo.h"

namespace {

struct SColorMap {
  BYTE red, green, blue;
  int systemColor;
};

constexpr SColorMap kSystemColors[] = {
    {0, 0, 0, COLOR_BTNTEXT},
    {128, 128, 128, COLOR_BTNSHADOW},
    {192, 192, 192, COLOR_BTNFACE},
    {255, 255, 255, COLOR_BTNHIGHLIGHT},
};

}  // namespace

HBITMAP LoadSysColorBitmap(const BYTE* packedDib, std::size_t size) {
  BITMAPINFOHEADER header;
  if (!packedDib || size < sizeof header) return nullptr;
  std::memcpy(&header, packedDib, sizeof header);
  if (header.biSize < sizeof header || header.biSize > size || header.biBitCount > 8) return nullptr;
  const std::size_t full = std::size_t(1) << header.biBitCount;
  std::size_t entries = header.biClrUsed ? std::min<std::size_t>(header.biClrUsed, full) : full;
  std::size_t tableEnd = header.biSize + entries * 4;
  if (tableEnd > size) return nullptr;
  std::vector<BYTE> copy(packedDib, packedDib + size);
  for (std::size_t i = 0; i < entries && i < 16; ++i) {
    BYTE* entry = copy.data() + header.biSize + i * 4;  // blue, green, red, reserved
    for (const SColorMap& map : kSystemColors) {
      if (entry[2] != map.red || entry[1] != map.green || entry[0] != map.blue) continue;
      COLORREF color = GetSysColor(map.systemColor);
      entry[0] = GetBValue(color);
      entry[1] = GetGValue(color);
      entry[2] = GetRValue(color);
      break;
    }
  }
  return CreateBitmapFromPackedDib(copy.data(), copy.size(), false);
}
