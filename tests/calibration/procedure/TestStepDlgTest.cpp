#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "appbase/ProgramFolder.h"
#include "appbase/Registry.h"
#include "calibration/TestStepDlg.h"
#include "calibration/VexalonDoc.h"
#include "platform/base/LocalTime.h"
#include "platform/ui/MessageTap.h"
#include "platform/ui/PlaySound.h"
#include "platform/ui/ResourceIcons.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/calibration/Zd2OnComPort.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

// A limit on the size of the files the process writes, put back when it ends: writes past it
// fail as on a full disk, instead of raising the signal that would end the process.
class CFileSizeLimit {
 public:
  CFileSizeLimit() {
    ::getrlimit(RLIMIT_FSIZE, &m_before);
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
  }
  ~CFileSizeLimit() {
    Restore();
    std::signal(SIGXFSZ, m_handler);
  }
  CFileSizeLimit(const CFileSizeLimit&) = delete;
  CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

  void Set(rlim_t bytes) {
    rlimit limit = m_before;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  void Restore() { ::setrlimit(RLIMIT_FSIZE, &m_before); }

 private:
  rlimit m_before{};
  void (*m_handler)(int) = SIG_DFL;
};

constexpr int kCom = 63;
constexpr char16_t kCom63[] = u"63";
constexpr char kIdentity16kN[] = "ZD-2;2;VN02-123-4567;0C000102;1.6.3";
constexpr UINT kRunFinished = WM_USER + 111;
constexpr UINT kFinalResult = WM_USER + 112;

// The calibration dialog with the device thread running and a simulated 16 kN ZD-2 of current
// firmware on a pseudo-terminal mapped to COM 63, streaming 20 live frames a second. Time runs
// twenty times faster: a cycle of twenty steps takes about 210 s of its time, and the reader
// takes five seconds of silence (250 ms of real time, which a loaded machine keeps) for a lost
// instrument. The settings store starts without a pause between cycles.
class CalibrationDialog : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale{20};
  CUiApplication application;
  CScriptedAnswers answers;

  void SetUp() override {
    RegisterProgramResources(nullptr);
    ASSERT_TRUE(m_instrument.StartLayers());
    m_zd2.SetIdentity(kIdentity16kN);
    m_zd2.SetFrameRate(20);
    CRegistry(kSettingsKey).WriteBool(u"ST_bPause", false);
    ClearSoundRequests();
    m_previousTap = SetMessageTap([this](CWnd&, UINT message, WPARAM wParam, LPARAM) {
      if (message == kRunFinished) ++m_runsFinished;
      if (message == kFinalResult) m_verdicts.push_back(int(wParam));
    });
  }

  void TearDown() override {
    SetMessageTap(m_previousTap);
    m_instrument.StopAll();
  }

  void StartSimulator() { ASSERT_TRUE(m_instrument.StartSimulator()); }

  // Opens the dialog, types the port and the test's details, connects and waits until Start
  // may be pressed, runs the steps and then presses Exit; the log's lines as they were before
  // Exit.
  CString Run(bool calMode, const std::function<void(CTestStepDlg&)>& steps) {
    CString log;
    answers.AddModalDialogScript([&](CWnd& shown) {
      auto& dialog = static_cast<CTestStepDlg&>(shown);
      dialog.SetDlgItemText(IDC_TESTSTEP_PORT, kCom63);
      dialog.SetDlgItemText(IDC_TESTSTEP_TESTER, u"Ann");
      dialog.SetDlgItemText(IDC_TESTSTEP_FACILITY, u"LAB1");
      dialog.SetDlgItemText(IDC_TESTSTEP_REFERENCE_SN, u"REF-77");
      dialog.SetDlgItemText(IDC_TESTSTEP_TEMPERATURE, u"21");
      // At this speed a loaded machine may miss the search's short time-outs; as an operator
      // would, the script presses Connect again, unless a box said why the instrument was refused.
      for (int attempt = 0;
           attempt < 3 && !IsEnabled(dialog, IDC_TESTSTEP_START) && answers.GetMessageBoxTexts().empty();
           ++attempt)
        ConnectOnce(dialog);
      steps(dialog);
      log = LogOf(dialog);
      Click(dialog, IDCANCEL);
    });
    CTestStepDlg(calMode, false, &m_doc, nullptr).DoModal();
    return log;
  }

