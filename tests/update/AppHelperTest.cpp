#include "device/FileVersionInfo.h"
#include "device/Version.h"
#include "platform/base/LocalTime.h"
#include "platform/net/FtpConnection.h"
#include "tests/update/UpdateServerFixture.h"
#include "update/AppHelper.h"

namespace {

TEST_F(UpdateServerTest, ConnectsToTheProgramFolderOrANamedOne) {
  AddServerFolder("DiVudodav/ZD-Zedo");
  AddServerFolder("DiVudodav/0000000c");
  StartServer();
  CAppHelper helper;
  CFtpConnection* connection = helper.ConnectUpdateServer(u"");
  ASSERT_NE(connection, nullptr) << helper.GetLastErrorText().ToUtf8();
  CString directory;
  ASSERT_TRUE(connection->GetCurrentDirectory(directory));
  EXPECT_EQ(directory, CString(u"/DiVudodav/ZD-Zedo"));
  EXPECT_TRUE(helper.IsConnected());
  connection = helper.ConnectUpdateServer(u"0000000c");
  ASSERT_NE(connection, nullptr);
  ASSERT_TRUE(connection->GetCurrentDirectory(directory));
  EXPECT_EQ(directory, CString(u"/DiVudodav/0000000c"));
  helper.CloseConnection();
  EXPECT_FALSE(helper.IsConnected());
  EXPECT_TRUE(m_answers.GetMessageBoxes().empty());
}

TEST_F(UpdateServerTest, FailuresLeaveTheirTextAndShowItWhenMessagesAreOn) {
  AddServerFolder("DiVudodav/ZD-Zedo");
  StartServer();
  CAppHelper helper;
  helper.SetShowMessages(false);
  EXPECT_EQ(helper.ConnectUpdateServer(u"0000000c"), nullptr);
  EXPECT_EQ(helper.GetLastErrorText(),
            CString(u"Directory (./DiVudodav/0000000c/) not found on the FTP server!"));
  EXPECT_FALSE(helper.IsConnected());
  EXPECT_EQ(helper.Connect(u"jvcust", u"wrong", u"./DiVudodav/ZD-Zedo/"), nullptr);
  const CString refusal = helper.GetLastErrorText();
  EXPECT_EQ(refusal.Left(4), CString(u"530 ")) << refusal.ToUtf8();
  EXPECT_EQ(refusal.Right(14), CString(u" (Error 12015)")) << refusal.ToUtf8();
  EXPECT_TRUE(m_answers.GetMessageBoxes().empty()) << "a box was shown with messages off";

  helper.SetShowMessages(true);
  EXPECT_EQ(helper.ConnectUpdateServer(u"missing"), nullptr);
  const auto boxes = m_answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.Left(44), CString(u"Directory (./DiVudodav/missing/) not found o"));
}

TEST_F(UpdateServerTest, WithoutAReachableServerEveryConnectionFails) {
  CAppHelper helper;
  helper.SetShowMessages(false);
  EXPECT_EQ(helper.ConnectUpdateServer(u""), nullptr) << "no server is set";
  EXPECT_EQ(helper.GetLastErrorText().Right(14), CString(u" (Error 12007)"));
  UseClosedServer();
  EXPECT_EQ(helper.ConnectUpdateServer(u""), nullptr);
  EXPECT_EQ(helper.GetLastErrorText().Right(14), CString(u" (Error 12029)"));
}

// Tester Ann at 21 degrees, instrument S1, on 3 May 2018 at 14:05:09 local time.
class ReportHeaderOfOneInstrument : public UpdateServerTest {
 protected:
  void SetUp() override {
    PinTimeZone("Europe/Berlin");
    PinCurrentTimeStamp(LocalTimeToStamp(SLocalTime{2018, 5, 3, 14, 5, 9}));
    CAppHelper::SetReportInfo(u"ZD-2", u"S1", u"1.7.0", u"B", u"0000000C");
    // The values are shared by the whole process: start from other ones, so that these count
    // as a change.
    CAppHelper::SetTesterAndTemperature(u"", u"");
    CAppHelper::SetTesterAndTemperature(u"Ann", u"21");
  }
  void TearDown() override { PinCurrentTimeStamp(-1); }

  static CString ProgramVersion() {
    CFileVersionInfo info;
    info.CreateFromModule(nullptr);
    return CVersion(info.GetProductVersion()).Format(3);
  }
};

TEST_F(ReportHeaderOfOneInstrument, LinesAreLaidOutInTheirColumns) {
  CString header;
  CAppHelper().WriteReportHeader(header, u"Calibration Test", u"Format Version: 1000", u"");
  const CString expected =
      u"Format Version: 1000\r\n"
      u"\r\n"
      u"ZD-Zedo Calibration Test\r\n"
      u"------------------------\r\n"
      u"Date:                    03-May-2018\r\n"
      u"Time:                    14:05\r\n"
      u"ZD-Zedo Version:         " +
      ProgramVersion() +
      u"\r\n"
      u"Tester:                  Ann\r\n"
      u"Temperature:             21 \u00B0C\r\n"
      u"\r\n"
      u"\r\n"
      u"Device Info\r\n"
      u"-----------\r\n"
      u"Device Name:      ZD-2\r\n"
      u"Serial Number:    S1\r\n"
      u"Software Version: 1.7.0\r\n"
      u"HW Revision:      B\r\n"
      u"Signature:        0000000C"
      u"\r\n\r\n";
  EXPECT_EQ(header.ToUtf8(), expected.ToUtf8());
  CString withSuffix;
  CAppHelper().WriteReportHeader(withSuffix, u"Calibration Test", u"P", u"End");
  EXPECT_EQ(withSuffix.Right(35).ToUtf8(), "Signature:        0000000C\r\nEnd\r\n\r\n");
}

TEST_F(ReportHeaderOfOneInstrument, MonthsAreEnglishInAnyLocale) {
  std::setlocale(LC_TIME, "de_DE.UTF-8");
  PinCurrentTimeStamp(LocalTimeToStamp(SLocalTime{2018, 12, 24, 9, 0, 0}));
  CString header;
  CAppHelper().WriteReportHeader(header, u"T", u"", u"");
  std::setlocale(LC_TIME, "C");
  EXPECT_NE(header.Find(u"Date:                    24-Dec-2018\r\n"), -1) << header.ToUtf8();
}

TEST_F(ReportHeaderOfOneInstrument, TesterValuesAreWrittenOnlyWhenChanged) {
  const CString key = u"Software\\Jovant\\ZD-Zedo\\Settings\\Config";
  CString tester;
  CString temperature;
  ASSERT_TRUE(RegGetString(key, u"TesterName", tester));
  ASSERT_TRUE(RegGetString(key, u"AmbientTemperature", temperature));
  EXPECT_EQ(tester, CString(u"Ann"));
  EXPECT_EQ(temperature, CString(u"21"));

  ASSERT_TRUE(RegDeleteValue(key, u"TesterName"));
  CAppHelper::SetTesterAndTemperature(u"Ann", u"21");
  EXPECT_FALSE(RegGetString(key, u"TesterName", tester)) << "unchanged values were written";

  CAppHelper::SetTesterAndTemperature(u"Ann", u"22");
  ASSERT_TRUE(RegGetString(key, u"TesterName", tester)) << "a changed temperature must write both";
  ASSERT_TRUE(RegGetString(key, u"AmbientTemperature", temperature));
  EXPECT_EQ(tester, CString(u"Ann"));
  EXPECT_EQ(temperature, CString(u"22"));
}

}  // namespace
