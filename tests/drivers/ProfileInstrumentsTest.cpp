#include <gtest/gtest.h>

#include "device/Contents.h"
#include "device/Version.h"
#include "drivers/Durimo3SeDevice.h"
#include "drivers/PlatformDevice.h"
#include "tests/drivers/InstrumentFixture.h"

namespace {

using ProfileInstruments = InstrumentOnPseudoTerminal;

constexpr char kPlatformIdentity[] = "Platform;P1;PL10-000-0010;0D000102;1.0.0;2.0.0;1.1.0;-;en-US;";

TEST_F(ProfileInstruments, Durimo3InEchoModeIsSwitchedBackBeforeItIdentifies) {
  Instrument(0).SetEcho(true);
  Connect();
  SDeviceIdent ident;
  EXPECT_TRUE(Device().Identify(ident));
  EXPECT_EQ(Lines(Log()), "text EC?\ntext EC0\ntext @ID@\n");
  EXPECT_EQ(ident.deviceName, CString(u"Durimo 3"));
}

TEST_F(ProfileInstruments, PlatformDropsAnEchoedCommandAndTakesAnEmptyTimeZone) {
  Instrument(10).SetIdentity(kPlatformIdentity);
  m_instrument->SetIdentityEchoed(true);
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  Device::SPlatformInfo info;
  DeviceAs<Device::CPlatformDevice>().GetDeviceInfo(info);
  EXPECT_EQ(info.deviceName, CString(u"Platform"));
  EXPECT_EQ(info.localization, CString(u"en-US"));
  EXPECT_TRUE(info.timeZoneId.IsEmpty());
  Device::CContents contents;
  ASSERT_TRUE(Device().FillFirmwareList(contents));
  ASSERT_EQ(contents.m_entries.size(), 3u);
  EXPECT_EQ(contents.m_entries[2].version, CVersion(CString(u"0.0.0.0")));
}

TEST_F(ProfileInstruments, Durimo3BeforeProfilesIsLoggedInWithoutAsking) {
  Instrument(0).SetIdAnswer("Durimo 3;0.2.12;D300-000-0000");
  Connect();
  SDeviceLogin login;
  login.userName = u"anna";
  EXPECT_TRUE(Device().RemoteLogin(login));
  EXPECT_EQ(login.flags, 0x17);
  EXPECT_EQ(Device().GetLogin().flags, 0x17);
  EXPECT_EQ(Lines(Log()), "text ID\n");
}

TEST_F(ProfileInstruments, Durimo3WithProfilesSendsTheLogin) {
  Instrument(0).SetIdAnswer("Durimo 3;0. 2.13;D300-000-0000");
  Connect();
  SDeviceLogin login;
  login.userName = u"anna";
  login.password = u"pw";
  login.number = 0xAB;
  EXPECT_TRUE(Device().RemoteLogin(login));
  EXPECT_EQ(Lines(Log()), "text ID\ntext RLGI \"anna\"; \"pw\"; 000000AB\n");
  EXPECT_EQ(login.flags, 0x10);
}

struct SLoginRule {
  int flags;
  bool loggedIn;
};

// A profile without a password is in; one with a password only once it was accepted.
const SLoginRule kLoginRules[] = {{0, true}, {2, true}, {1, false}, {3, false}, {5, true}, {4, true}};

TEST_F(ProfileInstruments, PlatformLoginFollowsThePasswordFlags) {
  for (const SLoginRule& rule : kLoginRules) {
    SCOPED_TRACE(rule.flags);
    Instrument(10).SetLoginFlags(rule.flags);
    Connect();
    SDeviceLogin login;
    login.userName = u"ben";
    EXPECT_EQ(Device().RemoteLogin(login), rule.loggedIn);
    EXPECT_EQ(Device().GetLogin().flags, rule.flags | 0x10);
    EXPECT_EQ(Device().GetLogin().userName, CString(u"ben"));
    TearDown();
    SetUp();
  }
}

TEST_F(ProfileInstruments, LogoutClearsTheRecordAndTellsTheInstrument) {
  for (int type : {0, 10}) {
    SCOPED_TRACE(type);
    Instrument(type).SetIdAnswer("X;1.0.0;S");
    Connect();
    SDeviceLogin login;
    login.userName = u"ben";
    Device().RemoteLogin(login);
    m_instrument->ClearLog();
    EXPECT_TRUE(Device().RemoteLogout());
    EXPECT_TRUE(Device().GetLogin().userName.IsEmpty());
    EXPECT_EQ(Device().GetLogin().flags, 0);
    EXPECT_EQ(Lines(Log()), "text RLGO\n");
    TearDown();
    SetUp();
  }
}

TEST_F(ProfileInstruments, PlatformConnectionCheckIdentifiesAndLogsIn) {
  Instrument(10);
  Connect();
  SDeviceIdent ident;
  int value = -1;
  EXPECT_FALSE(Device().CheckConnection(ident, 2, value));
  EXPECT_EQ(value, 70000);
  EXPECT_TRUE(Device().CheckConnection(ident, 5, value));
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(Log().empty()) << Lines(Log());
  EXPECT_TRUE(Device().CheckConnection(ident, 1, value));
  EXPECT_EQ(ident.serialNumber, CString(u"PL10-000-0010"));
  EXPECT_EQ(Log().back(), "text RLGI \"\"; \"\"; 00000000");
}

TEST_F(ProfileInstruments, PlatformConnectionCheckFailsWhenTheInstrumentStaysAway) {
  Instrument(10).SetIdentity("");
  Connect();
  SDeviceIdent ident;
  int value = -1;
  EXPECT_FALSE(Device().CheckConnection(ident, 1, value));
  int queries = 0;
  for (const std::string& item : Log()) queries += item == "text @ID@";
  EXPECT_EQ(queries, 2);
}

TEST_F(ProfileInstruments, PlatformPowerStateNeedsSevenFilledFields) {
  Instrument(10).SetTextAnswer("GPOW", "3650;1;2;3;4;5;BATTERY");
  Connect();
  auto& platform = DeviceAs<Device::CPlatformDevice>();
  Device::SPowerState state;
  ASSERT_TRUE(platform.QueryPowerState(state));
  EXPECT_EQ(state.fields[0], CString(u"3650"));
  EXPECT_EQ(state.fields[6], CString(u"BATTERY"));
  m_instrument->SetTextAnswer("GPOW", "3650;1;2;3;4;5");
  EXPECT_FALSE(platform.QueryPowerState(state));
}

}  // namespace
