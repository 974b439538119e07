#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/Wnd.h"

namespace {

TEST(UiApplicationTest, NumbersStayInTheCLocale) {
  setenv("LC_ALL", "C.UTF-8", 1);
  std::setlocale(LC_ALL, "C.UTF-8");
  CUiApplication application;
  EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "C");
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
