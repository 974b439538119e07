#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/kernel/Event.h"
#include "platform/kernel/Thread.h"
#include "platform/ui/Button.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

struct SMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

const UINT kAnswerMessage = WM_USER + 7;
const UINT kSequenceMessage = WM_APP + 3;

// A window that records every message it is sent and answers a few of them.
class CProbeWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  std::vector<SMessage> messages;
  std::vector<int> sequence;
  std::vector<UINT_PTR> timers;
  // How often a timer fired, and every style bit seen set then.
  std::atomic<int> timerFirings{0};
  DWORD stylesAtTimers = 0;
  LRESULT notifyReply = 0;
  int notifyCount = 0;
  int commandCount = 0;
  bool paintRed = false;
  // How many of the next paints invalidate the window again.
  int invalidatingPaints = 0;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    messages.push_back({message, wParam, lParam});
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<SMessage> Of(UINT message) const {
    std::vector<SMessage> found;
    for (const SMessage& m : messages) {
      if (m.message == message) found.push_back(m);
    }
    return found;
  }
  bool Create(CWnd* parent, const CRect& rect, UINT id = 100, DWORD style = 0) {
    return CWnd::Create(nullptr, u"probe", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE | style, rect, parent,
                        id) != FALSE;
  }

  LRESULT OnAnswer(WPARAM wParam, LPARAM lParam) { return LRESULT(wParam * 10 + lParam); }
  LRESULT OnSequence(WPARAM wParam, LPARAM) {
    sequence.push_back(int(wParam));
    return 0;
  }
  void OnTimer(UINT_PTR id) {
    timers.push_back(id);
    stylesAtTimers |= GetStyle();
    ++timerFirings;
  }
  void OnGridClick(NMHDR*, LRESULT* result) {
    ++notifyCount;
    *result = notifyReply;
  }
  void OnApply() { ++commandCount; }
  void OnPaint() {
    CPaintDC dc(this);
    if (paintRed) dc.FillSolidRect(2, 2, 4, 4, RGB(255, 0, 0));
    if (invalidatingPaints > 0) {
      --invalidatingPaints;
      Invalidate();
    }
  }
};

// clang-format off
BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
  .OnMessage(kAnswerMessage, &CProbeWnd::OnAnswer)
  .OnMessage(kSequenceMessage, &CProbeWnd::OnSequence)
  .OnTimer(&CProbeWnd::OnTimer)
  .OnNotify(NM_CLICK, 200, &CProbeWnd::OnGridClick)
  .OnCommand(300, &CProbeWnd::OnApply)
  .OnPaint(&CProbeWnd::OnPaint)
END_MESSAGE_MAP()
// clang-format on

// A child that handles its own click notification before the parent sees it.
class CReflectingWnd : public CProbeWnd {
  DECLARE_MESSAGE_MAP()

 public:
  int reflected = 0;
  void OnReflectedClick(NMHDR*, LRESULT* result) {
    ++reflected;
    *result = 77;
  }
};

// clang-format off
BEGIN_MESSAGE_MAP(CReflectingWnd, CProbeWnd)
  .OnNotifyReflect(NM_CLICK, &CReflectingWnd::OnReflectedClick)
END_MESSAGE_MAP()
// clang-format on

class WndTest : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale;
  CUiApplication application;
  CProbeWnd top;
  void SetUp() override { ASSERT_TRUE(top.Create(nullptr, CRect(50, 60, 250, 210))); }
};

