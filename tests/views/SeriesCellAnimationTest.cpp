// How the series cell opens and closes its detail row: in steps of 15 pixels per paint, at
// once when asked, following content changes by 3 pixels, and never while printing.

#include "tests/views/SeriesCellFixture.h"

namespace {

class SeriesCellAnimationTest : public SeriesCellTest {
 protected:
  // The row's height after each of the paints, until it stays (at most 60 paints).
  std::vector<int> HeightsUntilSettled() {
    std::vector<int> heights;
    for (int i = 0; i < 60; ++i) {
      Paint();
      const int height = grid.GetRowHeight(kDetailRow);
      if (!heights.empty() && heights.back() == height) break;
      heights.push_back(height);
    }
    return heights;
  }
};

TEST_F(SeriesCellAnimationTest, OpeningStartsAtTwoAndRisesByFifteenUpToExactlyTheTarget) {
  Load({CurveRecord()});
  Cell().Expand(false);
  EXPECT_EQ(grid.GetRowHeight(kDetailRow), 0) << "nothing moves before the next paint";
  const std::vector<int> heights = HeightsUntilSettled();
  ASSERT_GE(heights.size(), 3u);
  const int target = Cell().GetTargetHeight();
  for (std::size_t i = 0; i + 1 < heights.size(); ++i)
    EXPECT_EQ(heights[i], 2 + 15 * int(i)) << "paint " << i + 1;
  EXPECT_EQ(heights.back(), target);
  EXPECT_GT(heights.back(), heights[heights.size() - 2]);
  EXPECT_LE(heights.back() - heights[heights.size() - 2], 15);
  EXPECT_TRUE(Cell().IsExpanded());
}

TEST_F(SeriesCellAnimationTest, ClosingFromFortySevenGivesThirtyTwoSeventeenAndZero) {
  Load({CurveRecord()});
  Cell().Expand(false);
  for (int i = 0; i < 4; ++i) Paint();
  ASSERT_EQ(grid.GetRowHeight(kDetailRow), 47);
  Cell().Collapse(false);
  EXPECT_EQ(HeightsUntilSettled(), (std::vector<int>{32, 17, 0}));
  EXPECT_FALSE(Cell().IsExpanded());
  EXPECT_EQ(Cell().GetCurrentHeight(), 0);
}

TEST_F(SeriesCellAnimationTest, AnImmediateOpenSetsTheFinalHeightWithoutAPaint) {
  Load({CurveRecord()});
  Cell().Expand(true);
  const int target = Cell().GetTargetHeight();
  EXPECT_GE(target, 315);
  EXPECT_EQ(grid.GetRowHeight(kDetailRow), target);
  EXPECT_TRUE(Cell().IsExpanded());
  EXPECT_TRUE(HeightsUntilSettled() == std::vector<int>{target});
}

TEST_F(SeriesCellAnimationTest, OpeningAnOpenRowAndClosingAtOnceMoveAsTheyShould) {
  Load({CurveRecord()});
  Open();
  const int open = grid.GetRowHeight(kDetailRow);
  Cell().Expand(false);
  EXPECT_TRUE(HeightsUntilSettled() == std::vector<int>{open}) << "an open row keeps its height";
  Cell().Collapse(true);
  EXPECT_EQ(grid.GetRowHeight(kDetailRow), 0);
  EXPECT_FALSE(Cell().IsExpanded());
}

TEST_F(SeriesCellAnimationTest, OpeningDuringAClosingTurnsBackFromWhereItIs) {
  Load({CurveRecord()});
  Open();
  const int open = grid.GetRowHeight(kDetailRow);
  Cell().Collapse(false);
  Paint();
  Paint();
  ASSERT_EQ(grid.GetRowHeight(kDetailRow), open - 30);
  Cell().Expand(false);
  const std::vector<int> heights = HeightsUntilSettled();
  ASSERT_FALSE(heights.empty());
  EXPECT_EQ(heights.front(), open - 15);
  EXPECT_EQ(heights.back(), open);
}

TEST_F(SeriesCellAnimationTest, AnOpenRowIsNeverLowerThanThreeHundredAndFifteen) {
  // A test the document does not hold shows nothing but empty panels.
  Load({CurveRecord()}, 5);
  Cell().Expand(true);
  EXPECT_EQ(Cell().GetTargetHeight(), 315);
  EXPECT_EQ(grid.GetRowHeight(kDetailRow), 315);
}

TEST_F(SeriesCellAnimationTest, AnOpenRowFollowsItsGrowingContentByThreePixelsAPaint) {
  Load({CurveRecord()});
  Open();
  const int before = grid.GetRowHeight(kDetailRow);
  CString lines;
  for (int i = 0; i < 12; ++i) lines += u"line\r\n";
  doc.SetComment(0, lines);
  grid.Invalidate();
  const std::vector<int> heights = HeightsUntilSettled();
  ASSERT_GE(heights.size(), 3u);
  for (std::size_t i = 0; i + 1 < heights.size(); ++i) EXPECT_EQ(heights[i], before + 3 * int(i + 1));
  EXPECT_EQ(heights.back(), Cell().GetTargetHeight());
  EXPECT_GT(heights.back(), before + 15);
}

TEST_F(SeriesCellAnimationTest, PrintingNeverMovesTheHeight) {
  Load({CurveRecord()});
  Cell().Expand(false);
  for (int i = 0; i < 3; ++i) Paint();
  ASSERT_EQ(Cell().GetCurrentHeight(), 32);
  CMemoryPrinterPage printer;
  EXPECT_TRUE(Cell().PrintCell(&printer.dc, kDetailRow, 1, CRect(0, 0, 1200, 400)));
  EXPECT_TRUE(Cell().PrintCell(&printer.dc, kDetailRow, 1, CRect(0, 0, 1200, 400)));
  DeleteObject(printer.Finish());
  EXPECT_EQ(Cell().GetCurrentHeight(), 32);
  EXPECT_EQ(grid.GetRowHeight(kDetailRow), 32);
}

}  // namespace
