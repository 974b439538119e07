#include <gtest/gtest.h>

#include "platform/base/MulDiv.h"

namespace {

TEST(MulDivTest, RoundsHalfAwayFromZeroAndFailsWithMinusOne) {
  struct Case {
    int number, numerator, denominator, result;
  } cases[] = {
      {300, 1100, 850, 388},       // 388.235...
      {17, 1, 2, 9},               // 8.5 rounds up
      {-17, 1, 2, -9},             // -8.5 rounds away from zero
      {10, 3, -4, -8},             // -7.5
      {7, 7, 0, -1},               // no denominator
      {2000000000, 2, 1, -1},      // beyond an int
      {2000000000, 3, 3, 2000000000},  // the product alone may exceed an int
  };
  for (const Case& c : cases)
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.result)
        << c.number << " * " << c.numerator << " / " << c.denominator;
}

}  // namespace
