// What a series cell shows and gives: the load-rate curve with its peak marker, the copy
// text, the printout, and pictures of open rows for a person to look at.

#include "tests/views/SeriesCellFixture.h"

namespace {

struct SCeilingCase {
  double first;
  double second;
  double ceiling;
};

void PrintTo(const SCeilingCase& c, std::ostream* out) { *out << c.first << ", " << c.second; }

class CurveAxisCeilingTest : public ::testing::TestWithParam<SCeilingCase> {};

TEST_P(CurveAxisCeilingTest, TheLargerValueRaisedToAWholeNumberAndNeverAnEmptyRange) {
  EXPECT_EQ(CSeriesCell::CurveAxisCeiling(GetParam().first, GetParam().second), GetParam().ceiling);
}

INSTANTIATE_TEST_SUITE_P(Axes, CurveAxisCeilingTest,
                         ::testing::Values(SCeilingCase{5.0, 4.95, 5.0},    // 100 samples of 0.05 s
                                           SCeilingCase{2.3, 7.01, 8.0},    // a peak beyond the samples
                                           SCeilingCase{4.2, 3.9, 5.0},     // a peak above every sample
                                           SCeilingCase{0.0, 0.0, 1.0},     // all zero, or no period
                                           SCeilingCase{0.0, 0.4, 1.0},
                                           SCeilingCase{-2.0, 0.0, 1.0}));

// Pixels of the grid window's picture by kind, inside a rectangle of the window.
struct SInk {
  int red = 0;
  int blue = 0;
  int blueTop = INT_MAX;
  int redTop = INT_MAX;
  int redBottom = -1;
};

SInk CountInk(HBITMAP picture, const CRect& rect) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  HGDIOBJ old = dc.SelectObject(HGDIOBJ(picture));
  SInk ink;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      const COLORREF c = dc.GetPixel(x, y);
      if (c == RGB(255, 0, 0)) {
        ++ink.red;
        ink.redTop = std::min(ink.redTop, y);
        ink.redBottom = std::max(ink.redBottom, y);
      } else if (GetBValue(c) >= 200 && GetRValue(c) <= 120 && GetGValue(c) <= 120) {
        ++ink.blue;
        ink.blueTop = std::min(ink.blueTop, y);
      }
    }
  }
  dc.SelectObject(old);
  return ink;
}

class SeriesCellOutputTest : public SeriesCellTest {
 protected:
  SInk CurveInk() {
    grid.UpdateWindow();
    const HBITMAP picture = CopyWindowImage(&grid);
    const CRect cell = CellRect();
    const SInk ink = CountInk(picture, CRect(cell.left, cell.top, cell.left + 300, cell.bottom));
    DeleteObject(picture);
    return ink;
  }
};

TEST_F(SeriesCellOutputTest, TheCurveIsABlueLineWithARedDiamondOnItsPeak) {
  Load({CurveRecord()});
  Open();
  const SInk ink = CurveInk();
  EXPECT_GT(ink.blue, 100);
  EXPECT_GE(ink.red, 12) << "four sides of a diamond 6 pixels across";
  EXPECT_LE(ink.redBottom - ink.redTop, 9);
  EXPECT_NEAR((ink.redTop + ink.redBottom) / 2.0, ink.blueTop, 3.0) << "the diamond sits on the top of the curve";
  SavePicture("series-cell-open.png");
}

TEST_F(SeriesCellOutputTest, AnAllZeroCurveWithoutSamplingPeriodStillDrawsItsPanel) {
  Load({CRawRecord().Id(3).Word(MeasRaw::kSamplingPeriod, 0)});
  Open();
  EXPECT_GE(Cell().GetTargetHeight(), 315);
  const SInk ink = CurveInk();
  EXPECT_GE(ink.red, 12) << "the marker at the origin";
  SavePicture("series-cell-zero-curve.png");

  // Zeros over a real period lie as a line on the time axis.
  Load({CRawRecord().Id(4)});
  grid.Invalidate();
  EXPECT_GT(CurveInk().blue, 100);
}

