// The Sondrel Array identifies while it attaches: a serial search over several ports must still
// reach it when another instrument answers on a port before its own.

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "device/DeviceThread.h"
#include "device/streamio/StreamIO.h"
#include "drivers/DriverClasses.h"
#include "tests/device/search/RecordingCallback.h"
#include "tests/sim/Peer.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/instruments/InstrumentSimulator.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

constexpr int kArrayType = 18;
constexpr int kTestBoxType = 13;
// A search over every port also asks the machine's own serial ports, each for its identity
// wait.
constexpr int kSearchWaitMs = 90000;

std::string Text(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class SerialSearchOverInstruments : public ::testing::Test {
 protected:
  // Real time: the identity waits decide whether an instrument counts as found, and a busy
  // machine must not shorten them.
  CTimeScaleOverride timeScale{1};

  void SetUp() override {
    StreamIO::InitStreamIO();
    ASSERT_TRUE(Device::RegisterDriverClasses());
    ASSERT_TRUE(Device::StartDeviceThread());
  }

  void TearDown() override {
    Device::StopDeviceThread();
    // Stopping sets the abort flag, which the driver tests after this one must not find set.
    Device::ResetDeviceThreadAbort();
    for (auto& peer : m_peers) peer->Stop();
    StreamIO::ExitStreamIO();
  }

  Sim::CInstrumentSimulator& StartAtCom(int type, int com) {
    Sim::CInstrumentSimulator& instrument = m_instruments.emplace_back(type);
    auto link = std::make_unique<Sim::CPtyLink>();
    EXPECT_TRUE(link->MapToComPort(com));
    auto& peer = m_peers.emplace_back(std::make_unique<Sim::CPeer>(std::move(link)));
    peer->Start([&instrument](Sim::CPeer& p) { instrument.Run(p); });
    return instrument;
  }

  CRecordingCallback m_callback;

 private:
  std::deque<Sim::CInstrumentSimulator> m_instruments;
  std::deque<std::unique_ptr<Sim::CPeer>> m_peers;
};

TEST_F(SerialSearchOverInstruments, FindsTheArrayBehindAnotherInstrument) {
  Sim::CInstrumentSimulator& testBox = StartAtCom(kTestBoxType, 60);
  Sim::CInstrumentSimulator& array = StartAtCom(kArrayType, 61);
  Device::SSearchRequest request;
  request.deviceType = kArrayType;
  request.portKind = Device::ePortSerial;
  request.scanAllPorts = true;
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &request));
  ASSERT_TRUE(m_callback.WaitForLine("end", kSearchWaitMs));
  const std::vector<std::string> lines = m_callback.Lines();
  ASSERT_FALSE(testBox.Log().empty()) << Text(lines);
  EXPECT_EQ(testBox.Log().front(), "text @ID@");
  ASSERT_FALSE(array.Log().empty()) << "the Array's port was never asked:\n" << Text(lines);
  EXPECT_EQ(array.Log().front(), "text @ID@");
  const std::vector<std::string> found = m_callback.Lines("found: ");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].rfind("found: Sondrel Array SA18-000-0018 ", 0), 0u) << found[0];
}

}  // namespace
