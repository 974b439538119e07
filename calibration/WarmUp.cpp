#include "calibration/WarmUp.h"

#include <cmath>

#include "calibration/VexalonDoc.h"
#include "device/Stopwatch.h"
#include "platform/base/Clock.h"
#include "platform/kernel/Event.h"

namespace {

constexpr int kRampSpeed = 450;  // N/s
constexpr DWORD kSettleMs = 2000;
constexpr DWORD kHomingPollMs = 500;
constexpr DWORD kReturnPollMs = 200;
// The ramp's own time plus this margin before it counts as stuck.
constexpr int kTimeoutMarginMs = 30000;
// The ramp's poll may run without pause; a short one leaves the processor to the reader.
constexpr DWORD kRampPollMs = 1;

class CWarmUp {
 public:
  CWarmUp(CVexalonDoc& doc, IDriveStopWatch& connection, CColorRichEditCtrl& log, CEvent& abortEvent)
      : m_device(*doc.m_device), m_connection(connection), m_log(log), m_abort(abortEvent) {}

  bool Run(int load) {
    Shown(u"Started warm up run");
    const bool ok = Drive(load);
    Shown(u"Finished warm up run");
    return ok;
  }

 private:
  void Shown(const CString& text) { m_log.AddLine(kStatusLine, text, true); }
  void FileOnly(const CString& text) { m_log.AddLine(kStatusLine, text, false); }

  // Up to the load and home again; false on a failed command, an abort or a time-out.
  bool Drive(int load) {
    CString text;
    if (!m_device.SetRampSpeed(kRampSpeed)) {
      Shown(u"Failed to set ramp speed.");
      return false;
    }
    text.Format(u"Set ramp speed to %d N/s", kRampSpeed);
    FileOnly(text);
    m_connection.MarkHoming(kSettleMs);
    if (!m_device.SetDriveState(Device::CVexalonDevice::kDriveBack)) {
      Shown(u"Failed to send command to move ZD-2 back to the original position.");
      return false;
    }
    Sleep(kSettleMs);
    FileOnly(u"Moving ZD-2 back to the original position");
    while (!m_connection.HasDriveStopped()) {
      Sleep(kHomingPollMs);
      if (m_abort.IsSet()) return false;
    }

    if (!m_device.SetNominalLoad(load)) {
      text.Format(u"Failed to set nominal load to %d N", load);
      Shown(text);
      return false;
    }
    text.Format(u"Set nominal load to %d N", load);
    FileOnly(text);
    m_connection.MarkRampStart();
    if (!m_device.SetDriveState(Device::CVexalonDevice::kDriveStart)) {
      Shown(u"Failed to send START command");
      return false;
    }
    FileOnly(u"Sent START command");

    ULONGLONG start = 0;
    QueryTimestamp(start);
    Sleep(kSettleMs);
    const int timeoutMs = int(std::lround(load * 1000.0 / kRampSpeed)) + kTimeoutMarginMs;
    text.Format(u"Set timeout to %.1lf seconds.", timeoutMs * 0.001);
    FileOnly(text);
    bool aborted = false;
    bool timedOut = false;
    for (;;) {
      if (m_abort.IsSet()) {
        aborted = true;
        break;
      }
      if (m_connection.HasDriveStopped()) {
        FileOnly(u"Reached STOP state");
        break;
      }
      ULONGLONG now = 0;
      QueryTimestamp(now);
      if (GetElapsedMs(start, now) > TimeoutSpan(ULONGLONG(timeoutMs))) {
        text.Format(u"ERROR: Exceeded step timeout of %d milliseconds.", timeoutMs);
        Shown(text);
        timedOut = true;
        break;
      }
      Sleep(kRampPollMs);
    }

    // Home in every case; only a ramp that ended by itself waits for the drive to get there.
    m_connection.MarkHoming(kSettleMs);
    m_device.SetDriveState(Device::CVexalonDevice::kDriveBack);
    FileOnly(u"Moving ZD-2 back to the original position");
    Sleep(kSettleMs);
    if (aborted || timedOut) return false;
    while (!m_connection.HasDriveStopped()) {
      if (m_abort.IsSet()) return false;
      Sleep(kReturnPollMs);
    }
    FileOnly(u"Reached STOP state");
    return true;
  }

  Device::CVexalonDevice& m_device;
  IDriveStopWatch& m_connection;
  CColorRichEditCtrl& m_log;
  CEvent& m_abort;
};

}  // namespace

bool RunWarmUp(CVexalonDoc& doc, IDriveStopWatch& connection, CColorRichEditCtrl& log, CEvent& abortEvent,
               int loadNewtons) {
  return CWarmUp(doc, connection, log, abortEvent).Run(loadNewtons);
}
