#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/JvCommands.h"
#include "drivers/LumovetDevice.h"
#include "tests/drivers/InstrumentFixture.h"

namespace {

using HammerRequests = InstrumentOnPseudoTerminal;

// "frame HH CC 00 01 02 ..." or "raw-request C1 CC 00 01 ..." for a payload counting up from 0.
std::string Item(const char* kind, int header, int code, int count) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X %02X", header, code);
  std::string item = std::string(kind) + " " + text;
  for (int i = 0; i < count; ++i) {
    std::snprintf(text, sizeof text, " %02X", i);
    item += text;
  }
  return item;
}

struct SRequestCase {
  int type;
  int payload;
  const char* kind;
  int header;
};

// The last payload that goes through the command layer, and the first that goes raw.
const SRequestCase kRequests[] = {
    {2, 46, "frame", 0xEE}, {2, 47, "raw-request", 0xC1}, {14, 47, "raw-request", 0xC1},
    {1, 31, "frame", 0xDF}, {1, 32, "raw-request", 0xC1}, {4, 46, "frame", 0xEE},
};

TEST_F(HammerRequests, LongPayloadsGoRawAfterTheirClassLimit) {
  for (const SRequestCase& request : kRequests) {
    SCOPED_TRACE(std::to_string(request.type) + "/" + std::to_string(request.payload));
    Instrument(request.type);
    Connect();
    std::vector<BYTE> buffer(64);
    for (int i = 0; i < request.payload; ++i) buffer[size_t(i)] = BYTE(i);
    EXPECT_EQ(Device().BinaryRequest(0x42, request.payload, buffer.data(), int(buffer.size()), 1000), 0);
    EXPECT_EQ(Lines(LogOf(1)), Item(request.kind, request.header, 0x42, request.payload) + "\n");
    TearDown();
    SetUp();
  }
}

TEST_F(HammerRequests, RawStatusBetweenZeroAndTheErrorRangeIsATransportFailure) {
  const std::pair<BYTE, int> kStatuses[] = {{5, 252}, {243, 243}, {0, 0}};
  for (const auto& [status, answer] : kStatuses) {
    SCOPED_TRACE(int(status));
    Instrument(2).SetRawStatus(status);
    Connect();
    std::vector<BYTE> buffer(47, 0x11);
    EXPECT_EQ(Device().BinaryRequest(0x42, 47, buffer.data(), 47, 1000), answer);
    TearDown();
    SetUp();
  }
}

TEST_F(HammerRequests, NothingToSendThroughOrIntoIsATransportFailure) {
  Instrument(2);
  Connect();
  BYTE buffer[4] = {};
  EXPECT_EQ(Device().BinaryRequest(0x42, 0, nullptr, 4, 1000), Device::JV_IO_FAILURE);
  EXPECT_EQ(Device().BinaryRequest(0x42, 0, buffer, 0, 1000), Device::JV_IO_FAILURE);
  Device::CLumovetDevice unattached;
  EXPECT_EQ(unattached.BinaryRequest(0x42, 0, buffer, 4, 1000), Device::JV_IO_FAILURE);
  m_peer->Stop();
  EXPECT_TRUE(m_instrument->Log().empty()) << Lines(m_instrument->Log());
}

TEST_F(HammerRequests, LumovetReadsItsBlockOfOneHundredTwentyNineBytes) {
  Instrument(1);
  Connect();
  std::vector<BYTE> buffer(129, 0xEE);
  buffer[0] = '0';
  ASSERT_EQ(Device().BinaryRequest(0xD0, 1, buffer.data(), 129, 1000), 129);
  for (int i = 0; i < 129; ++i) ASSERT_EQ(buffer[size_t(i)], BYTE(i)) << i;
  EXPECT_EQ(Lines(LogOf(1)), "block-read C1 D0 30\n");
}

TEST_F(HammerRequests, LumovetBlockReadRefusesASmallerBufferUnsent) {
  Instrument(1);
  Connect();
  std::vector<BYTE> buffer(128, 0xEE);
  buffer[0] = '0';
  EXPECT_EQ(Device().BinaryRequest(0xD0, 1, buffer.data(), 128, 1000), Device::JV_IO_FAILURE);
  m_peer->Stop();
  EXPECT_TRUE(m_instrument->Log().empty()) << Lines(m_instrument->Log());
}

TEST_F(HammerRequests, EnterModeTwelveAsksModeWordTwentyFourAndAnswersItsResult) {
  Instrument(14).RefuseMode(8);
  Connect();
  EXPECT_FALSE(Device().EnterMode12());
  EXPECT_EQ(Lines(LogOf(2)), "frame C8 F6 00 05 55 5A AA AF FF F0\nframe C2 F4 00 08\n");
  TearDown();
  SetUp();
  Instrument(14);
  Connect();
  EXPECT_TRUE(Device().EnterMode12());
}

}  // namespace
