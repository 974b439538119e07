#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/kernel/Event.h"
#include "platform/kernel/SyncObject.h"
#include "platform/kernel/TimerQueue.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

// What a timer's callbacks saw: how often they ran, on which thread, and when.
struct STimerProbe {
  std::atomic<int> calls{0};
  std::atomic<int> otherThreads{0};
  std::thread::id firstThread;
  ULONGLONG firstTick = 0;
  CEvent enough{false, true};
  int wanted = 3;

  static void OnTimer(void* self, bool) {
    auto* probe = static_cast<STimerProbe*>(self);
    const int call = ++probe->calls;
    if (call == 1) {
      probe->firstThread = std::this_thread::get_id();
      probe->firstTick = GetTickCount64();
    } else if (std::this_thread::get_id() != probe->firstThread) {
      ++probe->otherThreads;
    }
    if (call == probe->wanted) probe->enough.SetEvent();
  }
};

class TimerQueue : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale{20};
};

TEST_F(TimerQueue, FiresAfterItsDueTimeThenOncePeriodOnTheTimerThreadUntilDeleted) {
  STimerProbe probe;
  HTIMERQUEUETIMER timer = nullptr;
  const ULONGLONG created = GetTickCount64();
  ASSERT_TRUE(CreateTimerQueueTimer(&timer, nullptr, &STimerProbe::OnTimer, &probe, 400, 100,
                                    WT_EXECUTEINTIMERTHREAD));
  ASSERT_EQ(WaitForSingleObject(probe.enough, 60000), WAIT_OBJECT_0);
  EXPECT_GE(probe.firstTick - created, 400u) << "the first call waits for the due time";
  EXPECT_NE(probe.firstThread, std::this_thread::get_id());
  EXPECT_EQ(probe.otherThreads.load(), 0) << "every call runs on the one timer thread";
  ASSERT_TRUE(DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE));
  const int calls = probe.calls.load();
  Sleep(500);
  EXPECT_EQ(probe.calls.load(), calls) << "no call starts after the deletion";
}

TEST_F(TimerQueue, APeriodOfZeroFiresOnce) {
  STimerProbe probe;
  probe.wanted = 1;
  HTIMERQUEUETIMER timer = nullptr;
  ASSERT_TRUE(
      CreateTimerQueueTimer(&timer, nullptr, &STimerProbe::OnTimer, &probe, 0, 0, WT_EXECUTEINTIMERTHREAD));
  ASSERT_EQ(WaitForSingleObject(probe.enough, 60000), WAIT_OBJECT_0);
  Sleep(500);
  EXPECT_EQ(probe.calls.load(), 1);
  DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE);
}

// A callback held inside until released, and the order in which it and the deletion ended.
struct SHeldCallback {
  CEvent inside{false, true};
  CEvent release{false, true};
  std::atomic<int> order{0};
  std::atomic<int> callbackEnded{0};
  std::atomic<int> deletionReturned{0};

  static void OnTimer(void* self, bool) {
    auto* held = static_cast<SHeldCallback*>(self);
    held->inside.SetEvent();
    WaitForSingleObject(held->release, 60000);
    if (held->callbackEnded == 0) held->callbackEnded = ++held->order;
  }
};

TEST_F(TimerQueue, DeletingWithACompletionWaitReturnsOnlyAfterTheRunningCallback) {
  SHeldCallback held;
  HTIMERQUEUETIMER timer = nullptr;
  ASSERT_TRUE(
      CreateTimerQueueTimer(&timer, nullptr, &SHeldCallback::OnTimer, &held, 0, 50, WT_EXECUTEINTIMERTHREAD));
  ASSERT_EQ(WaitForSingleObject(held.inside, 60000), WAIT_OBJECT_0);
  std::thread deleter([&] {
    DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE);
    held.deletionReturned = ++held.order;
  });
  // Gives the deletion time to reach its wait before the callback may end.
  Sleep(200);
  EXPECT_EQ(held.deletionReturned.load(), 0);
  held.release.SetEvent();
  deleter.join();
  EXPECT_GT(held.callbackEnded.load(), 0);
  EXPECT_LT(held.callbackEnded.load(), held.deletionReturned.load());
}

}  // namespace
