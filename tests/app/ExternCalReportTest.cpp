#include <gtest/gtest.h>

#include <filesystem>

#include "app/ExternCalReport.h"
#include "device/FileVersionInfo.h"
#include "device/Version.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"
#include "update/AppHelper.h"

namespace {

// Reference device R1 and instrument S1 at 14:05:09 on 3 May 2018, tester Ann at 21 degrees.
class ExternalCalibrationOfOneInstrument : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterProgramResources(nullptr);
    PinTimeZone("Europe/Berlin");
    PinCurrentTimeStamp(LocalTimeToStamp(SLocalTime{2018, 5, 3, 14, 5, 9}));
    CAppHelper::SetTesterAndTemperature(u"Ann", u"21");
    m_texts = {u"ZD-2",
               u"S1",
               u"1.7.0",
               u"B",
               u"0C0001A2",
               u"Ref <grn>R1</grn> \v20 N\r\n",
               u"<big>Step</big> \v<red>Fail</red>\r\n",
               u"R1"};
  }
  void TearDown() override {
    PinCurrentTimeStamp(-1);
    AfxSetResourceHandle(nullptr);
  }

  static CString ProgramVersion() {
    CFileVersionInfo info;
    info.CreateFromModule(nullptr);
    return CVersion(info.GetProductVersion()).Format(3);
  }

  CUiApplication m_ui;
  CScriptedAnswers m_answers;
  SExternCalTexts m_texts;
};

TEST_F(ExternalCalibrationOfOneInstrument, TheFileIsUtf16WithCrLfAndWithoutTags) {
  const CString text = CExternCalReport::BuildText(m_texts);
  const std::string folder = TestPath("TempLog") + "/";
  std::filesystem::create_directories(folder);
  const CString path = CExternCalReport::Write(text, m_texts, CString::FromUtf8(folder));
  EXPECT_EQ(path.ToUtf8(), folder + "ExternCal_R1_S1_2018_05_03_14_05_09.csv");

  // The header's lines end in "\n" in the text and in CR LF in the file.
  const CString expectedText =
      u"Format Version: 1000\n\nZD-Zedo Calibration Test\n------------------------\n"
      u"Date:                    03-May-2018\nTime:                    14:05\n"
      u"ZD-Zedo Version:         " +
      ProgramVersion() +
      u"\nTester:                  Ann\nTemperature:             21 \u00B0C\n\n\n"
      u"Device Info\n-----------\nDevice Name:      ZD-2\nSerial Number:    S1\n"
      u"Software Version: 1.7.0\nHW Revision:      B\nSignature:        0C0001A2\n\n"
      u"Ref R1\t20 N\nStep\tFail\n";
  EXPECT_EQ(text.ToUtf8(), expectedText.ToUtf8());
  std::vector<std::uint8_t> expectedBytes = {0xFF, 0xFE};
  for (int i = 0; i < expectedText.GetLength(); ++i) {
    if (expectedText[i] == u'\n') expectedBytes.insert(expectedBytes.end(), {0x0D, 0x00});
    expectedBytes.push_back(std::uint8_t(expectedText[i] & 0xFF));
    expectedBytes.push_back(std::uint8_t(expectedText[i] >> 8));
  }
  EXPECT_EQ(ReadFileBytes(path.ToUtf8()), expectedBytes);
  EXPECT_TRUE(m_answers.GetMessageBoxes().empty());
}

TEST_F(ExternalCalibrationOfOneInstrument, TypedSerialNumbersStayInsideTheFolder) {
  EXPECT_EQ(CExternCalReport::FileName(u"../R\t1", u"S/1", SLocalTime{2018, 5, 3, 14, 5, 9}),
            CString(u"ExternCal_.._R_1_S_1_2018_05_03_14_05_09.csv"));
}

TEST_F(ExternalCalibrationOfOneInstrument, AFileThatCannotBeOpenedIsReported) {
  const CString folder = CString::FromUtf8(TestPath("missing") + "/");
  EXPECT_TRUE(CExternCalReport::Write(u"x", m_texts, folder).IsEmpty());
  const auto boxes = m_answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            u"Failed to open file " + folder +
                u"ExternCal_R1_S1_2018_05_03_14_05_09.csv.\nMeasurement data will not be saved.");
  EXPECT_EQ(boxes[0].type & MB_ICONMASK, MB_ICONERROR);
}

}  // namespace
