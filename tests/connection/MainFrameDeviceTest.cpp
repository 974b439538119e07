#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "appbase/Registry.h"
#include "connection/VexalonConnection.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/CmdUI.h"
#include "resources/ResourceIds.h"
#include "tests/app/LanguageModuleFixture.h"
#include "tests/app/ShellFixture.h"
#include "tests/connection/ConnectionFixture.h"
#include "tests/sim/PtyLink.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

constexpr int kCom = 37;
constexpr int kRecordSize = 238;

// One stored test as the instrument keeps it; only its size field matters here.
std::vector<BYTE> Record(BYTE slot, int sizeField = kRecordSize) {
  std::vector<BYTE> raw(kRecordSize);
  raw[0] = BYTE(sizeField);
  raw[1] = BYTE(sizeField >> 8);
  raw[4] = slot;
  return raw;
}

// The lines of a text file, sorted: processes started one after another may finish in any
// order.
std::vector<std::string> SortedLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Records what a command's update handler decides.
class CEnableProbe : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    enabled = on != FALSE;
    m_bEnableChanged = true;
  }
  bool enabled = false;
};

// The program started with a simulated ZD-2 at a COM number and a wizard user who chooses it.
class FrameWithZd2 : public ShellTest {
 protected:
  FrameWithZd2() {
    timeScale.Set(20);
    auto link = std::make_unique<Sim::CPtyLink>();
    EXPECT_TRUE(link->MapToComPort(kCom));
    peer = std::make_unique<Sim::CPeer>(std::move(link));
    peer->Start([this](Sim::CPeer& p) { zd2.Run(p); });
  }
  ~FrameWithZd2() override {
    if (app) app->ExitInstance();
    app.reset();
    peer->Stop();
  }
  void ChooseTheInstrument() {
    answers.AddModalDialogScript([](CWnd& dialog) {
      auto& sheet = dynamic_cast<CDevSelectSheet&>(dialog);
      PumpMessages();
      sheet.GetActivePage()->CheckDlgButton(IDC_WIZARD_SCAN, BST_UNCHECKED);
      sheet.GetActivePage()->SetDlgItemInt(IDC_WIZARD_COM_PORT, kCom, FALSE);
      sheet.PressButton(ID_WIZNEXT);
      PumpMessages();
      while (sheet.GetFoundPage().IsSearching()) PumpMessages(20);
      PumpMessages();
      if (!sheet.PressButton(ID_WIZFINISH)) sheet.PressButton(IDCANCEL);
    });
  }
  void Command(UINT id) { Frame().SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  bool Enabled(UINT id) {
    CEnableProbe probe;
    probe.m_nID = id;
    probe.DoUpdate(&Frame());
    return probe.enabled;
  }

  CTimeScaleOverride timeScale;
  Sim::CZd2Simulator zd2;
  std::unique_ptr<Sim::CPeer> peer;
};

// The instrument holds three tests, the second with a size field the list cannot read.
class FrameWithAnUnreadableRecord : public FrameWithZd2 {
 protected:
  FrameWithAnUnreadableRecord() {
    std::vector<BYTE> records = Record(1);
    for (const auto& more : {Record(2, 0), Record(3)})
      records.insert(records.end(), more.begin(), more.end());
    zd2.SetRecords(records);
  }
  void Download() {
    ChooseTheInstrument();
    Command(ID_DOWNLOAD_ALL);
    Frame().WaitForDownload();
    PumpMessages();
  }
};

TEST_F(FrameWithAnUnreadableRecord, TheRecordIsNamedAndTheRecordsBeforeItStay) {
  Start();
  Download();
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            CString(u"Failed to download measurement data.\nRecord 2 of 3 could not be read."));
  EXPECT_EQ(boxes[0].type & MB_ICONMASK, MB_ICONERROR);
  EXPECT_EQ(Frame().GetDocument().GetCount(), 1);
}

TEST_F(FrameWithAnUnreadableRecord, TheBoxIsInTheLanguageOfTheModule) {
  const std::string module = ProgramFolder() + "/ZD-Zedo_Deutsch.zdl";
  WriteText(module, LanguageModuleText("Deutsch", ProgramVersionText()) +
                        "1059 \"Die Messdaten konnten nicht geladen werden.\"\n" +
                        std::to_string(IDS_DOWNLOAD_RECORD_UNREADABLE) +
                        " \"Datensatz %d von %d ist nicht lesbar.\"\n");
  RegSetString(kSettingsKey, u"LanguageFile", CString::FromUtf8(module));
  Start();
  ASSERT_NE(app->GetLanguageModule(), nullptr);
  Download();
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.ToUtf8(),
            "Die Messdaten konnten nicht geladen werden.\nDatensatz 2 von 3 ist nicht lesbar.");
}

