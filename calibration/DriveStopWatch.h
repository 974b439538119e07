#pragma once
// What the warm-up and the calibration run ask of a live connection: whether its latest
// sample shows the instrument's drive stopped.

class IDriveStopWatch {
 public:
  virtual ~IDriveStopWatch() = default;
  virtual bool IsDriveStopped() = 0;
};
