#pragma once
// Count, minimum, mean and maximum of the values collected in one sampling period.

#include <vector>

struct SSampleStats {
  // No values give zeros. The mean is rounded to the nearest integer, halves away from zero.
  void Compute(const std::vector<unsigned>& values);

  int count = 0;
  int minimum = 0;
  int mean = 0;
  int maximum = 0;
};
