#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "document/Units.h"
#include "document/VexalonData.h"
#include "tests/document/MeasFixtures.h"
#include "tests/support/TestEnvironment.h"

namespace {

class VexalonDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PinTimeZone("Europe/Berlin");
    SetDateTimeFormatSetting(0x0303);  // dd.MM.yyyy HH:mm
  }
  bool Parse(const std::vector<BYTE>& bytes, const SMeasDeviceInfo* device = nullptr) {
    return list.ParseDownload(bytes.data(), bytes.size(), device);
  }
  CVexalonData list;
};

TEST_F(VexalonDataTest, ParsesWholeRecordsUntilOneLacksItsMarker) {
  EXPECT_TRUE(Parse(Concat({CRawRecord().Slot(1), CRawRecord().Slot(2)})));
  EXPECT_EQ(list.GetCount(), 2);

  CVexalonData other;
  std::vector<BYTE> bytes =
      Concat({CRawRecord().Slot(1), CRawRecord().Word(MeasRaw::kMarker, 237), CRawRecord()});
  EXPECT_FALSE(other.ParseDownload(bytes.data(), bytes.size(), nullptr));
  EXPECT_EQ(other.GetCount(), 1);

  CVexalonData partial;
  bytes = Concat({CRawRecord()});
  bytes.resize(bytes.size() + 100, 0xEE);
  EXPECT_TRUE(partial.ParseDownload(bytes.data(), bytes.size(), nullptr));
  EXPECT_EQ(partial.GetCount(), 1);
  EXPECT_TRUE(partial.ParseDownload(nullptr, 0, nullptr));
}

TEST_F(VexalonDataTest, ClampsDateAndTimeBytesInTheKeptRecord) {
  ASSERT_TRUE(Parse(CRawRecord().Date(2021, 0, 0, 24, 61, 60).Bytes()));
  const zd_meas_t& m = *list.GetRecord(0);
  EXPECT_EQ(m.raw[MeasRaw::kMonth], 1);
  EXPECT_EQ(m.raw[MeasRaw::kDay], 1);
  EXPECT_EQ(m.raw[MeasRaw::kHour], 23);
  EXPECT_EQ(m.raw[MeasRaw::kMinute], 59);
  EXPECT_EQ(m.raw[MeasRaw::kSecond], 59);
  CString text;
  list.GetDateTimeText(0, text);
  EXPECT_EQ(text, u"01.01.2021 23:59");

  ASSERT_TRUE(Parse(CRawRecord().Date(2021, 13, 32, 10, 0, 0).Bytes()));
  list.GetDateTimeText(1, text);
  EXPECT_EQ(text, u"31.12.2021 10:00");
}

TEST_F(VexalonDataTest, TimeStampsFollowBerlinWinterAndSummerTime) {
  ASSERT_TRUE(
      Parse(Concat({CRawRecord().Date(2021, 1, 15, 12, 0, 0), CRawRecord().Date(2021, 7, 15, 12, 0, 0),
                    CRawRecord().Date(2021, 2, 31, 8, 30, 0)})));
  CString text;
  EXPECT_EQ(list.GetDateTimeText(0, text), 1610708400);  // 11:00 UTC
  EXPECT_EQ(text, u"15.01.2021 12:00");
  EXPECT_EQ(list.GetDateTimeText(1, text), 1626343200);  // 10:00 UTC
  EXPECT_EQ(text, u"15.07.2021 12:00");
  list.GetDateTimeText(2, text);
  EXPECT_EQ(text, u"03.03.2021 08:30") << "a day beyond the month rolls into the next";
  SetDateTimeFormatSetting(0x0000);
  list.GetDateTimeText(1, text);
  EXPECT_EQ(text, u"07/15/2021 12:00 PM");
}

