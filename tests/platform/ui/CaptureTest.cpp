#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/Menu.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"

namespace {

// What a window saw of the capture: each WM_CAPTURECHANGED with the window named in it and
// the window holding the capture at that moment.
struct SCaptureChange {
  CWnd* taker;
  CWnd* holderThen;
  bool operator==(const SCaptureChange&) const = default;
};

class CDragWnd : public CWnd {
 public:
  std::vector<SCaptureChange> changes;
  std::vector<CPoint> moves;
  std::vector<CPoint> releases;

  bool Create(CWnd* parent, const CRect& rect) {
    const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    return CWnd::Create(nullptr, u"drag", style, rect, parent, 1) != FALSE;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (message == WM_CAPTURECHANGED)
      changes.push_back({reinterpret_cast<CWnd*>(lParam), CWnd::GetCapture()});
    if (message == WM_MOUSEMOVE) moves.push_back(point);
    if (message == WM_LBUTTONUP) releases.push_back(point);
    if (message == WM_LBUTTONDOWN) SetCapture();
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// Two windows side by side in a top-level window, and a second top-level window elsewhere.
class TwoWindowsAndAnother : public ::testing::Test {
 protected:
  CUiApplication application;
  CDragWnd top, left, right, other;

  void SetUp() override {
    ASSERT_TRUE(top.Create(nullptr, CRect(100, 100, 400, 300)));
    ASSERT_TRUE(left.Create(&top, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(right.Create(&top, CRect(150, 0, 250, 100)));
    ASSERT_TRUE(other.Create(nullptr, CRect(500, 100, 600, 200)));
    top.SetFocus();
    PumpMessages();
  }
  void TearDown() override { ReleaseCapture(); }
};

TEST_F(TwoWindowsAndAnother, TheLoserHearsOfTheChangeAfterTheCaptureMoved) {
  EXPECT_EQ(left.SetCapture(), nullptr);
  EXPECT_EQ(right.SetCapture(), &left);
  EXPECT_EQ(left.changes, (std::vector<SCaptureChange>{{&right, &right}}));
  EXPECT_EQ(right.SetCapture(), &right);
  EXPECT_TRUE(right.changes.empty()) << "taking the capture again changes nothing";
  ReleaseCapture();
  EXPECT_EQ(right.changes, (std::vector<SCaptureChange>{{nullptr, nullptr}}));
  ReleaseCapture();
  EXPECT_EQ(right.changes.size(), 1u) << "nothing to release the second time";
}

TEST_F(TwoWindowsAndAnother, ADragKeepsTheMouseInItsOwnClientCoordinatesUntilTheRelease) {
  SimulateMouse(&left, SimulatedMouseAction::Press, VK_LBUTTON, CPoint(10, 10), 0, MK_LBUTTON);
  ASSERT_EQ(CWnd::GetCapture(), &left);
  SimulateMouse(&other, SimulatedMouseAction::Move, 0, CPoint(5, 6), 0, MK_LBUTTON);
  SimulateMouse(&other, SimulatedMouseAction::Release, VK_LBUTTON, CPoint(5, 6), 0, 0);
  // other's client (5, 6) is the screen point (505, 106), left's client origin (100, 100).
  EXPECT_EQ(left.moves, (std::vector<CPoint>{CPoint(405, 6)}));
  EXPECT_EQ(left.releases, (std::vector<CPoint>{CPoint(405, 6)}));
  EXPECT_TRUE(other.moves.empty() && other.releases.empty());
}

TEST_F(TwoWindowsAndAnother, AWindowHearsAMoveWhereThePointerRestsWhenItsCaptureEnds) {
  SimulateMouse(&left, SimulatedMouseAction::Press, VK_LBUTTON, CPoint(10, 10), 0, MK_LBUTTON);
  SimulateMouse(&left, SimulatedMouseAction::Release, VK_LBUTTON, CPoint(20, 30), 0, 0);
  left.moves.clear();
  ReleaseCapture();
  PumpMessages();
  EXPECT_EQ(left.moves, (std::vector<CPoint>{CPoint(20, 30)}));
  // A pointer outside the window brings it no move.
  SimulateMouse(&left, SimulatedMouseAction::Press, VK_LBUTTON, CPoint(10, 10), 0, MK_LBUTTON);
  SimulateMouse(&other, SimulatedMouseAction::Release, VK_LBUTTON, CPoint(5, 6), 0, 0);
  left.moves.clear();
  ReleaseCapture();
  PumpMessages();
  EXPECT_TRUE(left.moves.empty());
}

TEST_F(TwoWindowsAndAnother, APopupMenuTakesTheCaptureBeforeItShows) {
  CScriptedAnswers answers;
  left.SetCapture();
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 40, u"Insert row");
  TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, &top, nullptr);
  DestroyMenu(menu);
  EXPECT_EQ(left.changes, (std::vector<SCaptureChange>{{nullptr, nullptr}}));
  EXPECT_EQ(answers.GetPopupMenus().size(), 1u);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(TwoWindowsAndAnother, ActivatingAnotherWindowEndsTheCapture) {
  left.SetCapture();
  other.ShowWindow(SW_SHOW);
  PumpMessages();
  ASSERT_EQ(CWnd::GetActiveWindow(), &other);
  EXPECT_EQ(left.changes, (std::vector<SCaptureChange>{{nullptr, nullptr}}));
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(TwoWindowsAndAnother, AWindowDestroyedWhileItHoldsTheCaptureGivesItUp) {
  {
    CDragWnd doomed;
    ASSERT_TRUE(doomed.Create(&top, CRect(0, 150, 50, 190)));
    doomed.SetCapture();
  }
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  left.SetCapture();
  SimulateMouse(&right, SimulatedMouseAction::Move, 0, CPoint(1, 1), 0, 0);
  EXPECT_EQ(left.moves.size(), 1u) << "the capture works on after the holder went";
}

}  // namespace
