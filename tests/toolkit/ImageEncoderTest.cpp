#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "toolkit/ImageMemFile.h"
#include "toolkit/ImageObj.h"

namespace {

struct SRgb {
  BYTE r, g, b;
};

// Sets a pixel of a 24-bit picture, counting rows from the top as a viewer does.
void SetPixel(CImageObj& image, DWORD x, DWORD yFromTop, SRgb c) {
  BYTE* p = image.GetBits(image.GetHeight() - 1 - yFromTop) + 3 * x;
  p[0] = c.b, p[1] = c.g, p[2] = c.r;
}

std::vector<BYTE> EncodeToBytes(CImageObj& image, DWORD type) {
  BYTE* buffer = nullptr;
  std::int32_t size = 0;
  EXPECT_TRUE(image.EncodeToMemory(buffer, size, type)) << image.GetLastError();
  std::vector<BYTE> bytes(buffer, buffer + (buffer ? size : 0));
  std::free(buffer);
  return bytes;
}

// A picture whose top row is red, green, blue and whose bottom row is white, black, grey.
void MakeThreeByTwo(CImageObj& image) {
  ASSERT_NE(image.Create(3, 2, 24, 0), nullptr);
  const SRgb top[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  const SRgb bottom[] = {{255, 255, 255}, {0, 0, 0}, {128, 128, 128}};
  for (DWORD x = 0; x < 3; ++x) {
    SetPixel(image, x, 0, top[x]);
    SetPixel(image, x, 1, bottom[x]);
  }
}

TEST(BmpEncoder, ThreeByTwoTrueColourIsTheWindowsFileLayout) {
  CImageObj image;
  MakeThreeByTwo(image);
  const std::vector<BYTE> expected = {
      // file header: "BM", file size 78, reserved, pixel offset 14 + 40 = 54
      0x42, 0x4D, 0x4E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00,
      // info header: size 40, width 3, height 2, 1 plane, 24 bits, BI_RGB, image size 24,
      // 3780 x 3780 pels per metre (96 dpi), no colours used or important
      0x28, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x18, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x18, 0x00, 0x00, 0x00, 0xC4, 0x0E, 0x00, 0x00, 0xC4, 0x0E, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      // bottom row first, blue-green-red, padded to 12 bytes: white, black, grey
      0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x80, 0x80, 0x00, 0x00, 0x00,
      // top row: red, green, blue
      0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(EncodeToBytes(image, IMAGE_TYPE_BMP), expected);
}

TEST(BmpEncoder, PaletteImageStartsPixelsAfterTheColourTable) {
  CImageObj image;
  ASSERT_NE(image.Create(4, 1, 8, 0), nullptr);
  const std::vector<BYTE> bytes = EncodeToBytes(image, IMAGE_TYPE_BMP);
  ASSERT_EQ(bytes.size(), 14u + 40 + 1024 + 4);
  // pixel offset 14 + 40 + 256 * 4 = 1078 = 0x436
  EXPECT_EQ(bytes[10], 0x36);
  EXPECT_EQ(bytes[11], 0x04);
}

// A memory file that takes only so many bytes, as a full disk would.
class CShortMemFile : public CImageMemFile {
 public:
  explicit CShortMemFile(std::size_t room) : m_room(room) { Open(); }
  std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override {
    if (size * count > m_room) return 0;
    m_room -= size * count;
    return CImageMemFile::Write(buffer, size, count);
  }

 private:
  std::size_t m_room;
};

TEST(Encoders, ShortWriteIsReportedAsFailure) {
  CImageObj image;
  MakeThreeByTwo(image);
  for (DWORD type : {IMAGE_TYPE_BMP, IMAGE_TYPE_PNG, IMAGE_TYPE_JPEG, IMAGE_TYPE_JPEG2000}) {
    for (std::size_t room : {0u, 14u, 60u}) {
      CShortMemFile file(room);
      EXPECT_FALSE(image.Encode(&file, type)) << "type " << type << ", room " << room;
      EXPECT_STRNE(image.GetLastError(), "") << "type " << type;
    }
  }
  CShortMemFile file(78);
  EXPECT_TRUE(image.Encode(&file, IMAGE_TYPE_BMP));
}

// PNG read back through libpng.
struct SPngRead {
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0, interlace = 0;
  bool hasBackground = false;
  png_color_16 background{};
  png_uint_32 resX = 0, resY = 0;
  int resUnit = -1;
  std::vector<png_color> palette;
  std::vector<std::vector<BYTE>> rows;  // top row first, as stored
};

struct SPngSource {
  const std::vector<BYTE>* bytes;
  std::size_t pos;
};

void ReadFromVector(png_structp png, png_bytep out, png_size_t length) {
  auto* src = static_cast<SPngSource*>(png_get_io_ptr(png));
  if (src->pos + length > src->bytes->size()) png_error(png, "past the end");
  std::memcpy(out, src->bytes->data() + src->pos, length);
  src->pos += length;
}

SPngRead DecodePng(const std::vector<BYTE>& bytes) {
  SPngRead r;
  EXPECT_EQ(png_sig_cmp(bytes.data(), 0, 8), 0);
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  SPngSource src{&bytes, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    ADD_FAILURE() << "libpng could not read the file";
    return SPngRead{};
  }
  png_set_read_fn(png, &src, ReadFromVector);
  png_read_info(png, info);
  png_get_IHDR(png, info, &r.width, &r.height, &r.bitDepth, &r.colourType, &r.interlace, nullptr, nullptr);
  png_color_16p bg = nullptr;
  if (png_get_bKGD(png, info, &bg)) r.hasBackground = true, r.background = *bg;
  png_get_pHYs(png, info, &r.resX, &r.resY, &r.resUnit);
  png_colorp pal = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &pal, &count)) r.palette.assign(pal, pal + count);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  r.rows.assign(r.height, std::vector<BYTE>(png_get_rowbytes(png, info)));
  std::vector<png_bytep> pointers;
  for (auto& row : r.rows) pointers.push_back(row.data());
  png_read_image(png, pointers.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return r;
}

TEST(PngEncoder, TrueColourReadsBackWithItsChunksAndPixels) {
  CImageObj image;
  MakeThreeByTwo(image);
  const SPngRead r = DecodePng(EncodeToBytes(image, IMAGE_TYPE_PNG));
  EXPECT_EQ(r.width, 3u);
  EXPECT_EQ(r.height, 2u);
  EXPECT_EQ(r.bitDepth, 8);
  EXPECT_EQ(r.colourType, PNG_COLOR_TYPE_RGB);
  EXPECT_EQ(r.interlace, PNG_INTERLACE_NONE);
  ASSERT_TRUE(r.hasBackground);
  EXPECT_EQ(r.background.red, 255);
  EXPECT_EQ(r.background.green, 255);
  EXPECT_EQ(r.background.blue, 255);
  EXPECT_EQ(r.resX, 3780u);
  EXPECT_EQ(r.resY, 3780u);
  EXPECT_EQ(r.resUnit, PNG_RESOLUTION_METER);
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(r.rows[0], (std::vector<BYTE>{255, 0, 0, 0, 255, 0, 0, 0, 255}));
  EXPECT_EQ(r.rows[1], (std::vector<BYTE>{255, 255, 255, 0, 0, 0, 128, 128, 128}));
}

TEST(PngEncoder, ColourPaletteBecomesPlteAndGreyPaletteBecomesGrey) {
  CImageObj image;
  ASSERT_NE(image.Create(2, 2, 8, 0), nullptr);
  RGBQUAD* palette = image.GetPaletteEntries();
  for (int i = 0; i < 256; ++i) palette[i] = RGBQUAD{BYTE(255 - i), BYTE(i / 2), BYTE(i), 0};
  image.GetBits(1)[0] = 7;    // top-left
  image.GetBits(0)[1] = 250;  // bottom-right

  SPngRead r = DecodePng(EncodeToBytes(image, IMAGE_TYPE_PNG));
  EXPECT_EQ(r.colourType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(r.bitDepth, 8);
  ASSERT_EQ(r.palette.size(), 256u);
  EXPECT_EQ(r.palette[7].red, 7);
  EXPECT_EQ(r.palette[7].green, 3);
  EXPECT_EQ(r.palette[7].blue, 248);
  EXPECT_EQ(r.rows[0][0], 7);
  EXPECT_EQ(r.rows[1][1], 250);

  for (int i = 0; i < 256; ++i) palette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
  r = DecodePng(EncodeToBytes(image, IMAGE_TYPE_PNG));
  EXPECT_EQ(r.colourType, PNG_COLOR_TYPE_GRAY);
  EXPECT_TRUE(r.palette.empty());
  EXPECT_EQ(r.rows[0][0], 7);
  EXPECT_EQ(r.rows[1][1], 250);
}

TEST(PngEncoder, OneBitPictureKeepsItsDepth) {
  CImageObj image;
  ASSERT_NE(image.Create(10, 1, 1, 0), nullptr);
  RGBQUAD* palette = image.GetPaletteEntries();
  palette[1] = RGBQUAD{255, 255, 255, 0};
  image.GetBits(0)[0] = 0xA0;  // pixels 0 and 2 use entry 1
  const SPngRead r = DecodePng(EncodeToBytes(image, IMAGE_TYPE_PNG));
  EXPECT_EQ(r.bitDepth, 1);
  EXPECT_EQ(r.colourType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(r.palette.size(), 2u);
  EXPECT_EQ(r.rows[0][0], 0xA0);
}

TEST(PngEncoder, OptionWordOneInterlacesWithoutChangingPixels) {
  CImageObj image;
  MakeThreeByTwo(image);
  image.SetFormatOptions(IMAGE_TYPE_PNG, 1);
  const SPngRead r = DecodePng(EncodeToBytes(image, IMAGE_TYPE_PNG));
  EXPECT_EQ(r.interlace, PNG_INTERLACE_ADAM7);
  EXPECT_EQ(r.rows[1], (std::vector<BYTE>{255, 255, 255, 0, 0, 0, 128, 128, 128}));
}

// JPEG read back through libjpeg.
struct SJpegRead {
  bool jfif = false;
  int densityUnit = -1, xDensity = 0, yDensity = 0;
  int components = 0;
  J_COLOR_SPACE colourSpace = JCS_UNKNOWN;
  int h0 = 0, v0 = 0, h1 = 0, v1 = 0;
  int lumaQ0 = 0, lumaQ1 = 0;
  JDIMENSION width = 0, height = 0;
  std::vector<std::vector<BYTE>> rows;
};

SJpegRead DecodeJpeg(const std::vector<BYTE>& bytes) {
  SJpegRead r;
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  r.jfif = cinfo.saw_JFIF_marker;
  r.densityUnit = cinfo.density_unit;
  r.xDensity = cinfo.X_density;
  r.yDensity = cinfo.Y_density;
  r.components = cinfo.num_components;
  r.colourSpace = cinfo.jpeg_color_space;
  r.h0 = cinfo.comp_info[0].h_samp_factor;
  r.v0 = cinfo.comp_info[0].v_samp_factor;
  if (cinfo.num_components > 1)
    r.h1 = cinfo.comp_info[1].h_samp_factor, r.v1 = cinfo.comp_info[1].v_samp_factor;
  r.lumaQ0 = cinfo.quant_tbl_ptrs[0]->quantval[0];
  r.lumaQ1 = cinfo.quant_tbl_ptrs[0]->quantval[1];
  jpeg_start_decompress(&cinfo);
  r.width = cinfo.output_width;
  r.height = cinfo.output_height;
  while (cinfo.output_scanline < cinfo.output_height) {
    std::vector<BYTE> row(cinfo.output_width * cinfo.output_components);
    JSAMPROW p = row.data();
    jpeg_read_scanlines(&cinfo, &p, 1);
    r.rows.push_back(row);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return r;
}

// 16 x 16, the top half red and the bottom half blue: flat areas survive the coding closely.
void MakeRedOverBlue(CImageObj& image) {
  ASSERT_NE(image.Create(16, 16, 24, 0), nullptr);
  for (DWORD y = 0; y < 16; ++y)
    for (DWORD x = 0; x < 16; ++x) SetPixel(image, x, y, y < 8 ? SRgb{255, 0, 0} : SRgb{0, 0, 255});
}

TEST(JpegEncoder, WritesJfifAt96DpiWithQuality90And2x2Sampling) {
  CImageObj image;
  MakeRedOverBlue(image);
  const SJpegRead r = DecodeJpeg(EncodeToBytes(image, IMAGE_TYPE_JPEG));
  EXPECT_TRUE(r.jfif);
  EXPECT_EQ(r.densityUnit, 1);
  EXPECT_EQ(r.xDensity, 96);
  EXPECT_EQ(r.yDensity, 96);
  EXPECT_EQ(r.components, 3);
  EXPECT_EQ(r.colourSpace, JCS_YCbCr);
  EXPECT_EQ(r.h0, 2);
  EXPECT_EQ(r.v0, 2);
  EXPECT_EQ(r.h1, 1);
  EXPECT_EQ(r.v1, 1);
  // Quality 90 scales the standard luminance table (16, 11, ...) by 20 %: (16*20+50)/100 = 3
  // and (11*20+50)/100 = 2.
  EXPECT_EQ(r.lumaQ0, 3);
  EXPECT_EQ(r.lumaQ1, 2);
  ASSERT_EQ(r.rows.size(), 16u);
  const BYTE* top = r.rows[2].data() + 3 * 5;
  const BYTE* bottom = r.rows[13].data() + 3 * 5;
  EXPECT_NEAR(top[0], 255, 8);
  EXPECT_NEAR(top[2], 0, 8);
  EXPECT_NEAR(bottom[0], 0, 8);
  EXPECT_NEAR(bottom[2], 255, 8);
}

TEST(JpegEncoder, SamplingOptionsAndGreyPalette) {
  CImageObj image;
  MakeRedOverBlue(image);
  image.SetFormatOptions(IMAGE_TYPE_JPEG, JPEG_OPTION_SUBSAMPLE_422);
  SJpegRead r = DecodeJpeg(EncodeToBytes(image, IMAGE_TYPE_JPEG));
  EXPECT_EQ(r.h0, 2);
  EXPECT_EQ(r.v0, 1);
  image.SetFormatOptions(IMAGE_TYPE_JPEG, JPEG_OPTION_SUBSAMPLE_422 | JPEG_OPTION_SUBSAMPLE_444);
  r = DecodeJpeg(EncodeToBytes(image, IMAGE_TYPE_JPEG));
  EXPECT_EQ(r.h0, 1);
  EXPECT_EQ(r.v0, 1);

  CImageObj grey;
  ASSERT_NE(grey.Create(8, 8, 8, 0), nullptr);
  RGBQUAD* palette = grey.GetPaletteEntries();
  for (int i = 0; i < 256; ++i) palette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
  for (DWORD y = 0; y < 8; ++y) std::memset(grey.GetBits(y), 100, 8);
  r = DecodeJpeg(EncodeToBytes(grey, IMAGE_TYPE_JPEG));
  EXPECT_EQ(r.components, 1);
  EXPECT_EQ(r.colourSpace, JCS_GRAYSCALE);
  EXPECT_NEAR(r.rows[4][4], 100, 2);
}

TEST(Encoders, ColourPaletteIsRefusedByJpegAndJpeg2000) {
  CImageObj image;
  ASSERT_NE(image.Create(4, 4, 8, 0), nullptr);
  image.GetPaletteEntries()[1] = RGBQUAD{0, 0, 255, 0};
  BYTE* buffer = nullptr;
  std::int32_t size = 0;
  EXPECT_FALSE(image.EncodeToMemory(buffer, size, IMAGE_TYPE_JPEG));
  EXPECT_STREQ(image.GetLastError(), "JPEG can save only RGB or GreyScale images");
  EXPECT_FALSE(image.EncodeToMemory(buffer, size, IMAGE_TYPE_JPEG2000));
  EXPECT_STREQ(image.GetLastError(), "JasPer can save only RGB or GrayScale images");
  EXPECT_EQ(buffer, nullptr);
  EXPECT_TRUE(image.EncodeToMemory(buffer, size, IMAGE_TYPE_PNG));
  std::free(buffer);
}

std::uint32_t Be32(const std::vector<BYTE>& b, std::size_t at) {
  return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 | std::uint32_t(b[at + 2]) << 8 |
         b[at + 3];
}

std::size_t FindBox(const std::vector<BYTE>& b, const char* type) {
  const std::string bytes(b.begin(), b.end());
  return bytes.find(type);
}

TEST(Jpeg2000Encoder, WritesTheJp2ContainerBoxes) {
  struct Case {
    DWORD bpp;
    std::uint16_t components;
  };
  for (const Case c : {Case{24, 3}, Case{8, 1}}) {
    CImageObj image;
    ASSERT_NE(image.Create(5, 3, c.bpp, 0), nullptr);
    if (c.bpp == 8) {
      RGBQUAD* palette = image.GetPaletteEntries();
      for (int i = 0; i < 256; ++i) palette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
    }
    const std::vector<BYTE> b = EncodeToBytes(image, IMAGE_TYPE_JPEG2000);
    ASSERT_GT(b.size(), 40u);
    // signature box: length 12, "jP  ", CR LF 0x87 LF
    const std::vector<BYTE> signature = {0, 0, 0, 12, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), b.begin()));
    // file type box right after it, brand "jp2 "
    EXPECT_EQ(std::string(b.begin() + 16, b.begin() + 24), "ftypjp2 ");
    // image header box: height, width, components, bits per component - 1
    const std::size_t ihdr = FindBox(b, "ihdr");
    ASSERT_NE(ihdr, std::string::npos);
    EXPECT_EQ(Be32(b, ihdr + 4), 3u);
    EXPECT_EQ(Be32(b, ihdr + 8), 5u);
    EXPECT_EQ(b[ihdr + 12] << 8 | b[ihdr + 13], c.components);
    EXPECT_EQ(b[ihdr + 14], 7);
    EXPECT_NE(FindBox(b, "jp2c"), std::string::npos);
  }
}

}  // namespace
