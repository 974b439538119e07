#pragma once
// One row of a calibration certificate: a step percentage and seven values.

class CCertfData {
 public:
  static constexpr int kValueCount = 7;

  int stepPercent = 0;
  double values[kValueCount] = {};
};
