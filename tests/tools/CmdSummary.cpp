// zdtool summary-text PROJECT.jvd: the summary's text form as the summary view gives it, in
// UTF-8 with its TABs and CR-LFs.
// zdtool summary-page PROJECT.jvd [--size WxH] [--png OUT.png] [--export-text OUT.csv]
//   [--export-picture OUT] [--copy OUT.txt] [--print PREFIX]: the summary page on a plain
// off-screen window of the client size (default 1280x800) with the project opened; prints the
// page's facts, then runs the page's commands: the text and picture exports (the file dialog
// answered OUT; "file=PATH" as written), the copy (the clipboard's text as UTF-16LE units), and
// the printout on a 794 x 1123 memory printer at 96 dpi (PREFIX-1.png ..., "pages=K"). Message
// boxes go to stderr and make the exit code 1.

#include <cstdio>
#include <fstream>
#include <map>

#include "document/ZedoDoc.h"
#include "platform/gdi/BitmapPng.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/CmdProjectSupport.h"
#include "tests/tools/ZdTool.h"
#include "views/SummaryView.h"
#include "views/TabSummary.h"

namespace {

constexpr int kPrinterWidth = 794;
constexpr int kPrinterHeight = 1123;
constexpr int kPrinterDpi = 96;

// The project session that also answers the page's file and print dialogs and counts the
// message boxes shown.
class CSummarySession : public CProjectSession {
 public:
  int OnMessageBox(const SMessageBoxRequest& request) override {
    ++boxes;
    return CProjectSession::OnMessageBox(request);
  }
  bool OnFileDialog(const SFileDialogRequest&, CString& path) override {
    path = fileAnswer;
    return !path.IsEmpty();
  }
  SPrintDialogChoice OnPrintDialog(const SPrintDialogRequest&) override { return {printer, false}; }

  int boxes = 0;
  CString fileAnswer;
  HDC printer = nullptr;
};

// The summary page on its host window, with the project opened after the page registered, so
// that the open's notice reaches it.
struct SHostedPage {
  SHostedPage(int width, int height) : page(&host, &doc) {
    RegisterProgramResources(nullptr);
    host.CreateEx(0, nullptr, u"ZD-Zedo", WS_POPUP, CRect(0, 0, width, height), nullptr, 0);
    page.Create(IDD_TAB_SUMMARY, &host);
    page.MoveWindow(0, 0, width, height);
    page.ShowWindow(SW_SHOW);
    host.ShowWindow(SW_SHOW);
  }
  ~SHostedPage() {
    page.DestroyWindow();
    host.DestroyWindow();
  }
  bool Open(const std::string& path) {
    if (!doc.OnFileOpen(CString::FromUtf8(path))) return false;
    PumpMessages();
    page.GetView()->UpdateWindow();
    return true;
  }

  CZedoDoc doc;
  CWnd host;
  CTabSummary page;
};

bool WriteBytes(const std::string& path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(data), std::streamsize(size));
  return bool(out);
}

int RunText(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool summary-text PROJECT.jvd\n");
    return 2;
  }
  CUiApplication application;
  CSummarySession session;
  SHostedPage hosted(1280, 800);
  if (!hosted.Open(args[0])) return 1;
  const std::string text = hosted.page.GetView()->GetSummaryText().ToUtf8();
  std::fwrite(text.data(), 1, text.size(), stdout);
  return session.boxes > 0 ? 1 : 0;
}

bool ParsePageOptions(const std::vector<std::string>& args, std::map<std::string, std::string>& options) {
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (args[i].rfind("--", 0) != 0 || i + 1 >= args.size()) return false;
    options[args[i]] = args[i + 1];
  }
  return true;
}

void Export(SHostedPage& hosted, CSummarySession& session, UINT command, const std::string& out) {
  session.fileAnswer = CString::FromUtf8(out);
  hosted.page.SendMessage(command);
  const CString written = hosted.page.GetLastExportPath();
  if (!written.IsEmpty()) std::printf("file=%s\n", written.ToUtf8().c_str());
}

bool Copy(SHostedPage& hosted, const std::string& out) {
  hosted.page.SendMessage(WM_PAGE_COPY);
  std::vector<BYTE> units;
  if (!GetClipboardData(CF_UNICODETEXT, units) || units.size() < 2) return false;
  return WriteBytes(out, units.data(), units.size() - 2);
}

bool Print(SHostedPage& hosted, CSummarySession& session, const std::string& prefix) {
  session.printer = CreateMemoryPrinterDC(kPrinterWidth, kPrinterHeight, kPrinterDpi);
  hosted.page.SendMessage(WM_PAGE_PRINT);
  const int pages = GetPrintedPageCount(session.printer);
  bool saved = true;
  for (int i = 0; i < pages; ++i) {
    HBITMAP page = GetPrintedPage(session.printer, i);
    saved = SaveBitmapAsPng(page, CString::FromUtf8(prefix + "-" + std::to_string(i + 1) + ".png")) && saved;
    DeleteObject(page);
  }
  DeleteDC(session.printer);
  session.printer = nullptr;
  std::printf("pages=%d\n", pages);
  return saved;
}

int RunPage(const std::vector<std::string>& args) {
  std::map<std::string, std::string> options;
  int width = 1280;
  int height = 800;
  if (args.empty() || !ParsePageOptions(args, options) ||
      (options.count("--size") && std::sscanf(options["--size"].c_str(), "%dx%d", &width, &height) != 2)) {
    std::fprintf(
        stderr,
        "usage: zdtool summary-page PROJECT.jvd [--size WxH] [--png OUT.png] [--export-text OUT.csv] "
        "[--export-picture OUT] [--copy OUT.txt] [--print PREFIX]\n");
    return 2;
  }
  CUiApplication application;
  CSummarySession session;
  SHostedPage hosted(width, height);
  if (!hosted.Open(args[0])) return 1;
  CSummaryView& view = *hosted.page.GetView();
  std::printf("entries=%d\ncontent_width=%d\ncontent_height=%d\n", hosted.doc.GetSummary().GetCount(),
              int(view.GetContentSize().cx), int(view.GetContentSize().cy));
  std::printf("bar_width=%d\nbar_gap=%d\nlist_column_height=%d\n", view.GetBarWidth(), view.GetBarGap(),
              view.GetListColumnHeight());
  bool ok = true;
  if (options.count("--png")) ok = SaveWindowImage(&view, CString::FromUtf8(options["--png"])) && ok;
  if (options.count("--export-text")) Export(hosted, session, WM_PAGE_EXPORT_CSV, options["--export-text"]);
  if (options.count("--export-picture"))
    Export(hosted, session, WM_PAGE_EXPORT_GRAPHIC, options["--export-picture"]);
  if (options.count("--copy")) ok = Copy(hosted, options["--copy"]) && ok;
  if (options.count("--print")) ok = Print(hosted, session, options["--print"]) && ok;
  return ok && session.boxes == 0 ? 0 : 1;
}

const ZdCommandRegistrar kTextRegistrar({"summary-text", "PROJECT.jvd", &RunText});
const ZdCommandRegistrar kPageRegistrar({"summary-page",
                                         "PROJECT.jvd [--size WxH] [--png OUT.png] [--export-text OUT.csv] "
                                         "[--export-picture OUT] [--copy OUT.txt] "
                                         "[--print PREFIX]",
                                         &RunPage});

}  // namespace
