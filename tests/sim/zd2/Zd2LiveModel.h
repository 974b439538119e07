#pragma once
// The moving parts of the simulated ZD-2: the drive (state, ramp, nominal load, going home),
// the force measurement (gain, offset, noise and the calibration in the information memory),
// the motor current, the light-barrier counter, the tests an operator starts, and the live
// frames of its continuous mode in the encoding of the firmware version.
//
// Time is given from outside in scaled milliseconds (Advance), so that the model itself never
// reads a clock. Not thread-safe: the simulator holds its lock around every call.

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace Sim {

class CZd2LiveModel {
 public:
  // The first bytes of an information memory that holds a valid calibration, and the number of
  // load steps, each with its own slope.
  static constexpr BYTE kValidityIdentifier[4] = {0xC3, 0x3C, 0xA5, 0xA5};
  static constexpr int kSteps = 20;

  enum EDriveState { eStop = 0, eBack = 1, eStart = 2, eRamping = 3 };

  // A test as an operator starts one: after `delayMs` of streaming (counted from the end of the
  // previous test) the drive starts, ramps to `peak` N at `rate` N/s (0: the instrument's load
  // rate), the disc tears off, and the drive goes home.
  struct SLiveTest {
    int delayMs = 0;
    int peak = 0;
    int rate = 0;
  };

  // Raw = gain x load + offset, plus uniform noise of +-noise from a generator of the seed.
  void SetForceModel(double gain, double offset, int noise, unsigned seed);
  void AddLiveTest(const SLiveTest& test);
  // An operator who waits: each test stays in START, and later at its peak, until ReleaseHold,
  // while the frames go on. A test on a slow machine can thus let the program catch up
  // before the test goes on.
  void SetHoldOperatorTests(bool on) { m_holdTests = on; }
  void ReleaseHold() { m_hold = eHoldNone; }
  int HeldPeak() const { return m_hold == eHoldPeak ? int(std::lround(m_target)) : -1; }
  void SetLoadRate(int rate) { m_loadRate = rate; }
  int GetLoadRate() const { return m_loadRate; }

  // Drive commands of the debug protocol: "i" ramp speed, "f" nominal load, "g" drive state
  // (2 START ramps to the nominal load, 1 BACK goes home), "z" automatic way home.
  void SetRampSpeed(int newtonsPerSecond) { m_rampSpeed = newtonsPerSecond; }
  void SetNominalLoad(int newtons) { m_nominalLoad = newtons; }
  void CommandDrive(int state);
  void SetAutoHome(bool on) { m_autoHome = on; }
  // A fault of the drive: a commanded ramp to `newtons` N or more stops just below them and
  // never reaches STOP, until BACK sends the drive home (0: none).
  void SetDriveStall(int newtons) { m_stallLoad = newtons; }
  void ResetCounter() { m_counter = 0; }
  // A restart: the drive goes home, the flags take their start values.
  void Restart();

  // Moves the model on by the time; `streaming` tells whether frames go out (the operator's
  // tests run only then).
  void Advance(double ms, bool streaming);
  int GetDriveState() const { return m_state; }
  // The force the instrument reports: the raw value, calibrated when the memory holds a valid
  // calibration (`info` is the information memory from 0x1000).
  int ReportedForce(const std::vector<BYTE>& info);
  int GetCurrent() const;
  int GetCounter() const { return int(m_counter); }
  double GetLoad() const { return m_load; }

  // The next frame: a tag letter 'a' to 'd' in turn and eight upper-case hexadecimal digits
  // in the format of the firmware version (current and counter alternate from 1.4.8 on).
  std::string NextFrame(const std::string& firmwareVersion, const std::vector<BYTE>& info);

 private:
  double CleanReported(double load, const std::vector<BYTE>& info) const;
  double LoadForReported(double reported, const std::vector<BYTE>& info) const;
  void StartRamp(double peak, int rate, bool operatorTest);
  void Finish();

  double m_gain = 1;
  double m_offset = 0;
  int m_noise = 0;
  std::mt19937 m_random{0};
  std::vector<SLiveTest> m_tests;
  size_t m_nextTest = 0;
  double m_sinceLastTestMs = 0;
  bool m_operatorTest = false;

  int m_loadRate = 100;
  int m_rampSpeed = 100;
  int m_nominalLoad = 0;
  bool m_autoHome = true;
  int m_stallLoad = 0;

  int m_state = eStop;
  bool m_startFramePending = false;
  enum EHold { eHoldNone, eHoldStart, eHoldPeak };
  bool m_holdTests = false;
  EHold m_hold = eHoldNone;
  bool m_peakHeld = false;      // the running test has held at its peak
  double m_load = 0;            // N on the disc
  double m_reportedTarget = 0;  // the noise-free reported force the drive follows
  double m_target = 0;          // where the ramp stops
  double m_rate = 0;            // N/s of the ramp
  double m_homeMs = 0;          // time left until the way home ends
  double m_afterTestMs = -1;    // time since a finished test, before its way home
  double m_counter = 0;
  int m_tag = 0;
  bool m_counterFrame = false;
};

}  // namespace Sim
