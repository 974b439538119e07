// Binary requests: the request frame, every range of the reply status, the three checks of
// an extended reply and the failures of the link.

#include <chrono>
#include <thread>

#include "platform/base/Clock.h"
#include "tests/device/commands/CommandsFixture.h"
#include "tests/sim/Fault.h"

using Device::CJvCommands;
using Sim::CScript;
using Sim::SFault;

namespace {

struct SReplyCase {
  const char* name;
  Bytes reply;
  SFault fault;
  int bufferSize;
  int result;
  Bytes data;  // what the buffer must hold afterwards
};

Bytes Extended(BYTE kind, const Bytes& data, const Bytes& check) {
  return Bytes{0xEF, kind, BYTE(data.size()), BYTE(data.size() >> 8), BYTE(data.size() >> 16)} + data + check;
}

}  // namespace

TEST_F(CommandsTest, RequestFrameCarriesLengthCodeAndPayload) {
  ServeOverSocket(CScript().Expect({0xC3, 0x10, 0x01, 0x02, 0x03}).Reply({0x00}));
  BYTE buffer[8] = {0x01, 0x02, 0x03};
  EXPECT_EQ(Commands().Request(0x10, 3, buffer, sizeof buffer, 1000), 0);
  EXPECT_EQ(Received(), (Bytes{0xC3, 0x10, 0x01, 0x02, 0x03}));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, RequestWithTheLargestPayloadHasHeaderEF) {
  Bytes payload(47);
  for (int i = 0; i < 47; ++i) payload[size_t(i)] = BYTE(i);
  ServeOverSocket(CScript().Expect(Bytes{0xEF, 0x20} + payload).Reply({0x00}));
  Bytes buffer = payload;
  EXPECT_EQ(Commands().Request(0x20, 47, buffer.data(), int(buffer.size()), 1000), 0);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, RequestTooLongOrWithNegativeTimeOutSendsNothing) {
  ServeOverSocket(CScript());
  Bytes buffer(64);
  EXPECT_EQ(Commands().Request(0x20, 48, buffer.data(), 64, 1000), 254);
  EXPECT_EQ(Commands().Request(0x20, 1, buffer.data(), 64, -1), 254);
  // The payload is taken from the buffer, so it cannot be longer than the buffer.
  EXPECT_EQ(Commands().Request(0x20, 8, buffer.data(), 4, 1000), 254);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(Peer().Transcript().empty());
}

