#include <gtest/gtest.h>

#include <array>

#include "device/Crc.h"

namespace {

const BYTE kCheck[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};

TEST(CrcTest, StandardCheckValues) {
  EXPECT_EQ(Device::Crc8(kCheck, 9, 0), 0xA1);
  EXPECT_EQ(Device::Crc16(kCheck, 9, 0), 0xBB3D);
  EXPECT_EQ(Device::Crc32(kCheck, 9, 0xFFFFFFFF) ^ 0xFFFFFFFFu, 0xCBF43926u);
}

TEST(CrcTest, RunningInPiecesGivesTheSameRegister) {
  EXPECT_EQ(Device::Crc16(kCheck + 4, 5, Device::Crc16(kCheck, 4, 0)), 0xBB3D);
  EXPECT_EQ(Device::Crc32(kCheck + 1, 8, Device::Crc32(kCheck, 1, 0xFFFFFFFF)) ^ 0xFFFFFFFFu, 0xCBF43926u);
  EXPECT_EQ(Device::Crc8(kCheck + 3, 6, Device::Crc8(kCheck, 3, 0)), 0xA1);
}

TEST(CrcTest, NoDataGivesZeroWhateverTheInitialValue) {
  EXPECT_EQ(Device::Crc8(kCheck, 0, 0x5A), 0);
  EXPECT_EQ(Device::Crc16(kCheck, 0, 0x1234), 0);
  EXPECT_EQ(Device::Crc16(nullptr, 9, 0x1234), 0);
  EXPECT_EQ(Device::Crc32(nullptr, 0, 0xFFFFFFFF), 0u);
}

// With a table of zeros only the shift of the register is left, which shows the table given
// is the one used.
TEST(CrcTest, GivenTableIsUsed) {
  const std::array<BYTE, 256> zeros8{};
  const std::array<WORD, 256> zeros16{};
  const std::array<DWORD, 256> zeros32{};
  const BYTE one[] = {0x31};
  EXPECT_EQ(Device::Crc8(one, 1, 0x5A, zeros8.data()), 0);
  EXPECT_EQ(Device::Crc16(one, 1, 0x1234, zeros16.data()), 0x0012);
  EXPECT_EQ(Device::Crc32(one, 1, 0x12345678, zeros32.data()), 0x00123456u);
}

}  // namespace
