#include <gtest/gtest.h>

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

  tips.UpdateTipText(u"Go on", &next);
  MSG overNext = Move(&next, 3, 3);
  tips.RelayEvent(&overNext);
  EXPECT_EQ(tips.GetShownText(), CString(u"Go on"));
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

}  // namespace
