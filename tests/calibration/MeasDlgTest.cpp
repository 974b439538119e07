#include <gtest/gtest.h>

#include <algorithm>

#include "calibration/MeasDlg.h"
#include "calibration/MeasPlotDlg.h"
#include "calibration/MeasThread.h"
#include "connection/VexalonConnection.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/calibration/LiveFixture.h"
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

  // Runs the dialog modally with the steps in place of the user.
  void Run(std::function<void(CMeasDlg&)> steps) {
    answers.AddModalDialogScript([](CWnd&) {});  // the connection wizard, cancelled
    answers.AddModalDialogScript([&steps](CWnd& dialog) { steps(static_cast<CMeasDlg&>(dialog)); });
    CMeasDlg dialog(nullptr, nullptr);
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

LIVE_ON_BOTH_LINKS(LiveViewWithInstrument);

}  // namespace