TEST_F(CommandsTest, RequestReturnsEveryReplyKindAsThePeerPlaysIt) {
  const Bytes digits = CheckDigits();
  Bytes short238(238);
  for (size_t i = 0; i < short238.size(); ++i) short238[i] = BYTE(i);
  const SReplyCase cases[] = {
      {"status 0", {0x00}, {}, 16, 0, {}},
      {"five data bytes", {0x05, 1, 2, 3, 4, 5}, {}, 16, 5, {1, 2, 3, 4, 5}},
      {"238 data bytes", Bytes{0xEE} + short238, {}, 238, 238, short238},
      {"instrument status F3", {0xF3}, {}, 16, 243, {}},
      {"instrument status FF", {0xFF}, {}, 16, 255, {}},
      {"extended, kind 0, no check", Extended(0x00, digits, {}), {}, 16, 9, digits},
      {"extended, kind 7, no check", Extended(0x07, digits, {}), {}, 16, 9, digits},
      {"extended, CRC-8", Extended(0x01, digits, {0xA1}), {}, 16, 9, digits},
      {"extended, CRC-16", Extended(0x02, digits, {0x3D, 0xBB}), {}, 16, 9, digits},
      {"extended, CRC-32", Extended(0x04, digits, {0x26, 0x39, 0xF4, 0xCB}), {}, 16, 9, digits},
      {"extended, CRC-8 corrupted", Extended(0x01, digits, {0xA1}), SFault::CorruptByte(-1), 16, 250, {}},
      {"extended, CRC-16 corrupted",
       Extended(0x02, digits, {0x3D, 0xBB}),
       SFault::CorruptByte(-1),
       16,
       250,
       {}},
      {"extended, CRC-32 corrupted",
       Extended(0x04, digits, {0x26, 0x39, 0xF4, 0xCB}),
       SFault::CorruptByte(-2),
       16,
       250,
       {}},
      {"extended, data byte corrupted",
       Extended(0x02, digits, {0x3D, 0xBB}),
       SFault::CorruptByte(6),
       16,
       250,
       {}},
      {"extended, check exactly fills the buffer",
       Extended(0x04, digits, {0x26, 0x39, 0xF4, 0xCB}),
       {},
       13,
       9,
       digits},
  };
  for (const SReplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    ServeOverSocket(CScript().Expect({0xC1, 0x30, 0x5A}).Reply(c.reply, c.fault));
    Bytes buffer(size_t(c.bufferSize) + 8, 0xCC);
    buffer[0] = 0x5A;
    EXPECT_EQ(Commands().Request(0x30, 1, buffer.data(), c.bufferSize, 1000), c.result);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + long(c.data.size())), c.data);
    EXPECT_EQ(buffer[size_t(c.bufferSize)], 0xCC) << "written beyond the buffer";
    EXPECT_PEER_OK();
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, ReplyLargerThanTheBufferIsDrainedAndFails) {
  const Bytes digits = CheckDigits();
  const struct {
    const char* name;
    Bytes reply;
  } cases[] = {
      {"short reply", {0x05, 1, 2, 3, 4, 5}},
      {"extended reply", Extended(0x02, digits, {0x3D, 0xBB})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ServeOverSocket(CScript().Expect({0xC0, 0x31}).Reply(c.reply).Expect({0xC0, 0x32}).Reply({0x01, 0x7E}));
    Bytes buffer(8, 0xCC);
    EXPECT_EQ(Commands().Request(0x31, 0, buffer.data(), 3, 500), 252);
    EXPECT_EQ(buffer[3], 0xCC) << "written beyond the buffer";
    EXPECT_EQ(Commands().Request(0x32, 0, buffer.data(), 3, 1000), 1);
    EXPECT_EQ(buffer[0], 0x7E);
    EXPECT_PEER_OK();
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, LinkFailuresGiveTheInputOutputResult) {
  timeScale.Set(10);
  const Bytes digits = CheckDigits();
  const struct {
    const char* name;
    SFault fault;
  } cases[] = {
      {"silence", SFault::Silence()},
      {"a lost data byte", SFault::DropByte(7)},
      {"a lost header byte", SFault::DropByte(2)},
      {"hang-up within the reply", SFault::Hangup(6)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ServeOverSocket(CScript().Expect({0xC0, 0x33}).Reply(Extended(0x02, digits, {0x3D, 0xBB}), c.fault));
    BYTE buffer[32];
    EXPECT_EQ(Commands().Request(0x33, 0, buffer, sizeof buffer, 1000), 252);
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, StreamThatRaisesGivesTheInputOutputResult) {
  ServeOverSocket(CScript());
  Stream().Close();
  BYTE buffer[4];
  EXPECT_EQ(Commands().Request(0x10, 0, buffer, sizeof buffer, 1000), 252);
  int count = -1;
  EXPECT_EQ(Commands().RequestWithProgress(0x10, buffer, 0, count, sizeof buffer, 1000, 0, nullptr), 6);
  EXPECT_EQ(Commands().ShortRequest(0x10, 0, buffer, 1, 1000), -1);
}

TEST_F(CommandsTest, RequestOverSerialPortOnPseudoTerminal) {
  ServeOnComPort(CScript().Expect({0xC0, 0xF1}).Reply({0x04, 0x78, 0x56, 0x34, 0x12}));
  EXPECT_EQ(Commands().QueryDeviceCode(), 0x12345678);
  EXPECT_PEER_OK();
}

// A loaded machine may hold a process back for a good part of a second. At twenty times the
// pace the 300 ms that the instrument's answer is held up here are 6 s of the clock, yet the
// request's 1 s time-out passes in real time and still takes the answer.
TEST_F(CommandsTest, AnAnswerHeldUpByABusyMachineComesWithinItsTimeOutOnAFastClock) {
  timeScale.Set(20);
  const CScript heldUp = CScript().Expect({0xC0, 0xF1}).Then([](Sim::CPeer&) {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return true;
  });
  for (bool serial : {false, true}) {
    SCOPED_TRACE(serial ? "pseudo-terminal" : "socket");
    const CScript script = CScript(heldUp).Reply({0x04, 0x78, 0x56, 0x34, 0x12});
    if (serial) {
      ServeOnComPort(script);
    } else {
      ServeOverSocket(script);
    }
    BYTE reply[4];
    EXPECT_EQ(Commands().Request(0xF1, 0, reply, sizeof reply, 1000), 4);
    EXPECT_PEER_OK();
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, DeviceCodeNeedsFourBytes) {
  ServeOverSocket(CScript().Expect({0xC0, 0xF1}).Reply({0x03, 0x01, 0x02, 0x03}));
  EXPECT_EQ(Commands().QueryDeviceCode(), -1);
}

TEST_F(CommandsTest, RequestWithProgressReadsALongReplyInPieces) {
  timeScale.Set(10);
  Bytes data(3000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = BYTE(i * 7);
  // 3009 bytes at 500 bytes per second take six seconds, six tenths of a second of real time:
  // reads of 200 ms each, time-outs that last their length in real time, end early.
  ServeOverSocket(
      CScript().Expect({0xC1, 0xD2, 0x12}).Reply(Extended(0x04, data, Le32(ReferenceInvertedCrc32(data)))),
      500);
  CProgressLog progress;
  Bytes buffer(4000);
  buffer[0] = 0x12;
  int count = -1;
  EXPECT_EQ(Commands().RequestWithProgress(0xD2, buffer.data(), 1, count, int(buffer.size()), 200, 80000,
                                           &progress),
            0);
  EXPECT_EQ(count, 3000);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 3000), data);
  ASSERT_GE(progress.calls.size(), 2u);
  for (size_t i = 1; i < progress.calls.size(); ++i)
    EXPECT_GT(progress.calls[i].percent, progress.calls[i - 1].percent);
  EXPECT_EQ(progress.calls.back(), (CProgressLog::SCall{100, 1, 0}));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, RequestWithProgressResults) {
  const Bytes digits = CheckDigits();
  const struct {
    const char* name;
    Bytes reply;
    SFault fault;
    int bufferSize;
    int result;
    int count;
    BYTE first;
  } cases[] = {
      {"status 0", {0x00}, {}, 16, 0, 0, 0x44},
      {"short reply", {0x02, 0x0A, 0x0B}, {}, 16, 0, 2, 0x0A},
      {"extended reply", Extended(0x02, digits, {0x3D, 0xBB}), {}, 16, 0, 9, '1'},
      {"instrument status kept in the buffer", {0xF3}, {}, 16, 6, 0, 0xF3},
      {"short reply too large", {0x05, 1, 2, 3, 4, 5}, {}, 3, 12, 5, 1},
      {"extended reply too large", Extended(0x02, digits, {0x3D, 0xBB}), {}, 8, 12, 9, '1'},
      {"check mismatch", Extended(0x01, digits, {0xA1}), SFault::CorruptByte(-1), 16, 13, 9, '1'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ServeOverSocket(CScript().Expect({0xC1, 0xD2, 0x44}).Reply(c.reply, c.fault));
    Bytes buffer(size_t(c.bufferSize));
    buffer[0] = 0x44;
    int count = -1;
    EXPECT_EQ(Commands().RequestWithProgress(0xD2, buffer.data(), 1, count, c.bufferSize, 500, 0, nullptr),
              c.result);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(buffer[0], c.first);
    EXPECT_PEER_OK();
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, RequestWithProgressRefusesBadArgumentsWithoutSending) {
  ServeOverSocket(CScript());
  Bytes buffer(64);
  int count = -1;
  EXPECT_EQ(Commands().RequestWithProgress(0xD2, buffer.data(), 48, count, 64, 500, 0, nullptr), 1);
  EXPECT_EQ(Commands().RequestWithProgress(0xD2, buffer.data(), 1, count, 64, -1, 0, nullptr), 1);
  EXPECT_EQ(Commands().RequestWithProgress(0xD2, nullptr, 0, count, 64, 500, 0, nullptr), 1);
  EXPECT_EQ(Commands().RequestWithProgress(0xD2, buffer.data(), 8, count, 4, 500, 0, nullptr), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(Peer().Transcript().empty());
}

TEST_F(CommandsTest, RequestWithProgressStopsWhenTheBudgetRunsOut) {
  timeScale.Set(4);
  Bytes data(4000, 0x55);
  // 4000 bytes at 250 bytes per second would take 16 s; the budget is 1 s, a time-out that
  // lasts its length in real time: 4 s of the clock.
  ServeOverSocket(CScript().Expect({0xC0, 0xD2}).Reply(Extended(0x00, data, {})), 250);
  Bytes buffer(5000);
  int count = -1;
  const DWORD start = GetTickCount();
  EXPECT_EQ(
      Commands().RequestWithProgress(0xD2, buffer.data(), 0, count, int(buffer.size()), 300, 1000, nullptr),
      6);
  EXPECT_LT(GetTickCount() - start, TimeoutSpan(1000) + TimeoutSpan(300));
  EXPECT_GT(count, 0);
  EXPECT_LT(count, 4000);
}

TEST_F(CommandsTest, ShortRequestReadsTheAnnouncedLength) {
  ServeOverSocket(CScript().Expect({0xC2, 0xF8, 0x04, 0x09}).Reply({0x03, 0x10, 0x27, 0x00}));
  BYTE buffer[3] = {0x04, 0x09};
  EXPECT_EQ(Commands().ShortRequest(0xF8, 2, buffer, 3, 1000), 3);
  EXPECT_EQ(Bytes(buffer, buffer + 3), (Bytes{0x10, 0x27, 0x00}));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, ShortRequestFailures) {
  timeScale.Set(10);
  const struct {
    const char* name;
    Bytes reply;
    SFault fault;
    int result;
  } cases[] = {
      {"other length than expected", {0x02, 0x01, 0x02}, {}, -1},
      {"instrument status", {0xF4}, {}, -1},
      {"silence", {0x03, 1, 2, 3}, SFault::Silence(), -1},
      // After the first data byte only 50 ms may pass between bytes.
      {"gap within the reply", {0x03, 1, 2, 3}, SFault::Stall(2, 500), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ServeOverSocket(CScript().Expect({0xC0, 0x40}).Reply(c.reply, c.fault));
    BYTE buffer[3];
    EXPECT_EQ(Commands().ShortRequest(0x40, 0, buffer, 3, 2000), c.result);
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, ShortRequestWithoutReplyReadsNothingAndRefusesLongPayloads) {
  ServeOverSocket(
      CScript().Expect({0xC1, 0x41, 0x07}).Reply({0xF5}).Expect({0xC1, 0x42, 0x08}).Reply({0x01, 0x33}));
  BYTE buffer[40] = {0x07};
  EXPECT_EQ(Commands().ShortRequest(0x41, 1, buffer, 0, 1000), 0);
  // The F5 that the peer sent to the first request is purged before the second one.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  buffer[0] = 0x08;
  EXPECT_EQ(Commands().ShortRequest(0x42, 1, buffer, 1, 1000), 1);
  EXPECT_EQ(buffer[0], 0x33);
  EXPECT_EQ(Commands().ShortRequest(0x43, 31, buffer, 1, 1000), -1);
  EXPECT_EQ(Commands().ShortRequest(0x43, 1, buffer, 240, 1000), -1);
  EXPECT_PEER_OK();
}
