// zdtool grid-page PROJECT.jvd [--size WxH] [--select LIST] [--expand all|none] [--png OUT.png]
//   [--copy-text OUT.txt] [--frame-png OUT.png] [--summary-png OUT.png]
// The program's main frame off-screen with the project opened as from the command line and the
// measurement page active, its client area WxH (default 1280x800). LIST: measurement indexes,
// comma-separated, selected as Ctrl+clicks on their column-1 cells would; --expand picks the rows
// menu's "Expand all" or "Collapse all". Once no row animates any more it prints what the page's
// grid reports: rows, column widths, row heights, the sort column and direction and the last
// status-bar text; then writes the page's window image and the grid's copy text (UTF-8, with
// the header row, after Select all); --frame-png and --summary-png write the whole main window,
// with the measurement page and then with the summary page shown. Errors: the program's text,
// exit 1.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <utility>

#include "app/ChildView.h"
#include "app/MainFrame.h"
#include "app/VexaZedoApp.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "tests/tools/CmdProjectSupport.h"
#include "tests/tools/ZdTool.h"
#include "views/TabGrid.h"
#include "views/TabSheet.h"

namespace {

// The rows menu's commands.
constexpr UINT kExpandAll = 1;
constexpr UINT kCollapseAll = 2;
// A row animation ends within this many paints.
constexpr int kMostPaints = 1000;

struct SOptions {
  std::string project;
  int width = 1280;
  int height = 800;
  std::vector<int> select;
  std::string expand;
  std::map<std::string, std::string> outputs;
};

bool ParseList(const std::string& text, std::vector<int>& list) {
  std::stringstream in(text);
  std::string item;
  while (std::getline(in, item, ',')) {
    char* end = nullptr;
    const long value = std::strtol(item.c_str(), &end, 10);
    if (item.empty() || *end || value < 0) return false;
    list.push_back(int(value));
  }
  return true;
}

bool ParseOptions(const std::vector<std::string>& args, SOptions& options) {
  if (args.empty() || args[0].rfind("--", 0) == 0) return false;
  options.project = args[0];
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return false;
    const std::string& option = args[i];
    const std::string& value = args[i + 1];
    if (option == "--size") {
      if (std::sscanf(value.c_str(), "%dx%d", &options.width, &options.height) != 2 || options.width <= 0 ||
          options.height <= 0)
        return false;
    } else if (option == "--select") {
      if (!ParseList(value, options.select)) return false;
    } else if (option == "--expand") {
      if (value != "all" && value != "none") return false;
      options.expand = value;
    } else if (option == "--png" || option == "--copy-text" || option == "--frame-png" ||
               option == "--summary-png") {
      options.outputs[option] = value;
    } else {
      return false;
    }
  }
  return true;
}

// Answers the rows menu with the chosen command; message boxes go to stderr.
class CGridPageSession : public CProjectSession {
 public:
  int OnMessageBox(const SMessageBoxRequest& request) override {
    ++boxes;
    return CProjectSession::OnMessageBox(request);
  }
  UINT OnPopupMenu(const SPopupMenuRequest&) override { return std::exchange(menuAnswer, 0); }
  UINT menuAnswer = 0;
  int boxes = 0;
};

// The frame's outer size for the wanted client size.
void SizeClientArea(CMainFrame& frame, int width, int height) {
  CRect window, client;
  frame.GetWindowRect(window);
  frame.GetClientRect(client);
  frame.MoveWindow(0, 0, width + window.Width() - client.Width(), height + window.Height() - client.Height());
  PumpMessages();
}

// Paints until the row heights stop changing.
void WaitForRows(CCellGrid& grid) {
  std::vector<int> last;
  for (int paint = 0; paint < kMostPaints; ++paint) {
    grid.RedrawWindow();
    PumpMessages();
    std::vector<int> heights;
    for (int row = 0; row < grid.GetRowCount(); ++row) heights.push_back(grid.GetRowHeight(row));
    if (heights == last) return;
    last = std::move(heights);
  }
}

void CtrlClick(CCellGrid& grid, int row, int col) {
  grid.EnsureVisible(row, col);
  CRect cell;
  if (!grid.GetCellRect(row, col, cell)) return;
  const CPoint at = cell.CenterPoint();
  SimulateMouse(&grid, SimulatedMouseAction::Press, VK_LBUTTON, at, MK_CONTROL, MK_LBUTTON | MK_CONTROL);
  SimulateMouse(&grid, SimulatedMouseAction::Release, VK_LBUTTON, at, MK_CONTROL, 0);
  PumpMessages();
}

std::string JoinInts(const std::vector<int>& values) {
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) text += (i ? "," : "") + std::to_string(values[i]);
  return text;
}