TEST_F(VexalonDataTest, DiameterUsesSinglePrecisionPi) {
  ASSERT_TRUE(Parse(CRawRecord().Area(1963).Bytes()));
  // sqrt(1963 * 4 / 3.1415927410125732); with the double pi it would be 49.9936918652256.
  EXPECT_DOUBLE_EQ(list.GetRecord(0)->diameter, 49.993691169625);
  CString value, unit;
  list.GetDiameterText(0, value, unit);
  EXPECT_EQ(value, u"50.0");
}

TEST_F(VexalonDataTest, PeakTimeIsThatOfTheFirstOfEqualMaxima) {
  ASSERT_TRUE(Parse(
      Concat({CRawRecord().Sample(3, 200).Sample(10, 500).Sample(40, 500).Sample(60, 499), CRawRecord()})));
  EXPECT_EQ(list.GetRecord(0)->maxSample, 500);
  CString value, unit;
  EXPECT_DOUBLE_EQ(list.GetPeakLoadTimeText(0, value, unit), 0.5);
  EXPECT_EQ(value, u"0.5");
  EXPECT_EQ(unit, u"s");
  EXPECT_EQ(list.GetRecord(1)->maxSample, 0);
  EXPECT_EQ(list.GetRecord(1)->peakTime, 0.0);
}

TEST_F(VexalonDataTest, ForceTextsUseRecordUnitAndModelLoadLimitDecimals) {
  const SMeasDeviceInfo small = DeviceBlock(6000), large = DeviceBlock(16000);
  ASSERT_TRUE(Parse(CRawRecord().Peak(1234).Word(MeasRaw::kLoadLimit, 6000).Bytes(), &small));
  ASSERT_TRUE(Parse(CRawRecord().Peak(1234).Bytes(), &large));
  ASSERT_TRUE(Parse(CRawRecord().Peak(1234).Unit(UNIT_LBF).Bytes(), &large));
  ASSERT_TRUE(Parse(CRawRecord().Peak(1000).Unit(UNIT_N_MM2).Area(0).Bytes(), &large));

  CString value, unit = u"untouched";
  BYTE asked = 0;
  EXPECT_EQ(list.GetPeakLoad(0, asked, value, unit), 1234.0) << "zero asks for newtons";
  EXPECT_EQ(value, u"1.234");
  EXPECT_EQ(unit, u"untouched");
  asked = 1;
  EXPECT_DOUBLE_EQ(list.GetPeakLoad(1, asked, value, unit), 1.234);
  EXPECT_EQ(asked, UNIT_KN);
  EXPECT_EQ(value, u"1.23");
  EXPECT_EQ(unit, u"kN");
  asked = 1;
  list.GetPeakLoad(2, asked, value, unit);
  EXPECT_EQ(asked, UNIT_LBF);
  EXPECT_EQ(value, u"277");
  EXPECT_EQ(unit, u"lbf");
  list.GetPeakLoad(3, asked, value, unit);
  EXPECT_EQ(value, u"0.00") << "no infinity for a disc without area";

  EXPECT_EQ(list.GetLoadText(0, value, unit), 6000.0);
  EXPECT_EQ(value, u"6.000");
  EXPECT_EQ(list.GetLoadText(1, value, unit), 16000.0);
  EXPECT_EQ(value, u"16.00");
  EXPECT_EQ(list.GetLoadLimit(1, false), 16000.0);
  EXPECT_DOUBLE_EQ(list.GetLoadLimit(1, true), 16.0);
  EXPECT_EQ(list.FormatForceValue(2, false), u"3597");
}

