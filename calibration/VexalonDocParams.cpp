#include "calibration/VexalonDoc.h"

namespace {

constexpr int kSteps = CVexalonDoc::kSteps;
constexpr int kCalibrationValue = CVexalonDoc::kKindCalibrationValue;
constexpr int kCounterWord = CVexalonDoc::kKindCounterWord;
constexpr int kValidityIdentifier = CVexalonDoc::kKindValidityIdentifier;
constexpr int kFirstSegment = 1;
constexpr int kCounterSegment = 3;
constexpr WORD kFirstSlopeAddress = 0x1012;
constexpr WORD kFirstOffsetAddress = 0x1088;

}  // namespace

// The 47 words of the information memory that hold a calibration: segment 1 the validity
// identifier, the step force and the slopes, segment 3 the two counters and the offsets.
CVexalonDoc::CVexalonDoc() {
  m_calibratorInfo.Reset();
  using SParams = Device::CVexalonDevice::SParams;
  auto add = [this](const char16_t* name, WORD address, int kind, int segment) {
    m_defaultParams.push_back(SParams{name, address, 0xFFFF, kind, segment});
  };
  add(u"CALID_LB", 0x1000, kValidityIdentifier, kFirstSegment);
  add(u"CALID_HB", 0x1002, kValidityIdentifier, kFirstSegment);
  add(u"CAL_STEP_FORCE", 0x1010, kCalibrationValue, kFirstSegment);
  for (int step = 0; step < kSteps; ++step)
    add(u"CAL_SLOPE", static_cast<WORD>(kFirstSlopeAddress + 2 * step), kCalibrationValue, kFirstSegment);
  add(u"LIFE_CNT_LB", 0x1080, kCounterWord, kCounterSegment);
  add(u"LIFE_CNT_HB", 0x1082, kCounterWord, kCounterSegment);
  add(u"CALIB_CNT_LB", 0x1084, kCounterWord, kCounterSegment);
  add(u"CALIB_CNT_HB", 0x1086, kCounterWord, kCounterSegment);
  for (int step = 0; step < kSteps; ++step)
    add(u"CAL_OFFSET", static_cast<WORD>(kFirstOffsetAddress + 2 * step), kCalibrationValue, kCounterSegment);
}
