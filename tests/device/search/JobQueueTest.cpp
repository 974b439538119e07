// The device thread's queue: abort of a running job, exceptions escaping a job, and the queue
// lock kept apart from the device input and output.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/kernel/Thread.h"
#include "platform/ui/ScriptedAnswers.h"
#include "tests/device/search/DeviceThreadFixture.h"

namespace {

using Lines = std::vector<std::string>;

// Waits until the identify has begun: the instrument received its first byte and holds back
// the answer.
bool WaitForIdentityQuery(const Sim::CPeer& peer) { return peer.WaitForTranscript(1, 20000); }

TEST_F(DeviceThreadTest, AbortDuringAStalledIdentifyEndsAtOnceAndDropsTheQueue) {
  // Real time, and a grace shorter than one read time-out of the identify: only a cancelled
  // read lets the worker go idle within it.
  timeScale.Set(1);
  Sim::CPeer& stalled = StartZd2AtAddress("127.0.0.70");
  stalled.InjectFault(Sim::SFault::Stall(0, 60000));
  const Device::SSearchRequest first = IpRequest("127.0.0.70");
  const Device::SSearchRequest queued = IpRequest("127.0.0.71");
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &first));
  ASSERT_TRUE(Device::AddSearchJob(&m_otherCallback, &queued));
  ASSERT_TRUE(WaitForIdentityQuery(stalled));

  Device::AbortDeviceThread(1000);
  EXPECT_EQ(Device::GetDeviceThreadExitCode(), STILL_ACTIVE) << "the worker had to be given up";
  EXPECT_EQ(m_callback.Lines(), (Lines{"status: Search ZD-2 device on Ethernet 127.0.0.70..."}));
  EXPECT_TRUE(m_otherCallback.Lines().empty());

  // The next job runs as usual.
  StartZd2AtAddress("127.0.0.72");
  CRecordingCallback next;
  const Device::SSearchRequest request = IpRequest("127.0.0.72");
  ASSERT_TRUE(Device::AddSearchJob(&next, &request));
  ASSERT_TRUE(next.WaitForLine("end"));
  EXPECT_EQ(next.Lines("found: "), (Lines{"found: ZD-2 VN02-123-4567 IP:127.0.0.72:3728"}));
  EXPECT_TRUE(m_callback.Lines("end").empty());
}

TEST_F(DeviceThreadTest, ExceptionEscapingAJobIsReportedAndLaterJobsStillRun) {
  CScriptedAnswers answers;
  m_callback.SetStatusHook([](const std::string&) { throw std::runtime_error("receiver failed"); });
  const Device::SSearchRequest failing = IpRequest("127.0.0.73");
  Device::SSearchRequest later = IpRequest("127.0.0.73");
  later.deviceType = 11;
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &failing));
  ASSERT_TRUE(Device::AddSearchJob(&m_otherCallback, &later));
  ASSERT_TRUE(m_otherCallback.WaitForLine("end"));

  EXPECT_TRUE(m_callback.Lines().empty());
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, CString(u"Fatal Error"));
  EXPECT_EQ(boxes[0].text.Left(37), CString(u"Unhandled exception in Device Thread."));
  EXPECT_EQ(Device::GetDeviceThreadExitCode(), STILL_ACTIVE);
}

TEST_F(DeviceThreadTest, QueueingDoesNotWaitForTheDeviceOfTheRunningJob) {
  timeScale.Set(1);
  Sim::CPeer& stalled = StartZd2AtAddress("127.0.0.74");
  stalled.InjectFault(Sim::SFault::Stall(0, 60000));
  const Device::SSearchRequest first = IpRequest("127.0.0.74");
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &first));
  ASSERT_TRUE(WaitForIdentityQuery(stalled));

  Device::SSearchRequest second = IpRequest("127.0.0.74");
  second.deviceType = 11;
  ASSERT_TRUE(Device::AddSearchJob(&m_otherCallback, &second));
  // Still inside the identify of the first job when the second was queued.
  EXPECT_EQ(m_callback.Lines().size(), 1u);
  Device::AbortDeviceThread(8000);
}

TEST_F(DeviceThreadTest, WorkerThatOutlastsTheAbortGraceIsGivenUpAndANewOneRunsTheNextJob) {
  // The stuck job's receiver outlives the test: the given-up worker finishes on its own.
  static CRecordingCallback stuck;
  std::mutex mutex;
  std::condition_variable changed;
  bool entered = false;
  bool released = false;
  stuck.SetStatusHook([&](const std::string&) {
    std::unique_lock lock(mutex);
    entered = true;
    changed.notify_all();
    changed.wait(lock, [&] { return released; });
  });
  const Device::SSearchRequest blocked = IpRequest("127.0.0.83");
  ASSERT_TRUE(Device::AddSearchJob(&stuck, &blocked));
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(20), [&] { return entered; }));
  }

  Device::AbortDeviceThread(200);
  Device::SSearchRequest next = IpRequest("127.0.0.83");
  next.deviceType = 11;
  ASSERT_TRUE(Device::AddSearchJob(&m_otherCallback, &next));
  EXPECT_TRUE(m_otherCallback.WaitForLine("end"));
  EXPECT_EQ(Device::GetDeviceThreadExitCode(), STILL_ACTIVE);

  {
    std::lock_guard lock(mutex);
    released = true;
  }
  changed.notify_all();
  // The given-up worker ends its job without further reports.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  stuck.SetStatusHook(nullptr);
  EXPECT_EQ(stuck.Lines(), (Lines{"status: Search ZD-2 device on Ethernet 127.0.0.83..."}));
}

TEST_F(DeviceThreadTest, WithdrawingAReceiverEndsItsRunningJobAloneAndLeavesOthersQueued) {
  timeScale.Set(1);
  Sim::CPeer& stalled = StartZd2AtAddress("127.0.0.86");
  stalled.InjectFault(Sim::SFault::Stall(0, 60000));
  StartZd2AtAddress("127.0.0.87");
  const Device::SSearchRequest first = IpRequest("127.0.0.86");
  const Device::SSearchRequest other = IpRequest("127.0.0.87");
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &first));
  ASSERT_TRUE(Device::AddSearchJob(&m_otherCallback, &other));
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &other));
  ASSERT_TRUE(WaitForIdentityQuery(stalled));

  EXPECT_TRUE(Device::WithdrawJobs(&m_callback, 8000));
  EXPECT_EQ(m_callback.Lines(), (Lines{"status: Search ZD-2 device on Ethernet 127.0.0.86..."}));

  // The other receiver's search runs as if nothing had happened; the withdrawn receiver's
  // queued search never runs.
  ASSERT_TRUE(m_otherCallback.WaitForLine("end"));
  EXPECT_EQ(m_otherCallback.Lines("found: "), (Lines{"found: ZD-2 VN02-123-4567 IP:127.0.0.87:3728"}));
  CRecordingCallback last;
  ASSERT_TRUE(Device::AddSearchJob(&last, &other));
  ASSERT_TRUE(last.WaitForLine("end"));
  EXPECT_EQ(m_callback.Lines().size(), 1u);
  // Nothing of its own queued or running: nothing to wait for.
  EXPECT_TRUE(Device::WithdrawJobs(&m_callback, 0));
}

TEST_F(DeviceThreadTest, StopWithoutAStartedThreadReturnsTrue) {
  ASSERT_TRUE(Device::StopDeviceThread());
  EXPECT_TRUE(Device::StopDeviceThread());
  EXPECT_EQ(Device::GetDeviceThreadExitCode(), 0u);
}

}  // namespace
