#include <gtest/gtest.h>

#include <fstream>

#include "device/PackageHeader.h"
#include "device/streamio/FileStream.h"
#include "drivers/ArmiSmartDevice.h"
#include "tests/device/StepLog.h"
#include "tests/drivers/InstrumentFixture.h"
#include "tests/sim/Fault.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr BYTE kSmartRequest = 210;

class Armivue : public InstrumentOnPseudoTerminal {
 protected:
  Device::CArmiSmartDevice& Device() { return DeviceAs<Device::CArmiSmartDevice>(); }
};

TEST_F(Armivue, ApplicationIdentitySelectsBankTwoOnce) {
  Instrument(3);
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  EXPECT_EQ(ident.serialNumber, CString(u"AV03-000-0003"));
  EXPECT_EQ(Device().GetBootloaderState(), 2);
  EXPECT_EQ(Device().GetMode(), 8);
  EXPECT_EQ(Lines(Log()), "text @ID@\n");
}

TEST_F(Armivue, BootLoaderIdentitySelectsBankTwoAroundItsQuery) {
  Instrument(3).SetApplicationSilent(true);
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  EXPECT_EQ(Device().GetMode(), 3);
  EXPECT_EQ(Device().GetBootloaderState(), 0);
  // The application leaves the acknowledgement request unanswered.
  EXPECT_EQ(Lines(LogOf(4)), "raw 10\nservice SC030202F8\nservice SI030000FC\nservice SC030200FA\n");
}

TEST_F(Armivue, SwitchAndTextPairPayloads) {
  Instrument(3);
  Connect();
  EXPECT_TRUE(Device().WriteSwitch(false));
  EXPECT_TRUE(Device().WriteSwitch(true));
  EXPECT_TRUE(Device().WriteTextPair(u"AB", u"c"));
  EXPECT_FALSE(Device().WriteTextPair(CString(u'x', 40), CString(u'y', 6)));
  EXPECT_TRUE(Device().WriteTextPair(CString(u'x', 40), CString(u'y', 5)));
  const std::vector<std::string> log = LogOf(4);
  ASSERT_EQ(log.size(), 4u) << Lines(log);
  EXPECT_EQ(log[0], "frame C9 D2 34 30 36 30 30 30 30 30 30");
  EXPECT_EQ(log[1], "frame C9 D2 34 30 36 30 31 30 30 30 30");
  EXPECT_EQ(log[2], "frame C5 D2 30 41 42 3B 63");
  EXPECT_EQ(log[3].substr(0, 14), "frame EF D2 30");
}

TEST_F(Armivue, SmallRequestsTakeTheirReplies) {
  Sim::CInstrumentSimulator& instrument = Instrument(3);
  instrument.SetFunctionReply(kSmartRequest, '3', {3, 'A', 'B', 'C'});
  instrument.SetFunctionReply(kSmartRequest, 19, {0});
  instrument.SetFunctionReply(kSmartRequest, 6, {1, 0});
  instrument.SetFunctionReply(kSmartRequest, '1', {0xF4});
  Connect();
  CString text;
  EXPECT_TRUE(Device().ReadText51(text));
  EXPECT_EQ(text, CString(u"ABC"));
  // Status 0 carries no data: the request's own byte is no answer.
  EXPECT_EQ(Device().ReadCode19(), 0);
  EXPECT_TRUE(Device().QueryCode6());
  EXPECT_FALSE(Device().SendCode49());
  EXPECT_TRUE(Device().SendCode50());
  instrument.SetFunctionReply(kSmartRequest, 19, {1, 0x42});
  EXPECT_EQ(Device().ReadCode19(), 0x42);
}

TEST_F(Armivue, StartAndWaitPollsForASingleZero) {
  Sim::CInstrumentSimulator& instrument = Instrument(3);
  instrument.SetFunctionReply(kSmartRequest, 5, {1, 1});
  Connect();
  EXPECT_FALSE(Device().StartAndWait());
  const std::vector<std::string> log = LogOf(51);
  ASSERT_EQ(log.size(), 51u);
  EXPECT_EQ(log[0], "frame C1 D2 02");
  EXPECT_EQ(log[50], "frame C1 D2 05");
  instrument.SetFunctionReply(kSmartRequest, 5, {1, 0});
  instrument.ClearLog();
  EXPECT_TRUE(Device().StartAndWait());
  EXPECT_EQ(Lines(LogOf(2)), "frame C1 D2 02\nframe C1 D2 05\n");
}

