#include "calibration/LiveSample.h"

#include "device/Version.h"

namespace {

// From this version on the second word carries the current or the counter (bit 11 tells
// which) in 11 bits; from 1.3.3 on it carries the current in 12 bits and the force has 16 bits.
const CVersion& AlternatingFormatVersion() {
  static const CVersion version(CString(u"1.4.8"));
  return version;
}

const CVersion& WideForceVersion() {
  static const CVersion version(CString(u"1.3.3"));
  return version;
}

constexpr int kCounterFlag = 0x0800;

}  // namespace

void SLiveSample::Decode(BYTE b0, BYTE b1, BYTE b2, BYTE b3, const CString& firmwareVersion) {
  const int w1 = b0 * 256 + b1;
  const int w2 = b2 * 256 + b3;
  const CVersion version(firmwareVersion);
  if (version >= AlternatingFormatVersion()) {
    force = w1;
    const int value = w2 & 0x7FF;
    if (w2 & kCounterFlag)
      counter = value;
    else
      current = value;
    driveState = (b2 >> 4) & 7;
  } else if (version >= WideForceVersion()) {
    force = w1;
    current = w2 & 0xFFF;
    driveState = (b2 >> 4) & 7;
  } else {
    force = (w1 & 0xFFF) * 10;
    current = w2;
    driveState = (b0 >> 4) & 7;
  }
}
