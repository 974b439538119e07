#include <gtest/gtest.h>

#include "tests/grid/org/OrgGridFixture.h"

namespace {

class OrgInput : public OrgGridOnScreen {
 protected:
  void SetUp() override { Make(12, 6, 1, 1); }
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const SOrgNotice& notice : host.notices) codes.push_back(notice.code);
    return codes;
  }
};

TEST_F(OrgInput, APlainClickNotifiesPressReleaseAndPostsTheCommand) {
  Press(CentreOf(3, 2));
  ASSERT_EQ(host.notices, (std::vector<SOrgNotice>{{GRIDN_SELCHANGING, 3, 2}}));
  Release(CentreOf(3, 2));
  EXPECT_EQ(host.notices, (std::vector<SOrgNotice>{
                              {GRIDN_SELCHANGING, 3, 2}, {GRIDN_SELCHANGED, 3, 2}, {GRIDN_CLICK, 3, 2}}));
  EXPECT_EQ(host.commands, (std::vector<int>{520}));
}

TEST_F(OrgInput, AKeyMoveGivesOneChangingAndOneChanged) {
  grid->SetFocusCell(3, 2);
  Key(VK_DOWN);
  EXPECT_EQ(host.notices, (std::vector<SOrgNotice>{{GRIDN_SELCHANGING, 4, 2}, {GRIDN_SELCHANGED, 4, 2}}));
  EXPECT_EQ(grid->GetFocusCell(), CCellAddrOrg(4, 2));
  EXPECT_TRUE(grid->IsCellSelected(4, 2));
}

TEST_F(OrgInput, KeysSkipHiddenRowsAndColumns) {
  grid->SetFocusCell(3, 2);
  grid->SetRowHeight(4, 0);
  grid->SetColumnWidth(3, 0);
  Key(VK_DOWN);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddrOrg(5, 2));
  Key(VK_RIGHT);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddrOrg(5, 4));
}

TEST_F(OrgInput, TabWrapsToTheNextRow) {
  grid->SetFocusCell(3, 5);
  Key(VK_TAB, u"\t");
  EXPECT_EQ(grid->GetFocusCell(), CCellAddrOrg(4, 1));
}

TEST_F(OrgInput, TabGoesToTheNextControlWhenAsked) {
  grid->SetTabMovesToNextControl(TRUE);
  grid->SetFocusCell(3, 2);
  Key(VK_TAB, u"\t");
  EXPECT_EQ(host.nextControlRequests, 1);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddrOrg(3, 2));
}

TEST_F(OrgInput, ARightClickGivesOneRightClickNotice) {
  SimulateMouse(grid.get(), SimulatedMouseAction::Press, VK_RBUTTON, CentreOf(5, 3), 0, MK_RBUTTON);
  SimulateMouse(grid.get(), SimulatedMouseAction::Release, VK_RBUTTON, CentreOf(5, 3), 0, 0);
  PumpMessages();
  EXPECT_EQ(host.notices, (std::vector<SOrgNotice>{{GRIDN_RCLICK, 5, 3}}));
  EXPECT_EQ(grid->GetFocusCell(), CCellAddrOrg(5, 3));
}

TEST_F(OrgInput, SpaceAndEnterSendNoKeyNotice) {
  grid->SetFocusCell(3, 2);
  Key(VK_SPACE, u" ");
  Key(VK_RETURN, u"\r");
  for (int code : Codes()) EXPECT_NE(code, GRIDN_KEYDOWN);
  // Both start an edit, which the owner is asked about.
  EXPECT_EQ(Codes(), (std::vector<int>{GRIDN_BEGINLABELEDIT, GRIDN_BEGINLABELEDIT}));
}

TEST_F(OrgInput, DeleteEmptiesTheSelectedCellsThroughTheEditChecks) {
  grid->SetSelectedRange(2, 2, 2, 3);
  grid->SetFocusCell(2, 2);
  host.endEditReply = 0;
  Key(VK_DELETE);
  EXPECT_EQ(grid->GetCellText(2, 2), CString());
  EXPECT_EQ(grid->GetCellText(2, 3), CString());
  EXPECT_EQ(Codes(), (std::vector<int>{GRIDN_BEGINLABELEDIT, GRIDN_ENDLABELEDIT, GRIDN_BEGINLABELEDIT,
                                       GRIDN_ENDLABELEDIT}));
}

TEST_F(OrgInput, AVetoedEndOfEditRestoresTheOldText) {
  grid->SetSelectedRange(2, 2, 2, 2);
  grid->SetFocusCell(2, 2);
  host.endEditReply = -1;
  Key(VK_DELETE);
  EXPECT_EQ(grid->GetCellText(2, 2), CString(u"2.2"));
}

TEST_F(OrgInput, AWheelWithPageScrollingPostsPages) {
  grid->SetWheelScrollLines(-1);
  grid->SetRowCount(200);
  SimulateWheel(grid.get(), -240, CentreOf(3, 2), 0);
  PumpMessages();
  EXPECT_EQ(grid->GetTopLeftScrollCell().row, grid->GetVisibleCellRange().minRow);
  EXPECT_GT(grid->GetTopLeftScrollCell().row, 20);
}

TEST_F(OrgInput, DraggingAColumnBorderLeftOfItsOriginHidesTheColumn) {
  CRect header;
  ASSERT_TRUE(grid->GetCellRect(0, 2, header));
  const CPoint border(header.right, header.CenterPoint().y);
  SimulateMouse(grid.get(), SimulatedMouseAction::Move, 0, border, 0, 0);
  Press(border);
  MoveHeld(CPoint(header.left - 5, border.y));
  Release(CPoint(header.left - 5, border.y));
  EXPECT_EQ(grid->GetColumnWidth(2), 0);
}

TEST_F(OrgInput, PressingAndReleasingOnASelectedCellWithDragAndDropClearsTheSelection) {
  grid->SetDragAndDrop(TRUE);
  grid->SetSelectedRange(2, 2, 3, 3);
  Click(CentreOf(3, 3));
  EXPECT_EQ(grid->GetSelectedCount(), 0);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddrOrg(-1, -1));
  EXPECT_EQ(host.notices, (std::vector<SOrgNotice>{
                              {GRIDN_CLICK, 3, 3}, {GRIDN_SELCHANGING, 3, 3}, {GRIDN_SELCHANGED, -1, -1}}));
}

}  // namespace
