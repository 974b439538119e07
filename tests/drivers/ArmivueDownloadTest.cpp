#include <gtest/gtest.h>

#include "drivers/ArmiSmartDevice.h"
#include "tests/drivers/InstrumentFixture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using Sim::CInstrumentSimulator;
using TMeasSet = Device::CArmiSmartDevice::TMeasSet;
constexpr BYTE kRequest = 210;
constexpr BYTE kBinary = 18;
constexpr BYTE kText = 16;

// A stored object as the binary download carries it, with `readings` readings.
std::vector<BYTE> Record(BYTE objectNumber, BYTE readings) {
  std::vector<BYTE> record(Device::CArmiSmartDevice::kBinaryRecordSize, 0);
  record[0] = 1;
  const std::string name = "Armivue";
  std::copy(name.begin(), name.end(), record.begin() + 2);
  record[58] = 'M';
  record[61] = objectNumber;
  record[63] = readings;
  for (int i = 0; i < readings; ++i) {
    record[size_t(64 + i)] = BYTE(20 + i);
    record[size_t(163 + i)] = 16;
  }
  return record;
}

// Status 1, the count, the record size 262 and the records; `sent` of them really come.
std::vector<BYTE> BinaryReply(int announced, int sent) {
  std::vector<BYTE> data{1, BYTE(announced), BYTE(announced >> 8), 0x06, 0x01};
  for (int i = 0; i < sent; ++i) {
    const std::vector<BYTE> record = Record(BYTE(i + 1), BYTE(i + 2));
    data.insert(data.end(), record.begin(), record.end());
  }
  return CInstrumentSimulator::LongReply(data);
}

std::string DataFile(int objectNumber) {
  return "Armivue+ Data File Version          ;;;'1.0\r\n\r\nInstrument Data\r\n"
         "    Name                            ;;;Armivue\r\n"
         "    Serial Number                   ;;;AV03\r\n"
         "    Software Version                ;;;'1.0.0\r\n"
         "    Hardware Index                  ;;;A1\r\n"
         "    Signature                       ;;;'06000102\r\n\r\nSettings\r\n"
         "    Regional                        ;;;Metric\r\n"
         "    Data Storage Mode               ;;;Auto\r\n"
         "    Raw Default Bar Diameter [mm]   ;;;'16\r\n"
         "    Default Bar Diameter [mm]       ;;;'16\r\n"
         "    Neighboring Bar Correction [mm] ;;;'-\r\n\r\nComment\r\n    \"c\"\r\n\r\n\r\n\r\nData\r\n"
         "    Object Number                   ;;;" +
         std::to_string(objectNumber) +
         "\r\n"
         "    Object Name                     ;;;\"o\"\r\n"
         "    Date                            ;;;'15.1.2026  10:30:5\r\n"
         "    # of Measurements               ;;;1\r\n\r\n\r\n"
         "Number            ;Cover [mm]        ;Diameter [mm]     ;Raw Diameter [mm] \r\n"
         "------------------;------------------;------------------;------------------\r\n"
         " 1                ; 35               ;16                ;16\r\n";
}

std::vector<BYTE> TextReply(const std::string& text) {
  return CInstrumentSimulator::LongReply(std::vector<BYTE>(text.begin(), text.end()));
}

class ArmivueDownload : public InstrumentOnPseudoTerminal {
 protected:
  void SetUp() override {
    InstrumentOnPseudoTerminal::SetUp();
    // The binary download reads with time-outs of 1500 ms; a slower clock keeps them well
    // above the pseudo-terminal's delays on a busy machine.
    timeScale.Set(5);
    PinTimeZone("Europe/Berlin");
  }
  Device::CArmiSmartDevice& Armivue() { return DeviceAs<Device::CArmiSmartDevice>(); }
  int Baud() { return int(Device().GetSerialSettings()->baud); }
};

TEST_F(ArmivueDownload, BinaryRecordsBecomeObjects) {
  Instrument(3).SetFunctionReply(kRequest, kBinary, BinaryReply(2, 2));
  Connect();
  TMeasSet set;
  EXPECT_TRUE(Armivue().DownloadMeasurements(set, 19200, true));
  EXPECT_EQ(Lines(Log()), "frame C1 D2 12\n");
  ASSERT_EQ(set.objects.size(), 2u);
  EXPECT_EQ(set.version, CVersion(u"1.0"));
  EXPECT_EQ(set.objects[1].objectNumber, 2);
  EXPECT_EQ(set.objects[1].readings.size(), 3u);
  EXPECT_EQ(set.objects[1].name, CString(u"Armivue"));
}