  // Runs a verification of one cycle that is to end without a verdict, Exit's question answered
  // Yes; the log as it was before Exit.
  CString RunFailingVerificationCycle() {
    answers.AddMessageBoxAnswer(IDYES);
    return Run(false, [&](CTestStepDlg& dialog) {
      dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"1");
      Click(dialog, IDC_TESTSTEP_START);
      ASSERT_TRUE(PumpUntilDisconnected(dialog)) << LogOf(dialog).ToUtf8();
    });
  }

  // Presses Connect and waits until Start may be pressed or the attempt has failed.
  static void ConnectOnce(CWnd& dialog) {
    const int before = LogOf(dialog).GetLength();
    Click(dialog, IDC_TESTSTEP_CONNECT);
    PumpUntil([&] {
      const CString log = LogOf(dialog);
      const int connecting = log.Find(u"Connecting ...", before);
      return IsEnabled(dialog, IDC_TESTSTEP_START) ||
             (connecting >= 0 && log.Find(u"Not connected", connecting) >= 0);
    });
  }

  static void Click(CWnd& dialog, int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  static bool IsEnabled(CWnd& dialog, int id) { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
  static CString LogOf(CWnd& dialog) { return dialog.GetDlgItem(IDC_TESTSTEP_LOG)->GetWindowTextString(); }
  static CString TextOf(CWnd& dialog, int id) { return dialog.GetDlgItem(id)->GetWindowTextString(); }

  // Pumps messages until the condition holds, for at most 90 s of real time.
  static bool PumpUntil(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (std::chrono::steady_clock::now() < end) {
      if (condition()) return true;
      PumpMessages(10);
    }
    return condition();
  }

  // Waits until the dialog has let go of the instrument after a run: the connection deleted
  // and its last line written.
  static bool PumpUntilDisconnected(CTestStepDlg& dialog) {
    return PumpUntil([&] {
      return dialog.GetConnection() == nullptr && LogOf(dialog).Right(15) == u"Not connected\r\n" &&
             TextOf(dialog, IDC_TESTSTEP_START) == u"Start";
    });
  }

  static int Count(const CString& text, const CString& part) {
    int count = 0;
    for (int at = text.Find(part); at >= 0; at = text.Find(part, at + 1)) ++count;
    return count;
  }

  std::string Received() const {
    const std::vector<BYTE> bytes = m_instrument.Peer().Transcript();
    return std::string(bytes.begin(), bytes.end());
  }

  CZd2OnComPort m_instrument{kCom};
  Sim::CZd2Simulator& m_zd2 = m_instrument.zd2;
  CVexalonDoc m_doc;
  int m_runsFinished = 0;
  std::vector<int> m_verdicts;
  MessageTap m_previousTap;
};

TEST_F(CalibrationDialog, TheDialogCarriesIcon517AsItsBigAndSmallIcon) {
  HICON big = nullptr;
  HICON small = nullptr;
  answers.AddModalDialogScript([&](CWnd& shown) {
    big = shown.GetIcon(TRUE);
    small = shown.GetIcon(FALSE);
    Click(shown, IDCANCEL);
  });
  CTestStepDlg(true, false, &m_doc, nullptr).DoModal();
  EXPECT_NE(big, nullptr);
  EXPECT_EQ(big, LoadAppIcon(IDR_MAINFRAME));
  EXPECT_EQ(small, big);
}

TEST_F(CalibrationDialog, AnAdjustmentOfA16kNInstrumentRunsThreeCyclesOfTwentySteps) {
  m_zd2.SetForceModel(1.0, 0, 2, 7);
  StartSimulator();
  answers.AddMessageBoxAnswer(IDYES);  // Exit's question: the reference loads were not given
  Run(true, [&](CTestStepDlg& dialog) {
    EXPECT_EQ(dialog.GetState(), CTestStepDlg::eTypeChosen);
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_CYCLES), u"3");
    Click(dialog, IDC_TESTSTEP_START);
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_START), u"Stop");
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_STEP), u"800");
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_WAIT), u"5000");
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_SKIP_TIME), u" Skip time  2500 ms");
    ASSERT_TRUE(PumpUntil([&] { return m_runsFinished > 0; })) << LogOf(dialog).ToUtf8();
    EXPECT_EQ(Count(LogOf(dialog), u"Next step: "), 60);
    EXPECT_NE(LogOf(dialog).Find(u"...Next step: 5%\r\n"), -1);
    EXPECT_NE(LogOf(dialog).Find(u"...Next step: 100%\r\n"), -1);
  });
  EXPECT_EQ(m_runsFinished, 1);
  EXPECT_TRUE(m_verdicts.empty()) << "the verdict waits for the reference loads";
  EXPECT_EQ(m_doc.m_actualRuns, 3);
  ASSERT_EQ(m_doc.m_means.size(), 20u);
  for (int cycle = 0; cycle < 3; ++cycle) {
    const auto& table = m_doc.m_cycles[size_t(cycle)];
    ASSERT_EQ(table.size(), 20u);
    for (size_t i = 0; i < table.size(); ++i) {
      const CStepMeas& step = table[i];
      EXPECT_EQ(step.fullScale, 16000);
      EXPECT_EQ(step.targetForce, int(800 * (i + 1)));
      // An exact instrument with +-2 N of noise: every averaged load lies within its step's
      // tolerance (a reader that a loaded machine holds back may still bring late ramp samples
      // into a window, so no closer bound is asked for).
      EXPECT_TRUE(step.valid) << "cycle " << cycle << " step " << i << ": " << step.instrumentForce;
      EXPECT_GT(step.current, 0);
    }
  }
  EXPECT_TRUE(m_doc.m_cycles[3].empty());
  // 800 N is 0x0320, 16000 N 0x3E80: the first and the last step of each cycle.
  const std::string received = Received();
  EXPECT_NE(received.find("0320f0002g"), std::string::npos);
  EXPECT_NE(received.find("3E80f0002g"), std::string::npos);
}

