#include "login/LoginCheck.h"
#include "platform/res/ControlStyles.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Wnd.h"
#include "resources/ResourceIds.h"
#include "tests/login/LoginFixture.h"

namespace {

using LoginCheckTest = LoginTest;

TEST_F(LoginCheckTest, NoRequiredRightPassesWithoutAskingTheDevice) {
  CProfileDevice device;
  CString email = u"kept@example.com";
  EXPECT_TRUE(RunLoginCheck(nullptr, device, 0, email));
  EXPECT_TRUE(device.attempts.empty());
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
  EXPECT_TRUE(answers.GetModalDialogs().empty());
  EXPECT_EQ(email, CString(u"kept@example.com"));
}

// The ZD-2 has no profiles: its login grants super-user rights, and it needs no cloud sign-in.
TEST_F(LoginCheckTest, AZd2GrantsSuperUserAndCloudRightsWithoutProfiles) {
  auto zd2 = Device::CreateDevice(9);
  CString email;
  CLoginCheck check(nullptr, *zd2, SDeviceLogin::kSuperUser | SDeviceLogin::kCloudSignInDone, email);
  EXPECT_TRUE(check.Run());
  EXPECT_EQ(check.GetLogin().flags, 0x16);
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
}

TEST_F(LoginCheckTest, ARefusedLoginWithoutPasswordIsAnUnknownError) {
  CProfileDevice device;
  device.refusedFlags = 0;
  CString email;
  EXPECT_FALSE(RunLoginCheck(nullptr, device, SDeviceLogin::kSuperUser, email));
  ASSERT_EQ(answers.GetMessageBoxes().size(), 1u);
  EXPECT_EQ(answers.GetMessageBoxes()[0].text, CString(u"Unknown error at device login."));
  EXPECT_EQ(answers.GetMessageBoxes()[0].type, UINT(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(answers.GetModalDialogs().empty());
}

// The device refuses the empty login; the user types the profile and password into the
// remote-login dialog, whose password edit hides what is typed.
TEST_F(LoginCheckTest, TheRemoteLoginDialogLogsInWithTheTypedProfile) {
  CProfileDevice device;
  answers.AddModalDialogScript([](CWnd& dialog) {
    CString shown;
    dialog.GetDlgItemText(IDC_LOGIN_NAME, shown);
    EXPECT_EQ(shown, CString()) << "the refused login named no profile";
    EXPECT_TRUE(dialog.GetDlgItem(IDC_LOGIN_PASSWORD)->GetStyle() & ES_PASSWORD);
    dialog.SetDlgItemText(IDC_LOGIN_NAME, u"admin");
    dialog.SetDlgItemText(IDC_LOGIN_PASSWORD, u"secret");
    dialog.SendMessage(WM_COMMAND, IDOK);
  });
  CString email;
  CLoginCheck check(nullptr, device, SDeviceLogin::kHasPassword | SDeviceLogin::kSuperUser, email);
  EXPECT_TRUE(check.Run());
  ASSERT_EQ(answers.GetModalDialogs().size(), 1u);
  EXPECT_EQ(answers.GetModalDialogs()[0].templateId, IDD_REMOTE_LOGIN);
  EXPECT_EQ(answers.GetModalDialogs()[0].caption, CString(u"Remote Login"));
  ASSERT_EQ(device.attempts.size(), 2u);
  EXPECT_EQ(device.attempts[1].userName, CString(u"admin"));
  EXPECT_EQ(device.attempts[1].password, CString(u"secret"));
  EXPECT_EQ(device.attempts[1].flags, 0);
  EXPECT_EQ(check.GetLogin().flags, 0x17);
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
}

// A wrong password shows "Login failed"; Retry keeps the dialog for another try, Cancel ends
// it and the check with it.
TEST_F(LoginCheckTest, AWrongPasswordCanBeRetriedOrGivenUp) {
  CProfileDevice device;
  answers.AddMessageBoxAnswer(IDRETRY);
  answers.AddMessageBoxAnswer(IDCANCEL);
  answers.AddModalDialogScript([](CWnd& dialog) {
    dialog.SetDlgItemText(IDC_LOGIN_NAME, u"admin");
    dialog.SetDlgItemText(IDC_LOGIN_PASSWORD, u"wrong");
    dialog.SendMessage(WM_COMMAND, IDOK);
    dialog.SetDlgItemText(IDC_LOGIN_PASSWORD, u"still wrong");
    dialog.SendMessage(WM_COMMAND, IDOK);
  });
  CString email;
  EXPECT_FALSE(RunLoginCheck(nullptr, device, SDeviceLogin::kHasPassword, email));
  ASSERT_EQ(answers.GetMessageBoxes().size(), 2u);
  for (const auto& box : answers.GetMessageBoxes()) {
    EXPECT_EQ(box.text, CString(u"Login failed"));
    EXPECT_EQ(box.type, UINT(MB_RETRYCANCEL | MB_ICONEXCLAMATION));
  }
  EXPECT_EQ(device.attempts.size(), 3u);
}

// No step asks the user for right 0x08, so no later round could gain it: the check gives up
// after one login instead of asking the device for ever.
TEST_F(LoginCheckTest, ARightNoStepAsksForFailsAfterOneRound) {
  CProfileDevice device;
  device.refusedFlags = 0;
  device.profile.Empty();
  device.password.Empty();
  CString email;
  EXPECT_FALSE(RunLoginCheck(nullptr, device, 0x08, email));
  EXPECT_EQ(device.attempts.size(), 1u);
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
}

struct SMissingRightCase {
  const char* name;
  WORD required;
  WORD granted;  // what the device grants at the first login
  const char16_t* text;
};

void PrintTo(const SMissingRightCase& c, std::ostream* out) { *out << c.name; }

class MissingRightTest : public LoginTest, public ::testing::WithParamInterface<SMissingRightCase> {};

// The box names the missing right; Retry logs in again, and a device that now grants the right
// passes, while Cancel gives up.
TEST_P(MissingRightTest, TheUserIsToldAndMayRetry) {
  const SMissingRightCase& param = GetParam();
  for (const int answer : {IDRETRY, IDCANCEL}) {
    CScriptedAnswers boxes;
    boxes.AddMessageBoxAnswer(answer);
    CProfileDevice device;
    device.refusedFlags = 0;
    device.profile.Empty();
    device.password.Empty();
    device.grantedFlags = {param.granted, 0x17};
    CString email;
    EXPECT_EQ(RunLoginCheck(nullptr, device, param.required, email), answer == IDRETRY);
    ASSERT_EQ(boxes.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(boxes.GetMessageBoxes()[0].text, CString(param.text));
    EXPECT_EQ(boxes.GetMessageBoxes()[0].type, UINT(MB_RETRYCANCEL | MB_ICONEXCLAMATION));
    EXPECT_EQ(device.attempts.size(), answer == IDRETRY ? 2u : 1u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rights, MissingRightTest,
    ::testing::Values(
        SMissingRightCase{
            "SuperUser", 0x02, 0x15,
            u"The active user profile in the device does not have super user rights.\r\nChange the "
            u"active user then press retry."},
        SMissingRightCase{
            "Password", 0x01, 0x16,
            u"The active user profile in the device does not have a password defined.\r\nDefine a "
            u"password, then press retry."},
        // A device that needs no cloud sign-in but does not say it is done.
        SMissingRightCase{
            "Cloud", 0x10, 0x07,
            u"To update this device, please log in with the credentials of your account on 127.0.0.1."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
