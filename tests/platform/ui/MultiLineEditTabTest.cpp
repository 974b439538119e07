#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "tests/platform/ui_xserver/WaitForCondition.h"

void RegisterUiTestResources(HMODULE module);

namespace {

constexpr UINT kCommentDialog = 134;
constexpr int kComment = 1301;

class MultiLineEditTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterUiTestResources(nullptr);
    ASSERT_TRUE(dialog.Create(kCommentDialog));
    dialog.ShowWindow(SW_SHOW);
    comment = dialog.GetDlgItem(kComment);
    comment->SetWindowText(u"cracked");
    // On a real display the focus comes once the window manager has activated the dialog.
    ASSERT_TRUE(WaitFor([this] {
      comment->SetFocus();
      return CWnd::GetFocus() == comment;
    }));
    static_cast<CEdit*>(comment)->SetSel(-1, -1);
  }

  void Tab(UINT modifiers) {
    CWnd* focus = CWnd::GetFocus();
    ASSERT_NE(focus, nullptr);
    SimulateKey(focus, VK_TAB, true, u"\t", modifiers);
    if (CWnd::IsWindowHandle(focus)) SimulateKey(focus, VK_TAB, false, u"\t", modifiers);
    PumpMessages();
  }

  CUiApplication application;
  CScriptedAnswers answers;
  CDialog dialog;
  CWnd* comment = nullptr;
};

TEST_F(MultiLineEditTabTest, TabMovesTheFocusOnAndTypesNothing) {
  Tab(0);
  ASSERT_NE(CWnd::GetFocus(), nullptr);
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), IDOK);
  // The picture is kept for a look when asked for.
  if (const char* keep = std::getenv("ZD_SCREENSHOT_DIR"))
    SaveWindowImage(&dialog, CString::FromUtf8(std::string(keep) + "/comment-after-tab.png"));
  EXPECT_EQ(comment->GetWindowTextString(), CString(u"cracked"));
  Tab(MK_SHIFT);
  EXPECT_EQ(CWnd::GetFocus(), comment) << "Shift+Tab goes back";
  EXPECT_EQ(comment->GetWindowTextString(), CString(u"cracked"));
}

TEST_F(MultiLineEditTabTest, ControlTabTypesATab) {
  Tab(MK_CONTROL);
  EXPECT_EQ(CWnd::GetFocus(), comment);
  EXPECT_EQ(comment->GetWindowTextString(), CString(u"cracked\t"));
}

TEST(MultiLineEditOutsideDialogsTest, TabTypesATab) {
  CUiApplication application;
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, u"parent", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(5, 5, 150, 60), &parent, 7));
  parent.ShowWindow(SW_SHOW);
  ASSERT_TRUE(WaitFor([&edit] {
    edit.SetFocus();
    return CWnd::GetFocus() == &edit;
  }));
  SimulateTyping(&edit, VK_TAB, u"\t");
  EXPECT_EQ(edit.GetWindowTextString(), CString(u"\t"));
}

}  // namespace
