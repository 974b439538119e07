// The simulated ZD-2's moving parts, driven step by step on a clock of the test's own: the
// drive commands, the operator's tests, the force model and the encoding of the live frames.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/sim/zd2/Zd2LiveModel.h"

namespace {

using Sim::CZd2LiveModel;

const std::vector<BYTE> kNoCalibration(0xC0, 0xFF);

struct SFrame {
  char tag = 0;
  int w1 = 0;
  int w2 = 0;
};

SFrame Parse(const std::string& frame) {
  SFrame parsed;
  EXPECT_EQ(frame.size(), 9u) << frame;
  parsed.tag = frame[0];
  std::sscanf(frame.c_str() + 1, "%4X%4X", reinterpret_cast<unsigned*>(&parsed.w1),
              reinterpret_cast<unsigned*>(&parsed.w2));
  return parsed;
}

// Force and drive state of the next frame in the newest format.
struct SState {
  int force;
  int state;
};

SState Next(CZd2LiveModel& model, const std::vector<BYTE>& info = kNoCalibration) {
  const SFrame frame = Parse(model.NextFrame("1.6.3", info));
  return {frame.w1, (frame.w2 >> 12) & 7};
}

// One step of a model's life: the time it moves on (streaming or not), then what the next
// frame shows; a force of -1 is not checked.
struct SStep {
  double ms;
  bool streaming;
  int state;
  int force;
  const char* what;
};

void RunSteps(CZd2LiveModel& model, const std::vector<SStep>& steps) {
  for (size_t i = 0; i < steps.size(); ++i) {
    const SStep& step = steps[i];
    if (step.ms > 0) model.Advance(step.ms, step.streaming);
    const SState frame = Next(model);
    EXPECT_EQ(frame.state, step.state) << "step " << i << ": " << step.what;
    if (step.force >= 0) {
      EXPECT_EQ(frame.force, step.force) << "step " << i << ": " << step.what;
    }
  }
}

TEST(Zd2LiveModel, StartGivesOneStartFrameThenRampsAtTheSpeedAndHoldsTheNominalLoad) {
  CZd2LiveModel model;
  model.SetRampSpeed(1000);
  model.SetNominalLoad(2000);
  model.CommandDrive(CZd2LiveModel::eStart);
  std::vector<SStep> steps = {{0, true, 2, 0, "one frame in START"}};
  for (int step = 1; step < 20; ++step)
    steps.push_back({100, true, 3, 100 * step, "rising at the ramp speed"});
  steps.push_back({100, true, 0, 2000, "stopped at the nominal load"});
  steps.push_back({5000, true, 0, 2000, "held there exactly"});
  RunSteps(model, steps);
}

TEST(Zd2LiveModel, BackUnloadsQuicklyAndIsHomeASecondLater) {
  CZd2LiveModel model;
  model.SetRampSpeed(4000);
  model.SetNominalLoad(2000);
  model.CommandDrive(CZd2LiveModel::eStart);
  RunSteps(model, {{0, true, 2, 0, "start"}, {600, true, 0, 2000, "at the nominal load"}});
  model.CommandDrive(CZd2LiveModel::eBack);
  RunSteps(
      model,
      {{100, true, 1, 0, "unloaded"}, {850, true, 1, -1, "still on its way"}, {100, true, 0, -1, "home"}});
}

TEST(Zd2LiveModel, AnOperatorsTestStartsAfterItsDelayTearsOffAndGoesHome) {
  CZd2LiveModel model;
  model.AddLiveTest({500, 1000, 2000});
  RunSteps(model, {
                      {1000, false, 0, -1, "no test starts while nothing streams"},
                      {499, true, 0, -1, "before the delay"},
                      {1, true, 2, -1, "started"},
                      {250, true, 3, 500, "ramping at its rate"},
                      {250, true, 0, 0, "torn off"},
                      {500, true, 1, -1, "on its way home"},
                      {1000, true, 0, -1, "home"},
                  });
}

TEST(Zd2LiveModel, WithoutTheZFlagATornOffTestStaysWhereItStopped) {
  CZd2LiveModel model;
  model.SetAutoHome(false);
  model.AddLiveTest({0, 500, 1000});
  RunSteps(model,
           {{1, true, 2, -1, "started"}, {600, true, 0, 0, "torn off"}, {3000, true, 0, -1, "no way home"}});
  // A restart sets the flag again.
  model.Restart();
  model.AddLiveTest({0, 500, 1000});
  RunSteps(model,
           {{1, true, 2, -1, "started"}, {600, true, 0, 0, "torn off"}, {500, true, 1, -1, "going home"}});
}

TEST(Zd2LiveModel, ReportsGainAndOffsetRawOrCalibratedByTheMemory) {
  // The drive holds the reported force at the nominal load; the load behind it shows the model.
  CZd2LiveModel raw;
  raw.SetForceModel(2, 50, 0, 1);
  raw.SetRampSpeed(10000);
  raw.SetNominalLoad(2000);
  raw.CommandDrive(CZd2LiveModel::eStart);
  Next(raw);
  raw.Advance(500, true);
  EXPECT_EQ(Next(raw).force, 2000);
  EXPECT_NEAR(raw.GetLoad(), 975, 0.01) << "2 x 975 + 50";

  // A valid calibration in segment 1: step force 0 takes step 0, slope 0.5, offset 10.
  std::vector<BYTE> info = kNoCalibration;
  const BYTE validity[] = {0xC3, 0x3C, 0xA5, 0xA5};
  std::copy(validity, validity + 4, info.begin());
  info[0x10] = info[0x11] = 0;
  info[0x12] = 0x88;  // 5000, low byte first
  info[0x13] = 0x13;
  info[0x88] = 10;
  info[0x89] = 0;
  CZd2LiveModel calibrated;
  calibrated.SetForceModel(2, 50, 0, 1);
  calibrated.SetRampSpeed(10000);
  calibrated.SetNominalLoad(2000);
  calibrated.CommandDrive(CZd2LiveModel::eStart);
  Next(calibrated, info);
  calibrated.Advance(500, true);
  EXPECT_EQ(Next(calibrated, info).force, 2000);
  EXPECT_NEAR(calibrated.GetLoad(), 1965, 0.01) << "(2 x 1965 + 50) x 0.5 + 10";
}

TEST(Zd2LiveModel, NoiseStaysWithinItsBoundAndRepeatsWithTheSeed) {
  auto forces = [](unsigned seed) {
    CZd2LiveModel model;
    model.SetForceModel(1, 1000, 5, seed);
    std::vector<int> values;
    for (int i = 0; i < 200; ++i) values.push_back(Next(model).force);
    return values;
  };
  const std::vector<int> first = forces(7);
  EXPECT_EQ(first, forces(7));
  EXPECT_NE(first, forces(8));
  for (int force : first) {
    EXPECT_GE(force, 995);
    EXPECT_LE(force, 1005);
  }
}

TEST(Zd2LiveModel, CurrentFollowsTheDriveAndTheCounterTheTravel) {
  CZd2LiveModel model;
  EXPECT_EQ(model.GetCurrent(), 0);
  model.SetRampSpeed(1000);
  model.SetNominalLoad(5000);
  model.CommandDrive(CZd2LiveModel::eStart);
  Next(model);
  model.Advance(1000, true);
  Next(model);
  EXPECT_EQ(model.GetCurrent(), 300 + 1000 / 50);
  EXPECT_EQ(model.GetCounter(), 1000 / 20);
  model.CommandDrive(CZd2LiveModel::eBack);
  EXPECT_EQ(model.GetCurrent(), 250);
  model.Advance(500, true);
  EXPECT_EQ(model.GetCounter(), 50 + 50);
  model.ResetCounter();
  EXPECT_EQ(model.GetCounter(), 0);
}

TEST(Zd2LiveModel, FramesCycleTheirTagsAndTakeTheFormatOfTheFirmware) {
  CZd2LiveModel model;
  model.SetForceModel(1, 1234, 0, 1);
  std::string tags;
  for (int i = 0; i < 6; ++i) tags += model.NextFrame("1.6.3", kNoCalibration)[0];
  EXPECT_EQ(tags, "abcdab");
  // From 1.4.8 on current and counter alternate, the counter frames flagged by bit 11.
  const SFrame current = Parse(model.NextFrame("1.4.8", kNoCalibration));
  const SFrame counter = Parse(model.NextFrame("1.4.8", kNoCalibration));
  EXPECT_EQ(current.w1, 1234);
  EXPECT_EQ(current.w2 & 0x800, 0);
  EXPECT_EQ(counter.w2 & 0x800, 0x800);
  // Before 1.4.8 the second word is the current; before 1.3.3 the first word carries the
  // state above the force in tens.
  model.SetRampSpeed(100);
  model.SetNominalLoad(5000);
  model.CommandDrive(CZd2LiveModel::eStart);
  const SFrame older = Parse(model.NextFrame("1.4.7", kNoCalibration));
  EXPECT_EQ(older.w1, 1234);
  EXPECT_EQ(older.w2, (2 << 12) | 300);
  model.Advance(10, true);
  const SFrame oldest = Parse(model.NextFrame("1.3.2", kNoCalibration));
  EXPECT_EQ(oldest.w1, (3 << 12) | 123);
  EXPECT_EQ(oldest.w2, 300);
}

}  // namespace
