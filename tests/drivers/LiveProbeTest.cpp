#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "device/Contents.h"
#include "device/PackageHeader.h"
#include "device/streamio/FileStream.h"
#include "drivers/DurimoDIDDevice.h"
#include "drivers/HallekLiveDevice.h"
#include "drivers/UCILiveDevice.h"
#include "tests/drivers/InstrumentFixture.h"
#include "tests/drivers/PartFile.h"

namespace {

class LiveProbe : public InstrumentOnPseudoTerminal {
 protected:
  Device::CUCILiveDevice& Uci() { return DeviceAs<Device::CUCILiveDevice>(); }
  int Count(const std::string& item) {
    const std::vector<std::string> log = Log();
    return int(std::count(log.begin(), log.end(), item));
  }
  int CountPrefix(const std::string& prefix) {
    const std::vector<std::string> log = Log();
    return int(std::count_if(log.begin(), log.end(),
                             [&](const std::string& item) { return item.rfind(prefix, 0) == 0; }));
  }
};

TEST_F(LiveProbe, IdentifyReadsTheModuleAndTellsItInTheKeyText) {
  Instrument(21);
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  EXPECT_EQ(Lines(Log()), "text @ID@\ntext RMInNa\ntext RMSeNu\ntext RMFWVe\ntext RMHWVe\n");
  EXPECT_EQ(Device().GetDeviceInfoPairs(),
            CString(u"device_name=Durimo%20Live%20UCI%20Probe&app_version=1.0.0&serial_number=UC21-000-0021&"
                    u"signature=1B000102&hw_rev=A1&module_name=ZD_BLE&module_app_version=2.1.0&"
                    u"module_serial=BM21-0021&module_hw_rev=B2"));
}

struct SLinkLostCase {
  int type;
  const char* resetWord;
};

const SLinkLostCase kLinkLost[] = {{17, "text BBE"}, {20, "text BBoEx"}, {21, "text BBoEx"}};

TEST_F(LiveProbe, OneLostLinkIsResetTwoAreNot) {
  for (const SLinkLostCase& probe : kLinkLost) {
    SCOPED_TRACE(probe.type);
    Instrument(probe.type).SetLinkLostAnswers(1);
    Connect();
    SDeviceIdent ident;
    EXPECT_TRUE(Device().Identify(ident));
    EXPECT_EQ(Count(probe.resetWord), 2) << Lines(Log());
    m_instrument->SetLinkLostAnswers(2);
    EXPECT_FALSE(Device().Identify(ident));
    TearDown();
    SetUp();
  }
}

TEST_F(LiveProbe, AModuleWithoutNameStillLeavesTheProbeIdentified) {
  Instrument(20).SetTextAnswer("RMInNa", "?");
  m_instrument->SetExtraLines(2);
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  EXPECT_EQ(Count("text RMInNa"), 4);
  EXPECT_EQ(Count("text RMSeNu"), 0);
  Device::SLiveProbeInfo info;
  DeviceAs<Device::CHallekLiveDevice>().GetDeviceInfo(info);
  EXPECT_TRUE(info.moduleName.IsEmpty());
  EXPECT_TRUE(info.moduleSerial.IsEmpty());
  Device::CContents contents;
  ASSERT_TRUE(Device().FillFirmwareList(contents));
  ASSERT_EQ(contents.m_entries.size(), 2u);
  EXPECT_EQ(contents.m_entries[1].contentType, 12);
}

TEST_F(LiveProbe, ModuleQueryAnsweredWithAQuestionMarkFails) {
  Instrument(17);
  Connect();
  CString text;
  EXPECT_FALSE(DeviceAs<Device::CDurimoDIDDevice>().ModuleQuery(u"RMXyZz", text, 3));
  EXPECT_EQ(text, CString(u"?"));
  EXPECT_EQ(Count("text RMXyZz"), 3);
  EXPECT_TRUE(DeviceAs<Device::CDurimoDIDDevice>().ModuleQuery(u"RMFWVe", text, 3));
  EXPECT_EQ(text, CString(u"2.1.0"));
}

TEST_F(LiveProbe, DeviceIdentityIsWrittenOnlyWhereItDiffers) {
  Instrument(21);
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  EXPECT_TRUE(Uci().WriteDeviceIdentity(u"UC21-000-0021", u"A1", u"2026-01-15"));
  EXPECT_FALSE(Uci().WriteDeviceIdentity(u"UC21-000-0021-XYZ", u"A1", u"2026-02-01"));
  EXPECT_FALSE(Uci().WriteDeviceIdentity(u"UC21-000-0022", u"A1", u"2026-02-01-1"));
  EXPECT_EQ(CountPrefix("text WD"), 0) << Lines(Log());
  EXPECT_TRUE(Uci().WriteDeviceIdentity(u"UC21-000-0099", u"B3", u"2026-02-01"));
  EXPECT_EQ(Count("text WDSeNuUC21-000-0099"), 1);
  EXPECT_EQ(Count("text WDHWVeB3"), 1);
  EXPECT_EQ(Count("text WDSeDa2026-02-01"), 1);
  EXPECT_EQ(Device().GetSerialNumber(), CString(u"UC21-000-0099"));
}

// The OBE mode takes any answer; the OTM and OPM modes only "ok".
TEST_F(LiveProbe, ModeSwitchesAndTheSerialDate) {
  Sim::CInstrumentSimulator& instrument = Instrument(20);
  instrument.SetTextAnswer("OBE_ON", "done");
  instrument.SetTextAnswer("OTM_ON", "ok");
  instrument.SetTextAnswer("OTM_OFF", "busy");
  Connect();
  auto& hallek = DeviceAs<Device::CHallekLiveDevice>();
  EXPECT_TRUE(hallek.SetObeMode(true));
  EXPECT_TRUE(hallek.SetObeMode(false));
  EXPECT_TRUE(hallek.SetOtmMode(true));
  EXPECT_FALSE(hallek.SetOtmMode(false));
  EXPECT_EQ(Lines(Log()), "text OBE_ON\ntext OBE_OFF\ntext OTM_ON\ntext OTM_OFF\n");
  CString date;
  EXPECT_TRUE(hallek.ReadSerialDate(date));
  EXPECT_EQ(date, CString(u"2026-01-15"));

  TearDown();
  SetUp();
  Instrument(21).SetTextAnswer("OPM_ON", "ok");
  Connect();
  EXPECT_TRUE(Uci().SetOpmMode(true));
  EXPECT_FALSE(Uci().SetOpmMode(false));
  EXPECT_EQ(Lines(Log()), "text OPM_ON\ntext OPM_OFF\n");
}

TEST_F(LiveProbe, ModuleIdentityIsCheckedBeforeItIsWritten) {
  Instrument(20);
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  auto& probe = DeviceAs<Device::CHallekLiveDevice>();
  EXPECT_FALSE(probe.WriteModuleIdentity(u"BM20-0099", u"B2345"));
  EXPECT_EQ(CountPrefix("text WM"), 0) << Lines(Log());
  EXPECT_TRUE(probe.WriteModuleIdentity(u"BM20-0099", u"C1"));
  Device::SLiveProbeInfo info;
  probe.GetDeviceInfo(info);
  EXPECT_EQ(info.moduleSerial, CString(u"BM20-0099"));
  EXPECT_EQ(info.moduleHardware, CString(u"C1"));
}

TEST_F(LiveProbe, RawBytesFitTheCallersBuffer) {
  Instrument(21);
  Connect();
  // The device-code request, answered in one piece: the count 4 and the signature.
  const BYTE packet[] = {0xC0, 0xF1};
  BYTE reply[3] = {};
  EXPECT_EQ(Uci().SendRawBytes(packet, int(sizeof packet), reply, int(sizeof reply)), 3);
  EXPECT_EQ(reply[0], 4);
  EXPECT_EQ(reply[1], 0x02);
  EXPECT_EQ(reply[2], 0x01);
}

Device::CPackageHeader PackageWithModule(bool module) {
  Device::CPackageHeader header;
  Device::SContentEntry application;
  application.contentType = 1;
  header.m_contents.m_entries.push_back(application);
  Device::SContentEntry entry;
  entry.contentType = 12;
  if (module) header.m_contents.m_entries.push_back(entry);
  return header;
}

TEST_F(LiveProbe, LeebProbeModulePackageNeverErasesTheProbe) {
  Instrument(17);
  Connect();
  const Device::CPackageHeader header = PackageWithModule(true);
  const Device::SBlockRecord record;
  EXPECT_EQ(Device().UpdateInit(header), 0);
  EXPECT_EQ(Device().UpdateSetRunMode(header, record), 0);
  const std::vector<std::string> log = Log();
  EXPECT_EQ(Count("text BBS"), 1) << Lines(log);
  EXPECT_EQ(Count("text ORST"), 1) << Lines(log);
  EXPECT_EQ(Count("raw 01 38 00 00 C7 FF 17"), 1) << Lines(log);
  EXPECT_EQ(Count("service SE030000FC"), 0) << Lines(log);
  EXPECT_EQ(Count("frame C1 C9 01"), 1) << Lines(log);
}

TEST_F(LiveProbe, LeebProbePackageWithoutModuleGoesThroughTheBootLoader) {
  Instrument(17);
  Connect();
  const Device::CPackageHeader header = PackageWithModule(false);
  const Device::SBlockRecord record;
  EXPECT_EQ(Device().UpdateInit(header), 0);
  EXPECT_EQ(Device().UpdateSetRunMode(header, record), 0);
  const std::vector<std::string> log = Log();
  EXPECT_EQ(Count("text BBS"), 0) << Lines(log);
  EXPECT_EQ(Count("service SE030000FC"), 1) << Lines(log);
  EXPECT_EQ(log.back(), "service SX030000FC");
}

// Service records of 64 data bytes each.
std::string ModuleRecords(int count) {
  std::string text = "010000000000";
  for (int record = 0; record < count; ++record) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "\r\n:00%02X000040", record);
    text += prefix + std::string(128, char('A' + record)) + "00";
  }
  return text;
}

