#include <gtest/gtest.h>

#include "device/Contents.h"
#include "device/PackageHeader.h"
#include "drivers/UsMcDevice.h"
#include "tests/drivers/InstrumentFixture.h"

namespace {

using Sim::CInstrumentSimulator;
constexpr BYTE kRequest = 200;

class SondrelArray : public InstrumentOnPseudoTerminal {
 protected:
  // Attaching identifies; the log starts after that.
  void Start(const std::string& identity = std::string()) {
    if (!identity.empty()) m_instrument->SetIdentity(identity);
    Connect();
    ASSERT_EQ(Lines(LogOf(1)), "text @ID@\n");
    m_instrument->ClearLog();
  }
  Device::CUsMcDevice& Array() { return DeviceAs<Device::CUsMcDevice>(); }
};

TEST_F(SondrelArray, IdentityAfterTheAcknowledgement) {
  Instrument(18);
  Start();
  SDeviceIdent ident;
  ASSERT_TRUE(Array().Identify(ident));
  EXPECT_EQ(ident.deviceName, CString(u"Sondrel Array"));
  EXPECT_EQ(ident.serialNumber, CString(u"SA18-000-0018"));
  EXPECT_EQ(Array().GetDeviceCode(), 0x17000102);
  EXPECT_EQ(
      Array().GetInfoText(),
      CString(
          u"Device type:\tSondrel Array\r\nSerial number:\tSA18-000-0018\r\nApplication Version:\t1.2.0\r\n"
          u"Hardware revision:\tA1\r\nBootloader Version:\t\r\nSignature:\t17000102"));
  Device::CContents contents;
  ASSERT_TRUE(Array().FillFirmwareList(contents));
  ASSERT_EQ(contents.m_entries.size(), 1u);
  EXPECT_EQ(contents.m_entries[0].version, CVersion(u"1.2.0"));
}

TEST_F(SondrelArray, RepliesWithAndWithoutTheAcknowledgement) {
  const struct {
    std::string reply;
    bool identified;
    const char16_t* name;
  } cases[] = {
      {"Sondrel Array;A1;S1;17000001;1.0", true, u"Sondrel Array"},
      {"\x10OK!   Sondrel Array;A1;S1;17000001;1.0", true, u"Sondrel Array"},
      {"\x10Sondrel Array;A1;S1;17000001;1.0", true, u"\x10Sondrel Array"},
      {"Sondrel Array;A1;S1;16000001;1.0", false, u"Sondrel Array"},
      // Empty fields keep their places, however many follow each other.
      {"Sondrel Array;;;;1.0", false, u"Sondrel Array"},
  };
  for (const auto& c : cases) {
    Instrument(18);
    Start();
    m_instrument->SetIdentity(c.reply);
    SDeviceIdent ident;
    EXPECT_EQ(Array().Identify(ident), c.identified) << c.reply;
    EXPECT_EQ(ident.deviceName, CString(c.name)) << c.reply;
    TearDown();
    SetUp();
  }
}

TEST_F(SondrelArray, DeviceCodeIsMinusOneWithoutAnIdentity) {
  Instrument(18);
  Start();
  m_instrument->SetIdentity("");
  Device::CUsMcDevice fresh;
  EXPECT_EQ(fresh.GetDeviceCode(), -1);
  SDeviceIdent ident;
  EXPECT_FALSE(fresh.QueryId(ident));
}

TEST_F(SondrelArray, TextsGoAsTheirFirstTwentyCharacters) {
  Instrument(18);
  Start();
  EXPECT_TRUE(Array().SendText16(u"ABCDEFGHIJKLMNOPQRSTUVWXY"));
  EXPECT_EQ(Lines(LogOf(1)), "frame D5 C8 10 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54\n");
}

TEST_F(SondrelArray, OnlyTheTextInstrumentTakesTextParameters) {
  Instrument(18);
  Start();
  EXPECT_FALSE(Array().SetTextParameterA(u"north"));
  EXPECT_STREQ(Array().GetParameterText(), "north");
  EXPECT_TRUE(Log().empty()) << Lines(Log());
  TearDown();
  SetUp();
  Instrument(18);
  Start("Sondrel Array;A1;S1;17000000;1.0");
  EXPECT_TRUE(Array().SetTextParameterA(u"ab"));
  EXPECT_TRUE(Array().SetTextParameterB(u"c"));
  EXPECT_EQ(Lines(LogOf(2)), "frame C3 C8 0F 61 62\nframe C2 C8 0E 63\n");
}

TEST_F(SondrelArray, ParameterTextKeepsRoomForItsEnd) {
  Device::CUsMcDevice array;
  EXPECT_FALSE(array.SetTextParameterB(CString(u'x', 60)));
  EXPECT_EQ(std::string(array.GetParameterText()), std::string(49, 'x'));
  array.SetByteParameterA(200);
  EXPECT_STREQ(array.GetParameterText(), "200");
}

TEST_F(SondrelArray, LongRepliesFillOnlyTheBuffer) {
  Instrument(18);
  std::vector<BYTE> data(300);
  for (size_t i = 0; i < data.size(); ++i) data[i] = BYTE(i);
  // Status 0 for the request, then a long reply of 300 bytes and one more status.
  std::vector<BYTE> replies = CInstrumentSimulator::LongReply(data);
  replies.insert(replies.begin(), 0);
  replies.push_back(0);
  m_instrument->SetFunctionReply(kRequest, 0x30, replies);
  Start();
  BYTE buffer[200] = {0x30};
  int replyLength = -1;
  ASSERT_TRUE(Array().SendCommand(buffer, 1, replyLength, true, 200, 1000));
  EXPECT_EQ(replyLength, 0);
  ASSERT_TRUE(Array().ReadReply(buffer, replyLength, 200, 1000));
  EXPECT_EQ(replyLength, 200);
  EXPECT_EQ(buffer[199], 199);
  // The 100 bytes beyond the buffer were taken off the link: the status after them is next.
  ASSERT_TRUE(Array().ReadReply(buffer, replyLength, 200, 1000));
  EXPECT_EQ(replyLength, 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_FALSE(Array().ReadReply(buffer, replyLength, 200, 100));
}

TEST_F(SondrelArray, LongRequestsAreAnnouncedThenSentWhole) {
  Instrument(18);
  Start();
  std::vector<BYTE> request(48, 0x41);
  request[0] = 0x33;
  int replyLength = 0;
  EXPECT_TRUE(Array().SendCommand(request.data(), 48, replyLength, false, 48, 1000));
  const std::vector<std::string> log = LogOf(2);
  ASSERT_GE(log.size(), 2u) << Lines(log);
  EXPECT_EQ(log[0], "frame C4 C8 33 30 00 00");
  EXPECT_EQ(log[1].substr(0, 16), "raw 33 41 41 41 ");
}

TEST_F(SondrelArray, RefusalsAreNoSuccessEvenWithoutAReply) {
  Instrument(18);
  m_instrument->SetFunctionReply(kRequest, 5, {0xF2});
  Start();
  BYTE status = 0;
  EXPECT_FALSE(Array().SendCommand5(1, status));
  EXPECT_EQ(status, 255);
  EXPECT_EQ(Lines(LogOf(3)), "frame C2 C8 05 01\nframe C2 C8 05 01\nframe C2 C8 05 01\n");
}

TEST_F(SondrelArray, CommandFiveTakesTheSingleReplyByte) {
  Instrument(18);
  m_instrument->SetFunctionReply(kRequest, 5, {1, 7});
  Start();
  BYTE status = 0;
  EXPECT_FALSE(Array().SendCommand5(2, status));
  EXPECT_EQ(status, 7);
  Device::CUsMcDevice unattached;
  EXPECT_FALSE(unattached.SendCommand5(2, status));
  EXPECT_EQ(status, 255);
}

TEST_F(SondrelArray, BatteryStates) {
  const struct {
    std::string reply;
    bool result;
    int state;
    const char16_t* text;
    int values[3];
  } cases[] = {
      {"charging 87% 4100mV 250mA", true, 2, u"CHARGING", {87, 4100, 250}},
      {"CHARGING, 87%, 4100mV, 250mA", true, 2, u"CHARGING", {87, 4100, 250}},
      {"DISCHARGING 40 3900 -120", true, 1, u"DISCHARGING", {40, 3900, -120}},
      {"idle 1 2 3", true, 0, u"ERROR", {1, 2, 3}},
      {"full 100%", false, 3, u"FULL", {100, 0, 0}},
      {"full 99999999999% 4100mV 250mA", false, 3, u"FULL", {0, 0, 0}},
  };
  for (const auto& c : cases) {
    Instrument(18);
    std::vector<BYTE> reply(c.reply.size() + 1, BYTE(c.reply.size()));
    std::copy(c.reply.begin(), c.reply.end(), reply.begin() + 1);
    m_instrument->SetFunctionReply(kRequest, 11, reply);
    Start();
    int state = -1;
    CString text;
    int values[3] = {0, 0, 0};
    EXPECT_EQ(Array().GetBatteryState(state, text, values), c.result) << c.reply;
    EXPECT_EQ(state, c.state) << c.reply;
    EXPECT_EQ(text, CString(c.text)) << c.reply;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(values[i], c.values[i]) << c.reply;
    TearDown();
    SetUp();
  }
}

TEST_F(SondrelArray, FlagsAndNumbersGoAsTwoBytes) {
  Instrument(18);
  Start();
  EXPECT_TRUE(Array().SetFlagParameterA(true));
  EXPECT_TRUE(Array().SetFlagParameterB(false));
  EXPECT_TRUE(Array().SetIntParameter(300));
  EXPECT_EQ(Array().ReadText17(), CString(u""));
  EXPECT_EQ(Lines(LogOf(4)), "frame C2 C8 08 01\nframe C2 C8 09 00\nframe C2 C8 13 2C\nframe C1 C8 11\n");
}

TEST_F(SondrelArray, RunModeWithAllClosingBitsClosesTheStream) {
  Instrument(18);
  Start();
  Device::CPackageHeader header;
  Device::SBlockRecord record;
  record.bytes[10] = 0x08;
  record.bytes[11] = 0x68;
  EXPECT_EQ(Array().UpdateSetMode(header, record), 0);
  EXPECT_EQ(Array().UpdateSetRunMode(header, record), 0);
  EXPECT_TRUE(Array().GetStream()->IsOpen());
  record.bytes[11] = 0x61;
  EXPECT_EQ(Array().UpdateSetRunMode(header, record), 0);
  EXPECT_FALSE(Array().GetStream()->IsOpen());
}

}  // namespace
