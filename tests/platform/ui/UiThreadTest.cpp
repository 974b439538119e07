#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/kernel/Event.h"
#include "platform/kernel/Thread.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/Wnd.h"

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

// Waits for what a queued call does, inside the handler of a posted message.
class CWaitingWnd : public CWnd {
 public:
  CEvent* called = nullptr;
  DWORD waitResult = WAIT_FAILED;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_APP) return CWnd::WindowProc(message, wParam, lParam);
    waitResult = WaitForSingleObject(*called, 5000);
    return 0;
  }
};

// A call queued behind the message whose handler waits for it, as when a worker posts a message
// and then asks the UI thread for a call: the wait must still run the call, or the two threads
// would wait for each other.
TEST(UiThreadTest, AWaitInAMessageHandlerRunsCallsQueuedBehindTheMessage) {
  CUiApplication application;
  CWaitingWnd window;
  ASSERT_TRUE(window.CreateEx(0, nullptr, u"waiting", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
  CEvent called;
  window.called = &called;
  ASSERT_TRUE(window.PostMessage(WM_APP, 0, 0));
  ASSERT_TRUE(PostToUiThread([&] { called.SetEvent(); }));
  PumpMessages();
  EXPECT_EQ(window.waitResult, DWORD(WAIT_OBJECT_0));
}
}  // namespace
