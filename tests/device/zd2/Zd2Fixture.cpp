#include "tests/device/zd2/Zd2Fixture.h"

#include <cstdio>

#include "device/streamio/IpStream.h"
#include "device/streamio/Rs232Stream.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/Clock.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/SocketLink.h"

namespace {

// This test program's own loopback address and COM number.
constexpr char kAddress[] = "127.0.0.42";
constexpr int kComNumber = 9;

}  // namespace

Bytes MakeRecords(int count, int seed) {
  Bytes records;
  unsigned state = unsigned(seed) * 2654435761u + 1;
  for (int i = 0; i < count; ++i) {
    records.push_back(238);
    records.push_back(0);
    for (int j = 2; j < 238; ++j) {
      state = state * 1103515245u + 12345u;
      records.push_back(BYTE(state >> 16));
    }
  }
  return records;
}

std::string Printable(const Bytes& bytes) {
  std::string text;
  for (BYTE b : bytes) {
    if (b >= 0x20 && b < 0x7F) {
      text += char(b);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "<%02X>", b);
      text += hex;
    }
  }
  return text;
}

void Zd2Test::SetUp() {
  timeScale.Set(20);
  StreamIO::InitStreamIO();
}

void Zd2Test::TearDown() {
  m_device.reset();
  if (m_peer) m_peer->Stop();
  StreamIO::ExitStreamIO();
}

void Zd2Test::MakePeer() {
  std::unique_ptr<Sim::CLink> link;
  if (GetParam() == ELink::eSocket) {
    link = std::make_unique<Sim::CSocketLink>(kAddress, 0);
  } else {
    auto pty = std::make_unique<Sim::CPtyLink>();
    ASSERT_TRUE(pty->MapToComPort(kComNumber));
    link = std::move(pty);
  }
  m_peer = std::make_unique<Sim::CPeer>(std::move(link));
}

void Zd2Test::Connect() {
  MakePeer();
  m_peer->Start([this](Sim::CPeer& peer) { m_zd2.Run(peer); });
  Attach();
}

void Zd2Test::ConnectScript(const Sim::CScript& script) {
  MakePeer();
  m_peer->Start(script);
  Attach();
}

void Zd2Test::Attach() {
  m_device = std::make_unique<Device::CVexalonDevice>();
  std::unique_ptr<StreamIO::CIoStream> stream;
  int kind = 0;
  if (GetParam() == ELink::eSocket) {
    stream = std::make_unique<StreamIO::CIpStream>(CString::FromUtf8(m_peer->ClientName()),
                                                   StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
    kind = Device::ePortIp;
    // The link starts with the time-outs a serial link to the ZD-2 would have.
    stream->SetTimeouts(m_device->GetSerialSettings()->readTimeout,
                        m_device->GetSerialSettings()->writeTimeout);
  } else {
    stream = std::make_unique<StreamIO::CRs232Stream>(kComNumber, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE,
                                                      m_device->GetSerialSettings());
    kind = Device::ePortSerial;
  }
  ASSERT_TRUE(m_device->Attach(stream, kind));
}

std::string Zd2Test::Received() { return Printable(m_peer->Transcript()); }

std::string Zd2Test::ReceivedAfterClose() {
  m_device.reset();
  m_peer->Stop();
  return Printable(m_peer->Transcript());
}
