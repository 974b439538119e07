// The summary's text form, byte for byte, and the table lines it is made of.

#include "device/FileVersionInfo.h"
#include "tests/views/SummaryFixture.h"

namespace {

CString ProgramVersion() {
  CFileVersionInfo version;
  version.CreateFromModule(nullptr);
  return version.GetProductVersion();
}

// One test on 15 July 2021, while summer time is in force in Berlin.
CRawRecord SummerTest() {
  return CRawRecord()
      .Slot(3)
      .Id(42)
      .Date(2021, 7, 15, 10, 20, 30)
      .Peak(1234)
      .Sample(10, 1234)
      .Word(MeasRaw::kTearOffTime, 23)
      .Word(MeasRaw::kEffectiveLoadRate, 95)
      .Byte(MeasRaw::kFailureClass + 1, 1)
      .Byte(MeasRaw::kFailurePercent + 1, 60)
      .Byte(MeasRaw::kFailureClass + 2, 4)
      .Byte(MeasRaw::kFailurePercent + 2, 40);
}

const char16_t kHeaderKilonewton[] =
    u"##\tSlot ID\tID\tDate\tTime\tTest Disc Area (mm2)\t Test Disc \u00D8 (mm)\tPeak Load (kN)\tLoad Rate "
    u"(N/s)\t"
    u"Effective Load Rate (N/s)\t Peak Load Time(s)\t Tear-off Time(s)\tFM1 Class\tFM1 (%)\tFM2 Class\tFM2 "
    u"(%)\t"
    u"FM3 Class\tFM3 (%)\tComment\tDev SN\tHW SN\tHW Rev\tFW Ver\tLast Calibration\t\r\n";

class SummaryTextTest : public SummaryPageTest {};

TEST_F(SummaryTextTest, OneTestGivesEveryBlockInItsOrder) {
  Load({SummerTest()});
  doc.SetComment(0, u"Edge; chipped\tbadly");
  doc.GetSummary().SetComment(u"Wall \"north\"\r\nline 2");

  const CString expected =
      u"ZD-Zedo Version\t" + ProgramVersion() +
      u"\r\n"
      u"---------------\r\n"
      u"Summary\r\n\r\n"
      u"Comment\r\n"
      u"\"Wall &quotnorth&quot<br>line 2\"\t\r\n\r\n"
      u"Statistics of Summary\r\n"
      u"No. of Measurements\t1\r\n"
      u"Mean Value\t1.234\tkN\r\n"
      u"Standard Deviation\t0.000\tkN\r\n"
      u"Range\t0.00\tkN\r\n"
      u"Minimum\t1.23\tkN\r\n"
      u"Maximum\t1.23\tkN\r\n"
      u"\r\n"
      u"Peak Load Measurements \t[ordered by Date & Time]\r\n" +
      CString(kHeaderKilonewton) +
      u"1\t3\t42\t2021-07-15\t10:20:30\t1963\t50.0\t1.23\t100\t95\t0.5\t2.3\tAB\t60\tC\t40\tA\t0\t"
      u"Edge; chipped&#9badly\tSN123\tHW9\tB\t1.4.3\t2023-05-17\t\r\n"
      u"\r\n";
  EXPECT_EQ(View().GetSummaryText().ToUtf8(), expected.ToUtf8());
}

TEST_F(SummaryTextTest, WithoutEntriesOnlyTheVersionAndTheDashes) {
  EXPECT_EQ(View().GetSummaryText().ToUtf8(),
            (u"ZD-Zedo Version\t" + ProgramVersion() + u"\r\n---------------\r\n").ToUtf8());
}

TEST_F(SummaryTextTest, TableLinesFollowTheSummaryUnitAndOrder) {
  Load({SummerTest().Id(7).Peak(2000), SummerTest()});
  CSummaryData& summary = doc.GetSummary();
  summary.SetSortKey(CSummaryData::SORT_BY_VALUE);
  summary.SetUnit(0);  // lbf: 0 decimals, areas in in2, lengths in in
  EXPECT_EQ(
      View().FormatTable(-1).ToUtf8(),
      CString(u"##\tSlot ID\tID\tDate\tTime\tTest Disc Area (in2)\t Test Disc \u00D8 (in)\tPeak Load (lbf)\t"
              u"Load Rate (lbf/s)\tEffective Load Rate (lbf/s)\t Peak Load Time(s)\t Tear-off Time(s)\tFM1 "
              u"Class\t"
              u"FM1 (%)\tFM2 Class\tFM2 (%)\tFM3 Class\tFM3 (%)\tComment\tDev SN\tHW SN\tHW Rev\tFW Ver\t"
              u"Last Calibration\t\r\n")
          .ToUtf8());
  // 1234 N = 277.4 lbf, 1963 mm2 = 3.04 in2, 50.0 mm = 1.97 in, 100 and 95 N/s = 22 and 21 lbf/s.
  EXPECT_EQ(View().FormatTable(0).ToUtf8(),
            "1\t3\t42\t2021-07-15\t10:20:30\t3.04\t1.97\t277\t22\t21\t0.5\t2.3\tAB\t60\tC\t40\tA\t0\t\t"
            "SN123\tHW9\tB\t1.4.3\t2023-05-17\t\r\n");
  // 2000 N = 449.6 lbf.
  EXPECT_EQ(View().FormatTable(1).Left(6).ToUtf8(), "2\t3\t7\t");
  EXPECT_GE(View().FormatTable(1).Find(u"\t1.97\t450\t"), 0);
}

// Device texts from the instrument are escaped as the comment is, so the row keeps its columns.
TEST_F(SummaryTextTest, DeviceTextsInATableRowAreEscapedAsTheComment) {
  SMeasDeviceInfo device = DeviceBlock(16000);
  device.strSerialNumber = u"SN;7\tB";
  device.strHwSerialNumber = u"H\r\nW";
  device.strHwRevision = u"R\nS";
  device.strAppVersion = u"1 \"x\" & y";
  device.strCalDate = u"UNDEF\tX";
  const std::vector<BYTE> bytes = SummerTest().Bytes();
  ASSERT_TRUE(doc.AddDownloadedData(bytes.data(), bytes.size(), &device));
  Repaint();
  EXPECT_EQ(View().FormatTable(0).ToUtf8(),
            "1\t3\t42\t2021-07-15\t10:20:30\t1963\t50.0\t1.23\t100\t95\t0.5\t2.3\tAB\t60\tC\t40\tA\t0\t\t"
            "SN;7&#9B\tH&#13W\tR&#13S\t1 &quotx&quot &amp y\tUNDEF&#9X\t\r\n");
}

// An ID of all 32 bits reads -1 in the table and the tip, as on the measurement page.
TEST_F(SummaryTextTest, TheTableAndTheTipShowTheIdAsTheGridDoes) {
  Load({SummerTest().Id(0xFFFFFFFFu)});
  EXPECT_EQ(View().FormatTable(0).Left(7).ToUtf8(), "1\t3\t-1\t");
  CString title, text;
  View().GetTooltipTexts(0, title, text);
  EXPECT_EQ(title.Left(8).ToUtf8(), "ID: -1  ");
}

TEST_F(SummaryTextTest, AWinterTestKeepsItsOwnTimeToo) {
  Load({SummerTest().Date(2021, 1, 15, 10, 20, 30)});
  EXPECT_EQ(View().FormatTable(0).Left(27).ToUtf8(), "1\t3\t42\t2021-01-15\t10:20:30\t");
}

TEST_F(SummaryTextTest, TheTextFormLeavesTheScreensHitRegionsAndHoverAlone) {
  // Sixty bars are 18 pixels wide on the screen, 14 in the text form's narrower chart.
  std::vector<CRawRecord> records;
  for (unsigned i = 0; i < 60; ++i) records.push_back(CRawRecord().Id(i + 1).Peak(1000 + 10 * i));
  Load(records);
  ASSERT_EQ(View().GetBarWidth(), 18);
  const CPoint bar = FindHit(CSummaryView::HIT_BAR, 1);
  MoveMouse(bar);
  ASSERT_EQ(View().GetHoveredEntry(), 1);

  View().GetSummaryText();

  // The text form draws its blocks at (0, 0): none of its regions may answer there.
  int id = 0;
  int data = 0;
  EXPECT_FALSE(View().GetHitAreas().HitTest(CPoint(15, 15), &id, &data, nullptr, nullptr));
  EXPECT_TRUE(View().GetHitAreas().HitTest(bar, &id, &data, nullptr, nullptr));
  EXPECT_EQ(id, CSummaryView::HIT_BAR);
  EXPECT_EQ(data, 1);
  EXPECT_EQ(View().GetHoveredEntry(), 1);
  EXPECT_EQ(View().GetBarWidth(), 18);
}

}  // namespace