TEST_F(CalibrationDialog, TheFirstHardwareRevisionWaitsLongerAndBeepsOncePerStep) {
  m_zd2.SetIdentity("ZD-2;A0;VN02-123-4567;0C000102;1.6.3");
  StartSimulator();
  answers.AddMessageBoxAnswer(IDYES);
  Run(false, [&](CTestStepDlg& dialog) {
    ASSERT_EQ(m_doc.m_hardwareRevision.CompareNoCase(u"A0"), 0) << m_doc.m_hardwareRevision.ToUtf8();
    dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"1");
    Click(dialog, IDC_TESTSTEP_START);
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_WAIT), u"10000");
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_SKIP_TIME), u" Skip time  5000 ms");
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_STEP), u"1600");
    ASSERT_TRUE(PumpUntil([&] { return LogOf(dialog).Find(u"Next step: 20%") >= 0; }));
    EXPECT_EQ(GetSoundRequests().size(), 1u) << "one beep for the first step";
    Click(dialog, IDC_TESTSTEP_START);
    ASSERT_TRUE(PumpUntilDisconnected(dialog));
  });
  EXPECT_EQ(m_doc.m_cycles[0].size(), 10u);
  const CStepMeas& first = m_doc.m_cycles[0][0];
  EXPECT_EQ(first.targetForce, 1600);
  EXPECT_TRUE(first.valid) << first.instrumentForce;
}

TEST_F(CalibrationDialog, NoAtThePauseBeforeTheFirstCycleEndsTheRunWithoutAVerdict) {
  CRegistry(kSettingsKey).WriteBool(u"ST_bPause", true);
  StartSimulator();
  answers.AddMessageBoxAnswer(IDNO);
  answers.AddMessageBoxAnswer(IDYES);
  const CString log = Run(true, [&](CTestStepDlg& dialog) {
    Click(dialog, IDC_TESTSTEP_START);
    ASSERT_TRUE(PumpUntil([&] { return answers.GetMessageBoxes().size() == 1; }));
    ASSERT_TRUE(PumpUntilDisconnected(dialog));
  });
  ASSERT_FALSE(answers.GetMessageBoxTexts().empty());
  EXPECT_EQ(answers.GetMessageBoxTexts()[0],
            u"Pausing...\nSelect 'Yes' to continue to the next cycle. Otherwise, select 'No' to abort.");
  EXPECT_NE(log.Find(u"...Finished warm up run\r\n"), -1) << log.ToUtf8();
  EXPECT_EQ(log.Find(u"RUNNING CALIBRATION CYCLE"), -1);
  EXPECT_EQ(m_runsFinished, 0);
  EXPECT_TRUE(m_verdicts.empty());
  EXPECT_EQ(m_doc.m_device, nullptr);
}

