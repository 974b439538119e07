#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/ui/UiApplication.h"
#include "platform/ui/UiThread.h"

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

}  // namespace
