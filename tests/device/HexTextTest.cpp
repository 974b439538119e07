#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "device/HexText.h"

namespace {

struct SHexCase {
  const char* text;
  int outSize;
  int result;
  std::vector<BYTE> bytes;
};

TEST(HexTextTest, HexToBytes) {
  const SHexCase cases[] = {
      {"ABC", 2, 2, {0x0A, 0xBC}}, {"0a1B", 2, 2, {0x0A, 0x1B}},
      {"F", 1, 1, {0x0F}},         {"", 0, 0, {}},
      {"1G", 4, -1, {}},           {"G1", 4, -1, {}},
      {"ABC", 1, -1, {}},          {" 1", 4, -1, {}},
      {"+1", 4, -1, {}},           {"0x", 4, -1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    BYTE out[4] = {};
    const int count = int(std::strlen(c.text));
    ASSERT_EQ(Device::HexToBytes(c.text, count, out, c.outSize), c.result);
    if (c.result > 0) {
      EXPECT_EQ(std::vector<BYTE>(out, out + c.result), c.bytes);
    }
  }
}

TEST(HexTextTest, WideTextAndCountShorterThanTheText) {
  BYTE out[2] = {};
  EXPECT_EQ(Device::HexToBytes(u"fE01zz", 4, out, 2), 2);
  EXPECT_EQ(out[0], 0xFE);
  EXPECT_EQ(out[1], 0x01);
  EXPECT_EQ(Device::HexToBytes(u"\u0661\u0662", 2, out, 2), -1) << "only ASCII digits are hexadecimal";
}

TEST(HexTextTest, IsDigitsOnly) {
  EXPECT_TRUE(IsDigitsOnly(u""));
  EXPECT_TRUE(IsDigitsOnly(nullptr));
  EXPECT_TRUE(IsDigitsOnly(u"0123456789"));
  EXPECT_FALSE(IsDigitsOnly(u"12a"));
  EXPECT_FALSE(IsDigitsOnly(u"-1"));
  EXPECT_FALSE(IsDigitsOnly(u" 1"));
  EXPECT_FALSE(IsDigitsOnly(u"\u0661"));
}

}  // namespace