TEST_F(CalibrationDialog, StopDuringARampEndsTheRunAfterHomingWithoutAVerdict) {
  StartSimulator();
  answers.AddMessageBoxAnswer(IDYES);
  const CString log = Run(false, [&](CTestStepDlg& dialog) {
    dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"1");
    Click(dialog, IDC_TESTSTEP_START);
    ASSERT_TRUE(PumpUntil([&] { return LogOf(dialog).Find(u"Next step: 20%") >= 0; }));
    Click(dialog, IDC_TESTSTEP_START);
    EXPECT_FALSE(IsEnabled(dialog, IDC_TESTSTEP_START)) << "Start waits for the run to end";
    ASSERT_TRUE(PumpUntilDisconnected(dialog));
  });
  EXPECT_EQ(Count(log, u"Process has been terminated by the user."), 1);
  EXPECT_EQ(log.Find(u"Next step: 30%"), -1);
  EXPECT_NE(log.Find(u"ZD-2 is returning to home position"), -1);
  EXPECT_EQ(m_runsFinished, 0);
  EXPECT_TRUE(m_verdicts.empty());
  EXPECT_EQ(m_doc.m_cycles[0][1].instrumentForce, 0) << "the stopped step has no load";
  EXPECT_EQ(m_zd2.DriveState(), Sim::CZd2LiveModel::eStop);
}

TEST_F(CalibrationDialog, ARampThatStallsEndsTheStepWithItsTimeOut) {
  StartSimulator();
  answers.AddMessageBoxAnswer(IDYES);
  const CString log = Run(false, [&](CTestStepDlg& dialog) {
    dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"1");
    Click(dialog, IDC_TESTSTEP_START);
    // The warm-up goes to full load; the stall catches the run's third step (4800 N).
    ASSERT_TRUE(PumpUntil([&] { return LogOf(dialog).Find(u"Finished warm up run") >= 0; }));
    m_zd2.SetDriveStall(4000);
    ASSERT_TRUE(PumpUntilDisconnected(dialog)) << LogOf(dialog).ToUtf8();
  });
  EXPECT_NE(log.Find(u"...Next step: 30%\r\n"), -1) << log.ToUtf8();
  EXPECT_NE(log.Find(u"...ERROR: Exceeded step timeout of 90000 milliseconds.\r\n"), -1) << log.ToUtf8();
  EXPECT_EQ(log.Find(u"Next step: 40%"), -1);
  EXPECT_EQ(m_runsFinished, 0);
  EXPECT_TRUE(m_verdicts.empty());
  EXPECT_TRUE(m_doc.m_cycles[0][0].valid);
  EXPECT_FALSE(m_doc.m_cycles[0][2].valid);
}

// A step whose nominal load or START the instrument refuses: the refusal comes back as 'f', which
// the library does not read for these commands. Without its nominal load the drive starts for
// the load it is at and stops there at once, so the step is measured where the first step left
// it and fails its tolerance; without START the drive never moves, and the step ends with its
// time-out unmeasured, since a STOP counts only once the drive has been seen to move.
struct SRefusedCommand {
  const char* name;
  void (*refuse)(Sim::CZd2Simulator& zd2, int occurrence);
  const char* refusedBytes;
  const char16_t* failure;
  int load;  // where the refused step was measured
};

void PrintTo(const SRefusedCommand& c, std::ostream* out) { *out << c.name; }

class RefusedStepCommand : public CalibrationDialog, public ::testing::WithParamInterface<SRefusedCommand> {};

