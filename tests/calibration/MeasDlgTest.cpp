#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "appbase/Registry.h"
#include "calibration/MeasDlg.h"
#include "calibration/MeasPlotDlg.h"
#include "calibration/MeasThread.h"
#include "connection/VexalonConnection.h"
#include "platform/base/Clock.h"
#include "platform/base/LocalTime.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/calibration/LiveFixture.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

constexpr char16_t kBufferFull[] =
    u"Buffer size was too small to hold data.\nNew measurements will no longer be displayed.";

// The Live View dialog with no instrument to connect (the wizard is cancelled), driven by the
// reader's messages as they would arrive.
class LiveViewWithoutInstrument : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale{10};
  CUiApplication application;
  CScriptedAnswers answers;

  void SetUp() override { RegisterProgramResources(nullptr); }

  // Runs the dialog modally with the steps in place of the user; with `diagnostic` each test
  // writes its log.
  void Run(std::function<void(CMeasDlg&)> steps, bool diagnostic = false) {
    answers.AddModalDialogScript([](CWnd&) {});  // the connection wizard, cancelled
    answers.AddModalDialogScript([&steps](CWnd& dialog) { steps(static_cast<CMeasDlg&>(dialog)); });
    CMeasDlg dialog(nullptr, nullptr);
    dialog.SetDiagnosticMode(diagnostic);
    dialog.DoModal();
  }
  int BoxesWith(const CString& text) const {
    const auto boxes = answers.GetMessageBoxes();
    return int(std::count_if(boxes.begin(), boxes.end(), [&](const auto& box) { return box.text == text; }));
  }
  static void Reader(CMeasDlg& dialog, WPARAM code) { dialog.SendMessage(CMeasDlg::kReaderMessage, code, 0); }
};

TEST_F(LiveViewWithoutInstrument, AFullBufferIsReportedOncePerTest) {
  Run([](CMeasDlg& dialog) {
    for (int test = 0; test < 2; ++test) {
      Reader(dialog, CMeasThread::kTestStarted);
      for (int frame = 0; frame < 3; ++frame) Reader(dialog, CMeasThread::kBufferFull);
    }
  });
  EXPECT_EQ(BoxesWith(kBufferFull), 2);
}

TEST_F(LiveViewWithoutInstrument, ALostConnectionStopsTheSamplingBeforeItsBox) {
  int pointsAtLoss = -1;
  int pointsLater = -1;
  Run([&](CMeasDlg& dialog) {
    Reader(dialog, CMeasThread::kTestStarted);
    PumpMessages(300);
    Reader(dialog, CMeasThread::kConnectionLost);
    const CMeasPlotDlg& plot = *dialog.GetPlotWindows().back();
    pointsAtLoss = plot.GetPointCount();
    PumpMessages(2000);
    pointsLater = plot.GetPointCount();
  });
  EXPECT_GT(pointsAtLoss, 0);
  EXPECT_EQ(pointsLater, pointsAtLoss) << "the sampling timer went on after the connection was lost";
  EXPECT_EQ(BoxesWith(u"Connection to the device has been lost. You may need to restart the device prior to "
                      u"starting Live View again."),
            1);
}

// A stored sampling period whose text holds no number that fits leaves the period at its
// default, as a missing one does.
TEST_F(LiveViewWithoutInstrument, AStoredPeriodThatHoldsNoNumberLeavesTheDefault) {
  for (const CString& stored : {CString(u"99999999999"), CString(u"abc"), CString(u"12abc")}) {
    ASSERT_TRUE(RegSetString(kSettingsKey, u"SampleRate", stored));
    CString shown;
    Run([&](CMeasDlg& dialog) { dialog.GetDlgItem(IDC_MEAS_PERIOD)->GetWindowText(shown); });
    EXPECT_EQ(shown, u"500") << stored.ToUtf8();
  }
}

// The two radio groups, "Max Y-Axis" and "Graphic Display", each keep one checked button:
// as the dialog opens with the stored choices, and through clicks on either group. The
// choices the clicks made are the ones stored on exit.
std::vector<int> CheckedRadioButtons(CMeasDlg& dialog) {
  std::vector<int> checked;
  for (int id : {IDC_MEAS_AXIS_AUTO, IDC_MEAS_AXIS_LOAD_LIMIT, IDC_MEAS_SAME_WINDOW, IDC_MEAS_OWN_WINDOW}) {
    if (dialog.IsDlgButtonChecked(id) == BST_CHECKED) checked.push_back(id);
  }
  return checked;
}

