#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/Callback.h"
#include "device/DeviceAbort.h"
#include "device/DeviceThread.h"
#include "device/JobEntry.h"
#include "device/PackageHeader.h"
#include "device/streamio/FileStream.h"
#include "drivers/OhmiraDevice.h"
#include "tests/device/StepLog.h"
#include "tests/device/search/PackageBytes.h"
#include "tests/drivers/InstrumentFixture.h"

namespace {

// The statuses and the final result of an update job.
class CUpdateReports : public Device::CCallback {
 public:
  void OnDeviceFound(Device::CJvDevice*) override {}
  void OnStatusText(const CString& text) override { statuses.push_back(text.ToUtf8()); }
  void OnMessage(const CString&, int code) override { result = code; }
  void OnProgress(int, int, int) override {}

  std::vector<std::string> statuses;
  int result = -1;
};

const std::string kRecords =
    "S1130000000102030405060708090A0B0C0D0E0F64\r\n"
    "S1130010101112131415161718191A1B1C1D1E1F54\r\n"
    "S9030000FC\r\n";

// A part of S-record data: its 16-byte header (length `headerLength`, payload length) and
// the records.
Bytes SRecordPart(const std::string& records, WORD headerLength = 16) {
  Bytes part(4, 0);
  Put16(part, headerLength);
  Put16(part, 0);
  Put32(part, 0);
  Put32(part, DWORD(records.size()));
  Append(part, Bytes(records.begin(), records.end()));
  return part;
}

// A package of one part for the device code: its mode byte, mode after, data kind and the
// boot-loader state it needs.
Bytes OnePartPackage(DWORD deviceCode, const Bytes& data, BYTE mode, BYTE modeAfter, BYTE kind, BYTE state) {
  Bytes package = PackageHead(1, 1);
  Append(package, PackageEntry(0, 1, 1, 1, 2, 0, "   ", 0, 0, 1));
  Append(package, PackageTrailer(1, deviceCode, 1));
  Bytes record = BlockRecord(DWORD(data.size()), mode, modeAfter, kind);
  record[13] = state;
  Append(package, record);
  Append(package, data);
  return package;
}

class DriverUpdate : public InstrumentOnPseudoTerminal {
 protected:
  void SetUp() override {
    InstrumentOnPseudoTerminal::SetUp();
    Device::SetDeviceThreadAborted(false);
  }
  // Runs the update job on this thread and answers its result.
  int Update(const Bytes& package) {
    const std::string path = ::testing::TempDir() + "driver-update-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pkg";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(package.data()), std::streamsize(package.size()));
    auto stream = std::make_unique<StreamIO::CFileStream>(CString::FromUtf8(path), StreamIO::OPEN_READ);
    Device::SJobEntry job;
    job.type = Device::eJobUpdate;
    job.callback = &m_reports;
    job.device = &Device();
    job.packageStream = std::move(stream);
    Device::RunDeviceUpdate(job);
    return m_reports.result;
  }
  std::vector<std::string> Expected(const std::vector<std::string>& head, int burst,
                                    const std::vector<std::string>& tail) {
    std::vector<std::string> items = head;
    for (int i = 0; i < burst; ++i) items.push_back("service SC030000FC");
    items.insert(items.end(), tail.begin(), tail.end());
    return items;
  }

  CUpdateReports m_reports;
};

const std::vector<std::string> kRecordItems = {
    "record S1130000000102030405060708090A0B0C0D0E0F64",
    "record S1130010101112131415161718191A1B1C1D1E1F54",
    "record S9030000FC",
};

TEST_F(DriverUpdate, TestBoxSwitchesErasesProgramsAndLeaves) {
  Instrument(13);
  Connect();
  ASSERT_EQ(Update(OnePartPackage(0x10000102, SRecordPart(kRecords), 0, 0, 0x40, 2)), 0);
  std::vector<std::string> expected =
      Expected({"text @ID@", "frame C0 CE"}, 15, {"service SC030202F8", "service SE030000FC"});
  expected.insert(expected.end(), kRecordItems.begin(), kRecordItems.end());
  expected.push_back("service SX030000FC");
  EXPECT_EQ(Lines(LogOf(expected.size())), Lines(expected));
  EXPECT_EQ(m_reports.statuses.back(), "Finished the device update successfully.");
}

TEST_F(DriverUpdate, TestBoxAlreadyInTheBootLoaderStartsAtTheErase) {
  Instrument(13).SetApplicationSilent(true);
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  m_instrument->ClearLog();
  ASSERT_EQ(Update(OnePartPackage(0x10000102, SRecordPart(kRecords), 0, 0, 0x40, 2)), 0);
  std::vector<std::string> log = LogOf(4 + 2 + kRecordItems.size() + 1);
  // The device check identifies through the boot loader first.
  ASSERT_GE(log.size(), 6u) << Lines(log);
  EXPECT_EQ(Lines({log.begin(), log.begin() + 6}),
            "raw 10\nservice SC030202F8\nservice SI030000FC\nservice SC030200FA\nservice SC030202F8\n"
            "service SE030000FC\n");
  EXPECT_EQ(log.back(), "service SX030000FC");
}

