#include "tests/device/commands/CommandsFixture.h"

#include "device/streamio/IpStream.h"
#include "device/streamio/Rs232Stream.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/ReferenceCrc.h"
#include "tests/sim/SocketLink.h"

namespace {

// This test program's own loopback address, so that it never meets another program's peer.
constexpr char kAddress[] = "127.0.0.41";

}  // namespace

WORD ReferenceCrc16(const Bytes& data) { return Sim::ReferenceCrc16(data.data(), data.size()); }

DWORD ReferenceInvertedCrc32(const Bytes& data) {
  DWORD crc = 0xFFFFFFFF;
  for (BYTE b : data) {
    crc ^= b;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
  }
  return ~crc;
}

Bytes Le16(DWORD value) { return {BYTE(value), BYTE(value >> 8)}; }

Bytes Le32(DWORD value) { return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)}; }

void CommandsTest::ServeOverSocket(const Sim::CScript& script, int byteRate) {
  m_peer = std::make_unique<Sim::CPeer>(std::make_unique<Sim::CSocketLink>(kAddress, 0));
  m_peer->SetByteRate(byteRate);
  m_stream = std::make_unique<StreamIO::CIpStream>(CString::FromUtf8(m_peer->ClientName()),
                                                   StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
  m_commands = std::make_unique<Device::CJvCommands>(m_stream.get());
  Play(script);
}

void CommandsTest::ServeOnComPort(const Sim::CScript& script, int number, int baud, int byteRate) {
  auto link = std::make_unique<Sim::CPtyLink>();
  ASSERT_TRUE(link->MapToComPort(number));
  m_peer = std::make_unique<Sim::CPeer>(std::move(link));
  m_peer->SetByteRate(byteRate);
  StreamIO::SRs232Settings settings;
  settings.baud = DWORD(baud);
  settings.readTimeout = 1500;
  settings.writeTimeout = 50;
  m_stream =
      std::make_unique<StreamIO::CRs232Stream>(number, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE, &settings);
  m_commands = std::make_unique<Device::CJvCommands>(m_stream.get());
  Play(script);
}

void CommandsTest::Play(const Sim::CScript& script) { m_peer->Start(script); }

Bytes CommandsTest::Received() {
  m_peer->WaitSessionEnd(5000);
  return m_peer->Transcript();
}

std::string CommandsTest::PeerFailures() const {
  std::string text;
  for (const std::string& failure : m_peer->Failures()) text += failure + "\n";
  return text;
}
