// zdtool live PORTNAME [--frames N] [--timeout MS] [--period 250|500|1000] [--log] [--own-window]
//   [--load-limit-axis]: attaches a ZD-2 on the port, hands it to the connection holder as the
// wizard does and runs the Live View dialog modally as the Live View command does (without its
// firmware check). After the automatic first Start it presses Start, and Stop and then Exit
// once the reader has decoded N frames or after MS scaled ms (default 60000). --log sets the
// diagnostic flag; logs go to the current directory. Prints device_info1=, device_info2=,
// frames= (the sample number at Stop), tests=, lost=0|1, message= per box, log= per CSV and per
// plot window K plot_K_title=, plot_K_points=, plot_K_force_axis_max=, plot_K_time_axis_max=.
// With --pictures, just before Stop it writes the dialog's picture to DIR/live_view.png and each
// plot window's to DIR/plot_K.png. When Live View cannot start it prints the box and exits 1.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "appbase/LoadStringOrPlaceholder.h"
#include "calibration/MeasDlg.h"
#include "calibration/MeasPlotDlg.h"
#include "calibration/MeasThread.h"
#include "connection/VexalonConnection.h"
#include "platform/base/Clock.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/Zd2Connection.h"
#include "tests/tools/ZdTool.h"

namespace {

constexpr const char* kLiveUsage =
    "usage: zdtool live PORTNAME [--frames N] [--timeout MS] [--period 250|500|1000] [--log] [--own-window] "
    "[--load-limit-axis] [--pictures DIR]\n";

struct SLiveOptions {
  std::string portName;
  int frames = 0;  // 0: until the time-out
  DWORD timeoutMs = 60000;
  int periodIndex = -1;  // the dialog's own choice
  bool log = false;
  bool ownWindow = false;
  bool loadLimitAxis = false;
  std::string pictureFolder;  // empty: no pictures
};

bool ParseOptions(const std::vector<std::string>& args, SLiveOptions& options) {
  if (args.empty() || args[0].rfind("--", 0) == 0) return false;
  options.portName = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    const bool hasValue = i + 1 < args.size();
    if (option == "--log") {
      options.log = true;
    } else if (option == "--own-window") {
      options.ownWindow = true;
    } else if (option == "--load-limit-axis") {
      options.loadLimitAxis = true;
    } else if (hasValue && option == "--frames") {
      options.frames = std::atoi(args[++i].c_str());
    } else if (hasValue && option == "--pictures") {
      options.pictureFolder = args[++i];
    } else if (hasValue && option == "--timeout") {
      options.timeoutMs = DWORD(std::atol(args[++i].c_str()));
    } else if (hasValue && option == "--period") {
      const std::string period = args[++i];
      options.periodIndex = period == "250" ? 0 : period == "500" ? 1 : period == "1000" ? 2 : -2;
      if (options.periodIndex < -1) return false;
    } else {
      return false;
    }
  }
  return true;
}

