#include <gtest/gtest.h>

#include "platform/base/Clock.h"
#include "tests/grid/org/OrgGridFixture.h"

namespace {

class OrgTitleTip : public OrgGridOnScreen {
 protected:
  void SetUp() override {
    // Time stands nearly still, so that presses pair up into double clicks or not by rule alone.
    scale = GetTimeScale();
    SetTimeScale(1e-9);
    Make(6, 4, 1, 1);
    grid->SetCellText(2, 2, u"a text too long for the cell");
  }
  void TearDown() override {
    OrgGridOnScreen::TearDown();
    SetTimeScale(scale);
  }
  // The width the tip needs for the text of cell (2, 2).
  int TipWidth() {
    CClientDC dc(grid.get());
    CFont* old = dc.SelectObject(grid->GetDefaultCell(FALSE, FALSE)->GetFontObject());
    const int width = dc.GetTextExtent(CString(u" a text too long for the cell ")).cx;
    dc.SelectObject(old);
    return width;
  }
  void Hover(int row, int col) {
    SimulateMouse(grid.get(), SimulatedMouseAction::Move, 0, CentreOf(row, col), 0, 0);
    PumpMessages();
  }
  bool TipShown() {
    CCellTipOrg& tip = grid->GetTitleTip();
    return tip.GetSafeHwnd() && tip.IsWindowVisible();
  }
  int Count(int code) const {
    int n = 0;
    for (const SOrgNotice& notice : host.notices) n += notice.code == code;
    return n;
  }

  double scale = 1;
};

TEST_F(OrgTitleTip, ATextThatFitsShowsNoTipAndOnePixelLessShowsIt) {
  // The text rectangle ends one pixel before the cell's right edge.
  grid->SetColumnWidth(2, TipWidth() + 1);
  Hover(2, 2);
  EXPECT_FALSE(TipShown());
  grid->SetColumnWidth(2, TipWidth());
  Hover(2, 2);
  ASSERT_TRUE(TipShown());
  CRect tip, cell;
  grid->GetTitleTip().GetWindowRect(tip);
  ASSERT_TRUE(grid->GetCellRect(2, 2, cell));
  grid->ClientToScreen(cell);
  EXPECT_EQ(tip.left, cell.left);
  EXPECT_EQ(tip.top, cell.top);
  EXPECT_EQ(tip.Height(), grid->GetRowHeight(2) - 1);
  EXPECT_EQ(grid->GetTitleTip().GetShownText(), CString(u" a text too long for the cell "));
}

TEST_F(OrgTitleTip, LeavingTheCellHidesTheTip) {
  Hover(2, 2);
  ASSERT_TRUE(TipShown());
  CPoint outside = CentreOf(4, 1);
  grid->ClientToScreen(&outside);
  SimulateMouseAtScreen(SimulatedMouseAction::Move, 0, outside, 0, 0);
  PumpMessages();
  EXPECT_FALSE(TipShown());
}

TEST_F(OrgTitleTip, AClickOnTheTipReachesTheCellUnderneath) {
  Hover(2, 2);
  ASSERT_TRUE(TipShown());
  CPoint point = CentreOf(2, 2);
  grid->ClientToScreen(&point);
  SimulateMouseAtScreen(SimulatedMouseAction::Press, VK_LBUTTON, point, 0, MK_LBUTTON);
  PumpMessages();
  EXPECT_FALSE(TipShown());
  SimulateMouseAtScreen(SimulatedMouseAction::Release, VK_LBUTTON, point, 0, 0);
  PumpMessages();
  EXPECT_EQ(grid->GetFocusCell(), CCellAddrOrg(2, 2));
  EXPECT_EQ(Count(GRIDN_SELCHANGING), 1);
  EXPECT_EQ(Count(GRIDN_CLICK), 1);
  EXPECT_EQ(Count(GRIDN_DBLCLK), 0);
}

TEST_F(OrgTitleTip, TwoQuickClicksOnTheTipArriveAsADoubleClick) {
  CPoint point = CentreOf(2, 2);
  grid->ClientToScreen(&point);
  for (int i = 0; i < 2; ++i) {
    Hover(2, 2);
    ASSERT_TRUE(TipShown());
    SimulateMouseAtScreen(SimulatedMouseAction::Press, VK_LBUTTON, point, 0, MK_LBUTTON);
    PumpMessages();
    SimulateMouseAtScreen(SimulatedMouseAction::Release, VK_LBUTTON, point, 0, 0);
    PumpMessages();
  }
  EXPECT_EQ(Count(GRIDN_DBLCLK), 1);
}

TEST_F(OrgTitleTip, AKeyHidesTheTipAndReachesTheGrid) {
  grid->SetFocusCell(2, 2);
  Hover(2, 2);
  ASSERT_TRUE(TipShown());
  Key(VK_DOWN);
  EXPECT_FALSE(TipShown());
  EXPECT_EQ(grid->GetFocusCell(), CCellAddrOrg(3, 2));
}

TEST_F(OrgTitleTip, NoTipWhenTipsAreOff) {
  grid->SetTitleTips(FALSE);
  Hover(2, 2);
  EXPECT_FALSE(TipShown());
}

}  // namespace
