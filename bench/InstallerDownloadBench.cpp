// Downloading a 50 MB installer from the local FTP server in one run: first the net layer's
// bare whole-file read, then the update wizard's block path (the listed size / 10000 per
// block, one block per posted message, the waiting messages and the idle work served between
// blocks, into the temporary file beside the target).
//
// Counters: bytes_per_second of each path; block_path_ratio, the block path's time over the
// bare read's (goal: at most 1.5); max_message_wait_ms, the longest a message posted to a
// window of the user-interface thread waited during the block path (goal: at most 16).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/net/FtpFile.h"
#include "platform/net/InternetSession.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/ShellExecute.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "tests/support/FtpTestServer.h"
#include "update/AutoUpdate.h"

namespace {

constexpr size_t kInstallerSize = 50u << 20;
constexpr const char* kInstallerName = "ZD-Zedo_V_99_0_0_0.exe";
constexpr UINT kProbeMessage = WM_APP + 1;
using Clock = std::chrono::steady_clock;

// A window that posts itself a message again each time it gets one, keeping the longest wait.
class CWaitProbe : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  void Post() {
    m_posted = Clock::now();
    PostMessage(kProbeMessage);
  }
  void Stop() { m_running = false; }
  double m_maxWaitMs = 0;

 private:
  LRESULT OnProbe(WPARAM, LPARAM) {
    const double waited = std::chrono::duration<double, std::milli>(Clock::now() - m_posted).count();
    m_maxWaitMs = std::max(m_maxWaitMs, waited);
    if (m_running) Post();
    return 0;
  }
  Clock::time_point m_posted;
  bool m_running = true;
};

// clang-format off
BEGIN_MESSAGE_MAP(CWaitProbe, CWnd)
  .OnMessage(kProbeMessage, &CWaitProbe::OnProbe)
END_MESSAGE_MAP()
// clang-format on

// A folder of the run with the server's tree, the settings store and the program folder.
struct SDownloadSetup {
  std::filesystem::path folder;
  std::unique_ptr<CFtpTestServer> server;

  SDownloadSetup() {
    char name[] = "/tmp/zdbench.XXXXXX";
    folder = mkdtemp(name);
    const auto serverFolder = folder / "ftp/DiVudodav/ZD-Zedo";
    std::filesystem::create_directories(serverFolder);
    std::filesystem::create_directories(folder / "program");
    std::string data(kInstallerSize, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = char((i * 7 + i / 251) & 0xFF);
    std::ofstream(serverFolder / kInstallerName, std::ios::binary) << data;
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    server = std::make_unique<CFtpTestServer>((folder / "ftp").string());
    RegSetString(kUpdateServerKey, kUpdateServerValue, CString::FromUtf8(server->Address()));
    RegSetString(kShellSettingsKey, kShellOpenCommandValue, u"/bin/true");
  }
  ~SDownloadSetup() {
    server.reset();
    std::filesystem::remove_all(folder);
  }
};

SDownloadSetup& Setup() {
  static SDownloadSetup setup;
  return setup;
}

void BM_BareRead(benchmark::State& state) {
  SDownloadSetup& setup = Setup();
  std::vector<char> block(64 * 1024);
  for (auto _ : state) {
    CInternetSession session;
    auto connection =
        session.GetFtpConnection(CString::FromUtf8(setup.server->Address()), u"jvcust", u"hantelKRB");
    connection->SetCurrentDirectory(u"./DiVudodav/ZD-Zedo/");
    auto file = connection->OpenFile(CString::FromUtf8(kInstallerName), true);
    size_t total = 0;
    while (UINT count = file->Read(block.data(), UINT(block.size()))) total += count;
    if (total != kInstallerSize) state.SkipWithError("the installer arrived incomplete");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kInstallerSize));
}

void BM_WizardBlockPath(benchmark::State& state) {
  SDownloadSetup& setup = Setup();
  CUiApplication application;
  RegisterProgramResources(nullptr);
  for (auto _ : state) {
    CWaitProbe probe;
    probe.CreateEx(0, nullptr, u"probe", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
    CScriptedAnswers answers;
    answers.AddModalDialogScript([&probe](CWnd& dialog) {
      auto& sheet = dynamic_cast<CAutoUpdate&>(dialog);
      while (!sheet.HasEnded() && !(sheet.GetWizardButtons() & kWizardNext)) PumpMessages(1);
      // The search has offered the installer: time the download from the press of Next.
      probe.Post();
      sheet.PressButton(kWizardNext);
      while (!sheet.HasEnded()) PumpMessages(1);
      probe.Stop();
    });
    CAutoUpdate sheet(nullptr, CString::FromUtf8((setup.folder / "program").string()));
    const auto start = Clock::now();
    const bool started = sheet.Run(false, false, false);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    if (!started) state.SkipWithError("the wizard did not download the installer");
    state.counters["max_message_wait_ms"] = probe.m_maxWaitMs;
    probe.DestroyWindow();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kInstallerSize));
}

BENCHMARK(BM_BareRead)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WizardBlockPath)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