TEST_F(WndTest, SentMessageReturnsTheHandlersReplyAlsoFromAWorkerThread) {
  EXPECT_EQ(top.SendMessage(kAnswerMessage, 4, 2), 42);

  std::atomic<LRESULT> fromWorker{0};
  CThread worker;
  worker.Start([&] {
    fromWorker = top.SendMessage(kAnswerMessage, 7, 3);
    return DWORD(0);
  });
  // The wait keeps the user-interface thread processing, which runs the worker's send.
  ASSERT_EQ(WaitForSingleObject(worker, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(fromWorker.load(), 73);
  // An unhandled message answers 0; a destroyed window is not reached.
  EXPECT_EQ(top.SendMessage(WM_USER + 99, 1, 1), 0);
}

TEST_F(WndTest, PostedMessagesArriveOnceInOrderFromAnyThread) {
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(top.PostMessage(kSequenceMessage, WPARAM(i)));
  CThread worker;
  worker.Start([&] {
    for (int i = 50; i < 100; ++i) top.PostMessage(kSequenceMessage, WPARAM(i));
    return DWORD(0);
  });
  ASSERT_EQ(WaitForSingleObject(worker, 5000), WAIT_OBJECT_0);
  PumpMessages(20);
  std::vector<int> expected;
  for (int i = 0; i < 100; ++i) expected.push_back(i);
  EXPECT_EQ(top.sequence, expected);
}

TEST_F(WndTest, AWorkersStyleChangesAreMadeOnTheUiThreadWhileItReadsThem) {
  // The sunken edge lays the window out anew.
  constexpr int kRounds = 50;
  top.SetTimer(7, 1);
  int rounds = 0;
  int changes = 0;
  CThread worker;
  worker.Start([&] {
    // Changes go on until the timer has read the styles a few times in between.
    for (; rounds < kRounds || top.timerFirings < 3; ++rounds) {
      changes += top.ModifyStyleEx(0, WS_EX_CLIENTEDGE) + top.ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    }
    return DWORD(0);
  });
  // The wait keeps the user-interface thread firing the timer while it runs the worker's
  // changes.
  ASSERT_EQ(WaitForSingleObject(worker, 5000), WAIT_OBJECT_0);
  top.KillTimer(7);
  EXPECT_EQ(changes, 2 * rounds) << "every call changed the style it named";
  EXPECT_EQ(top.GetExStyle() & WS_EX_CLIENTEDGE, 0u);
  EXPECT_EQ(top.stylesAtTimers & WS_VISIBLE, DWORD(WS_VISIBLE));
}

TEST_F(WndTest, PostingToADestroyedWindowFailsAndNothingArrives) {
  CProbeWnd other;
  ASSERT_TRUE(other.Create(nullptr, CRect(0, 0, 10, 10)));
  ASSERT_TRUE(other.PostMessage(kSequenceMessage, 1));
  other.DestroyWindow();
  EXPECT_FALSE(other.PostMessage(kSequenceMessage, 2));
  PumpMessages(10);
  EXPECT_TRUE(other.sequence.empty());
  EXPECT_EQ(CWnd::FromHandle(&other), nullptr);
}

TEST_F(WndTest, RegisteredMessagesShareOneNumberPerName) {
  const UINT click = RegisterWindowMessage(u"OnLogoClick");
  EXPECT_GE(click, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage(u"OnLogoClick"), click);
  EXPECT_NE(RegisterWindowMessage(u"SomethingElse"), click);
}

TEST_F(WndTest, NotifyReplyIsTheAnswerAndTheControlMayHandleItFirst) {
  CProbeWnd plain;
  CReflectingWnd reflecting;
  ASSERT_TRUE(plain.Create(&top, CRect(0, 0, 20, 20), 200));
  ASSERT_TRUE(reflecting.Create(&top, CRect(0, 30, 20, 50), 200));

  NMHDR header{&plain, 200, NM_CLICK};
  top.notifyReply = -175;
  EXPECT_EQ(top.SendMessage(WM_NOTIFY, 200, LPARAM(&header)), -175);
  EXPECT_EQ(top.notifyCount, 1);

  NMHDR fromReflecting{&reflecting, 200, NM_CLICK};
  EXPECT_EQ(top.SendMessage(WM_NOTIFY, 200, LPARAM(&fromReflecting)), 77);
  EXPECT_EQ(reflecting.reflected, 1);
  EXPECT_EQ(top.notifyCount, 1) << "a reflected notification does not reach the parent";

  top.SendMessage(WM_COMMAND, MAKEWPARAM(300, 0), 0);
  top.SendMessage(WM_COMMAND, MAKEWPARAM(301, 0), 0);
  EXPECT_EQ(top.commandCount, 1);
  EXPECT_EQ(top.GetDlgItem(200), &plain) << "the first child with the id";
  EXPECT_EQ(top.GetWindow(GW_CHILD), &plain);
  EXPECT_EQ(plain.GetWindow(GW_HWNDNEXT), &reflecting);
  EXPECT_EQ(reflecting.GetWindow(GW_HWNDNEXT), nullptr);
  EXPECT_EQ(reflecting.GetWindow(GW_HWNDPREV), &plain);
}

TEST_F(WndTest, TimersFireByIdUntilKilled) {
  timeScale.Set(10);
  top.SetTimer(5, 200);
  top.SetTimer(9, 10000);
  PumpMessages(1000);
  ASSERT_FALSE(top.timers.empty());
  for (UINT_PTR id : top.timers) EXPECT_EQ(id, 5u);
  EXPECT_TRUE(top.KillTimer(5));
  EXPECT_FALSE(top.KillTimer(5));
  const size_t fired = top.timers.size();
  PumpMessages(600);
  EXPECT_EQ(top.timers.size(), fired);
}

TEST_F(WndTest, ScrollPositionIsClampedToTheLastFullPage) {
  struct SCase {
    int nMin, nMax;
    UINT nPage;
    int nPos;
    UINT pageAfter;
    int posAfter;
  };
  const SCase cases[] = {
      {0, 99, 10, 95, 10, 90},  // nMax - nPage + 1
      {0, 99, 10, -5, 10, 0},   // below the range
      {0, 99, 0, 150, 0, 99},   // no page: up to nMax
      {0, 9, 50, 3, 10, 0},     // page larger than the range
      {10, 20, 1, 20, 1, 20},   // page of one
      {-5, 5, 4, 4, 4, 2},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.nMax * 1000 + c.nPos);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = c.nMin;
    info.nMax = c.nMax;
    info.nPage = c.nPage;
    info.nPos = c.nPos;
    top.SetScrollInfo(SB_VERT, &info);
    SCROLLINFO read;
    ASSERT_TRUE(top.GetScrollInfo(SB_VERT, &read, SIF_ALL));
    EXPECT_EQ(read.nPage, c.pageAfter);
    EXPECT_EQ(read.nPos, c.posAfter);
    EXPECT_EQ(top.GetScrollPos(SB_VERT), c.posAfter);
  }
  top.SetScrollInfo(SB_VERT, nullptr);
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = 99;
  info.nPage = 10;
  info.nPos = 0;
  top.SetScrollInfo(SB_VERT, &info);
  EXPECT_EQ(top.GetScrollLimit(SB_VERT), 90);
  EXPECT_EQ(top.SetScrollPos(SB_VERT, 1000), 0) << "the previous position";
  EXPECT_EQ(top.GetScrollPos(SB_VERT), 90);
}

TEST_F(WndTest, ScrollBarTakesItsWidthFromTheClientArea) {
  CProbeWnd scrolled;
  ASSERT_TRUE(scrolled.Create(&top, CRect(0, 0, 120, 80), 101, WS_VSCROLL));
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMax = 99;
  info.nPage = 10;
  scrolled.SetScrollInfo(SB_VERT, &info);
  CRect client;
  scrolled.GetClientRect(client);
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(client, CRect(0, 0, 120 - barWidth, 80));
  const auto sizes = scrolled.Of(WM_SIZE);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().lParam, MAKELPARAM(WORD(120 - barWidth), 80));

  info.nPage = 100;  // everything fits: the bar goes
  scrolled.SetScrollInfo(SB_VERT, &info);
  scrolled.GetClientRect(client);
  EXPECT_EQ(client.Width(), 120);

  info.fMask |= SIF_DISABLENOSCROLL;  // unless asked to stay, disabled
  scrolled.SetScrollInfo(SB_VERT, &info);
  scrolled.GetClientRect(client);
  EXPECT_EQ(client.Width(), 120 - barWidth);
}