struct SRefusalCase {
  int type;
  const char* refused;
};

// The whole signatures the simulated instruments report, which their packages must carry.
const std::map<int, DWORD> kSignatures = {
    {6, 0x09000102}, {7, 0x0A000102}, {8, 0x0B000102}, {13, 0x10000102}};

// A refused erase, and a refused exit after all records were taken, are communication errors.
const SRefusalCase kRefusals[] = {
    {6, "SE030000FC"}, {8, "SE030000FC"}, {13, "SX030000FC"}, {7, "SX030000FC"}};

TEST_F(DriverUpdate, RefusedEraseOrExitIsACommunicationError) {
  for (const SRefusalCase& refusal : kRefusals) {
    SCOPED_TRACE(std::to_string(refusal.type) + " " + refusal.refused);
    Instrument(refusal.type).RefuseServiceString(refusal.refused);
    Connect();
    EXPECT_EQ(Update(OnePartPackage(kSignatures.at(refusal.type), SRecordPart(kRecords), 0, 0, 0x40, 2)), 6);
    TearDown();
    SetUp();
  }
}

// The boot loaders' erase reports its progress whether or not the callback asked for progress:
// the update job asks only after the initialization.
TEST_F(DriverUpdate, EraseReportsItsProgressUnasked) {
  const std::map<int, std::vector<int>> erases = {
      {3, {1, 501, 1001}}, {6, {1, 1001}}, {7, {1, 1001}}, {8, {1, 1001}}, {13, {1, 1001}}};
  for (const auto& [type, progress] : erases) {
    SCOPED_TRACE(type);
    Instrument(type);
    Connect();
    CStepLog steps;
    ASSERT_FALSE(steps.m_bProgressWanted);
    ASSERT_TRUE(Device().SetCallback(&steps));
    EXPECT_EQ(Device().UpdateInit(Device::CPackageHeader()), 0) << Lines(Log());
    Device().DetachCallback();
    EXPECT_EQ(steps.progress, progress);
    TearDown();
    SetUp();
  }
}

TEST_F(DriverUpdate, OhmiraSwitchesWithItsOwnRequestAndLeavesThroughItsCommand) {
  Instrument(7);
  Connect();
  ASSERT_EQ(Update(OnePartPackage(0x0A000102, SRecordPart(kRecords), 0, 0, 0x40, 0)), 0);
  std::vector<std::string> expected =
      Expected({"text @ID@", "frame C1 D2 01"}, 5, {"service SC030102F9", "service SE030000FC"});
  expected.insert(expected.end(), kRecordItems.begin(), kRecordItems.end());
  expected.insert(expected.end(), {"service SC030102F9", "service SX030000FC"});
  EXPECT_EQ(Lines(LogOf(expected.size())), Lines(expected));
  EXPECT_EQ(DeviceAs<Device::COhmiraDevice>().GetMode(), 8);
}

TEST_F(DriverUpdate, PackageOfAnotherSignatureIsTheWrongDevice) {
  Instrument(7);
  Connect();
  EXPECT_EQ(Update(OnePartPackage(0x0A, SRecordPart(kRecords), 0, 0, 0x40, 0)), 8);
}

TEST_F(DriverUpdate, DataBlockHeaderOfEightBytesStopsBeforeAnyRecord) {
  Instrument(7);
  Connect();
  EXPECT_EQ(Update(OnePartPackage(0x0A000102, SRecordPart(kRecords, 8), 0, 0, 0x40, 0)), 1);
  for (const std::string& item : Log()) EXPECT_NE(item.rfind("record", 0), 0u) << item;
}

TEST_F(DriverUpdate, RefusedRecordLeavesTheUpdateIncomplete) {
  Instrument(13).RefuseSRecord(2);
  Connect();
  EXPECT_EQ(Update(OnePartPackage(0x10000102, SRecordPart(kRecords), 0, 0, 0x40, 2)), 3);
}

TEST_F(DriverUpdate, HumiloTakesNoUpdate) {
  Instrument(22);
  Connect();
  EXPECT_EQ(Update(OnePartPackage(0, SRecordPart(kRecords), 0, 0, 0x40, 0)), 1);
}

TEST_F(DriverUpdate, ReboundHammerSwitchesBackAndWritesTheKeyBlock) {
  Instrument(2);
  Connect();
  // Written in mode 8 with nothing to transfer; afterwards mode 2 with the key block.
  ASSERT_EQ(Update(OnePartPackage(0x05000102, Bytes(), 0x08, 0x03, 0x00, 0)), 0);
  const std::vector<std::string> log = LogOf(8);
  ASSERT_GE(log.size(), 2u) << Lines(log);
  EXPECT_EQ(log.back().substr(0, 18), "block128 C1 F8 00 ");
  // 128 bytes of 0x5A and their CRC-16.
  EXPECT_EQ(log.back().size(), std::string("block128 C1 F8 00").size() + 130 * 3) << log.back();
  EXPECT_EQ(log[log.size() - 2], "frame C2 F4 01 03");
}

}  // namespace
