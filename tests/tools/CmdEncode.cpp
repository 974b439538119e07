// zdtool encode WIDTH HEIGHT BPP FORMAT OUTFILE: a test picture with a fixed pattern, made
// through the image object and encoded into memory, then written to OUTFILE.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/tools/ZdTool.h"
#include "toolkit/ImageObj.h"

namespace {

bool ParseDword(const std::string& text, DWORD& value) {
  char* end = nullptr;
  const unsigned long long v = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || *end || v > 0xFFFFFFFFull || text[0] == '-') return false;
  value = DWORD(v);
  return true;
}

DWORD FormatType(const std::string& name) {
  if (name == "bmp") return IMAGE_TYPE_BMP;
  if (name == "png") return IMAGE_TYPE_PNG;
  if (name == "jpg") return IMAGE_TYPE_JPEG;
  if (name == "jp2") return IMAGE_TYPE_JPEG2000;
  return IMAGE_TYPE_UNKNOWN;
}

// Colour pictures get red across, green down and a blue checkerboard of 8-pixel squares;
// palette pictures a grey palette (so every encoder takes them) with diagonal bands.
void FillPattern(CImageObj& image) {
  const DWORD width = image.GetWidth();
  const DWORD height = image.GetHeight();
  if (RGBQUAD* palette = image.GetPaletteEntries()) {
    const DWORD colours = image.GetNumColors();
    for (DWORD i = 0; i < colours; ++i) palette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
    const int bpp = image.GetBpp();
    for (DWORD y = 0; y < height; ++y) {
      BYTE* row = image.GetBits(y);
      for (DWORD x = 0; x < width; ++x) {
        const DWORD index = ((x + y) / 4) % colours;
        const DWORD bit = x * bpp;
        const int shift = 8 - bpp - int(bit % 8);
        row[bit / 8] = BYTE(row[bit / 8] | (index << shift));
      }
    }
    return;
  }
  for (DWORD y = 0; y < height; ++y) {
    BYTE* pixel = image.GetBits(y);
    for (DWORD x = 0; x < width; ++x, pixel += 3) {
      pixel[0] = ((x / 8 + y / 8) % 2) ? 255 : 0;
      pixel[1] = BYTE(std::uint64_t(y) * 255 / height);
      pixel[2] = BYTE(std::uint64_t(x) * 255 / width);
    }
  }
}

int RunEncode(const std::vector<std::string>& args) {
  DWORD width = 0, height = 0, bpp = 0;
  if (args.size() != 5 || !ParseDword(args[0], width) || !ParseDword(args[1], height) ||
      !ParseDword(args[2], bpp)) {
    std::fprintf(stderr, "usage: zdtool encode WIDTH HEIGHT BPP FORMAT OUTFILE\n");
    return 2;
  }
  CImageObj image;
  if (!image.Create(width, height, bpp, IMAGE_TYPE_UNKNOWN)) {
    std::fprintf(stderr, "%s\n", image.GetLastError());
    return 1;
  }
  FillPattern(image);

  BYTE* buffer = nullptr;
  std::int32_t size = 0;
  if (!image.EncodeToMemory(buffer, size, FormatType(args[3]))) {
    std::fprintf(stderr, "%s\n", image.GetLastError());
    return 1;
  }
  std::FILE* out = std::fopen(args[4].c_str(), "wb");
  const bool written = out && std::fwrite(buffer, 1, std::size_t(size), out) == std::size_t(size);
  const bool closed = out && std::fclose(out) == 0;
  std::free(buffer);
  if (!written || !closed) {
    std::fprintf(stderr, "cannot write %s: %s\n", args[4].c_str(), std::strerror(errno));
    return 1;
  }
  std::printf("bytes: %d\n", size);
  return 0;
}

const ZdCommandRegistrar kEncodeRegistrar({"encode", "WIDTH HEIGHT BPP FORMAT OUTFILE", &RunEncode});

}  // namespace
