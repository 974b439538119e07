#pragma once
// The device thread started for each test, with simulated ZD-2s on loopback sockets (port 3728
// of a 127.0.0.x address) or on pseudo-terminals mapped to COM numbers. Time runs twenty times
// faster unless a test sets its own scale.

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>

#include "device/DeviceThread.h"
#include "tests/device/search/RecordingCallback.h"
#include "tests/sim/Peer.h"
#include "tests/sim/zd2/Zd2Simulator.h"
#include "tests/support/TimeScaleOverride.h"

class DeviceThreadTest : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale;
  void SetUp() override;
  void TearDown() override;

  // A simulated ZD-2 with the identity (the default one when empty), serving on the address at
  // port 3728, or on a pseudo-terminal at the COM number.
  Sim::CPeer& StartZd2AtAddress(const std::string& address, const std::string& identity = {});
  Sim::CPeer& StartZd2AtCom(int com, const std::string& identity = {});
  Sim::CZd2Simulator& LastZd2() { return m_zd2s.back(); }

  static Device::SSearchRequest IpRequest(const std::string& host);
  static Device::SSearchRequest SerialRequest(int port, bool scanAll);

  // Reports go here; they outlive the device thread's jobs.
  CRecordingCallback m_callback;
  CRecordingCallback m_otherCallback;

 private:
  Sim::CPeer& Start(std::unique_ptr<Sim::CLink> link, const std::string& identity);

  std::deque<Sim::CZd2Simulator> m_zd2s;
  std::deque<std::unique_ptr<Sim::CPeer>> m_peers;
};

// The serial number of the simulated ZD-2's default identity.
inline const char kZd2Serial[] = "VN02-123-4567";
