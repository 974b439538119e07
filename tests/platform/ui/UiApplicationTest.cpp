#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/Wnd.h"
#include "tests/support/EnvironmentOverride.h"

namespace {

TEST(UiApplicationTest, NumbersStayInTheCLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  CEnvironmentOverride locale("LC_ALL", "C.UTF-8");
  std::setlocale(LC_ALL, "C.UTF-8");
  CUiApplication application;
  EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "C");
  std::setlocale(LC_ALL, before.c_str());
}

TEST(UiApplicationTest, ClosingTheMainWindowEndsTheLoopWithZero) {
  CUiApplication application;
  application.ShowMainWindow(u"Jovant ZD-Zedo");
  PostToUiThread([&] { application.CloseMainWindow(); });
  EXPECT_EQ(application.Run(), 0);
}

TEST(UiApplicationTest, TerminationSignalEndsTheLoopWithZero) {
  CUiApplication application;
  application.ShowMainWindow(u"Jovant ZD-Zedo");
  PostToUiThread([] { raise(SIGTERM); });
  EXPECT_EQ(application.Run(), 0);
}

// The first signal asks the loop to end; when the program does not get there (stuck where the
// loop cannot end it), a second one ends the process.
TEST(UiApplicationTest, ASecondTerminationSignalEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        CUiApplication application;
        raise(SIGTERM);
        raise(SIGTERM);
        std::exit(0);
      },
      ::testing::KilledBySignal(SIGTERM), "");
}

// A killed timer goes once the event loop runs again, and so do the timers of a destroyed
// window; when no loop runs after that they must still go with the application, which the leak
// checker of the sanitizer build verifies. A second application takes the places in the
// toolkit's queue of posted events where the first one's were last seen.
TEST(UiApplicationTest, TimersKilledOutsideTheEventLoopGoWithTheApplication) {
  {
    CUiApplication application;
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, u"timers", WS_POPUP | WS_VISIBLE, CRect(0, 0, 80, 60), nullptr, 0));
    wnd.SetTimer(2, 60000);
    wnd.SetTimer(3, 60000);
    PumpMessages();
    EXPECT_TRUE(wnd.KillTimer(3));
  }
  CUiApplication next;
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, nullptr, u"other", WS_POPUP | WS_VISIBLE, CRect(0, 0, 80, 60), nullptr, 0));
  PumpMessages();
}

}  // namespace
