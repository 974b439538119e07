// zdtool login-check RIGHTS [--type N] [--port PORTNAME] [--email E] [--password P]
// [--answer yes|no|ok|cancel|retry]...: runs the connection wizard's login check with the
// rights RIGHTS (hexadecimal) for a device of type N (default 9, the ZD-2), attached to
// PORTNAME when one is given. The wizard's cloud e-mail is loaded before and saved after, as
// the wizard's holder does. The scripted user types E (when given) and P into the sign-in
// dialog and presses "Sign in", or into the remote-login dialog and presses OK, and again
// after each Retry; message boxes take the answers in order, then No, Cancel or OK, whichever
// the box has. Prints "dialog=remote-login|server-login" per dialog, "box=ICON|TEXT" per
// message box (CR, LF, TAB and backslash as \r \n \t \\), then "result=pass|fail",
// "flags=0xNN" (the login record the check ended with) and "cloud_email=".

#include <algorithm>
#include <cstdio>
#include <deque>
#include <optional>
#include <string>

#include "connection/DevSelectSheet.h"
#include "connection/VexalonConnection.h"
#include "device/DeviceFactory.h"
#include "device/JvDevice.h"
#include "drivers/DriverClasses.h"
#include "login/LoginCheck.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UserAnswers.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/BoxLines.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/Zd2Connection.h"
#include "tests/tools/ZdTool.h"

namespace {

class CToolUser : public CUserAnswerSink {
 public:
  CToolUser(std::deque<int> answers, std::optional<CString> email, CString password)
      : m_answers(std::move(answers)), m_email(std::move(email)), m_password(std::move(password)) {
    m_previous = SetUserAnswerSink(this);
  }
  ~CToolUser() override { SetUserAnswerSink(m_previous); }
  CToolUser(const CToolUser&) = delete;
  CToolUser& operator=(const CToolUser&) = delete;

  int OnMessageBox(const SMessageBoxRequest& request) override {
    std::printf("%s\n", BoxLine(request.type, request.text).c_str());
    const std::vector<int> buttons = MessageBoxButtons(request.type);
    int answer = 0;
    if (!m_answers.empty()) {
      answer = m_answers.front();
      m_answers.pop_front();
    } else {
      for (int fallback : {IDNO, IDCANCEL, IDOK}) {
        if (std::find(buttons.begin(), buttons.end(), fallback) != buttons.end()) {
          answer = fallback;
          break;
        }
      }
    }
    m_lastAnswer = answer;
    return answer;
  }

  // Types the e-mail (or profile) and password and presses the dialog's default button; a box
  // answered Retry keeps the dialog, so the user presses again.
  bool OnModalDialog(const SModalDialogRequest& request) override {
    if (request.templateId != IDD_REMOTE_LOGIN && request.templateId != IDD_SERVER_LOGIN) return false;
    std::printf("dialog=%s\n", request.templateId == IDD_REMOTE_LOGIN ? "remote-login" : "server-login");
    if (m_email) request.dialog->SetDlgItemText(IDC_LOGIN_NAME, *m_email);
    request.dialog->SetDlgItemText(IDC_LOGIN_PASSWORD, m_password);
    do {
      m_lastAnswer = 0;
      request.dialog->SendMessage(WM_COMMAND, IDOK);
    } while (m_lastAnswer == IDRETRY);
    return true;
  }

 private:
  std::deque<int> m_answers;
  std::optional<CString> m_email;  // without one the user keeps what the dialog shows
  CString m_password;
  int m_lastAnswer = 0;
  CUserAnswerSink* m_previous;
};

bool ParseAnswer(const std::string& text, int& answer) {
  static const std::pair<const char*, int> kAnswers[] = {
      {"yes", IDYES}, {"no", IDNO}, {"ok", IDOK}, {"cancel", IDCANCEL}, {"retry", IDRETRY}};
  for (const auto& [name, id] : kAnswers) {
    if (text == name) {
      answer = id;
      return true;
    }
  }
  return false;
}

int LoginCheckUsage() {
  std::fprintf(stderr,
               "usage: zdtool login-check RIGHTS [--type N] [--port PORTNAME] [--email E] [--password P] "
               "[--answer yes|no|ok|cancel|retry]...\n");
  return 2;
}

int RunLoginCheck(const std::vector<std::string>& args) {
  unsigned long rights = 0;
  if (args.empty() || !ParseHexNumber(args[0], rights) || rights > 0xFFFF) return LoginCheckUsage();
  int type = Device::eTypeVexalon;
  std::string port;
  std::optional<CString> email;
  CString password;
  std::deque<int> answers;
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return LoginCheckUsage();
    const std::string& option = args[i];
    const std::string& value = args[i + 1];
    int answer = 0;
    if (option == "--type") {
      type = std::atoi(value.c_str());
    } else if (option == "--port") {
      port = value;
    } else if (option == "--email") {
      email = CString::FromUtf8(value);
    } else if (option == "--password") {
      password = CString::FromUtf8(value);
    } else if (option == "--answer" && ParseAnswer(value, answer)) {
      answers.push_back(answer);
    } else {
      return LoginCheckUsage();
    }
  }

  CUiApplication application;
  RegisterProgramResources(nullptr);
  Device::RegisterDriverClasses();
  std::unique_ptr<Device::CJvDevice> device = Device::CreateDevice(type);
  if (!device) {
    std::fprintf(stderr, "No device class has the type %d.\n", type);
    return 1;
  }
  if (!port.empty() && !AttachDeviceToPort(*device, port)) return 1;

  CToolUser user(std::move(answers), email, password);
  // The wizard's remembered settings, loaded and saved as the connection holder does.
  CDevSelectSheet wizard(IDS_CONNECT_WIZARD_CAPTION, nullptr, 0, WORD(rights));
  wizard.LoadSettings(kConnWizardKey);
  CString& cloudEmail = wizard.m_cloudEmail;
  CLoginCheck check(nullptr, *device, WORD(rights), cloudEmail);
  const bool passed = check.Run();
  wizard.SaveSettings(kConnWizardKey);
  std::printf("result=%s\n", passed ? "pass" : "fail");
  std::printf("flags=0x%02X\n", unsigned(check.GetLogin().flags));
  std::printf("cloud_email=%s\n", EscapedText(cloudEmail).c_str());
  return 0;
}

const ZdCommandRegistrar kLoginCheckRegistrar(
    {"login-check", "RIGHTS [--type N] [--port PORTNAME] [--email E] [--password P] [--answer A]...",
     &RunLoginCheck});

}  // namespace
