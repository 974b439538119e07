#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include "connection/DevFoundPage.h"
#include "connection/DevSelectSheet.h"
#include "connection/MeasDeviceIdentity.h"
#include "connection/PortSelectPage.h"
#include "device/DeviceThread.h"
#include "device/DeviceTypes.h"
#include "platform/kernel/Thread.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/ShellExecute.h"
#include "platform/ui/SimulatedInput.h"
#include "resources/ResourceIds.h"
#include "tests/connection/ConnectionFixture.h"
#include "tests/sim/PtyLink.h"
#include "tests/support/TestEnvironment.h"

namespace {

const CString kKey = u"Software\\Jovant\\DiVudodav\\Settings\\ConnWizard";

struct SPortTextCase {
  const char16_t* portName;
  const char16_t* text;
};

class PortTextOfAFoundDevice : public ::testing::TestWithParam<SPortTextCase> {};

TEST_P(PortTextOfAFoundDevice, FollowsThePortName) {
  EXPECT_EQ(MakePortText(GetParam().portName), CString(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases, PortTextOfAFoundDevice,
                         ::testing::Values(SPortTextCase{u"COM3:", u"@ COM3:"},
                                           SPortTextCase{u"IP:192.168.0.20:3728", u"@ IP:192.168.0.20"},
                                           SPortTextCase{u"\\\\.\\COM12", u"@ COM12"},
                                           SPortTextCase{u"/dev/bus/usb/001/004", u""}));

struct SModelCase {
  const char16_t* serialNumber;
  const char16_t* model;
  int loadLimit;
};

class ModelOfASerialNumber : public ::testing::TestWithParam<SModelCase> {};

TEST_P(ModelOfASerialNumber, ComesFromItsFirstFourCharacters) {
  const SModel model = ModelFromSerialNumber(GetParam().serialNumber);
  EXPECT_EQ(model.name, CString(GetParam().model));
  EXPECT_EQ(model.loadLimit, GetParam().loadLimit);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelOfASerialNumber,
    ::testing::Values(SModelCase{u"VN01-1", u"ZI-206", 6000}, SModelCase{u"VN02-123-4567", u"VA-216", 16000},
                      SModelCase{u"VN03", u"RE-225", 25000}, SModelCase{u"vn02-1", u"???", 0},
                      SModelCase{u"X-VN02-1", u"???", 0}, SModelCase{u"VN0", u"???", 0}));

using RememberedWizardChoices = ConnectionTest;

TEST_F(RememberedWizardChoices, ReadRulesAndWrittenOrder) {
  ASSERT_TRUE(RegSetDword(kKey, u"Express", 5));
  ASSERT_TRUE(RegSetDword(kKey, u"DeviceType", 23));
  ASSERT_TRUE(RegSetDword(kKey, u"ComPort", 0));
  ASSERT_TRUE(RegSetDword(kKey, u"CommPort", 4));
  ASSERT_TRUE(RegSetString(kKey, u"Scan", u"0"));
  ASSERT_TRUE(RegSetDword(kKey, u"Stop Scan", 0));
  ASSERT_TRUE(RegSetDword(kKey, u"IP Address", 7));
  ASSERT_TRUE(RegSetString(kKey, u"Server Username", u"a+b@x"));
  CDevSelectSheet sheet(0, nullptr, 2, 0);
  ASSERT_TRUE(sheet.LoadSettings(kKey));
  EXPECT_TRUE(sheet.m_express) << "any value but 0 reads as true";
  EXPECT_EQ(sheet.m_deviceType, 0);
  EXPECT_EQ(sheet.m_comPort, 1);
  EXPECT_EQ(sheet.m_portKind, 4);
  EXPECT_TRUE(sheet.m_scanAll) << "another type reads as true";
  EXPECT_FALSE(sheet.m_stopAtFirst);
  EXPECT_EQ(sheet.m_address, CString()) << "another type reads as empty";
  EXPECT_EQ(sheet.m_cloudEmail, CString(u"a+b@x"));

  const CString written = u"Software\\Test\\Written";
  sheet.m_comPort = 0;
  ASSERT_TRUE(sheet.SaveSettings(written));
  EXPECT_EQ(RegEnumValueNames(written),
            (std::vector<CString>{u"Express", u"DeviceType", u"ComPort", u"CommPort", u"Scan", u"Stop Scan",
                                  u"IP Address", u"Server Username"}));
  DWORD value = 0;
  EXPECT_TRUE(RegGetDword(written, u"Express", value) && value == 1);
  EXPECT_TRUE(RegGetDword(written, u"ComPort", value) && value == 1) << "0 is written as 1";
}

TEST_F(RememberedWizardChoices, AMissingKeyKeepsTheDefaults) {
  CDevSelectSheet sheet(0, nullptr, 2, 0);
  EXPECT_FALSE(sheet.LoadSettings(u""));
  EXPECT_FALSE(sheet.LoadSettings(u"Software\\Nothing\\Here"));
  EXPECT_EQ(sheet.m_comPort, 1);
  EXPECT_TRUE(sheet.m_scanAll && sheet.m_stopAtFirst && sheet.m_express);
}

using ConnectionWizard = ConnectionTest;

TEST_F(ConnectionWizard, TwoPagesLeftOutOfferTheZd2sSerialPortWithNextOnly) {
  std::vector<CString> kinds;
  bool backEnabled = true;
  m_answers.AddModalDialogScript([&](CWnd& dialog) {
    auto& sheet = dynamic_cast<CDevSelectSheet&>(dialog);
    PumpMessages();
    kinds = Entries(*sheet.GetActivePage(), IDC_WIZARD_PORT_KIND);
    backEnabled = sheet.GetDlgItem(ID_WIZBACK)->IsWindowEnabled();
    sheet.PressButton(IDCANCEL);
  });
  CDevSelectSheet sheet(IDS_CONNECT_WIZARD_CAPTION, nullptr, 2, 0);
  sheet.m_deviceType = Device::eTypeVexalon;
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(kinds, (std::vector<CString>{u"Serial"}));
  EXPECT_FALSE(backEnabled);
}

TEST_F(ConnectionWizard, AllPagesForAClassOfEveryPortKind) {
  std::vector<CString> kinds;
  bool backEnabled = false;
  UINT firstPage = 0;
  m_answers.AddModalDialogScript([&](CWnd& dialog) {
    auto& sheet = dynamic_cast<CDevSelectSheet&>(dialog);
    PumpMessages();
    firstPage = sheet.GetActivePage()->GetTemplateId();
    sheet.PressButton(ID_WIZNEXT);
    PumpMessages();
    sheet.PressButton(ID_WIZNEXT);
    PumpMessages();
    kinds = Entries(*sheet.GetActivePage(), IDC_WIZARD_PORT_KIND);
    backEnabled = sheet.GetDlgItem(ID_WIZBACK)->IsWindowEnabled();
    sheet.PressButton(IDCANCEL);
  });
  CDevSelectSheet sheet(0, nullptr, 0, 0);
  sheet.m_deviceType = Device::eTypeDurimo3Se;
  sheet.DoModal();
  EXPECT_EQ(firstPage, IDD_WIZARD_WELCOME);
  EXPECT_EQ(kinds, (std::vector<CString>{u"USB", u"Ethernet", u"Serial"}));
  EXPECT_TRUE(backEnabled);
}

TEST_F(ConnectionWizard, FindsTheInstrumentAtItsComPortAndHandsItOver) {
  StartZd2AtCom(31);
  m_answers.AddModalDialogScript(SerialScript(31));
  CDevSelectSheet sheet(0, nullptr, 2, 0);
  sheet.m_deviceType = Device::eTypeVexalon;
  sheet.m_portKind = Device::ePortSerial;
  ASSERT_EQ(sheet.DoModal(), INT_PTR(ID_WIZFINISH));
  EXPECT_EQ(m_found, (std::vector<CString>{u"Serial number: VN02-123-4567    @ COM31"}));
  auto device = sheet.TakeDevice();
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->GetSerialNumber(), CString(u"VN02-123-4567"));
  EXPECT_EQ(sheet.m_comPort, 31);
  EXPECT_FALSE(sheet.m_scanAll);
}

TEST_F(ConnectionWizard, NoInstrumentFoundOffersARetryThatSearchesAgain) {
  m_answers.AddMessageBoxAnswer(IDRETRY);
  m_answers.AddMessageBoxAnswer(IDCANCEL);
  m_answers.AddModalDialogScript(SerialScript(32));
  CDevSelectSheet sheet(0, nullptr, 2, 0);
  sheet.m_deviceType = Device::eTypeVexalon;
  sheet.m_portKind = Device::ePortSerial;
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  const auto boxes = m_answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 2u) << "the retry searched once more";
  EXPECT_EQ(boxes[0].text.Left(17), CString(u"No device found.\r"));
  EXPECT_EQ(boxes[0].type, UINT(MB_RETRYCANCEL | MB_ICONQUESTION));
  EXPECT_TRUE(m_found.empty());
}

// A port whose instrument never answers keeps the search busy until Cancel aborts it.
TEST_F(ConnectionWizard, CancelDuringASearchAbortsItBeforeTheWizardCloses) {
  Sim::CPtyLink silent;
  ASSERT_TRUE(silent.MapToComPort(33));
  bool searching = false;
  m_answers.AddModalDialogScript([&](CWnd& dialog) {
    auto& sheet = dynamic_cast<CDevSelectSheet&>(dialog);
    PumpMessages();
    sheet.GetActivePage()->CheckDlgButton(IDC_WIZARD_SCAN, BST_UNCHECKED);
    sheet.GetActivePage()->SetDlgItemInt(IDC_WIZARD_COM_PORT, 33, FALSE);
    sheet.PressButton(ID_WIZNEXT);
    // The page's activation, then the start of its search with the buttons it posts.
    PumpMessages();
    PumpMessages();
    searching = sheet.GetFoundPage().IsSearching();
    EXPECT_FALSE(sheet.PressButton(ID_WIZBACK)) << "no Back while searching";
    EXPECT_TRUE(sheet.PressButton(IDCANCEL));
  });
  CDevSelectSheet sheet(0, nullptr, 2, 0);
  sheet.m_deviceType = Device::eTypeVexalon;
  sheet.m_portKind = Device::ePortSerial;
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_TRUE(searching);
  EXPECT_EQ(Device::GetDeviceThreadExitCode(), STILL_ACTIVE) << "the search thread went idle within its wait";
  EXPECT_TRUE(m_answers.GetMessageBoxes().empty()) << "the aborted search reports no end";
}

TEST_F(ConnectionWizard, F1AndTheHelpButtonOpenTheTopicOfThePage) {
  const std::string opener = TestPath("opener.sh");
  const std::string record = TestPath("opened.txt");
  std::ofstream(opener) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << record << "'\n";
  ASSERT_EQ(chmod(opener.c_str(), 0755), 0);
  ASSERT_TRUE(RegSetString(kShellSettingsKey, kShellOpenCommandValue, CString::FromUtf8(opener)));
  m_answers.AddModalDialogScript([](CWnd& dialog) {
    auto& sheet = dynamic_cast<CDevSelectSheet&>(dialog);
    PumpMessages();
    CWnd* scan = sheet.GetActivePage()->GetDlgItem(IDC_WIZARD_SCAN);
    scan->SetFocus();
    SimulateKey(scan, VK_F1, true, u"");
    SimulateKey(scan, VK_F1, false, u"");
    sheet.GetActivePage()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WIZARD_PORT_HELP, BN_CLICKED), 0);
    sheet.PressButton(IDCANCEL);
  });
  CDevSelectSheet sheet(0, nullptr, 2, 0);
  sheet.m_deviceType = Device::eTypeVexalon;
  sheet.DoModal();
  std::string opened;
  for (int i = 0; i < 500 && std::count(opened.begin(), opened.end(), '\n') < 2; ++i) {
    PumpMessages(10);
    std::ifstream in(record);
    opened.assign(std::istreambuf_iterator<char>(in), {});
  }
  EXPECT_EQ(opened, "/DiVudodav.chm#topic=21003\n/DiVudodav.chm#topic=21003\n");
}

}  // namespace
