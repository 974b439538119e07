// zdtool frame [--program-folder DIR] [--com N | --scan] [--cancel-wizard] [--wizard-picture OUT.png]
//              [--answer yes|no|ok|cancel|retry]... COMMAND...
// Runs the program's main frame headless, with DIR as its program folder, and carries out the
// commands in order: download OUT.jvd, delete-all, disconnect, firmware-update, live-view,
// menu (the "New version available!" entries once the update checks have ended) and
// program-update (the update wizard, played as zdtool program-update plays it). A
// scripted user works the connection wizard (Serial at COM N, a scan, or the remembered
// choices; Finish when the search found an instrument, else Cancel) and answers the message
// boxes with the --answer words in order, then No, Cancel or OK. Everything the user would see
// is printed as it happens, one fact a line. --wizard-picture draws the wizard as the search
// result shows in it.

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/VexaZedoApp.h"
#include "calibration/MeasDlg.h"
#include "connection/DevFoundPage.h"
#include "connection/PortSelectPage.h"
#include "connection/VexalonConnection.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageTap.h"
#include "platform/ui/ProgramRun.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UserAnswers.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/BoxLines.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/UpdateWizardUser.h"
#include "tests/tools/ZdTool.h"
#include "update/AutoUpdate.h"

namespace {

// Search and download run on the simulator's time scale; this bounds a wait for the search.
constexpr DWORD kSearchPollMs = 20;
// The update checks give up on a silent server within this (scaled) time.
constexpr DWORD kUpdateCheckWaitMs = 60000;

struct SOptions {
  std::string programFolder = ".";
  int com = 0;
  bool scan = false;
  bool cancelWizard = false;
  std::string wizardPicture;
  std::deque<int> answers;
  std::vector<std::vector<std::string>> commands;
};

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

class CWizardUser : public CUserAnswerSink {
 public:
  explicit CWizardUser(const SOptions& options) : m_options(options), m_answers(options.answers) {}

  int OnMessageBox(const SMessageBoxRequest& request) override {
    Print(BoxLine(request.type, request.text));
    const std::vector<int> buttons = MessageBoxButtons(request.type);
    auto has = [&](int button) { return std::find(buttons.begin(), buttons.end(), button) != buttons.end(); };
    if (!m_answers.empty()) {
      const int answer = m_answers.front();
      m_answers.pop_front();
      return answer;
    }
    return has(IDNO) ? IDNO : has(IDCANCEL) ? IDCANCEL : IDOK;
  }

  bool OnModalDialog(const SModalDialogRequest& request) override {
    if (auto* update = dynamic_cast<CAutoUpdate*>(request.dialog)) {
      PlayUpdateWizardUser(*update, {});
      return true;
    }
    if (auto* liveView = dynamic_cast<CMeasDlg*>(request.dialog)) {
      // The Live View dialog has connected and shows the instrument; it is closed with Exit.
      Print("live_view_info=" +
            EscapedText(liveView->GetDlgItem(IDC_MEAS_DEVICE_INFO1)->GetWindowTextString()));
      return true;
    }
    auto* sheet = dynamic_cast<CPropertySheet*>(request.dialog);
    if (!sheet) return false;
    Print("wizard=shown");
    PumpMessages();
    auto* port = dynamic_cast<CPortSelectPage*>(sheet->GetActivePage());
    if (!port || m_options.cancelWizard) return Cancel(*sheet);
    ChoosePort(*port);
    sheet->PressButton(ID_WIZNEXT);
    PumpMessages();
    auto* found = dynamic_cast<CDevFoundPage*>(sheet->GetActivePage());
    if (!found) return Cancel(*sheet);
    while (found->IsSearching()) PumpMessages(kSearchPollMs);
    PumpMessages();
    auto* devices = dynamic_cast<CComboBox*>(found->GetDlgItem(IDC_WIZARD_DEVICES));
    for (int i = 0; devices && i < devices->GetCount(); ++i) {
      CString entry;
      devices->GetLBText(i, entry);
      Print("found=" + EscapedText(entry));
    }
    Print("wizard_status=" + EscapedText(found->GetDlgItem(IDC_WIZARD_STATUS)->GetWindowTextString()));
    Print("wizard_info=" + EscapedText(found->GetDlgItem(IDC_WIZARD_DEVICE_INFO)->GetWindowTextString()));
    if (!m_options.wizardPicture.empty() &&
        !SaveWindowImage(sheet, CString::FromUtf8(m_options.wizardPicture)))
      std::fprintf(stderr, "%s could not be written.\n", m_options.wizardPicture.c_str());
    if (devices && devices->GetCurSel() >= 0 && sheet->PressButton(ID_WIZFINISH)) {
      Print("wizard=finish");
      return true;
    }
    return Cancel(*sheet);
  }

