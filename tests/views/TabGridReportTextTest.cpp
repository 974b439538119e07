// The report of the text export, byte for byte.

#include "tests/views/TextExportFixture.h"

namespace {

class ReportTextTest : public TextExportTest {
 protected:
  static CString Versions() {
    return u"ZD-Zedo Report Format Version\t2.0\r\n"
           u"ZD-Zedo Software Version\t" +
           ProgramVersion() + u"\r\n\r\n";
  }
};

TEST_F(ReportTextTest, BlockHasItsThirtyThreeLinesWithTheUsersDateAndTimeFormats) {
  LoadOne(SummerTest(), DeviceBlock(16000), u"two\r\nlines; \"one\" & a\ttab");
  const CString expected = Versions() +
                           u"Device Data\r\n"
                           u"    Serial No.\tSN123\r\n"
                           u"    Model\tVA-216\r\n"
                           u"    HW Serial No.\tHW9\r\n"
                           u"    HW Revision\tB\r\n"
                           u"    Firmware Version\t1.4.3\r\n"
                           u"    Last Calibration\t17.05.2023\r\n"
                           u"\r\n"
                           u"Measurement Data\r\n"
                           u"    Slot ID\t3\r\n"
                           u"    ID\t42\r\n"
                           u"    Date & Time\t15.07.2021 14:05\r\n"
                           u"    Peak Load\t5.12 kN\r\n"
                           u"    Peak Load Time\t0.0 s\r\n"
                           u"    Tear-off Time\t2.3 s\r\n"
                           u"    Effective Load Rate\t95 N/s\r\n"
                           u"\r\n"
                           u"Settings\r\n"
                           u"    Unit\tkN\r\n"
                           u"    Load Rate\t100 N/s\r\n"
                           u"    Load Limit\t16.00 kN\r\n"
                           u"    Test Disc Area\t1963 mm2\r\n"
                           u"    Test Disc Diameter\t50.0 mm\r\n"
                           u"    Failure Mode 1\tAB\t60%\t\r\n"
                           u"    Failure Mode 2\tC\t40%\t\r\n"
                           u"    Failure Mode 3\t???\t0%\t\r\n"
                           u"\r\n"
                           u"Comment\r\n"
                           u"    \"two&#13lines; &quotone&quot &amp a&#9tab\"\r\n"
                           u"\r\n";
  EXPECT_EQ(Report(0).ToUtf8(), expected.ToUtf8());
}

// Device texts from the instrument are escaped as the comment is, so each stays on its line.
TEST_F(ReportTextTest, DeviceTextsAreEscapedAsTheComment) {
  SMeasDeviceInfo device = DeviceBlock(16000);
  device.strSerialNumber = u"SN;7\tB";
  device.strModel = u"VA-216\r\n";
  device.strHwSerialNumber = u"H\r\nW";
  device.strHwRevision = u"R\nS";
  device.strAppVersion = u"1 \"x\" & y";
  LoadOne(WinterTest(), device);
  const CString expected = Versions() +
                           u"Device Data\r\n"
                           u"    Serial No.\tSN;7&#9B\r\n"
                           u"    Model\tVA-216&#13\r\n"
                           u"    HW Serial No.\tH&#13W\r\n"
                           u"    HW Revision\tR&#13S\r\n"
                           u"    Firmware Version\t1 &quotx&quot &amp y\r\n"
                           u"    Last Calibration\t17.05.2023\r\n"
                           u"\r\n"
                           u"Measurement Data\r\n";
  EXPECT_EQ(Report(0).Left(expected.GetLength()).ToUtf8(), expected.ToUtf8());
}

TEST_F(ReportTextTest, ImperialUnitsNegativeIdAndUndefinedCalibrationDate) {
  SMeasDeviceInfo device = DeviceBlock(6000);
  device.strCalDate = u"UNDEF";
  LoadOne(WinterTest().Unit(UNIT_LBF).Id(0x80000000u).Word(MeasRaw::kLoadLimit, 6000), device);
  const CString report = Report(0);
  for (const char16_t* line :
       {u"    Last Calibration\t01.01.2000\r\n", u"    ID\t-2147483648\r\n",
        u"    Date & Time\t15.01.2021 14:05\r\n", u"    Peak Load\t1152 lbf\r\n",
        u"    Effective Load Rate\t21 lbf/s\r\n", u"    Unit\tlbf\r\n", u"    Load Rate\t22 lbf/s\r\n",
        u"    Load Limit\t1349 lbf\r\n", u"    Test Disc Area\t3.04 in2\r\n",
        u"    Test Disc Diameter\t1.97 in\r\n", u"Comment\r\n    \"\"\r\n\r\n"})
    EXPECT_NE(report.Find(line), -1) << CString(line).ToUtf8();
}

// A stored date beyond the calendar is taken as the last month and day it can be, and the
// block is written whole.
TEST_F(ReportTextTest, CalibrationDateBeyondTheCalendarStillGivesTheWholeBlock) {
  SMeasDeviceInfo device = DeviceBlock(16000);
  device.strCalDate = u"2023-13-45";
  LoadOne(WinterTest(), device);
  const CString report = Report(0);
  EXPECT_NE(report.Find(u"    Last Calibration\t31.12.2023\r\n"), -1) << report.ToUtf8();
  const CString end = u"\r\nComment\r\n    \"\"\r\n\r\n";
  EXPECT_EQ(report.Right(end.GetLength()).ToUtf8(), end.ToUtf8());
}

TEST_F(ReportTextTest, CurveAddsFiveLinesWithTheIndentTwiceBeforeTheSampleHeadings) {
  LoadOne(WinterTest().Unit(UNIT_N_MM2).Word(MeasRaw::kSamplingPeriod, 10).Sample(0, 1000).Sample(10, 5123),
          DeviceBlock(16000));
  CString numbers, samples;
  for (int n = 1; n <= 100; ++n) {
    numbers.AppendFormat(u"%d\t", n);
    samples += n == 1 ? u"0.51\t" : n == 11 ? u"2.61\t" : u"0.00\t";
  }
  const CString withoutCurve = Report(0, false);
  const CString expectedCurve =
      u"Load Data\r\n"
      u"    Sampling Period\t0.100 s\r\n"
      u"        Load #\t" +
      numbers +
      u"\r\n"
      u"        Load (N/mm2)\t" +
      samples + u"\r\n\r\n";
  EXPECT_EQ(Report(0, true).ToUtf8(), (withoutCurve + expectedCurve).ToUtf8());
}

// Pieces: the two version lines, the empty line, "Device Data\r\n", ...
TEST_F(ReportTextTest, ShortBufferReceivesOnlyThePiecesThatEndWithinIt) {
  LoadOne(WinterTest(), DeviceBlock(16000));
  const int whole = page.FormatReportRow(0, true, nullptr, 0);
  const std::u16string first = u"ZD-Zedo Report Format Version\t2.0\r\n";
  const std::u16string second = u"ZD-Zedo Software Version\t" + ProgramVersion().str() + u"\r\n";
  struct Case {
    int length;
    std::u16string filled;
  } cases[] = {{0, u""},
               {int(first.size()) - 1, u""},
               {int(first.size()), first},
               {int(first.size() + second.size()) - 1, first},
               {int(first.size() + second.size()) + 1, first + second},
               {int(first.size() + second.size()) + 2, first + second + u"\r\n"}};
  for (const Case& c : cases) {
    std::u16string buffer(120, u'#');
    EXPECT_EQ(page.FormatReportRow(0, true, buffer.data(), c.length), whole) << c.length;
    EXPECT_EQ(CString(buffer).ToUtf8(),
              CString(c.filled + std::u16string(120 - c.filled.size(), u'#')).ToUtf8())
        << c.length;
  }
}

TEST_F(ReportTextTest, IndexesOutsideTheListWriteNothing) {
  LoadOne(WinterTest(), DeviceBlock(16000));
  for (int index : {-1, 1}) EXPECT_EQ(page.FormatReportRow(index, true, nullptr, 0), 0) << index;
}

}  // namespace