TEST_F(WndTest, MouseEventsBecomeMessagesWithClientPointsAndKeyFlags) {
  CProbeWnd child;
  ASSERT_TRUE(child.Create(&top, CRect(10, 20, 110, 120)));
  SimulateMouse(&child, SimulatedMouseAction::Move, 0, CPoint(3, 4), 0, 0);
  SimulateMouse(&child, SimulatedMouseAction::Press, VK_LBUTTON, CPoint(5, 7), MK_SHIFT, MK_LBUTTON);
  SimulateMouse(&child, SimulatedMouseAction::Release, VK_LBUTTON, CPoint(6, 8), MK_SHIFT, 0);
  SimulateMouse(&child, SimulatedMouseAction::DoubleClick, VK_LBUTTON, CPoint(6, 8), MK_CONTROL, MK_LBUTTON);
  SimulateMouse(&child, SimulatedMouseAction::Press, VK_RBUTTON, CPoint(-2, 300), 0, MK_RBUTTON);

  std::vector<UINT> order;
  for (const SMessage& m : child.messages) {
    if (m.message >= WM_MOUSEMOVE && m.message <= WM_MBUTTONDBLCLK) order.push_back(m.message);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                      WM_RBUTTONDOWN}));
  const auto down = child.Of(WM_LBUTTONDOWN);
  ASSERT_EQ(down.size(), 1u);
  EXPECT_EQ(down[0].wParam, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(down[0].lParam, MAKELPARAM(5, 7));
  EXPECT_EQ(child.Of(WM_LBUTTONUP)[0].wParam, WPARAM(MK_SHIFT)) << "the released button is no longer down";
  EXPECT_EQ(child.Of(WM_LBUTTONDBLCLK)[0].wParam, MK_LBUTTON | MK_CONTROL);
  const auto right = child.Of(WM_RBUTTONDOWN);
  EXPECT_EQ(GET_X_LPARAM(right[0].lParam), -2) << "coordinates are signed";
  EXPECT_EQ(GET_Y_LPARAM(right[0].lParam), 300);

  // The cursor is asked for before each move and press.
  const auto cursor = child.Of(WM_SETCURSOR);
  ASSERT_GE(cursor.size(), 2u);
  EXPECT_EQ(cursor[0].wParam, WPARAM(&child));
  EXPECT_EQ(cursor[0].lParam, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

TEST_F(WndTest, RightButtonUpOffersAContextMenuInScreenPointsToTheParentToo) {
  CProbeWnd child;
  ASSERT_TRUE(child.Create(&top, CRect(10, 20, 110, 120)));
  SimulateMouse(&child, SimulatedMouseAction::Press, VK_RBUTTON, CPoint(5, 6), 0, MK_RBUTTON);
  SimulateMouse(&child, SimulatedMouseAction::Release, VK_RBUTTON, CPoint(5, 6), 0, 0);
  CPoint screen(5, 6);
  child.ClientToScreen(&screen);
  const auto menu = child.Of(WM_CONTEXTMENU);
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_EQ(menu[0].wParam, WPARAM(&child));
  EXPECT_EQ(GET_X_LPARAM(menu[0].lParam), screen.x);
  EXPECT_EQ(GET_Y_LPARAM(menu[0].lParam), screen.y);
  EXPECT_EQ(top.Of(WM_CONTEXTMENU).size(), 1u) << "unhandled, it goes on to the parent";
}

TEST_F(WndTest, CaptureSendsTheMouseToTheCapturingWindow) {
  CProbeWnd left, right;
  ASSERT_TRUE(left.Create(&top, CRect(0, 0, 50, 50), 1));
  ASSERT_TRUE(right.Create(&top, CRect(100, 0, 150, 50), 2));
  left.SetCapture();
  EXPECT_EQ(CWnd::GetCapture(), &left);
  SimulateMouse(&right, SimulatedMouseAction::Move, 0, CPoint(1, 2), 0, 0);
  const auto moves = left.Of(WM_MOUSEMOVE);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].lParam, MAKELPARAM(101, 2));
  EXPECT_TRUE(right.Of(WM_MOUSEMOVE).empty());
  ReleaseCapture();
  EXPECT_EQ(left.Of(WM_CAPTURECHANGED).size(), 1u);
  SimulateMouse(&right, SimulatedMouseAction::Move, 0, CPoint(1, 2), 0, 0);
  EXPECT_EQ(right.Of(WM_MOUSEMOVE).size(), 1u);
}

