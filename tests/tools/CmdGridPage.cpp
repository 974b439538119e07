// zdtool grid-page PROJECT.jvd [--size WxH] [--resize WxH]... [--select LIST] [--expand all|none]
//   [--png OUT.png] [--copy-text OUT.txt] [--print PREFIX] [--print-pdf OUT.pdf] [--frame-png OUT.png]
//   [--summary-png OUT.png]
// The program's main frame off-screen with the project opened as from the command line and the
// measurement page active, its client area WxH (default 1280x800); each --resize then gives the
// client area another size in turn, as the user dragging the frame's edge would. LIST: measurement indexes,
// comma-separated, selected as Ctrl+clicks on their column-1 cells would; --expand picks the rows
// menu's "Expand all" or "Collapse all". Once no row animates any more it prints what the page's
// grid reports: rows, column widths, row heights, the sort column and direction and the last
// status-bar text; then writes the page's window image and the grid's copy text (UTF-8, with
// the header row, after Select all); --print prints on a 794 x 1123 memory printer at 96 dpi,
// writes PREFIX-1.png ... and prints "pages=K" and the record the page handed to the grid;
// --print-pdf names OUT.pdf in the setting PdfFile and prints through the program's own print
// dialog, which then writes the file as on a machine without a printer (A4 at 300 dpi);
// --frame-png and --summary-png write the whole main window,
// with the measurement page and then with the summary page shown. Errors: the program's text,
// exit 1.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <utility>

#include "app/ChildView.h"
#include "app/MainFrame.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "platform/gdi/BitmapPng.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "tests/tools/CmdProjectSupport.h"
#include "tests/tools/GridPageFrame.h"
#include "tests/tools/ZdTool.h"
#include "views/TabGrid.h"
#include "views/TabSheet.h"

