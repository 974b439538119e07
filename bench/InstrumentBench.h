#pragma once
// What the benchmarks against a simulated instrument share: a device object attached at its
// class's serial settings to the simulator on a pseudo-terminal opened as a COM port.

#include <filesystem>
#include <memory>
#include <string>

#include "device/JvDevice.h"
#include "tests/sim/Peer.h"
#include "tests/sim/instruments/InstrumentSimulator.h"

class CInstrumentBench {
 public:
  // Starts the instrument, throttled to `byteRate` (0: as fast as the link goes), and
  // attaches a device object of its type at COM `com`.
  CInstrumentBench(Sim::CInstrumentSimulator& instrument, int type, int com, int byteRate);
  // Deletes the device object before the instrument stops.
  ~CInstrumentBench();

  bool IsConnected() const { return m_connected; }
  Device::CJvDevice& Device() { return *m_device; }
  Sim::CPeer& Peer() { return *m_peer; }

 private:
  std::unique_ptr<Sim::CPeer> m_peer;
  std::unique_ptr<Device::CJvDevice> m_device;
  bool m_connected = false;
};

// The benchmark program's own settings folder (see PrivateSettingsMain.h), which also takes its
// temporary files.
std::filesystem::path BenchFolder();