// Service records of 64 data bytes: two data packets of 32 bytes and the header packet each, every
// packet acknowledged with 7 bytes; a refused packet sends its record once more.
TEST_F(LiveProbe, ModuleDataGoesAsAcknowledgedServiceRecords) {
  const std::string text = ModuleRecords(3);
  const std::string path = WritePartFile("module-part", EntryWithHeader(text));
  Instrument(21).RefuseServicePacket(4);
  Connect();
  StreamIO::CFileStream package(CString::FromUtf8(path), StreamIO::OPEN_READ);
  ASSERT_TRUE(Device().AttachSecondStream(&package));
  EXPECT_EQ(Device().UpdateWriteData(PartRecord(16 + text.size(), 0x50)), 0);
  Device().DetachSecondStream();
  // The fourth packet, the second record's first, was refused: that record went twice.
  EXPECT_EQ(Lines(Log()), "service-record 00 00 00\nservice-record 00 00 01\nservice-record 00 00 02\n");
}

const std::string kProbeRecords = "S1130000000102030405060708090A0B0C0D0E0F64\r\nS9030000FC\r\n";
constexpr char kProbeRecordItems[] = "record S1130000000102030405060708090A0B0C0D0E0F64\nrecord S9030000FC\n";
constexpr char kModuleRecordItems[] = "service-record 00 00 00\n";

