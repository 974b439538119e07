#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/kernel/Event.h"
#include "platform/kernel/Thread.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UiThread.h"

namespace {

TEST(UiThreadTest, WithoutUiApplicationCallsRunOnTheCaller) {
  EXPECT_FALSE(IsUiThread());
  bool ran = false;
  EXPECT_TRUE(RunOnUiThreadAndWait([&] { ran = true; }));
  EXPECT_TRUE(ran);
  EXPECT_FALSE(PostToUiThread([] {}));
}

// The UI thread waits for a worker with a kernel wait; the worker's call must still reach the
// UI thread, since waits there keep processing events.
TEST(UiThreadTest, WorkerCallRunsOnTheUiThreadWhileItWaits) {
  CUiApplication application;
  EXPECT_TRUE(IsUiThread());
  std::atomic<bool> workerOnUi{true}, callOnUi{false};
  bool ran = false;
  CThread worker;
  worker.Start([&] {
    workerOnUi = IsUiThread();
    ran = RunOnUiThreadAndWait([&] { callOnUi = IsUiThread(); });
    return DWORD(0);
  });
  ASSERT_EQ(WaitForSingleObject(worker, 10000), WAIT_OBJECT_0)
      << "the UI thread's wait did not serve the call";
  EXPECT_FALSE(workerOnUi);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(callOnUi);
}

TEST(UiThreadTest, ExceptionOfTheCallReachesTheWorker) {
  CUiApplication application;
  std::atomic<bool> caught{false};
  CThread worker;
  worker.Start([&] {
    try {
      RunOnUiThreadAndWait([] { throw std::runtime_error("refused"); });
    } catch (const std::runtime_error&) {
      caught = true;
    }
    return DWORD(0);
  });
  ASSERT_EQ(WaitForSingleObject(worker, 10000), WAIT_OBJECT_0);
  EXPECT_TRUE(caught);
}

TEST(UiThreadTest, PostedCallsRunInOrderOnTheEventLoop) {
  CUiApplication application;
  std::vector<int> order;
  CThread worker;
  worker.Start([&] {
    PostToUiThread([&] { order.push_back(1); });
    PostToUiThread([&] { order.push_back(2); });
    CUiApplication::Quit(5);
    return DWORD(0);
  });
  EXPECT_EQ(application.Run(), 5);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

// A worker blocked on a call that the UI thread never serves is released when the
// application ends, instead of waiting forever.
TEST(UiThreadTest, EndOfApplicationReleasesAWaitingWorker) {
  auto application = std::make_unique<CUiApplication>();
  CEvent calling(false, true);
  std::atomic<int> result{-1};
  std::atomic<bool> ran{false};
  CThread worker;
  worker.Start([&] {
    calling.SetEvent();
    result = RunOnUiThreadAndWait([&] { ran = true; }) ? 1 : 0;
    return DWORD(0);
  });
  // Wait without serving events, so that the call stays queued.
  while (!calling.IsSet()) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  application.reset();
  ASSERT_EQ(WaitForSingleObject(worker, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(result.load(), 0);
  EXPECT_FALSE(ran);
}

}  // namespace