TEST_F(WndTest, WheelCarriesDeltaAndScreenPoint) {
  SimulateWheel(&top, -120, CPoint(10, 11), MK_CONTROL);
  const auto wheel = top.Of(WM_MOUSEWHEEL);
  ASSERT_EQ(wheel.size(), 1u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), -120);
  EXPECT_EQ(GET_KEYSTATE_WPARAM(wheel[0].wParam), MK_CONTROL);
  CPoint screen(10, 11);
  top.ClientToScreen(&screen);
  EXPECT_EQ(wheel[0].lParam, MAKELPARAM(WORD(screen.x), WORD(screen.y)));

  // Unhandled, the wheel goes on to the parent.
  CProbeWnd child;
  ASSERT_TRUE(child.Create(&top, CRect(0, 0, 40, 40)));
  SimulateWheel(&child, 240, CPoint(1, 1), 0);
  EXPECT_EQ(child.Of(WM_MOUSEWHEEL).size(), 1u);
  ASSERT_EQ(top.Of(WM_MOUSEWHEEL).size(), 2u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(top.Of(WM_MOUSEWHEEL)[1].wParam), 240);
}

TEST_F(WndTest, KeysBecomeKeyDownCharAndKeyUpWithTheirFlags) {
  SimulateKey(&top, 'A', true, u"a");
  SimulateKey(&top, 'A', false, u"a");
  SimulateKey(&top, VK_LEFT, true, u"", 0, true);
  SimulateKey(&top, VK_F2, true, u"");
  std::vector<std::pair<UINT, WPARAM>> keys;
  for (const SMessage& m : top.messages) {
    if (m.message >= WM_KEYDOWN && m.message <= WM_CHAR) keys.emplace_back(m.message, m.wParam);
  }
  const std::vector<std::pair<UINT, WPARAM>> expected = {
      {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}, {WM_KEYDOWN, VK_LEFT}, {WM_KEYDOWN, VK_F2}};
  EXPECT_EQ(keys, expected);
  const auto downs = top.Of(WM_KEYDOWN);
  EXPECT_EQ(LOWORD(DWORD(downs[0].lParam)), 1) << "repeat count";
  EXPECT_EQ(DWORD(downs[0].lParam) & 0xC0000000u, 0u);
  EXPECT_EQ(DWORD(top.Of(WM_KEYUP)[0].lParam) & 0xC0000000u, 0xC0000000u) << "previous state and transition";
  EXPECT_NE(DWORD(downs[1].lParam) & (1u << 24), 0u) << "arrow keys are extended keys";
  EXPECT_NE(DWORD(downs[1].lParam) & (1u << 30), 0u) << "an auto-repeated key was down before";
}

