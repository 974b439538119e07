#include <gtest/gtest.h>

#include <atomic>

#include "platform/gdi/SystemInfo.h"
#include "platform/kernel/Thread.h"
#include "platform/res/DialogTemplateFormat.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UiThread.h"

void RegisterUiTestResources(HMODULE module);

namespace {

constexpr UINT kSettingsDialog = 130;
constexpr int kName = 1001, kRemember = 1002, kChoice = 1003;

class CSettingsDlg : public CDialog {
 public:
  CSettingsDlg() : CDialog(kSettingsDialog) {}
  CString m_name = u"unchanged";
  int m_remember = 0;
  int m_choice = -1;
  bool initOnUiThread = false;
  CComboBox m_combo;

  BOOL OnInitDialog() override {
    initOnUiThread = IsUiThread();
    CDialog::OnInitDialog();
    m_combo.AddString(u"COM1:");
    m_combo.AddString(u"COM7:");
    m_combo.SetCurSel(0);
    return TRUE;
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, kChoice, m_combo);
    DDX_Text(dx, kName, m_name);
    DDX_Check(dx, kRemember, m_remember);
    if (dx->m_bSaveAndValidate) m_choice = m_combo.GetCurSel();
  }
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterUiTestResources(nullptr); }
  CUiApplication application;
  CScriptedAnswers answers;
};

CPoint Middle(CWnd* wnd) {
  CRect rect;
  wnd->GetClientRect(rect);
  return rect.CenterPoint();
}

TEST_F(DialogTest, ScriptDrivesTheModalDialogByControlIds) {
  answers.AddModalDialogScript([](CWnd& dialog) {
    dialog.SetDlgItemText(kName, u"Anna");
    auto* remember = dynamic_cast<CButton*>(dialog.GetDlgItem(kRemember));
    ASSERT_NE(remember, nullptr);
    SimulateClick(remember, Middle(remember));
    static_cast<CComboBox*>(dialog.GetDlgItem(kChoice))->SetCurSel(1);
    SimulateClick(dialog.GetDlgItem(IDOK), Middle(dialog.GetDlgItem(IDOK)));
  });
  CSettingsDlg dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_name, CString(u"Anna"));
  EXPECT_EQ(dialog.m_remember, 1);
  EXPECT_EQ(dialog.m_choice, 1) << "the member control took the template's place";
  EXPECT_FALSE(dialog.IsWindow());
  const auto shown = answers.GetModalDialogs();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].templateId, kSettingsDialog);
  EXPECT_EQ(shown[0].caption, CString(u"Settings"));
}

TEST_F(DialogTest, OwnerIsDisabledWhileTheDialogRunsAndTheDialogStillWorks) {
  CWnd owner;
  ASSERT_TRUE(owner.Create(nullptr, u"ZD-Zedo", WS_POPUP | WS_VISIBLE, CRect(0, 0, 600, 400), nullptr, 0));
  bool ownerEnabledDuring = true;
  answers.AddModalDialogScript([&](CWnd& dialog) {
    ownerEnabledDuring = owner.IsWindowEnabled() != FALSE;
    EXPECT_TRUE(dialog.IsWindowEnabled());
    SimulateClick(dialog.GetDlgItem(kRemember), Middle(dialog.GetDlgItem(kRemember)));
    SimulateClick(dialog.GetDlgItem(IDOK), Middle(dialog.GetDlgItem(IDOK)));
  });
  CSettingsDlg dialog;
  dialog.m_pParentWnd = &owner;
  EXPECT_EQ(dialog.DoModal(), IDOK) << "the toolkit took the clicks: the dialog was enabled";
  EXPECT_EQ(dialog.m_remember, 1);
  EXPECT_FALSE(ownerEnabledDuring);
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(DialogTest, TheOwnerGetsTheActivationAndItsFocusBackWhenTheDialogEnds) {
  CWnd owner;
  ASSERT_TRUE(owner.Create(nullptr, u"ZD-Zedo", WS_POPUP | WS_VISIBLE, CRect(0, 0, 600, 400), nullptr, 0));
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 34), &owner, 1));
  edit.SetFocus();
  PumpMessages();
  ASSERT_EQ(CWnd::GetFocus(), &edit);
  bool dialogActive = false;
  answers.AddModalDialogScript([&](CWnd& dialog) {
    for (int round = 0; round < 200 && !dialogActive; ++round) {
      PumpMessages(10);
      dialogActive = CWnd::GetActiveWindow() == &dialog;
    }
    SimulateClick(dialog.GetDlgItem(IDOK), Middle(dialog.GetDlgItem(IDOK)));
  });
  CSettingsDlg dialog;
  dialog.m_pParentWnd = &owner;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialogActive) << "the dialog had the activation while it ran";
  PumpMessages();
  EXPECT_EQ(CWnd::GetActiveWindow(), &owner);
  EXPECT_EQ(CWnd::GetFocus(), &edit) << "the keys go where they went before the dialog";
}

