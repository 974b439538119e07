// The measurement list of the text export, byte for byte.

#include <fstream>

#include "platform/res/LanguageModule.h"
#include "platform/res/ResourceLookup.h"
#include "tests/app/LanguageModuleFixture.h"
#include "tests/support/TestEnvironment.h"
#include "tests/views/TextExportFixture.h"

namespace {

const char16_t kColumnLine[] =
    u"Slot ID\tID\tDate\tTime\tTest Disc Area\tTest Disc Area Unit\tTest Disc \u00D8\tTest Disc \u00D8 Unit\t"
    u"Load Limit\tPeak Load\tLoad Unit\tLoad Rate\tEffective Load Rate\tLoad Rate Unit\tPeak Load Time(s)\t"
    u"Tear-off Time(s)\t"
    u"FM1 Class\tFM1 (%)\tFM2 Class\tFM2 (%)\tFM3 Class\tFM3 (%)\tComment\t"
    u"Dev SN\tHW SN\tHW Rev\tFW Ver\tLast Calibration\t";

// The device columns of DeviceBlock.
const char16_t kDevice[] = u"SN123\tHW9\tB\t1.4.3\t2023-05-17\t\r\n";

class ListTextTest : public TextExportTest {};

TEST_F(ListTextTest, HeaderBlockHasTheVersionTheDashesAndTwentyEightColumns) {
  Load({WinterTest()});
  EXPECT_EQ(List(-1).ToUtf8(), (u"ZD-Zedo Version\t" + ProgramVersion() + u"\r\n---------------\r\n" +
                                CString(kColumnLine) + u"\r\n")
                                   .ToUtf8());
}

TEST_F(ListTextTest, HeaderWithCurveAddsLoadDataThePeriodAndOneHundredSampleColumns) {
  Load({WinterTest()});
  CString curve = u"Load Data\tSampling Period (s)\t";
  for (int n = 1; n <= 100; ++n) curve.AppendFormat(u"Load #%d\t", n);
  EXPECT_EQ(List(-1, true).ToUtf8(), (u"ZD-Zedo Version\t" + ProgramVersion() + u"\r\n---------------\r\n" +
                                      CString(kColumnLine) + curve + u"\r\n")
                                         .ToUtf8());
}

// The headings of the string table follow the language module; the failure-mode and device
// headings are the list's own English words.
TEST_F(ListTextTest, HeadingsFollowTheLanguageModuleButTheFixedOnesStayEnglish) {
  const std::string path = TestPath("ZD-Zedo_Deutsch.zdl");
  std::ofstream(path) << LanguageModuleText("Deutsch", ProgramVersionText())
                      << "1152 \"Platz\"\n1148 \"Kennung\"\n1143 \"Kommentar\"\n1153 \"Einheit\"\n";
  HMODULE module = LoadLibrary(CString::FromUtf8(path));
  ASSERT_NE(module, nullptr);
  // The program's own texts come back however the test ends.
  struct SModuleInUse {
    explicit SModuleInUse(HMODULE m) { AfxSetResourceHandle(m); }
    ~SModuleInUse() { AfxSetResourceHandle(nullptr); }
  } inUse(module);
  Load({WinterTest()});
  const CString header = List(-1);
  const CString columns =
      u"Platz\tKennung\tDate\tTime\tTest Disc Area\tTest Disc Area Einheit\tTest Disc \u00D8\t"
      u"Test Disc \u00D8 Einheit\tLoad Limit\tPeak Load\tLoad Einheit\tLoad Rate\tEffective Load Rate\t"
      u"Load Rate Einheit\tPeak Load Time(s)\tTear-off Time(s)\t"
      u"FM1 Class\tFM1 (%)\tFM2 Class\tFM2 (%)\tFM3 Class\tFM3 (%)\tKommentar\t"
      u"Dev SN\tHW SN\tHW Rev\tFW Ver\tLast Calibration\t\r\n";
  EXPECT_EQ(header.Right(columns.GetLength()).ToUtf8(), columns.ToUtf8());
}

// Units, decimals, signed IDs, escaping and the times of both seasons. The list writes each
// stamp's own local time, so the summer test keeps 14:05:09 as the grid and the report show it.
TEST_F(ListTextTest, LinesFollowUnitLoadLimitCommentAndSeason) {
  struct Case {
    const char* name;
    CRawRecord record;
    int loadLimit;
    const char16_t* comment;
    const char16_t* line;
  } cases[] = {
      {"kN on a 6000 N instrument, winter", WinterTest().Word(MeasRaw::kLoadLimit, 6000), 6000, u"",
       u"3\t42\t2021-01-15\t14:05:09\t1963\tmm2\t50.0\tmm\t6.000\t5.123\tkN\t100\t95\tN/s\t0.0\t2.3\t"
       u"AB\t60\tC\t40\t???\t0\t\t"},
      {"kN on a 16000 N instrument, summer", SummerTest(), 16000, u"",
       u"3\t42\t2021-07-15\t14:05:09\t1963\tmm2\t50.0\tmm\t16.00\t5.12\tkN\t100\t95\tN/s\t0.0\t2.3\t"
       u"AB\t60\tC\t40\t???\t0\t\t"},
      {"lbf", WinterTest().Unit(UNIT_LBF), 16000, u"ok",
       u"3\t42\t2021-01-15\t14:05:09\t3.04\tin2\t1.97\tin\t3597\t1152\tlbf\t22\t21\tlbf/s\t0.0\t2.3\t"
       u"AB\t60\tC\t40\t???\t0\tok\t"},
      {"PSI with an ID above 2^31", SummerTest().Unit(UNIT_PSI).Id(0xFFFFFFFEu), 16000, u"",
       u"3\t-2\t2021-07-15\t14:05:09\t3.04\tin2\t1.97\tin\t1182\t379\tPSI\t7\t7\tPSI/s\t0.0\t2.3\t"
       u"AB\t60\tC\t40\t???\t0\t\t"},
      {"N/mm2", WinterTest().Unit(UNIT_N_MM2), 16000, u"",
       u"3\t42\t2021-01-15\t14:05:09\t1963\tmm2\t50.0\tmm\t8.15\t2.61\tN/mm2\t0.051\t0.048\tN/"
       u"mm2s\t0.0\t2.3\t"
       u"AB\t60\tC\t40\t???\t0\t\t"},
      {"MPa on a 6000 N instrument", WinterTest().Unit(UNIT_MPA).Word(MeasRaw::kLoadLimit, 6000), 6000, u"",
       u"3\t42\t2021-01-15\t14:05:09\t1963\tmm2\t50.0\tmm\t3.057\t2.610\tMpa\t0.051\t0.048\tMpa/s\t0.0\t2.3\t"
       u"AB\t60\tC\t40\t???\t0\t\t"},
      {"escaped comment with a ';' kept", WinterTest(), 16000, u"a;b\r\nc \"q\" & d\te\nf",
       u"3\t42\t2021-01-15\t14:05:09\t1963\tmm2\t50.0\tmm\t16.00\t5.12\tkN\t100\t95\tN/s\t0.0\t2.3\t"
       u"AB\t60\tC\t40\t???\t0\ta;b&#13c &quotq&quot &amp d&#9e&#13f\t"},
      {"summer midnight stays on its own day", SummerTest().Date(2021, 7, 16, 0, 30, 0), 16000, u"",
       u"3\t42\t2021-07-16\t00:30:00\t1963\tmm2\t50.0\tmm\t16.00\t5.12\tkN\t100\t95\tN/s\t0.0\t2.3\t"
       u"AB\t60\tC\t40\t???\t0\t\t"},
  };
  for (const Case& c : cases) {
    LoadOne(c.record, DeviceBlock(c.loadLimit), c.comment);
    EXPECT_EQ(List(0).ToUtf8(), (CString(c.line) + kDevice).ToUtf8()) << c.name;
  }
}

TEST_F(ListTextTest, FailureModeColumnsNameEveryClassAndItsPercent) {
  LoadOne(WinterTest()
              .Byte(MeasRaw::kFailureClass + 1, 0)
              .Byte(MeasRaw::kFailurePercent + 1, 100)
              .Byte(MeasRaw::kFailureClass + 2, 2)
              .Byte(MeasRaw::kFailurePercent + 2, 0)
              .Byte(MeasRaw::kFailureClass + 3, 3)
              .Byte(MeasRaw::kFailurePercent + 3, 255),
          DeviceBlock(16000));
  EXPECT_NE(List(0).Find(u"\t2.3\tA\t100\tB\t0\tBC\t255\t\t"), -1);
  LoadOne(WinterTest().Byte(MeasRaw::kFailureClass + 1, 5).Byte(MeasRaw::kFailureClass + 2, 6),
          DeviceBlock(16000));
  EXPECT_NE(List(0).Find(u"\t2.3\tCD\t60\t???\t40\t???\t0\t\t"), -1);
}

// Device texts come from the instrument: TABs, line breaks, quotes and ampersands in them are
// escaped as in the comment, so every line keeps its 28 columns; a ';' stays as it is.
TEST_F(ListTextTest, DeviceTextsAreEscapedAsTheCommentAndKeepTheirColumns) {
  SMeasDeviceInfo device = DeviceBlock(16000);
  device.strSerialNumber = u"SN;7\tB";
  device.strHwSerialNumber = u"H\r\nW";
  device.strHwRevision = u"R\nS";
  device.strAppVersion = u"1 \"x\" & y";
  device.strCalDate = u"UNDEF\tX";
  LoadOne(WinterTest(), device);
  EXPECT_EQ(List(0).ToUtf8(),
            CString(u"3\t42\t2021-01-15\t14:05:09\t1963\tmm2\t50.0\tmm\t16.00\t5.12\tkN\t100\t95\tN/s\t0.0\t"
                    u"2.3\tAB\t60\tC\t40\t???\t0\t\t"
                    u"SN;7&#9B\tH&#13W\tR&#13S\t1 &quotx&quot &amp y\tUNDEF&#9X\t\r\n")
                .ToUtf8());
}

TEST_F(ListTextTest, LineWithCurveAddsThePeriodAndTheHundredSamplesInTheUnit) {
  LoadOne(WinterTest().Word(MeasRaw::kSamplingPeriod, 10).Sample(0, 1000).Sample(10, 5123),
          DeviceBlock(16000));
  CString curve = u"--->\t0.100\t1.00\t";
  for (int n = 1; n < 100; ++n) curve += n == 10 ? u"5.12\t" : u"0.00\t";
  EXPECT_EQ(List(0, true).ToUtf8(),
            (u"3\t42\t2021-01-15\t14:05:09\t1963\tmm2\t50.0\tmm\t16.00\t5.12\tkN\t100\t95\tN/s\t1.0\t2.3\t"
             u"AB\t60\tC\t40\t???\t0\t\tSN123\tHW9\tB\t1.4.3\t2023-05-17\t" +
             curve + u"\r\n")
                .ToUtf8());
}

// The samples are written as the document shows them, in every unit and decimals rule.
TEST_F(ListTextTest, SamplesMatchTheDocumentsOwnSampleTexts) {
  for (int loadLimit : {6000, 16000}) {
    for (BYTE unit = 0; unit < UNIT_COUNT; ++unit) {
      LoadOne(WinterTest().Unit(unit).Sample(0, 1).Sample(1, 5123).Sample(99, 333), DeviceBlock(loadLimit));
      const double* values = nullptr;
      double peak = 0, peakTime = 0, period = 0;
      int count = 0;
      std::vector<CString> texts;
      doc.GetLoadCurve(0, true, values, peak, peakTime, count, period, &texts);
      CString samples;
      for (const CString& text : texts) samples += text + u"\t";
      const CString line = List(0, true);
      EXPECT_EQ(line.Right(samples.GetLength() + 2).ToUtf8(), (samples + u"\r\n").ToUtf8())
          << int(unit) << " " << loadLimit;
    }
  }
}

// Pieces of the line: "3\t" (2), "42\t" (5), "2021-01-15\t" (16), "14:05:09\t" (25), ...
TEST_F(ListTextTest, ShortBufferReceivesOnlyThePiecesThatEndWithinIt) {
  LoadOne(WinterTest(), DeviceBlock(16000));
  const int whole = page.FormatListRow(0, false, nullptr, 0);
  struct Case {
    int length;
    const char16_t* filled;
  } cases[] = {{0, u""},
               {1, u""},
               {2, u"3\t"},
               {4, u"3\t"},
               {15, u"3\t42\t"},
               {16, u"3\t42\t2021-01-15\t"},
               {24, u"3\t42\t2021-01-15\t"},
               {25, u"3\t42\t2021-01-15\t14:05:09\t"}};
  for (const Case& c : cases) {
    std::u16string buffer(40, u'#');
    EXPECT_EQ(page.FormatListRow(0, false, buffer.data(), c.length), whole) << c.length;
    const std::u16string filled(c.filled);
    EXPECT_EQ(CString(buffer).ToUtf8(), CString(filled + std::u16string(40 - filled.size(), u'#')).ToUtf8())
        << c.length;
  }
}

TEST_F(ListTextTest, IndexesOutsideTheListWriteNothing) {
  LoadOne(WinterTest(), DeviceBlock(16000));
  std::u16string buffer(8, u'#');
  for (int index : {-2, 1, 100}) {
    EXPECT_EQ(page.FormatListRow(index, true, buffer.data(), 8), 0) << index;
    EXPECT_EQ(buffer, u"########") << index;
  }
}

}  // namespace
