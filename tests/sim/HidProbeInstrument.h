#pragma once
// A HID probe's side of its reports, played in memory as the system's HID service: the
// feature report serves as the two-way mailbox of the probe's control channel, and input
// reports carry its data. Each poll of the mailbox (a feature report read) is one step of the
// instrument: it takes a message of the PC after a few polls, and puts its own queued messages
// in whenever the mailbox is free.
//
// In a test it stands in for the system's service while it lives (SetHidBackend); a
// CHidLink runs a simulated instrument over its mailbox; instrument-sim serves it to another
// process through a CHidSocketServer.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/io/HidBackend.h"

namespace Sim {

class CHidProbeInstrument : public CHidBackend {
 public:
  static constexpr const char* kDefaultPath = "/dev/sim-hidraw0";
  // What the PC's messages carry, handed on as they are taken.
  using Receiver = std::function<void(const BYTE* data, int count)>;

  CHidProbeInstrument(int featureReportLength, int inputReportLength, std::string path = kDefaultPath);
  ~CHidProbeInstrument() override;

  const std::string& Path() const { return m_path; }
  // The payload bytes one mailbox message holds.
  int MessageCapacity() const;
  void SetReceiver(Receiver receiver);
  void SetTakesMessages(bool takes, int pollsBeforeTaking = 2);
  // Bytes the instrument sends, in messages of at most `chunk` payload bytes each.
  void QueueForHost(const std::vector<BYTE>& data, int chunk);
  // An input report for a read that waits for one; a read that does not wait finds none.
  void QueueInputReport(int sequence, const std::vector<BYTE>& payload);
  std::vector<BYTE> Received();
  std::vector<int> MessageCounters();
  int Acknowledgements();
  std::vector<BYTE> Mailbox();
  int OpenHandles();
  // Handles opened so far, open or not.
  int Opens();
  // Blocks until the PC has polled the mailbox `count` times in all, or has begun `count`
  // input-report reads in all.
  void WaitForPolls(int count);
  void WaitForInputReads(int count);

  int List(WORD vendorId, std::vector<std::string>& paths) override;
  int Open(const std::string& path, bool inputOnly, int& handle) override;
  int Close(int handle) override;
  int GetCaps(int handle, SHidCaps& caps) override;
  int GetFeature(int handle, BYTE* report, int length) override;
  int SetFeature(int handle, const BYTE* report, int length) override;
  int ReadInput(int handle, BYTE* report, int length, int timeoutMs, CWakeSignal& wake,
                int& received) override;

 private:
  void Step();

  std::mutex m_lock;
  std::condition_variable m_activity;
  const int m_featureLength;
  const int m_inputLength;
  const std::string m_path;
  Receiver m_receiver;
  int m_polls = 0;
  int m_inputReads = 0;
  std::vector<BYTE> m_mailbox;
  bool m_takes = true;
  int m_pollsBeforeTaking = 2;
  int m_pollsWaited = 0;
  int m_sequence = 0;
  std::deque<std::vector<BYTE>> m_toHost;
  std::deque<std::vector<BYTE>> m_inputReports;
  std::vector<BYTE> m_received;
  std::vector<int> m_counters;
  int m_acknowledgements = 0;
  std::set<int> m_handles;
  int m_nextHandle;
};

}  // namespace Sim
