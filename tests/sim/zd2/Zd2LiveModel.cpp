#include "tests/sim/zd2/Zd2LiveModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

namespace Sim {
namespace {

constexpr int kStepForceOffset = 0x10;
constexpr int kSlopeOffset = 0x12;
constexpr int kCalibrationOffsetOffset = 0x88;
constexpr double kHomeMs = 1000;  // the way home after the load is off
constexpr double kUnloadPerSecond = 50000;
constexpr double kBeforeHomeMs = 500;    // a torn-off test rests this long before going home
constexpr double kNewtonsPerCount = 20;  // light-barrier counts of the ramp's travel
constexpr double kCountsPerSecondHome = 100;
constexpr double kMaxLoad = 70000;

WORD WordAt(const std::vector<BYTE>& info, int offset) {
  return WORD(info[size_t(offset)] | (info[size_t(offset) + 1] << 8));
}

std::tuple<int, int, int> ParseVersion(const std::string& text) {
  int a = 0, b = 0, c = 0;
  std::sscanf(text.c_str(), "%d.%d.%d", &a, &b, &c);
  return {a, b, c};
}

}  // namespace

void CZd2LiveModel::SetForceModel(double gain, double offset, int noise, unsigned seed) {
  m_gain = gain;
  m_offset = offset;
  m_noise = noise;
  m_random.seed(seed);
}

void CZd2LiveModel::AddLiveTest(const SLiveTest& test) { m_tests.push_back(test); }

void CZd2LiveModel::Restart() {
  if (m_load > 0 || m_state != eStop) CommandDrive(eBack);
  m_autoHome = true;
  m_operatorTest = false;
  m_afterTestMs = -1;
}

void CZd2LiveModel::CommandDrive(int state) {
  switch (state) {
    case eStart:
      StartRamp(m_nominalLoad, m_rampSpeed, false);
      break;
    case eBack:
      m_state = eBack;
      m_homeMs = kHomeMs;
      m_reportedTarget = 0;
      break;
    default:
      m_state = eStop;
      break;
  }
}

void CZd2LiveModel::StartRamp(double peak, int rate, bool operatorTest) {
  m_state = eStart;
  m_startFramePending = true;
  m_target = peak;
  m_rate = rate;
  m_operatorTest = operatorTest;
  m_afterTestMs = -1;
  m_peakHeld = false;
  if (operatorTest && m_holdTests) m_hold = eHoldStart;
}

void CZd2LiveModel::Finish() {
  m_reportedTarget = m_target;
  m_state = eStop;
  if (!m_operatorTest) return;
  // The disc tears off: the load is gone at once.
  m_load = 0;
  m_reportedTarget = 0;
  m_afterTestMs = m_autoHome ? 0 : -1;
  if (!m_autoHome) {
    m_operatorTest = false;
    m_sinceLastTestMs = 0;
  }
}

void CZd2LiveModel::Advance(double ms, bool streaming) {
  if (streaming && !m_operatorTest && m_state == eStop && m_nextTest < m_tests.size()) {
    m_sinceLastTestMs += ms;
    const SLiveTest& test = m_tests[m_nextTest];
    if (m_sinceLastTestMs >= test.delayMs) {
      ++m_nextTest;
      StartRamp(test.peak, test.rate > 0 ? test.rate : m_loadRate, true);
    }
  }
  switch (m_state) {
    case eRamping: {
      if (m_hold == eHoldPeak) break;
      const double rise = m_rate * ms / 1000;
      m_counter += rise / kNewtonsPerCount;
      m_reportedTarget += rise;
      if (m_stallLoad > 0 && !m_operatorTest && m_target >= m_stallLoad && m_reportedTarget >= m_stallLoad - 1) {
        m_reportedTarget = m_stallLoad - 1;
        break;
      }
      if (m_reportedTarget < m_target) break;
      if (m_operatorTest && m_holdTests && !m_peakHeld) {
        m_reportedTarget = m_target;
        m_hold = eHoldPeak;
        m_peakHeld = true;
      } else {
        Finish();
      }
      break;
    }
    case eBack:
      m_load = std::max(0.0, m_load - kUnloadPerSecond * ms / 1000);
      m_counter += kCountsPerSecondHome * ms / 1000;
      m_homeMs -= ms;
      if (m_homeMs <= 0) {
        m_state = eStop;
        m_homeMs = 0;
        if (m_operatorTest) {
          m_operatorTest = false;
          m_sinceLastTestMs = 0;
        }
      }
      break;
    case eStop:
      if (m_afterTestMs >= 0) {
        m_afterTestMs += ms;
        if (m_afterTestMs >= kBeforeHomeMs) {
          m_afterTestMs = -1;
          CommandDrive(eBack);
        }
      }
      break;
    default:
      break;
  }
}

double CZd2LiveModel::CleanReported(double load, const std::vector<BYTE>& info) const {
  const double raw = m_gain * load + m_offset;
  if (info.size() < 0xC0 || !std::equal(kValidityIdentifier, kValidityIdentifier + 4, info.begin()))
    return raw;
  const int stepForce = WordAt(info, kStepForceOffset);
  int step = 0;
  if (stepForce > 0) step = std::clamp(int(std::ceil(raw / stepForce)) - 1, 0, kSteps - 1);
  const double slope = WordAt(info, kSlopeOffset + 2 * step) / 10000.0;
  const double offset = SHORT(WordAt(info, kCalibrationOffsetOffset + 2 * step));
  return raw * slope + offset;
}

// The load at which the noise-free reported force is the given one; the calibration and the
// gain rise with the load, so halving the interval finds it.
double CZd2LiveModel::LoadForReported(double reported, const std::vector<BYTE>& info) const {
  double low = 0, high = kMaxLoad;
  for (int i = 0; i < 40; ++i) {
    const double middle = (low + high) / 2;
    (CleanReported(middle, info) < reported ? low : high) = middle;
  }
  return (low + high) / 2;
}

int CZd2LiveModel::ReportedForce(const std::vector<BYTE>& info) {
  double raw = CleanReported(m_load, info);
  if (m_noise > 0) raw += std::uniform_int_distribution<int>(-m_noise, m_noise)(m_random);
  return std::clamp(int(std::lround(raw)), 0, 0xFFFF);
}

int CZd2LiveModel::GetCurrent() const {
  switch (m_state) {
    case eStart:
    case eRamping:
      return 300 + int(m_load / 50);
    case eBack:
      return 250;
    default:
      return 0;
  }
}

std::string CZd2LiveModel::NextFrame(const std::string& firmwareVersion, const std::vector<BYTE>& info) {
  if (m_state == eRamping || (m_state == eStop && m_reportedTarget > 0 && !m_operatorTest))
    m_load = LoadForReported(m_reportedTarget, info);
  const int force = ReportedForce(info);
  const int state = m_state;
  if (m_state == eStart && m_startFramePending && m_hold != eHoldStart) {
    m_startFramePending = false;
    m_reportedTarget = CleanReported(m_load, info);
    m_state = eRamping;
  }
  const auto version = ParseVersion(firmwareVersion);
  int w1 = 0, w2 = 0;
  if (version >= std::make_tuple(1, 4, 8)) {
    w1 = force;
    const int value = m_counterFrame ? (0x800 | (GetCounter() & 0x7FF)) : (GetCurrent() & 0x7FF);
    m_counterFrame = !m_counterFrame;
    w2 = (state << 12) | value;
  } else if (version >= std::make_tuple(1, 3, 3)) {
    w1 = force;
    w2 = (state << 12) | (GetCurrent() & 0xFFF);
  } else {
    w1 = (state << 12) | ((force / 10) & 0xFFF);
    w2 = GetCurrent() & 0xFFFF;
  }
  char frame[16];
  std::snprintf(frame, sizeof frame, "%c%04X%04X", 'a' + m_tag, w1 & 0xFFFF, w2 & 0xFFFF);
  m_tag = (m_tag + 1) % 4;
  return frame;
}

}  // namespace Sim
