// UpdateWindow and RedrawWindow with RDW_UPDATENOW during work on the user-interface thread:
// what they paint is on the screen when they return, though the event loop never runs, also
// for a window shown just before the work began (the case of a progress dialog).

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/Static.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WndWidget.h"

namespace {

constexpr UINT kProbeMessage = WM_APP + 7;

// A top-level window that paints its client area in the colour it is given, and counts the
// posted probe messages it receives.
class CColourWnd : public CWnd {
 public:
  COLORREF colour = RGB(255, 255, 255);
  int probes = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) {
      CPaintDC dc(this);
      CRect client;
      GetClientRect(client);
      dc.FillSolidRect(client, colour);
      return 0;
    }
    if (message == kProbeMessage) ++probes;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// What the window system shows of the top-level window now, read without running the event
// loop.
QImage OnScreen(CWnd& top) {
  return QGuiApplication::primaryScreen()->grabWindow(QtWidgetOf(&top)->winId()).toImage();
}

QRgb PixelAt(const QImage& image, CPoint point) {
  return image.valid(point.x, point.y) ? image.pixel(point.x, point.y) & 0xFFFFFFu : 0xDEADu;
}

class UpdateWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Made hidden and shown afterwards, with nothing run between, as a progress dialog is
    // when an export begins.
    ASSERT_TRUE(
        top.CreateEx(0, nullptr, u"busy", WS_POPUP | WS_CAPTION, CRect(40, 40, 340, 140), nullptr, 0));
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 290, 30), &top, 1));
    ASSERT_TRUE(text.Create(u"", WS_CHILD | WS_VISIBLE, CRect(10, 50, 290, 70), &top, 2));
    progress.SetRange(0, 100);
    top.ShowWindow(SW_SHOW);
  }
  // The work begins: from here on the event loop does not run, which the probe message, only
  // answered by the loop, confirms at the end.
  void BeginWork() { top.PostMessage(kProbeMessage); }
  void TearDown() override { EXPECT_EQ(top.probes, 0) << "the event loop ran during the work"; }
  void ExpectEachUpdateOnTheScreenAtOnce();

 public:
  CUiApplication application;
  CColourWnd top;
  CProgressCtrl progress;
  CStatic text;
};

void UpdateWindowTest::ExpectEachUpdateOnTheScreenAtOnce() {
  struct SCase {
    const char* what;
    CPoint probe;  // in the top-level window's client area
    std::function<void(UpdateWindowTest&, bool)> update;
  };
  const std::vector<SCase> cases = {
      {"the progress bar's position", CPoint(220, 20),
       [](UpdateWindowTest& t, bool after) {
         t.progress.SetPos(after ? 100 : 0);
         t.progress.RedrawWindow();
       }},
      {"the static text", CPoint(14, 60),
       [](UpdateWindowTest& t, bool after) {
         t.text.SetWindowText(after ? u"\u2588\u2588\u2588\u2588" : u"");
         t.text.RedrawWindow();
       }},
      {"the window's own paint", CPoint(150, 85),
       [](UpdateWindowTest& t, bool after) {
         t.top.colour = after ? RGB(255, 0, 0) : RGB(255, 255, 255);
         t.top.Invalidate();
         t.top.UpdateWindow();
       }},
  };
  for (const SCase& c : cases) {
    c.update(*this, false);
    const QRgb before = PixelAt(OnScreen(top), c.probe);
    c.update(*this, true);
    const QRgb after = PixelAt(OnScreen(top), c.probe);
    EXPECT_NE(before, after) << c.what << " did not reach the screen";
  }
  EXPECT_EQ(PixelAt(OnScreen(top), CPoint(150, 85)), 0xFF0000u) << "the window's paint is what shows";
}

TEST_F(UpdateWindowTest, EachUpdateIsOnTheScreenBeforeTheCallReturns) {
  BeginWork();
  ExpectEachUpdateOnTheScreenAtOnce();
}

TEST_F(UpdateWindowTest, AlsoOnceTheEventLoopHasShownTheWindow) {
  PumpMessages();
  BeginWork();
  ExpectEachUpdateOnTheScreenAtOnce();
}

TEST_F(UpdateWindowTest, TheFirstUpdateShowsTheWholeWindowWithItsBackground) {
  BeginWork();
  progress.SetPos(50);
  progress.RedrawWindow();
  const QImage screen = OnScreen(top);
  ASSERT_FALSE(screen.isNull()) << "nothing of the window reached the screen";
  // The window's own paint is white, everywhere around its controls.
  for (CPoint point : {CPoint(2, 2), CPoint(150, 40), CPoint(295, 95)})
    EXPECT_EQ(PixelAt(screen, point), 0xFFFFFFu) << point.x << "," << point.y;
}

}  // namespace
