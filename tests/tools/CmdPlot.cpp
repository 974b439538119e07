// zdtool plot XMIN XMAX YMIN YMAX WIDTH HEIGHT OUTFILE.png: fits the scale to the ranges, draws
// the chart frame with the default settings into an off-screen picture, saves it as PNG and
// prints the chosen steps, the ranges and the plot rectangle in pixels.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GuiApplication.h"
#include "tests/tools/ZdTool.h"
#include "toolkit/GraphGrid.h"
#include "toolkit/GraphScale.h"
#include "toolkit/ImageObj.h"

namespace {

bool ParseDouble(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == 0;
}

bool ParseSize(const std::string& text, int& value) {
  double v = 0;
  if (!ParseDouble(text, v) || v < 1 || v > 20000 || v != int(v)) return false;
  value = int(v);
  return true;
}

bool WriteFile(const std::string& path, const BYTE* data, std::int32_t size) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(data, 1, std::size_t(size), out) == std::size_t(size);
  return std::fclose(out) == 0 && written;
}

int RunPlot(const std::vector<std::string>& args) {
  SGraphSettings s;
  int width = 0, height = 0;
  if (args.size() != 7 || !ParseDouble(args[0], s.dXMin) || !ParseDouble(args[1], s.dXMax) ||
      !ParseDouble(args[2], s.dYMin) || !ParseDouble(args[3], s.dYMax) || !ParseSize(args[4], width) ||
      !ParseSize(args[5], height)) {
    std::fprintf(stderr, "usage: zdtool plot XMIN XMAX YMIN YMAX WIDTH HEIGHT OUTFILE.png\n");
    return 2;
  }
  EnsureGuiApplication();

  // A white 24-bit picture selected into a memory context, drawn with the stock GUI font and
  // the context's own black pen.
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  CBitmap picture;
  picture.Attach(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  CBitmap* oldBitmap = dc.SelectObject(&picture);
  CGdiObject* oldFont = dc.SelectStockObject(DEFAULT_GUI_FONT);
  dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));

  s.rcArea = RECT{0, 0, width, height};
  FitGraphScale(s, &dc, false, false);
  CGraphGrid grid;
  grid.SetSettings(&dc, s);
  grid.Draw(&dc);
  const RECT plot = grid.GetPlotRect();
  dc.SelectObject(oldFont);
  dc.SelectObject(oldBitmap);

  CImageObj image;
  BYTE* png = nullptr;
  std::int32_t size = 0;
  if (!image.CreateFromHBITMAP(picture) || !image.EncodeToMemory(png, size, IMAGE_TYPE_PNG)) {
    std::fprintf(stderr, "%s\n", image.GetLastError());
    return 1;
  }
  const bool written = WriteFile(args[6], png, size);
  std::free(png);
  if (!written) {
    std::fprintf(stderr, "cannot write %s: %s\n", args[6].c_str(), std::strerror(errno));
    return 1;
  }
  std::printf("x step: %g\n", s.dXStep);
  std::printf("x minor step: %g\n", s.dXMinorStep);
  std::printf("x format: %s\n", s.strXFormat.ToUtf8().c_str());
  std::printf("y step: %g\n", s.dYStep);
  std::printf("y minor step: %g\n", s.dYMinorStep);
  std::printf("y format: %s\n", s.strYFormat.ToUtf8().c_str());
  std::printf("x range: %g %g\n", s.dXMin, s.dXMax);
  std::printf("y range: %g %g\n", s.dYMin, s.dYMax);
  std::printf("plot rect: %d %d %d %d\n", int(plot.left), int(plot.top), int(plot.right), int(plot.bottom));
  std::printf("bytes: %d\n", size);
  return 0;
}

const ZdCommandRegistrar kPlotRegistrar({"plot", "XMIN XMAX YMIN YMAX WIDTH HEIGHT OUTFILE.png", &RunPlot});

}  // namespace
