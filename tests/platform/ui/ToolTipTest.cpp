#include <gtest/gtest.h>

#include "platform/res/StringTable.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/UiApplication.h"

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

}  // namespace