TEST_P(RefusedStepCommand, FailsTheVerificationAfterHomingAndTheCycleSummary) {
  // The warm-up sends the first nominal load and START; the second step's (3200 N) are the third.
  GetParam().refuse(m_zd2, 3);
  StartSimulator();
  const CString log = RunFailingVerificationCycle();
  EXPECT_NE(log.Find(CString(u"...Next step: 20%\r\n10) ...") + GetParam().failure + u"\r\n"), -1)
      << log.ToUtf8();
  EXPECT_EQ(log.Find(u"Next step: 30%"), -1);
  EXPECT_EQ(m_runsFinished, 0);
  EXPECT_TRUE(m_verdicts.empty());
  const auto& steps = m_doc.m_cycles[0];
  ASSERT_EQ(steps.size(), 10u);
  EXPECT_TRUE(steps[0].valid);
  EXPECT_FALSE(steps[1].valid);
  EXPECT_NEAR(steps[1].instrumentForce, GetParam().load, 160);
  EXPECT_EQ(steps[2].instrumentForce, 0);
  const std::string received = Received();
  const size_t refused = received.find(GetParam().refusedBytes);
  ASSERT_NE(refused, std::string::npos);
  EXPECT_NE(received.find("0001g", refused), std::string::npos) << "BACK after the refusal";
  EXPECT_EQ(m_zd2.DriveState(), Sim::CZd2LiveModel::eStop);
}

INSTANTIATE_TEST_SUITE_P(
    CalibrationDialog, RefusedStepCommand,
    ::testing::Values(SRefusedCommand{"NominalLoad",
                                      [](Sim::CZd2Simulator& zd2, int k) { zd2.SetNominalLoadRefusal(k); },
                                      "0C80f", u"Error: ZD load is outside tolerance.", 1600},
                      SRefusedCommand{"Start", [](Sim::CZd2Simulator& zd2, int k) { zd2.SetStartRefusal(k); },
                                      "0C80f0002g", u"ERROR: Exceeded step timeout of 90000 milliseconds.",
                                      0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalibrationDialog, ALinkLostAsAStepIsCommandedFailsTheVerification) {
  // The link goes as the second step's nominal load arrives: its START cannot go out, or when
  // it went out first, the step sees the lost instrument. Either way no verdict follows.
  m_zd2.SetHangupAtNominalLoad(3);
  StartSimulator();
  const CString log = RunFailingVerificationCycle();
  EXPECT_NE(log.Find(u"...Next step: 20%\r\n"), -1) << log.ToUtf8();
  EXPECT_EQ(log.Find(u"Next step: 30%"), -1);
  EXPECT_EQ(m_runsFinished, 0);
  EXPECT_TRUE(m_verdicts.empty());
  EXPECT_EQ(m_doc.m_cycles[0][1].instrumentForce, 0);
}

TEST_F(CalibrationDialog, AVerificationCycleEndsWithASuccessVerdict) {
  StartSimulator();
  Run(false, [&](CTestStepDlg& dialog) {
    dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"1");
    Click(dialog, IDC_TESTSTEP_START);
    ASSERT_TRUE(PumpUntil([&] { return dialog.GetState() == CTestStepDlg::eFinished; }))
        << LogOf(dialog).ToUtf8();
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_CYCLES), u"1") << "the typed count is the run's";
  });
  EXPECT_EQ(m_runsFinished, 1);
  EXPECT_EQ(m_verdicts, std::vector<int>{1});
  EXPECT_EQ(m_doc.m_actualRuns, 1);
  ASSERT_EQ(m_doc.m_cycles[0].size(), 10u);
  for (const CStepMeas& step : m_doc.m_cycles[0]) EXPECT_TRUE(step.valid) << step.targetForce;
  EXPECT_TRUE(m_doc.m_cycles[1].empty());
  DWORD stored = 0;
  ASSERT_TRUE(CRegistry(kSettingsKey).ReadDWORD(u"ST_TestCycles", stored));
  EXPECT_EQ(stored, 1u);
}

