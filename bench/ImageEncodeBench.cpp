// Encoding a tall grid export (1200 x 8000, 24 bits) through the image object, against the
// bare library call on the same pixels already in the library's row order and channel order.
// The counter "ratio" is image object time / library time; the goal is at most 1.10.

#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <openjpeg.h>

#include "toolkit/ImageObj.h"

namespace {

constexpr DWORD kWidth = 1200;
constexpr DWORD kHeight = 8000;

// A grid picture: white cells, grey lines every 20 pixels down and 150 across, and a few
// coloured bars like rendered cell contents.
struct SPicture {
  CImageObj image;
  std::vector<BYTE> rgbTopDown;  // the same pixels as RGB rows from the top

  SPicture() {
    image.Create(kWidth, kHeight, 24, IMAGE_TYPE_UNKNOWN);
    rgbTopDown.resize(std::size_t(kWidth) * kHeight * 3);
    for (DWORD y = 0; y < kHeight; ++y) {
      BYTE* dib = image.GetBits(kHeight - 1 - y);
      BYTE* rgb = rgbTopDown.data() + std::size_t(y) * kWidth * 3;
      for (DWORD x = 0; x < kWidth; ++x) {
        BYTE r = 255, g = 255, b = 255;
        if (y % 20 == 0 || x % 150 == 0)
          r = g = b = 168;
        else if (y % 20 > 5 && y % 20 < 14 && x % 150 > 10 && x % 150 < 10 + (y * 7 + x / 150 * 13) % 120)
          r = BYTE(40 + x / 150 * 25), g = 60, b = BYTE(200 - y % 200);
        dib[3 * x] = b, dib[3 * x + 1] = g, dib[3 * x + 2] = r;
        rgb[3 * x] = r, rgb[3 * x + 1] = g, rgb[3 * x + 2] = b;
      }
    }
  }
};

SPicture& Picture() {
  static SPicture picture;
  return picture;
}

// --- bare library calls ---

std::size_t BmpBare(const SPicture& p) {
  // A bitmap file is the header and the DIB as they stand: one copy into the output.
  std::vector<BYTE> out(14 + 40);
  const std::size_t rowBytes = (kWidth * 3 + 3) / 4 * 4;
  out.resize(out.size() + rowBytes * kHeight);
  const BYTE* dib = const_cast<CImageObj&>(p.image).GetBits(0);
  std::memcpy(out.data() + 54, dib, rowBytes * kHeight);
  benchmark::DoNotOptimize(out.data());
  return out.size();
}

void PngAppend(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<BYTE>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

std::size_t PngBare(const SPicture& p) {
  std::vector<BYTE> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) std::abort();
  png_set_write_fn(png, &out, PngAppend, nullptr);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (DWORD y = 0; y < kHeight; ++y)
    png_write_row(png, const_cast<BYTE*>(p.rgbTopDown.data()) + std::size_t(y) * kWidth * 3);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out.size();
}

std::size_t JpegBare(const SPicture& p) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = kWidth;
  cinfo.image_height = kHeight;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, FALSE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<BYTE*>(p.rgbTopDown.data()) + std::size_t(cinfo.next_scanline) * kWidth * 3;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return size;
}

struct SOpjSink {
  std::vector<BYTE> bytes;
  std::size_t pos = 0;
};

OPJ_SIZE_T OpjWrite(void* data, OPJ_SIZE_T n, void* user) {
  auto* sink = static_cast<SOpjSink*>(user);
  if (sink->bytes.size() < sink->pos + n) sink->bytes.resize(sink->pos + n);
  std::memcpy(sink->bytes.data() + sink->pos, data, n);
  sink->pos += n;
  return n;
}

OPJ_OFF_T OpjSkip(OPJ_OFF_T n, void* user) {
  static_cast<SOpjSink*>(user)->pos += std::size_t(n);
  return n;
}

OPJ_BOOL OpjSeek(OPJ_OFF_T at, void* user) {
  static_cast<SOpjSink*>(user)->pos = std::size_t(at);
  return OPJ_TRUE;
}

std::size_t Jp2Bare(const SPicture& p) {
  opj_image_cmptparm_t parameters[3] = {};
  for (auto& c : parameters) c.dx = c.dy = 1, c.w = kWidth, c.h = kHeight, c.prec = 8;
  opj_image_t* image = opj_image_create(3, parameters, OPJ_CLRSPC_SRGB);
  image->x1 = kWidth;
  image->y1 = kHeight;
  const std::size_t n = std::size_t(kWidth) * kHeight;
  for (std::size_t i = 0; i < n; ++i)
    for (int c = 0; c < 3; ++c) image->comps[c].data[i] = p.rgbTopDown[3 * i + c];
  opj_cparameters_t coding;
  opj_set_default_encoder_parameters(&coding);
  coding.tcp_numlayers = 1;
  coding.tcp_rates[0] = float(1 / 0.9);
  coding.cp_disto_alloc = 1;
  opj_codec_t* codec = opj_create_compress(OPJ_CODEC_JP2);
  opj_setup_encoder(codec, &coding, image);
  SOpjSink sink;
  opj_stream_t* stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_FALSE);
  opj_stream_set_user_data(stream, &sink, nullptr);
  opj_stream_set_write_function(stream, OpjWrite);
  opj_stream_set_skip_function(stream, OpjSkip);
  opj_stream_set_seek_function(stream, OpjSeek);
  opj_start_compress(codec, image, stream);
  opj_encode(codec, stream);
  opj_end_compress(codec, stream);
  opj_stream_destroy(stream);
  opj_destroy_codec(codec);
  opj_image_destroy(image);
  return sink.bytes.size();
}

// --- the comparison ---

std::size_t ThroughImageObject(DWORD type) {
  BYTE* buffer = nullptr;
  std::int32_t size = 0;
  if (!Picture().image.EncodeToMemory(buffer, size, type)) std::abort();
  std::free(buffer);
  return std::size_t(size);
}

template <class F>
double Seconds(F f) {
  const auto start = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(f());
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Compare(benchmark::State& state, DWORD type, std::size_t (*bare)(const SPicture&)) {
  const SPicture& picture = Picture();
  double objectTotal = 0;
  double bareTotal = 0;
  bool bareFirst = false;
  for (auto _ : state) {
    // Alternating the order keeps cache and allocator warm-up from favouring either side.
    if (bareFirst) bareTotal += Seconds([&] { return bare(picture); });
    const double object = Seconds([&] { return ThroughImageObject(type); });
    if (!bareFirst) bareTotal += Seconds([&] { return bare(picture); });
    bareFirst = !bareFirst;
    objectTotal += object;
    state.SetIterationTime(object);
  }
  state.counters["library_ms"] = benchmark::Counter(bareTotal * 1000 / double(state.iterations()));
  state.counters["ratio"] = benchmark::Counter(objectTotal / bareTotal);
}

void BM_EncodeBmp(benchmark::State& state) { Compare(state, IMAGE_TYPE_BMP, BmpBare); }
void BM_EncodePng(benchmark::State& state) { Compare(state, IMAGE_TYPE_PNG, PngBare); }
void BM_EncodeJpeg(benchmark::State& state) { Compare(state, IMAGE_TYPE_JPEG, JpegBare); }
void BM_EncodeJpeg2000(benchmark::State& state) { Compare(state, IMAGE_TYPE_JPEG2000, Jp2Bare); }

BENCHMARK(BM_EncodeBmp)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_EncodePng)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_EncodeJpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_EncodeJpeg2000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
