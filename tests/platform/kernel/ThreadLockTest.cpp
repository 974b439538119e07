#include <gtest/gtest.h>

#include "platform/base/Clock.h"
#include "platform/kernel/CriticalSection.h"
#include "platform/kernel/Event.h"
#include "platform/kernel/Thread.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

bool TryLockFromOtherThread(CCriticalSection& section) {
  bool locked = false;
  CThread other;
  other.Start([&] {
    locked = section.TryLock();
    if (locked) section.Unlock();
    return DWORD(0);
  });
  WaitForSingleObject(other, 10000);
  return locked;
}

TEST(CriticalSectionTest, OwnerMayEnterAgainAndOthersWaitUntilFullyLeft) {
  CCriticalSection section;
  section.Lock();
  {
    CSingleLock again(section);
    EXPECT_FALSE(TryLockFromOtherThread(section));
  }
  EXPECT_FALSE(TryLockFromOtherThread(section)) << "leaving the inner lock released the section";
  section.Unlock();
  EXPECT_TRUE(TryLockFromOtherThread(section));
}

TEST(ThreadTest, ThreadThatEndsKeepsItsOwnExitCode) {
  CThread thread;
  ASSERT_TRUE(thread.Start([] { return DWORD(7); }));
  EXPECT_TRUE(thread.StopWithGrace(5000, 0xDEAD));
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(thread.GetExitCode(), 7u);
}

// A thread that ignores its stop request: after the grace period it counts as ended, with the
// exit code given, as a terminated thread did.
TEST(ThreadTest, ThreadThatDoesNotStopGetsTheGivenExitCode) {
  CTimeScaleOverride timeScale(20);
  auto release = std::make_shared<CEvent>(false, true);
  CThread thread;
  ASSERT_TRUE(thread.Start([release] {
    WaitForSingleObject(*release, INFINITE);
    return DWORD(1);
  }));
  EXPECT_EQ(thread.GetExitCode(), STILL_ACTIVE);
  EXPECT_FALSE(thread.StopWithGrace(200, 0xDEAD));
  EXPECT_EQ(thread.GetExitCode(), 0xDEADu);
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "a stopped thread must be signalled";
  EXPECT_TRUE(thread.Start([] { return DWORD(2); })) << "a stopped thread could not be started again";
  EXPECT_TRUE(thread.StopWithGrace(5000, 0xDEAD));
  EXPECT_EQ(thread.GetExitCode(), 2u);
  release->SetEvent();
}

TEST(ThreadTest, StartFailsWhileRunning) {
  CEvent release(false, true);
  CThread thread;
  ASSERT_TRUE(thread.Start([&] {
    WaitForSingleObject(release, INFINITE);
    return DWORD(0);
  }));
  EXPECT_FALSE(thread.Start([] { return DWORD(0); }));
  release.SetEvent();
  EXPECT_TRUE(thread.StopWithGrace(5000, 0xDEAD));
}

}  // namespace
