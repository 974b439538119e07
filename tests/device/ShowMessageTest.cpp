#include <gtest/gtest.h>

#include "device/ShowMessage.h"
#include "platform/kernel/Thread.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"

namespace {

constexpr const char16_t* kLogFileRequest =
    u"\r\n\r\nPlease send the log file to Jovant SA and describe the error.\r\n"
    u"Thank you for helping us improve our Software.";

struct SKindCase {
  UINT kind;
  const char16_t* caption;
  UINT icon;
  std::vector<int> buttons;
  bool logRequest;
};

TEST(ShowMessageTest, CaptionIconButtonsAndLogRequestByKind) {
  const SKindCase cases[] = {
      {0, u"Information", MB_ICONINFORMATION, {IDOK, IDCANCEL}, false},
      {1, u"Warning", MB_ICONEXCLAMATION, {IDOK, IDCANCEL}, false},
      {2, u"Error", MB_ICONSTOP, {IDOK, IDCANCEL}, true},
      {3, u"Fatal Error", MB_ICONSTOP, {IDOK}, true},
      {4, u"Error", MB_ICONSTOP, {IDOK}, false},
      {0xFFFFFFFF, u"Error", MB_ICONSTOP, {IDOK}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    CScriptedAnswers answers;
    EXPECT_EQ(
        ShowMessage(c.kind, u"Unhandled exception in Device Thread.", nullptr, "DeviceThread.cpp", 1554),
        IDOK);
    auto shown = answers.GetMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, c.caption);
    EXPECT_EQ(shown[0].type & MB_ICONMASK, c.icon);
    EXPECT_EQ(MessageBoxButtons(shown[0].type), c.buttons);
    CString expected = u"Unhandled exception in Device Thread.";
    if (c.logRequest) expected += kLogFileRequest;
    EXPECT_EQ(shown[0].text, expected);
  }
}

TEST(ShowMessageTest, ErrorReturnsCancelWhenTheUserCancels) {
  CScriptedAnswers answers;
  answers.AddMessageBoxAnswer(IDCANCEL);
  EXPECT_EQ(ShowMessage(2, u"Port could not be opened."), IDCANCEL);
}

TEST(ShowMessageTest, WorkerThreadMessageReachesTheUiThread) {
  CUiApplication application;
  CScriptedAnswers answers;
  int answer = 0;
  CThread worker;
  worker.Start([&] {
    answer = ShowMessage(3, u"Unhandled exception in Device Thread.", nullptr, "DeviceThread.cpp", 1554);
    return DWORD(0);
  });
  ASSERT_EQ(WaitForSingleObject(worker, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(answer, IDOK);
  auto shown = answers.GetMessageBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].onUiThread);
  EXPECT_EQ(shown[0].caption, u"Fatal Error");
}

}  // namespace