TEST_F(LiveViewWithoutInstrument, EachRadioGroupKeepsOneCheckedButton) {
  struct SOpening {
    const char16_t* ownWindow;
    const char16_t* yAxisAuto;
    std::vector<int> checked;
  };
  const SOpening openings[] = {
      {u"0", u"1", {IDC_MEAS_AXIS_AUTO, IDC_MEAS_SAME_WINDOW}},
      {u"1", u"0", {IDC_MEAS_AXIS_LOAD_LIMIT, IDC_MEAS_OWN_WINDOW}},
  };
  for (const SOpening& opening : openings) {
    ASSERT_TRUE(RegSetString(kSettingsKey, u"bOwnWindow", opening.ownWindow));
    ASSERT_TRUE(RegSetString(kSettingsKey, u"bYAxisAuto", opening.yAxisAuto));
    std::vector<int> shown;
    Run([&](CMeasDlg& dialog) { shown = CheckedRadioButtons(dialog); });
    EXPECT_EQ(shown, opening.checked) << "stored own window " << CString(opening.ownWindow).ToUtf8();
  }

  struct SClick {
    int clicked;
    std::vector<int> checked;
  };
  const SClick clicks[] = {
      {IDC_MEAS_OWN_WINDOW, {IDC_MEAS_AXIS_LOAD_LIMIT, IDC_MEAS_OWN_WINDOW}},
      {IDC_MEAS_AXIS_AUTO, {IDC_MEAS_AXIS_AUTO, IDC_MEAS_OWN_WINDOW}},
      {IDC_MEAS_SAME_WINDOW, {IDC_MEAS_AXIS_AUTO, IDC_MEAS_SAME_WINDOW}},
      {IDC_MEAS_AXIS_LOAD_LIMIT, {IDC_MEAS_AXIS_LOAD_LIMIT, IDC_MEAS_SAME_WINDOW}},
      {IDC_MEAS_OWN_WINDOW, {IDC_MEAS_AXIS_LOAD_LIMIT, IDC_MEAS_OWN_WINDOW}},
  };
  Run([&](CMeasDlg& dialog) {
    for (const SClick& click : clicks) {
      CWnd* button = dialog.GetDlgItem(click.clicked);
      ASSERT_TRUE(button->IsWindowEnabled()) << click.clicked;
      CRect client;
      button->GetClientRect(client);
      SimulateClick(button, client.CenterPoint());
      EXPECT_EQ(CheckedRadioButtons(dialog), click.checked) << "after a click on " << click.clicked;
    }
  });
  CString ownWindow, yAxisAuto;
  ASSERT_TRUE(RegGetString(kSettingsKey, u"bOwnWindow", ownWindow));
  ASSERT_TRUE(RegGetString(kSettingsKey, u"bYAxisAuto", yAxisAuto));
  EXPECT_EQ(ownWindow, u"1");
  EXPECT_EQ(yAxisAuto, u"0");
}

// The log of a test on a full disk: its file is /dev/full, where every row is lost. The user is
// told when the test ends, and the file is not listed as a log written; the next test's log,
// on a disk with room, is.
TEST_F(LiveViewWithoutInstrument, ALogThatCannotBeWrittenIsReportedAndNotListed) {
  PinTimeZone("Europe/Berlin");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(TestTempDir());
  // 2026-07-01 10:20:30 UTC is 12:20:30 in Berlin.
  std::filesystem::create_symlink("/dev/full", "VexalonLog_20260701_122030.csv");
  std::vector<CString> logs;
  Run(
      [&](CMeasDlg& dialog) {
        PinCurrentTimeStamp(1782901230);
        Reader(dialog, CMeasThread::kTestStarted);
        PumpMessages(300);
        PinCurrentTimeStamp(1782901290);
        Reader(dialog, CMeasThread::kTestStarted);
        PumpMessages(300);
        Reader(dialog, CMeasThread::kTestEnded);
        logs = dialog.GetLogNames();
      },
      true);
  PinCurrentTimeStamp(-1);
  std::filesystem::current_path(before);
  EXPECT_EQ(logs, std::vector<CString>{u"VexalonLog_20260701_122130.csv"});
  EXPECT_EQ(BoxesWith(u"Failed to write the file VexalonLog_20260701_122030.csv."), 1);
  EXPECT_GT(std::filesystem::file_size(TestPath("VexalonLog_20260701_122130.csv")), 0u);
}