TEST_F(DialogTest, DialogWithoutScriptIsCancelledAndKeepsItsMembers) {
  CSettingsDlg dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.m_name, CString(u"unchanged"));
}

TEST_F(DialogTest, EnterInAnEditPressesOkAndEscapeCancels) {
  answers.AddModalDialogScript([](CWnd& dialog) {
    CWnd* name = dialog.GetDlgItem(kName);
    dialog.SetDlgItemText(kName, u"Bo");
    SimulateTyping(name, VK_RETURN, u"\r");
  });
  answers.AddModalDialogScript(
      [](CWnd& dialog) { SimulateTyping(dialog.GetDlgItem(kRemember), VK_ESCAPE, u"\x1b"); });
  CSettingsDlg first;
  EXPECT_EQ(first.DoModal(), IDOK);
  EXPECT_EQ(first.m_name, CString(u"Bo"));
  CSettingsDlg second;
  EXPECT_EQ(second.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, ModalDialogFromAWorkerRunsOnTheUserInterfaceThread) {
  answers.AddModalDialogScript(
      [](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
  CSettingsDlg dialog;
  std::atomic<INT_PTR> result{0};
  CThread worker;
  worker.Start([&] {
    result = dialog.DoModal();
    return DWORD(0);
  });
  ASSERT_EQ(WaitForSingleObject(worker, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(result.load(), IDOK);
  EXPECT_TRUE(dialog.initOnUiThread);
}

TEST_F(DialogTest, MissingTemplateFailsWithMinusOne) {
  CDialog dialog(999);
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_TRUE(answers.GetModalDialogs().empty());
}

TEST_F(DialogTest, ModelessDialogPlacesControlsInDialogUnits) {
  CSettingsDlg dialog;
  ASSERT_TRUE(dialog.Create(kSettingsDialog));
  auto* name = dynamic_cast<CEdit*>(dialog.GetDlgItem(kName));
  ASSERT_NE(name, nullptr);
  CRect rect, dialogRect;
  name->GetWindowRect(rect);
  dialog.GetWindowRect(dialogRect);
  // Dialog units of 8-point Tahoma: x * 6 / 4, y * 13 / 8.
  EXPECT_EQ(rect.left - dialogRect.left, 105);
  EXPECT_EQ(rect.top - dialogRect.top, 8);
  EXPECT_EQ(rect.Width(), 150);
  EXPECT_EQ(rect.Height(), 22);
  EXPECT_EQ(dialog.GetDlgItem(kRemember)->GetWindowTextString(), CString(u"Remember"));
  // The controls use the template's font: 8 points at 96 dpi are 11 pixels.
  ASSERT_NE(name->GetFont(), nullptr);
  LOGFONT font{};
  name->GetFont()->GetLogFont(&font);
  EXPECT_EQ(font.lfHeight, -11);
  EXPECT_EQ(CString(font.lfFaceName), CString(u"MS Shell Dlg"));
  EXPECT_EQ(answers.GetModalDialogs().size(), 0u) << "modeless dialogs do not ask the sink";
}

// Dialog 130 is 300 x 162 pixels; the pinned 640 x 480 screen leaves a 640 x 450 work area.
struct SOwnerCase {
  const char* where;
  CRect owner;
  CPoint dialog;
};

class DialogOnTheWorkArea : public DialogTest, public ::testing::WithParamInterface<SOwnerCase> {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    SetScreenSize(640, 480);
  }
  void TearDown() override { SetScreenSize(0, 0); }
};

TEST_P(DialogOnTheWorkArea, ADialogCentredOnItsOwnerStaysOnTheWorkArea) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, u"owner", WS_OVERLAPPEDWINDOW, GetParam().owner, nullptr, 0));
  CSettingsDlg dialog;
  ASSERT_TRUE(dialog.Create(kSettingsDialog, &owner));
  CRect placed;
  dialog.GetWindowRect(placed);
  EXPECT_EQ(placed.TopLeft(), GetParam().dialog) << GetParam().where;
  EXPECT_EQ(placed.Size(), CSize(300, 162));
}

INSTANTIATE_TEST_SUITE_P(
    Owners, DialogOnTheWorkArea,
    ::testing::Values(SOwnerCase{"centred where it fits", CRect(100, 100, 500, 400), CPoint(150, 169)},
                      SOwnerCase{"a narrow owner at the left edge", CRect(0, 10, 100, 210), CPoint(0, 29)},
                      SOwnerCase{"an owner partly off the left", CRect(-100, 10, 0, 210), CPoint(0, 29)},
                      SOwnerCase{"an owner at the bottom right", CRect(600, 400, 700, 480), CPoint(340, 288)},
                      SOwnerCase{"an owner above the screen", CRect(200, -300, 400, -100), CPoint(150, 0)}));

TEST_F(DialogTest, ModelessDialogsTurnRunsTheNextScriptOnItAndLeavesItOpen) {
  CSettingsDlg dialog;
  ASSERT_TRUE(dialog.Create(kSettingsDialog));
  dialog.ShowWindow(SW_SHOW);
  answers.AddModalDialogScript([](CWnd& shown) { shown.SetDlgItemText(kName, u"typed"); });
  dialog.AwaitUser();
  EXPECT_EQ(dialog.GetDlgItem(kName)->GetWindowTextString(), CString(u"typed"));
  EXPECT_TRUE(dialog.IsWindowVisible());
  const auto shown = answers.GetModalDialogs();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].templateId, kSettingsDialog);
  EXPECT_TRUE(shown[0].modeless);
  dialog.AwaitUser();
  EXPECT_EQ(answers.GetModalDialogs().size(), 2u) << "a turn without a script is recorded and left alone";
  EXPECT_TRUE(dialog.IsWindowVisible());
}

TEST(DialogTemplateFormatTest, TruncatedTemplatesAreRefused) {
  DialogTemplateFormat::SDialog dialog;
  dialog.caption = u"Cap";
  DialogTemplateFormat::SControl control;
  control.kind = DialogTemplateFormat::kEdit;
  control.id = 7;
  control.text = u"x";
  dialog.controls.push_back(control);
  const std::vector<std::uint8_t> bytes = DialogTemplateFormat::Write(dialog);
  ASSERT_TRUE(DialogTemplateFormat::Read(bytes.data(), bytes.size()).has_value());
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    SCOPED_TRACE(size);
    EXPECT_FALSE(DialogTemplateFormat::Read(bytes.data(), size).has_value());
  }
  std::vector<std::uint8_t> wrongVersion = bytes;
  wrongVersion[0] = 2;
  EXPECT_FALSE(DialogTemplateFormat::Read(wrongVersion.data(), wrongVersion.size()).has_value());
}

}  // namespace
