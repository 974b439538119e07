#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/device/zd2/Zd2Fixture.h"

namespace {

class Zd2DebugProtocol : public Zd2Test {};

TEST_P(Zd2DebugProtocol, ReadsWordsLowByteFirst) {
  m_zd2.SetInfoMemory(0x1040, {0x12, 0x34, 0xAB, 0xCD});
  Connect();
  WORD value = 0;
  ASSERT_TRUE(Device().ReadMemoryWord(0x1040, value));
  EXPECT_EQ(value, 0x3412);
  ASSERT_TRUE(Device().ReadMemoryWord(0x1042, value));
  EXPECT_EQ(value, 0xCDAB);
  EXPECT_TRUE(Device().IsInDebugProtocol());
  // The mode request goes out once; the destructor leaves with a restart.
  EXPECT_EQ(ReceivedAfterClose(), "<C1><D2><04>1040s0002n0000n1042s0002n0000nC0C1r");
}

TEST_P(Zd2DebugProtocol, ReadWithNonHexadecimalAnswerFails) {
  ConnectScript(
      Sim::CScript().Expect({0xC1, 0xD2, 0x04}).Reply({0x00}).ExpectText("1040s0002n").ReplyText("34G2"));
  WORD value = 0xBEEF;
  EXPECT_FALSE(Device().ReadMemoryWord(0x1040, value));
  EXPECT_EQ(value, 0xBEEF);
}

TEST_P(Zd2DebugProtocol, WritesBytesWithTheirChecks) {
  Connect();
  ASSERT_TRUE(Device().WriteCalibrationDate(u"2026-12-10"));
  // Checks: 0x10 + 0x04 + '2' (0x32) = 0x46, 0x10 + 0x05 + '0' (0x30) = 0x45, 0x10 + 0x06 + '2' =
  // 0x48, 0x10 + 0x07 + '6' (0x36) = 0x4D, 0x10 + 0x08 + '-' (0x2D) = 0x45, and so on.
  EXPECT_EQ(Received(), "<C1><D2><04>1004s3246w3045w3248w364Dw2D45w314Aw324Cw2D48w314Dw304Dw");
  const Bytes memory = m_zd2.InfoMemory();
  EXPECT_EQ(std::string(memory.begin() + 4, memory.begin() + 14), "2026-12-10");

  m_peer->ClearTranscript();
  EXPECT_FALSE(Device().WriteCalibrationDate(u"2026-12-10x"));
  ASSERT_TRUE(Device().WriteCalibratorId(u"KX12345"));
  // Only the first four characters: 0x10 + 0x3A + 'K' (0x4B) = 0x95, 0x10 + 0x3B + 'X' (0x58) =
  // 0xA3, 0x10 + 0x3C + '1' (0x31) = 0x7D, 0x10 + 0x3D + '2' (0x32) = 0x7F.
  EXPECT_EQ(Received(), "103As4B95w58A3w317Dw327Fw");
}

TEST_P(Zd2DebugProtocol, StopsWritingAtTheFirstRefusedByte) {
  ConnectScript(Sim::CScript()
                    .Expect({0xC1, 0xD2, 0x04})
                    .Reply({0x00})
                    .ExpectText("10B0s")
                    .ExpectText("01C1w")
                    .ReplyText("k")
                    .ExpectText("02C3w")
                    .ReplyText("f"));
  ASSERT_TRUE(Device().EnterDebugProtocol());
  const BYTE bytes[] = {1, 2, 3};
  EXPECT_FALSE(Device().WriteMemory(0x10B0, bytes, 3));
  EXPECT_EQ(ReceivedAfterClose(), "<C1><D2><04>10B0s01C1w02C3wC0C1r");
}

TEST_P(Zd2DebugProtocol, ErasesASegmentWithTheNegatedAddress) {
  Connect();
  EXPECT_TRUE(Device().EraseInfoSegment(2));
  EXPECT_FALSE(Device().EraseInfoSegment(4));
  const Bytes memory = m_zd2.InfoMemory();
  EXPECT_EQ(Bytes(memory.begin() + 0x40, memory.begin() + 0x80), Bytes(64, 0xFF));
  EXPECT_NE(memory[0], 0xFF);
  EXPECT_TRUE(Device().EraseInfoSegment(1));
  EXPECT_TRUE(Device().EraseInfoSegment(3));
  EXPECT_EQ(Received(), "<C1><D2><04>1040sFFFFEFC0e1000sFFFFF000e1080sFFFFEF80e");
}

TEST_P(Zd2DebugProtocol, DriveAndTestParameterCommands) {
  Connect();
  EXPECT_TRUE(Device().SetDriveState(2));
  EXPECT_TRUE(Device().SetRampSpeed(150));
  EXPECT_TRUE(Device().SetNominalLoad(16000));
  EXPECT_TRUE(Device().SetUFlag(true));
  EXPECT_TRUE(Device().SetZFlag(false));
  EXPECT_TRUE(Device().SetReadAddresses());
  EXPECT_TRUE(Device().SetContinuousMode(true));
  EXPECT_TRUE(Device().SetContinuousMode(false));
  EXPECT_EQ(Received(), "<C1><D2><04>0002g0096i3E80f0001u0000z1111a1110b1113c1112d0000s0001s");
}

TEST_P(Zd2DebugProtocol, LeavingIsOnlySentWhenNeededOrForced) {
  Connect();
  EXPECT_TRUE(Device().LeaveDebugProtocol(false, false));
  EXPECT_EQ(Received(), "");
  EXPECT_TRUE(Device().LeaveDebugProtocol(false, true));
  EXPECT_FALSE(Device().IsInDebugProtocol());
  // Any text operation leaves the protocol first.
  ASSERT_TRUE(Device().EnterDebugProtocol());
  CString text;
  EXPECT_TRUE(Device().QueryEN(text));
  EXPECT_EQ(ReceivedAfterClose(), "<C1><D2><04>0000x<C1><D2><04>0000x<10>@EN@<0D>");
}

// An instrument held back by a busy machine streams on for 100 ms of real time after the leave
// command, 5 s of its clock at fifty times the pace. The pause after the leave gives it its
// 200 ms in real time, so that the late frames are purged before the mode request and not taken
// for its answer.
TEST_P(Zd2DebugProtocol, FramesSentBeforeTheLeaveTookEffectAreNotTakenForTheNextAnswer) {
  timeScale.Set(50);
  ConnectScript(Sim::CScript()
                    .Expect({0xC1, 0xD2, 0x04})
                    .Reply({0x00})
                    .ExpectText("0000x")
                    .Then([](Sim::CPeer& peer) {
                      for (int i = 0; i < 10; ++i) {
                        peer.Send(Bytes{'a', '0', 'B', 'B', '8', '0', '0', '0', '1'});
                        std::this_thread::sleep_for(std::chrono::milliseconds(10));
                      }
                      return true;
                    })
                    .Expect({0xC1, 0xD2, 0x06})
                    .Reply({0x00}));
  ASSERT_TRUE(Device().EnterDebugProtocol());
  EXPECT_TRUE(Device().EnterMode6());
}

ZD2_ON_BOTH_LINKS(Zd2DebugProtocol);

TEST(DebugProtocolHelpers, HexPairsTagsAndDriveStates) {
  EXPECT_EQ(Device::HexPairToByte('3', '4'), 0x34);
  EXPECT_EQ(Device::HexPairToByte('a', 'F'), 0xAF);
  EXPECT_EQ(Device::HexPairToByte('G', '0'), -1);
  EXPECT_EQ(Device::HexPairToByte('0', ' '), -1);
  EXPECT_TRUE(Device::IsLiveValueTag('a'));
  EXPECT_TRUE(Device::IsLiveValueTag('d'));
  EXPECT_FALSE(Device::IsLiveValueTag('e'));
  EXPECT_FALSE(Device::IsLiveValueTag('A'));
  const char16_t* names[] = {u"STOP", u"BACK", u"START", u"RAMPING", u"FIXED SPEED", u"HOLD FORCE"};
  for (int state = 0; state < 6; ++state)
    EXPECT_EQ(CString(Device::GetDriveStateName(state)), CString(names[state]));
  EXPECT_EQ(CString(Device::GetDriveStateName(9)), CString(u"Unknown"));
  EXPECT_EQ(CString(Device::GetDriveStateName(-1)), CString(u"Unknown"));
}

}  // namespace
