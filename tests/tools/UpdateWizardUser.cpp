#include "tests/tools/UpdateWizardUser.h"

#include <cstdio>

#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/SimulatedInput.h"
#include "resources/ResourceIds.h"
#include "update/AutoUpdate.h"
#include "update/PageDownload.h"
#include "update/PageSearch.h"

namespace {

constexpr DWORD kPollMs = 5;

void PrintVisibleText(CWnd& page, const char* name, int id) {
  CWnd* control = page.GetDlgItem(id);
  if (!control || !control->IsWindowVisible()) return;
  CString text;
  page.GetDlgItemText(id, text);
  std::printf("%s=%s\n", name, EscapedLineEnds(text).c_str());
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

}  // namespace

std::string EscapedLineEnds(const CString& text) {
  CString copy = text;
  copy.Replace(u"\r", u"\\r");
  copy.Replace(u"\n", u"\\n");
  return copy.ToUtf8();
}

void PlayUpdateWizardUser(CAutoUpdate& sheet, std::deque<DWORD> presses) {
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
      press = kUpdateWizardCancel;
    }
    if (press == kUpdateWizardCancel) {
      sheet.SendMessage(WM_COMMAND, IDCANCEL);
    } else {
      sheet.PressButton(press);
    }
    if (printed != sheet.GetActivePage()) printed = nullptr;
  }
  if (printed != sheet.GetActivePage()) PrintPage(sheet);
}
