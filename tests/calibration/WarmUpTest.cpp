#include <gtest/gtest.h>

#include "calibration/VexalonDoc.h"
#include "calibration/WarmUp.h"
#include "platform/kernel/Event.h"
#include "tests/calibration/LiveFixture.h"
#include "tests/calibration/LogWindow.h"
#include "tests/support/TestEnvironment.h"

namespace {

// The drive state as the simulated instrument's own model has it, which is what the live
// connection's samples show once they have caught up with a command.
class CSimulatorDriveWatch : public IDriveStopWatch {
 public:
  explicit CSimulatorDriveWatch(Sim::CZd2Simulator& zd2) : m_zd2(zd2) {}
  void MarkRampStart() override {}
  void MarkHoming(DWORD) override {}
  bool HasDriveStopped() override { return m_zd2.DriveState() == Sim::CZd2LiveModel::eStop; }

 private:
  Sim::CZd2Simulator& m_zd2;
};

// A connection whose reader has no sample yet: the drive never shows as stopped.
class CNoSampleWatch : public IDriveStopWatch {
 public:
  void MarkRampStart() override {}
  void MarkHoming(DWORD) override {}
  bool HasDriveStopped() override { return false; }
};

// A calibration document on the simulated ZD-2 and a log whose lines also go to a file. Time
// runs fifty times faster: the warm-up of a 6000 N instrument takes about 20 s of its time.
class WarmUpRun : public LiveFixture {
 protected:
  void SetUp() override {
    LiveFixture::SetUp();
    timeScale.Set(50);
    ASSERT_TRUE(m_logWindow.Create());
    ASSERT_TRUE(m_logWindow.MirrorTo(TestPath("warm-up.log")));
    Connect();
    m_doc.Reset();
    m_doc.m_device = m_device.get();
  }

  // The ramp ends only while the instrument streams its live frames, as it does for the
  // connection's reader during a calibration.
  void StreamLiveFrames() {
    m_zd2.SetFrameRate(20);
    ASSERT_TRUE(m_device->SetReadAddresses());
    ASSERT_TRUE(m_device->SetContinuousMode(true));
  }

  std::string LogFile() { return m_logWindow.MirroredText(); }

  std::string Received() const {
    const std::vector<BYTE> bytes = m_peer->Transcript();
    return std::string(bytes.begin(), bytes.end());
  }

  CVexalonDoc m_doc;
  CLogWindow m_logWindow;
  CColorRichEditCtrl& m_log = m_logWindow.log;
  CEvent m_abort{false, true};
};

TEST_P(WarmUpRun, RampsToTheLoadAndComesHome) {
  StreamLiveFrames();
  CSimulatorDriveWatch watch(m_zd2);
  EXPECT_TRUE(RunWarmUp(m_doc, watch, m_log, m_abort, 6000));
  // 6000 N at 450 N/s: round(13333.3) + 30000 ms. 450 = 0x01C2, 6000 = 0x1770.
  EXPECT_EQ(LogFile(),
            "1) ...Started warm up run\n"
            "2) ...Set ramp speed to 450 N/s\n"
            "3) ...Moving ZD-2 back to the original position\n"
            "4) ...Set nominal load to 6000 N\n"
            "5) ...Sent START command\n"
            "6) ...Set timeout to 43.3 seconds.\n"
            "7) ...Reached STOP state\n"
            "8) ...Moving ZD-2 back to the original position\n"
            "9) ...Reached STOP state\n"
            "10) ...Finished warm up run\n");
  EXPECT_EQ(m_log.m_nScreenLines, 2) << "only the start and the end are shown";
  EXPECT_NE(Received().find("01C2i0001g1770f0002g0001g"), std::string::npos);
  EXPECT_EQ(m_zd2.DriveState(), Sim::CZd2LiveModel::eStop);
}

TEST_P(WarmUpRun, AnAbortWhileHomingEndsWithoutARamp) {
  CNoSampleWatch watch;
  m_abort.SetEvent();
  EXPECT_FALSE(RunWarmUp(m_doc, watch, m_log, m_abort, 25000));
  EXPECT_EQ(LogFile(),
            "1) ...Started warm up run\n"
            "2) ...Set ramp speed to 450 N/s\n"
            "3) ...Moving ZD-2 back to the original position\n"
            "4) ...Finished warm up run\n");
  const std::string received = Received();
  EXPECT_NE(received.find("01C2i0001g"), std::string::npos);
  EXPECT_EQ(received.find("61A8f"), std::string::npos) << "no nominal load";
  EXPECT_EQ(received.find("0002g"), std::string::npos) << "no START";
}

TEST_P(WarmUpRun, ARampThatNeverEndsTimesOutAndGoesHomeWithoutWaiting) {
  // Without live frames the instrument never reports its ramp's progress, so it never stops.
  CSimulatorDriveWatch watch(m_zd2);
  EXPECT_FALSE(RunWarmUp(m_doc, watch, m_log, m_abort, 25000));
  // 25000 N: round(55555.6) + 30000 = 85556 ms.
  EXPECT_EQ(LogFile(),
            "1) ...Started warm up run\n"
            "2) ...Set ramp speed to 450 N/s\n"
            "3) ...Moving ZD-2 back to the original position\n"
            "4) ...Set nominal load to 25000 N\n"
            "5) ...Sent START command\n"
            "6) ...Set timeout to 85.6 seconds.\n"
            "7) ...ERROR: Exceeded step timeout of 85556 milliseconds.\n"
            "8) ...Moving ZD-2 back to the original position\n"
            "9) ...Finished warm up run\n");
  EXPECT_NE(Received().find("61A8f0002g0001g"), std::string::npos);
}

TEST_P(WarmUpRun, AFailedCommandEndsAtOnce) {
  CSimulatorDriveWatch watch(m_zd2);
  m_peer->Stop();
  EXPECT_FALSE(RunWarmUp(m_doc, watch, m_log, m_abort, 6000));
  EXPECT_EQ(LogFile(),
            "1) ...Started warm up run\n"
            "2) ...Failed to set ramp speed.\n"
            "3) ...Finished warm up run\n");
}

INSTANTIATE_TEST_SUITE_P(Link, WarmUpRun, ::testing::Values(ELiveLink::eSocket),
                         [](const ::testing::TestParamInfo<ELiveLink>&) { return "Socket"; });

}  // namespace