// The Live View dialog with the simulated ZD-2 held by the connection holder.
class LiveViewWithInstrument : public LiveFixture {};

TEST_P(LiveViewWithInstrument, TheAutomaticFirstStartOnlyConnects) {
  RegisterProgramResources(nullptr);
  Connect();
  TheConnection().Adopt(std::move(m_device));
  CScriptedAnswers answers;
  bool running = true, readerHeld = true, streaming = true;
  CString deviceLine;
  answers.AddModalDialogScript([&](CWnd& window) {
    auto& dialog = static_cast<CMeasDlg&>(window);
    running = dialog.IsRunning();
    readerHeld = CMeasThread::Instance().IsThreadHeld();
    streaming = m_zd2.InDebugProtocol();
    dialog.GetDlgItem(IDC_MEAS_DEVICE_INFO1)->GetWindowText(deviceLine);
  });
  {
    CMeasDlg dialog(nullptr, nullptr);
    dialog.DoModal();
  }
  TheConnection().Disconnect();
  EXPECT_FALSE(running);
  EXPECT_FALSE(readerHeld);
  EXPECT_FALSE(streaming) << "the instrument was switched to its debug protocol";
  EXPECT_EQ(deviceLine.ToUtf8(), "ZD-2: Serial No.: VN02-123-4567  Firmware Version: 1.6.2");
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
}

// The Samples field of each row of the CSV log.
std::vector<int> SamplesPerRow(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<int> samples;
  std::istringstream rows(text);
  std::string row;
  std::getline(rows, row);  // the header
  while (std::getline(rows, row)) {
    std::istringstream fields(row);
    std::string field;
    for (int i = 0; i <= 11; ++i) std::getline(fields, field, ';');
    samples.push_back(std::stoi(field));
  }
  return samples;
}

TEST_P(LiveViewWithInstrument, ACutLinkEndsTheLogWithItsLastFramesHoweverLateTheDialogHearsOfIt) {
  RegisterProgramResources(nullptr);
  // A test from 0.3 s on that lasts 30 s, cut while it is sampled.
  m_zd2.AddLiveTest({300, 3000, 100});
  Connect();
  TheConnection().Adopt(std::move(m_device));
  const std::filesystem::path folder = std::filesystem::current_path();
  std::filesystem::current_path(TestTempDir());  // where the log goes
  CScriptedAnswers answers;
  std::vector<CString> logs;
  answers.AddModalDialogScript([&](CWnd& window) {
    auto& dialog = static_cast<CMeasDlg&>(window);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MEAS_START, BN_CLICKED), 0);
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (dialog.GetLogNames().empty() && std::chrono::steady_clock::now() < end) PumpMessages(10);
    m_zd2.SetLiveCut(m_zd2.FramesSent() + 100);
    // The user-interface thread is kept busy while the link is cut, for five sampling periods
    // after the reader has seen the loss, as a loaded machine may keep it.
    while (!CMeasThread::Instance().HasLostConnection() && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(5 * ScaledDuration(250));
    PumpMessages(100);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MEAS_STOP, BN_CLICKED), 0);
    logs = dialog.GetLogNames();
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  {
    CMeasDlg dialog(nullptr, nullptr);
    dialog.SetDiagnosticMode(true);
    dialog.DoModal();
  }
  TheConnection().Disconnect();
  std::filesystem::current_path(folder);
  ASSERT_EQ(logs.size(), 1u);
  const std::vector<int> samples = SamplesPerRow(TestPath(logs[0].ToUtf8()));
  ASSERT_FALSE(samples.empty());
  EXPECT_GT(samples.back(), 0) << "empty rows after the cut: " << ::testing::PrintToString(samples);
  EXPECT_EQ(answers.GetMessageBoxes().size(), 1u);
}

LIVE_ON_BOTH_LINKS(LiveViewWithInstrument);

}  // namespace
