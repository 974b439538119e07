// The working parameter table as text: entry by entry, or decoded into what the words mean.

#include "calibration/VexalonDoc.h"

namespace {

using SParams = Device::CVexalonDevice::SParams;

bool ParamNamed(const SParams& param, const char16_t* name) { return param.name.CompareNoCase(name) == 0; }

// The decoded words of a table walk; a missing "_HB" word leaves the high half 0.
struct SDecodedMemory {
  std::uint32_t lifetimeCounter = 0;
  std::uint32_t calibrationCounter = 0;
  std::uint32_t identifier = 0;
  int stepSize = 0;
  double slopes[CVexalonDoc::kSteps] = {};
  int offsets[CVexalonDoc::kSteps] = {};
};

SDecodedMemory Decode(const std::vector<SParams>& params) {
  SDecodedMemory memory;
  int slope = 0;
  int offset = 0;
  for (const SParams& param : params) {
    const std::uint32_t word = param.value;
    if (ParamNamed(param, u"LIFE_CNT_LB")) memory.lifetimeCounter |= word;
    if (ParamNamed(param, u"LIFE_CNT_HB")) memory.lifetimeCounter |= word << 16;
    if (ParamNamed(param, u"CALIB_CNT_LB")) memory.calibrationCounter |= word;
    if (ParamNamed(param, u"CALIB_CNT_HB")) memory.calibrationCounter |= word << 16;
    if (ParamNamed(param, u"CALID_LB")) memory.identifier |= word;
    if (ParamNamed(param, u"CALID_HB")) memory.identifier |= word << 16;
    if (ParamNamed(param, u"CAL_STEP_FORCE")) memory.stepSize = int(word);
    // The dump reads both kinds of step word as signed numbers.
    if (ParamNamed(param, u"CAL_SLOPE") && slope < CVexalonDoc::kSteps)
      memory.slopes[slope++] = std::int16_t(param.value) / CVexalonDoc::kSlopeScale;
    if (ParamNamed(param, u"CAL_OFFSET") && offset < CVexalonDoc::kSteps)
      memory.offsets[offset++] = std::int16_t(param.value);
  }
  return memory;
}

}  // namespace

void CVexalonDoc::FormatInfoMemory(std::vector<CString>& lines, bool raw, std::int64_t* lifetimeCounter,
                                   std::int64_t* calibrationCounter) const {
  lines.clear();
  CString line;
  if (raw) {
    for (const SParams& param : m_params) {
      line.Format(u"%s  Addr:0x%x  Value:[%d  %d  0x%X]", param.name, param.address, int(param.value),
                  int(std::int16_t(param.value)), int(param.value));
      lines.push_back(line);
    }
    return;
  }
  const SDecodedMemory memory = Decode(m_params);
  line.Format(u"CAL_ID: 0x%X", memory.identifier);
  lines.push_back(line);
  line.Format(u"LIFE COUNTER: %lld", static_cast<long long>(memory.lifetimeCounter));
  lines.push_back(line);
  line.Format(u"CAL COUNTER: %lld", static_cast<long long>(memory.calibrationCounter));
  lines.push_back(line);
  line.Format(u"CAL STEP_SIZE: %d", memory.stepSize);
  lines.push_back(line);
  for (int n = 0; n < kSteps; ++n) {
    line.Format(u"CAL_SLOPE %d: %8.5lf   CAL_OFFSET %d: %6d", n + 1, memory.slopes[n], n + 1,
                memory.offsets[n]);
    lines.push_back(line);
  }
  if (lifetimeCounter) *lifetimeCounter = memory.lifetimeCounter;
  if (calibrationCounter) *calibrationCounter = memory.calibrationCounter;
}
