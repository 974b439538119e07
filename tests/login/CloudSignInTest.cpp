#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "login/CloudService.h"
#include "login/LoginCheck.h"
#include "login/RemoteLoginDlg.h"
#include "login/ServerLoginDlg.h"
#include "platform/registry/RegistryStore.h"
#include "platform/res/ControlStyles.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ShellExecute.h"
#include "platform/ui/Wnd.h"
#include "resources/ResourceIds.h"
#include "tests/login/LoginFixture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using nlohmann::json;

json Answer(int status, const std::string& body) { return {{"status", status}, {"body", body}}; }

const std::string kTokenPath = "/api/token/get/";
const std::string kUploadPath = "/api/account/device/log/";
const json kTokenGranted = Answer(200, R"({"access_token":"tok-123","token_type":"bearer"})");

// The user of the sign-in dialog: types the e-mail and password and presses "Sign in".
CScriptedAnswers::DialogScript SignInAs(const CString& email, const CString& password) {
  return [email, password](CWnd& dialog) {
    dialog.SetDlgItemText(IDC_LOGIN_NAME, email);
    dialog.SetDlgItemText(IDC_LOGIN_PASSWORD, password);
    dialog.SendMessage(WM_COMMAND, IDOK);
  };
}

class CloudSignInTest : public LoginTest {
 protected:
  // Runs the login check for the Leeb probe with the cloud right required.
  bool CheckProbe(CString& email) {
    m_probe = LeebProbe();
    CLoginCheck check(nullptr, *m_probe, SDeviceLogin::kCloudSignInDone, email);
    const bool passed = check.Run();
    m_flags = check.GetLogin().flags;
    return passed;
  }

  std::unique_ptr<Device::CJvDevice> m_probe;
  WORD m_flags = 0;
};

// The token request carries the e-mail as user name and client id, the upload the device's
// identity pairs with the token; every value is percent-encoded.
TEST_F(CloudSignInTest, TheProbeSignsInAndUploadsItsIdentity) {
  CCloudStub stub({{kTokenPath, {kTokenGranted}}, {kUploadPath, {Answer(200, R"({"status":"ok"})")}}});
  answers.AddModalDialogScript([](CWnd& dialog) {
    CString shown;
    dialog.GetDlgItemText(IDC_LOGIN_NAME, shown);
    EXPECT_EQ(shown, CString(u"old@example.com"));
    dialog.GetDlgItemText(IDC_SERVER_LOGIN_PROMPT, shown);
    EXPECT_EQ(shown, CString(u"Please log in to your account on 127.0.0.1:"));
    EXPECT_TRUE(dialog.GetDlgItem(IDC_LOGIN_PASSWORD)->GetStyle() & ES_PASSWORD);
    SignInAs(u"a+b@x.org", u"p&w=1 %")(dialog);
  });
  CString email = u"old@example.com";
  EXPECT_TRUE(CheckProbe(email));
  EXPECT_EQ(email, CString(u"a+b@x.org"));
  EXPECT_EQ(m_flags, 0x16);
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
  ASSERT_EQ(answers.GetModalDialogs().size(), 1u);
  EXPECT_EQ(answers.GetModalDialogs()[0].templateId, IDD_SERVER_LOGIN);

  const std::vector<json> requests = stub.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0]["method"], "POST");
  EXPECT_EQ(requests[0]["path"], kTokenPath);
  EXPECT_EQ(requests[0]["headers"]["content-type"], "application/x-www-form-urlencoded");
  EXPECT_FALSE(requests[0]["headers"].contains("authorization"));
  EXPECT_EQ(requests[0]["body"],
            "username=a%2Bb%40x.org&password=p%26w%3D1%20%25&grant_type=password&client_id=a%2Bb%40x.org");
  EXPECT_EQ(requests[1]["method"], "POST");
  EXPECT_EQ(requests[1]["path"], kUploadPath);
  EXPECT_EQ(requests[1]["headers"]["content-type"], "application/x-www-form-urlencoded");
  EXPECT_EQ(requests[1]["headers"]["authorization"], "Bearer tok-123");
  EXPECT_EQ(requests[1]["body"], "device_name=Durimo%20Live%20Leeb%20Probe");
}

