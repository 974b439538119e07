#pragma once
// A console reporter that keeps each benchmark's real time per iteration, so that a benchmark
// program can print the ratio of two of them after the run.

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  // The time of the first over the second; 0 when either did not run.
  double Ratio(const std::string& first, const std::string& second) {
    const double a = times[first], b = times[second];
    return a > 0 && b > 0 ? a / b : 0;
  }
  std::map<std::string, double> times;
};

// Runs the benchmarks the command line names with the reporter, then hands the reporter to
// `report`, which prints the program's ratios against their goals.
inline int RunWithRatioReporter(int argc, char** argv, const std::function<void(RatioReporter&)>& report) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  report(reporter);
  benchmark::Shutdown();
  return 0;
}