 private:
  static bool Cancel(CPropertySheet& sheet) {
    sheet.PressButton(IDCANCEL);
    Print("wizard=cancel");
    return true;
  }

  void ChoosePort(CPortSelectPage& page) {
    auto* kinds = dynamic_cast<CComboBox*>(page.GetDlgItem(IDC_WIZARD_PORT_KIND));
    std::string names;
    for (int i = 0; kinds && i < kinds->GetCount(); ++i) {
      CString name;
      kinds->GetLBText(i, name);
      names += (i ? "," : "") + name.ToUtf8();
      if (name == u"Serial" && (m_options.com > 0 || m_options.scan)) {
        kinds->SetCurSel(i);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WIZARD_PORT_KIND, CBN_SELCHANGE), LPARAM(kinds));
      }
    }
    Print("wizard_kinds=" + names);
    if (m_options.com > 0) {
      page.CheckDlgButton(IDC_WIZARD_SCAN, BST_UNCHECKED);
      page.SetDlgItemInt(IDC_WIZARD_COM_PORT, UINT(m_options.com), FALSE);
    } else if (m_options.scan) {
      page.CheckDlgButton(IDC_WIZARD_SCAN, BST_CHECKED);
    }
  }

  const SOptions& m_options;
  std::deque<int> m_answers;
};

bool ParseAnswer(const std::string& word, int& answer) {
  static const std::pair<const char*, int> kWords[] = {
      {"yes", IDYES}, {"no", IDNO}, {"ok", IDOK}, {"cancel", IDCANCEL}, {"retry", IDRETRY}};
  for (const auto& [name, id] : kWords) {
    if (word == name) {
      answer = id;
      return true;
    }
  }
  return false;
}

bool ParseOptions(const std::vector<std::string>& args, SOptions& options) {
  size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    const std::string& option = args[i];
    if (option == "--scan") {
      options.scan = true;
    } else if (option == "--cancel-wizard") {
      options.cancelWizard = true;
    } else if (i + 1 < args.size() && option == "--program-folder") {
      options.programFolder = args[++i];
    } else if (i + 1 < args.size() && option == "--wizard-picture") {
      options.wizardPicture = args[++i];
    } else if (i + 1 < args.size() && option == "--com") {
      options.com = std::atoi(args[++i].c_str());
    } else if (i + 1 < args.size() && option == "--answer") {
      int answer = 0;
      if (!ParseAnswer(args[++i], answer)) return false;
      options.answers.push_back(answer);
    } else {
      return false;
    }
  }
  for (; i < args.size(); ++i) {
    if (args[i] == "download" && i + 1 < args.size()) {
      options.commands.push_back({args[i], args[i + 1]});
      ++i;
    } else if (args[i] == "delete-all" || args[i] == "disconnect" || args[i] == "firmware-update" ||
               args[i] == "live-view" || args[i] == "menu" || args[i] == "program-update") {
      options.commands.push_back({args[i]});
    } else {
      return false;
    }
  }
  return !options.commands.empty();
}

UINT CommandId(const std::string& name) {
  if (name == "download") return ID_DOWNLOAD_ALL;
  if (name == "delete-all") return ID_DELETE_ALL_ON_DEVICE;
  if (name == "disconnect") return ID_DISCONNECT;
  if (name == "firmware-update") return ID_UPDATE_FIRMWARE;
  if (name == "program-update") return ID_CHECK_UPDATES;
  return ID_LIVE_VIEW;
}

