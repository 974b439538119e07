#pragma once
// A device object of one of the maker's other instruments, attached at its class's serial
// settings to the simulated instrument on a pseudo-terminal opened as a COM port. Time runs
// twenty times faster.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/JvDevice.h"
#include "tests/sim/Peer.h"
#include "tests/sim/instruments/InstrumentSimulator.h"
#include "tests/support/TimeScaleOverride.h"

class InstrumentOnPseudoTerminal : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale;
  void SetUp() override;
  void TearDown() override;

  // Makes the simulated instrument of the type; configure it before Connect.
  Sim::CInstrumentSimulator& Instrument(int type);
  // Starts the instrument and attaches a device object of its type (or of `deviceType`).
  void Connect(int deviceType = -1);
  Device::CJvDevice& Device() { return *m_device; }
  template <class T>
  T& DeviceAs() {
    return dynamic_cast<T&>(*m_device);
  }
  // Deletes the device object, which the search's receiver would do.
  void DropDevice() { m_device.reset(); }
  // The items the instrument received, once the last one of `count` (or any more) came.
  std::vector<std::string> LogOf(size_t count);
  std::vector<std::string> Log() { return m_instrument->Log(); }
  // Waits (real time) until the log holds an item equal to `item`.
  bool WaitForItem(const std::string& item);

  int m_type = -1;
  std::unique_ptr<Sim::CInstrumentSimulator> m_instrument;
  std::unique_ptr<Sim::CPeer> m_peer;
  std::unique_ptr<Device::CJvDevice> m_device;
};

// Text with every item of the log on a line of its own, for failure messages.
std::string Lines(const std::vector<std::string>& items);