struct SProbePartCase {
  int type;
  BYTE kind;
  int statedLengthError;  // added to the true payload length in the data block header
  int result;
  std::string log;
};

// A payload length in the data block header that disagrees with the part makes the package
// unusable: nothing is sent. The Hallek Live verifies what it took.
const SProbePartCase kProbeParts[] = {
    {17, 0x40, 0, 0, kProbeRecordItems},
    {17, 0x40, 1, 1, ""},
    {17, 0x50, -1, 1, ""},
    {20, 0x40, 0, 0, std::string(kProbeRecordItems) + "service SV030000FC\n"},
    {20, 0x40, -1, 1, ""},
    {20, 0x50, 1, 1, ""},
    {21, 0x40, 1, 1, ""},
    {21, 0x50, 0, 0, kModuleRecordItems},
    {21, 0x50, -1, 1, ""},
};

TEST_F(LiveProbe, DataBlockHeaderMustStateThePayloadLength) {
  for (const SProbePartCase& c : kProbeParts) {
    SCOPED_TRACE(std::to_string(c.type) + " kind " + std::to_string(c.kind) + " length error " +
                 std::to_string(c.statedLengthError));
    const std::string content = c.kind == 0x40 ? kProbeRecords : ModuleRecords(1);
    const std::string path =
        WritePartFile("probe-part", EntryWithHeader(content, content.size() + size_t(c.statedLengthError)));
    // S-records go to the boot loader, which the update's initialization has started.
    Instrument(c.type).SetApplicationSilent(c.kind == 0x40);
    Connect();
    StreamIO::CFileStream package(CString::FromUtf8(path), StreamIO::OPEN_READ);
    ASSERT_TRUE(Device().AttachSecondStream(&package));
    EXPECT_EQ(Device().UpdateWriteData(PartRecord(16 + content.size(), c.kind)), c.result);
    Device().DetachSecondStream();
    EXPECT_EQ(Lines(Log()), c.log);
    TearDown();
    SetUp();
  }
}

// Only a part whose data went to the instrument is verified.
TEST_F(LiveProbe, HallekLivePassesOverAPartOfAnotherKindWithoutAWord) {
  const std::string path = WritePartFile("block-part", std::string(32, 'x'));
  Instrument(20);
  Connect();
  StreamIO::CFileStream package(CString::FromUtf8(path), StreamIO::OPEN_READ);
  ASSERT_TRUE(Device().AttachSecondStream(&package));
  EXPECT_EQ(Device().UpdateWriteData(PartRecord(32, 0x00)), 0);
  Device().DetachSecondStream();
  EXPECT_EQ(Lines(Log()), "");
}

}  // namespace
