#include <gtest/gtest.h>

#include "drivers/Durimo3SeDevice.h"
#include "tests/drivers/InstrumentFixture.h"

namespace {

// 220.00, 10.000, 12.000, 16000, (32000 with 32000), 48000 paired with 96000, 160000, 0.06:
// each word by hand from its conversion, low byte first.
const std::vector<BYTE> kBlock = {0xF0, 0x55, 0x10, 0x27, 0xE0, 0x2E, 0xE8, 0x03, 0xD0, 0x07,
                                  0xE8, 0x03, 0xB8, 0x0B, 0xD0, 0x07, 0x10, 0x27, 0x70, 0x17};

Device::SDurimo3Parameters Values() {
  Device::SDurimo3Parameters values;
  values.value1 = 220.0f;
  values.value2 = 10.0f;
  values.value3 = 12.0f;
  values.value4 = 16000;
  values.value5 = 32000;
  values.value6 = 32000;
  values.value7 = 48000;
  values.value8 = 96000;
  values.value9 = 160000;
  values.value10 = 0.06f;
  return values;
}

class Durimo3Parameters : public InstrumentOnPseudoTerminal {
 protected:
  Device::CDurimo3SeDevice& Durimo() { return DeviceAs<Device::CDurimo3SeDevice>(); }
};

TEST_F(Durimo3Parameters, ReadSwitchesOnWaitsForTheInstrumentAndSwitchesOff) {
  Instrument(0).SetParameterBlock(kBlock);
  m_instrument->SetReadyAfterPolls(2);
  Connect();
  Device::SDurimo3Parameters values;
  ASSERT_TRUE(Durimo().ReadParameterBlock(values));
  EXPECT_EQ(Lines(Log()),
            "frame C4 E0 0B F4 01 00\nframe C4 E0 0B F0 01 00\ntext PNAM?\ntext PNAM?\n"
            "frame C4 E0 0B 09 01 00\nframe C4 F3 0A F0 00 14\n"
            "frame C4 E0 0B 09 00 00\nframe C4 E0 0B F0 00 00\nframe C4 E0 0B F4 00 00\n");
  const Device::SDurimo3Parameters expected = Values();
  EXPECT_FLOAT_EQ(values.value1, expected.value1);
  EXPECT_FLOAT_EQ(values.value2, expected.value2);
  EXPECT_FLOAT_EQ(values.value3, expected.value3);
  EXPECT_FLOAT_EQ(values.value10, expected.value10);
  EXPECT_EQ(values.value4, expected.value4);
  EXPECT_EQ(values.value5, expected.value5);
  EXPECT_EQ(values.value6, expected.value6);
  EXPECT_EQ(values.value7, expected.value7);
  EXPECT_EQ(values.value8, expected.value8);
  EXPECT_EQ(values.value9, expected.value9);
}

TEST_F(Durimo3Parameters, APairWhoseFirstResistanceIsNotAboveTheSecondReadsTwo) {
  std::vector<BYTE> block = kBlock;
  // The parallel word equals value 6's word.
  block[10] = 0xD0;
  block[11] = 0x07;
  Instrument(0).SetParameterBlock(block);
  Connect();
  Device::SDurimo3Parameters values;
  ASSERT_TRUE(Durimo().ReadParameterBlock(values));
  EXPECT_EQ(values.value5, 2u);
  EXPECT_EQ(values.value8, 96000u);
}

// Six unanswered polls end either operation with nothing switched off.
TEST_F(Durimo3Parameters, AnInstrumentThatNeverGetsReadyIsLeftAsItIs) {
  Instrument(0).SetReadyAfterPolls(100);
  Connect();
  Device::SDurimo3Parameters values;
  EXPECT_FALSE(Durimo().ReadParameterBlock(values));
  EXPECT_FALSE(Durimo().WriteParameterBlock(Values()));
  const std::string operation =
      "frame C4 E0 0B F4 01 00\nframe C4 E0 0B F0 01 00\n"
      "text PNAM?\ntext PNAM?\ntext PNAM?\ntext PNAM?\ntext PNAM?\ntext PNAM?\n";
  EXPECT_EQ(Lines(Log()), operation + operation);
}

TEST_F(Durimo3Parameters, WriteSendsTheBlockAndCommitsIt) {
  Instrument(0);
  Connect();
  ASSERT_TRUE(Durimo().WriteParameterBlock(Values()));
  EXPECT_EQ(Lines(Log()),
            "frame C4 E0 0B F4 01 00\nframe C4 E0 0B F0 01 00\ntext PNAM?\nframe C4 E0 0B 09 01 00\n"
            "frame D8 F3 12 F0 00 14 F0 55 10 27 E0 2E E8 03 D0 07 E8 03 B8 0B D0 07 10 27 70 17\n"
            "frame C2 F3 1A F0\n"
            "frame C4 E0 0B 09 00 00\nframe C4 E0 0B F0 00 00\nframe C4 E0 0B F4 00 00\n");
  EXPECT_EQ(m_instrument->ParameterBlock(), kBlock);
}

TEST_F(Durimo3Parameters, WriteOfAZeroPairSendsZeroWords) {
  Instrument(0);
  Connect();
  Device::SDurimo3Parameters values = Values();
  values.value5 = 0;
  values.value6 = 0;
  ASSERT_TRUE(Durimo().WriteParameterBlock(values));
  const std::vector<BYTE> block = m_instrument->ParameterBlock();
  ASSERT_EQ(block.size(), 20u);
  EXPECT_EQ(std::vector<BYTE>(block.begin() + 8, block.begin() + 12), std::vector<BYTE>({0, 0, 0, 0}));
}

struct SRangeCase {
  const char* name;
  void (*change)(Device::SDurimo3Parameters&);
};

const SRangeCase kOutOfRange[] = {
    {"value 1 below 210", [](Device::SDurimo3Parameters& v) { v.value1 = 209.99f; }},
    {"value 1 above 230", [](Device::SDurimo3Parameters& v) { v.value1 = 230.01f; }},
    {"value 10 above 0.08", [](Device::SDurimo3Parameters& v) { v.value10 = 0.081f; }},
    {"value 3 too close to value 2", [](Device::SDurimo3Parameters& v) { v.value3 = 10.7f; }},
    {"value 4 below 9800", [](Device::SDurimo3Parameters& v) { v.value4 = 9000; }},
    {"value 9 above 500000", [](Device::SDurimo3Parameters& v) { v.value9 = 600000; }},
};

TEST_F(Durimo3Parameters, AValueOutOfRangeSendsNothing) {
  Instrument(0);
  Connect();
  for (const SRangeCase& range : kOutOfRange) {
    SCOPED_TRACE(range.name);
    Device::SDurimo3Parameters values = Values();
    range.change(values);
    EXPECT_FALSE(Durimo().WriteParameterBlock(values));
  }
  Device::SDurimo3Parameters values = Values();
  values.value4 = 0;
  values.value3 = 10.8f;
  EXPECT_TRUE(Durimo().WriteParameterBlock(values));
  EXPECT_EQ(Log().front(), "frame C4 E0 0B F4 01 00");
  EXPECT_EQ(Log().size(), 9u) << Lines(Log());
}

}  // namespace
