#include "calibration/ForceText.h"

#include <cmath>

namespace {

constexpr int kNewtons = 0;
constexpr int kKilonewtons = 1;
constexpr int kPoundForce = 2;
constexpr double kKilonewtonsPerNewton = 0.001;
constexpr double kPoundForcePerNewton = 0.224809;

}  // namespace

CString FormatForce(int newtons, int loadUnit, bool withUnit) {
  CString text;
  switch (loadUnit) {
    case kNewtons:
      text.Format(u"%d%s", newtons, withUnit ? u" N" : u"");
      break;
    case kKilonewtons:
      text.Format(u"%.3lf%s", newtons * kKilonewtonsPerNewton, withUnit ? u" kN" : u"");
      break;
    case kPoundForce:
      // std::round rounds halves away from zero.
      text.Format(u"%d%s", int(std::round(newtons * kPoundForcePerNewton)), withUnit ? u" LBF" : u"");
      break;
    default:
      break;
  }
  return text;
}
