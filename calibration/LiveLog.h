#pragma once
// The CSV log of Live View: one file per test, "VexalonLog_" and the local time
// ("%Y%m%d_%H%M%S") with ".csv", in the process's current directory, written in text mode so
// that its lines end in CR LF. A header line, then one row per sampling period; the file is
// flushed about every five seconds (every 20, 10 or 5 rows for periods of 250, 500, 1000 ms).
// A write that fails (a full disk) ends the writing of the file; Close tells whether every line
// reached it.

#include <atomic>
#include <cstdio>

#include "calibration/SamplingTicker.h"
#include "platform/base/String.h"

class CLiveLog {
 public:
  static constexpr const char* kHeader =
      "RcvBuff;DeltaT(s);Time(s);SampledForce(N);minForce;meanForce;maxForce;minCurrent(mA);meanCurrent;"
      "maxCurrent;DriveState;Samples;SampleIdx;MissedSamples;";

  CLiveLog() = default;
  ~CLiveLog();
  CLiveLog(const CLiveLog&) = delete;
  CLiveLog& operator=(const CLiveLog&) = delete;

  // The file name for a local time given as seconds since 1970.
  static CString MakeFileName(std::int64_t stamp);
  // Closes an open log, then creates the named file (the current time's name when empty) and
  // writes the header; false when the file cannot be created.
  bool Open(int samplingPeriodMs, const CString& fileName = CString());
  // Writes the row of the tick (counted from 1); flushes when the tick count is a multiple of
  // the flush interval.
  void WriteRow(const SSamplingRow& row, int tickCount);
  // Flushes and closes an open log; false when a line or the close failed since it was opened.
  bool Close();
  bool IsOpen() const { return m_file != nullptr; }
  const CString& GetFileName() const { return m_fileName; }
  int GetFlushInterval() const { return m_flushInterval; }

 private:
  std::FILE* m_file = nullptr;
  CString m_fileName;
  int m_flushInterval = 10;
  // Set by the sampling timer's thread, read once the timer is gone.
  std::atomic<bool> m_failed{false};
};
