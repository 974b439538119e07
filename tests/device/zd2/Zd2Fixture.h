#pragma once
// A ZD-2 device object attached over a real transport to the simulated ZD-2: a loopback TCP
// socket (a free port on this program's own address) or a pseudo-terminal opened as a COM
// port at the ZD-2's serial settings. Time runs twenty times faster.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/VexalonDevice.h"
#include "platform/base/WinTypes.h"
#include "tests/sim/Peer.h"
#include "tests/sim/Script.h"
#include "tests/sim/zd2/Zd2Simulator.h"
#include "tests/support/TimeScaleOverride.h"

using Bytes = std::vector<BYTE>;

enum class ELink { eSocket, ePseudoTerminal };

// `count` records of 238 bytes, each beginning with its size word, filled from `seed`.
Bytes MakeRecords(int count, int seed = 1);
// The transcript as text, binary bytes written as <XX>.
std::string Printable(const Bytes& bytes);

class Zd2Test : public ::testing::TestWithParam<ELink> {
 protected:
  CTimeScaleOverride timeScale;
  void SetUp() override;
  void TearDown() override;

  // Starts the simulated ZD-2 and attaches the device to it.
  void Connect();
  // Plays a script instead of the simulator, for exchanges the simulator would not produce.
  void ConnectScript(const Sim::CScript& script);
  // What the instrument received so far, after the client's last exchange.
  std::string Received();
  // Ends the device (which leaves the debug protocol with a restart) and gives everything the
  // instrument received.
  std::string ReceivedAfterClose();

  Device::CVexalonDevice& Device() { return *m_device; }

  Sim::CZd2Simulator m_zd2;
  std::unique_ptr<Sim::CPeer> m_peer;
  std::unique_ptr<Device::CVexalonDevice> m_device;

 private:
  void MakePeer();
  void Attach();
};

// Both links, named for the test output.
#define ZD2_ON_BOTH_LINKS(Suite)                                                                    \
  INSTANTIATE_TEST_SUITE_P(Links, Suite, ::testing::Values(ELink::eSocket, ELink::ePseudoTerminal), \
                           [](const ::testing::TestParamInfo<ELink>& info) {                        \
                             return info.param == ELink::eSocket ? "Socket" : "PseudoTerminal";     \
                           })
