// zdtool render-dialog ID OUTFILE.png: makes the dialog resource ID from its template as the
// program does, without running it, and writes its picture (client area and controls).

#include <cstdio>
#include <string>

#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "tests/tools/ProgramDialog.h"
#include "tests/tools/ZdTool.h"

namespace {

int RunRenderDialog(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: zdtool render-dialog ID OUTFILE.png\n");
    return 2;
  }
  CUiApplication application;
  CWnd host;
  CDialog dialog;
  if (!CreateProgramDialog(dialog, args[0], host)) return 1;
  const bool saved = SaveWindowImage(&dialog, CString::FromUtf8(args[1]));
  dialog.DestroyWindow();
  if (!saved) {
    std::fprintf(stderr, "%s could not be written.\n", args[1].c_str());
    return 1;
  }
  return 0;
}

const ZdCommandRegistrar kRenderDialogRegistrar({"render-dialog", "ID OUTFILE.png", &RunRenderDialog});

}  // namespace
