#include "calibration/LiveLog.h"

#include <cmath>
#include <cstdint>

#include "platform/base/LocalTime.h"
#include "platform/base/TextModeFile.h"

namespace {

constexpr int kFlushEveryMs = 5000;

}  // namespace

CLiveLog::~CLiveLog() { Close(); }

CString CLiveLog::MakeFileName(std::int64_t stamp) {
  SLocalTime local;
  StampToLocalTime(stamp, local);
  CString name;
  name.Format(u"VexalonLog_%04d%02d%02d_%02d%02d%02d.csv", local.year, local.month, local.day, local.hour,
              local.minute, local.second);
  return name;
}

bool CLiveLog::Open(int samplingPeriodMs, const CString& fileName) {
  Close();
  m_fileName = fileName.IsEmpty() ? MakeFileName(CurrentTimeStamp()) : fileName;
  m_file = OpenTextModeFile(m_fileName.ToUtf8().c_str(), "w");
  if (!m_file) return false;
  m_failed = std::fprintf(m_file, "%s\n", kHeader) < 0;
  m_flushInterval = samplingPeriodMs > 0 ? int(std::lround(double(kFlushEveryMs) / samplingPeriodMs)) : 1;
  if (m_flushInterval < 1) m_flushInterval = 1;
  return true;
}

void CLiveLog::WriteRow(const SSamplingRow& row, int tickCount) {
  // Past a failed write the file misses rows; the rows after them would only hide the gap.
  if (!m_file || m_failed) return;
  const int written =
      std::fprintf(m_file, "%s;%.03lf;%.03lf;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;\n", row.rawText.c_str(),
                   row.deltaSeconds, row.elapsedSeconds, row.sampledForce, row.force.minimum, row.force.mean,
                   row.force.maximum, row.current.minimum, row.current.mean, row.current.maximum,
                   row.driveState, row.force.count, row.lastSampleNumber, row.missedSamples);
  if (written < 0 || (tickCount % m_flushInterval == 0 && std::fflush(m_file) != 0)) m_failed = true;
}

bool CLiveLog::Close() {
  if (!m_file) return true;
  bool written = !m_failed && std::fflush(m_file) == 0;
  if (std::fclose(m_file) != 0) written = false;
  m_file = nullptr;
  m_failed = false;
  return written;
}
