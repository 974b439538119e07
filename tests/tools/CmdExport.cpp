// zdtool picture-export PROJECT.jvd OUTPATH [--content headers|asis|details]
//   [--target file|each|clipboard] [--data all|selection] [--select LIST] [--size WxH]
//   [--dialog-png OUT.png]
// zdtool text-export PROJECT.jvd OUTPATH [--format list|report] [--target file|each|clipboard]
//   [--data all|selection] [--select LIST] [--curve] [--size WxH] [--dialog-png OUT.png]
// The program's main frame off-screen with the project opened and every cell of the header and
// detail rows of the tests of LIST selected.
// The choices are stored as the export dialog keeps them, so that it opens with them; then the
// tab sheet's export command runs, Export is pressed and the file dialog is answered with
// OUTPATH. Prints the handler's reply (result=), the measurements it exported and each file
// written, in order; for the clipboard the picture's size (and OUTPATH gets it as PNG) or the
// text's length (and OUTPATH gets its UTF-16LE code units). picture-export ends with
// restored=1 when every row height, gripper and expanded flag is as before the command. Every
// message box goes to stderr as message=TEXT and makes the exit code 1. --dialog-png writes the
// options dialog's picture as it opens.

#include <cstdio>
#include <fstream>
#include <map>
#include <set>

#include "appbase/Registry.h"
#include "document/ZedoDoc.h"
#include "platform/gdi/BitmapPng.h"
#include "platform/gdi/Gdi.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "tests/tools/CmdProjectSupport.h"
#include "tests/tools/GridPageFrame.h"
#include "tests/tools/ZdTool.h"
#include "views/DetailGripperCell.h"
#include "views/TabSheet.h"

namespace {

struct SExportOptions {
  std::string project;
  std::string output;
  int width = 1280;
  int height = 800;
  std::vector<int> select;
  std::string dialogPicture;
  std::map<std::string, std::string> choices;
  bool curve = false;
};

// The option words of one command and the codes the dialog stores for them.
using ChoiceCodes = std::map<std::string, std::map<std::string, int>>;

const ChoiceCodes kPictureChoices{
    {"--content", {{"headers", 0}, {"asis", 1}, {"details", 2}}},
    {"--target", {{"file", 5}, {"each", 6}, {"clipboard", 7}}},
    {"--data", {{"all", 3}, {"selection", 4}}},
};
const ChoiceCodes kTextChoices{
    {"--format", {{"list", 0}, {"report", 1}}},
    {"--target", {{"file", 4}, {"each", 5}, {"clipboard", 6}}},
    {"--data", {{"all", 2}, {"selection", 3}}},
};

bool ParseExportOptions(const std::vector<std::string>& args, const ChoiceCodes& codes, bool withCurve,
                        SExportOptions& options) {
  if (args.size() < 2 || args[0].rfind("--", 0) == 0 || args[1].rfind("--", 0) == 0) return false;
  options.project = args[0];
  options.output = args[1];
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (withCurve && option == "--curve") {
      options.curve = true;
      continue;
    }
    if (i + 1 >= args.size()) return false;
    const std::string& value = args[++i];
    auto words = codes.find(option);
    if (option == "--size") {
      if (!ParseWindowSize(value, options.width, options.height)) return false;
    } else if (option == "--select") {
      if (!ParseIndexList(value, options.select)) return false;
    } else if (option == "--dialog-png") {
      options.dialogPicture = value;
    } else if (words != codes.end() && words->second.count(value)) {
      options.choices[option] = value;
    } else {
      return false;
    }
  }
  return true;
}

// The code of the option word, or of the default word when the option was not given.
int ChoiceCode(const SExportOptions& options, const ChoiceCodes& codes, const std::string& option,
               const std::string& defaultWord) {
  auto chosen = options.choices.find(option);
  return codes.at(option).at(chosen == options.choices.end() ? defaultWord : chosen->second);
}

