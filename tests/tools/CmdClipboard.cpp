// zdtool clip-copy PROJECT.jvd: opens the project, chooses every measurement and copies them to
// the clipboard as the program's Copy does, prints "copied N", then keeps serving the clipboard
// until standard input ends or a termination signal arrives: on X11 the data stays with the
// process that put it there.
// zdtool clip-paste OUT.jvd: pastes the clipboard's measurements into a new project as the
// program's Paste does and saves it, printing "pasted N".

#include <cstdio>

#include "document/ZedoDoc.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/UiApplication.h"
#include "tests/tools/CmdProjectSupport.h"
#include "tests/tools/ZdTool.h"

namespace {

int Copy(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool clip-copy PROJECT.jvd\n");
    return 2;
  }
  CUiApplication app;
  CProjectSession session;
  CZedoDoc doc;
  if (!doc.OnFileOpen(CString::FromUtf8(args[0]))) return 1;
  doc.SelectAll(true);
  std::vector<BYTE> selection;
  for (int i = 0; i < doc.GetCount(); ++i) selection.push_back(doc.IsSelected(i) ? 1 : 0);
  if (!OpenClipboard(nullptr)) {
    std::fprintf(stderr, "the clipboard cannot be opened\n");
    return 1;
  }
  EmptyClipboard();
  const bool copied = doc.CopyToClipboard(selection);
  CloseClipboard();
  if (!copied) {
    std::fprintf(stderr, "nothing was copied\n");
    return 1;
  }
  // The parent waits for this line before it pastes.
  std::printf("copied %d\n", doc.GetCount());
  std::fflush(stdout);
  return app.RunUntilInputEnds();
}

int Paste(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool clip-paste OUT.jvd\n");
    return 2;
  }
  CUiApplication app;
  CProjectSession session;
  CZedoDoc doc;
  if (!doc.IsClipboardDataAvailable()) {
    std::fprintf(stderr, "the clipboard holds no measurements\n");
    return 1;
  }
  if (!OpenClipboard(nullptr)) {
    std::fprintf(stderr, "the clipboard cannot be opened\n");
    return 1;
  }
  const bool pasted = doc.PasteFromClipboard();
  CloseClipboard();
  if (!pasted) {
    std::fprintf(stderr, "the clipboard's measurements cannot be read\n");
    return 1;
  }
  if (!doc.SaveToPath(CString::FromUtf8(args[0]))) return 1;
  std::printf("pasted %d\n", doc.GetCount());
  return 0;
}

ZdCommandRegistrar copyRegistrar({"clip-copy", "PROJECT.jvd", Copy});
ZdCommandRegistrar pasteRegistrar({"clip-paste", "OUT.jvd", Paste});

}  // namespace
