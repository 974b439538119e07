// Start-up to the first painted frame: the program (zd-zedo) against a bare toolkit program
// that opens one empty window, each started as a process in the same run, headless. A run
// ends when the process prints "first-paint"; the process is then stopped. Goal: the program
// within 1.5 times the bare program.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// The medians of the runs, by program.
std::map<std::string, double> g_medianMs;

// Milliseconds from the start of the process to its first painted frame; -1 on failure.
double TimeToFirstPaint(const QString& program, const QString& folder) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("ZD_FIRST_PAINT_PROBE", "1");
  environment.insert("XDG_CONFIG_HOME", folder + "/config");
  environment.insert("XDG_DATA_HOME", folder + "/data");
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(folder);
  QElapsedTimer timer;
  timer.start();
  process.start(program, {});
  double elapsed = -1;
  while (process.waitForReadyRead(10000)) {
    if (process.readAllStandardOutput().contains("first-paint")) {
      elapsed = double(timer.nsecsElapsed()) / 1e6;
      break;
    }
  }
  process.terminate();
  if (!process.waitForFinished(5000)) process.kill();
  process.waitForFinished(1000);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// The two programs start in turn, so that the load of the machine falls on both alike.
void BM_StartUpToFirstFrame(benchmark::State& state) {
  QTemporaryDir folder;
  std::vector<double> bare;
  std::vector<double> program;
  for (auto _ : state) {
    const double bareMs = TimeToFirstPaint(ZD_BARE_WINDOW_PROGRAM, folder.path());
    const double programMs = TimeToFirstPaint(ZD_PROGRAM, folder.path());
    if (bareMs < 0 || programMs < 0) {
      state.SkipWithError("a program showed no painted frame");
      return;
    }
    state.SetIterationTime(programMs / 1000.0);
    bare.push_back(bareMs);
    program.push_back(programMs);
  }
  g_medianMs["bare"] = Median(bare);
  g_medianMs["zd-zedo"] = Median(program);
  state.counters["bare_ms"] = g_medianMs["bare"];
  state.counters["zd_zedo_ms"] = g_medianMs["zd-zedo"];
  state.counters["ratio"] = g_medianMs["zd-zedo"] / g_medianMs["bare"];
}

BENCHMARK(BM_StartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_medianMs.count("bare") && g_medianMs["bare"] > 0) {
    const double ratio = g_medianMs["zd-zedo"] / g_medianMs["bare"];
    std::printf(
        "start-up to first frame (medians): zd-zedo %.1f ms, bare window %.1f ms, ratio %.2f (goal <= "
        "1.50)\n",
        g_medianMs["zd-zedo"], g_medianMs["bare"], ratio);
  }
  return 0;
}