TEST_F(SeriesCellOutputTest, DiagnosticRowsShowTheRawSamplesBesideTheDevice) {
  SetDiagnosticMode(true);
  Load({CurveRecord()});
  Open();
  SavePicture("series-cell-diagnostic.png");
  CPictureDC picture(10, 10);
  picture.dc.SelectObject(Cell().GetFontObject());
  const int samplesHeight = 10 + 20 * picture.dc.GetTextExtent(CString(u"5")).cy;
  EXPECT_GE(Cell().GetTargetHeight(), samplesHeight + 15) << "the samples count for the row's height";
}

TEST_F(SeriesCellOutputTest, ALongCommentWrapsWithinTheRowAndFitsInIt) {
  Load({CurveRecord()});
  doc.SetComment(0, u"Pull-off at 3.0 s, disc glued with two-part epoxy.\r\nSurface: "
                    u"\"clean\", dry.\r\n" + CString(u'X', 150));
  Open();
  const std::vector<CRect> tokens = AreasOf(CSeriesCell::AREA_COMMENT);
  ASSERT_GT(tokens.size(), 20u);
  int bottom = 0;
  for (const CRect& token : tokens) {
    EXPECT_LE(token.right, CellRect().Width() - 20);
    bottom = std::max(bottom, int(token.bottom));
  }
  EXPECT_LT(bottom, grid.GetRowHeight(kDetailRow));
  SavePicture("series-cell-long-comment.png");
}

TEST_F(SeriesCellOutputTest, TheCopyTextIsSerialTabAndTheQuotedCommentInOneLine) {
  Load({CurveRecord()});
  doc.SetComment(0, u"Line one\r\nsays \"hi\"");
  EXPECT_EQ(Cell().GetCopyText(), u"SN123\t\"Line one<br>says &quothi&quot\"\t");
  doc.SetComment(0, u"");
  EXPECT_EQ(Cell().GetCopyText(), u"SN123\t\"\"\t");
}

TEST_F(SeriesCellOutputTest, AnUnboundCellGivesItsStoredCopyText) {
  Cell().SetCopyText(u"kept");
  EXPECT_EQ(Cell().GetCopyText(), u"kept");
  Load({CurveRecord()});
  doc.SetComment(0, u"c");
  EXPECT_EQ(Cell().GetCopyText(), u"SN123\t\"c\"\t");
  Cell().SetMeasurement(nullptr, -1);
  EXPECT_EQ(Cell().GetCopyText(), u"SN123\t\"c\"\t") << "the last text given stays stored";
}

TEST_F(SeriesCellOutputTest, PrintingDrawsThePanelsOnAnUnfilledPage) {
  Load({CurveRecord()});
  Open();
  doc.SetComment(0, u"printed comment");
  CMemoryPrinterPage printer;
  ASSERT_TRUE(Cell().PrintCell(&printer.dc, kDetailRow, 1, CRect(0, 100, 780, 500)));
  const HBITMAP page = printer.Finish();
  ASSERT_NE(page, nullptr);
  const SInk ink = CountInk(page, CRect(0, 100, 300, 500));
  EXPECT_GE(ink.red, 12);
  EXPECT_GT(ink.blue, 100);
  {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc.SelectObject(HGDIOBJ(page));
    EXPECT_EQ(dc.GetPixel(5, 495) & 0xFFFFFF, RGB(255, 255, 255)) << "no background on paper";
    dc.SelectObject(old);
  }
  const std::string path = TestPath("series-cell-printed.png");
  ASSERT_TRUE(SaveBitmapAsPng(page, CString::FromUtf8(path)));
  if (const char* keep = std::getenv("ZD_SCREENSHOT_DIR"))
    std::filesystem::copy_file(path, std::string(keep) + "/series-cell-printed.png",
                               std::filesystem::copy_options::overwrite_existing);
  DeleteObject(page);
}

}  // namespace