TEST_F(CloudSignInTest, AnEmptyPasswordIsSentAsAnEmptyField) {
  CCloudStub stub({{kTokenPath, {kTokenGranted}}, {kUploadPath, {Answer(200, "{}")}}});
  answers.AddModalDialogScript(SignInAs(u"me@x.org", u""));
  CString email;
  EXPECT_TRUE(CheckProbe(email));
  ASSERT_FALSE(stub.Requests().empty());
  EXPECT_EQ(stub.Requests()[0]["body"],
            "username=me%40x.org&password=&grant_type=password&client_id=me%40x.org");
}

struct SFailedSignInCase {
  const char* name;
  json scenario;
  const char16_t* box;   // the text of the "Login failed" box
  std::size_t requests;  // how many requests reached the service
};

void PrintTo(const SFailedSignInCase& c, std::ostream* out) { *out << c.name; }

class FailedSignInTest : public CloudSignInTest, public ::testing::WithParamInterface<SFailedSignInCase> {};

// The user gives up at the box: the dialog ends, the device's cloud flag is cleared and the
// check fails.
TEST_P(FailedSignInTest, TheBoxTellsWhyAndCancelGivesUp) {
  const SFailedSignInCase& param = GetParam();
  CCloudStub stub(param.scenario);
  answers.AddModalDialogScript(SignInAs(u"me@x.org", u"pw"));
  answers.AddMessageBoxAnswer(IDCANCEL);
  CString email = u"old@x.org";
  EXPECT_FALSE(CheckProbe(email));
  EXPECT_EQ(email, CString(u"old@x.org"));
  ASSERT_EQ(answers.GetMessageBoxes().size(), 1u);
  EXPECT_EQ(answers.GetMessageBoxes()[0].text.ToUtf8(), CString(param.box).ToUtf8());
  EXPECT_EQ(answers.GetMessageBoxes()[0].type, UINT(MB_RETRYCANCEL | MB_ICONEXCLAMATION));
  EXPECT_FALSE(m_probe->GetLogin().flags & SDeviceLogin::kCloudSignInDone);
  EXPECT_EQ(stub.Requests().size(), param.requests);
}

const std::string kUnverified = R"({"status":"error","code":"ErrorEmailNotVerified","message":"x"})";