TEST_F(ArmivueDownload, RecordsAnnouncedButNotSentAreFailures) {
  Instrument(3).SetFunctionReply(kRequest, kBinary, BinaryReply(3, 2));
  Connect();
  TMeasSet set;
  EXPECT_FALSE(Armivue().DownloadMeasurements(set, 19200, true));
  EXPECT_EQ(set.objects.size(), 2u);
}

TEST_F(ArmivueDownload, AnEmptyInstrumentIsASuccessWithoutObjects) {
  Instrument(3).SetFunctionReply(kRequest, kBinary, {243});
  Connect();
  TMeasSet set;
  set.objects.resize(1);
  EXPECT_TRUE(Armivue().DownloadMeasurements(set, 19200, true));
  EXPECT_TRUE(set.objects.empty());
}

TEST_F(ArmivueDownload, TextFilesBetweenTheirHeaderAndEnd) {
  Instrument(3).SetFunctionReply(kRequest, kText,
                                 TextReply("1;2;" + DataFile(4) + "<eof>\r\n" + DataFile(5) + "<eof>"));
  Connect();
  TMeasSet set;
  EXPECT_TRUE(Armivue().DownloadMeasurements(set, 19200, false));
  EXPECT_EQ(Lines(Log()), "frame C1 D2 10\n");
  ASSERT_EQ(set.objects.size(), 2u);
  EXPECT_EQ(set.objects[0].objectNumber, 4);
  EXPECT_EQ(set.objects[1].objectNumber, 5);
  EXPECT_EQ(set.objects[1].comment, CString(u"c"));
  EXPECT_EQ(set.objects[1].date, 1768469405);
}

TEST_F(ArmivueDownload, TextCountsAndMissingFiles) {
  const struct {
    std::string text;
    bool result;
    size_t objects;
  } cases[] = {
      {"1;0;" + DataFile(1) + "<eof>", false, 0},
      {"1;501;" + DataFile(1) + "<eof>", false, 0},
      // A count beyond any integer is no count, whatever its low bits say.
      {"1;4294967297;" + DataFile(1) + "<eof>", false, 0},
      {"2;1;" + DataFile(1) + "<eof>", false, 0},
      {"1;2;" + DataFile(1) + "<eof>", false, 1},
      // A file without its end is one failure; the file after it is still read.
      {"1;2;" + DataFile(1) + DataFile(2) + "<eof>", false, 1},
      {"1;1;" + DataFile(1), false, 0},
  };
  for (const auto& c : cases) {
    Instrument(3).SetFunctionReply(kRequest, kText, TextReply(c.text));
    Connect();
    TMeasSet set;
    EXPECT_EQ(Armivue().DownloadMeasurements(set, 19200, false), c.result) << c.text.substr(0, 14);
    EXPECT_EQ(set.objects.size(), c.objects) << c.text.substr(0, 14);
    TearDown();
    SetUp();
  }
}

TEST_F(ArmivueDownload, FasterRateForTheTransferThenBack) {
  CInstrumentSimulator& instrument = Instrument(3);
  instrument.SetTextAnswer("BR ?", "35");
  instrument.SetFunctionReply(kRequest, kText, TextReply("1;1;" + DataFile(1) + "<eof>"));
  Connect();
  TMeasSet set;
  EXPECT_TRUE(Armivue().DownloadMeasurements(set, 115200, false));
  EXPECT_EQ(Lines(Log()),
            "text BR ?\nraw 42 52 20 30 33 35 0D\ntext BR ?\nframe C1 D2 10\n"
            "text BR ?\nraw 42 52 20 32 30 38 0D\ntext BR ?\n");
  EXPECT_EQ(Baud(), 19200);
  EXPECT_EQ(set.objects.size(), 1u);
}

TEST_F(ArmivueDownload, RateSwitchNeedsTheInstrumentsAnswer) {
  Instrument(3);
  Connect();
  EXPECT_TRUE(Armivue().SetBaudRate(19200));
  EXPECT_FALSE(Armivue().SetBaudRate(0));
  EXPECT_TRUE(Log().empty()) << Lines(Log());
  EXPECT_FALSE(Armivue().SetBaudRate(115200));
  EXPECT_EQ(Lines(Log()), "text BR ?\n");
  EXPECT_EQ(Baud(), 19200);
}

}  // namespace