TEST_F(FrameWithZd2, WhileADownloadRunsTheDeviceCommandsWaitAndTheDeviceStays) {
  std::vector<BYTE> records;
  for (BYTE slot = 1; slot <= 40; ++slot) {
    const auto record = Record(slot);
    records.insert(records.end(), record.begin(), record.end());
  }
  zd2.SetRecords(records);
  Start();
  ChooseTheInstrument();
  // Connected first, so that the slow link only holds up the download.
  Command(ID_DOWNLOAD_ALL);
  Frame().WaitForDownload();
  PumpMessages();
  ASSERT_NE(TheConnection().GetDevice(), nullptr);
  EXPECT_TRUE(Enabled(ID_DISCONNECT));
  peer->SetByteRate(400);
  answers.AddMessageBoxAnswer(IDNO);  // the project of the first download is not saved
  Command(ID_DOWNLOAD_ALL);
  for (UINT id : {ID_DOWNLOAD_ALL, ID_DELETE_ALL_ON_DEVICE, ID_DISCONNECT, ID_UPDATE_FIRMWARE, ID_LIVE_VIEW})
    EXPECT_FALSE(Enabled(id)) << "command " << id;
  Device::CJvDevice* device = TheConnection().GetDevice();
  Command(ID_DISCONNECT);
  EXPECT_EQ(TheConnection().GetDevice(), device) << "the device in use stays";
  peer->SetByteRate(0);
  Frame().WaitForDownload();
  PumpMessages();
  EXPECT_EQ(Frame().GetDocument().GetCount(), 40);
  EXPECT_TRUE(Enabled(ID_DOWNLOAD_ALL));
}

TEST_F(FrameWithZd2, ClosingTheWindowDuringADownloadEndsTheDownloadFirst) {
  std::vector<BYTE> records;
  for (BYTE slot = 1; slot <= 200; ++slot) {
    const auto record = Record(slot);
    records.insert(records.end(), record.begin(), record.end());
  }
  zd2.SetRecords(records);
  Start();
  ChooseTheInstrument();
  peer->SetByteRate(200);
  Command(ID_DOWNLOAD_ALL);
  while (!Frame().GetProgressDlg().IsWindowVisible()) PumpMessages(10);
  Frame().DestroyWindow();
  EXPECT_FALSE(Frame().IsDownloadRunning());
  EXPECT_TRUE(answers.GetMessageBoxes().empty()) << "a frame that goes asks nothing";
  EXPECT_EQ(Frame().GetDocument().GetCount(), 0);
}

TEST_F(FrameWithZd2, ASecondDownloadReusesTheDeviceAndOneThatStoppedAnsweringIsFoundAgain) {
  zd2.SetRecords(Record(1));
  Start();
  ChooseTheInstrument();
  Command(ID_DOWNLOAD_ALL);
  Frame().WaitForDownload();
  answers.AddMessageBoxAnswer(IDNO);
  Command(ID_DOWNLOAD_ALL);
  Frame().WaitForDownload();
  EXPECT_EQ(answers.GetModalDialogs().size(), 1u) << "the held device answered";
  EXPECT_EQ(Frame().GetDocument().GetCount(), 1);
  answers.AddMessageBoxAnswer(IDNO);
  peer->Stop();
  answers.AddModalDialogScript(
      [](CWnd& dialog) { dynamic_cast<CPropertySheet&>(dialog).PressButton(IDCANCEL); });
  Command(ID_DOWNLOAD_ALL);
  Frame().WaitForDownload();
  EXPECT_EQ(answers.GetModalDialogs().size(), 2u) << "a device that no longer answers is dropped";
  EXPECT_EQ(TheConnection().GetDevice(), nullptr);
}

TEST_F(FrameWithZd2, ANewConnectionStartsTheFirmwareCheckForTheInstrument) {
  zd2.SetRecords(Record(1));
  Start();
  ChooseTheInstrument();
  answers.AddMessageBoxAnswer(IDNO);
  Command(ID_DOWNLOAD_ALL);
  Frame().WaitForDownload();
  // No update server is set, so the check cannot reach one and counts an offline run.
  const CString settingsKey = u"Software\\Jovant\\ZD-Zedo\\Settings";
  CString failCount;
  for (int i = 0; i < 500 && !RegGetString(settingsKey, u"FwUpdateFailCount", failCount); ++i) PumpMessages(10);
  EXPECT_EQ(failCount, u"1");
  Command(ID_DISCONNECT);
  EXPECT_EQ(TheConnection().GetDevice(), nullptr);
}

TEST_F(FrameWithZd2, DocumentsAndWebPagesOpenThroughTheDesktopOpener) {
  const std::string record = InstallRecordingOpener();
  Start();
  for (UINT id :
       {ID_CUSTOMER_FEEDBACK, ID_PRODUCT_REGISTRATION, ID_CERTIFICATE_TEMPLATE, ID_CERTIFICATE_EXAMPLE})
    Command(id);
  Frame().SendMessage(RegisterWindowMessage(u"OnLogoClick"), 0, 0);
  for (int i = 0; i < 500 && SortedLines(record).size() < 5; ++i) PumpMessages(10);
  const std::string folder = ProgramFolder();
  std::vector<std::string> expected = {
      "https://www.jovant.example/feedback", "https://www.jovant.example/registration",
      folder + "/Calibration Certificate Template.xlsx", folder + "/Calibration Certificate Example.xlsx",
      "https://www.jovant.example/"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(SortedLines(record), expected);
}

}  // namespace