TEST_F(WndTest, MouseLeaveIsReportedOnceAfterTracking) {
  SimulateMouseEnter(&top);
  SimulateMouse(&top, SimulatedMouseAction::Move, 0, CPoint(3, 3), 0, 0);
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = &top;
  ASSERT_TRUE(TrackMouseEvent(&track));
  SimulateMouseLeave(&top);
  SimulateMouseLeave(&top);
  PumpMessages();
  EXPECT_EQ(top.Of(WM_MOUSELEAVE).size(), 1u);

  // Tracking while the mouse is already outside reports the leave at once.
  ASSERT_TRUE(TrackMouseEvent(&track));
  PumpMessages();
  EXPECT_EQ(top.Of(WM_MOUSELEAVE).size(), 2u);
}

TEST_F(WndTest, TheMousePointerStaysWhereItWasMovedAndMapsToClientPoints) {
  ASSERT_TRUE(SetCursorPos(120, 95));
  CPoint point;
  ASSERT_TRUE(GetCursorPos(&point));
  EXPECT_EQ(point, CPoint(120, 95));
  top.ScreenToClient(&point);
  CPoint origin(0, 0);
  top.ClientToScreen(&origin);
  EXPECT_EQ(point, CPoint(120 - origin.x, 95 - origin.y));
}

