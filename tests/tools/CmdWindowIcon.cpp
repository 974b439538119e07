// zdtool window-icon ID|cal-dialog|cal-grid OUT.png [--scale N] [--window-png OUT2.png]
// [--hold MS]: shows
// a window and prints the icons it carries and the sizes its window icon offers the window
// system; OUT.png gets that icon in every size side by side, magnified N times (default 4).
//   ID          a plain top-level window given the icon resource ID as its big icon
//   cal-dialog  the calibration adjustment dialog (526), as the calibration command opens it
//   cal-grid    the calibration step grid (519)
// Printed: big=ID|other|none, small=..., sizes=WxH,... (smallest first). --window-png writes
// the window's own picture as well; --hold keeps the window on the screen for MS milliseconds
// first, for a look at it (and at its icon in the window manager's decorations) on a display.

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "calibration/GridDlg.h"
#include "calibration/TestStepDlg.h"
#include "calibration/VexalonDoc.h"
#include "platform/ui/ResourceIcons.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowIconImage.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/ZdTool.h"

namespace {

struct SOptions {
  std::string window;
  std::string picture;
  std::string windowPicture;
  int scale = 4;
  DWORD holdMs = 0;
};

bool ParseOptions(const std::vector<std::string>& args, SOptions& options) {
  if (args.size() < 2) return false;
  options.window = args[0];
  options.picture = args[1];
  for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
    if (args[i] == "--scale") {
      options.scale = std::atoi(args[i + 1].c_str());
    } else if (args[i] == "--hold") {
      options.holdMs = DWORD(std::strtoul(args[i + 1].c_str(), nullptr, 10));
    } else if (args[i] == "--window-png") {
      options.windowPicture = args[i + 1];
    } else {
      return false;
    }
  }
  return args.size() % 2 == 0 && options.scale >= 1;
}

// The icon as the resource id it was loaded from, when it is icon `id`.
std::string NameOf(HICON icon, UINT id) {
  if (!icon) return "none";
  return icon == LoadAppIcon(id) ? std::to_string(id) : "other";
}

int Report(CWnd& window, UINT id, const SOptions& options) {
  window.ShowWindow(SW_SHOW);
  PumpMessages(options.holdMs);
  std::printf("big=%s\nsmall=%s\nsizes=", NameOf(window.GetIcon(TRUE), id).c_str(),
              NameOf(window.GetIcon(FALSE), id).c_str());
  const char* separator = "";
  for (const CSize& size : GetWindowIconSizes(&window)) {
    std::printf("%s%dx%d", separator, int(size.cx), int(size.cy));
    separator = ",";
  }
  std::printf("\n");
  if (!SaveWindowIconImage(&window, options.scale, CString::FromUtf8(options.picture))) {
    std::fprintf(stderr, "%s could not be written.\n", options.picture.c_str());
    return 1;
  }
  if (!options.windowPicture.empty() && !SaveWindowImage(&window, CString::FromUtf8(options.windowPicture))) {
    std::fprintf(stderr, "%s could not be written.\n", options.windowPicture.c_str());
    return 1;
  }
  return 0;
}

int ReportCalibrationDialog(const SOptions& options) {
  CScriptedAnswers answers;
  CVexalonDoc doc;
  int result = 1;
  answers.AddModalDialogScript([&](CWnd& shown) {
    result = Report(shown, IDR_MAINFRAME, options);
    shown.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  CTestStepDlg(true, false, &doc, nullptr).DoModal();
  return result;
}

int ReportStepGrid(const SOptions& options) {
  CWnd owner;
  if (!owner.CreateEx(0, nullptr, u"owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0)) return 1;
  CGridDlg grid(&owner);
  grid.Init(true, true, 0, 3, 5, 800);
  grid.ShowGrid();
  const int result = Report(grid, IDR_MAINFRAME, options);
  grid.DestroyWindow();
  owner.DestroyWindow();
  return result;
}

int ReportPlainWindow(UINT id, const SOptions& options) {
  CWnd window;
  if (!window.CreateEx(0, nullptr, u"icon", WS_OVERLAPPEDWINDOW, CRect(0, 0, 120, 80), nullptr, 0)) return 1;
  window.SetIcon(LoadAppIcon(id), TRUE);
  const int result = Report(window, id, options);
  window.DestroyWindow();
  return result;
}

int RunWindowIcon(const std::vector<std::string>& args) {
  SOptions options;
  if (!ParseOptions(args, options)) {
    std::fprintf(stderr,
                 "usage: zdtool window-icon ID|cal-dialog|cal-grid OUT.png [--scale N] "
                 "[--window-png OUT2.png] [--hold MS]\n");
    return 2;
  }
  CUiApplication application;
  RegisterProgramResources(nullptr);
  if (options.window == "cal-dialog") return ReportCalibrationDialog(options);
  if (options.window == "cal-grid") return ReportStepGrid(options);
  if (options.window.empty() || options.window.find_first_not_of("0123456789") != std::string::npos) {
    std::fprintf(stderr, "unknown window %s\n", options.window.c_str());
    return 2;
  }
  return ReportPlainWindow(UINT(std::stoul(options.window)), options);
}

const ZdCommandRegistrar kRegistrar(
    {"window-icon", "ID|cal-dialog|cal-grid OUT.png [--scale N] [--window-png OUT2.png] [--hold MS]",
     &RunWindowIcon});

}  // namespace