INSTANTIATE_TEST_SUITE_P(
    Answers, FailedSignInTest,
    ::testing::Values(
        SFailedSignInCase{"TokenWithoutAccessToken",
                          {{kTokenPath, {Answer(200, R"({"token_type":"bearer"})")}}},
                          u"Login failed",
                          1},
        SFailedSignInCase{"TokenWithALineBreak",
                          {{kTokenPath, {Answer(200, "{\"access_token\":\"tok\r\nX-Injected: 1\"}")}},
                           {kUploadPath, {Answer(200, "{}")}}},
                          u"Login failed",
                          1},
        SFailedSignInCase{"UploadOfAnUnverifiedEmail",
                          {{kTokenPath, {kTokenGranted}}, {kUploadPath, {Answer(400, kUnverified)}}},
                          u"Login failed\r\n\r\nThe e-mail has not been verified yet",
                          2},
        SFailedSignInCase{
            "WrongCredentials",
            {{kTokenPath, {Answer(401, R"({"status":"error","code":"ErrorWrongLoginCredentials"})")}}},
            u"Login failed\r\n\r\nThe e-mail or password you entered is incorrect",
            1},
        SFailedSignInCase{"InvalidDeviceName",
                          {{kTokenPath, {kTokenGranted}},
                           {kUploadPath, {Answer(400, R"({"status":"error","code":"InvalidDeviceName"})")}}},
                          u"Login failed\r\n\r\nInvalid device name",
                          2},
        SFailedSignInCase{
            "EscapedDescription",
            {{kTokenPath,
              {Answer(400, R"({"status":"error","code":"Other","error_description":"\u0041\u0042"})")}}},
            u"Login failed\r\n\r\nAB",
            1},
        SFailedSignInCase{
            "PlainDescription",
            {{kTokenPath,
              {Answer(400, R"({"status":"error","code":"Other","error_description":"Plain text"})")}}},
            u"Login failed\r\n\r\nPlain text",
            1},
        SFailedSignInCase{"UnknownCodeWithoutDescription",
                          {{kTokenPath, {Answer(403, R"({"status":"error","code":"ErrorAccountLocked"})")}}},
                          u"Login failed\r\n\r\nErrorAccountLocked",
                          1},
        SFailedSignInCase{"ErrorWithoutTheErrorSequence",
                          {{kTokenPath, {Answer(500, R"({"status": "error", "code": "Busy"})")}}},
                          u"Login failed",
                          1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CloudSignInTest, AServiceWithAnUntrustedCertificateIsAnException) {
  CCloudStub stub({{kTokenPath, {kTokenGranted}}}, false);
  answers.AddModalDialogScript(SignInAs(u"me@x.org", u"pw"));
  CString email;
  EXPECT_FALSE(CheckProbe(email));
  ASSERT_EQ(answers.GetMessageBoxes().size(), 1u);
  EXPECT_EQ(answers.GetMessageBoxes()[0].text, CString(u"Login failed\r\n\r\nException occurred"));
  EXPECT_TRUE(stub.Requests().empty()) << "no request may pass an unverified connection";
}

TEST_F(CloudSignInTest, AServiceThatCannotBeReachedIsAnException) {
  answers.AddModalDialogScript(SignInAs(u"me@x.org", u"pw"));
  CString email;
  EXPECT_FALSE(CheckProbe(email));
  ASSERT_EQ(answers.GetMessageBoxes().size(), 1u);
  EXPECT_EQ(answers.GetMessageBoxes()[0].text, CString(u"Login failed\r\n\r\nException occurred"));
}

// After a failure the user may retry in the same dialog; the second sign-in succeeds.
TEST_F(CloudSignInTest, RetryKeepsTheDialogForAnotherSignIn) {
  CCloudStub stub(
      {{kTokenPath,
        {Answer(401, R"({"status":"error","code":"ErrorWrongLoginCredentials"})"), kTokenGranted}},
       {kUploadPath, {Answer(200, "{}")}}});
  answers.AddMessageBoxAnswer(IDRETRY);
  answers.AddModalDialogScript([](CWnd& dialog) {
    SignInAs(u"me@x.org", u"typo")(dialog);
    SignInAs(u"me@x.org", u"right")(dialog);
  });
  CString email;
  EXPECT_TRUE(CheckProbe(email));
  EXPECT_EQ(answers.GetMessageBoxes().size(), 1u);
  EXPECT_EQ(stub.Requests().size(), 3u);
}

TEST_F(CloudSignInTest, BothDialogsEndAtOnceWithoutADevice) {
  CServerLoginDlg serverLogin(nullptr);
  EXPECT_EQ(serverLogin.DoModal(), IDCANCEL);
  CRemoteLoginDlg remoteLogin(nullptr);
  EXPECT_EQ(remoteLogin.DoModal(), IDCANCEL);
  EXPECT_TRUE(answers.GetModalDialogs().empty());
}

TEST_F(CloudSignInTest, RegisterOpensTheServiceWebSite) {
  RegSetString(kServersKey, kCloudServiceValue, u"https://cloud.example.org");
  const std::string record = TestPath("opened.txt");
  const std::string opener = TestPath("opener.sh");
  std::ofstream(opener) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << record << "'\n";
  chmod(opener.c_str(), 0755);
  RegSetString(kShellSettingsKey, kShellOpenCommandValue, CString::FromUtf8(opener));
  answers.AddModalDialogScript([](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, IDC_SERVER_REGISTER); });
  auto probe = LeebProbe();
  CServerLoginDlg dialog(probe.get());
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  // The opener runs as a process of its own; its record appears when it has run.
  std::string opened;
  for (int i = 0; i < 500 && opened.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream file(record);
    opened.assign(std::istreambuf_iterator<char>(file), {});
  }
  EXPECT_EQ(opened, "https://cloud.example.org\n");
}

}  // namespace
