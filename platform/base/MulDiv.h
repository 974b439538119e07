#pragma once
// MulDiv: number × numerator ÷ denominator through a 64-bit product, rounded half away from
// zero as the platform's did; -1 when the denominator is 0 or the result does not fit an int.

#include <climits>
#include <cstdlib>

inline int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(number) * numerator;
  long long quotient = product / denominator;
  const long long remainder = product % denominator;
  if (2 * std::llabs(remainder) >= std::llabs(static_cast<long long>(denominator)))
    quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
  if (quotient > INT_MAX || quotient < INT_MIN) return -1;
  return static_cast<int>(quotient);
}
