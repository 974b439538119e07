#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "tests/update/UpdateServerFixture.h"
#include "update/AutoUpdate.h"
#include "update/CheckWorker.h"

namespace {

// A server that takes connections and never says a word: a check connecting to it waits for
// the greeting until it is stopped.
class SilentUpdateServer : public UpdateServerTest {
 protected:
  void SetUp() override {
    m_socket = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(m_socket, 4), 0);
    ASSERT_EQ(getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length), 0);
    RegSetString(kUpdateServerKey, kUpdateServerValue,
                 CString::FromUtf8("127.0.0.1:" + std::to_string(ntohs(address.sin_port))));
  }
  void TearDown() override { close(m_socket); }

  int m_socket = -1;
};

TEST_F(SilentUpdateServer, AStoppedCheckEndsAtOnceWithoutConnecting) {
  CCheckWorker worker;
  bool connected = true;
  ASSERT_TRUE(worker.Start(nullptr, [&connected](CCheckWorkerState& state) {
    CAppHelper server;
    server.SetShowMessages(false);
    server.SetStopFlag(&state.StopFlag());
    connected = server.ConnectUpdateServer(u"") != nullptr;
    return DWORD(7);
  }));
  EXPECT_FALSE(worker.Wait(200)) << "the check did not wait for the silent server";
  const auto start = std::chrono::steady_clock::now();
  worker.Stop();
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::milliseconds(CCheckWorker::kGraceMs / 2))
      << "the stop waited for the grace period";
  EXPECT_EQ(worker.GetExitCode(), 7u) << "the thread was given up instead of ending";
  EXPECT_FALSE(connected);
}

TEST_F(SilentUpdateServer, TheWizardStopsItsCheckWhenItGoes) {
  auto sheet = std::make_unique<CAutoUpdate>(nullptr, CString::FromUtf8(TestPath("program")));
  ASSERT_TRUE(sheet->StartCheck(WM_USER + 11));
  EXPECT_FALSE(sheet->WaitForCheck(200));
  const auto start = std::chrono::steady_clock::now();
  sheet.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(CCheckWorker::kGraceMs / 2));
}

}  // namespace
