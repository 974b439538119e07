#pragma once
// The options that report-header and extern-cal share: the pinned "now" and the report
// values, applied to the shared report values as the calibration procedures set them.

#include <string>
#include <vector>

#include "app/ExternCalReport.h"

struct SReportOptions {
  SExternCalTexts texts;
  std::string now;  // "YYYY-MM-DD HH:MM:SS"; empty: the clock
  std::string tester;
  std::string temperature;
};

// Takes the option at args[i] (and its value); false when it is not one of them. `bad` is set
// for a known option without a valid value.
bool TakeReportOption(const std::vector<std::string>& args, size_t& i, SReportOptions& options, bool& bad);
// Pins the time and stores tester and temperature; false (after saying why) for a bad time.
bool ApplyReportOptions(const SReportOptions& options);
