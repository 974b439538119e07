#pragma once
// What the benchmarks against a simulated instrument share: a device object attached at its
// class's serial settings to the simulator on a pseudo-terminal opened as a COM port, and a
// settings store of the benchmark program's own for that port's mapping.

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

// The benchmark program's temporary folder, made by RunBenchmarksInOwnFolder.
const std::filesystem::path& BenchFolder();
// Runs the registered benchmarks with XDG_CONFIG_HOME in a temporary folder named after the
// program, removed afterwards.
int RunBenchmarksInOwnFolder(int argc, char** argv, const std::string& name);
