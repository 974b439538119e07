// Firmware-update jobs applied to the simulated ZD-2 through the ZD-2 class's update steps.

#include <algorithm>

#include "device/DeviceFactory.h"
#include "device/UpdateErrorCode.h"
#include "device/streamio/FileStream.h"
#include "device/streamio/IpStream.h"
#include "tests/device/search/DeviceThreadFixture.h"
#include "tests/device/search/PackageBytes.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

using Lines = std::vector<std::string>;

// The ZD-2 reports its whole signature as its device code.
constexpr DWORD kZd2DeviceCode = 0x0C000102;
constexpr BYTE kSRecordFormat = 0x40;
const char kRetry[] =
    "\r\nPlease restart the device and this Application and retry the Update.\r\nIn case the error persists, "
    "contact a Jovant service centre.";

// One content of `blocks.size()` blocks, each block one piece of S-record text.
Bytes Zd2Package(const std::vector<std::string>& blocks, DWORD deviceCode = kZd2DeviceCode) {
  Bytes bytes = PackageHead(1, 1);
  Append(bytes, PackageEntry(0x02, 1, 1, 1, 6, 3, "APP", 0, 0, WORD(blocks.size())));
  Append(bytes, PackageTrailer(DWORD(blocks.size()), deviceCode, 1));
  std::vector<Bytes> data;
  for (const std::string& text : blocks) data.push_back(SRecordBlock(text));
  for (const Bytes& block : data) Append(bytes, BlockRecord(DWORD(block.size()), 0x01, 0x01, kSRecordFormat));
  for (const Bytes& block : data) Append(bytes, block);
  return bytes;
}

class UpdateJobTest : public DeviceThreadTest {
 protected:
  // Each test its own address, so that tests run in parallel.
  void UseZd2At(const std::string& address) {
    m_address = address;
    StartZd2AtAddress(address);
  }

