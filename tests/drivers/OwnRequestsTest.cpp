#include <gtest/gtest.h>

#include "drivers/SondrelLabDevice.h"
#include "drivers/TestBoxDevice.h"
#include "tests/drivers/InstrumentFixture.h"

namespace {

using OwnRequests = InstrumentOnPseudoTerminal;

TEST_F(OwnRequests, TestBoxNameCodeTakesThirteenCharactersAndTwoOfTheCode) {
  Instrument(13);
  Connect();
  EXPECT_TRUE(DeviceAs<Device::CTestBoxDevice>().WriteNameCode(u"ABCDEFGHIJKLMNOPQRST", u"XYZ", u"ignored"));
  // 0x10, "ABCDEFGHIJKLM", ";", "XY": 17 bytes.
  EXPECT_EQ(Lines(LogOf(1)), "frame D1 CE 10 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 3B 58 59\n");
}

TEST_F(OwnRequests, TestBoxNameCodeFailsOnAnErrorStatus) {
  Instrument(13).SetFrameReply(206, {0xF3});
  Connect();
  EXPECT_FALSE(DeviceAs<Device::CTestBoxDevice>().WriteNameCode(u"Box", u"7", u""));
}

TEST_F(OwnRequests, SondrelLabIdentityTextsGoAsFourRequests) {
  Instrument(6);
  Connect();
  EXPECT_TRUE(DeviceAs<Device::CSondrelLabDevice>().WriteIdentityTexts(u"Ab", u"C", u""));
  EXPECT_EQ(Lines(LogOf(4)),
            "frame C1 0B 00\nframe C4 0B 01 41 62 00\nframe C3 0B 03 43 00\nframe C2 0B 02 00\n");
}

TEST_F(OwnRequests, SondrelLabRefusesATooLongTextBeforeSendingAny) {
  Instrument(6);
  Connect();
  EXPECT_FALSE(DeviceAs<Device::CSondrelLabDevice>().WriteIdentityTexts(u"one", u"two", CString(u'x', 46)));
  EXPECT_TRUE(DeviceAs<Device::CSondrelLabDevice>().WriteIdentityTexts(u"one", u"two", CString(u'x', 45)));
  const std::vector<std::string> log = LogOf(4);
  ASSERT_EQ(log.size(), 4u) << Lines(log);
  EXPECT_EQ(log[0], "frame C1 0B 00");
}

struct SSelfCheckCase {
  const char* name;
  std::vector<BYTE> reply;  // the data count first
  bool result;
  bool flagD;
};

// Byte 6 decides flag D only for the "Sondrel Lab+", and only when it came.
const SSelfCheckCase kSelfChecks[] = {
    {"Sondrel Lab", {7, 0xFF, 0, 0, 0x34, 0x12, 0, 1}, true, true},
    {"sondrel lab+", {7, 0xFF, 0, 0, 0x34, 0x12, 0, 1}, false, false},
    {"SONDREL LAB+", {7, 0xFF, 0, 0, 0x34, 0x12, 0, 0}, true, true},
    {"Sondrel Lab+", {6, 0xFF, 0, 0, 0x34, 0x12, 0}, false, false},
    {"Sondrel Lab", {6, 0xFF, 0, 0, 0x34, 0x12, 0}, true, true},
    {"Sondrel Lab", {7, 0xFE, 0, 0, 0x34, 0x12, 0, 0}, false, false},
};

TEST_F(OwnRequests, SondrelLabSelfCheckReadsItsFlags) {
  for (const SSelfCheckCase& check : kSelfChecks) {
    SCOPED_TRACE(std::string(check.name) + " " + std::to_string(check.reply.size()));
    Instrument(6).SetIdentity(std::string(check.name) + ";A2;SL06-000-0006;09000102;3.0.1");
    m_instrument->SetFrameReply(7, check.reply);
    Connect();
    auto& lab = DeviceAs<Device::CSondrelLabDevice>();
    SDeviceIdent ident;
    ASSERT_TRUE(lab.Identify(ident));
    Device::SSelfCheckStatus status;
    EXPECT_EQ(lab.ReadSelfCheck(status), check.result);
    EXPECT_EQ(status.flagD, check.flagD);
    if (check.reply[1] == 0xFF) {
      EXPECT_TRUE(status.flagA && status.flagB && status.flagC);
      EXPECT_EQ(status.value, 0x1234);
    } else {
      EXPECT_EQ(status.value, 0xFFFF);
    }
    TearDown();
    SetUp();
  }
}

TEST_F(OwnRequests, SondrelLabRequestSevenCodeFourIgnoresItsReply) {
  Instrument(6).SetFrameReply(7, {0xF5});
  Connect();
  EXPECT_TRUE(DeviceAs<Device::CSondrelLabDevice>().SendRequest7Code4());
  EXPECT_EQ(Lines(LogOf(1)), "frame C1 07 04\n");
}

}  // namespace