// A 6 kN instrument that carries out each drive command 2.2 s late and meanwhile holds its
// frames back, to send them at once just before the command takes effect: the samples that
// arrive after each command first show the drive as it was, as a busy machine delivers them.
// Every wait for STOP, which the run begins 1.5 s (START) or 2 s (BACK) after its command,
// must see through them: the loads are those at rest, and no command meant for a drive at
// rest reaches it while it still moves. Time runs ten times faster here, so that the frames
// held back stay well within the reader's three seconds of silence in real time too.
TEST_F(CalibrationDialog, ADriveThatActsLateIsMeasuredOnlyOnceItHasComeToRest) {
  timeScale.Set(10);
  m_zd2.SetIdentity("ZD-2;2;VN01-123-4567;0C000102;1.6.3");
  m_zd2.SetDriveLag(2200);
  StartSimulator();
  const CString log = Run(false, [&](CTestStepDlg& dialog) {
    dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"1");
    Click(dialog, IDC_TESTSTEP_START);
    ASSERT_TRUE(PumpUntil([&] {
      return dialog.GetConnection() == nullptr && TextOf(dialog, IDC_TESTSTEP_START) == u"Start";
    })) << LogOf(dialog).ToUtf8();
  });
  EXPECT_EQ(m_verdicts, std::vector<int>{1}) << log.ToUtf8();
  ASSERT_EQ(m_doc.m_cycles[0].size(), 10u);
  for (const CStepMeas& step : m_doc.m_cycles[0])
    EXPECT_EQ(step.instrumentForce, step.targetForce) << "an exact instrument without noise";
  EXPECT_EQ(m_zd2.CommandsWhileDriveBusy(), 0);
}

// The results of a verification on a full disk: the results file is /dev/full. The user is told
// and no file is left behind that could pass for the results; the verdict stays the run's.
TEST_F(CalibrationDialog, ResultsThatCannotBeWrittenAreReportedAndLeaveNoFile) {
  PinTimeZone("Europe/Berlin");
  const std::string folder = TestPath("templog") + "/";
  std::filesystem::create_directory(folder);
  SetTempLogFolder(CString::FromUtf8(folder));
  // 2026-07-01 10:20:30 UTC is 12:20:30 in Berlin.
  const std::string results = folder + "Verify_VN02-123-4567_20260701_122030.csv";
  std::filesystem::create_symlink("/dev/full", results);
  m_doc.m_serialNumber = u"VN02-123-4567";
  m_doc.m_actualRuns = 1;
  for (int step = 1; step <= 10; ++step) {
    CStepMeas measured;
    measured.targetForce = measured.instrumentForce = 1600 * step;
    m_doc.m_cycles[0].push_back(measured);
  }
  answers.AddModalDialogScript([&](CWnd& dialog) {
    PinCurrentTimeStamp(1782901230);
    dialog.SendMessage(kRunFinished, 0, 0);
    PumpUntil([&] { return !m_verdicts.empty(); });
    Click(dialog, IDCANCEL);
  });
  CTestStepDlg(false, false, &m_doc, nullptr).DoModal();
  PinCurrentTimeStamp(-1);
  SetTempLogFolder(CString());
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            std::vector<CString>{u"Failed to save results to " + CString::FromUtf8(results) + u"."});
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(results)));
  EXPECT_EQ(m_verdicts, std::vector<int>{1});
}

// The temporary log on a disk that fills during the run, which a limit on the size of the
// process's files stands in for: the lines of the run no longer reach the file, and the user is
// told so with the verdict.
TEST_F(CalibrationDialog, ATemporaryLogThatCannotBeWrittenIsReported) {
  const std::string folder = TestPath("templog") + "/";
  std::filesystem::create_directory(folder);
  SetTempLogFolder(CString::FromUtf8(folder));
  StartSimulator();
  CFileSizeLimit limit;
  Run(false, [&](CTestStepDlg& dialog) {
    dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"1");
    limit.Set(1024);
    Click(dialog, IDC_TESTSTEP_START);
    ASSERT_TRUE(PumpUntil([&] { return dialog.GetState() == CTestStepDlg::eFinished; }))
        << LogOf(dialog).ToUtf8();
    limit.Restore();
  });
  SetTempLogFolder(CString());
  EXPECT_EQ(m_verdicts, std::vector<int>{1});
  const std::vector<CString> boxes = answers.GetMessageBoxTexts();
  EXPECT_EQ(
      std::count(boxes.begin(), boxes.end(),
                 u"Failed to write the file " + CString::FromUtf8(folder) + u"TempLogVerification.txt."),
      1);
}

