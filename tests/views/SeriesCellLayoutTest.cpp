// Where the series cell puts its panels, its value columns, the comment's tokens and lines,
// and the diagnostic samples.

#include "views/CommentToken.h"
#include "tests/views/SeriesCellFixture.h"

namespace {

struct STokenCase {
  const char16_t* text;
  std::vector<CString> tokens;
};

void PrintTo(const STokenCase& c, std::ostream* out) { *out << CString(c.text).ToUtf8(); }

class CommentTokenTest : public ::testing::TestWithParam<STokenCase> {};

TEST_P(CommentTokenTest, WordsAndSingleDelimitersWithoutCarriageReturns) {
  const CString text = GetParam().text;
  std::vector<CString> tokens;
  int position = 0;
  for (CString token = NextCommentToken(text, position); !token.IsEmpty(); token = NextCommentToken(text, position))
    tokens.push_back(token);
  EXPECT_EQ(tokens, GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Comments, CommentTokenTest,
    ::testing::Values(STokenCase{u"two words", {u"two", u" ", u"words"}},
                      STokenCase{u"3.14", {u"3", u".", u"14"}},
                      STokenCase{u"one\r\ntwo", {u"one", u"\n", u"two"}},
                      STokenCase{u"end.\r\n", {u"end", u".", u"\n"}},
                      STokenCase{u"a  b", {u"a", u" ", u" ", u"b"}},
                      STokenCase{u"\r\r\n\n", {u"\n", u"\n"}},
                      STokenCase{u"", {}}));

class SeriesCellLayoutTest : public SeriesCellTest {
 protected:
  // A context with the cell's font, as the grid gives it to the cell.
  void UseCellFont(CDC& dc) { dc.SelectObject(Cell().GetFontObject()); }
  int TextWidth(CDC& dc, const char16_t* text) { return dc.GetTextExtent(CString(text)).cx; }
  static int Leftmost(const std::vector<CRect>& rects) {
    int left = INT_MAX;
    for (const CRect& r : rects) left = std::min(left, int(r.left));
    return left;
  }
};

TEST_F(SeriesCellLayoutTest, PanelsFollowEachOtherTwentyFivePixelsApart) {
  Load({CurveRecord()});
  Open();
  CPictureDC picture(1400, 400);
  UseCellFont(picture.dc);
  const CSize curve = Cell().DrawCurvePanel(&picture.dc, 0, 0, 280, 260);
  const CSize results = Cell().DrawResultsPanel(&picture.dc, curve.cx + 25, 0, 1192);
  grid.Invalidate();
  Paint();
  EXPECT_EQ(curve.cx, 300) << "x + 2 margins + the plot width";
  const int resultsX = curve.cx + 25;
  const int deviceX = resultsX + results.cx + 25;
  EXPECT_EQ(Leftmost(AreasOf(CSeriesCell::AREA_COMMENT)), deviceX) << "the comment stands under the device table";
  EXPECT_GT(Leftmost(AreasOf(CSeriesCell::AREA_UNIT)), resultsX);
  EXPECT_LT(Leftmost(AreasOf(CSeriesCell::AREA_UNIT)), deviceX);
}

TEST_F(SeriesCellLayoutTest, TheFailureModePercentsLineUpBehindTheWidthOfAB) {
  Load({CurveRecord()});
  Open();
  CPictureDC picture(10, 10);
  UseCellFont(picture.dc);
  const int valueX = AreasOf(CSeriesCell::AREA_UNIT)[0].left;
  for (int mode = 0; mode < 3; ++mode) {
    const std::vector<CRect> classes = AreasOf(CSeriesCell::AREA_FAILURE_CLASS_1 + mode);
    const std::vector<CRect> percents = AreasOf(CSeriesCell::AREA_FAILURE_PERCENT_1 + mode);
    ASSERT_EQ(classes.size(), 1u) << "mode " << mode + 1;
    ASSERT_EQ(percents.size(), 1u) << "mode " << mode + 1;
    EXPECT_EQ(classes[0].left, valueX);
    EXPECT_EQ(percents[0].left, valueX + 7 + TextWidth(picture.dc, u"AB"));
    EXPECT_EQ(percents[0].top, classes[0].top);
  }
  EXPECT_LT(AreasOf(CSeriesCell::AREA_FAILURE_CLASS_1)[0].top, AreasOf(CSeriesCell::AREA_FAILURE_CLASS_1 + 2)[0].top);
}

TEST_F(SeriesCellLayoutTest, TheValueColumnIsAtLeastAsWideAsAFullPercent) {
  Load({CurveRecord()}, 3);
  Open();
  CPictureDC picture(1400, 400);
  UseCellFont(picture.dc);
  const CSize curve = Cell().DrawCurvePanel(&picture.dc, 0, 0, 280, 260);
  EXPECT_EQ(curve, CSize(0, 0)) << "no curve for a test the document does not hold";
  const CSize results = Cell().DrawResultsPanel(&picture.dc, 25, 0, 800);
  const int valueX = AreasOf(CSeriesCell::AREA_FAILURE_CLASS_1)[0].left;
  EXPECT_EQ(results.cx, valueX - 25 + TextWidth(picture.dc, u"AA  100%"));
}

TEST_F(SeriesCellLayoutTest, ANarrowCellIsLaidOutAndFilledAsIfEightHundredWide) {
  Load({CurveRecord()});
  CPictureDC picture(1000, 400);
  UseCellFont(picture.dc);
  ASSERT_TRUE(Cell().Draw(&picture.dc, kDetailRow, 1, CRect(0, 0, 499, 399), TRUE, FALSE));
  EXPECT_EQ(picture.Pixel(790, 395), kBackColor);
  EXPECT_EQ(picture.Pixel(810, 395), RGB(255, 255, 255));
  EXPECT_EQ(picture.Pixel(5, 398), kBackColor);
  for (const CRect& token : AreasOf(CSeriesCell::AREA_COMMENT, CRect(0, 0, 1000, 400)))
    EXPECT_LE(token.right, 800);
}

TEST_F(SeriesCellLayoutTest, AnEmptyCommentShowsAClickableAdd) {
  Load({CurveRecord()});
  Open();
  const std::vector<CRect> tokens = AreasOf(CSeriesCell::AREA_COMMENT);
  ASSERT_EQ(tokens.size(), 1u);
  CPictureDC picture(10, 10);
  UseCellFont(picture.dc);
  EXPECT_EQ(tokens[0].Width(), TextWidth(picture.dc, u"[Add]"));
}

class SeriesCellCommentTest : public SeriesCellLayoutTest {
 protected:
  // Lays out the comment at (0, 1000) in a block of the width; gives the block's size and
  // the token rectangles, top to bottom and left to right.
  CSize LayOut(const CString& comment, int width, std::vector<CRect>& tokens) {
    doc.SetComment(0, comment);
    // The first drawing makes the fonts that the comment uses.
    Cell().Draw(&picture.dc, kDetailRow, 1, CRect(0, 0, 999, 399), TRUE, FALSE);
    const CSize size = Cell().DrawComment(&picture.dc, 0, 1000, width);
    tokens = AreasOf(CSeriesCell::AREA_COMMENT, CRect(0, 1000, width + 1, 1400));
    return size;
  }
  void SetUp() override {
    Load({CurveRecord()});
    UseCellFont(picture.dc);
  }
  CPictureDC picture{1000, 400};
};

TEST_F(SeriesCellCommentTest, TwoWordsAreThreeTokensOnOneLine) {
  std::vector<CRect> tokens;
  LayOut(u"two words", 500, tokens);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0].left, 0);
  EXPECT_EQ(tokens[1].left, tokens[0].right);
  EXPECT_EQ(tokens[2].left, tokens[1].right);
  EXPECT_EQ(tokens[2].Width(), TextWidth(picture.dc, u"words"));
  EXPECT_EQ(tokens[0].top, tokens[2].top);
}

