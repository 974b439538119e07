#pragma once
// A console reporter that keeps each benchmark's time per iteration (in the benchmark's own
// unit), so that a benchmark program can print its goals as ratios at the end.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class GoalReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};
