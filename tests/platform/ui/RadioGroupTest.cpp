#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "tests/platform/ui_xserver/WaitForCondition.h"

void RegisterUiTestResources(HMODULE module);

namespace {

constexpr UINT kChoicesDialog = 133;
constexpr int kAuto = 1201, kLimit = 1202, kFixed = 1203;
constexpr int kSame = 1211, kOwn = 1212;
constexpr int kRadios[] = {kAuto, kLimit, kFixed, kSame, kOwn};

class RadioGroupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterUiTestResources(nullptr);
    ASSERT_TRUE(dialog.Create(kChoicesDialog));
    dialog.ShowWindow(SW_SHOW);
    dialog.CheckDlgButton(kAuto, BST_CHECKED);
    dialog.CheckDlgButton(kSame, BST_CHECKED);
    PumpMessages();
  }

  // The ids of the checked radio buttons, in template order.
  std::vector<int> Checked() const {
    std::vector<int> checked;
    for (int id : kRadios) {
      if (dialog.IsDlgButtonChecked(id) == BST_CHECKED) checked.push_back(id);
    }
    return checked;
  }

  void Click(int id) {
    CWnd* button = dialog.GetDlgItem(id);
    CRect client;
    button->GetClientRect(client);
    SimulateClick(button, client.CenterPoint());
  }

  // On a real display the focus comes once the window manager has activated the dialog.
  static void Focus(CWnd* wnd) {
    ASSERT_TRUE(WaitFor([wnd] {
      wnd->SetFocus();
      return CWnd::GetFocus() == wnd;
    }));
  }

  void Arrow(UINT key) {
    CWnd* focus = CWnd::GetFocus();
    ASSERT_NE(focus, nullptr);
    SimulateKey(focus, key, true, u"");
    if (CWnd::IsWindowHandle(focus)) SimulateKey(focus, key, false, u"");
    PumpMessages();
  }

  CUiApplication application;
  CScriptedAnswers answers;
  CDialog dialog;
};

TEST_F(RadioGroupTest, CheckingAButtonByMessageLeavesTheOthersAlone) {
  EXPECT_EQ(Checked(), (std::vector<int>{kAuto, kSame})) << "each group keeps the button its owner checked";
  dialog.CheckDlgButton(kLimit, BST_CHECKED);
  EXPECT_EQ(Checked(), (std::vector<int>{kAuto, kLimit, kSame})) << "BM_SETCHECK clears nothing else";
}

TEST_F(RadioGroupTest, AClickClearsTheOtherAutoButtonsOfItsOwnGroupOnly) {
  struct SStep {
    int clicked;
    std::vector<int> checked;
  };
  const SStep steps[] = {
      {kOwn, {kAuto, kOwn}},    {kLimit, {kLimit, kOwn}},
      {kLimit, {kLimit, kOwn}},  // a checked auto radio button stays checked
      {kSame, {kLimit, kSame}}, {kAuto, {kAuto, kSame}},
  };
  for (const SStep& step : steps) {
    SCOPED_TRACE(step.clicked);
    Click(step.clicked);
    EXPECT_EQ(Checked(), step.checked);
  }
}

TEST_F(RadioGroupTest, GroupsRunFromOneGroupStyleToTheNext) {
  auto ids = [&](int id) {
    std::vector<int> members;
    for (CWnd* member : dialog.GetDlgGroup(dialog.GetDlgItem(id))) members.push_back(member->GetDlgCtrlID());
    return members;
  };
  // The "Axis" box comes before the first group style: it belongs to the last group, as the
  // order goes round; the "Display" box belongs to the first.
  EXPECT_EQ(ids(kLimit), (std::vector<int>{kAuto, kLimit, kFixed, IDC_STATIC}));
  EXPECT_EQ(ids(kSame), (std::vector<int>{kSame, kOwn}));
  EXPECT_EQ(ids(IDCANCEL), (std::vector<int>{IDOK, IDCANCEL, IDC_STATIC}));
}

TEST_F(RadioGroupTest, CheckRadioButtonAndGetCheckedRadioButtonGoByIdRange) {
  dialog.CheckRadioButton(kAuto, kFixed, kLimit);
  EXPECT_EQ(Checked(), (std::vector<int>{kLimit, kSame}));
  EXPECT_EQ(dialog.GetCheckedRadioButton(kAuto, kFixed), kLimit);
  EXPECT_EQ(dialog.GetCheckedRadioButton(kSame, kOwn), kSame);
  dialog.CheckRadioButton(kSame, kOwn, kOwn);
  EXPECT_EQ(Checked(), (std::vector<int>{kLimit, kOwn}));
  dialog.CheckRadioButton(kSame, kOwn, 0);
  EXPECT_EQ(dialog.GetCheckedRadioButton(kSame, kOwn), 0) << "no button of the range is checked";
}

TEST_F(RadioGroupTest, ArrowKeysMoveTheFocusAndTheCheckWithinTheGroup) {
  Focus(dialog.GetDlgItem(kAuto));
  struct SStep {
    UINT key;
    int focus;
    std::vector<int> checked;
  };
  // The disabled button and the group box are passed over; the ends go round.
  const SStep steps[] = {
      {VK_DOWN, kLimit, {kLimit, kSame}},
      {VK_DOWN, kAuto, {kAuto, kSame}},
      {VK_UP, kLimit, {kLimit, kSame}},
      {VK_LEFT, kAuto, {kAuto, kSame}},
  };
  for (const SStep& step : steps) {
    SCOPED_TRACE(step.key);
    Arrow(step.key);
    ASSERT_NE(CWnd::GetFocus(), nullptr);
    EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), step.focus);
    EXPECT_EQ(Checked(), step.checked);
  }
  Focus(dialog.GetDlgItem(kSame));
  Arrow(VK_RIGHT);
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), kOwn);
  Arrow(VK_DOWN);
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), kSame) << "the push buttons are a group of their own";
  EXPECT_EQ(Checked(), (std::vector<int>{kAuto, kSame}));
}

TEST(PlainRadioButtonTest, AClickLeavesThePlainRadioButtonToItsOwner) {
  CUiApplication application;
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, u"parent", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
  CButton plain;
  ASSERT_TRUE(
      plain.Create(u"Plain", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, CRect(5, 5, 150, 25), &parent, 7));
  parent.ShowWindow(SW_SHOW);
  SimulateClick(&plain, CPoint(10, 10));
  EXPECT_EQ(plain.GetCheck(), BST_UNCHECKED);
  plain.SetCheck(BST_CHECKED);
  SimulateClick(&plain, CPoint(10, 10));
  EXPECT_EQ(plain.GetCheck(), BST_CHECKED);
}

}  // namespace
