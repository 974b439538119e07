#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "device/DecimalText.h"

namespace {

struct SDecimalCase {
  const char* text;
  bool read;
  int value;
  size_t end;
};

TEST(DecimalTextTest, ReadsAsPercentDWithinTheRangeOfAnInt) {
  const SDecimalCase cases[] = {
      {"42", true, 42, 2},
      {" \t\r\n42;x", true, 42, 6},
      {"+7 mV", true, 7, 2},
      {"-0012", true, -12, 5},
      {"2147483647", true, INT_MAX, 10},
      {"-2147483648", true, INT_MIN, 11},
      {"2147483648", false, -1, 0},
      {"-2147483649", false, -1, 0},
      {"99999999999999999999", false, -1, 0},
      {"4294967297", false, -1, 0},
      {"+-5", false, -1, 0},
      {"-+5", false, -1, 0},
      {"- 5", false, -1, 0},
      {"x5", false, -1, 0},
      {"", false, -1, 0},
      {"   ", false, -1, 0},
  };
  for (const SDecimalCase& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    int value = -1;
    size_t end = 0;
    EXPECT_EQ(Device::ReadDecimal(c.text, value, &end), c.read);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(end, c.end);
  }
}

}  // namespace
