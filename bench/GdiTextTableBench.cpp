// Cost of the drawing layer: a 1000-row text table drawn through CDC into an image, against
// the same table drawn with QPainter directly. Goal: the layer costs at most 1.3 times the
// direct drawing.

#include <benchmark/benchmark.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/RatioReporter.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GuiApplication.h"
#include "platform/gdi/ImageDc.h"

namespace {

constexpr int kRows = 1000;
constexpr int kColumns = 5;
constexpr int kRowHeight = 16;
constexpr int kColumnWidth = 100;
constexpr int kWidth = kColumns * kColumnWidth + 1;
constexpr int kHeight = kRows * kRowHeight + 1;

struct Table {
  std::vector<std::u16string> cells;  // row-major
  Table() {
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kColumns; ++c) {
        std::string text = c == 0 ? "Test " + std::to_string(r + 1)
                                  : std::to_string((r * 7919 + c * 104729) % 100000 / 10.0);
        text = text.substr(0, 9);
        cells.emplace_back(text.begin(), text.end());
      }
    }
  }
  const std::u16string& Cell(int r, int c) const { return cells[std::size_t(r * kColumns + c)]; }
};

const Table& TheTable() {
  static const Table table;
  return table;
}

LOGFONT TableFont() {
  LOGFONT lf{};
  lf.lfHeight = -11;
  lf.lfWeight = FW_NORMAL;
  std::memcpy(lf.lfFaceName, u"Tahoma", sizeof(u"Tahoma"));
  return lf;
}

// First column left-aligned, the others right-aligned, a grid line under every row and
// between the columns, alternating text colours.
void DrawWithCdc(CDC& dc, CFont& font) {
  const Table& table = TheTable();
  CFont* oldFont = dc.SelectObject(&font);
  CPen grid(PS_SOLID, 1, RGB(192, 192, 192));
  CPen* oldPen = dc.SelectObject(&grid);
  dc.SetBkMode(TRANSPARENT);
  dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(255, 255, 255));
  for (int r = 0; r < kRows; ++r) {
    const int top = r * kRowHeight;
    dc.SetTextColor(r % 2 ? RGB(0, 0, 128) : RGB(0, 0, 0));
    for (int c = 0; c < kColumns; ++c) {
      const std::u16string& text = table.Cell(r, c);
      if (c == 0) {
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        dc.TextOut(c * kColumnWidth + 3, top + 2, text.c_str(), int(text.size()));
      } else {
        dc.SetTextAlign(TA_RIGHT | TA_TOP);
        dc.TextOut((c + 1) * kColumnWidth - 3, top + 2, text.c_str(), int(text.size()));
      }
    }
    dc.MoveTo(0, top + kRowHeight);
    dc.LineTo(kWidth, top + kRowHeight);
  }
  for (int c = 0; c <= kColumns; ++c) {
    dc.MoveTo(c * kColumnWidth, 0);
    dc.LineTo(c * kColumnWidth, kHeight);
  }
  dc.SelectObject(oldPen);
  dc.SelectObject(oldFont);
}

QFont DirectFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoSubpixelAntialias | QFont::NoAntialias));
  return font;
}

void DrawWithQPainter(QImage& image, const std::vector<QString>& cells, const QFont& font) {
  QPainter p(&image);
  p.setFont(font);
  const QFontMetrics metrics(font);
  const int ascent = metrics.ascent();
  p.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
  const QPen grid(QColor(192, 192, 192), 1);
  for (int r = 0; r < kRows; ++r) {
    const int top = r * kRowHeight;
    p.setPen(r % 2 ? QColor(0, 0, 128) : QColor(0, 0, 0));
    for (int c = 0; c < kColumns; ++c) {
      const QString& text = cells[std::size_t(r * kColumns + c)];
      if (c == 0)
        p.drawText(QPoint(c * kColumnWidth + 3, top + 2 + ascent), text);
      else
        p.drawText(QPoint((c + 1) * kColumnWidth - 3 - metrics.horizontalAdvance(text), top + 2 + ascent),
                   text);
    }
    p.setPen(grid);
    p.drawLine(0, top + kRowHeight, kWidth - 1, top + kRowHeight);
  }
  p.setPen(grid);
  for (int c = 0; c <= kColumns; ++c) p.drawLine(c * kColumnWidth, 0, c * kColumnWidth, kHeight - 1);
}

void BM_TextTableThroughCdc(benchmark::State& state) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  LOGFONT lf = TableFont();
  CFont font;
  font.CreateFontIndirect(&lf);
  for (auto _ : state) {
    CDC dc;
    dc.Attach(CreateImageDC(&image));
    DrawWithCdc(dc, font);
    dc.DeleteDC();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_TextTableThroughCdc)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_TextTableWithQPainter(benchmark::State& state) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  std::vector<QString> cells;
  for (const auto& cell : TheTable().cells) cells.push_back(QString::fromStdU16String(cell));
  const QFont font = DirectFont();
  for (auto _ : state) {
    DrawWithQPainter(image, cells, font);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_TextTableWithQPainter)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  EnsureGuiApplication();
  {
    // Realize the layer's fonts once, so that both sides draw with loaded font files.
    QImage warm(8, 8, QImage::Format_RGB32);
    CDC dc;
    dc.Attach(CreateImageDC(&warm));
    LOGFONT lf = TableFont();
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&font);
    dc.TextOut(0, 0, u"x", 1);
    dc.SelectObject(old);
    dc.DeleteDC();
  }
  return RunWithRatioReporter(argc, argv, [](RatioReporter& reporter) {
    const double layer = reporter.times["BM_TextTableThroughCdc"];
    const double direct = reporter.times["BM_TextTableWithQPainter"];
    if (layer > 0 && direct > 0) std::printf("ratio CDC / QPainter: %.2f (goal <= 1.30)\n", layer / direct);
  });
}
