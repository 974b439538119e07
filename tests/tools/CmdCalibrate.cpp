// zdtool calibrate COM adjust|verify|adjust+verify [--tester T] [--facility F] [--ref-serial S]
//   [--temperature N] [--unit N|kN|LBF] [--pause] [--cycles K] [--ref-loads FILE | --ref-model G:O]
//   [--close-grid] [--stop-at-step P] [--copy-data] [--temp-log DIR]
// Stores COM as "VexaPortNum", runs the main frame hidden and gives it "Calibrate adjustment"
// (adjust, adjust+verify) or "Calibration verification" (verify). A scripted user fills the
// procedure dialog, presses Connect and Start, types the reference loads into the grid at its
// turn and presses "Calibrate ZD-2" (closing the grid with Cancel after a box or with
// --close-grid), answers Yes to the verification question only for adjust+verify, and presses
// Exit once the procedure has ended. Per procedure it prints mode=, log= per line of the log as
// shown, message= per box, state=, verdict=OK|FAILED|none, file= per file written in the
// temporary-log folder and, with --copy-data, clipboard=. Exits 0 only when every procedure
// ended with OK.

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/VexaZedoApp.h"
#include "appbase/ProgramFolder.h"
#include "appbase/Registry.h"
#include "calibration/ForceText.h"
#include "calibration/GridDlg.h"
#include "calibration/TestStepDlg.h"
#include "platform/base/Clock.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageTap.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UserAnswers.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/LogLines.h"
#include "tests/tools/ZdTool.h"

namespace {

constexpr const char* kCalibrateUsage =
    "COM adjust|verify|adjust+verify [--tester T] [--facility F] [--ref-serial S] [--temperature N] "
    "[--unit N|kN|LBF] [--pause] [--cycles K] [--ref-loads FILE | --ref-model G:O] [--close-grid] "
    "[--stop-at-step P] [--copy-data] [--temp-log DIR]";
constexpr DWORD kPollMs = 20;
// Scaled bound of the wait for the connection: the search of one port and the identification.
constexpr ULONGLONG kConnectWaitMs = 60000;
// Scaled bound of a whole procedure: three cycles of a 25 kN instrument with every wait take
// well below this.
constexpr ULONGLONG kProcedureWaitMs = 3600000;
constexpr char16_t kPauseQuestion[] = u"Pausing...";
constexpr char16_t kVerificationQuestion[] = u"Do you want to continue with the calibration verification?";

struct SOptions {
  int com = 0;
  bool adjust = false;
  bool verifyAfterAdjust = false;
  std::map<int, std::string> fields;  // control id -> text
  int unit = -1;
  bool pause = false;
  std::string cycles;
  std::vector<std::vector<std::string>> referenceLoads;  // per step, the runs' texts
  bool referenceModel = false;
  double modelGain = 1.0;
  double modelOffset = 0.0;
  bool closeGrid = false;
  int stopAtStep = -1;
  bool copyData = false;
  std::string tempLog;
};

bool ReadReferenceLoads(const std::string& path, SOptions& options) {
  std::ifstream file(path);
  if (!file) return false;
  // One line per run, its cells separated by ';'; kept per run here.
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
      const std::size_t end = line.find(';', start);
      cells.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    options.referenceLoads.push_back(cells);
  }
  return true;
}