void PrintFacts(CCellGrid& grid, CMainFrame& frame) {
  std::vector<int> widths, heights;
  for (int col = 0; col < grid.GetColumnCount(); ++col) widths.push_back(grid.GetColumnWidth(col));
  for (int row = 0; row < grid.GetRowCount(); ++row) heights.push_back(grid.GetRowHeight(row));
  std::printf("rows=%d\n", grid.GetRowCount());
  std::printf("column_widths=%s\n", JoinInts(widths).c_str());
  std::printf("row_heights=%s\n", JoinInts(heights).c_str());
  std::printf("sort_column=%d\n", grid.GetSortColumn());
  std::printf("sort_ascending=%d\n", grid.GetSortAscending() ? 1 : 0);
  std::printf("status=%s\n", frame.GetStatusBar()->GetPaneText(0).ToUtf8().c_str());
}

bool WriteCopyText(CCellGrid& grid, const std::string& path) {
  grid.OnEditSelectAll();
  const std::string text =
      grid.BuildCopyText(TRUE, 0, 0, grid.GetRowCount() - 1, grid.GetColumnCount() - 1).ToUtf8();
  std::ofstream out(path, std::ios::binary);
  out.write(text.data(), std::streamsize(text.size()));
  return bool(out);
}

bool WriteWindow(CWnd& window, const std::string& path) {
  if (SaveWindowImage(&window, CString::FromUtf8(path))) return true;
  std::fprintf(stderr, "%s could not be written.\n", path.c_str());
  return false;
}

// The main window as it shows the measurement page, then the summary page.
int WriteFramePictures(CMainFrame& frame, SOptions& options) {
  if (options.outputs.count("--frame-png") && !WriteWindow(frame, options.outputs["--frame-png"])) return 1;
  if (!options.outputs.count("--summary-png")) return 0;
  frame.GetChildView()->GetTabSheet()->SetActivePage(1);
  PumpMessages();
  frame.UpdateWindow();
  return WriteWindow(frame, options.outputs["--summary-png"]) ? 0 : 1;
}

int RunGridPage(const std::vector<std::string>& args) {
  SOptions options;
  if (!ParseOptions(args, options)) {
    std::fprintf(stderr,
                 "usage: zdtool grid-page PROJECT.jvd [--size WxH] [--select LIST] [--expand all|none] "
                 "[--png OUT.png] [--copy-text OUT.txt] [--frame-png OUT.png] [--summary-png OUT.png]\n");
    return 2;
  }
  if (!std::filesystem::is_regular_file(options.project)) {
    std::fprintf(stderr, "%s: no such project file\n", options.project.c_str());
    return 1;
  }
  CUiApplication ui;
  RegisterProgramResources(nullptr);
  CGridPageSession session;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zdtool-grid-page-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(folder);
  int exitCode = 0;
  {
    CVexaZedoApp app(CString::FromUtf8((folder / "zd-zedo").string()));
    app.SetCommandLine({CString::FromUtf8(options.project)});
    if (!app.InitInstance()) return 1;
    CMainFrame& frame = *app.GetMainFrame();
    SizeClientArea(frame, options.width, options.height);
    CTabGrid& page = *frame.GetChildView()->GetGridPage();
    frame.GetChildView()->GetTabSheet()->SetActivePage(0);
    CCellGrid& grid = page.GetGrid();
    WaitForRows(grid);
    for (int index : options.select) CtrlClick(grid, 2 * index + 1, 1);
    if (!options.expand.empty()) {
      session.menuAnswer = options.expand == "all" ? kExpandAll : kCollapseAll;
      page.ShowRowsMenu();
      WaitForRows(grid);
    }
    // A project the program refused has been reported on stderr.
    if (session.boxes > 0) exitCode = 1;
    if (exitCode == 0) PrintFacts(grid, frame);
    if (exitCode == 0 && options.outputs.count("--png") && !WriteWindow(page, options.outputs["--png"]))
      exitCode = 1;
    if (exitCode == 0 && options.outputs.count("--copy-text") &&
        !WriteCopyText(grid, options.outputs["--copy-text"])) {
      std::fprintf(stderr, "%s could not be written.\n", options.outputs["--copy-text"].c_str());
      exitCode = 1;
    }
    if (exitCode == 0) exitCode = WriteFramePictures(frame, options);
    app.ExitInstance();
  }
  std::filesystem::remove_all(folder);
  return exitCode;
}

const ZdCommandRegistrar kGridPage{
    {"grid-page",
     "PROJECT.jvd [--size WxH] [--select LIST] [--expand all|none] [--png OUT.png] [--copy-text OUT.txt] "
     "[--frame-png OUT.png] [--summary-png OUT.png]",
     RunGridPage}};

}  // namespace
