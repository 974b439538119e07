#include "tests/sim/HidProbeInstrument.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"

namespace Sim {
namespace {

constexpr BYTE kFree = 0x01;
constexpr BYTE kFromPc = 0x02;

constexpr int kHeader = 3;
constexpr int kFirstHandle = 100;
constexpr BYTE kLengthMask = 0x3F;

int LengthOf(const std::vector<BYTE>& report) { return report[2] & kLengthMask; }

}  // namespace

CHidProbeInstrument::CHidProbeInstrument(int featureReportLength, int inputReportLength, std::string path)
    : m_featureLength(featureReportLength),
      m_inputLength(inputReportLength),
      m_path(std::move(path)),
      m_mailbox(size_t(featureReportLength)),
      m_nextHandle(kFirstHandle) {
  // An idle instrument shows an empty, free mailbox.
  m_mailbox[1] = kFree;
  SetHidBackend(this);
}

CHidProbeInstrument::~CHidProbeInstrument() { SetHidBackend(nullptr); }

int CHidProbeInstrument::MessageCapacity() const {
  return std::min(m_featureLength - kHeader, int(kLengthMask));
}

void CHidProbeInstrument::SetReceiver(Receiver receiver) {
  std::lock_guard lock(m_lock);
  m_receiver = std::move(receiver);
}

void CHidProbeInstrument::SetTakesMessages(bool takes, int pollsBeforeTaking) {
  std::lock_guard lock(m_lock);
  m_takes = takes;
  m_pollsBeforeTaking = pollsBeforeTaking;
}

void CHidProbeInstrument::QueueForHost(const std::vector<BYTE>& data, int chunk) {
  std::lock_guard lock(m_lock);
  for (size_t pos = 0; pos < data.size(); pos += size_t(chunk))
    m_toHost.emplace_back(data.begin() + long(pos),
                          data.begin() + long(std::min(data.size(), pos + size_t(chunk))));
}

void CHidProbeInstrument::QueueInputReport(int sequence, const std::vector<BYTE>& payload) {
  std::vector<BYTE> report(static_cast<size_t>(m_inputLength));
  report[1] = BYTE((sequence << 5) | (payload.size() & 0x0F));
  std::copy(payload.begin(), payload.end(), report.begin() + 2);
  std::lock_guard lock(m_lock);
  m_inputReports.push_back(report);
}

std::vector<BYTE> CHidProbeInstrument::Received() {
  std::lock_guard lock(m_lock);
  return m_received;
}

std::vector<int> CHidProbeInstrument::MessageCounters() {
  std::lock_guard lock(m_lock);
  return m_counters;
}

int CHidProbeInstrument::Acknowledgements() {
  std::lock_guard lock(m_lock);
  return m_acknowledgements;
}

std::vector<BYTE> CHidProbeInstrument::Mailbox() {
  std::lock_guard lock(m_lock);
  return m_mailbox;
}

int CHidProbeInstrument::OpenHandles() {
  std::lock_guard lock(m_lock);
  return int(m_handles.size());
}

int CHidProbeInstrument::Opens() {
  std::lock_guard lock(m_lock);
  return m_nextHandle - kFirstHandle;
}

void CHidProbeInstrument::WaitForPolls(int count) {
  std::unique_lock lock(m_lock);
  m_activity.wait(lock, [&] { return m_polls >= count; });
}

void CHidProbeInstrument::WaitForInputReads(int count) {
  std::unique_lock lock(m_lock);
  m_activity.wait(lock, [&] { return m_inputReads >= count; });
}

int CHidProbeInstrument::List(WORD, std::vector<std::string>& paths) {
  paths = {m_path};
  return 0;
}

int CHidProbeInstrument::Open(const std::string& path, bool, int& handle) {
  if (path != m_path) return ERROR_FILE_NOT_FOUND;
  std::lock_guard lock(m_lock);
  handle = m_nextHandle++;
  m_handles.insert(handle);
  return 0;
}

int CHidProbeInstrument::Close(int handle) {
  std::lock_guard lock(m_lock);
  return m_handles.erase(handle) ? 0 : ERROR_INVALID_HANDLE;
}

int CHidProbeInstrument::GetCaps(int handle, SHidCaps& caps) {
  std::lock_guard lock(m_lock);
  if (!m_handles.count(handle)) return ERROR_INVALID_HANDLE;
  caps.featureReportLength = m_featureLength;
  caps.inputReportLength = m_inputLength;
  return 0;
}

void CHidProbeInstrument::Step() {
  const BYTE flags = m_mailbox[1];
  const int length = LengthOf(m_mailbox);
  if ((flags & kFromPc) && !(flags & kFree) && length > 0) {
    if (!m_takes || ++m_pollsWaited < m_pollsBeforeTaking) return;
    m_pollsWaited = 0;
    m_received.insert(m_received.end(), m_mailbox.begin() + kHeader, m_mailbox.begin() + kHeader + length);
    if (m_receiver) m_receiver(&m_mailbox[kHeader], length);
    m_counters.push_back((flags >> 2) & 0x07);
    m_mailbox[1] |= kFree;
    return;
  }
  // The PC has not yet cleared its taken message, or has not taken ours: nothing to put in.
  const bool free = (flags & kFree) && (length == 0 || !(flags & kFromPc));
  if (!free) return;
  if (m_toHost.empty()) {
    // The PC took our last message: the mailbox is empty again.
    m_mailbox[2] &= 0xC0;
    return;
  }
  const std::vector<BYTE> message = m_toHost.front();
  m_toHost.pop_front();
  m_sequence = (m_sequence + 1) & 0x07;
  m_mailbox[1] = BYTE((m_sequence << 5) | (flags & 0x1C));
  m_mailbox[2] = BYTE((m_mailbox[2] & 0xC0) | message.size());
  std::copy(message.begin(), message.end(), m_mailbox.begin() + kHeader);
}

int CHidProbeInstrument::GetFeature(int handle, BYTE* report, int length) {
  std::lock_guard lock(m_lock);
  if (!m_handles.count(handle)) return ERROR_INVALID_HANDLE;
  if (length != m_featureLength || report[0] != 0) return ERROR_INVALID_PARAMETER;
  Step();
  std::copy(m_mailbox.begin(), m_mailbox.end(), report);
  ++m_polls;
  m_activity.notify_all();
  return 0;
}

int CHidProbeInstrument::SetFeature(int handle, const BYTE* report, int length) {
  std::lock_guard lock(m_lock);
  if (!m_handles.count(handle)) return ERROR_INVALID_HANDLE;
  if (length != m_featureLength || report[0] != 0) return ERROR_INVALID_PARAMETER;
  const bool instrumentMessage = !(m_mailbox[1] & (kFree | kFromPc)) && LengthOf(m_mailbox) > 0;
  if (instrumentMessage && (report[1] & kFree) && !(report[1] & kFromPc)) ++m_acknowledgements;
  m_mailbox.assign(report, report + length);
  return 0;
}

int CHidProbeInstrument::ReadInput(int handle, BYTE* report, int length, int timeoutMs, CWakeSignal& wake,
                                   int& received) {
  received = 0;
  CWakeSignal::CWaitScope scope(wake);
  {
    std::lock_guard lock(m_lock);
    ++m_inputReads;
    m_activity.notify_all();
  }
  const auto deadline =
      std::chrono::steady_clock::now() + ScaledDuration(timeoutMs < 0 ? 0 : DWORD(timeoutMs));
  for (;;) {
    {
      std::lock_guard lock(m_lock);
      if (!m_handles.count(handle)) return ERROR_INVALID_HANDLE;
      // The instrument sends its next report while the PC listens: a read that does not wait
      // (a purge) finds none.
      if (!m_inputReports.empty() && timeoutMs != 0) {
        const std::vector<BYTE> next = m_inputReports.front();
        m_inputReports.pop_front();
        received = std::min(length, int(next.size()));
        std::copy(next.begin(), next.begin() + received, report);
        return 0;
      }
    }
    if (wake.IsRaised()) return ERROR_OPERATION_ABORTED;
    if (timeoutMs >= 0 && std::chrono::steady_clock::now() >= deadline) return ERROR_TIMEOUT;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace Sim