// The entries of the "New version available!" pop-up once both update checks have ended.
void PrintNewVersionMenu(CMainFrame& frame) {
  if (frame.GetAutoUpdate()) frame.GetAutoUpdate()->WaitForCheck(kUpdateCheckWaitMs);
  TheConnection().WaitForFirmwareCheck(kUpdateCheckWaitMs);
  PumpMessages();
  const HMENU menu = frame.GetNewVersionMenu();
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    CString text;
    GetMenuStringW(menu, UINT(i), text, MF_BYPOSITION);
    Print("menu=" + EscapedText(text));
  }
}

// False when the command closes the window, which ends the commands.
bool RunCommand(CMainFrame& frame, const std::vector<std::string>& command) {
  Print("command=" + command[0]);
  if (command[0] == "menu") {
    PrintNewVersionMenu(frame);
    return true;
  }
  frame.SendMessage(WM_COMMAND, MAKEWPARAM(CommandId(command[0]), 0), 0);
  if (command[0] == "program-update" && frame.GetAutoUpdate() &&
      !frame.GetAutoUpdate()->GetStartedInstaller().IsEmpty()) {
    // The installer runs and the window has been asked to close for it.
    Print("opened=" + frame.GetAutoUpdate()->GetStartedInstaller().ToUtf8());
    return false;
  }
  frame.WaitForDownload();
  PumpMessages();
  if (command[0] == "live-view" && frame.WasLiveViewAllowed()) Print("live_view=allowed");
  Print(std::string("device=") + (TheConnection().GetDevice() ? "1" : "0"));
  Print("records=" + std::to_string(frame.GetDocument().GetCount()));
  if (command[0] == "download" && frame.GetDocument().GetCount() > 0 &&
      frame.GetDocument().SaveToPath(CString::FromUtf8(command[1])))
    Print("saved=" + command[1]);
  return true;
}

int RunFrame(const std::vector<std::string>& args) {
  SOptions options;
  if (!ParseOptions(args, options)) {
    std::fprintf(stderr,
                 "usage: zdtool frame [--program-folder DIR] [--com N | --scan] [--cancel-wizard] "
                 "[--wizard-picture OUT.png] [--answer yes|no|ok|cancel|retry]... COMMAND...\n");
    return 2;
  }
  CUiApplication ui;
  RegisterProgramResources(nullptr);
  CWizardUser user(options);
  CUserAnswerSink* previous = SetUserAnswerSink(&user);
  int exitCode = 0;
  {
    CVexaZedoApp app(CString::FromUtf8(options.programFolder + "/zd-zedo"));
    if (app.InitInstance()) {
      CMainFrame& frame = *app.GetMainFrame();
      MessageTap previousTap =
          SetMessageTap([&frame](CWnd& window, UINT message, WPARAM wParam, LPARAM lParam) {
            if (&window != &frame || message != WM_DOWNLOAD_PROGRESS) return;
            if (lParam == kShowProgress)
              Print("progress=show");
            else if (lParam == kHideProgress)
              Print("progress=hide");
            else
              Print("progress=" + std::to_string(int(wParam)));
          });
      SProgramRunTap programTap;
      programTap.started = [](const CString& path, const std::vector<CString>& arguments) {
        std::string line = "started=" + path.ToUtf8();
        for (const CString& argument : arguments) line += " " + argument.ToUtf8();
        Print(line);
      };
      programTap.ended = [](DWORD code) { Print("ended=" + std::to_string(code)); };
      SProgramRunTap previousProgramTap = SetProgramRunTap(std::move(programTap));
      PumpMessages();
      for (const auto& command : options.commands) {
        if (!RunCommand(frame, command)) break;
      }
      SetProgramRunTap(std::move(previousProgramTap));
      SetMessageTap(std::move(previousTap));
    } else {
      std::fprintf(stderr, "The program could not be started.\n");
      exitCode = 1;
    }
    app.ExitInstance();
  }
  SetUserAnswerSink(previous);
  return exitCode;
}

const ZdCommandRegistrar kFrameRegistrar(
    {"frame",
     "[--program-folder DIR] [--com N | --scan] [--cancel-wizard] "
     "[--wizard-picture OUT.png] [--answer yes|no|ok|cancel|retry]... COMMAND...",
     &RunFrame});

}  // namespace
