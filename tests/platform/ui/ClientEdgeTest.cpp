#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/SysColors.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "platform/ui/Wnd.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

// A window that records its sizes and clicks and paints its client area red.
class CSunkenWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  std::vector<CSize> sizes;
  std::vector<CPoint> clicks;
  void OnSize(UINT, int cx, int cy) { sizes.emplace_back(cx, cy); }
  void OnLButtonDown(UINT, CPoint point) { clicks.push_back(point); }
  void OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, RGB(255, 0, 0));
  }
};

// clang-format off
BEGIN_MESSAGE_MAP(CSunkenWnd, CWnd)
  .OnSize(&CSunkenWnd::OnSize)
  .OnLButtonDown(&CSunkenWnd::OnLButtonDown)
  .OnPaint(&CSunkenWnd::OnPaint)
END_MESSAGE_MAP()
// clang-format on

// A 200x150 top-level window with a sunken edge at (50, 60).
class ClientEdgeTest : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale;
  CUiApplication application;
  CSunkenWnd wnd;
  void SetUp() override {
    ASSERT_TRUE(wnd.CreateEx(WS_EX_CLIENTEDGE, nullptr, u"sunken", WS_POPUP | WS_VISIBLE,
                             CRect(50, 60, 250, 210), nullptr, 0));
    PumpMessages();
  }
  CPoint ClientOrigin() const {
    CPoint origin(0, 0);
    wnd.ClientToScreen(&origin);
    return origin;
  }
};

TEST_F(ClientEdgeTest, TheEdgeShrinksTheClientAreaButNotTheWindow) {
  CRect client;
  wnd.GetClientRect(client);
  EXPECT_EQ(client, CRect(0, 0, 196, 146));
  ASSERT_FALSE(wnd.sizes.empty());
  EXPECT_EQ(wnd.sizes.back(), CSize(196, 146));
  CRect window;
  wnd.GetWindowRect(window);
  EXPECT_EQ(window.Size(), CSize(200, 150));
  EXPECT_EQ(ClientOrigin(), window.TopLeft() + CPoint(2, 2));
  CPoint back = ClientOrigin();
  wnd.ScreenToClient(&back);
  EXPECT_EQ(back, CPoint(0, 0));

  // Taken away and given back later, the edge lays the window out anew at once.
  wnd.ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
  wnd.GetClientRect(client);
  EXPECT_EQ(client, CRect(0, 0, 200, 150));
  EXPECT_EQ(wnd.sizes.back(), CSize(200, 150));
  EXPECT_EQ(ClientOrigin(), window.TopLeft());
  wnd.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
  wnd.GetClientRect(client);
  EXPECT_EQ(client, CRect(0, 0, 196, 146));
  EXPECT_EQ(wnd.sizes.back(), CSize(196, 146));
  wnd.GetWindowRect(window);
  EXPECT_EQ(window, CRect(50, 60, 250, 210));
}

TEST_F(ClientEdgeTest, ClicksArriveInClientPointsAndTheEdgeTakesNone) {
  SimulateClick(&wnd, CPoint(10, 20));
  ASSERT_EQ(wnd.clicks.size(), 1u);
  EXPECT_EQ(wnd.clicks[0], CPoint(10, 20));
  const DWORD at = GetMessagePos();
  EXPECT_EQ(CPoint(GET_X_LPARAM(at), GET_Y_LPARAM(at)), ClientOrigin() + CPoint(10, 20))
      << "the click's screen point lies 2 pixels inside the window's corner";

  SimulateClick(&wnd, CPoint(-1, -1));
  SimulateClick(&wnd, CPoint(196, 10));
  EXPECT_EQ(wnd.clicks.size(), 1u) << "a click on the edge is no click in the client area";
}

TEST_F(ClientEdgeTest, ChildrenAndScrollBarsSitInsideTheEdge) {
  CWnd child;
  ASSERT_TRUE(child.Create(nullptr, u"child", WS_CHILD | WS_VISIBLE, CRect(10, 20, 60, 50), &wnd, 1));
  CRect placed;
  child.GetWindowRect(placed);
  EXPECT_EQ(placed, CRect(ClientOrigin() + CPoint(10, 20), CSize(50, 30)));
  child.MoveWindow(5, 6, 50, 30);
  child.GetWindowRect(placed);
  EXPECT_EQ(placed.TopLeft(), ClientOrigin() + CPoint(5, 6));

  // The child keeps its place in the client area when the parent's edge goes.
  wnd.ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
  child.GetWindowRect(placed);
  EXPECT_EQ(placed.TopLeft(), ClientOrigin() + CPoint(5, 6));
  wnd.ModifyStyleEx(0, WS_EX_CLIENTEDGE);

  wnd.ShowScrollBar(SB_VERT, TRUE);
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nMax = 99;
  info.nPage = 10;
  wnd.SetScrollInfo(SB_VERT, &info);
  CRect client;
  wnd.GetClientRect(client);
  EXPECT_EQ(client, CRect(0, 0, 196 - GetSystemMetrics(SM_CXVSCROLL), 146));
}

// Every line of the edge in a colour of its own, so that each pixel tells which line it is.
class ClientEdgeColorsTest : public ClientEdgeTest {
 protected:
  const int indices[4] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT};
  const COLORREF colors[4] = {RGB(10, 20, 30), RGB(200, 210, 220), RGB(1, 2, 3), RGB(150, 160, 170)};
  COLORREF saved[4] = {};
  void SetUp() override {
    for (int i = 0; i < 4; ++i) saved[i] = GetSysColor(indices[i]);
    SetSysColors(4, indices, colors);
    ClientEdgeTest::SetUp();
  }
  void TearDown() override { SetSysColors(4, indices, saved); }
};

TEST_F(ClientEdgeColorsTest, TheEdgeIsTwoSunkenLinesAroundTheClientArea) {
  CBitmap picture;
  picture.Attach(CopyWindowImage(&wnd));
  ASSERT_NE(picture.m_hObject, nullptr);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SelectObject(&picture);
  const COLORREF shadow = colors[0], highlight = colors[1], dark = colors[2], light = colors[3];
  const COLORREF red = RGB(255, 0, 0);
  struct Case {
    int x, y;
    COLORREF expected;
  };
  const Case cases[] = {
      {0, 0, shadow},      {100, 0, shadow},      {0, 75, shadow},      {198, 0, shadow}, {199, 0, highlight},
      {0, 149, highlight}, {100, 149, highlight}, {199, 75, highlight}, {1, 1, dark},     {100, 1, dark},
      {1, 75, dark},       {197, 1, dark},        {198, 1, light},      {1, 148, light},  {100, 148, light},
      {198, 75, light},    {2, 2, red},           {197, 147, red},      {100, 75, red},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dc.GetPixel(c.x, c.y), c.expected) << "at " << c.x << "," << c.y;
  }
}

}  // namespace