// Fields whose digits hold no number that fits: Connect refuses such a port as it refuses an
// empty one, and Exit stores 0 for it, as for an empty field, instead of some other number.
TEST_F(CalibrationDialog, FieldsThatHoldNoNumberAreRefusedAndStoredAsZero) {
  const CString texts[] = {u"4294967299", u"99999999999999999999", u"12abc"};
  for (size_t i = 0; i < std::size(texts); ++i) answers.AddMessageBoxAnswer(IDOK);
  answers.AddModalDialogScript([&](CWnd& dialog) {
    for (const CString& text : texts) {
      dialog.SetDlgItemText(IDC_TESTSTEP_PORT, text);
      Click(dialog, IDC_TESTSTEP_CONNECT);
      EXPECT_EQ(LogOf(dialog).Find(u"Connecting ..."), -1) << text.ToUtf8();
    }
    dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"4294967299");
    dialog.SetDlgItemText(IDC_TESTSTEP_TEMPERATURE, u"99999999999");
    Click(dialog, IDCANCEL);
  });
  CTestStepDlg(false, false, &m_doc, nullptr).DoModal();
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            std::vector<CString>(std::size(texts), u"ZD-2 device port number must be 0 or higher."));
  const CRegistry settings(kSettingsKey);
  for (const char16_t* name : {u"VexaPortNum", u"ST_TestCycles", u"ST_Temperature"}) {
    DWORD stored = 7;
    EXPECT_TRUE(settings.ReadDWORD(name, stored));
    EXPECT_EQ(stored, 0u) << CString(name).ToUtf8();
  }
}

TEST_F(CalibrationDialog, ACycleCountOutsideOneToAHundredIsRefused) {
  StartSimulator();
  const CString counts[] = {u"0", u"101", u""};
  for (size_t i = 0; i < std::size(counts); ++i) answers.AddMessageBoxAnswer(IDOK);
  answers.AddMessageBoxAnswer(IDYES);
  Run(false, [&](CTestStepDlg& dialog) {
    for (const CString& count : counts) {
      dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, count);
      Click(dialog, IDC_TESTSTEP_START);
      EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_START), u"Start") << count.ToUtf8();
      EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_CYCLES), count) << count.ToUtf8();
    }
  });
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            (std::vector<CString>{u"The number of cycles must lie between 1 and 100.",
                                  u"The number of cycles must lie between 1 and 100.",
                                  u"The number of cycles must lie between 1 and 100.",
                                  u"The testing has not been completed.\nAre you sure you want to abort?"}));
  EXPECT_EQ(Received().find("0002g"), std::string::npos) << "no ramp";
}

TEST_F(CalibrationDialog, AnAdjustmentWithoutItsDetailsIsRefusedWithTheirComplaints) {
  StartSimulator();
  answers.AddMessageBoxAnswer(IDOK);
  answers.AddMessageBoxAnswer(IDYES);
  Run(true, [&](CTestStepDlg& dialog) {
    dialog.SetDlgItemText(IDC_TESTSTEP_TESTER, u"");
    dialog.SetDlgItemText(IDC_TESTSTEP_REFERENCE_SN, u"");
    Click(dialog, IDC_TESTSTEP_START);
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_START), u"Start");
  });
  ASSERT_FALSE(answers.GetMessageBoxTexts().empty());
  EXPECT_EQ(answers.GetMessageBoxTexts()[0],
            u"Please input a tester name.\n\nPlease input a reference device S/N.\n\n");
}

TEST_F(CalibrationDialog, AnInstrumentOfUnknownModelCannotStart) {
  m_zd2.SetIdentity("ZD-2;2;VN09-123-4567;0C000102;1.6.3");
  StartSimulator();
  answers.AddMessageBoxAnswer(IDYES);
  const CString log = Run(false, [&](CTestStepDlg& dialog) {
    EXPECT_EQ(dialog.GetState(), CTestStepDlg::eConnected);
    Click(dialog, IDC_TESTSTEP_START);
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_START), u"Start");
    EXPECT_EQ(dialog.GetStepPlan().maxLoad, 0);
  });
  EXPECT_NE(log.Find(u"Press select the device type."), -1) << log.ToUtf8();
  EXPECT_EQ(log.Find(u"process has started"), -1);
  EXPECT_EQ(Received().find("0002g"), std::string::npos) << "no ramp";
}

