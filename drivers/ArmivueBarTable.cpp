#include "drivers/ArmivueBarTable.h"

#include "drivers/ArmivueMeasurement.h"

namespace Device {
namespace {

// Indexed by the raw diameter in millimetres, 0 to 60.
constexpr BYTE kMetric[61] = {0,  5,  5,  5,  5,  5,  6,  7,  8,  9,  10, 11, 12, 12, 14, 14,
                              16, 16, 18, 18, 20, 20, 22, 22, 25, 25, 25, 28, 28, 28, 28, 32,
                              32, 32, 32, 36, 36, 36, 36, 40, 40, 40, 40, 44, 44, 44, 44, 44,
                              50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50};
constexpr BYTE kAstm[61] = {0,  2,  2,  2,  2,  2,  2,  2,  2,  3,  3,  3,  4,  4,  4,  5,
                            5,  5,  6,  6,  6,  7,  7,  7,  8,  8,  8,  8,  9,  9,  9,  10,
                            10, 10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 14, 15,
                            15, 15, 16, 16, 16, 16, 16, 18, 18, 18, 18, 18, 18};
constexpr BYTE kJapanese[61] = {0,  6,  6,  6,  6,  6,  6,  6,  9,  9,  10, 10, 13, 13, 13, 16,
                                16, 16, 19, 19, 19, 22, 22, 22, 25, 25, 25, 25, 29, 29, 29, 32,
                                32, 32, 35, 35, 35, 38, 38, 38, 41, 41, 41, 44, 44, 44, 44, 48,
                                48, 48, 51, 51, 51, 51, 51, 57, 57, 57, 57, 57, 57};

}  // namespace

bool CArmivueBarTable::IsAstm(BYTE regional) {
  return regional == SArmivueMeasurement::kAstmInch || regional == SArmivueMeasurement::kAstmMm;
}

int CArmivueBarTable::Diameter(BYTE regional, int rawDiameter) {
  const int index = rawDiameter < 0 || rawDiameter > kLargestRaw ? 0 : rawDiameter;
  if (IsAstm(regional)) return kAstm[index];
  if (regional == SArmivueMeasurement::kJapanese) return kJapanese[index];
  return kMetric[index];
}

}  // namespace Device
