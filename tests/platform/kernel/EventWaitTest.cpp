#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/kernel/Event.h"
#include "platform/kernel/SyncObject.h"
#include "platform/kernel/Thread.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

TEST(EventTest, ManualResetStaysSetForEveryWaitUntilReset) {
  CEvent event(false, true);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  event.SetEvent();
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  event.ResetEvent();
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
}

TEST(EventTest, AutoResetReleasesOneWaitAndClearsItself) {
  CEvent event(true, false);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_FALSE(event.IsSet());
}

TEST(EventTest, AutoResetReleasesOnlyOneOfTwoBlockedThreads) {
  CEvent event(false, false);
  CEvent release(false, true);
  std::atomic<int> woken{0};
  auto waiter = [&] {
    if (WaitForSingleObject(event, INFINITE) == WAIT_OBJECT_0) ++woken;
    return DWORD(0);
  };
  CThread first, second;
  first.Start(waiter);
  second.Start(waiter);
  event.SetEvent();
  for (int i = 0; i < 5000 && woken.load() == 0; ++i) Sleep(1);
  // Give the second waiter every chance to be woken wrongly before it is released for real.
  WaitForSingleObject(release, 50);
  EXPECT_EQ(woken.load(), 1);
  event.SetEvent();
  EXPECT_EQ(WaitForObjects({&first, &second}, true, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(woken.load(), 2);
}

TEST(EventTest, WaitEndsWhenAnotherThreadSetsTheEvent) {
  CEvent event(false, false);
  CThread setter;
  setter.Start([&] {
    Sleep(20);
    event.SetEvent();
    return DWORD(0);
  });
  EXPECT_EQ(WaitForSingleObject(event, 10000), WAIT_OBJECT_0);
}

TEST(WaitTest, TimedWaitIsATimeOutOfTheScaledClock) {
  CTimeScaleOverride timeScale(100);
  CEvent never(false, true);
  const ULONGLONG ticksBefore = GetTickCount64();
  const auto realBefore = std::chrono::steady_clock::now();
  // Two seconds in real time, the other eight at a hundred times the pace.
  EXPECT_EQ(WaitForSingleObject(never, 10000), WAIT_TIMEOUT);
  const auto real = std::chrono::steady_clock::now() - realBefore;
  EXPECT_GE(GetTickCount64() - ticksBefore, TimeoutSpan(10000)) << "the wait ended early in scaled time";
  EXPECT_GE(real, std::chrono::milliseconds(2080));
  EXPECT_LT(real, std::chrono::milliseconds(5000)) << "the wait ignored the time scale";
}

TEST(WaitTest, WaitAnyReturnsTheFirstSignalledAndConsumesOnlyIt) {
  CEvent a(false, false), b(true, false), c(true, false);
  EXPECT_EQ(WaitForObjects({&a, &b, &c}, false, 0), WAIT_OBJECT_0 + 1);
  EXPECT_FALSE(b.IsSet());
  EXPECT_TRUE(c.IsSet()) << "a wait for any object consumed more than the one it returned";
  EXPECT_EQ(WaitForObjects({&a, &b, &c}, false, 0), WAIT_OBJECT_0 + 2);
  EXPECT_EQ(WaitForObjects({&a, &b, &c}, false, 0), WAIT_TIMEOUT);
}

TEST(WaitTest, WaitAllNeedsEveryObjectAndConsumesNothingUntilThen) {
  CEvent manual(true, true), automatic(true, false), missing(false, true);
  EXPECT_EQ(WaitForObjects({&manual, &automatic, &missing}, true, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(automatic.IsSet()) << "a wait for all objects that failed consumed an auto-reset event";
  missing.SetEvent();
  EXPECT_EQ(WaitForObjects({&manual, &automatic, &missing}, true, 0), WAIT_OBJECT_0);
  EXPECT_FALSE(automatic.IsSet());
  EXPECT_TRUE(manual.IsSet());
}

TEST(WaitTest, WaitAllEndsWhenTheLastObjectIsSetLater) {
  CTimeScaleOverride timeScale(10);
  CEvent first(true, true), second(false, true);
  CThread setter;
  setter.Start([&] {
    Sleep(50);
    second.SetEvent();
    return DWORD(0);
  });
  EXPECT_EQ(WaitForObjects({&first, &second}, true, 10000), WAIT_OBJECT_0);
}

TEST(WaitTest, EmptyListFails) { EXPECT_EQ(WaitForMultipleObjects(0, nullptr, false, 0), WAIT_FAILED); }

int g_pumpRuns = 0;
void CountingPump() { ++g_pumpRuns; }

TEST(WaitTest, ThreadWaitPumpRunsWhileWaiting) {
  CTimeScaleOverride timeScale(10);
  SetThreadWaitPump(&CountingPump);
  CEvent never(false, true);
  WaitForSingleObject(never, 300);
  SetThreadWaitPump(nullptr);
  EXPECT_GE(g_pumpRuns, 2);
}

}  // namespace
