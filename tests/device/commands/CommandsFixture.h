#pragma once
// The command layer over a real transport to a simulated instrument: a loopback TCP socket
// (a free port on this program's own address) or a pseudo-terminal opened as a COM port.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "device/Callback.h"
#include "device/JvCommands.h"
#include "device/streamio/IoStream.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/WinTypes.h"
#include "tests/sim/Peer.h"
#include "tests/sim/Script.h"
#include "tests/support/TimeScaleOverride.h"

using Bytes = std::vector<BYTE>;

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

// The start of every text command: DLE, answered by an acknowledgement byte of the
// instrument's choice.
inline Sim::CScript Opened() { return Sim::CScript().Expect({0x10}).Reply({0x06}); }

// Check values worked out from the polynomials, bit by bit, independently of the library's
// table-driven routines.
WORD ReferenceCrc16(const Bytes& data);
DWORD ReferenceInvertedCrc32(const Bytes& data);
Bytes Le16(DWORD value);
Bytes Le32(DWORD value);

// The nine characters whose checks are the published check values of the three CRCs:
// CRC-8 (1-Wire) 0xA1, CRC-16 (ARC) 0xBB3D, CRC-32 0xCBF43926.
inline Bytes CheckDigits() { return Text("123456789"); }

// Records the progress a long operation reports.
class CProgressLog : public Device::CCallback {
 public:
  CProgressLog() { m_bProgressWanted = true; }
  void OnDeviceFound(Device::CJvDevice*) override {}
  void OnStatusText(const CString&) override {}
  void OnMessage(const CString&, int) override {}
  void OnProgress(int percent, int mode, int expectedMs) override {
    calls.push_back({percent, mode, expectedMs});
  }

  struct SCall {
    int percent, mode, expectedMs;
    bool operator==(const SCall&) const = default;
  };
  std::vector<SCall> calls;
};

class CommandsTest : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale;
  void SetUp() override { StreamIO::InitStreamIO(); }
  void TearDown() override {
    if (m_peer) m_peer->Stop();
    m_commands.reset();
    m_stream.reset();
    StreamIO::ExitStreamIO();
  }

  // A peer on a loopback socket with the client stream connected to it; the peer moves
  // `byteRate` bytes per second (0: as fast as it can).
  void ServeOverSocket(const Sim::CScript& script, int byteRate = 0);
  // A peer on a pseudo-terminal at COM `number`, the client stream opened on it at `baud`.
  void ServeOnComPort(const Sim::CScript& script, int number = 7, int baud = 19200, int byteRate = 0);
  // Starts the script; the client stream is already open.
  void Play(const Sim::CScript& script);

  // Waits until the script has run, then gives everything the peer received.
  Bytes Received();
  // What went wrong on the peer's side, as one text.
  std::string PeerFailures() const;

  Device::CJvCommands& Commands() { return *m_commands; }
  StreamIO::CIoStream& Stream() { return *m_stream; }
  Sim::CPeer& Peer() { return *m_peer; }

  std::unique_ptr<Sim::CPeer> m_peer;
  std::unique_ptr<StreamIO::CIoStream> m_stream;
  std::unique_ptr<Device::CJvCommands> m_commands;
};

#define EXPECT_PEER_OK() EXPECT_EQ(PeerFailures(), "")