bool ParseOptions(const std::vector<std::string>& args, SOptions& options) {
  if (args.size() < 2) return false;
  options.com = std::atoi(args[0].c_str());
  if (args[1] == "adjust") {
    options.adjust = true;
  } else if (args[1] == "adjust+verify") {
    options.adjust = options.verifyAfterAdjust = true;
  } else if (args[1] != "verify") {
    return false;
  }
  const std::map<std::string, int> fields = {{"--tester", IDC_TESTSTEP_TESTER},
                                             {"--facility", IDC_TESTSTEP_FACILITY},
                                             {"--ref-serial", IDC_TESTSTEP_REFERENCE_SN},
                                             {"--temperature", IDC_TESTSTEP_TEMPERATURE}};
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& option = args[i];
    const bool hasValue = i + 1 < args.size();
    if (option == "--pause") {
      options.pause = true;
    } else if (option == "--close-grid") {
      options.closeGrid = true;
    } else if (option == "--copy-data") {
      options.copyData = true;
    } else if (!hasValue) {
      return false;
    } else if (fields.count(option)) {
      options.fields[fields.at(option)] = args[++i];
    } else if (option == "--unit") {
      const std::string unit = args[++i];
      options.unit = unit == "N" ? 0 : unit == "kN" ? 1 : unit == "LBF" ? 2 : -1;
      if (options.unit < 0) return false;
    } else if (option == "--cycles") {
      options.cycles = args[++i];
    } else if (option == "--ref-loads") {
      if (!ReadReferenceLoads(args[++i], options)) return false;
    } else if (option == "--ref-model") {
      const std::string model = args[++i];
      const std::size_t colon = model.find(':');
      if (colon == std::string::npos) return false;
      options.referenceModel = true;
      options.modelGain = std::atof(model.substr(0, colon).c_str());
      options.modelOffset = std::atof(model.substr(colon + 1).c_str());
      if (options.modelGain <= 0) return false;
    } else if (option == "--stop-at-step") {
      options.stopAtStep = std::atoi(args[++i].c_str());
    } else if (option == "--temp-log") {
      options.tempLog = args[++i];
    } else {
      return false;
    }
  }
  return true;
}