TEST_F(VexalonDataTest, LoadCurveInNewtonsOrInTheRecordUnit) {
  const SMeasDeviceInfo device = DeviceBlock(6000);
  ASSERT_TRUE(
      Parse(CRawRecord().Sample(0, 100).Sample(2, 1500).Word(MeasRaw::kSamplingPeriod, 20).Bytes(), &device));
  const double* values = nullptr;
  double peak = 0, peakTime = 0, period = 0;
  int count = 0;
  std::vector<CString> texts{u"old"};
  ASSERT_TRUE(list.GetLoadCurve(0, true, values, peak, peakTime, count, period, &texts));
  EXPECT_EQ(count, 100);
  EXPECT_DOUBLE_EQ(values[2], 1.5);
  EXPECT_DOUBLE_EQ(peak, 1.5);
  EXPECT_DOUBLE_EQ(peakTime, 0.4);
  EXPECT_DOUBLE_EQ(period, 0.2);
  ASSERT_EQ(texts.size(), 100u);
  EXPECT_EQ(texts[0], u"0.100");
  ASSERT_TRUE(list.GetLoadCurve(0, false, values, peak, peakTime, count, period, &texts));
  EXPECT_EQ(values[2], 1500.0);
  EXPECT_EQ(texts[2], u"1500.000");
  EXPECT_FALSE(list.GetLoadCurve(1, false, values, peak, peakTime, count, period, &texts));
  EXPECT_TRUE(texts.empty());
  EXPECT_EQ(values[2], 0.0) << "the buffer is cleared before the index is tested";
}

TEST_F(VexalonDataTest, IndexRulesOfQuestions) {
  ASSERT_TRUE(Parse(CRawRecord().Slot(7).Bytes()));
  CString text = u"keep", klass, value, unit;
  int percent = 9;
  BYTE code = 0;
  EXPECT_EQ(list.GetSlotId(5), 0);
  EXPECT_EQ(list.GetDateTimeText(5, text), 1);
  EXPECT_EQ(text, u"keep");
  EXPECT_EQ(list.GetLastCalibrationDate(5, text), 1);
  EXPECT_EQ(list.GetAreaText(5, value, unit), 0);
  EXPECT_FALSE(list.IsExpanded(5));
  EXPECT_EQ(list.GetComment(5), u"");
  EXPECT_THROW(list.GetSlotId(-1), std::invalid_argument);
  EXPECT_THROW(list.GetUnitName(1), std::invalid_argument);
  EXPECT_THROW(list.IsSelected(1), std::invalid_argument);
  EXPECT_THROW(list.DeleteMeasurement(1), std::invalid_argument);
  EXPECT_FALSE(CVexalonData().IsSelected(0)) << "an empty list answers false";

  EXPECT_FALSE(list.GetFailureMode(0, 4, klass, percent, code));
  EXPECT_EQ(klass, u"--");
  EXPECT_EQ(percent, 0);
  list.SetFailureClass(0, 2, 3);
  list.SetFailurePercent(0, 2, 40);
  EXPECT_TRUE(list.GetFailureMode(0, 2, klass, percent, code));
  EXPECT_EQ(klass, u"BC");
  EXPECT_EQ(percent, 40);
  EXPECT_EQ(code, 3);
  EXPECT_EQ(list.GetRecord(0)->raw[24], 3);
  EXPECT_EQ(list.GetRecord(0)->raw[27], 40);

  SMeasDeviceInfo device;
  EXPECT_FALSE(list.GetDeviceInfo(3, device));
  EXPECT_EQ(device.strModel, u"----");
  EXPECT_EQ(device.nLoadLimit, 0);
}

// Each number of the text is read as the C library reads an integer: blanks, a sign, digits.
TEST_F(VexalonDataTest, LastCalibrationDateFromItsText) {
  struct Case {
    const char16_t* stored;
    const char16_t* shown;
  } cases[] = {
      {u"2023-05-17", u"17.05.2023"}, {u"UNDEF", u"01.01.2000"},      {u"1999-00-00", u"01.01.2000"},
      {u"2023-13-40", u"31.12.2023"}, {u"", u"01.01.2000"},           {u"2023- 5- 7", u"07.05.2023"},
      {u"2023-+5-+7", u"07.05.2023"}, {u" 202-05-17", u"17.05.2000"}, {u"2023-5-7", u"01.05.2023"},
      {u"9999-99-99", u"31.12.9999"}, {u"-202-05-17", u"17.05.2000"},
  };
  for (const Case& c : cases) {
    CVexalonData one;
    SMeasDeviceInfo device = DeviceBlock(6000);
    device.strCalDate = c.stored;
    const std::vector<BYTE> raw = CRawRecord().Bytes();
    ASSERT_TRUE(one.ParseDownload(raw.data(), raw.size(), &device));
    CString text;
    one.GetLastCalibrationDate(0, text);
    EXPECT_EQ(text, c.shown) << CString(c.stored).ToUtf8();
  }
}

