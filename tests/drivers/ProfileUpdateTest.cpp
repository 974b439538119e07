#include <gtest/gtest.h>

#include <algorithm>

#include "device/PackageHeader.h"
#include "device/Version.h"
#include "device/streamio/FileStream.h"
#include "drivers/PlatformDevice.h"
#include "tests/device/StepLog.h"
#include "tests/drivers/InstrumentFixture.h"
#include "tests/drivers/PartFile.h"

namespace {

using ProfileUpdate = InstrumentOnPseudoTerminal;

struct SDeviceCheckCase {
  const char* name;
  int type;
  const char* hardware;
  const char* os;
  WORD minimum;
  WORD maximum;
  DWORD requiredOs;  // major << 16 | minor
  const char* power;
  int result;
};

constexpr char kMains[] = "3650;a;b;c;d;e;AC_LINE_ONLINE";
constexpr char kBattery[] = "3650;a;b;c;d;e;BATTERY";

const SDeviceCheckCase kDeviceChecks[] = {
    {"lower-case revision below the minimum", 10, "c12", "2.0.1", 600, 0, 0, kMains, 10},
    {"lower-case revision at the minimum", 10, "c12", "2.0.1", 524, 0, 0, kMains, 0},
    {"revision above the maximum", 10, "C12", "2.0.1", 0, 523, 0, kMains, 10},
    {"letter beyond H on a Durimo 3", 0, "I1", "2.0.1", 1, 0, 0, kMains, 10},
    {"letter beyond H on a Platform", 10, "I1", "2.0.1", 1, 0, 0, kMains, 0},
    {"negative revision number", 10, "A-3", "2.0.1", 1, 0, 0, kMains, 10},
    {"revision number of 256", 0, "A256", "2.0.1", 1, 0, 0, kMains, 10},
    {"revision number beyond any integer", 10, "A99999999999999999999", "2.0.1", 1, 0, 0, kMains, 10},
    {"revision number beyond any integer on a Durimo 3", 0, "B99999999999999999999", "2.0.1", 0, 1, 0, kMains,
     10},
    {"no limits, no revision read", 0, "X", "2.0.1", 0, 0, 0, kMains, 0},
    {"required version above the instrument's", 0, "H1", "2.0.1", 0, 0, 0x00020001, kMains, 11},
    {"required version of another major", 10, "A1", "2.0.1", 0, 0, 0x00010000, kMains, 11},
    {"required version met, blanks in the instrument's", 10, "A1", "2. 1.0", 0, 0, 0x00020001, kMains, 0},
    {"battery below 3700 mV", 10, "A1", "2.0.1", 0, 0, 0, kBattery, 16},
    {"battery at 3700 mV", 10, "A1", "2.0.1", 0, 0, 0, "3700;a;b;c;d;e;BATTERY", 0},
    {"battery voltage beyond any integer reads as none", 10, "A1", "2.0.1", 0, 0, 0,
     "-99999999999999999999;a;b;c;d;e;BATTERY", 0},
    {"a Durimo 3 asks no power state", 0, "A1", "2.0.1", 0, 0, 0, kBattery, 0},
};

TEST_F(ProfileUpdate, DeviceChecksReadRevisionVersionAndBattery) {
  for (const SDeviceCheckCase& check : kDeviceChecks) {
    SCOPED_TRACE(check.name);
    const bool platform = check.type == 10;
    const std::string identity = std::string(platform ? "Platform;" : "Durimo 3;") + check.hardware +
                                 (platform ? ";PL10;0D000102;1.0.0;" : ";D3;03000102;1.0.0;") + check.os +
                                 (platform ? ";1.0;1.0;en-US;UTC" : ";de-DE;CET");
    Instrument(check.type).SetIdentity(identity);
    m_instrument->SetTextAnswer("GPOW", check.power);
    Connect();
    Device::CPackageHeader header;
    header.m_deviceCode = platform ? 0x0D000102 : 0x03000102;
    header.m_trailerWord1 = check.minimum;
    header.m_trailerWord2 = check.maximum;
    header.m_trailerValue1 = check.requiredOs;
    EXPECT_EQ(Device().UpdateCheckDevice(header), check.result);
    const std::vector<std::string> log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "text GPOW"),
              platform && check.result != 10 && check.result != 11)
        << Lines(log);
    TearDown();
    SetUp();
  }
}

TEST_F(ProfileUpdate, TimedBlockAsksTheSecondDurationForVariantTwo) {
  for (BYTE variant : {BYTE(0x42), BYTE(0x41)}) {
    SCOPED_TRACE(int(variant));
    Instrument(0);
    Connect();
    Device::SBlockRecord record;
    record.bytes[11] = 0x40;
    record.bytes[12] = variant;
    CStepLog steps;
    ASSERT_TRUE(Device().SetCallback(&steps));
    EXPECT_EQ(Device().UpdateWriteDataBlock(record), 0);
    Device().DetachCallback();
    const std::vector<std::string> log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "timed C1 F8 03"), variant == 0x42) << Lines(log);
    EXPECT_EQ(log.back(), "timed C1 F8 02");
    TearDown();
    SetUp();
  }
}