void Click(CWnd& dialog, int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// The files of a folder with their size and modification time, to see which a procedure wrote.
using FolderState = std::map<std::string, std::pair<long long, long long>>;

FolderState ReadFolder(const std::string& folder) {
  FolderState state;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    struct stat info {};
    if (!entry.is_regular_file() || ::stat(entry.path().c_str(), &info) != 0) continue;
    state[entry.path().filename().string()] = {static_cast<long long>(info.st_size),
                                               info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
  }
  return state;
}

class CCalibrationUser : public CUserAnswerSink {
 public:
  explicit CCalibrationUser(const SOptions& options) : m_options(options) {}

  int OnMessageBox(const SMessageBoxRequest& request) override {
    m_messages.push_back(request.text);
    if (request.text.Find(kPauseQuestion) == 0) return IDYES;
    if (request.text.Find(kVerificationQuestion) >= 0) {
      m_verificationAccepted = m_options.verifyAfterAdjust;
      return m_options.verifyAfterAdjust ? IDYES : IDNO;
    }
    // The question before an Exit that abandons a procedure.
    if ((request.type & MB_YESNO) == MB_YESNO) return IDYES;
    return IDOK;
  }

  bool OnModalDialog(const SModalDialogRequest& request) override {
    auto* dialog = dynamic_cast<CTestStepDlg*>(request.dialog);
    if (!dialog) return false;
    RunProcedure(*dialog);
    return true;
  }

  void OnModelessDialogTurn(const SModalDialogRequest& request) override {
    auto* grid = dynamic_cast<CGridDlg*>(request.dialog);
    if (!grid || !grid->IsCalMode()) return;
    const std::size_t boxes = m_messages.size();
    if (!m_options.closeGrid) {
      TypeReferenceLoads(*grid);
      Click(*grid, IDC_CAL_GRID_ACTION);
    }
    if (m_options.closeGrid || m_messages.size() != boxes) Click(*grid, IDCANCEL);
  }

  // Called by the message tap for the procedure dialog's final verdict.
  void OnVerdict(bool success) { m_verdict = success ? "OK" : "FAILED"; }
  bool AllSucceeded() const { return m_procedures > 0 && m_allSucceeded; }

 private:
  void RunProcedure(CTestStepDlg& dialog) {
    m_messages.clear();
    m_verdict = "none";
    m_verificationAccepted = false;
    const FolderState before = ReadFolder(TempLogFolder());
    FillFields(dialog);
    const bool started = ConnectAndStart(dialog);
    if (started) WaitForTheEnd(dialog);
    const bool copied = m_options.copyData && dialog.GetResultsGrid();
    if (copied) Click(*dialog.GetResultsGrid(), IDC_CAL_GRID_ACTION);
    const std::vector<CString> log = LogLines(*dialog.GetDlgItem(IDC_TESTSTEP_LOG));
    const int state = dialog.GetState();
    if (!m_verificationAccepted) Click(dialog, IDCANCEL);
    Print(dialog.IsCalMode(), log, state, before, copied);
    ++m_procedures;
    m_allSucceeded = m_allSucceeded && m_verdict == "OK";
  }

  void FillFields(CTestStepDlg& dialog) {
    dialog.SetDlgItemText(IDC_TESTSTEP_PORT, CString::FromUtf8(std::to_string(m_options.com)));
    for (const auto& [id, text] : m_options.fields) dialog.SetDlgItemText(id, CString::FromUtf8(text));
    if (m_options.unit >= 0) {
      auto* units = dynamic_cast<CComboBox*>(dialog.GetDlgItem(IDC_TESTSTEP_LOAD_UNIT));
      if (units) {
        units->SetCurSel(m_options.unit);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TESTSTEP_LOAD_UNIT, CBN_SELCHANGE), LPARAM(units));
      }
    }
    const bool paused = dialog.IsDlgButtonChecked(IDC_TESTSTEP_PAUSE) == BST_CHECKED;
    if (paused != m_options.pause) {
      dialog.CheckDlgButton(IDC_TESTSTEP_PAUSE, m_options.pause ? BST_CHECKED : BST_UNCHECKED);
      Click(dialog, IDC_TESTSTEP_PAUSE);
    }
    if (!m_options.cycles.empty()) dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, CString::FromUtf8(m_options.cycles));
  }

  bool ConnectAndStart(CTestStepDlg& dialog) {
    // A verification that follows an adjustment connects by itself.
    if (!dialog.GetConnection()) Click(dialog, IDC_TESTSTEP_CONNECT);
    CWnd* start = dialog.GetDlgItem(IDC_TESTSTEP_START);
    const ULONGLONG until = GetTickCount64() + kConnectWaitMs;
    while (!start->IsWindowEnabled() && dialog.GetConnection() && GetTickCount64() < until) PumpMessages(kPollMs);
    if (!start->IsWindowEnabled()) return false;
    Click(dialog, IDC_TESTSTEP_START);
    // A Start the dialog refused (no instrument type, missing details) logs no start.
    return dialog.GetDlgItem(IDC_TESTSTEP_LOG)->GetWindowTextString().Find(u"process has started ...") >= 0;
  }

  // Until the procedure has let go of the instrument and nothing is busy any more, or the
  // operator accepted the verification, which ends the dialog.
  void WaitForTheEnd(CTestStepDlg& dialog) {
    CWnd* connect = dialog.GetDlgItem(IDC_TESTSTEP_CONNECT);
    CString stopLine;
    if (m_options.stopAtStep >= 0) stopLine.Format(u"Next step: %d%%", m_options.stopAtStep);
    bool stopped = false;
    const ULONGLONG until = GetTickCount64() + kProcedureWaitMs;
    while (GetTickCount64() < until) {
      PumpMessages(kPollMs);
      if (m_verificationAccepted) return;
      if (!dialog.GetConnection() && connect->IsWindowEnabled()) return;
      if (!stopped && !stopLine.IsEmpty() && dialog.GetDlgItem(IDC_TESTSTEP_LOG)->GetWindowTextString().Find(stopLine) >= 0) {
        stopped = true;
        Click(dialog, IDC_TESTSTEP_START);
      }
    }
  }

  // The loads of --ref-loads as written, or of --ref-model in the unit's resolution.
  void TypeReferenceLoads(CGridDlg& grid) {
    CCellGridOrg& cells = grid.GetGrid();
    const int runs = cells.GetColumnCount() - CGridDlg::kFixedColumns;
    const int steps = cells.GetRowCount() - CGridDlg::kFixedRows;
    for (int run = 0; run < runs; ++run) {
      for (int step = 1; step <= steps; ++step) {
        CString text;
        if (m_options.referenceModel) {
          // What the reference device shows when the instrument reads the nominal load.
          const double load = (step * grid.GetStep() - m_options.modelOffset) / m_options.modelGain;
          text = FormatForce(int(std::lround(load)), grid.GetLoadUnit(), false);
        } else if (std::size_t(run) < m_options.referenceLoads.size() &&
                   std::size_t(step - 1) < m_options.referenceLoads[std::size_t(run)].size()) {
          text = CString::FromUtf8(m_options.referenceLoads[std::size_t(run)][std::size_t(step - 1)]);
        }
        cells.SetCellText(step, CGridDlg::kFixedColumns + run, text);
      }
    }
  }

  void Print(bool calMode, const std::vector<CString>& log, int state, const FolderState& before, bool copied) {
    std::printf("mode=%s\n", calMode ? "adjust" : "verify");
    for (const CString& line : log) std::printf("log=%s\n", EscapedText(line).c_str());
    for (const CString& text : m_messages) std::printf("message=%s\n", EscapedText(text).c_str());
    std::printf("state=%d\nverdict=%s\n", state, m_verdict.c_str());
    for (const auto& [name, stamp] : ReadFolder(TempLogFolder())) {
      const auto old = before.find(name);
      if (old == before.end() || old->second != stamp) std::printf("file=%s\n", name.c_str());
    }
    if (copied) PrintClipboard();
    std::fflush(stdout);
  }

  void PrintClipboard() {
    std::vector<BYTE> block;
    if (!GetClipboardData(CF_TEXT, block)) return;
    std::string text(block.begin(), block.end());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    std::printf("clipboard=%s\n", EscapedText(CString::FromAnsi(text)).c_str());
  }

  static std::string TempLogFolder() { return GetTempLogFolder().ToUtf8(); }

  const SOptions& m_options;
  std::vector<CString> m_messages;
  std::string m_verdict = "none";
  bool m_verificationAccepted = false;
  int m_procedures = 0;
  bool m_allSucceeded = true;
};

