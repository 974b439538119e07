// The measurement page's picture export of 1,000 tests, headers only, into one PNG file, as the
// user runs it (dialog answered at once, the progress dialog's last half second scaled away):
// one strip rendered per test and stacked into the picture, then encoded and written; against
// the bare baseline of one RenderToBitmap of the whole grid and a bare libpng encode of that
// bitmap (goal: at most 3 times as long).

#include <benchmark/benchmark.h>
#include <png.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "appbase/Registry.h"
#include "bench/RatioReporter.h"
#include "bench/TabGridHost.h"
#include "platform/base/Clock.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"

namespace {

constexpr int kTests = 1000;

std::string OutputPath() {
  return (std::filesystem::temp_directory_path() / "zd-picture-export-bench.png").string();
}

void BM_PictureExportOf1000(benchmark::State& state) {
  STabGridHost host(kTests);
  CScriptedAnswers answers;
  RegSetString(kSettingsKey, u"ImgExpSource", u"0");
  RegSetString(kSettingsKey, u"ImgExpTarget", u"5");
  RegSetString(kSettingsKey, u"ImgExpSelection", u"3");
  for (auto _ : state) {
    answers.AddFileDialogAnswer(CString::FromUtf8(OutputPath()));
    answers.AddModalDialogScript([](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, IDOK, 0); });
    if (host.page.SendMessage(WM_PAGE_EXPORT_GRAPHIC) != 0 || !answers.GetMessageBoxes().empty())
      state.SkipWithError("export");
  }
  std::filesystem::remove(OutputPath());
}
BENCHMARK(BM_PictureExportOf1000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void PngAppend(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<BYTE>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

// The grid's rows as 24-bit RGB top-down, encoded with the library's defaults.
std::vector<BYTE> EncodePng(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
  std::vector<BYTE> pixels(stride * std::size_t(height));
  HDC dc = CreateCompatibleDC(nullptr);
  GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  std::vector<BYTE> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop pngInfo = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) std::abort();
  png_set_write_fn(png, &out, PngAppend, nullptr);
  png_set_IHDR(png, pngInfo, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, pngInfo);
  png_set_bgr(png);
  for (int y = 0; y < height; ++y) png_write_row(png, pixels.data() + std::size_t(y) * stride);
  png_write_end(png, pngInfo);
  png_destroy_write_struct(&png, &pngInfo);
  return out;
}

void BM_RenderAndPngOf1000(benchmark::State& state) {
  STabGridHost host(kTests);
  for (auto _ : state) {
    CBitmap bitmap;
    if (!host.Grid().RenderToBitmap(&bitmap)) state.SkipWithError("render");
    benchmark::DoNotOptimize(EncodePng(HBITMAP(bitmap.GetSafeHandle()), host.Grid().GetTotalWidth(),
                                       host.Grid().GetTotalHeight()));
  }
}
BENCHMARK(BM_RenderAndPngOf1000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path settings =
      std::filesystem::temp_directory_path() / ("zd-picture-export-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(settings);
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  CUiApplication application;
  RegisterProgramResources(nullptr);
  SetTimeScale(1e6);
  const int result = RunWithRatioReporter(argc, argv, [](RatioReporter& reporter) {
    const double ratio = reporter.Ratio("BM_PictureExportOf1000", "BM_RenderAndPngOf1000");
    if (ratio > 0)
      std::printf("picture export / render and PNG encode of 1,000 tests: %.2f (goal <= 3)\n", ratio);
  });
  std::filesystem::remove_all(settings);
  return result;
}