TEST_F(WndTest, PaintDrawsIntoTheBackingImageThatClientContextsRead) {
  top.paintRed = true;
  top.Invalidate();
  top.UpdateWindow();
  EXPECT_FALSE(top.Of(WM_PAINT).empty());
  EXPECT_FALSE(top.Of(WM_ERASEBKGND).empty());
  CRect update;
  EXPECT_FALSE(top.GetUpdateRect(update)) << "painting validates";
  CClientDC dc(&top);
  EXPECT_EQ(dc.GetPixel(3, 3), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(7, 7), RGB(255, 255, 255)) << "erased with the window colour";
}

TEST_F(WndTest, WhatAPaintInvalidatesIsPaintedAtTheNextPaint) {
  top.invalidatingPaints = 2;
  top.Invalidate();
  top.UpdateWindow();
  EXPECT_EQ(top.Of(WM_PAINT).size(), 1u);
  CRect update;
  EXPECT_TRUE(top.GetUpdateRect(update)) << "the paint asked for another one";
  top.UpdateWindow();
  top.UpdateWindow();
  top.UpdateWindow();
  EXPECT_EQ(top.Of(WM_PAINT).size(), 3u) << "the third paint invalidated nothing";
  EXPECT_FALSE(top.GetUpdateRect(update));
}

TEST_F(WndTest, WhatAnUpdatesPaintInvalidatesThePaintOfTheEventLoopPaints) {
  PumpMessages();
  const size_t before = top.Of(WM_PAINT).size();
  top.invalidatingPaints = 1;
  top.Invalidate();
  top.UpdateWindow();
  EXPECT_EQ(top.Of(WM_PAINT).size(), before + 1);
  PumpMessages();
  EXPECT_EQ(top.Of(WM_PAINT).size(), before + 2) << "the area the paint invalidated was left unpainted";
  CRect update;
  EXPECT_FALSE(top.GetUpdateRect(update));
}

TEST_F(WndTest, AParentPaintsAroundItsChildrenAndLaterWhatAChildUncovers) {
  CProbeWnd child;
  ASSERT_TRUE(child.Create(&top, CRect(0, 0, 10, 10)));
  top.paintRed = true;
  top.Invalidate();
  top.UpdateWindow();
  PumpMessages();
  child.ShowWindow(SW_HIDE);
  PumpMessages();
  CClientDC dc(&top);
  EXPECT_EQ(dc.GetPixel(3, 3), RGB(255, 0, 0)) << "painted once the child no longer covers it";
  EXPECT_EQ(dc.GetPixel(7, 7), RGB(255, 255, 255));
}