int RunCalibrate(const std::vector<std::string>& args) {
  SOptions options;
  if (!ParseOptions(args, options) || (options.referenceModel && !options.referenceLoads.empty())) {
    std::fprintf(stderr, "usage: zdtool calibrate %s\n", kCalibrateUsage);
    return 2;
  }
  CUiApplication ui;
  RegisterProgramResources(nullptr);
  // As an earlier run of the program would have stored it: the verification's own connection
  // looks there.
  CRegistry(kSettingsKey).WriteDWORD(u"VexaPortNum", DWORD(options.com));
  CCalibrationUser user(options);
  CUserAnswerSink* previous = SetUserAnswerSink(&user);
  {
    CVexaZedoApp app(u"./zd-zedo");
    if (app.InitInstance()) {
      if (!options.tempLog.empty()) SetTempLogFolder(CString::FromUtf8(options.tempLog + "/"));
      CMainFrame& frame = *app.GetMainFrame();
      frame.ShowWindow(SW_HIDE);
      MessageTap previousTap = SetMessageTap([&user](CWnd& window, UINT message, WPARAM wParam, LPARAM) {
        if (message == CTestStepDlg::kFinalResultMessage && dynamic_cast<CTestStepDlg*>(&window))
          user.OnVerdict(wParam != 0);
      });
      frame.SendMessage(WM_COMMAND, MAKEWPARAM(options.adjust ? ID_CALIBRATION_ADJUST : ID_CALIBRATION_VERIFY, 0), 0);
      SetMessageTap(previousTap);
    }
    app.ExitInstance();
  }
  SetUserAnswerSink(previous);
  return user.AllSucceeded() ? 0 : 1;
}

const ZdCommandRegistrar kCalibrate({"calibrate", kCalibrateUsage, &RunCalibrate});

}  // namespace
