#include "calibration/SampleStats.h"

#include <algorithm>
#include <cmath>

void SSampleStats::Compute(const std::vector<unsigned>& values) {
  count = int(values.size());
  minimum = mean = maximum = 0;
  if (values.empty()) return;
  int smallest = 99999999;
  int largest = 0;
  int sum = 0;
  for (unsigned value : values) {
    smallest = std::min(smallest, int(value));
    largest = std::max(largest, int(value));
    sum += int(value);
  }
  minimum = smallest;
  maximum = largest;
  mean = int(std::lround(double(sum) / count));
}
