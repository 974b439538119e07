#include <gtest/gtest.h>

#include <algorithm>

#include "platform/res/StringTable.h"
#include "platform/ui/Edit.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "tests/support/TestEnvironment.h"

namespace {

MSG Move(CWnd* wnd, int x, int y) { return MSG{wnd, WM_MOUSEMOVE, 0, MAKELPARAM(WORD(x), WORD(y))}; }

TEST(ToolTipTest, RelayedMovesShowTheToolUnderTheMouse) {
  CUiApplication application;
  CWnd page, next;
  ASSERT_TRUE(page.Create(nullptr, u"page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  ASSERT_TRUE(
      next.Create(nullptr, u"Next >", WS_CHILD | WS_VISIBLE, CRect(200, 160, 280, 190), &page, 12324));
  CToolTipCtrl tips;
  ASSERT_TRUE(tips.Create(&page));
  tips.AddTool(&next, u"Advance to the next step");
  const CRect area(10, 10, 50, 30);
  tips.AddTool(&page, u"Type of the instrument", area, 5);
  tips.AddTool(&page, 28501, CRect(60, 10, 90, 30), 6);
  EXPECT_EQ(tips.GetToolCount(), 3);

  struct SCase {
    MSG msg;
    CString shown;
  };
  const SCase cases[] = {
      {Move(&next, 3, 3), u"Advance to the next step"},
      {Move(&page, 10, 10), u"Type of the instrument"},
      {Move(&page, 50, 30), u""},  // right and bottom edges lie outside a tool's rectangle
      {Move(&page, 61, 11), ResString(28501)},
      {MSG{&page, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(61, 11)}, u""},
  };
  for (const SCase& c : cases) {
    MSG msg = c.msg;
    tips.RelayEvent(&msg);
    EXPECT_EQ(tips.GetShownText(), c.shown);
  }

  MSG overNext = Move(&next, 3, 3);
  tips.RelayEvent(&overNext);
  EXPECT_EQ(tips.GetShownText(), CString(u"Advance to the next step"));
  tips.Activate(FALSE);
  EXPECT_TRUE(tips.GetShownText().IsEmpty());
  MSG again = Move(&page, 10, 10);
  tips.RelayEvent(&again);
  EXPECT_TRUE(tips.GetShownText().IsEmpty()) << "an inactive control shows nothing";
}

// Two tip controls over a main window whose edit control holds the focus, as a grid's title
// tip and tool tip over its in-place editor.
TEST(ToolTipTest, EachControlShowsItsOwnTipBelowTheMouseWithoutTakingTheFocus) {
  CUiApplication application;
  CWnd frame;
  ASSERT_TRUE(
      frame.Create(nullptr, u"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 320, 200), nullptr, 0));
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 32), &frame, 1001));
  edit.SetFocus();
  PumpMessages();
  ASSERT_EQ(CWnd::GetFocus(), &edit);

  CToolTipCtrl titleTip, toolTip;
  ASSERT_TRUE(titleTip.Create(&frame));
  ASSERT_TRUE(toolTip.Create(&frame));
  titleTip.AddTool(&frame, u"Adhesion strength in MPa", CRect(0, 40, 160, 60), 1);
  toolTip.AddTool(&edit, u"Type the dolly diameter");
  MSG overColumn = Move(&frame, 20, 45);
  titleTip.RelayEvent(&overColumn);
  MSG overEdit = Move(&edit, 30, 5);
  toolTip.RelayEvent(&overEdit);
  PumpMessages();

  EXPECT_TRUE(titleTip.IsWindowVisible());
  EXPECT_TRUE(toolTip.IsWindowVisible()) << "a second tip does not hide the first";
  EXPECT_EQ(CWnd::GetFocus(), &edit);
  EXPECT_EQ(CWnd::GetActiveWindow(), &frame);
  CRect tip;
  titleTip.GetWindowRect(tip);
  CPoint mouse(20, 45);
  frame.ClientToScreen(&mouse);
  EXPECT_EQ(tip.left, mouse.x);
  EXPECT_GT(tip.top, mouse.y) << "the tip shows below the mouse";
  EXPECT_GT(tip.Width(), 100) << "the tip is as wide as its text";

  SimulateMouse(&titleTip, SimulatedMouseAction::Press, VK_LBUTTON, CPoint(3, 3), 0, MK_LBUTTON);
  PumpMessages();
  EXPECT_EQ(CWnd::GetFocus(), &edit) << "a click into a tip leaves the focus";
  EXPECT_TRUE(SaveWindowImage(&titleTip, CString(TestPath("title-tip.png").c_str())));

  toolTip.Pop();
  EXPECT_FALSE(toolTip.IsWindowVisible());
  EXPECT_TRUE(titleTip.IsWindowVisible());
}

// A window with two tools side by side, as a tool bar's buttons are.
class CTwoToolWnd : public CWnd {
 public:
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override {
    const int tool = point.x < 50 ? 1 : point.x < 100 ? 2 : -1;
    if (tool < 0 || point.y >= 30) return -1;
    const CString text = tool == 1 ? u"Open project" : u"Save project";
    info->uId = UINT_PTR(tool);
    info->rect = CRect((tool - 1) * 50, 0, tool * 50, 30);
    info->lpszText = new char16_t[text.GetLength() + 1];
    std::copy(text.GetString(), text.GetString() + text.GetLength() + 1, info->lpszText);
    return tool;
  }
};

TEST(ToolTipTest, HoveringTipsOfAWindowFollowTheMouseFromToolToToolAndGoOnAClick) {
  CUiApplication application;
  CWnd frame;
  ASSERT_TRUE(
      frame.Create(nullptr, u"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 320, 200), nullptr, 0));
  CTwoToolWnd bar, other;
  ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), &frame, 1));
  ASSERT_TRUE(other.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 100, 200, 130), &frame, 2));
  bar.EnableToolTips();
  other.EnableToolTips();
  auto shown = [](CWnd& wnd) { return wnd.GetHoverTips() ? wnd.GetHoverTips()->GetShownText() : CString(); };

  SimulateHover(&bar, CPoint(10, 10));
  SimulateHover(&other, CPoint(60, 10));
  EXPECT_EQ(shown(bar), CString(u"Open project"));
  EXPECT_EQ(shown(other), CString(u"Save project")) << "each window has a tip of its own";
  EXPECT_NE(bar.GetHoverTips(), other.GetHoverTips());

  struct SCase {
    CPoint moveTo;
    CString shown;
  };
  const SCase cases[] = {
      {CPoint(20, 10), u"Open project"},
      {CPoint(60, 10), u"Save project"},  // at once, with no new rest of the mouse
      {CPoint(150, 10), u""},
  };
  for (const SCase& c : cases) {
    SimulateMouse(&bar, SimulatedMouseAction::Move, 0, c.moveTo, 0, 0);
    EXPECT_EQ(shown(bar), c.shown) << c.moveTo.x;
  }
  SimulateHover(&bar, CPoint(10, 10));
  SimulateMouse(&bar, SimulatedMouseAction::Press, VK_LBUTTON, CPoint(10, 10), 0, MK_LBUTTON);
  EXPECT_TRUE(shown(bar).IsEmpty()) << "a click hides the tip";
  SimulateMouseLeave(&other);
  EXPECT_TRUE(shown(other).IsEmpty()) << "leaving the window hides its tip";
}

}  // namespace

