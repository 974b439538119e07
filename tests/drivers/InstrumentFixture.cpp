#include "tests/drivers/InstrumentFixture.h"

#include <chrono>
#include <thread>

#include "device/DeviceFactory.h"
#include "device/streamio/Rs232Stream.h"
#include "device/streamio/StreamIO.h"
#include "drivers/DriverClasses.h"
#include "tests/sim/PtyLink.h"

namespace {

// This test program's own COM number.
constexpr int kComNumber = 25;
constexpr auto kLogWait = std::chrono::seconds(10);

}  // namespace

std::string Lines(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += item + "\n";
  return text;
}

void InstrumentOnPseudoTerminal::SetUp() {
  timeScale.Set(20);
  StreamIO::InitStreamIO();
  ASSERT_TRUE(Device::RegisterDriverClasses());
}

void InstrumentOnPseudoTerminal::TearDown() {
  m_device.reset();
  if (m_peer) m_peer->Stop();
  StreamIO::ExitStreamIO();
}

Sim::CInstrumentSimulator& InstrumentOnPseudoTerminal::Instrument(int type) {
  m_type = type;
  m_instrument = std::make_unique<Sim::CInstrumentSimulator>(type);
  return *m_instrument;
}

void InstrumentOnPseudoTerminal::Connect(int deviceType) {
  auto link = std::make_unique<Sim::CPtyLink>();
  ASSERT_TRUE(link->MapToComPort(kComNumber));
  m_peer = std::make_unique<Sim::CPeer>(std::move(link));
  m_peer->Start([this](Sim::CPeer& peer) { m_instrument->Run(peer); });
  m_device = Device::CreateDevice(deviceType >= 0 ? deviceType : m_type);
  ASSERT_TRUE(m_device);
  std::unique_ptr<StreamIO::CIoStream> stream = std::make_unique<StreamIO::CRs232Stream>(
      kComNumber, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE, m_device->GetSerialSettings());
  ASSERT_TRUE(m_device->Attach(stream, Device::ePortSerial));
}

std::vector<std::string> InstrumentOnPseudoTerminal::LogOf(size_t count) {
  const auto end = std::chrono::steady_clock::now() + kLogWait;
  while (m_instrument->Log().size() < count && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  return m_instrument->Log();
}

bool InstrumentOnPseudoTerminal::WaitForItem(const std::string& item) {
  const auto end = std::chrono::steady_clock::now() + kLogWait;
  while (std::chrono::steady_clock::now() < end) {
    for (const std::string& logged : m_instrument->Log())
      if (logged == item) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}
