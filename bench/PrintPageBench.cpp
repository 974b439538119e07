// Printing an A4 page of text and lines at 600 dpi: into a PDF file, drawn as vector
// graphics and text, against the memory printer, which draws the page as a picture (136 MB)
// and copies it. Each reports the growth of the process's peak memory while it ran; the PDF
// runs first, so that the picture's peak cannot hide it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/PrintTarget.h"

namespace {

constexpr int kDpi = 600;
constexpr int kA4Width = 4961;   // 210 mm
constexpr int kA4Height = 7016;  // 297 mm

long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// A measurement table: 45 rows of five cells with grid lines, in tenths of millimetres.
void DrawTable(CDC& dc) {
  dc.SetMapMode(MM_LOMETRIC);
  LOGFONT lf{};
  lf.lfHeight = -30;
  std::char_traits<char16_t>::copy(lf.lfFaceName, u"DejaVu Sans", 12);
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* oldFont = dc.SelectObject(&font);
  CPen pen(PS_SOLID, 2, RGB(0, 0, 0));
  CPen* oldPen = dc.SelectObject(&pen);
  for (int row = 0; row <= 45; ++row) {
    const int y = -200 - row * 55;
    dc.MoveTo(150, y);
    dc.LineTo(1950, y);
    if (row == 45) break;
    for (int column = 0; column < 5; ++column) {
      CString cell;
      cell.Format(u"%d.%02d MPa", row + column, (row * 7 + column) % 100);
      dc.TextOut(170 + column * 360, y - 10, cell, cell.GetLength());
    }
  }
  for (int column = 0; column <= 5; ++column) {
    dc.MoveTo(150 + column * 360, -200);
    dc.LineTo(150 + column * 360, -200 - 45 * 55);
  }
  dc.SelectObject(oldPen);
  dc.SelectObject(oldFont);
}

void PrintOnePage(CDC& dc) {
  dc.StartDoc(u"Measurements");
  dc.StartPage();
  DrawTable(dc);
  dc.EndPage();
  dc.EndDoc();
}

void BM_PrintPageToPdf(benchmark::State& state) {
  const std::string path = (std::filesystem::temp_directory_path() / "zd-print-bench.pdf").string();
  const long before = PeakResidentKb();
  for (auto _ : state) {
    CDC pdf;
    pdf.Attach(CreatePdfDC(CString::FromUtf8(path), kA4Width, kA4Height, kDpi));
    PrintOnePage(pdf);
  }
  state.counters["peak_growth_MB"] = double(PeakResidentKb() - before) / 1024.0;
  state.counters["file_KB"] = double(std::filesystem::file_size(path)) / 1024.0;
  std::filesystem::remove(path);
}
BENCHMARK(BM_PrintPageToPdf)->Unit(benchmark::kMillisecond);

void BM_PrintPageAsPicture(benchmark::State& state) {
  const long before = PeakResidentKb();
  for (auto _ : state) {
    CDC printer;
    printer.Attach(CreateMemoryPrinterDC(kA4Width, kA4Height, kDpi));
    PrintOnePage(printer);
    benchmark::DoNotOptimize(GetPrintedPageCount(printer));
  }
  state.counters["peak_growth_MB"] = double(PeakResidentKb() - before) / 1024.0;
}
BENCHMARK(BM_PrintPageAsPicture)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
