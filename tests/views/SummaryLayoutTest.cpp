// Layout of the summary page: sizes, the chart's bars, the list's columns and hover looks.

#include "platform/ui/PaintDC.h"
#include "tests/views/SummaryFixture.h"

namespace {

constexpr COLORREF kBar = RGB(0, 160, 191);
constexpr COLORREF kHoveredBar = RGB(30, 190, 221);
constexpr COLORREF kHighlight = RGB(203, 241, 248);

class SummaryLayoutTest : public SummaryPageTest {
 protected:
  COLORREF Pixel(CPoint point) {
    CClientDC dc(&View());
    return dc.GetPixel(point.x, point.y);
  }
  std::vector<CRawRecord> Many(int count) {
    std::vector<CRawRecord> records;
    for (int i = 0; i < count; ++i)
      records.push_back(
          CRawRecord().Id(DWORD(i + 1)).Peak(unsigned(1000 + 7 * i)).Date(2021, 3, 1, 8, i / 60, i % 60));
    return records;
  }
};

TEST_F(SummaryLayoutTest, AnEmptySummaryDrawsNothingAndKeepsTheLastSize) {
  Repaint();
  EXPECT_EQ(View().GetContentSize(), CSize(800, 800));
  Load(Peaks({1000, 2000}));
  const CSize drawn = View().GetContentSize();
  EXPECT_NE(drawn, CSize(800, 800));
  doc.SetSelected(0, false);
  doc.SetSelected(1, false);
  Repaint();
  EXPECT_EQ(doc.GetSummary().GetCount(), 0);
  EXPECT_EQ(View().GetContentSize(), drawn);
  int id = 0;
  int data = 0;
  EXPECT_FALSE(View().GetHitAreas().HitTest(CPoint(30, 30), &id, &data, nullptr, nullptr));
}

TEST_F(SummaryLayoutTest, ANarrowWindowStillLaysThePageOutEightHundredWide) {
  Resize(400, 300);
  Load(Peaks({1000, 2000, 1500}));
  EXPECT_GE(View().GetContentSize().cx, 880);
  EXPECT_GT(View().GetScrollLimit(SB_HORZ), 0) << "the page scrolls sideways";
  EXPECT_GT(View().GetScrollLimit(SB_VERT), 0);
  SimulateScrollBar(&View(), SB_VERT, SB_PAGEDOWN);
  EXPECT_GT(View().GetScrollPosition().y, 0);
}

struct SBarCase {
  int count;
  int width;
  int gap;
};

void PrintTo(const SBarCase& c, std::ostream* out) { *out << c.count << " tests"; }

class BarWidthTest : public SummaryLayoutTest, public ::testing::WithParamInterface<SBarCase> {};

// A client 1280 wide leaves 1280 - 60 - 50 = 1170 pixels for N bars and N + 2 gaps.
TEST_P(BarWidthTest, TheWidestBarsWhoseRowFits) {
  Resize(1280, 4000);
  Load(Many(GetParam().count));
  EXPECT_EQ(View().GetBarWidth(), GetParam().width);
  EXPECT_EQ(View().GetBarGap(), GetParam().gap);
  EXPECT_GE(View().GetContentSize().cx, 880);
}

INSTANTIATE_TEST_SUITE_P(Counts, BarWidthTest,
                         ::testing::Values(SBarCase{1, 24, 2},     // 24 + 3 x 2
                                           SBarCase{46, 23, 1},    // 46 x 24 + 48 x 2 = 1200 is too wide
                                           SBarCase{300, 2, 0},    // 300 x 3 + 302 = 1202 is too wide
                                           SBarCase{1200, 1, 0}),  // not even bars of 1 fit
                         [](const auto& info) { return std::to_string(info.param.count); });

TEST_F(SummaryLayoutTest, ListColumnsGrowFromTheStatisticsHeightUntilBothFitAndAreRemembered) {
  Resize(860, 800);
  Load(Many(400));
  const int height = View().GetListColumnHeight();
  EXPECT_GT(height, 190);
  CClientDC dc(&View());
  const int statistics = View().DrawStatistics(&dc, 0, 0, true, nullptr).cy;
  EXPECT_GE(height, statistics);
  EXPECT_EQ((height - statistics) % 20, 0) << "grown in steps of 20 from the statistics' height";
  Repaint();
  View().Invalidate();
  View().UpdateWindow();
  EXPECT_EQ(View().GetListColumnHeight(), height);
}

TEST_F(SummaryLayoutTest, LoadsOfZeroAloneStillGiveAnAxis) {
  Load(Peaks({0, 0, 0}));
  EXPECT_EQ(View().GetBarWidth(), 24);
  EXPECT_GE(View().GetContentSize().cx, 880);
  EXPECT_NE(View().GetSummaryText().Find(u"\r\n3\t0\t3\t"), -1);
}

TEST_F(SummaryLayoutTest, TheHoveredTestIsALighterBarAndAFramedListValue) {
  Load(Peaks({1000, 3000, 2000}));
  const CPoint bar = FindHit(CSummaryView::HIT_BAR, 1);
  const CPoint value = FindHit(CSummaryView::HIT_LIST_VALUE, 1);
  EXPECT_EQ(Pixel(bar + CPoint(0, 20)), kBar);
  MoveMouse(bar + CPoint(0, 20));
  Repaint();
  EXPECT_EQ(View().GetHoveredEntry(), 1);
  EXPECT_EQ(Pixel(bar + CPoint(0, 20)), kHoveredBar);
  EXPECT_EQ(Pixel(value + CPoint(-10, 0)), kHighlight);

  // The list value works the other way round.
  MoveMouse(FindHit(CSummaryView::HIT_LIST_VALUE, 2));
  Repaint();
  EXPECT_EQ(View().GetHoveredEntry(), 2);
  EXPECT_EQ(Pixel(bar + CPoint(0, 20)), kBar);
  EXPECT_EQ(Pixel(FindHit(CSummaryView::HIT_BAR, 2) + CPoint(0, 10)), kHoveredBar);
}

}  // namespace