TEST_F(WndTest, MoveWindowReportsTheNewClientSizeAtOnce) {
  CProbeWnd child;
  ASSERT_TRUE(child.Create(&top, CRect(0, 0, 30, 30)));
  child.ShowWindow(SW_HIDE);
  child.MoveWindow(5, 6, 70, 40);
  const auto sizes = child.Of(WM_SIZE);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().lParam, MAKELPARAM(70, 40));
  CRect window, parentWindow;
  child.GetWindowRect(window);
  top.GetWindowRect(parentWindow);
  EXPECT_EQ(window.left - parentWindow.left, 5);
  EXPECT_EQ(window.Width(), 70);
  EXPECT_FALSE(child.IsWindowVisible());
}

TEST_F(WndTest, DestroyingAParentDestroysItsChildrenFirstWithWmDestroy) {
  auto child = std::make_unique<CProbeWnd>();
  ASSERT_TRUE(child->Create(&top, CRect(0, 0, 10, 10)));
  top.DestroyWindow();
  EXPECT_FALSE(child->IsWindow());
  EXPECT_EQ(child->Of(WM_DESTROY).size(), 1u);
  EXPECT_EQ(top.Of(WM_DESTROY).size(), 1u);
}

TEST_F(WndTest, SetCursorFromWmSetCursorChangesTheCursor) {
  HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(LoadCursor(nullptr, IDC_HAND), hand);
  EXPECT_NE(LoadCursor(nullptr, IDC_ARROW), hand);
  SetCursor(hand);
  EXPECT_EQ(GetCursor(), hand);
  SimulateMouse(&top, SimulatedMouseAction::Move, 0, CPoint(1, 1), 0, 0);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW)) << "unhandled, the arrow is set again";
}

// A window that scrolls one line per SB_LINEDOWN and follows the thumb when it is released.
class CScrollingWnd : public CProbeWnd {
  DECLARE_MESSAGE_MAP()

 public:
  std::vector<std::pair<UINT, UINT>> scrolls;
  void OnVScroll(UINT code, UINT pos, CScrollBar*) {
    scrolls.emplace_back(code, pos);
    if (code == SB_LINEDOWN) SetScrollPos(SB_VERT, GetScrollPos(SB_VERT) + 1);
    if (code == SB_THUMBPOSITION) SetScrollPos(SB_VERT, int(pos));
  }
};

// clang-format off
BEGIN_MESSAGE_MAP(CScrollingWnd, CProbeWnd)
  .OnVScroll(&CScrollingWnd::OnVScroll)
END_MESSAGE_MAP()
// clang-format on