TEST_F(ProfileUpdate, PlatformModeSwitchWritesTheKeyBlockOnce) {
  Instrument(10);
  Connect();
  CStepLog steps;
  ASSERT_TRUE(Device().SetCallback(&steps));
  Device::CPackageHeader header;
  header.m_trailerValue2 = 2;
  header.m_block128.fill(0x5A);
  Device::SBlockRecord record;
  record.bytes[10] = 0x03;
  record.bytes[11] = 0x03;
  EXPECT_EQ(Device().UpdateSetMode(header, record), 0);
  EXPECT_EQ(Device().UpdateSetRunMode(header, record), 0);
  Device().DetachCallback();
  EXPECT_TRUE(steps.m_bProgressWanted);
  const std::vector<std::string> log = Log();
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& item) { return item.rfind("block128 ", 0) == 0; }),
            1)
      << Lines(log);
  EXPECT_NE(std::find(log.begin(), log.end(), "frame C2 F4 02 03"), log.end()) << Lines(log);
  EXPECT_EQ(steps.texts.back(), CString(u"Set the device into the appropriate operation mode."));
}

TEST_F(ProfileUpdate, PlatformThatRestartsHasNoLinkAfterTheUpdate) {
  Instrument(10);
  Connect();
  Device::CPackageHeader header;
  Device::SBlockRecord record;
  record.bytes[10] = 0x00;
  record.bytes[11] = 0x00;
  EXPECT_EQ(Device().UpdateSetRunMode(header, record), 0);
  ASSERT_NE(Device().GetStream(), nullptr);
  EXPECT_EQ(Device().UpdateFinish(), 0);
  EXPECT_EQ(Device().GetStream(), nullptr);
  SDeviceIdent ident;
  EXPECT_FALSE(Device().Identify(ident));
  EXPECT_EQ(Device().UpdateInit(header), 1);
}

TEST_F(ProfileUpdate, PlatformThatKeepsRunningKeepsItsLink) {
  Instrument(10);
  Connect();
  Device::CPackageHeader header;
  Device::SBlockRecord record;
  record.bytes[10] = 0x08;
  record.bytes[11] = 0x08;
  EXPECT_EQ(Device().UpdateSetRunMode(header, record), 0);
  EXPECT_EQ(Device().UpdateFinish(), 0);
  EXPECT_NE(Device().GetStream(), nullptr);
}

TEST_F(ProfileUpdate, PlatformPackageCheckComparesThePackagesOwnSystem) {
  Instrument(10);
  Connect();
  Device::CPackageHeader header;
  header.m_deviceCode = 0x0D000102;
  Device::CContents contents;
  EXPECT_EQ(Device().UpdatePrepare(contents, header), 0);
  header.m_trailerValue1 = 0x00030002;
  EXPECT_EQ(Device().UpdatePrepare(contents, header), 1);
  Device::SContentEntry application;
  application.contentType = 1;
  application.version = CVersion(CString(u"9.0.0.0"));
  Device::SContentEntry os;
  os.contentType = 2;
  os.version = CVersion(CString(u"3.1.0.0"));
  contents.m_entries = {application, os};
  EXPECT_EQ(Device().UpdatePrepare(contents, header), 11);
  contents.m_entries[1].version = CVersion(CString(u"3.2.0.0"));
  EXPECT_EQ(Device().UpdatePrepare(contents, header), 0);
  contents.m_entries[1].version = CVersion(CString(u"4.2.0.0"));
  EXPECT_EQ(Device().UpdatePrepare(contents, header), 11);
}

// 20,000 bytes in chunks of 8192, each followed by its CRC-32, which the instrument checks.
TEST_F(ProfileUpdate, PlatformBlockDataGoesInCheckedChunks) {
  std::string data(20000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = char(i * 7);
  const std::string path = WritePartFile("platform-block", data);
  Instrument(10);
  Connect();
  StreamIO::CFileStream package(CString::FromUtf8(path), StreamIO::OPEN_READ);
  ASSERT_TRUE(Device().AttachSecondStream(&package));
  EXPECT_EQ(Device().UpdateWriteData(PartRecord(data.size(), 0)), 0);
  Device().DetachSecondStream();
  // The instrument notes the block once it has answered its last chunk.
  EXPECT_EQ(Lines(LogOf(2)), "frame C9 F8 01 01 20 4E 00 00 00 20 00\nblock-data 20000 in 3 checked\n");
}

}  // namespace
