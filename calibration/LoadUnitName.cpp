#include "calibration/LoadUnitName.h"

CString LoadUnitName(int loadUnit) {
  switch (loadUnit) {
    case 0:
      return u"N";
    case 1:
      return u"kN";
    case 2:
      return u"LBF";
    default:
      return CString();
  }
}
