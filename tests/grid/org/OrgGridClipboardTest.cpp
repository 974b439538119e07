#include <gtest/gtest.h>

#include <string>

#include "tests/grid/org/OrgGridFixture.h"

namespace {

std::vector<BYTE> Bytes(const std::string& text) { return std::vector<BYTE>(text.begin(), text.end()); }

class OrgClipboardText : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int r = 0; r < 5; ++r)
      for (int c = 0; c < 4; ++c) {
        CString text;
        text.Format(u"%d%d", r, c);
        grid.SetCellText(r, c, text);
      }
  }
  CUiApplication application;
  CCellGridOrg grid{5, 4, 1, 1};
};

TEST_F(OrgClipboardText, UnselectedCellsGiveEmptyFieldsButKeepTheirSeparators) {
  grid.SetSelectedRange(1, 1, 2, 3);
  grid.SetSelectedRange(1, 2, 1, 2, FALSE, FALSE);
  // Row 1: "11", nothing, "13"; row 2 whole; one zero byte at the end.
  EXPECT_EQ(grid.BuildClipboardText(), Bytes(std::string("11\t\t13\r\n21\t22\t23") + '\0'));
}

TEST_F(OrgClipboardText, HiddenRowsAndColumnsAreLeftOut) {
  grid.SetSelectedRange(1, 1, 3, 3);
  grid.SetColumnWidth(2, 0);
  grid.SetRowHeight(2, 0);
  EXPECT_EQ(grid.BuildClipboardText(), Bytes(std::string("11\t13\r\n31\t33") + '\0'));
}

TEST_F(OrgClipboardText, TextIsConvertedToWindows1252) {
  grid.SetCellText(1, 1, u"\u20AC\u00E9\u4E00");
  grid.SetSelectedRange(1, 1, 1, 1);
  EXPECT_EQ(grid.BuildClipboardText(), (std::vector<BYTE>{0x80, 0xE9, '?', 0}));
}

TEST_F(OrgClipboardText, NothingSelectedGivesNoText) { EXPECT_TRUE(grid.BuildClipboardText().empty()); }

TEST_F(OrgClipboardText, PastingSplitsAtLinesTabsAndCommasAndTrims) {
  CCellGridOrg big(9, 5, 1, 1);
  EXPECT_TRUE(big.PasteTextBlock(5, 1, Bytes(std::string("1, 2\t3\n 4 \n") + '\0'), TRUE));
  EXPECT_EQ(big.GetCellText(5, 1), CString(u"1"));
  EXPECT_EQ(big.GetCellText(5, 2), CString(u"2"));
  EXPECT_EQ(big.GetCellText(5, 3), CString(u"3"));
  EXPECT_EQ(big.GetCellText(6, 1), CString(u"4"));
  EXPECT_EQ(big.GetCellText(7, 1), CString());
  EXPECT_EQ(big.GetSelectedCellRange(), CCellBlock(5, 1, 6, 3));
}

TEST_F(OrgClipboardText, PastingSkipsHiddenRowsAndColumns) {
  grid.SetColumnWidth(2, 0);
  grid.SetRowHeight(2, 0);
  EXPECT_TRUE(grid.PasteTextBlock(1, 1, Bytes(std::string("a\tb\nc") + '\0'), FALSE));
  EXPECT_EQ(grid.GetCellText(1, 1), CString(u"a"));
  EXPECT_EQ(grid.GetCellText(1, 3), CString(u"b"));
  EXPECT_EQ(grid.GetCellText(3, 1), CString(u"c"));
  EXPECT_EQ(grid.GetCellText(2, 1), CString(u"21"));
  EXPECT_EQ(grid.GetSelectedCount(), 0);
}

TEST_F(OrgClipboardText, PastingReadsNoFurtherThanTheFirstZeroByteOrTheEnd) {
  EXPECT_TRUE(grid.PasteTextBlock(1, 1, Bytes(std::string("x\0y", 3)), FALSE));
  EXPECT_EQ(grid.GetCellText(1, 1), CString(u"x"));
  EXPECT_EQ(grid.GetCellText(1, 2), CString(u"12"));
  EXPECT_TRUE(grid.PasteTextBlock(2, 1, Bytes("z"), FALSE));
  EXPECT_EQ(grid.GetCellText(2, 1), CString(u"z"));
}

TEST_F(OrgClipboardText, AReadOnlyTargetTakesNothing) {
  grid.SetCellState(1, 1, grid.GetCellState(1, 1) | GCS_READONLY);
  EXPECT_FALSE(grid.PasteTextBlock(1, 1, Bytes(std::string("a\tb") + '\0'), TRUE));
  EXPECT_EQ(grid.GetCellText(1, 2), CString(u"12"));
  grid.SetEditable(FALSE);
  EXPECT_FALSE(grid.PasteTextBlock(2, 2, Bytes(std::string("a") + '\0'), TRUE));
}

TEST_F(OrgClipboardText, PastedPiecesPassTheEditChecks) {
  COrgRecordingHost host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
  CWnd control;
  ASSERT_TRUE(control.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 200, 100), &host, 520));
  CCellGridOrg placed(4, 4, 1, 1);
  ASSERT_TRUE(placed.SubclassDlgItem(520, &host));
  host.endEditReply = -1;
  EXPECT_TRUE(placed.PasteTextBlock(1, 1, Bytes(std::string("a,b") + '\0'), FALSE));
  EXPECT_EQ(placed.GetCellText(1, 1), CString());
  EXPECT_EQ(host.notices, (std::vector<SOrgNotice>{{GRIDN_BEGINLABELEDIT, 1, 1},
                                                   {GRIDN_ENDLABELEDIT, 1, 1},
                                                   {GRIDN_BEGINLABELEDIT, 1, 2},
                                                   {GRIDN_ENDLABELEDIT, 1, 2}}));
  placed.DestroyWindow();
  host.DestroyWindow();
}

}  // namespace
