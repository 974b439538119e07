#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/ui/Edit.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"

namespace {

// A frameless topmost tool window, as tips and drop lists are, that records its messages and
// answers WM_MOUSEACTIVATE as told.
class CRecordingPopup : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  std::vector<UINT> messages;
  std::vector<LPARAM> activationAsked;
  int activationAnswer = 0;  // 0: the default processing

  bool Create(CWnd* owner, DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW) {
    return CreateEx(exStyle, nullptr, u"popup", WS_POPUP, CRect(40, 40, 140, 90), owner, 0) != FALSE;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    messages.push_back(message);
    return CWnd::WindowProc(message, wParam, lParam);
  }
  int Count(UINT message) const { return int(std::count(messages.begin(), messages.end(), message)); }
  int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message) {
    EXPECT_EQ(topLevel, this);
    activationAsked.push_back(MAKELPARAM(WORD(hitTest), WORD(message)));
    return activationAnswer ? activationAnswer : CWnd::OnMouseActivate(topLevel, hitTest, message);
  }
};

// clang-format off
BEGIN_MESSAGE_MAP(CRecordingPopup, CWnd)
  .OnMouseActivate(&CRecordingPopup::OnMouseActivate)
END_MESSAGE_MAP()
// clang-format on

// A main window whose edit control is being typed into, as an in-place editor of a grid is.
class MainWindowWithOpenEdit : public ::testing::Test {
 protected:
  CUiApplication application;
  CWnd frame;
  CEdit edit;
  CRecordingPopup popup;

  void SetUp() override {
    ASSERT_TRUE(
        frame.Create(nullptr, u"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), &frame, 1001));
    edit.SetFocus();
    PumpMessages();
    ASSERT_EQ(CWnd::GetActiveWindow(), &frame);
    ASSERT_EQ(CWnd::GetFocus(), &edit);
    ASSERT_TRUE(popup.Create(&frame));
  }
};

TEST_F(MainWindowWithOpenEdit, ShowCommandsActivateThePopupOrLeaveTheFocusInTheEdit) {
  struct SCase {
    int command;
    bool activates;
  };
  const SCase cases[] = {
      {SW_SHOWNOACTIVATE, false},
      {SW_SHOWNA, false},
      {SW_SHOW, true},
      {SW_SHOWNORMAL, true},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_FALSE(popup.ShowWindow(c.command)) << "hidden before";
    PumpMessages();
    EXPECT_TRUE(popup.IsWindowVisible());
    EXPECT_EQ(popup.Count(WM_SHOWWINDOW), 1);
    EXPECT_EQ(CWnd::GetActiveWindow(), c.activates ? static_cast<CWnd*>(&popup) : &frame);
    if (!c.activates) {
      EXPECT_EQ(CWnd::GetFocus(), &edit) << "the edit keeps the focus";
    }

    EXPECT_TRUE(popup.ShowWindow(SW_HIDE));
    frame.SetFocus();
    edit.SetFocus();
    PumpMessages();
    ASSERT_EQ(CWnd::GetFocus(), &edit);
    popup.messages.clear();
  }
}

TEST_F(MainWindowWithOpenEdit, AShownPopupIsLeftAloneByFurtherShowsWithoutActivation) {
  popup.ShowWindow(SW_SHOWNOACTIVATE);
  EXPECT_TRUE(popup.ShowWindow(SW_SHOWNA)) << "visible before";
  PumpMessages();
  EXPECT_EQ(popup.Count(WM_SHOWWINDOW), 1) << "only a change of visibility is announced";
  EXPECT_EQ(CWnd::GetFocus(), &edit);
  popup.SetWindowPos(nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  PumpMessages();
  EXPECT_EQ(CWnd::GetFocus(), &edit);
}

TEST_F(MainWindowWithOpenEdit, AClickIntoThePopupActivatesItOnlyWhereItsAnswerSays) {
  struct SCase {
    int answer;
    bool activates;
    bool delivered;
  };
  const SCase cases[] = {
      {MA_NOACTIVATE, false, true},
      {MA_NOACTIVATEANDEAT, false, false},
      {MA_ACTIVATEANDEAT, true, false},
      {0, true, true},  // unhandled: MA_ACTIVATE
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.answer);
    popup.activationAnswer = c.answer;
    popup.ShowWindow(SW_SHOWNOACTIVATE);
    PumpMessages();
    SimulateMouse(&popup, SimulatedMouseAction::Press, VK_LBUTTON, CPoint(5, 5), 0, MK_LBUTTON);
    SimulateMouse(&popup, SimulatedMouseAction::Release, VK_LBUTTON, CPoint(5, 5), 0, 0);
    PumpMessages();
    ASSERT_EQ(popup.activationAsked.size(), 1u);
    EXPECT_EQ(popup.activationAsked[0], MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(popup.Count(WM_LBUTTONDOWN), c.delivered ? 1 : 0);
    EXPECT_EQ(popup.Count(WM_LBUTTONUP), 1) << "only the press is eaten";
    EXPECT_EQ(CWnd::GetActiveWindow(), c.activates ? static_cast<CWnd*>(&popup) : &frame);
    if (!c.activates) {
      EXPECT_EQ(CWnd::GetFocus(), &edit);
    }

    popup.ShowWindow(SW_HIDE);
    frame.SetFocus();
    edit.SetFocus();
    PumpMessages();
    popup.messages.clear();
    popup.activationAsked.clear();
  }
}

TEST_F(MainWindowWithOpenEdit, AClickIntoAChildOfThePopupTakesThePopupsAnswer) {
  CWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 30), &popup, 7));
  popup.activationAnswer = MA_NOACTIVATE;
  popup.ShowWindow(SW_SHOWNOACTIVATE);
  PumpMessages();
  SimulateMouse(&child, SimulatedMouseAction::Press, VK_LBUTTON, CPoint(5, 5), 0, MK_LBUTTON);
  PumpMessages();
  EXPECT_EQ(popup.activationAsked.size(), 1u) << "the child asks its parent";
  EXPECT_EQ(CWnd::GetActiveWindow(), &frame);
  EXPECT_EQ(CWnd::GetFocus(), &edit);
}

TEST_F(MainWindowWithOpenEdit, MinimizeMaximizeAndRestoreFollowThePlatform) {
  EXPECT_TRUE(frame.ShowWindow(SW_MAXIMIZE));
  EXPECT_TRUE(frame.IsZoomed());
  frame.ShowWindow(SW_MINIMIZE);
  EXPECT_TRUE(frame.IsIconic());
  frame.ShowWindow(SW_RESTORE);
  EXPECT_FALSE(frame.IsIconic());
  EXPECT_TRUE(frame.IsZoomed()) << "a window minimized from maximized comes back maximized";
  frame.ShowWindow(SW_RESTORE);
  EXPECT_FALSE(frame.IsZoomed());
  frame.ShowWindow(SW_SHOWMAXIMIZED);
  frame.ShowWindow(SW_SHOWNORMAL);
  EXPECT_FALSE(frame.IsZoomed());
  EXPECT_TRUE(frame.IsWindowVisible());
}

}  // namespace
