#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/drivers/InstrumentFixture.h"

namespace {

using HumiloReadings = InstrumentOnPseudoTerminal;

struct SReadingsCase {
  std::vector<std::string> readings;
  bool identified;
};

const SReadingsCase kReadings[] = {
    {{"12.5", "13.0", "12.8", "12.9"}, true},
    {{"-1", "99999", "0", "5"}, true},
    {{"100000"}, false},              // never counts
    {{"12.5", "wet", "13.0"}, true},  // letters are passed over
    {{"12.5", ""}, false},            // an empty line ends at once
    {{"12.5", "100000", "-1.5"}, false},
};

TEST_F(HumiloReadings, FourPlausibleReadingsWithinFiftyBytesIdentify) {
  for (const SReadingsCase& reading : kReadings) {
    SCOPED_TRACE(reading.readings.size());
    Instrument(22).SetReadings(reading.readings);
    Connect();
    SDeviceIdent ident;
    EXPECT_EQ(Device().Identify(ident), reading.identified);
    EXPECT_TRUE(ident.deviceName.IsEmpty());
    EXPECT_EQ(Device().GetInfoText(), CString(u"Device type:\t\r\nSerial number:\t\r\nFirmware "
                                              u"Version:\t\r\nHardware revision:\t\r\nSignature:\t"));
    TearDown();
    SetUp();
  }
}

TEST_F(HumiloReadings, LongLinesUseUpTheFiftyBytes) {
  Instrument(22).SetReadings({"12.5000000000", "13.0000000000", "12.8000000000", "12.9000000000"});
  Connect();
  SDeviceIdent ident;
  EXPECT_FALSE(Device().Identify(ident));
}

}  // namespace