TEST_F(VexalonDataTest, SortsByEachOfTheEighteenKeys) {
  // Each record ranks differently on every field, so a wrong field shows in the order.
  ASSERT_TRUE(Parse(Concat({
      CRawRecord()
          .Slot(2)
          .Date(2021, 3, 1, 0, 0, 0)
          .Id(30)
          .Peak(100)
          .Byte(15, 9)
          .Area(500)
          .Word(18, 70)
          .Unit(4),
      CRawRecord()
          .Slot(3)
          .Date(2021, 1, 1, 0, 0, 0)
          .Id(10)
          .Peak(300)
          .Byte(15, 7)
          .Area(900)
          .Word(18, 90)
          .Unit(3),
      CRawRecord()
          .Slot(1)
          .Date(2021, 2, 1, 0, 0, 0)
          .Id(0xFFFFFFF0)
          .Peak(200)
          .Byte(15, 8)
          .Area(700)
          .Word(18, 80)
          .Unit(0),
  })));
  struct Case {
    BYTE key;
    std::vector<BYTE> slots;  // the slots in list order after the sort
  } cases[] = {
      {1, {1, 2, 3}},  {2, {3, 2, 1}},  {3, {3, 1, 2}},  {4, {2, 1, 3}},  {5, {3, 2, 1}},  {6, {1, 2, 3}},
      {7, {2, 1, 3}},  {8, {3, 1, 2}},  {9, {3, 1, 2}},  {10, {2, 1, 3}}, {11, {2, 1, 3}}, {12, {3, 1, 2}},
      {13, {2, 1, 3}}, {14, {3, 1, 2}}, {15, {2, 1, 3}}, {16, {3, 1, 2}}, {17, {1, 3, 2}}, {18, {2, 3, 1}},
  };
  for (const Case& c : cases) {
    list.Sort(c.key);
    std::vector<BYTE> slots;
    for (int i = 0; i < list.GetCount(); ++i) slots.push_back(list.GetSlotId(i));
    EXPECT_EQ(slots, c.slots) << "key " << int(c.key);
    EXPECT_EQ(list.GetSortColumn(), c.key);
  }
  list.Sort(1);
  list.Sort(0);
  EXPECT_EQ(list.GetSortColumn(), 0);
  list.Sort(19);
  EXPECT_EQ(list.GetSlotId(0), 1) << "keys above 18 leave the order";
  list.Clear();
  EXPECT_EQ(list.GetSortColumn(), 0);
}

TEST_F(VexalonDataTest, SetTimeWritesTheLocalTimeIntoTheRawBytes) {
  ASSERT_TRUE(Parse(CRawRecord().Date(2021, 1, 15, 12, 0, 0).Bytes()));
  list.SetTime(0, 1626343200 + 3600 + 61);  // 15 July 2021 13:01:01 in Berlin summer time
  const zd_meas_t& m = *list.GetRecord(0);
  EXPECT_EQ(m.timeStamp, 1626343200 + 3661);
  EXPECT_EQ(m.raw[MeasRaw::kMonth], 7);
  EXPECT_EQ(m.raw[MeasRaw::kHour], 13);
  EXPECT_EQ(m.raw[MeasRaw::kMinute], 1);
  EXPECT_EQ(m.raw[MeasRaw::kSecond], 1);

  // A copy parsed from the raw bytes (as a saved or pasted one is) keeps the adjusted time.
  CVexalonData copy;
  ASSERT_TRUE(copy.ParseDownload(m.raw, MeasRaw::kSize, nullptr));
  EXPECT_EQ(copy.GetRecord(0)->timeStamp, m.timeStamp);
}

}  // namespace
