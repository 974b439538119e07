#include "toolkit/ImagePNG.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

void WriteData(png_structp png, png_bytep data, png_size_t length) {
  auto* file = static_cast<CImageFile*>(png_get_io_ptr(png));
  if (file->Write(data, 1, length) != length) png_error(png, "Write Error");
}

void FlushData(png_structp png) {
  auto* file = static_cast<CImageFile*>(png_get_io_ptr(png));
  if (!file->Flush()) png_error(png, "Flush Error");
}

// Everything one encoding hands to libpng, prepared before any libpng call can fail.
struct SPngJob {
  png_structp png;
  png_infop info;
  CImageObj* image;
  png_uint_32 width;
  png_uint_32 height;
  int bitDepth;
  int colourType;
  int interlace;
  png_color_16 background;
  png_uint_32 resX;
  png_uint_32 resY;
  const png_color* palette;
  int paletteSize;
  png_byte* row;
  std::size_t rowSize;
};

// A libpng error jumps out of this function, so it holds plain values only.
void WriteImage(const SPngJob& job) {
  png_structp png = job.png;
  png_infop info = job.info;
  png_set_bKGD(png, info, &job.background);
  png_set_pHYs(png, info, job.resX, job.resY, PNG_RESOLUTION_METER);
  png_set_IHDR(png, info, job.width, job.height, job.bitDepth, job.colourType, job.interlace,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (job.paletteSize > 0) png_set_PLTE(png, info, job.palette, job.paletteSize);

  png_write_info(png, info);
  const int passes = png_set_interlace_handling(png);
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = job.height; y-- > 0;) {
      std::memcpy(job.row, job.image->GetBits(y), job.image->GetRowBytes());
      if (job.colourType == PNG_COLOR_TYPE_RGB) job.image->SwapRedBlue(job.row, long(job.rowSize));
      png_write_row(png, job.row);
    }
  }
  png_write_end(png, info);
}

// The jump target of libpng's errors, in a frame of its own that the jump cannot disturb.
bool WriteProtected(const SPngJob& job) {
  if (setjmp(png_jmpbuf(job.png))) return false;
  WriteImage(job);
  return true;
}

}  // namespace

BOOL CImagePNG::Encode(CImageFile* file) {
  if (CheckEncodeTarget(file)) return FALSE;

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) {
    SetLastError("Failed to create PNG structure");
    return FALSE;
  }
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    SetLastError("Failed to initialize PNG info structure");
    return FALSE;
  }

  const bool hasPalette = GetNumColors() != 0;
  const bool grey = hasPalette && HasGreyPalette();
  const int channels = GetBpp() <= 8 ? 1 : 3;
  std::vector<png_color> palette;
  if (hasPalette && !grey) {
    const DWORD count = m_header.biClrImportant ? m_header.biClrImportant : m_header.biClrUsed;
    const RGBQUAD* entries = GetPaletteEntries();
    for (DWORD i = 0; i < count && i < GetNumColors(); ++i)
      palette.push_back(png_color{entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue});
  }

  SPngJob job{};
  job.png = png;
  job.info = info;
  job.image = this;
  job.width = GetWidth();
  job.height = GetHeight();
  job.bitDepth = GetBpp() / channels;
  job.colourType = grey ? PNG_COLOR_TYPE_GRAY : hasPalette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB;
  job.interlace = GetFormatOptions(IMAGE_TYPE_PNG) == 1 ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE;
  job.background.index = 0;
  job.background.red = job.background.green = job.background.blue = 255;
  job.background.gray = 0;
  job.resX = png_uint_32(m_header.biXPelsPerMeter);
  job.resY = png_uint_32(m_header.biYPelsPerMeter);
  job.palette = palette.data();
  job.paletteSize = int(palette.size());
  std::vector<png_byte> row(
      std::max<std::size_t>(std::size_t(job.bitDepth) / 8 * channels * job.width, m_rowBytes));
  job.row = row.data();
  job.rowSize = row.size();

  png_set_write_fn(png, file, WriteData, FlushData);
  const bool written = WriteProtected(job);
  png_destroy_write_struct(&png, &info);
  if (!written) {
    SetLastError("Error saving PNG file");
    return FALSE;
  }
  return TRUE;
}