TEST_F(Armivue, UpdateErasesBothBanksAndLeavesBoth) {
  Instrument(3);
  Connect();
  CStepLog steps;
  steps.m_bProgressWanted = true;
  ASSERT_TRUE(Device().SetCallback(&steps));
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  Device::CPackageHeader header;
  ASSERT_EQ(Device().UpdateInit(header), 0);
  EXPECT_EQ(Lines(LogOf(12)),
            "text @ID@\nframe C1 D2 01\nservice SC030000FC\nservice SC030000FC\nservice SC030000FC\n"
            "service SC030000FC\nservice SC030000FC\nservice SC030102F9\nservice SE030000FC\n"
            "service SC030100FB\nservice SC030202F8\nservice SE030000FC\n");
  EXPECT_EQ(steps.progress, (std::vector<int>{1, 501, 1001}));
  Device::SBlockRecord entry;
  entry.bytes[13] = 1;
  m_instrument->ClearLog();
  EXPECT_EQ(Device().UpdateSetMode(header, entry), 0);
  entry.bytes[13] = 2;
  entry.bytes[10] = 0x08;
  EXPECT_EQ(Device().UpdateSetMode(header, entry), 0);
  EXPECT_EQ(Device().GetBootloaderState(), 1);
  ASSERT_EQ(Device().UpdateFinish(), 0);
  EXPECT_EQ(Lines(LogOf(5)),
            "service SC030200FA\nservice SC030102F9\nservice SX030000FC\nservice SC030202F8\n"
            "service SX030000FC\n");
}

std::vector<BYTE> Block(size_t size) {
  std::vector<BYTE> block(size);
  for (size_t i = 0; i < size; ++i) block[i] = BYTE(0xF0 - i);
  return block;
}

// The raw bytes logged from entry `first` on, joined: the instrument logs them in one piece or
// in several, as the link delivered them.
std::string JoinedRaw(const std::vector<std::string>& log, size_t first) {
  std::string joined;
  for (size_t i = first; i < log.size() && log[i].rfind("raw ", 0) == 0; ++i)
    joined += (joined.empty() ? "" : " ") + log[i].substr(4);
  return joined;
}

// The answer to the debug protocol's opening held up for 100 ms of real time, as a busy machine
// may hold up the instrument: the pause after the opening lasts its 200 ms in real time and
// the answer is purged before the block is read.
TEST_F(Armivue, AnOpeningAnsweredLateIsNotReadAsTheBlock) {
  Instrument(3).SetDebugBlock(Block(44));
  Connect();
  m_peer->InjectFault(Sim::SFault::Stall(0, 100));
  BYTE block[Device::CArmiSmartDevice::kDebugBlockSize] = {};
  ASSERT_TRUE(Device().ReadDebugBlock(block));
  EXPECT_EQ(std::vector<BYTE>(block, block + 44), Block(44));
}

TEST_F(Armivue, DebugBlockIsDecodedFromTaggedHexadecimal) {
  Instrument(3).SetDebugBlock(Block(44));
  Connect();
  BYTE block[Device::CArmiSmartDevice::kDebugBlockSize] = {};
  ASSERT_TRUE(Device().ReadDebugBlock(block));
  EXPECT_EQ(std::vector<BYTE>(block, block + 44), Block(44));
  const std::string request = "31 30 30 30 73 30 30 32 43 6E";
  std::vector<std::string> log = LogOf(2);
  for (size_t pieces = 2; JoinedRaw(log, 1) != request && pieces <= request.size() / 3 + 1; ++pieces)
    log = LogOf(pieces + 1);
  ASSERT_GE(log.size(), 2u) << Lines(log);
  EXPECT_EQ(log[0], "frame C1 D2 04");
  EXPECT_EQ(JoinedRaw(log, 1), request) << Lines(log);
}

TEST_F(Armivue, ShortDebugRepliesAreFailures) {
  Instrument(3).SetDebugBlock(Block(43));
  Connect();
  BYTE block[Device::CArmiSmartDevice::kDebugBlockSize] = {};
  EXPECT_FALSE(Device().ReadDebugBlock(block));
  CString text;
  EXPECT_FALSE(Device().ReadDebugSequence(text));
}

TEST_F(Armivue, DebugSequenceRunsUntilBitZeroClears) {
  Instrument(3).SetDebugRounds({0x03, 0x81, 0x40});
  Connect();
  CString text;
  ASSERT_TRUE(Device().ReadDebugSequence(text));
  EXPECT_EQ(text, CString(u"a03\ta81\ta40\t"));
}

// A part header of 16 bytes whose length field says `headerLength`, for an entry of 40 bytes.
TEST_F(Armivue, PartHeadersShorterThanTheirFixedPartAreRefused) {
  Instrument(3);
  Connect();
  for (const int headerLength : {8, 16}) {
    const std::string path = TestPath("armivue-part-" + std::to_string(headerLength));
    std::vector<char> header(16, 0);
    header[4] = char(headerLength);
    header[12] = char(40 - headerLength);
    std::ofstream(path, std::ios::binary).write(header.data(), std::streamsize(header.size()));
    StreamIO::CFileStream package(CString::FromUtf8(path), StreamIO::OPEN_READ);
    ASSERT_TRUE(Device().AttachSecondStream(&package));
    Device::SBlockRecord entry;
    entry.bytes[4] = 40;
    entry.bytes[12] = 0x40;
    // Nothing follows the header, so even the sound one fails in the transfer, not before.
    EXPECT_EQ(Device().UpdateWriteData(entry), headerLength < 16 ? 1 : 3) << headerLength;
    Device().DetachSecondStream();
  }
}

}  // namespace
