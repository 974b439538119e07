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

// A window owned by another is a window of its own all the same: its rectangle is its frame's.
TEST_F(WindowFrame, AnOwnedWindowAtTheCornerKeepsItsFrameOnTheScreen) {
  CreateFramed(CRect(40, 30, 340, 230));
  CWnd owned;
  const CRect corner(0, 0, 200, 120);
  ASSERT_TRUE(owned.CreateEx(0, nullptr, u"owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, corner, &window, 0));
  ASSERT_TRUE(WaitFor([&] { return ClientCorner(owned).y > 0; }))
      << "the owned window's client area is at " << ClientCorner(owned).y << ", its title bar above the screen";
  CRect placed;
  owned.GetWindowRect(placed);
  EXPECT_EQ(placed.TopLeft(), CPoint(0, 0));
}

// Moved while hidden, before the window manager has framed it, a window still goes where its
// frame is asked to be; so does an owned one, which has its window system window early.
TEST_F(WindowFrame, AWindowMovedWhileHiddenShowsItsFrameWhereItWasMoved) {
  CreateFramed(CRect(40, 30, 340, 230));
  for (CWnd* owner : {static_cast<CWnd*>(nullptr), &window}) {
    CWnd hidden;
    ASSERT_TRUE(hidden.CreateEx(0, nullptr, u"hidden", WS_OVERLAPPEDWINDOW, CRect(300, 200, 500, 320), owner, 0));
    hidden.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    hidden.ShowWindow(SW_SHOW);
    EXPECT_TRUE(WaitFor([&] { return ClientCorner(hidden).y > 0 && ClientCorner(hidden).y < 60; }))
        << (owner ? "owned: " : "unowned: ") << "the client area is at " << ClientCorner(hidden).x << ","
        << ClientCorner(hidden).y;
    CRect placed;
    hidden.GetWindowRect(placed);
    EXPECT_EQ(placed.TopLeft(), CPoint(0, 0)) << (owner ? "owned" : "unowned");
    // Hidden again and moved, it comes back by its frame too.
    hidden.ShowWindow(SW_HIDE);
    hidden.SetWindowPos(nullptr, 20, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    hidden.ShowWindow(SW_SHOW);
    EXPECT_TRUE(WaitFor([&] { return ClientCorner(hidden).x > 20 && ClientCorner(hidden).y > 0; }))
        << (owner ? "owned: " : "unowned: ") << "shown again, the client area is at " << ClientCorner(hidden).x
        << "," << ClientCorner(hidden).y;
  }
}

}  // namespace
