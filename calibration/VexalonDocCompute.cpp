// The computation of a calibration: per load step a line from the previous step's mean point
// to its own, mapping the instrument's force to the reference force.

#include <cmath>

#include "calibration/VexalonDoc.h"

namespace {

constexpr int kFirstRuledStep = 2;
constexpr double kMaxLoadDeviationPercent = 2.0;
constexpr double kMaxSlopeStep = 0.1;
// The instrument's dump reads both kinds of word back as signed 16-bit numbers.
constexpr double kWordMin = -32768.0;
constexpr double kWordMax = 32767.0;

// Half away from zero.
double RoundHalfAway(double x) { return x >= 0 ? std::floor(x + 0.5) : std::ceil(x - 0.5); }

bool FitsWord(double rounded) { return std::isfinite(rounded) && rounded >= kWordMin && rounded <= kWordMax; }

// The low 16 bits of a value that fits; 0 for one that does not (the range check refuses it).
WORD WordOf(double rounded) { return FitsWord(rounded) ? WORD(std::int32_t(rounded)) : WORD(0); }

bool WithinLoadRule(int value, int mean) {
  const double deviation = mean == 0 ? 100.0 : (value - mean) * 100.0 / mean;
  return std::fabs(deviation) <= kMaxLoadDeviationPercent;
}

}  // namespace

int CVexalonDoc::ComputeCalibration(int previousInstrument, int previousReference) {
  for (int cycle = 0; cycle < kCyclesPerCalibration; ++cycle) {
    if (m_cycles[cycle].size() != kSteps) return kErrorComputation;
  }
  // A means table the run did not build would be indexed beyond its end.
  if (m_means.size() != kSteps) return kErrorComputation;

  for (int cycle = 0; cycle < kCyclesPerCalibration; ++cycle) {
    for (int k = 0; k < kSteps; ++k) {
      const CStepMeas& step = m_cycles[cycle][k];
      m_means[k].instrumentForce += step.instrumentForce;
      m_means[k].referenceForce += step.referenceForce;
      m_means[k].counter += step.counter;
      m_means[k].current += step.current;
    }
  }
  for (CStepMeas& mean : m_means) {
    for (int* sum : {&mean.instrumentForce, &mean.referenceForce, &mean.counter, &mean.current})
      *sum = int(RoundHalfAway(*sum / double(kCyclesPerCalibration)));
    if (mean.instrumentForce > 0 && mean.referenceForce > 0) mean.valid = true;
  }

  m_slopes.fill(0.0);
  m_offsets.fill(0.0);
  for (int i = 0; i < kSteps; ++i) {
    const double x0 = i == 0 ? previousInstrument : m_means[i - 1].instrumentForce;
    const double y0 = i == 0 ? previousReference : m_means[i - 1].referenceForce;
    const double x = m_means[i].instrumentForce;
    const double y = m_means[i].referenceForce;
    m_slopes[i] = (y - y0) / (x - x0);
    m_offsets[i] = y - m_slopes[i] * x;
    m_slopeWords[i] = WordOf(RoundHalfAway(m_slopes[i] * CVexalonDoc::kSlopeScale));
    m_offsetWords[i] = std::int16_t(WordOf(RoundHalfAway(m_offsets[i])));
  }

  for (int cycle = 0; cycle < kCyclesPerCalibration; ++cycle) {
    for (int k = kFirstRuledStep; k < kSteps; ++k) {
      const CStepMeas& step = m_cycles[cycle][k];
      if (!WithinLoadRule(step.instrumentForce, m_means[k].instrumentForce) ||
          !WithinLoadRule(step.referenceForce, m_means[k].referenceForce))
        return kErrorLoadRules;
    }
  }

  for (int k = 0; k < kFirstRuledStep; ++k) {
    m_slopes[k] = m_slopes[kFirstRuledStep];
    m_offsets[k] = m_offsets[kFirstRuledStep];
    m_slopeWords[k] = m_slopeWords[kFirstRuledStep];
    m_offsetWords[k] = m_offsetWords[kFirstRuledStep];
  }

  // Equal neighbouring means give a slope that is not a number, for which every comparison is
  // false; such a slope, and any value that does not fit its word, must never be written.
  for (int k = 0; k < kSteps; ++k) {
    if (!FitsWord(RoundHalfAway(m_slopes[k] * CVexalonDoc::kSlopeScale)) ||
        !FitsWord(RoundHalfAway(m_offsets[k])))
      return kErrorSlopeRange;
    if (k > 0 && std::fabs(m_slopes[k - 1] - m_slopes[k]) > kMaxSlopeStep) return kErrorSlopeRange;
  }
  return 0;
}
