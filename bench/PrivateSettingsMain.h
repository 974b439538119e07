#pragma once
// The main of a benchmark that maps a pseudo-terminal to a COM number: the mapping goes into a
// settings store of the benchmark's own, removed when the benchmarks end.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline int RunBenchmarksWithPrivateSettings(int argc, char** argv, const std::string& name) {
  const std::filesystem::path settings =
      std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()));
  std::filesystem::create_directories(settings);
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(settings);
  return 0;
}
