#include "bench/InstrumentBench.h"

#include <cstdlib>

#include "device/DeviceFactory.h"
#include "device/streamio/Rs232Stream.h"
#include "tests/sim/PtyLink.h"

CInstrumentBench::CInstrumentBench(Sim::CInstrumentSimulator& instrument, int type, int com, int byteRate) {
  auto link = std::make_unique<Sim::CPtyLink>();
  const bool mapped = link->MapToComPort(com);
  m_peer = std::make_unique<Sim::CPeer>(std::move(link));
  m_peer->SetByteRate(byteRate);
  m_peer->Start([&instrument](Sim::CPeer& p) { instrument.Run(p); });
  m_device = Device::CreateDevice(type);
  if (!mapped || !m_device) return;
  std::unique_ptr<StreamIO::CIoStream> stream = std::make_unique<StreamIO::CRs232Stream>(
      com, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE, m_device->GetSerialSettings());
  m_connected = m_device->Attach(stream, Device::ePortSerial);
}

CInstrumentBench::~CInstrumentBench() {
  m_device.reset();
  m_peer->Stop();
}

std::filesystem::path BenchFolder() { return std::getenv("XDG_CONFIG_HOME"); }
