#pragma once
// A log file of the calibration run: its handle, its path and three running counts, guarded
// by its own lock.

#include "platform/base/FileHandle.h"
#include "platform/base/String.h"
#include "platform/kernel/CriticalSection.h"

struct SLogFile {
  // Closes the file when one is open, forgets its path and zeroes the counts.
  void Close();

  CFileHandle file;
  CString path;
  int lineCount = 0;
  int sampleCount = 0;
  int errorCount = 0;
  CCriticalSection lock;
};
