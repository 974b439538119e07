#include "calibration/LogFile.h"

void SLogFile::Close() {
  CSingleLock guard(lock);
  if (file.IsValid()) file.Close();
  path.Empty();
  lineCount = sampleCount = errorCount = 0;
}