namespace {

// The rows menu's commands.
constexpr UINT kExpandAll = 1;
constexpr UINT kCollapseAll = 2;
constexpr int kPrinterWidth = 794;
constexpr int kPrinterHeight = 1123;
constexpr int kPrinterDpi = 96;

struct SOptions {
  std::string project;
  int width = 1280;
  int height = 800;
  std::vector<std::pair<int, int>> resizes;
  std::vector<int> select;
  std::string expand;
  std::map<std::string, std::string> outputs;
};

bool ParseOptions(const std::vector<std::string>& args, SOptions& options) {
  if (args.empty() || args[0].rfind("--", 0) == 0) return false;
  options.project = args[0];
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return false;
    const std::string& option = args[i];
    const std::string& value = args[i + 1];
    if (option == "--size") {
      if (!ParseWindowSize(value, options.width, options.height)) return false;
    } else if (option == "--resize") {
      std::pair<int, int> size;
      if (!ParseWindowSize(value, size.first, size.second)) return false;
      options.resizes.push_back(size);
    } else if (option == "--select") {
      if (!ParseIndexList(value, options.select)) return false;
    } else if (option == "--expand") {
      if (value != "all" && value != "none") return false;
      options.expand = value;
    } else if (option == "--png" || option == "--copy-text" || option == "--print" ||
               option == "--print-pdf" || option == "--frame-png" || option == "--summary-png") {
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
  SPrintDialogChoice OnPrintDialog(const SPrintDialogRequest& request) override {
    if (printer) return {printer, false};
    return CProjectSession::OnPrintDialog(request);
  }
  UINT menuAnswer = 0;
  HDC printer = nullptr;
  int boxes = 0;
};

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

// The printout's pages as pictures, and the header and footer record the page built for it.
bool PrintPage(CTabGrid& page, CGridPageSession& session, const std::string& prefix) {
  const SGridPrintInfo info = page.BuildPrintInfo();
  session.printer = CreateMemoryPrinterDC(kPrinterWidth, kPrinterHeight, kPrinterDpi);
  page.SendMessage(WM_PAGE_PRINT);
  const int pages = GetPrintedPageCount(session.printer);
  bool saved = true;
  for (int i = 0; i < pages; ++i) {
    HBITMAP picture = GetPrintedPage(session.printer, i);
    saved =
        SaveBitmapAsPng(picture, CString::FromUtf8(prefix + "-" + std::to_string(i + 1) + ".png")) && saved;
    DeleteObject(picture);
  }
  DeleteDC(session.printer);
  session.printer = nullptr;
  std::printf("pages=%d\n", pages);
  std::printf("print_header_left=%s\n", info.headerLeft.ToUtf8().c_str());
  std::printf("print_header_center=%s\n", info.headerCenter.ToUtf8().c_str());
  std::printf("print_header_right=%s\n", info.headerRight.ToUtf8().c_str());
  std::printf("print_page_format=%s\n", LoadStringOrPlaceholder(info.pageFormatId).ToUtf8().c_str());
  std::printf("print_footer_center=%s\n", info.footerCenter.ToUtf8().c_str());
  std::printf("print_date_picture=%s\n", LoadStringOrPlaceholder(info.dateFormatId).ToUtf8().c_str());
  std::printf("print_time_picture=%s\n", LoadStringOrPlaceholder(info.timeFormatId).ToUtf8().c_str());
  if (!saved) std::fprintf(stderr, "%s-N.png could not be written.\n", prefix.c_str());
  return saved;
}

// The printout through the program's own print dialog into the PDF file the settings name.
bool PrintPdf(CTabGrid& page, const std::string& path) {
  if (!RegSetString(kPrintSettingsKey, u"PdfFile", CString::FromUtf8(path))) {
    std::fprintf(stderr, "The setting PdfFile could not be written.\n");
    return false;
  }
  page.SendMessage(WM_PAGE_PRINT);
  std::ifstream printed(path, std::ios::binary);
  if (printed) return true;
  std::fprintf(stderr, "%s was not written.\n", path.c_str());
  return false;
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
                 "usage: zdtool grid-page PROJECT.jvd [--size WxH] [--resize WxH]... [--select LIST] "
                 "[--expand all|none] [--png OUT.png] [--copy-text OUT.txt] [--print PREFIX] "
                 "[--print-pdf OUT.pdf] [--frame-png OUT.png] [--summary-png OUT.png]\n");
    return 2;
  }
  if (!IsProjectFile(options.project)) return 1;
  CUiApplication ui;
  RegisterProgramResources(nullptr);
  CGridPageSession session;
  CProjectFrame program;
  if (!program.Open(options.project, options.width, options.height)) return 1;
  CMainFrame& frame = program.Frame();
  CTabGrid& page = program.Page();
  CCellGrid& grid = page.GetGrid();
  for (const auto& [width, height] : options.resizes) SizeClientArea(frame, width, height);
  for (int index : options.select) CtrlClick(grid, 2 * index + 1, 1);
  if (!options.expand.empty()) {
    session.menuAnswer = options.expand == "all" ? kExpandAll : kCollapseAll;
    page.ShowRowsMenu();
    WaitForRows(grid);
  }
  // A project the program refused has been reported on stderr.
  int exitCode = session.boxes > 0 ? 1 : 0;
  if (exitCode == 0) PrintFacts(grid, frame);
  if (exitCode == 0 && options.outputs.count("--png") && !WriteWindow(page, options.outputs["--png"]))
    exitCode = 1;
  if (exitCode == 0 && options.outputs.count("--copy-text") &&
      !WriteCopyText(grid, options.outputs["--copy-text"])) {
    std::fprintf(stderr, "%s could not be written.\n", options.outputs["--copy-text"].c_str());
    exitCode = 1;
  }
  if (exitCode == 0 && options.outputs.count("--print") &&
      !PrintPage(page, session, options.outputs["--print"]))
    exitCode = 1;
  if (exitCode == 0 && options.outputs.count("--print-pdf") &&
      !PrintPdf(page, options.outputs["--print-pdf"]))
    exitCode = 1;
  if (exitCode == 0) exitCode = WriteFramePictures(frame, options);
  return exitCode;
}

const ZdCommandRegistrar kGridPage{
    {"grid-page",
     "PROJECT.jvd [--size WxH] [--resize WxH]... [--select LIST] [--expand all|none] [--png OUT.png] "
     "[--copy-text OUT.txt] [--print PREFIX] [--print-pdf OUT.pdf] [--frame-png OUT.png] [--summary-png OUT.png]",
     RunGridPage}};

}  // namespace
