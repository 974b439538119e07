#pragma once
// A simulated ZD-2 on a pseudo-terminal mapped to a COM number, with the stream layer and the
// device thread running: what the calibration dialogs' tests search for the instrument on.

#include <memory>

#include "device/DeviceThread.h"
#include "device/streamio/StreamIO.h"
#include "tests/sim/Peer.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/zd2/Zd2Simulator.h"

class CZd2OnComPort {
 public:
  explicit CZd2OnComPort(int com) : m_com(com) {}
  CZd2OnComPort(const CZd2OnComPort&) = delete;
  CZd2OnComPort& operator=(const CZd2OnComPort&) = delete;

  // Starts the stream layer and the device thread; false when the thread did not start.
  bool StartLayers() {
    StreamIO::InitStreamIO();
    return Device::StartDeviceThread();
  }
  // Stops the device thread, the simulator and the stream layer, in that order.
  void StopAll() {
    Device::StopDeviceThread();
    if (m_peer) m_peer->Stop();
    StreamIO::ExitStreamIO();
  }
  // Serves the simulator on the COM number; false when the number could not be mapped.
  bool StartSimulator() {
    auto link = std::make_unique<Sim::CPtyLink>();
    if (!link->MapToComPort(m_com)) return false;
    m_peer = std::make_unique<Sim::CPeer>(std::move(link));
    m_peer->Start([this](Sim::CPeer& peer) { zd2.Run(peer); });
    return true;
  }
  const Sim::CPeer& Peer() const { return *m_peer; }

  Sim::CZd2Simulator zd2;

 private:
  int m_com;
  std::unique_ptr<Sim::CPeer> m_peer;
};
