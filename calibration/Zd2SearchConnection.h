#pragma once
// A ZD-2 found for a calibration dialog by the device search thread. The search runs on that
// thread, which also hands the device over, has the calibration document read the instrument's
// identity and refuses firmware older than 1.6.3 with a message box; the owner polls
// IsConnected until the connect time-out has passed. The connection owns the device while it
// holds it and lends it to the document.

#include <atomic>
#include <memory>

#include "device/Callback.h"
#include "device/SearchRequest.h"
#include "device/VexalonDevice.h"

class CVexalonDoc;

class CZd2SearchConnection : public Device::CCallback {
 public:
  static constexpr int kConnectTimeoutMs = 15000;

  explicit CZd2SearchConnection(CVexalonDoc* doc);
  ~CZd2SearchConnection() override;
  CZd2SearchConnection(const CZd2SearchConnection&) = delete;
  CZd2SearchConnection& operator=(const CZd2SearchConnection&) = delete;

  // Drops a held device and queues the search; the outcome arrives later. False only when
  // the search could not be queued.
  bool Connect(const Device::SSearchRequest& request);
  // Deletes the held device (one still in the debug protocol restarts) and takes it from the
  // document. A search still running is given up first, so that it never reports to a
  // connection that is gone.
  bool Disconnect();
  bool IsConnected() const { return m_connected; }
  int GetConnectTimeout() const { return kConnectTimeoutMs; }
  // The number of the serial port the device was found on; -1 while none is held.
  int GetComPortNumber() const { return m_comPortNumber; }

  void OnDeviceFound(Device::CJvDevice* device) override;
  void OnStatusText(const CString&) override {}
  void OnMessage(const CString&, int) override {}
  void OnProgress(int, int, int) override {}

 private:
  // The search has ended with a device held: the identity read and the firmware check.
  bool OnConnected();
  void AbandonSearch();

  CVexalonDoc* m_doc;
  std::unique_ptr<Device::CVexalonDevice> m_device;
  std::atomic<bool> m_searching{false};
  std::atomic<bool> m_connected{false};
  std::atomic<int> m_comPortNumber{-1};
};
