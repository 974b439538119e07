#include <gtest/gtest.h>

#include "toolkit/GraphGrid.h"
#include "toolkit/GraphScale.h"

namespace {

std::string Utf8(const CString& s) { return s.ToUtf8(); }

TEST(GraphScale, RangeRuleChoosesOneTwoOrFiveTimesAPowerOfTen) {
  struct Case {
    double range, step;
    const char* xFormat;
    const char* yFormat;
  };
  const Case cases[] = {
      {100, 10, "%0.0lf", "%5.0lf"},  {7, 1, "%0.0lf", "%5.0lf"},     {15, 2, "%0.0lf", "%5.0lf"},
      {30, 5, "%0.0lf", "%5.0lf"},    {5, 1, "%0.0lf", "%5.0lf"},     {10.5, 1, "%0.0lf", "%5.0lf"},
      {21, 2, "%0.0lf", "%5.0lf"},    {50, 10, "%0.0lf", "%5.0lf"},   {0.3, 0.05, "%0.2lf", "%5.2lf"},
      {4.9, 0.5, "%0.1lf", "%5.1lf"}, {0, 0, "%0.0lf", "%5.0lf"},     {-3, 0, "%0.0lf", "%5.0lf"},
      {1e13, 0, "%0.0lf", "%5.0lf"},  {2e-13, 0, "%0.0lf", "%5.0lf"},
  };
  for (const Case& c : cases) {
    double minor = -1;
    CString format = u"junk";
    EXPECT_DOUBLE_EQ(NiceStepX(c.range, minor, format), c.step) << "range " << c.range;
    EXPECT_DOUBLE_EQ(minor, c.step / 2) << "range " << c.range;
    EXPECT_EQ(Utf8(format), c.xFormat) << "range " << c.range;
    EXPECT_DOUBLE_EQ(NiceStepY(c.range, minor, format), c.step) << "range " << c.range;
    EXPECT_EQ(Utf8(format), c.yFormat) << "range " << c.range;
  }
}

TEST(GraphScale, StepLabelsShowTheStepExactly) {
  double minor = 0;
  CString format;
  const double step = NiceStepX(0.3, minor, format);
  CString label;
  label.Format(format, 3 * step);
  EXPECT_EQ(Utf8(label), "0.15");
}

TEST(GraphScale, TickCountRuleTakesTheNextSeriesValue) {
  struct Case {
    double min, max;
    int n;
    double step;
    const char* xFormat;
    const char* yFormat;
  };
  const Case cases[] = {
      {0, 100, 100, 2, "%0.0lf", "%0.0lf"},  // d = 1.0101
      {0, 0.95, 2, 1, "%0.0lf", "%0.1lf"},   // d = 0.95: x shows no decimals, y one
      {0, 100, 1, 100, "%0.0lf", "%0.0lf"},  // n below 2 counts as 2
      {0, 1, 11, 0.1, "%0.1lf", "%0.1lf"},   // d exactly on a series value
      {0, 50, 99, 1, "%0.0lf", "%0.1lf"},    // d = 0.505
      {-7, 3, 6, 2, "%0.0lf", "%0.0lf"},
  };
  for (const Case& c : cases) {
    CString format = u"%5.3lf";
    EXPECT_DOUBLE_EQ(StepForTickCountX(c.min, c.max, &format, c.n), c.step) << c.min << ".." << c.max;
    EXPECT_EQ(Utf8(format), c.xFormat) << c.min << ".." << c.max;
    format = u"%5.3lf";
    EXPECT_DOUBLE_EQ(StepForTickCountY(c.min, c.max, &format, c.n), c.step) << c.min << ".." << c.max;
    EXPECT_EQ(Utf8(format), c.yFormat) << c.min << ".." << c.max;
  }
  EXPECT_DOUBLE_EQ(StepForTickCountX(0, 100, nullptr, 100), 2);
  EXPECT_DOUBLE_EQ(StepForTickCountY(5, 5, nullptr, 10), 0) << "an empty range has no step";
}

TEST(GraphScale, CeilToStepMovesUpToTheNextMultiple) {
  struct Case {
    double v, step, want;
  };
  for (const Case c : {Case{12, 5, 15}, Case{10, 5, 10}, Case{0, 5, 0}, Case{-12, 5, -10}, Case{-10, 5, -10},
                       Case{0.25, 0.1, 0.3}, Case{7, 0, 7}, Case{7, -2, 7}}) {
    EXPECT_DOUBLE_EQ(CeilToStep(c.v, c.step), c.want) << c.v << " by " << c.step;
  }
}

TEST(GraphScale, ComputeGraphStepsLeavesTheRangesAlone) {
  SGraphSettings s;
  s.dXMin = 0, s.dXMax = 100, s.dYMin = -0.1, s.dYMax = 0.2;
  ComputeGraphSteps(s);
  EXPECT_DOUBLE_EQ(s.dXStep, 10);
  EXPECT_DOUBLE_EQ(s.dXMinorStep, 5);
  EXPECT_DOUBLE_EQ(s.dYStep, 0.05);
  EXPECT_EQ(Utf8(s.strYFormat), "%5.2lf");
  EXPECT_EQ(s.dXMax, 100);
  EXPECT_EQ(s.dYMin, -0.1);
}

}  // namespace
