#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

#include "platform/ui/PostedMessages.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"

namespace {

constexpr UINT kSampleMessage = WM_USER + 108;
constexpr UINT kOtherMessage = WM_USER + 109;

// Records the parameters of the messages it receives.
class CReceiverWnd : public CWnd {
 public:
  std::vector<std::pair<UINT, WPARAM>> received;

  bool Create() {
    return CWnd::Create(nullptr, u"receiver", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0) != FALSE;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kSampleMessage || message == kOtherMessage) received.push_back({message, wParam});
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class PostedMessages : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window.Create()); }
  void TearDown() override { window.DestroyWindow(); }

  CUiApplication application;
  CReceiverWnd window;
};

TEST_F(PostedMessages, RemovedMessagesGoToTheCallbackInOrderAndAreNeverDelivered) {
  window.PostMessage(kSampleMessage, 1, 11);
  window.PostMessage(kOtherMessage, 2, 0);
  window.PostMessage(kSampleMessage, 3, 33);
  std::vector<std::pair<WPARAM, LPARAM>> removed;
  // From another thread, as a connection that stops listening may do.
  int count = 0;
  std::thread remover([&] {
    count = RemovePostedMessages(&window, kSampleMessage, [&](WPARAM wParam, LPARAM lParam) {
      removed.push_back({wParam, lParam});
    });
  });
  remover.join();
  EXPECT_EQ(count, 2);
  EXPECT_EQ(removed, (std::vector<std::pair<WPARAM, LPARAM>>{{1, 11}, {3, 33}}));
  PumpMessages(20);
  EXPECT_EQ(window.received, (std::vector<std::pair<UINT, WPARAM>>{{kOtherMessage, 2}}));
  EXPECT_EQ(RemovePostedMessages(&window, kSampleMessage, [](WPARAM, LPARAM) {}), 0);
}

}  // namespace