TEST_F(WndTest, ScrollBarActionsArriveAsScrollMessagesAndTheWindowSetsThePosition) {
  CScrollingWnd scrolled;
  ASSERT_TRUE(scrolled.Create(&top, CRect(0, 0, 120, 80), 101, WS_VSCROLL));
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = 99;
  info.nPage = 10;
  scrolled.SetScrollInfo(SB_VERT, &info);

  SimulateScrollBar(&scrolled, SB_VERT, SB_LINEDOWN);
  using Scroll = std::pair<UINT, UINT>;
  EXPECT_EQ(scrolled.scrolls, (std::vector<Scroll>{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
  EXPECT_EQ(scrolled.GetScrollPos(SB_VERT), 1);

  scrolled.scrolls.clear();
  SimulateScrollBar(&scrolled, SB_VERT, SB_THUMBTRACK, 40);
  SCROLLINFO tracking;
  scrolled.GetScrollInfo(SB_VERT, &tracking, SIF_POS | SIF_TRACKPOS);
  EXPECT_EQ(tracking.nTrackPos, 40);
  EXPECT_EQ(tracking.nPos, 1) << "dragging moves only the thumb";
  SimulateScrollBar(&scrolled, SB_VERT, SB_THUMBPOSITION);
  EXPECT_EQ(scrolled.scrolls,
            (std::vector<Scroll>{{SB_THUMBTRACK, 40}, {SB_THUMBPOSITION, 40}, {SB_ENDSCROLL, 0}}));
  EXPECT_EQ(scrolled.GetScrollPos(SB_VERT), 40);
}

// A window that goes away when its button is clicked, from inside the button's own click.
class CClosingWnd : public CProbeWnd {
  DECLARE_MESSAGE_MAP()

 public:
  void OnCloseButton() { DestroyWindow(); }
};

// clang-format off
BEGIN_MESSAGE_MAP(CClosingWnd, CProbeWnd)
  .OnBnClicked(7, &CClosingWnd::OnCloseButton)
END_MESSAGE_MAP()
// clang-format on

TEST_F(WndTest, WindowMayBeDestroyedFromItsChildsClick) {
  CClosingWnd closing;
  ASSERT_TRUE(closing.Create(&top, CRect(0, 0, 100, 100)));
  CButton button;
  ASSERT_TRUE(button.Create(u"Close", WS_CHILD | WS_VISIBLE, CRect(5, 5, 80, 30), &closing, 7));
  SimulateClick(&button, CPoint(10, 10));
  EXPECT_FALSE(closing.IsWindow());
  EXPECT_FALSE(button.IsWindow());
  PumpMessages();
  EXPECT_TRUE(top.IsWindow());
}

// A one-shot timer: the handler kills the timer whose tick it handles.
class COneShotWnd : public CProbeWnd {
  DECLARE_MESSAGE_MAP()

 public:
  void OnTimer(UINT_PTR id) {
    KillTimer(id);
    timers.push_back(id);
  }
};

// clang-format off
BEGIN_MESSAGE_MAP(COneShotWnd, CProbeWnd)
  .OnTimer(&COneShotWnd::OnTimer)
END_MESSAGE_MAP()
// clang-format on

TEST_F(WndTest, TimerKilledInItsOwnHandlerFiresOnce) {
  COneShotWnd once;
  ASSERT_TRUE(once.Create(&top, CRect(0, 0, 10, 10)));
  timeScale.Set(10);
  once.SetTimer(3, 50);
  PumpMessages(500);
  EXPECT_EQ(once.timers, std::vector<UINT_PTR>{3});
}

TEST_F(WndTest, FocusMovesWithKillAndSetFocusNamingTheOtherWindow) {
  CProbeWnd first, second;
  ASSERT_TRUE(first.Create(&top, CRect(0, 0, 50, 50), 1));
  ASSERT_TRUE(second.Create(&top, CRect(60, 0, 110, 50), 2));
  first.SetFocus();
  PumpMessages();
  ASSERT_EQ(CWnd::GetFocus(), &first);
  ASSERT_EQ(first.Of(WM_SETFOCUS).size(), 1u);
  EXPECT_EQ(second.SetFocus(), &first) << "the window that had the focus";
  PumpMessages();
  EXPECT_EQ(CWnd::GetFocus(), &second);
  const auto killed = first.Of(WM_KILLFOCUS);
  ASSERT_EQ(killed.size(), 1u);
  EXPECT_EQ(killed[0].wParam, WPARAM(&second));
  const auto set = second.Of(WM_SETFOCUS);
  ASSERT_EQ(set.size(), 1u);
  EXPECT_EQ(set[0].wParam, WPARAM(&first));
}

TEST_F(WndTest, WindowContextDrawsOutsideThePaintCycle) {
  HDC dc = GetDC(&top);
  ASSERT_NE(dc, nullptr);
  CDC::FromHandle(dc)->FillSolidRect(10, 10, 3, 3, RGB(0, 128, 0));
  ReleaseDC(&top, dc);
  CClientDC check(&top);
  EXPECT_EQ(check.GetPixel(11, 11), RGB(0, 128, 0));
  EXPECT_TRUE(top.Of(WM_PAINT).empty()) << "no paint was asked for";

  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_GT(CDC::FromHandle(screen)->GetTextExtent(CString(u"Load")).cx, 0);
  ReleaseDC(nullptr, screen);
  CDC::DeleteTempMap();
}

}  // namespace