TEST_F(CalibrationDialog, FirmwareBefore163IsNotConnected) {
  m_zd2.SetIdentity("ZD-2;2;VN02-123-4567;0C000102;1.6.2");
  StartSimulator();
  const CString log = Run(false, [&](CTestStepDlg& dialog) {
    EXPECT_FALSE(IsEnabled(dialog, IDC_TESTSTEP_START));
    EXPECT_EQ(dialog.GetState(), CTestStepDlg::eNotConnected);
    EXPECT_EQ(dialog.GetConnection(), nullptr);
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_CONNECTION), u"Not connected");
  });
  EXPECT_EQ(log.Find(u"...Connected\r\n"), -1) << log.ToUtf8();
  // The connection says why; Exit asks nothing while not connected.
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            std::vector<CString>{u"The test can not be continued!!! You need to update the ZD-2 firmware to "
                                 u"version 1.6.3 or higher. Your current firmware version is 1.6.2."});
}

TEST_F(CalibrationDialog, ExitWhileConnectedBringsTheInstrumentHomeAskingItsDriveState) {
  StartSimulator();
  answers.AddMessageBoxAnswer(IDYES);
  const std::string mirror = TestPath("exit.log");
  std::FILE* file = nullptr;
  Run(false, [&](CTestStepDlg& dialog) {
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_PORT), kCom63);
    EXPECT_NE(TextOf(dialog, IDC_TESTSTEP_DEVICE_INFO).Find(u"S/N:VN02-123-4567"), -1);
    file = std::fopen(mirror.c_str(), "w");
    dialog.GetLog().m_pMirrorFile = file;
  });
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            std::vector<CString>{u"The testing has not been completed.\nAre you sure you want to abort?"});
  // The reader was stopped first, so the drive state's answer reached the poll at once.
  EXPECT_NE(Received().find("@DS@"), std::string::npos);
  std::ifstream exitLog(mirror);
  const std::string lines((std::istreambuf_iterator<char>(exitLog)), std::istreambuf_iterator<char>());
  EXPECT_EQ(lines, "1) ...ZD-2 is returning to home position\n2) ...Not connected\n");
  EXPECT_EQ(m_doc.m_device, nullptr);
  DWORD port = 0;
  ASSERT_TRUE(CRegistry(kSettingsKey).ReadDWORD(u"VexaPortNum", port));
  EXPECT_EQ(port, DWORD(kCom));
}

TEST_F(CalibrationDialog, ExitWhileTheSearchRunsGivesItUp) {
  StartSimulator();
  answers.AddModalDialogScript([](CWnd& dialog) {
    dialog.SetDlgItemText(IDC_TESTSTEP_PORT, kCom63);
    Click(dialog, IDC_TESTSTEP_CONNECT);
    Click(dialog, IDCANCEL);
  });
  CTestStepDlg(false, false, &m_doc, nullptr).DoModal();
  // The search thread has nothing left to report to.
  PumpMessages(200);
  EXPECT_EQ(m_doc.m_device, nullptr);
  EXPECT_TRUE(answers.GetMessageBoxTexts().empty());
}

TEST_F(CalibrationDialog, AnAdjustmentTakesThreeCyclesWhateverTheFieldSays) {
  StartSimulator();
  answers.AddMessageBoxAnswer(IDYES);
  Run(true, [&](CTestStepDlg& dialog) {
    dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"1");
    Click(dialog, IDC_TESTSTEP_START);
    EXPECT_EQ(TextOf(dialog, IDC_TESTSTEP_CYCLES), u"3");
    Click(dialog, IDC_TESTSTEP_START);
    ASSERT_TRUE(PumpUntilDisconnected(dialog));
  });
  EXPECT_EQ(m_doc.m_cycles[2].size(), 20u);
}

TEST_F(CalibrationDialog, ExitDuringARunWaitsForTheRunThread) {
  StartSimulator();
  answers.AddMessageBoxAnswer(IDYES);
  bool running = false;
  Run(false, [&](CTestStepDlg& dialog) {
    dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"1");
    Click(dialog, IDC_TESTSTEP_START);
    running = PumpUntil([&] { return LogOf(dialog).Find(u"Next step: 10%") >= 0; });
    EXPECT_TRUE(running) << LogOf(dialog).ToUtf8();
  });
  ASSERT_TRUE(running);
  EXPECT_EQ(m_doc.m_device, nullptr);
  EXPECT_EQ(m_runsFinished, 0);
  EXPECT_EQ(m_zd2.DriveState(), Sim::CZd2LiveModel::eStop);
}

}  // namespace
