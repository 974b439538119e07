#pragma once
// The displayed bar diameter of an Armivue reading, looked up from its raw diameter in the
// table of the unit system (the ASTM systems show the bar number).

#include "platform/base/WinTypes.h"

namespace Device {

class CArmivueBarTable {
 public:
  static constexpr int kLargestRaw = 60;

  // Raw diameters above 60 mm count as 0.
  static int Diameter(BYTE regional, int rawDiameter);
  static bool IsAstm(BYTE regional);
};

}  // namespace Device