void Click(CWnd& dialog, int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
// A click on the button itself: a radio button takes the check from the others of its group.
void Press(CWnd& dialog, int id) { dialog.GetDlgItem(id)->SendMessage(BM_CLICK); }

CString ItemText(CWnd& dialog, int id) {
  CString text;
  dialog.GetDlgItem(id)->GetWindowText(text);
  return text;
}

// Runs Live View from the user's side once the dialog has made its automatic first Start.
class CLiveUser {
 public:
  explicit CLiveUser(const SLiveOptions& options) : m_options(options) {}

  void Play(CMeasDlg& dialog) {
    if (m_options.ownWindow) Press(dialog, IDC_MEAS_OWN_WINDOW);
    if (m_options.loadLimitAxis) Press(dialog, IDC_MEAS_AXIS_LOAD_LIMIT);
    if (m_options.periodIndex >= 0)
      static_cast<CComboBox*>(dialog.GetDlgItem(IDC_MEAS_SAMPLING))->SetCurSel(m_options.periodIndex);
    Click(dialog, IDC_MEAS_START);
    started = dialog.IsRunning();
    if (started) WaitForFrames();
    SLiveSample latest;
    CMeasThread::Instance().GetLatestSample(latest);
    if (!m_options.pictureFolder.empty()) SavePictures(dialog);
    Click(dialog, IDC_MEAS_STOP);
    frames = latest.sampleNumber;
    tests = dialog.GetTestNumber();
    lost = ItemText(dialog, IDC_MEAS_STATUS) == LoadStringOrPlaceholder(IDS_LIVE_NOT_CONNECTED);
    deviceInfo1 = ItemText(dialog, IDC_MEAS_DEVICE_INFO1);
    deviceInfo2 = ItemText(dialog, IDC_MEAS_DEVICE_INFO2);
    logs = dialog.GetLogNames();
    for (const auto& plot : dialog.GetPlotWindows()) {
      SPlotFacts facts;
      plot->GetWindowText(facts.title);
      facts.points = plot->GetPointCount();
      facts.forceAxisMax = plot->GetForceAxisMax();
      facts.timeAxisMax = plot->GetTimeAxisMax();
      plots.push_back(facts);
    }
    Click(dialog, IDCANCEL);
  }

  struct SPlotFacts {
    CString title;
    int points = 0;
    double forceAxisMax = 0;
    int timeAxisMax = 0;
  };
  bool started = false;
  int frames = 0;
  int tests = 0;
  bool lost = false;
  bool picturesSaved = true;
  CString deviceInfo1;
  CString deviceInfo2;
  std::vector<CString> logs;
  std::vector<SPlotFacts> plots;

 private:
  void WaitForFrames() {
    const ULONGLONG end = GetTickCount64() + m_options.timeoutMs;
    while (GetTickCount64() < end) {
      SLiveSample latest;
      CMeasThread::Instance().GetLatestSample(latest);
      if (m_options.frames > 0 && latest.sampleNumber >= m_options.frames) return;
      PumpMessages(10);
    }
  }

  // The dialog and its plot windows as the running test shows them.
  void SavePictures(CMeasDlg& dialog) {
    const std::string folder = m_options.pictureFolder + "/";
    picturesSaved = SaveWindowImage(dialog.GetSafeHwnd(), CString::FromUtf8(folder + "live_view.png"));
    int number = 0;
    for (const auto& plot : dialog.GetPlotWindows()) {
      const std::string name = folder + "plot_" + std::to_string(++number) + ".png";
      picturesSaved = SaveWindowImage(plot->GetSafeHwnd(), CString::FromUtf8(name)) && picturesSaved;
    }
  }

  const SLiveOptions& m_options;
};

// Records the boxes and plays the user in the Live View dialog; any other dialog (the
// connection wizard, when the instrument no longer answers) is cancelled.
class CLiveAnswers : public CScriptedAnswers {
 public:
  explicit CLiveAnswers(CLiveUser& user) : m_user(user) {}
  bool OnModalDialog(const SModalDialogRequest& request) override {
    auto* dialog = dynamic_cast<CMeasDlg*>(request.dialog);
    if (!dialog) return CScriptedAnswers::OnModalDialog(request);
    m_user.Play(*dialog);
    return true;
  }

 private:
  CLiveUser& m_user;
};

int RunLive(const std::vector<std::string>& args) {
  SLiveOptions options;
  if (!ParseOptions(args, options)) {
    std::fputs(kLiveUsage, stderr);
    return 2;
  }
  CUiApplication application;
  RegisterProgramResources(nullptr);
  auto device = ConnectZd2(options.portName);
  if (!device) return 1;
  auto* zd2 = device.get();
  TheConnection().Adopt(std::move(device));
  CLiveUser user(options);
  CLiveAnswers answers(user);
  {
    CMeasDlg dialog(zd2, nullptr);
    dialog.SetDiagnosticMode(options.log);
    dialog.DoModal();
  }
  TheConnection().Disconnect();
  std::printf("device_info1=%s\ndevice_info2=%s\n", EscapedText(user.deviceInfo1).c_str(),
              EscapedText(user.deviceInfo2).c_str());
  std::printf("frames=%d\ntests=%d\nlost=%d\n", user.frames, user.tests, user.lost ? 1 : 0);
  for (const auto& box : answers.GetMessageBoxes())
    std::printf("message=%s\n", EscapedText(box.text).c_str());
  for (const CString& log : user.logs) std::printf("log=%s\n", log.ToUtf8().c_str());
  for (size_t i = 0; i < user.plots.size(); ++i) {
    const auto& plot = user.plots[i];
    std::printf(
        "plot_%zu_title=%s\nplot_%zu_points=%d\nplot_%zu_force_axis_max=%g\nplot_%zu_time_axis_max=%d\n",
        i + 1, EscapedText(plot.title).c_str(), i + 1, plot.points, i + 1, plot.forceAxisMax, i + 1,
        plot.timeAxisMax);
  }
  if (!user.picturesSaved) {
    std::fprintf(stderr, "The pictures could not be written to %s.\n", options.pictureFolder.c_str());
    return 1;
  }
  return user.started ? 0 : 1;
}

const ZdCommandRegistrar kLiveRegistrar({"live",
                                         "PORTNAME [--frames N] [--timeout MS] [--period 250|500|1000] "
                                         "[--log] [--own-window] [--load-limit-axis] [--pictures DIR]",
                                         &RunLive});

}  // namespace