void StorePictureChoices(const SExportOptions& options) {
  const std::pair<const char16_t*, int> values[] = {
      {u"ImgExpSource", ChoiceCode(options, kPictureChoices, "--content", "headers")},
      {u"ImgExpTarget", ChoiceCode(options, kPictureChoices, "--target", "file")},
      {u"ImgExpSelection", ChoiceCode(options, kPictureChoices, "--data", "all")}};
  for (const auto& [name, code] : values)
    RegSetString(kSettingsKey, name, CString::FromUtf8(std::to_string(code)));
}

void StoreTextChoices(const SExportOptions& options) {
  CRegistry settings(kSettingsKey);
  settings.WriteDWORD(u"CsvExpFormat2", DWORD(ChoiceCode(options, kTextChoices, "--format", "list")));
  settings.WriteDWORD(u"CsvExpTarget2", DWORD(ChoiceCode(options, kTextChoices, "--target", "file")));
  settings.WriteDWORD(u"CsvExpSelection2", DWORD(ChoiceCode(options, kTextChoices, "--data", "all")));
  settings.WriteBool(u"bCsvExpCurve2", options.curve);
}

// Presses Export in the options dialog and answers the file dialog with the output path;
// message boxes go to stderr.
class CExportSession : public CProjectSession {
 public:
  CExportSession(const std::string& output, const std::string& dialogPicture)
      : m_strOutput(CString::FromUtf8(output)), m_strDialogPicture(CString::FromUtf8(dialogPicture)) {}

  int OnMessageBox(const SMessageBoxRequest& request) override {
    ++boxes;
    std::fprintf(stderr, "message=%s\n", request.text.ToUtf8().c_str());
    return DefaultMessageBoxAnswer(request.type);
  }
  bool OnModalDialog(const SModalDialogRequest& request) override {
    if (request.dialog && !m_strDialogPicture.IsEmpty()) {
      request.dialog->RedrawWindow();
      PumpMessages();
      if (!SaveWindowImage(request.dialog, m_strDialogPicture)) ++boxes;
    }
    if (CWnd* button = request.dialog ? request.dialog->GetDlgItem(IDOK) : nullptr) {
      CRect rect;
      button->GetClientRect(rect);
      SimulateClick(button, rect.CenterPoint());
      PumpMessages();
    }
    return true;
  }
  bool OnFileDialog(const SFileDialogRequest&, CString& path) override {
    path = m_strOutput;
    return true;
  }

  int boxes = 0;

 private:
  CString m_strOutput;
  CString m_strDialogPicture;
};

void SelectTests(CCellGrid& grid, const std::vector<int>& indexes) {
  for (int index : indexes)
    for (int row : {2 * index + 1, 2 * index + 2})
      for (int col = 0; col < grid.GetColumnCount(); ++col)
        grid.SetCellState(row, col, grid.GetCellState(row, col) | GCS_SELECTED);
}

// Every row height, gripper state and expanded flag of the page.
std::vector<int> RowState(CTabGrid& page) {
  CCellGrid& grid = page.GetGrid();
  std::vector<int> state;
  for (int row = 0; row < grid.GetRowCount(); ++row) state.push_back(grid.GetRowHeight(row));
  for (int row = 1; row + 1 < grid.GetRowCount(); row += 2) {
    auto* gripper = dynamic_cast<CDetailGripperCell*>(grid.GetCell(row, 0));
    state.push_back(gripper && gripper->IsExpanded() ? 1 : 0);
    state.push_back(page.GetDocument()->IsExpanded(row / 2) ? 1 : 0);
  }
  return state;
}

void PrintExport(LRESULT result, const CTabGrid& page) {
  std::printf("result=%ld\n", long(result));
  std::printf("measurements=%d\n", page.GetLastExport().measurements);
  for (const CString& file : page.GetLastExport().files) std::printf("file=%s\n", file.ToUtf8().c_str());
}