namespace {

TEST(ToolTipTest, ATitleWithItsIconStandsAboveTheText) {
  CUiApplication application;
  CWnd page;
  ASSERT_TRUE(page.Create(nullptr, u"page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  CToolTipCtrl plain;
  CToolTipCtrl titled;
  ASSERT_TRUE(plain.Create(&page));
  ASSERT_TRUE(titled.Create(&page, TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON));
  for (CToolTipCtrl* tips : {&plain, &titled})
    tips->AddTool(&page, u"Peak Load: 2.50 kN\nTear-off Time: 3.1 s\n");
  EXPECT_TRUE(titled.SetTitle(TTI_INFO, u"ID: 12  01.03.2021 08:00"));
  EXPECT_EQ(titled.GetTitle(), u"ID: 12  01.03.2021 08:00");
  EXPECT_EQ(titled.GetTitleIcon(), TTI_INFO);
  MSG move{&page, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20)};
  plain.RelayEvent(&move);
  titled.RelayEvent(&move);
  CRect plainRect;
  CRect titledRect;
  plain.GetWindowRect(plainRect);
  titled.GetWindowRect(titledRect);
  EXPECT_GT(titledRect.Height(), plainRect.Height() + 10) << "a title line and the balloon's wider edge";
  EXPECT_GT(titledRect.Width(), plainRect.Width());
  EXPECT_EQ(titled.GetShownText(), plain.GetShownText());
}

}  // namespace
