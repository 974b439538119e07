// zdtool program-update [--program-folder DIR] [--mandatory] [--auto-finish]
//                       [--press next|finish|cancel]...
// runs the program-update wizard (messages on) with a scripted user: it presses the given
// buttons, then Next while enabled, else Finish; boxes get their default answer. Each time a
// page waits, and when the wizard ends, it prints the page's visible texts, its progress and
// the enabled buttons; then the installer handed to the desktop opener and the result.

#include <cstdio>
#include <deque>
#include <string>

#include "app/update/AutoUpdate.h"
#include "app/update/PageDownload.h"
#include "app/update/PageSearch.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/ZdTool.h"

namespace {

constexpr DWORD kPollMs = 5;
constexpr DWORD kCancel = 0x100;

std::string Escaped(const CString& text) {
  CString copy = text;
  copy.Replace(u"\r", u"\\r");
  copy.Replace(u"\n", u"\\n");
  return copy.ToUtf8();
}

void PrintVisibleText(CWnd& page, const char* name, int id) {
  CWnd* control = page.GetDlgItem(id);
  if (!control || !control->IsWindowVisible()) return;
  CString text;
  page.GetDlgItemText(id, text);
  std::printf("%s=%s\n", name, Escaped(text).c_str());
}

void PrintPage(CAutoUpdate& sheet) {
  CDialog* page = sheet.GetActivePage();
  if (!page) return;
  const bool search = page == &sheet.GetSearchPage();
  std::printf("page=%s\n", search ? "search" : "download");
  PrintVisibleText(*page, "title", search ? IDC_UPDATE_SEARCH_TITLE : IDC_UPDATE_DOWNLOAD_TITLE);
  PrintVisibleText(*page, "status", search ? IDC_UPDATE_SECOND_LINE : IDC_UPDATE_DOWNLOAD_STATUS);
  if (search) PrintVisibleText(*page, "message", IDC_UPDATE_MESSAGE);
  if (!search) {
    auto* progress = dynamic_cast<CProgressCtrl*>(page->GetDlgItem(IDC_UPDATE_PROGRESS));
    if (progress && progress->IsWindowVisible()) std::printf("progress=%d\n", progress->GetPos());
  }
  const DWORD buttons = sheet.GetWizardButtons();
  std::string names;
  if (buttons & kWizardBack) names += "back,";
  if (buttons & kWizardNext) names += "next,";
  if (buttons & kWizardFinish) names += "finish,";
  if (!names.empty()) names.pop_back();
  std::printf("buttons=%s\n", names.c_str());
}

// Plays the user until the wizard ends.
void PlayUser(CAutoUpdate& sheet, std::deque<DWORD> presses) {
  CDialog* printed = nullptr;
  while (!sheet.HasEnded()) {
    PumpMessages(kPollMs);
    if (sheet.HasEnded() || sheet.IsBusy()) continue;
    PrintPage(sheet);
    printed = sheet.GetActivePage();
    DWORD press = 0;
    if (!presses.empty()) {
      press = presses.front();
      presses.pop_front();
    } else if (sheet.GetWizardButtons() & kWizardNext) {
      press = kWizardNext;
    } else if (sheet.GetWizardButtons() & kWizardFinish) {
      press = kWizardFinish;
    } else {
      press = kCancel;
    }
    if (press == kCancel) {
      sheet.SendMessage(WM_COMMAND, IDCANCEL);
    } else {
      sheet.PressButton(press);
    }
    if (printed != sheet.GetActivePage()) printed = nullptr;
  }
  if (printed != sheet.GetActivePage()) PrintPage(sheet);
}

int RunProgramUpdate(const std::vector<std::string>& args) {
  CString folder = u".";
  bool mandatory = false;
  bool finishAutomatically = false;
  std::deque<DWORD> presses;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--mandatory") {
      mandatory = true;
    } else if (args[i] == "--auto-finish") {
      finishAutomatically = true;
    } else if (args[i] == "--program-folder" && i + 1 < args.size()) {
      folder = CString::FromUtf8(args[++i]);
    } else if (args[i] == "--press" && i + 1 < args.size()) {
      const std::string button = args[++i];
      if (button == "next") {
        presses.push_back(kWizardNext);
      } else if (button == "finish") {
        presses.push_back(kWizardFinish);
      } else if (button == "cancel") {
        presses.push_back(kCancel);
      } else {
        std::fprintf(stderr, "unknown button %s\n", button.c_str());
        return 2;
      }
    } else {
      std::fprintf(stderr,
                   "usage: zdtool program-update [--program-folder DIR] [--mandatory] [--auto-finish] "
                   "[--press next|finish|cancel]...\n");
      return 2;
    }
  }
  CUiApplication application;
  RegisterProgramResources(nullptr);
  CScriptedAnswers answers;
  answers.AddModalDialogScript([&presses](CWnd& dialog) {
    if (auto* sheet = dynamic_cast<CAutoUpdate*>(&dialog)) PlayUser(*sheet, presses);
  });
  CAutoUpdate sheet(nullptr, folder);
  const bool started = sheet.Run(mandatory, true, finishAutomatically);
  for (const auto& box : answers.GetMessageBoxes()) std::printf("box=%s\n", Escaped(box.text).c_str());
  if (!sheet.GetStartedInstaller().IsEmpty())
    std::printf("opened=%s\n", sheet.GetStartedInstaller().ToUtf8().c_str());
  std::printf("result=%d\n", started ? 1 : 0);
  return 0;
}

const ZdCommandRegistrar kRegistrar(
    {"program-update", "[--program-folder DIR] [--mandatory] [--auto-finish] [--press BUTTON]...",
     &RunProgramUpdate});

}  // namespace
