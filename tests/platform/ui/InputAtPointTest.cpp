#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"

namespace {

class CPressWnd : public CWnd {
 public:
  std::vector<CPoint> presses;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_LBUTTONDOWN) presses.push_back(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// A top-level window with a child, and a topmost pop-up over part of both.
class WindowsAtPoints : public ::testing::Test {
 protected:
  CUiApplication application;
  CPressWnd top, child, popup;

  void SetUp() override {
    ASSERT_TRUE(top.CreateEx(0, nullptr, u"top", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 110), &top, 7));
    ASSERT_TRUE(popup.CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, nullptr, nullptr, WS_POPUP,
                               CRect(150, 150, 250, 200), nullptr, 0));
    popup.ShowWindow(SW_SHOWNA);
    PumpMessages();
  }
  void TearDown() override { ReleaseCapture(); }
};

TEST_F(WindowsAtPoints, TheTopmostWindowComesFirstThenTheDeepestChild) {
  EXPECT_EQ(WindowFromPoint(CPoint(160, 160)), &popup);
  EXPECT_EQ(WindowFromPoint(CPoint(115, 115)), &child);
  EXPECT_EQ(WindowFromPoint(CPoint(300, 250)), &top);
  EXPECT_EQ(WindowFromPoint(CPoint(20, 20)), nullptr);
  popup.ShowWindow(SW_HIDE);
  EXPECT_EQ(WindowFromPoint(CPoint(160, 160)), &child);
}

TEST_F(WindowsAtPoints, HitTestsTellTheClientAreaFromTheRest) {
  EXPECT_EQ(child.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(115, 115)), LRESULT(HTCLIENT));
  EXPECT_EQ(child.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(300, 250)), LRESULT(HTNOWHERE));
}

TEST_F(WindowsAtPoints, InputAtAPointGoesToTheWindowThereAndMovesThePointer) {
  SimulateMouseAtScreen(SimulatedMouseAction::Press, VK_LBUTTON, CPoint(130, 140), 0, MK_LBUTTON);
  SimulateMouseAtScreen(SimulatedMouseAction::Release, VK_LBUTTON, CPoint(130, 140), 0, 0);
  PumpMessages();
  EXPECT_EQ(child.presses, (std::vector<CPoint>{CPoint(20, 30)}));
  CPoint cursor;
  ASSERT_TRUE(GetCursorPos(&cursor));
  EXPECT_EQ(cursor, CPoint(130, 140));
  EXPECT_EQ(GetMessagePos(), DWORD(MAKELONG(130, 140)));
}

TEST_F(WindowsAtPoints, InputAtAPointGoesToTheCaptureFirst) {
  popup.SetCapture();
  SimulateMouseAtScreen(SimulatedMouseAction::Press, VK_LBUTTON, CPoint(130, 140), 0, MK_LBUTTON);
  PumpMessages();
  EXPECT_TRUE(child.presses.empty());
  EXPECT_EQ(popup.presses, (std::vector<CPoint>{CPoint(-20, -10)}));
}

TEST(DoubleClickTime, IsTheSystemsHalfSecond) { EXPECT_EQ(GetDoubleClickTime(), 500u); }

}  // namespace