  // Queues an update of a ZD-2 attached to the simulator with the package and waits for the
  // job's final message.
  void RunUpdate(const Bytes& package, int type = Device::eJobUpdate,
                 std::unique_ptr<Device::CContents> choice = nullptr) {
    m_device = Device::CreateDevice(Device::eTypeVexalon);
    std::unique_ptr<StreamIO::CIoStream> link = std::make_unique<StreamIO::CIpStream>(
        CString::FromUtf8("IP:" + m_address + ":3728"), StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
    ASSERT_TRUE(m_device->Attach(link, Device::ePortIp));
    const std::string path = TestPath("update" + std::to_string(++m_packages) + ".pkg");
    ASSERT_TRUE(WriteFileBytes(path, package));
    m_results = std::make_unique<CRecordingCallback>();
    Device::SJobEntry job;
    job.type = type;
    job.callback = m_results.get();
    job.device = m_device.get();
    job.contents = std::move(choice);
    job.packageStream = std::make_unique<StreamIO::CFileStream>(CString::FromUtf8(path), StreamIO::OPEN_READ);
    ASSERT_TRUE(Device::AddDeviceJob(std::move(job)));
    ASSERT_TRUE(m_results->WaitForLineStartingWith("message: "));
  }

  Lines Reports() const { return m_results->Lines(); }
  bool Reported(const std::string& line) const {
    const Lines lines = Reports();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  std::string m_address;
  std::unique_ptr<Device::CJvDevice> m_device;
  std::unique_ptr<CRecordingCallback> m_results;
  int m_packages = 0;
};

TEST_F(UpdateJobTest, SmallPackageIsWrittenAsAcknowledgedSRecords) {
  UseZd2At("127.0.0.78");
  const std::vector<std::string> records = {"S00600004844521B\r\n", "S1070000AABBCCDD7A\r\n",
                                            "S9030000FC\r\n"};
  std::string text;
  for (const std::string& record : records) text += record;
  RunUpdate(Zd2Package({text}), Device::eJobUpdateFlagged);

  EXPECT_EQ(LastZd2().SRecords(), records);
  const Lines lines = Reports();
  EXPECT_EQ(lines.back(), "message: 0 ");
  for (const char* status :
       {"status: Perform some device checks.", "status: Do device specific initializations.",
        "status: Erase Memory", "status: Set the device into the appropriate operation mode.",
        "status: Transfer datablock to the device.", "status: Finished the device update successfully."})
    EXPECT_TRUE(Reported(status)) << status;
  // Statuses come in step order.
  const auto at = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  };
  EXPECT_LT(at("status: Perform some device checks."), at("status: Erase Memory"));
  EXPECT_LT(at("status: Erase Memory"), at("status: Transfer datablock to the device."));
  EXPECT_LT(at("status: Transfer datablock to the device."),
            at("status: Finished the device update successfully."));

  // The device is given back: it takes a new callback, and keeps the update flag of the job type.
  CRecordingCallback other;
  EXPECT_TRUE(m_device->SetCallback(&other));
  EXPECT_TRUE(m_device->GetUpdateFlag());
}

TEST_F(UpdateJobTest, FourBlocksReportProgressPerBlockWithStepSuffixes) {
  UseZd2At("127.0.0.79");
  RunUpdate(Zd2Package({"S1050000AA50\r\n", "S1050001BB3E\r\n", "S1050002CC2C\r\n", "S1050003DD1A\r\n"}));
  EXPECT_EQ(Reports().back(), "message: 0 ");
  EXPECT_EQ(LastZd2().SRecords().size(), 4u);
  const Lines progress = m_results->Lines("progress: ");
  Lines blockProgress;
  std::copy_if(progress.begin(), progress.end(), std::back_inserter(blockProgress),
               [](const std::string& line) {
                 return line == "progress: 25 1" || line == "progress: 50 1" || line == "progress: 75 1";
               });
  EXPECT_EQ(blockProgress, (Lines{"progress: 25 1", "progress: 50 1", "progress: 75 1"}));
  for (int block = 1; block <= 4; ++block)
    EXPECT_TRUE(Reported("status: Transfer datablock to the device. [" + std::to_string(block) + "/4]"))
        << block;
  EXPECT_FALSE(m_device->GetUpdateFlag());
}

TEST_F(UpdateJobTest, ContentsLeftOutOfTheChoiceAreSkipped) {
  UseZd2At("127.0.0.81");
  // Three contents of one block each; the choice leaves out the second.
  Bytes package = PackageHead(1, 3);
  for (WORD i = 0; i < 3; ++i) Append(package, PackageEntry(0x00, 1, WORD(i + 1), 1, 0, 0, "   ", 0, i, 1));
  Append(package, PackageTrailer(3, kZd2DeviceCode, 1));
  const std::vector<std::string> texts = {"S1050000AA50\r\n", "S1050001BB3E\r\n", "S1050002CC2C\r\n"};
  std::vector<Bytes> blocks;
  for (const std::string& text : texts) blocks.push_back(SRecordBlock(text));
  for (const Bytes& block : blocks)
    Append(package, BlockRecord(DWORD(block.size()), 0x01, 0x01, kSRecordFormat));
  for (const Bytes& block : blocks) Append(package, block);

  auto choice = std::make_unique<Device::CContents>();
  for (BYTE flags : {0x00, 0x80, 0x00}) {
    Device::SContentEntry entry;
    entry.flags = flags;
    entry.firstBlock = WORD(choice->m_entries.size());
    entry.blockCount = 1;
    choice->m_entries.push_back(entry);
  }
  RunUpdate(package, Device::eJobUpdate, std::move(choice));
  EXPECT_EQ(Reports().back(), "message: 0 ");
  EXPECT_EQ(LastZd2().SRecords(), (std::vector<std::string>{texts[0], texts[2]}));
  EXPECT_TRUE(Reported("status: Transfer datablock to the device. [1/3]"));
  EXPECT_FALSE(Reported("status: Transfer datablock to the device. [2/3]"));
  EXPECT_TRUE(Reported("status: Transfer datablock to the device. [3/3]"));
}

TEST_F(UpdateJobTest, FailuresEndWithTheirCodeAndUserText) {
  UseZd2At("127.0.0.80");
  const std::string records = "S1050000AA50\r\nS1050001BB3E\r\n";
  Bytes tooManyBlocks = Zd2Package({records});
  tooManyBlocks[16 + 18] = 0xFF;  // trailer block count 0x7FFFFFFF, far beyond the package
  tooManyBlocks[16 + 18 + 1] = 0xFF;
  tooManyBlocks[16 + 18 + 2] = 0xFF;
  tooManyBlocks[16 + 18 + 3] = 0x7F;
  Bytes unknownCheck = Zd2Package({records});
  unknownCheck[16 + 18 + 16] = 3;

  const struct {
    const char* what;
    Bytes package;
    int refusedRecord;
    std::string message;
  } cases[] = {
      {"other device code", Zd2Package({records}, 0x0D000102), 0,
       "message: 8 The update packet does not match the device type."},
      {"record not acknowledged", Zd2Package({records}), 2,
       std::string("message: 3 An error occurred during data upload process.") + kRetry},
      {"block count beyond the package", tooManyBlocks, 0, "message: 7 An error occurred during file read."},
      {"unknown check kind", unknownCheck, 0, "message: 7 An error occurred during file read."},
  };
  for (const auto& c : cases) {
    LastZd2().SetSRecordRefusal(c.refusedRecord);
    RunUpdate(c.package);
    EXPECT_EQ(m_results->Lines("message: "), (Lines{c.message})) << c.what;
    m_device.reset();
  }
}

TEST_F(UpdateJobTest, UpdateJobDroppedByAnAbortPutsItsDeviceBackIntoItsNormalMode) {
  Sim::CPeer& stalled = StartZd2AtAddress("127.0.0.84");
  stalled.InjectFault(Sim::SFault::Stall(0, 600000));
  Sim::CPeer& target = StartZd2AtAddress("127.0.0.85");
  const Device::SSearchRequest search = IpRequest("127.0.0.84");
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &search));

  m_device = Device::CreateDevice(Device::eTypeVexalon);
  std::unique_ptr<StreamIO::CIoStream> link = std::make_unique<StreamIO::CIpStream>(
      u"IP:127.0.0.85:3728", StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
  ASSERT_TRUE(m_device->Attach(link, Device::ePortIp));
  const std::string path = TestPath("dropped.pkg");
  ASSERT_TRUE(WriteFileBytes(path, Zd2Package({"S1050000AA50\r\n"})));
  CRecordingCallback updateReports;
  Device::SJobEntry update;
  update.type = Device::eJobUpdate;
  update.callback = &updateReports;
  update.device = m_device.get();
  update.packageStream =
      std::make_unique<StreamIO::CFileStream>(CString::FromUtf8(path), StreamIO::OPEN_READ);
  ASSERT_TRUE(Device::AddDeviceJob(std::move(update)));

  ASSERT_TRUE(stalled.WaitForTranscript(1, 60000));
  Device::AbortDeviceThread(600000);
  EXPECT_TRUE(updateReports.Lines().empty());
  EXPECT_FALSE(target.Transcript().empty()) << "the dropped job's device was not told to leave its update";
}

TEST_F(UpdateJobTest, ResultCodesHaveTheirUserTexts) {
  auto device = Device::CreateDevice(Device::eTypeVexalon);
  const struct {
    int code;
    std::string text;
  } cases[] = {
      {Device::eUpdateOk, ""},
      {Device::eUpdateNotAttached, std::string("An error (1) occurred during the device Update.") + kRetry},
      {Device::eUpdateBlock128, std::string("An error (2) occurred during the device Update.") + kRetry},
      {Device::eUpdateCommunication,
       std::string("A communication error occurred during the device Update.") + kRetry},
      {Device::eUpdateFileRead, "An error occurred during file read."},
      {Device::eUpdateAborted, "The process was aborted by the user."},
      {Device::eUpdateOsVersion, "The update packet needs another OS Version than the one in your device."},
      {12, std::string("An error (12) occurred during the device Update.") + kRetry},
  };
  for (const auto& c : cases) EXPECT_EQ(device->GetUpdateErrorText(c.code).ToUtf8(), c.text) << c.code;
}

}  // namespace
