#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "calibration/Beep.h"
#include "calibration/CalibrationErrorLog.h"
#include "calibration/DeviceInfoBlock.h"
#include "calibration/ForceText.h"
#include "calibration/SerialNumberCheck.h"
#include "calibration/StepTimes.h"
#include "calibration/VexalonDoc.h"
#include "platform/ui/PlaySound.h"
#include "platform/ui/UiApplication.h"
#include "tests/support/TestEnvironment.h"

namespace {

TEST(ForceText, EachLoadUnitWithAndWithoutItsName) {
  const struct {
    int newtons;
    int unit;
    bool withUnit;
    const char16_t* text;
  } cases[] = {
      {1234, 1, true, u"1.234 kN"},
      {1234, 2, false, u"277"},
      {49, 0, true, u"49 N"},
      {49, 0, false, u"49"},
      {-5, 1, true, u"-0.005 kN"},
      {1234, 2, true, u"277 LBF"},
      // x 0.224809: 4.49618, 2.472899, -2.472899, 1.573663, -1.573663, 1.348854.
      {20, 2, false, u"4"},
      {11, 2, false, u"2"},
      {-11, 2, false, u"-2"},
      {7, 2, false, u"2"},
      {-7, 2, false, u"-2"},
      {6, 2, false, u"1"},
      {1234, 3, true, u""},
      {1234, -1, false, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.newtons << " in unit " << c.unit);
    EXPECT_EQ(FormatForce(c.newtons, c.unit, c.withUnit), c.text);
  }
}

TEST(ResultStatus, NamesOfTheFourStatesAndOfAnyOther) {
  const std::pair<int, const char16_t*> names[] = {{0, u"Failed"},       {1, u"OK"},  {2, u"NotRequired"},
                                                   {3, u"NotEvaluated"}, {4, u"UNK"}, {-1, u"UNK"}};
  for (const auto& [state, name] : names) EXPECT_EQ(CString(ResultStatusName(state)), name) << state;
}

TEST(StepTimes, TheFirstHardwareRevisionWaitsLonger) {
  const struct {
    const char16_t* revision;
    int wait;
    int skip;
  } cases[] = {{u"A0", 10000, 5000},
               {u"a0", 10000, 5000},
               {u"A1", 5000, 2500},
               {u"", 5000, 2500},
               {u"A0 ", 5000, 2500}};
  for (const auto& c : cases) {
    int wait = 0;
    int skip = 0;
    GetStepTimes(c.revision, wait, skip);
    EXPECT_EQ(wait, c.wait) << CString(c.revision).ToUtf8();
    EXPECT_EQ(skip, c.skip) << CString(c.revision).ToUtf8();
  }
}

TEST(SerialNumberCheck, AcceptsOnlyTheTemplateOfTheThreeModels) {
  CSerialNumberCheck check(nullptr);
  EXPECT_TRUE(check.Check(u"anything")) << "the check is off until enabled";
  check.Enable();
  const std::pair<const char16_t*, bool> cases[] = {
      {u"VN01-000-0000", true},   {u"VN02-999-9999", true},
      {u"VN03-123-4567", true},   {u"VN04-123-4567", false},
      {u"VN00-123-4567", false},  {u"vn01-123-4567", false},
      {u"VN01-123-45678", false}, {u"VN01-123-456", false},
      {u"VN01_123-4567", false},  {u"", false},
      {u"VN00-000-0000", false},  {u"VN11-123-4567", false},
      {u"VN01-1A3-4567", false},  {u"VN01-123_4567", false},
      {u"VN01-123-456X", false},  {u"VN", false},
      {u"VN01", false},           {u"XN01-123-4567", false},
  };
  for (const auto& [text, wellFormed] : cases)
    EXPECT_EQ(check.Check(text), wellFormed) << CString(text).ToUtf8();
}

TEST(DeviceInfoBlock, TheConnectTimeValuesOfTheDocument) {
  CVexalonDoc doc;
  doc.Reset();
  doc.m_pcbSerialNumber = u"EN-2207";
  doc.m_lifetimeCounter = 305419896;
  doc.m_calibrationDate = u"2026-11-05";
  doc.m_calibrator = u"CAL7";
  doc.m_factoryCalibrationValid = true;
  doc.m_newCalibrator = u"not this one";
  EXPECT_EQ(FormatDeviceInfoBlock(doc).str(),
            u"PCB Serial Number: \vEN-2207\r\n"
            u"Lifetime Counter: \v305419896\r\n"
            u"Calibration Counter: \v-1\r\n"
            u"Calibration Date: \v2026-11-05\r\n"
            u"Calibrator: \vCAL7\r\n"
            u"Factory Cal Valid: \v1\r\n"
            u"Last Used Cal Valid: \v0\r\n"
            u"\r\n");
}

class CalibrationLog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.Create(nullptr, u"log", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
    ASSERT_TRUE(log.Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 400, 300), &parent, 1));
  }

  CUiApplication application;
  CWnd parent;
  CColorRichEditCtrl log;
};

TEST_F(CalibrationLog, ErrorsAreShownOneLineEachInTheOrderOfTheTexts) {
  CVexalonDoc doc;
  const std::string path = TestPath("errors.log");
  log.m_pMirrorFile = std::fopen(path.c_str(), "w");
  ASSERT_NE(log.m_pMirrorFile, nullptr);
  LogCalibrationErrors(doc, log, 0x2001);
  LogCalibrationErrors(doc, log, 0);
  std::fclose(log.m_pMirrorFile);
  log.m_pMirrorFile = nullptr;
  EXPECT_EQ(log.m_nScreenLines, 2);
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(text.str(),
            "1) ...ERROR: Failed to reset cycle counter.\n"
            "2) ...ERROR: Failed to set the automatic back drive.\n");
}

TEST_F(CalibrationLog, EveryBeepIsAskedForWithoutWaiting) {
  ClearSoundRequests();
  PlayBeep();
  PlayBeep();
  EXPECT_EQ(GetSoundRequests(), (std::vector<CString>{u"beep-7.wav", u"beep-7.wav"}));
}

}  // namespace
