#pragma once
// A HID probe played in memory: it stands in for the system's HID service while it lives and
// answers the feature-report mailbox as the instrument does. Each poll of the mailbox (a
// feature report read) is one step of the instrument: it takes a message of the PC after a
// few polls, and puts its own queued messages in whenever the mailbox is free.

#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/io/HidBackend.h"

class CFakeHidProbe : public CHidBackend {
 public:
  static constexpr const char* kPath = "/dev/fake-hidraw0";

  CFakeHidProbe(int featureReportLength, int inputReportLength);
  ~CFakeHidProbe() override;

  // The instrument's side.
  void SetTakesMessages(bool takes, int pollsBeforeTaking = 2);
  // Bytes the instrument sends, in messages of at most `chunk` payload bytes each.
  void QueueForHost(const std::vector<BYTE>& data, int chunk);
  void QueueInputReport(int sequence, const std::vector<BYTE>& payload);
  std::vector<BYTE> Received();
  std::vector<int> MessageCounters();
  int Acknowledgements();
  std::vector<BYTE> Mailbox();
  int OpenHandles();

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
  const int m_featureLength;
  const int m_inputLength;
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
  int m_nextHandle = 100;
};
