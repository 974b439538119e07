#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "calibration/MeasPlotDlg.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "tests/support/TestEnvironment.h"

namespace {

class MeasPlot : public ::testing::Test {
 protected:
  CUiApplication application;
  std::unique_ptr<CMeasPlotDlg> window;

  void SetUp() override {
    RegisterProgramResources(nullptr);
    window = std::make_unique<CMeasPlotDlg>(1, nullptr);
    ASSERT_TRUE(window->IsWindow());
  }
  CMeasPlotDlg& Plot() { return *window; }

  STestSettings KiloNewtons() {
    STestSettings settings;
    settings.unit = 1;
    settings.area = 1963;
    settings.rate = 100;
    settings.loadLimit = 16000;
    return settings;
  }
  CPlotData Point(double kiloNewtons, double seconds) {
    CPlotData point;
    point.displayForce = kiloNewtons;
    point.sampledForce = int(kiloNewtons * 1000);
    point.time = seconds;
    return point;
  }
};

TEST_F(MeasPlot, TheForceAxisGrowsByATenthAboveTheData) {
  Plot().StartTest(u"ZD-2 Test# 1", true, 250, KiloNewtons(), true);
  EXPECT_EQ(Plot().GetForceAxisMax(), 6);
  Plot().AddPoint(Point(5.9, 1));
  EXPECT_EQ(Plot().GetForceAxisMax(), 6);
  Plot().AddPoint(Point(7.0, 2));
  EXPECT_EQ(Plot().GetForceAxisMax(), 8);
  // In load-limit mode the axis starts at the load limit.
  Plot().StartTest(u"ZD-2 Test# 2", true, 250, KiloNewtons(), false);
  EXPECT_EQ(Plot().GetForceAxisMax(), 16);
  EXPECT_EQ(Plot().GetPointCount(), 0);
}

TEST_F(MeasPlot, TheTimeAxisGrowsAheadOfTheData) {
  Plot().StartTest(u"ZD-2 Test# 1", true, 250, KiloNewtons(), true);
  Plot().AddPoint(Point(1, 14.4));
  EXPECT_EQ(Plot().GetTimeAxisMax(), 15);
  Plot().AddPoint(Point(1, 14.6));
  EXPECT_EQ(Plot().GetTimeAxisMax(), 18);
  Plot().EndTest();
  EXPECT_EQ(Plot().GetTimeAxisMax(), 15);
}

// The picture goes to ZD_LIVE_PLOT_PNG when it is set, for a person to look at.
TEST_F(MeasPlot, RendersATestWithItsCurve) {
  Plot().StartTest(u"ZD-2 Test# 1:  Date:2026_12_10 Time:20:00:00", true, 250, KiloNewtons(), true);
  for (int i = 0; i <= 40; ++i) Plot().AddPoint(Point(i * 0.15, i * 0.25));
  PumpMessages(50);
  const char* target = std::getenv("ZD_LIVE_PLOT_PNG");
  EXPECT_TRUE(SaveWindowImage(&Plot(), CString::FromUtf8(target ? target : TestPath("Plot().png"))));
  // The curve is drawn in RGB(102, 255, 0) on black.
  CBitmap picture;
  picture.Attach(CopyWindowImage(&Plot()));
  ASSERT_NE(picture.m_hObject, nullptr);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SelectObject(&picture);
  CRect client;
  Plot().GetClientRect(&client);
  int black = 0, curve = 0;
  for (int y = 0; y < client.Height(); ++y) {
    for (int x = 0; x < client.Width(); ++x) {
      const COLORREF pixel = dc.GetPixel(x, y);
      black += pixel == RGB(0, 0, 0);
      curve += pixel == RGB(102, 255, 0);
    }
  }
  EXPECT_GT(black, client.Width() * client.Height() / 2);
  EXPECT_GT(curve, 300) << "a curve across the plot";
}

}  // namespace