TEST_F(SeriesCellCommentTest, ALineFeedStartsANewLineAndATrailingOneAddsAnEmptyLine) {
  std::vector<CRect> tokens;
  const CSize one = LayOut(u"first", 500, tokens);
  const CSize two = LayOut(u"first\r\nsecond", 500, tokens);
  ASSERT_EQ(tokens.size(), 2u) << "no carriage return and no line feed is drawn";
  EXPECT_EQ(tokens[1].left, 0);
  const int lineHeight = tokens[0].Height();
  EXPECT_EQ(tokens[1].top, tokens[0].top + lineHeight);
  EXPECT_EQ(two.cy, one.cy + lineHeight);
  const CSize trailing = LayOut(u"first\r\n", 500, tokens);
  EXPECT_EQ(trailing.cy, one.cy + lineHeight);
  EXPECT_EQ(trailing.cx, 500);
}

TEST_F(SeriesCellCommentTest, AWordTooLongForTheLineBreaksWithoutLosingACharacter) {
  const CString word(u'W', 60);
  std::vector<CRect> pieces;
  LayOut(u"a " + word, 220, pieces);
  ASSERT_GE(pieces.size(), 4u) << "'a', the space and at least two pieces of the word";
  int width = 0;
  for (std::size_t i = 2; i < pieces.size(); ++i) {
    width += pieces[i].Width();
    EXPECT_LE(pieces[i].right, 200) << "piece " << i - 1;
    if (i > 2) {
      EXPECT_EQ(pieces[i].left, 0);
      EXPECT_EQ(pieces[i].top, pieces[i - 1].top + pieces[i].Height());
    }
  }
  EXPECT_EQ(pieces[2].left, pieces[1].right) << "the word begins where the line stands";
  EXPECT_EQ(width, TextWidth(picture.dc, word));
}

TEST_F(SeriesCellLayoutTest, TheDiagnosticFlagAddsTheIntervalRowAndTheSamples) {
  Load({CurveRecord()});
  CPictureDC picture(1600, 400);
  UseCellFont(picture.dc);
  Cell().Draw(&picture.dc, kDetailRow, 1, CRect(0, 0, 1599, 399), TRUE, FALSE);
  const CSize plain = Cell().DrawResultsPanel(&picture.dc, 0, 0, 800);
  SetDiagnosticMode(true);
  const CSize diagnostic = Cell().DrawResultsPanel(&picture.dc, 0, 0, 800);
  EXPECT_EQ(diagnostic.cy - plain.cy, int(1.2 * picture.dc.GetTextExtent(CString(u"5")).cy));
  const CSize samples = Cell().DrawSamplesPanel(&picture.dc, 0, 0, 800);
  EXPECT_EQ(samples.cx, 5 * (TextWidth(picture.dc, u"00: 00000") + 6));
  EXPECT_EQ(samples.cy, 10 + 20 * picture.dc.GetTextExtent(CString(u"5")).cy);

  Cell().SetMeasurement(&doc, 4);
  EXPECT_EQ(Cell().DrawSamplesPanel(&picture.dc, 0, 0, 800), CSize(0, 0));
}

}  // namespace
