// zdtool dialog-layout ID: makes the dialog resource ID from its template as the program does
// (its font, dialog units and controls), without running it, and prints what each control
// reports: "control=ID class=CLASS x=X y=Y w=W h=H text=TEXT" in pixels of the dialog's
// client area, then "dialog=ID w=W h=H" with the client size. A control without an id prints
// -1; line breaks in texts print as \r and \n.

#include <cstdio>
#include <string>

#include "platform/ui/DialogLayout.h"
#include "platform/ui/UiApplication.h"
#include "tests/tools/ProgramDialog.h"
#include "tests/tools/ZdTool.h"

namespace {

std::string Printable(const CString& text) {
  std::string out;
  for (char ch : text.ToUtf8()) {
    if (ch == '\r') {
      out += "\\r";
    } else if (ch == '\n') {
      out += "\\n";
    } else {
      out += ch;
    }
  }
  return out;
}

int RunDialogLayout(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool dialog-layout ID\n");
    return 2;
  }
  CUiApplication application;
  CWnd host;
  CDialog dialog;
  if (!CreateProgramDialog(dialog, args[0], host)) return 1;
  const SDialogLayout layout = ReportDialogLayout(dialog);
  for (const SDialogControlPlacement& control : layout.controls) {
    std::printf("control=%d class=%s x=%d y=%d w=%d h=%d text=%s\n", control.id,
                control.kind.ToUtf8().c_str(), int(control.rect.left), int(control.rect.top),
                int(control.rect.Width()), int(control.rect.Height()), Printable(control.text).c_str());
  }
  std::printf("dialog=%lu w=%d h=%d\n", std::stoul(args[0]), int(layout.client.cx), int(layout.client.cy));
  dialog.DestroyWindow();
  return 0;
}

const ZdCommandRegistrar kDialogLayoutRegistrar({"dialog-layout", "ID", &RunDialogLayout});

}  // namespace
