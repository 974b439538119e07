// zdtool program-update [--program-folder DIR] [--mandatory] [--auto-finish]
//                       [--press next|finish|cancel]...
// runs the program-update wizard (messages on) with a scripted user: it presses the given
// buttons, then Next while enabled, else Finish; boxes get their default answer. Each time a
// page waits, and when the wizard ends, it prints the page's visible texts, its progress and
// the enabled buttons; then the installer handed to the desktop opener and the result.

#include <cstdio>
#include <deque>
#include <string>

#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/UpdateWizardUser.h"
#include "tests/tools/ZdTool.h"
#include "update/AutoUpdate.h"
#include "update/PageDownload.h"
#include "update/PageSearch.h"

namespace {

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
        presses.push_back(kUpdateWizardCancel);
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
    if (auto* sheet = dynamic_cast<CAutoUpdate*>(&dialog)) PlayUpdateWizardUser(*sheet, presses);
  });
  CAutoUpdate sheet(nullptr, folder);
  const bool started = sheet.Run(mandatory, true, finishAutomatically);
  for (const auto& box : answers.GetMessageBoxes())
    std::printf("box=%s\n", EscapedLineEnds(box.text).c_str());
  if (!sheet.GetStartedInstaller().IsEmpty())
    std::printf("opened=%s\n", sheet.GetStartedInstaller().ToUtf8().c_str());
  std::printf("result=%d\n", started ? 1 : 0);
  return 0;
}

const ZdCommandRegistrar kProgramUpdateRegistrar(
    {"program-update", "[--program-folder DIR] [--mandatory] [--auto-finish] [--press BUTTON]...",
     &RunProgramUpdate});

}  // namespace
