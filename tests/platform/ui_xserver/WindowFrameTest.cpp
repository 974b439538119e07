// Top-level windows under a window manager that frames them: a window's rectangle is where
// its frame goes, so a window placed at the screen's corner shows its title bar, and a
// rectangle read back places the window where it was.

#include <gtest/gtest.h>

#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "tests/platform/ui_xserver/WaitForCondition.h"

namespace {

CPoint ClientCorner(const CWnd& wnd) {
  CPoint corner(0, 0);
  wnd.ClientToScreen(&corner);
  return corner;
}

class WindowFrame : public ::testing::Test {
 protected:
  CUiApplication application;
  CWnd window;

  // Creates the window at the rectangle and waits until the window manager has framed it, which
  // puts its title bar between the rectangle's top and the client area.
  void CreateFramed(const CRect& rect) {
    ASSERT_TRUE(window.CreateEx(0, nullptr, u"framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect, nullptr, 0));
    ASSERT_TRUE(WaitFor([&] { return ClientCorner(window).y > rect.top; }))
        << "no title bar appeared above the client area";
  }
};

TEST_F(WindowFrame, AWindowAtTheCornerKeepsItsFrameOnTheScreen) {
  CreateFramed(CRect(0, 0, 300, 200));
  CRect placed;
  window.GetWindowRect(placed);
  EXPECT_EQ(placed.TopLeft(), CPoint(0, 0));
  const CPoint client = ClientCorner(window);
  EXPECT_GT(client.y, 0) << "the title bar lies above the client area";
  CRect clientRect;
  window.GetClientRect(clientRect);
  EXPECT_EQ(clientRect.Size(), CSize(300, 200));
}

// A move goes to where the frame is asked to be, which is what the rectangle reads back; were
// one of them the frame's and the other the client area's, the window would never arrive.
TEST_F(WindowFrame, AMovedWindowReadsBackTheRectangleItWasMovedTo) {
  CreateFramed(CRect(40, 30, 340, 230));
  const CRect target(100, 80, 400, 280);
  window.MoveWindow(target);
  CRect placed;
  EXPECT_TRUE(WaitFor([&] {
    window.GetWindowRect(placed);
    return placed == target;
  })) << placed.left << "," << placed.top << " " << placed.Width() << "x" << placed.Height();
  EXPECT_GT(ClientCorner(window).y, target.top);
}

}  // namespace