bool WriteClipboardPicture(CTabGrid& page, const std::string& output) {
  if (!OpenClipboard(&page)) return false;
  HBITMAP bitmap = GetClipboardBitmap();
  CloseClipboard();
  if (!bitmap) return false;
  BITMAP info{};
  GetObject(bitmap, sizeof info, &info);
  std::printf("clipboard_width=%d\nclipboard_height=%d\n", int(info.bmWidth), int(info.bmHeight));
  const bool saved = SaveBitmapAsPng(bitmap, CString::FromUtf8(output));
  DeleteObject(bitmap);
  return saved;
}

bool WriteClipboardText(CTabGrid& page, const std::string& output) {
  std::vector<BYTE> block;
  if (!OpenClipboard(&page)) return false;
  const bool read = GetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
  if (!read) return false;
  const CString text = ReadTextBlock(CF_UNICODETEXT, block);
  std::printf("clipboard_chars=%d\n", text.GetLength());
  std::ofstream out(output, std::ios::binary);
  out.write(reinterpret_cast<const char*>(text.GetString()),
            std::streamsize(text.GetLength() * sizeof(char16_t)));
  return bool(out);
}

enum class NExportKind { Picture, Text };

int RunExport(const std::vector<std::string>& args, NExportKind kind) {
  const bool picture = kind == NExportKind::Picture;
  SExportOptions options;
  if (!ParseExportOptions(args, picture ? kPictureChoices : kTextChoices, !picture, options)) {
    std::fprintf(stderr,
                 picture
                     ? "usage: zdtool picture-export PROJECT.jvd OUTPATH [--content headers|asis|details] "
                       "[--target file|each|clipboard] [--data all|selection] [--select LIST] [--size WxH] "
                       "[--dialog-png OUT.png]\n"
                     : "usage: zdtool text-export PROJECT.jvd OUTPATH [--format list|report] "
                       "[--target file|each|clipboard] [--data all|selection] [--select LIST] [--curve] "
                       "[--size WxH] [--dialog-png OUT.png]\n");
    return 2;
  }
  if (!IsProjectFile(options.project)) return 1;
  CUiApplication ui;
  RegisterProgramResources(nullptr);
  CExportSession session(options.output, options.dialogPicture);
  CProjectFrame program;
  if (!program.Open(options.project, options.width, options.height)) return 1;
  CTabGrid& page = program.Page();
  SelectTests(page.GetGrid(), options.select);
  if (picture)
    StorePictureChoices(options);
  else
    StoreTextChoices(options);
  const std::vector<int> before = RowState(page);
  CTabSheet& sheet = *program.Frame().GetChildView()->GetTabSheet();
  const LRESULT result = picture ? sheet.ExportGraphic() : sheet.ExportCsv();
  PumpMessages();
  PrintExport(result, page);
  const bool toClipboard =
      ChoiceCode(options, picture ? kPictureChoices : kTextChoices, "--target", "file") == (picture ? 7 : 6);
  int exitCode = session.boxes > 0 ? 1 : 0;
  if (result == 0 && toClipboard &&
      !(picture ? WriteClipboardPicture(page, options.output) : WriteClipboardText(page, options.output))) {
    std::fprintf(stderr, "the clipboard holds no %s\n", picture ? "picture" : "text");
    exitCode = 1;
  }
  if (picture) std::printf("restored=%d\n", RowState(page) == before ? 1 : 0);
  return exitCode;
}

int RunPictureExport(const std::vector<std::string>& args) { return RunExport(args, NExportKind::Picture); }
int RunTextExport(const std::vector<std::string>& args) { return RunExport(args, NExportKind::Text); }

const ZdCommandRegistrar kPictureExport{{"picture-export",
                                         "PROJECT.jvd OUTPATH [--content headers|asis|details] [--target "
                                         "file|each|clipboard] [--data all|selection] "
                                         "[--select LIST] [--size WxH] [--dialog-png OUT.png]",
                                         RunPictureExport}};
const ZdCommandRegistrar kTextExport{
    {"text-export",
     "PROJECT.jvd OUTPATH [--format list|report] [--target file|each|clipboard] [--data all|selection] "
     "[--select LIST] [--curve] [--size WxH] [--dialog-png OUT.png]",
     RunTextExport}};

}  // namespace
