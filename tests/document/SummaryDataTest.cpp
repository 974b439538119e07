#include <gtest/gtest.h>

#include <cmath>

#include "document/SummaryData.h"
#include "document/Units.h"
#include "document/VexalonData.h"
#include "tests/document/MeasFixtures.h"

namespace {

class SummaryDataTest : public ::testing::Test {
 protected:
  void SetUp() override { summary.SetDocument(nullptr, &list); }
  void Add(const CRawRecord& record) {
    ASSERT_TRUE(list.ParseDownload(record.Bytes().data(), record.Bytes().size(), nullptr));
  }
  struct STexts {
    CString mean, sd, min, max, range;
  };
  STexts Texts() const {
    STexts t;
    summary.GetMean(t.mean);
    summary.GetStdDeviation(t.sd);
    summary.GetMinimum(t.min);
    summary.GetMaximum(t.max);
    summary.GetRange(t.range);
    return t;
  }
  CVexalonData list;
  CSummaryData summary;
};

TEST_F(SummaryDataTest, StatisticsInKilonewtonsWithDecimalsOfTheLoadLimitField) {
  for (unsigned peak : {1000u, 2000u, 3000u}) Add(CRawRecord().Peak(peak).Word(MeasRaw::kLoadLimit, 16000));
  summary.Compute();
  EXPECT_EQ(summary.GetCount(), 3);
  STexts t = Texts();
  EXPECT_EQ(t.mean, u"2.000");
  EXPECT_EQ(t.sd, u"1.000");
  EXPECT_EQ(t.min, u"1.00");
  EXPECT_EQ(t.max, u"3.00");
  EXPECT_EQ(t.range, u"2.00");
  EXPECT_EQ(summary.GetEntry(0)->valueText, u"1.00");

  CVexalonData small;
  for (unsigned peak : {1000u, 2000u, 3000u}) {
    const std::vector<BYTE> raw = CRawRecord().Peak(peak).Word(MeasRaw::kLoadLimit, 6000).Bytes();
    small.ParseDownload(raw.data(), raw.size(), nullptr);
  }
  summary.SetDocument(nullptr, &small);
  summary.Compute();
  t = Texts();
  EXPECT_EQ(t.mean, u"2.0000");
  EXPECT_EQ(t.sd, u"1.0000");
  EXPECT_EQ(t.min, u"1.000");
  EXPECT_EQ(t.range, u"2.000");
}

TEST_F(SummaryDataTest, OnlySelectedMeasurementsCount) {
  Add(CRawRecord().Peak(1000).Word(MeasRaw::kLoadLimit, 6000));
  summary.Compute();
  EXPECT_EQ(summary.GetCount(), 1);
  EXPECT_EQ(Texts().sd, u"0.0000") << "one entry has no deviation";

  list.SelectAll(false);
  summary.Compute();
  EXPECT_EQ(summary.GetCount(), 0);
  CString text;
  EXPECT_EQ(summary.GetMinimum(text), 999999.0);
  EXPECT_EQ(summary.GetMaximum(text), 0.0);
  EXPECT_EQ(summary.GetDecimals(), 3) << "the decimals keep their last value";
}

TEST_F(SummaryDataTest, StandardDeviationOfEqualValuesIsZeroNotNaN) {
  // 1000 N in lbf three times: count x sum of squares - sum^2 comes out slightly negative.
  const double v = ConvertForce(1000, 1963, UNIT_LBF);
  const double naive = 3 * (v * v + v * v + v * v) - (v + v + v) * (v + v + v);
  ASSERT_LT(naive, 0.0) << "the fixture no longer shows the rounding";
  for (int i = 0; i < 3; ++i) Add(CRawRecord().Peak(1000));
  summary.SetUnit(UNIT_LBF);
  CString text;
  EXPECT_EQ(summary.GetStdDeviation(text), 0.0);
  EXPECT_EQ(text, u"0.0");
}

TEST_F(SummaryDataTest, EntriesInSortKeyOrderReferToTheirMeasurements) {
  Add(CRawRecord().Peak(3000).Id(1).Area(1000).Date(2021, 1, 3, 0, 0, 0));
  Add(CRawRecord().Peak(1000).Id(3).Area(2000).Date(2021, 1, 1, 0, 0, 0));
  Add(CRawRecord().Peak(2000).Id(2).Area(3000).Date(2021, 1, 2, 0, 0, 0));
  struct Case {
    BYTE key;
    std::vector<int> listIndexes;
  } cases[] = {{CSummaryData::SORT_BY_ID, {0, 2, 1}},
               {CSummaryData::SORT_BY_TIME, {1, 2, 0}},
               {CSummaryData::SORT_BY_VALUE, {1, 2, 0}},
               {7, {1, 2, 0}}};
  for (const Case& c : cases) {
    summary.SetSortKey(c.key);
    std::vector<int> indexes;
    for (int n = 0; n < summary.GetCount(); ++n) indexes.push_back(summary.GetEntry(n)->listIndex);
    EXPECT_EQ(indexes, c.listIndexes) << "key " << int(c.key);
  }
  summary.SetSortKey(CSummaryData::SORT_BY_VALUE);
  CString value, unit;
  EXPECT_EQ(summary.GetAreaText(0, value, unit), 2000.0) << "entry 0 is the measurement at list index 1";
  EXPECT_EQ(value, u"2000");
  EXPECT_EQ(summary.GetAreaText(3, value, unit), 0.0);
  EXPECT_THROW(summary.GetAreaText(-1, value, unit), std::invalid_argument);
  list.Clear();
  EXPECT_THROW(summary.GetAreaText(0, value, unit), std::invalid_argument);

  CString name;
  EXPECT_EQ(summary.GetSortKey(name), CSummaryData::SORT_BY_VALUE);
  EXPECT_EQ(name, u"Value");
  EXPECT_EQ(SummarySortKeyName(1), u"Date & Time");
  EXPECT_EQ(SummarySortKeyName(3), u"--");
}

}  // namespace
