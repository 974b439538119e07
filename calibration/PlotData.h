#pragma once
// One point of a Live View plot: the statistics of one sampling period.

struct CPlotData {
  int forceMin = 0;  // N
  int forceMean = 0;
  int forceMax = 0;
  int currentMin = 0;  // mA
  int currentMean = 0;
  int currentMax = 0;
  double displayForce = 0;  // the sampled force in the display unit
  int sampledForce = 0;     // N
  int driveState = 0;
  double time = 0;  // seconds since the test's first tick
};
