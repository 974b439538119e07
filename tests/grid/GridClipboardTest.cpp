#include <gtest/gtest.h>

#include <vector>

#include "grid/CellBase.h"
#include "platform/ui/Clipboard.h"
#include "tests/grid/GridFixture.h"

namespace {

// A heading row H0..H2 over three rows whose cells read rRcC.
class ThreeRowsUnderHeadings : public GridOnScreen {
 protected:
  void SetUp() override {
    Make(4, 3, 1, 0);
    for (int c = 0; c < 3; ++c) {
      CString heading;
      heading.Format(u"H%d", c);
      grid->SetCellText(0, c, heading);
      for (int r = 1; r < 4; ++r) {
        CString text;
        text.Format(u"r%dc%d", r, c);
        grid->SetCellText(r, c, text);
      }
    }
  }
  CString CopyOf(const CCellBlock& block, BOOL withHeader) {
    grid->SetSelectedRange(block);
    return grid->BuildCopyText(withHeader, block.minRow, block.minCol, block.maxRow, block.maxCol);
  }
};

TEST_F(ThreeRowsUnderHeadings, CopyTextHasTabsBetweenCellsAndLinesBetweenRows) {
  grid->GetCell(2, 1)->SetCopyText(u"copied");
  EXPECT_EQ(CopyOf(CCellBlock(1, 0, 2, 2), TRUE),
            CString(u"H0\tH1\tH2\t\r\nr1c0\tr1c1\tr1c2\r\nr2c0\tcopied\tr2c2"));
}

TEST_F(ThreeRowsUnderHeadings, ABlockWithoutTheFirstColumnsStillCopiesItsRows) {
  EXPECT_EQ(CopyOf(CCellBlock(1, 1, 3, 2), FALSE), CString(u"r1c1\tr1c2\r\nr2c1\tr2c2\r\nr3c1\tr3c2"));
  EXPECT_EQ(CopyOf(CCellBlock(2, 2, 3, 2), FALSE), CString(u"r2c2\r\nr3c2"));
}

TEST_F(ThreeRowsUnderHeadings, SeparatorsOffRunTheTextsTogether) {
  EXPECT_TRUE(grid->SetCopyRowSeparator(FALSE));
  EXPECT_TRUE(grid->SetCopyColumnSeparator(FALSE));
  EXPECT_EQ(CopyOf(CCellBlock(1, 1, 2, 2), TRUE), CString(u"H1H2r1c1r1c2r2c1r2c2"));
  EXPECT_FALSE(grid->SetCopyRowSeparator(TRUE));
}

TEST_F(ThreeRowsUnderHeadings, HiddenRowsAndColumnsAreLeftOutOfRowsAndHeading) {
  grid->SetColumnWidth(1, 0);
  grid->SetRowHeight(2, 0);
  EXPECT_EQ(CopyOf(CCellBlock(1, 0, 3, 2), TRUE), CString(u"H0\tH2\t\r\nr1c0\tr1c2\r\nr3c0\tr3c2"));
}

// A block selected whole is copied without looking at each cell's selection again, so a cell
// that lost it since must still be left out.
TEST_F(ThreeRowsUnderHeadings, ACellThatLostTheSelectionOfAWholeBlockIsLeftOut) {
  const std::pair<const char*, void (*)(CCellGrid&)> cases[] = {
      {"through the cell",
       [](CCellGrid& g) { g.GetCell(2, 1)->SetState(g.GetCellState(2, 1) & ~GCS_SELECTED); }},
      {"through the grid", [](CCellGrid& g) { g.SetCellState(2, 1, g.GetCellState(2, 1) & ~GCS_SELECTED); }},
  };
  const CCellBlock block(1, 0, 3, 2);
  for (const auto& [how, lose] : cases) {
    grid->SetSelectedRange(block);
    lose(*grid);
    EXPECT_EQ(grid->BuildCopyText(FALSE, block.minRow, block.minCol, block.maxRow, block.maxCol),
              CString(u"r1c0\tr1c1\tr1c2\r\nr2c0\t\tr2c2\r\nr3c0\tr3c1\tr3c2"))
        << how;
  }
}

TEST_F(ThreeRowsUnderHeadings, UnselectedCellsAndRowsGiveEmptyPlaces) {
  grid->SetSelectedRange(1, 0, 1, 0);
  EXPECT_EQ(grid->BuildCopyText(FALSE, 1, 0, 2, 1), CString(u"r1c0\t\r\n"));
}

TEST_F(ThreeRowsUnderHeadings, CopyPutsUtf16WithATerminatingZeroOnTheClipboard) {
  grid->SetCopyHeader(FALSE);
  grid->SetCellText(1, 1, u"\u0436");
  grid->SetSelectedRange(1, 0, 1, 1);
  grid->OnEditCopy();
  std::vector<BYTE> block;
  ASSERT_TRUE(GetClipboardData(CF_UNICODETEXT, block));
  const std::vector<BYTE> expected = {0x72, 0x00, 0x31, 0x00, 0x63, 0x00, 0x30,
                                      0x00, 0x09, 0x00, 0x36, 0x04, 0x00, 0x00};
  EXPECT_EQ(block, expected);
}

TEST_F(ThreeRowsUnderHeadings, CopyWithoutSelectionLeavesTheClipboardAlone) {
  ASSERT_TRUE(OpenClipboard(grid.get()));
  EmptyClipboard();
  std::vector<BYTE> mark = {0x41, 0x00, 0x00, 0x00};
  SetClipboardData(CF_UNICODETEXT, mark);
  CloseClipboard();
  grid->OnEditCopy();
  std::vector<BYTE> block;
  ASSERT_TRUE(GetClipboardData(CF_UNICODETEXT, block));
  EXPECT_EQ(block, mark);
}

}  // namespace
