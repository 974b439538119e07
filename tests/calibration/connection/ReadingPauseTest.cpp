// The pause of a connection's read thread: another user of the instrument may talk to it only
// once the thread has stopped reading, however long its last read takes on a busy machine.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "calibration/ConnBase.h"
#include "platform/kernel/Event.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

// A connection whose read thread's reads last until the test ends them.
class CHeldReadConnection : public CConnBase {
 public:
  CHeldReadConnection() : CConnBase(nullptr, nullptr, 0, false, 0) {}
  ~CHeldReadConnection() override { StopOtherThreads(); }

  bool OnConnected() override { return true; }
  bool StartReadThread() override {
    return StartThread([this] { return ReadThreadProc(); });
  }
  bool GetLatestSample(SLiveSample&) override { return false; }

  std::atomic<bool> inRead{false};
  CEvent readEnds{false, false};

 private:
  DWORD ReadThreadProc() {
    while (!WaitForStop(0)) {
      if (ReadingPaused()) {
        if (WaitForStop(10)) break;
        continue;
      }
      inRead = true;
      WaitForSingleObject(readEnds, INFINITE);
      inRead = false;
    }
    OnReadThreadEnd();
    return 0;
  }
};

TEST(ReadingPause, ReturnsOnlyOnceTheReadThreadHasLeftItsRead) {
  // The second of settling lasts 20 ms of real time; the read in progress ends after 300 ms.
  CTimeScaleOverride timeScale(50);
  CHeldReadConnection connection;
  ASSERT_TRUE(connection.StartReadThread());
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!connection.inRead && std::chrono::steady_clock::now() < end) std::this_thread::yield();
  ASSERT_TRUE(connection.inRead);
  std::thread slowRead([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    connection.readEnds.SetEvent();
  });
  connection.PauseReading();
  EXPECT_FALSE(connection.inRead) << "the pause returned while the read thread was still reading";
  slowRead.join();
  connection.StopReadThread();
  EXPECT_FALSE(connection.IsReadThreadRunning());
}

}  // namespace
