#include <gtest/gtest.h>

#include <algorithm>

#include "drivers/DurimoDIDDevice.h"
#include "drivers/HallekLiveDevice.h"
#include "drivers/UCILiveDevice.h"
#include "tests/drivers/InstrumentFixture.h"

namespace {

class LiveProbeRequests : public InstrumentOnPseudoTerminal {
 protected:
  Device::CCorrectionProbeDevice& Probe() { return DeviceAs<Device::CCorrectionProbeDevice>(); }
  Device::CUCILiveDevice& Uci() { return DeviceAs<Device::CUCILiveDevice>(); }
  int Count(const std::string& item) {
    const std::vector<std::string> log = Log();
    return int(std::count(log.begin(), log.end(), item));
  }
};

// The Leeb probe and the Hallek Live read the same words of request 201.
TEST_F(LiveProbeRequests, ParameterSetReadsFourWordsThenTheVersionOnce) {
  for (int type : {17, 20}) {
    SCOPED_TRACE(type);
    Instrument(type);
    Connect();
    Device::SProbeParameterSet set;
    ASSERT_TRUE(Probe().ReadParameterSet(set));
    EXPECT_EQ(
        Lines(Log()),
        "frame C1 C9 12\nframe C1 C9 13\nframe C1 C9 14\nframe C1 C9 11\ntext RDCoVe\nframe C1 C9 23\n");
    EXPECT_EQ(set.values[0], 0x0111);
    EXPECT_EQ(set.values[1], 0x0112);
    EXPECT_EQ(set.values[2], 0x0113);
    EXPECT_EQ(set.values[3], 0x0114);
    EXPECT_EQ(set.version.version.Format(4), CString(u"1.4.2.7"));
    EXPECT_EQ(set.version.block[0], 0xA0);
    EXPECT_EQ(set.version.block[15], 0xAF);

    // The cached block answers until a fresh read is forced.
    m_instrument->ClearLog();
    Device::SProbeVersionBlock block;
    ASSERT_TRUE(Probe().ReadCoVersion(block, false));
    EXPECT_EQ(block.version, set.version.version);
    ASSERT_TRUE(Probe().ReadCoVersion(block, true));
    EXPECT_EQ(Lines(Log()), "text RDCoVe\nframe C1 C9 23\n");
    TearDown();
    SetUp();
  }
}

TEST_F(LiveProbeRequests, VersionNeedsFiveCharactersAndSixteenBytes) {
  Instrument(17).SetTextAnswer("RDCoVe", "1.4");
  Connect();
  Device::SProbeVersionBlock block;
  EXPECT_FALSE(Probe().ReadCoVersion(block, false));
  EXPECT_EQ(Count("frame C1 C9 23"), 0);
  m_instrument->SetTextAnswer("RDCoVe", "1.4.2");
  m_instrument->SetFunctionReply(201, 35, {15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
  EXPECT_FALSE(Probe().ReadCoVersion(block, false));
  EXPECT_EQ(Count("frame C1 C9 23"), 1);
}

TEST_F(LiveProbeRequests, WordTriplesAndTheCorrectionWords) {
  Instrument(20);
  Connect();
  Device::SWordTriple words;
  ASSERT_TRUE(Probe().ReadWords33(words));
  EXPECT_EQ(words.values[0], 0x0021);
  EXPECT_EQ(words.values[1], 0x0122);
  EXPECT_EQ(words.values[2], 0xFF23);
  ASSERT_TRUE(Probe().ReadWords34(words));
  EXPECT_EQ(words.values[2], 0x8033);
  // A value whose low byte is CR still goes as two bytes before the closing CR.
  words.values[0] = 0x010D;
  words.values[1] = 2;
  words.values[2] = 0xFFFF;
  EXPECT_TRUE(Probe().WriteCorrectionA(words));
  EXPECT_EQ(Count("text WDCorA 01 0D 00 02 FF FF"), 1) << Lines(Log());
  m_instrument->SetFunctionReply(201, 33, {4, 0, 1, 0, 2});
  EXPECT_FALSE(Probe().ReadWords33(words));
}

struct SStatusCase {
  std::vector<BYTE> reply;
  bool set;
};

const SStatusCase kStatusCases[] = {
    {{2, 0x40, 0x00}, true}, {{2, 0xBF, 0xFF}, false}, {{1, 0x40}, false}, {{3, 0x40, 0, 0}, false}};

TEST_F(LiveProbeRequests, StatusBitNeedsExactlyTwoBytes) {
  // The request waits only 50 ms: on the real clock, so that the pseudo-terminal keeps up.
  timeScale.Set(1);
  Instrument(21);
  Connect();
  for (const SStatusCase& status : kStatusCases) {
    m_instrument->SetFunctionReply(201, 52, status.reply);
    EXPECT_EQ(Uci().ReadStatusBit(), status.set) << int(status.reply[1]);
  }
  EXPECT_EQ(Count("frame C1 C9 34"), 4);
}

TEST_F(LiveProbeRequests, HexIdIsAskedOnceMoreAfterAShortAnswer) {
  Instrument(21);
  Connect();
  CString text;
  ASSERT_TRUE(Uci().ReadHexId(text));
  EXPECT_EQ(text, CString(u"123456789ABCDEF0"));
  EXPECT_EQ(Count("frame C1 C9 41"), 1);
  m_instrument->SetFunctionReply(201, 65, {4, 1, 2, 3, 4});
  EXPECT_FALSE(Uci().ReadHexId(text));
  EXPECT_EQ(Count("frame C1 C9 41"), 3);
}

// The UCI probe writes its hardware revision, serial date and module revision one by one.
TEST_F(LiveProbeRequests, UciWritesSingleTextsAnsweredOk) {
  Instrument(21);
  Connect();
  EXPECT_FALSE(Uci().WriteHardwareRevision(u""));
  EXPECT_FALSE(Uci().WriteModuleHardwareRevision(u""));
  EXPECT_TRUE(Log().empty()) << Lines(Log());
  EXPECT_TRUE(Uci().WriteHardwareRevision(u"C4"));
  EXPECT_TRUE(Uci().WriteSerialDate(u"2026-03-01"));
  EXPECT_TRUE(Uci().WriteModuleHardwareRevision(u"B7"));
  EXPECT_EQ(Lines(Log()), "text WDHWVeC4\ntext WDSeDa2026-03-01\ntext WMHWVeB7\n");
  CString date;
  ASSERT_TRUE(Uci().ReadSerialDate(date));
  EXPECT_EQ(date, CString(u"2026-03-01"));
  m_instrument->SetTextAnswer("WDSeDa2026-04-01", "no");
  EXPECT_FALSE(Uci().WriteSerialDate(u"2026-04-01"));
}

TEST_F(LiveProbeRequests, UciFramesAreTakenByTheirHeader) {
  Instrument(21).SetTextAnswer("OPM_ON", "ok");
  m_instrument->SetFrames({{0xC3, 1, 2, 3, 4}, {0xC5, 9, 8, 7, 6, 5, 0xC1}});
  Connect();
  ASSERT_TRUE(Uci().SetOpmMode(true));
  BYTE frame[16] = {};
  EXPECT_EQ(Uci().ReadFrame(frame, int(sizeof frame), 500), 4);
  EXPECT_EQ(frame[0], 1);
  EXPECT_EQ(frame[3], 4);
  // Six announced, room for five: the rest of the line is dropped.
  EXPECT_EQ(Uci().ReadFrame(frame, 5, 500), Device::CLiveProbeRequests::kFrameBroken);
  EXPECT_EQ(Uci().ReadFrame(frame, int(sizeof frame), 500), 0);
  m_instrument->SetFrames({{0x7F, 1}});
  ASSERT_TRUE(Uci().SetOpmMode(true));
  EXPECT_EQ(Uci().ReadFrame(frame, int(sizeof frame), 500), Device::CLiveProbeRequests::kFrameBroken);
}

}  // namespace
