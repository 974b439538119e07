#include <gtest/gtest.h>

#include <cmath>

#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GuiApplication.h"
#include "toolkit/GraphGrid.h"
#include "toolkit/GraphScale.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGridGrey = RGB(168, 168, 168);

// A white 24-bit picture in a memory context with the stock GUI font and the context's own
// black pen of width 0 (one pixel).
class WhitePictureInMemoryDc : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    ASSERT_TRUE(m_dc.CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader =
        BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    ASSERT_TRUE(m_picture.Attach(CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
    m_oldBitmap = m_dc.SelectObject(&m_picture);
    m_oldFont = m_dc.SelectStockObject(DEFAULT_GUI_FONT);
    m_dc.FillSolidRect(0, 0, kWidth, kHeight, kWhite);
  }
  void TearDown() override {
    m_dc.SelectObject(m_oldFont);
    m_dc.SelectObject(m_oldBitmap);
  }

  SGraphSettings Settings(double xMin, double xMax, double yMin, double yMax) const {
    SGraphSettings s;
    s.rcArea = RECT{0, 0, kWidth, kHeight};
    s.dXMin = xMin, s.dXMax = xMax, s.dYMin = yMin, s.dYMax = yMax;
    return s;
  }

  static constexpr int kWidth = 400;
  static constexpr int kHeight = 300;
  CDC m_dc;
  CBitmap m_picture;
  CBitmap* m_oldBitmap = nullptr;
  CGdiObject* m_oldFont = nullptr;
};

TEST_F(WhitePictureInMemoryDc, RangeEndsLandExactlyOnThePlotEdges) {
  struct Case {
    RECT area;
    bool areaIsPlot;
    int topOffset;
    double xMin, xMax, yMin, yMax;
  };
  const Case cases[] = {
      {{0, 0, 400, 300}, false, 0, 0, 100, 0, 50},
      {{10, 20, 333, 251}, false, 0, -7.5, 3.25, 1e-3, 2e-3},
      {{40, 30, 360, 270}, true, 12, -1000, 1000, -50, -10},
      {{0, 0, 400, 300}, false, 0, 1e6, 1e6 + 0.7, 0, 17},
  };
  for (const Case& c : cases) {
    SGraphSettings s = Settings(c.xMin, c.xMax, c.yMin, c.yMax);
    s.rcArea = c.area;
    s.bAreaIsPlot = c.areaIsPlot;
    s.nPlotTopOffset = c.topOffset;
    ComputeGraphSteps(s);
    CGraphGrid grid;
    grid.SetSettings(&m_dc, s);
    const RECT plot = grid.GetPlotRect();
    EXPECT_EQ(grid.ValueToX(c.xMin), plot.left) << c.xMin;
    EXPECT_EQ(grid.ValueToX(c.xMax), plot.right) << c.xMax;
    EXPECT_EQ(grid.ValueToY(c.yMin), plot.bottom) << c.yMin;
    EXPECT_EQ(grid.ValueToY(c.yMax), plot.top) << c.yMax;
    if (c.areaIsPlot) {
      EXPECT_EQ(plot.top, c.area.top + c.topOffset);
      EXPECT_EQ(plot.left, c.area.left);
      const RECT outer = grid.GetOuterRect();
      EXPECT_LT(outer.left, plot.left) << "the labels lie outside the given plot";
      EXPECT_GT(outer.bottom, plot.bottom);
    }
  }
}

TEST_F(WhitePictureInMemoryDc, DefaultFrameDrawsGridLinesAtTheMajorTicks) {
  SGraphSettings s = Settings(0, 100, 0, 50);
  s.strXTitle = u"Time";
  s.strYTitle = u"Force";
  FitGraphScale(s, &m_dc, false, false);
  ASSERT_GT(s.dXStep, 0);
  ASSERT_GT(s.dYStep, 0);
  CGraphGrid grid;
  grid.SetSettings(&m_dc, s);
  grid.Draw(&m_dc);
  const RECT plot = grid.GetPlotRect();
  ASSERT_GT(plot.left, 0) << "labels and title need room on the left";
  ASSERT_LT(plot.bottom, kHeight) << "labels and title need room below";

  // Probe between the ticks: far enough from the edges that no tick mark lies there.
  const int yProbe = (grid.ValueToY(0) + grid.ValueToY(s.dYStep)) / 2;
  const int xProbe = (grid.ValueToX(0) + grid.ValueToX(s.dXStep)) / 2;
  for (double x = s.dXStep; x < s.dXMax; x += s.dXStep)
    EXPECT_EQ(m_dc.GetPixel(grid.ValueToX(x), yProbe), kGridGrey) << "vertical grid line at x = " << x;
  for (double y = s.dYStep; y < s.dYMax; y += s.dYStep)
    EXPECT_EQ(m_dc.GetPixel(xProbe, grid.ValueToY(y)), kGridGrey) << "horizontal grid line at y = " << y;
  EXPECT_EQ(m_dc.GetPixel(xProbe, yProbe), kWhite) << "nothing between the grid lines";
  EXPECT_EQ(m_dc.GetPixel(grid.ValueToX(s.dXStep) + 1, yProbe), kWhite) << "grid lines are one pixel wide";

  // The frame is drawn over the grid in the caller's pen.
  EXPECT_EQ(m_dc.GetPixel(plot.left, yProbe), kBlack);
  EXPECT_EQ(m_dc.GetPixel(xProbe, plot.bottom), kBlack);
  EXPECT_EQ(m_dc.GetPixel(xProbe, plot.top), kBlack);
  EXPECT_EQ(m_dc.GetPixel(plot.right, yProbe), kBlack);

  // Something (labels, titles) is drawn in the margins below and to the left.
  auto inked = [&](int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (m_dc.GetPixel(x, y) != kWhite) return true;
    return false;
  };
  EXPECT_TRUE(inked(plot.left - 3, plot.bottom + 6, plot.right, kHeight));
  EXPECT_TRUE(inked(0, plot.top, plot.left - 6, plot.bottom));
}

TEST_F(WhitePictureInMemoryDc, PenWidthScalesTicksAndMargins) {
  SGraphSettings s = Settings(0, 100, 0, 50);
  ComputeGraphSteps(s);
  CGraphGrid thin;
  thin.SetSettings(&m_dc, s);
  CPen wide(PS_SOLID, 2, kBlack);
  CPen* old = m_dc.SelectObject(&wide);
  CGraphGrid thick;
  thick.SetSettings(&m_dc, s);
  m_dc.SelectObject(old);
  // Only the outer major ticks (5 units of the pen width) grow; the labels stay the same.
  EXPECT_EQ(thick.GetPlotRect().bottom, thin.GetPlotRect().bottom - 5);
  EXPECT_EQ(thick.GetPlotRect().left, thin.GetPlotRect().left + 5);
}

TEST_F(WhitePictureInMemoryDc, EndLabelsWidenTheMarginUnlessClipped) {
  SGraphSettings s = Settings(0, 100, 0, 50);
  ComputeGraphSteps(s);
  s.nLeftAxis = GA_LINE;  // nothing of its own sticks out on the left
  s.nRightAxis = GA_LINE;
  CGraphGrid grid;
  grid.SetSettings(&m_dc, s);
  const int halfZero = m_dc.GetTextExtent(CString(u"0")).cx / 2;
  const int halfHundred = m_dc.GetTextExtent(CString(u"100")).cx / 2;
  ASSERT_GT(halfZero, 0);
  EXPECT_EQ(grid.GetPlotRect().left, halfZero) << "half the first x label";
  EXPECT_EQ(grid.GetPlotRect().right, kWidth - halfHundred) << "half the last x label";

  s.bClipXLeft = s.bClipXRight = true;
  grid.SetSettings(&m_dc, s);
  EXPECT_EQ(grid.GetPlotRect().left, 0);
  EXPECT_EQ(grid.GetPlotRect().right, kWidth);
}

TEST_F(WhitePictureInMemoryDc, GridColourFollowsSettingsButAxisPensAreMadeOnce) {
  SGraphSettings s = Settings(0, 100, 0, 50);
  ComputeGraphSteps(s);
  s.nLeftAxis |= GA_PEN1;
  s.crAxis1 = RGB(0, 0, 255);
  CGraphGrid grid;
  grid.SetSettings(&m_dc, s);
  s.crGrid = RGB(255, 0, 0);
  s.crAxis1 = RGB(0, 255, 0);
  grid.SetSettings(&m_dc, s);
  grid.Draw(&m_dc);
  const int yProbe = (grid.ValueToY(0) + grid.ValueToY(s.dYStep)) / 2;
  EXPECT_EQ(m_dc.GetPixel(grid.ValueToX(50), yProbe), RGB(255, 0, 0));
  EXPECT_EQ(m_dc.GetPixel(grid.GetPlotRect().left, yProbe), RGB(0, 0, 255));
}

TEST_F(WhitePictureInMemoryDc, ZeroStepsAndEmptyRangesDrawWithoutTicks) {
  struct Case {
    double xMin, xMax, xStep, yMin, yMax, yStep;
  };
  // Zero and negative steps, empty and reversed ranges, a step far below its range, and one
  // below the precision of the values (adding it would never move on).
  for (const Case c : {Case{0, 100, 0, 0, 50, -5}, Case{3, 3, 1, 7, 7, 1}, Case{10, 0, 2, 5, -5, 1},
                       Case{0, 1e6, 1e-6, 0, 50, 10}, Case{1e20, 1e20 + 1e6, 1, 0, 50, 10}}) {
    SGraphSettings s = Settings(c.xMin, c.xMax, c.yMin, c.yMax);
    s.dXStep = c.xStep, s.dXMinorStep = c.xStep / 2;
    s.dYStep = c.yStep, s.dYMinorStep = c.yStep / 2;
    CGraphGrid grid;
    grid.SetSettings(&m_dc, s);
    grid.Draw(&m_dc);
    const RECT plot = grid.GetPlotRect();
    EXPECT_EQ(grid.ValueToX(c.xMin), plot.left);
    EXPECT_LT(plot.left, plot.right);
    EXPECT_EQ(grid.ValueToY(c.yMin), plot.bottom);
  }
  double lo = 4, hi = 4;
  CString format;
  EXPECT_GT(FitStepY(lo, hi, format, false, false, 100, &m_dc, nullptr), 0);
  EXPECT_GT(hi, lo);

  SGraphSettings s = Settings(5, 5, 0, 0);
  FitGraphScale(s, &m_dc, true, true);
  EXPECT_GT(s.dXStep, 0);
  EXPECT_GT(s.dXMax, s.dXMin);
  EXPECT_GT(s.dYMax, s.dYMin);
}

TEST_F(WhitePictureInMemoryDc, DrawLeavesTheContextAsItWas) {
  SGraphSettings s = Settings(-10, 100, -5, 50);
  s.bClipXLeft = s.bClipYTop = true;
  ComputeGraphSteps(s);
  m_dc.SetTextAlign(TA_CENTER);
  m_dc.SetBkMode(OPAQUE);
  const HGDIOBJ pen = m_dc.GetCurrentPen()->m_hObject;
  const HGDIOBJ font = m_dc.GetCurrentFont()->m_hObject;
  CGraphGrid grid;
  grid.SetSettings(&m_dc, s);
  grid.Draw(&m_dc);
  EXPECT_EQ(m_dc.GetTextAlign(), TA_CENTER);
  EXPECT_EQ(m_dc.GetBkMode(), OPAQUE);
  EXPECT_EQ(m_dc.GetCurrentPen()->m_hObject, pen);
  EXPECT_EQ(m_dc.GetCurrentFont()->m_hObject, font);
  RECT clip{};
  EXPECT_EQ(m_dc.GetClipBox(&clip), SIMPLEREGION);
  EXPECT_EQ(clip.right - clip.left, kWidth) << "the label clip is gone again";
}

// Widths that make the label-fitting loop stop at a given number of labels: n labels of
// width c fit into 0.75 of the width, n + 6 do not.
int WidthFor(int labels, int c) { return int(std::ceil(labels * c / 0.75)) + 1; }

TEST_F(WhitePictureInMemoryDc, LabelFittingAlongXWidensToWholeSteps) {
  struct Case {
    double min, max;
    const char16_t* sample;
    double wantMin, wantMax;
  };
  const Case cases[] = {
      {0, 100, u"100", 0, 110},  // 100 / 110 >= 0.9: one more step
      {0, 80, u"80", 0, 80},     // 80 / 90 < 0.9: stays
      {12, 92, u"92", 10, 100},
      {-12, 68, u"-12", -20, 70},
  };
  for (const Case& c : cases) {
    const int labelWidth = m_dc.GetTextExtent(CString(c.sample)).cx;
    const int labels = int((c.max - c.min) / 10) + 1;
    double min = c.min, max = c.max;
    CString format = u"%0.0lf";
    const double step =
        FitStepX(min, max, format, true, true, WidthFor(labels, labelWidth), &m_dc, nullptr, 0);
    EXPECT_DOUBLE_EQ(step, 10) << c.min << ".." << c.max;
    EXPECT_DOUBLE_EQ(min, c.wantMin) << c.min << ".." << c.max;
    EXPECT_DOUBLE_EQ(max, c.wantMax) << c.min << ".." << c.max;
    EXPECT_EQ(format.ToUtf8(), "%0.0lf");
  }
}

TEST_F(WhitePictureInMemoryDc, LabelFittingAlongXKeepsTheLeastSpacing) {
  const int c = m_dc.GetTextExtent(CString(u"100")).cx;
  const int width = WidthFor(11, c);
  double min = 0, max = 100;
  CString format;
  EXPECT_DOUBLE_EQ(FitStepX(min, max, format, false, false, width, &m_dc, nullptr, width / 10 - c), 10);
  EXPECT_DOUBLE_EQ(FitStepX(min, max, format, false, false, width, &m_dc, nullptr, width / 10 - c + 1), 20);
  const CString unit = u" mm";
  const int withUnit = WidthFor(11, c + m_dc.GetTextExtent(unit).cx);
  EXPECT_DOUBLE_EQ(FitStepX(min, max, format, false, false, withUnit - 2, &m_dc, &unit, 0), 20)
      << "the unit makes each label wider";
  EXPECT_DOUBLE_EQ(min, 0);
  EXPECT_DOUBLE_EQ(max, 100) << "no adjustment asked";
}

TEST_F(WhitePictureInMemoryDc, LabelFittingAlongYStepsUpUntilTheLabelsFit) {
  const int h = m_dc.GetTextExtent(CString(u"50")).cy;
  const int height = int(std::ceil(6 * h / 0.7)) + 1;  // six labels fit, eleven do not
  double min = 0, max = 50;
  CString format;
  EXPECT_DOUBLE_EQ(FitStepY(min, max, format, true, true, height, &m_dc, nullptr), 10);
  EXPECT_EQ(format.ToUtf8(), "%0.0lf");
  EXPECT_DOUBLE_EQ(min, 0);
  EXPECT_DOUBLE_EQ(max, 60) << "the y maximum always gets one step more";

  min = 0, max = 50;
  EXPECT_DOUBLE_EQ(FitStepY(min, max, format, false, false, 100000, &m_dc, nullptr), 1);
  EXPECT_EQ(format.ToUtf8(), "%0.1lf") << "a tick distance below 1 shows one decimal";
}

}  // namespace
