#pragma once
// One load step of one calibration cycle, as the run thread measures it.

class CStepMeas {
 public:
  int fullScale = 0;        // N: the instrument model's load limit
  int targetForce = 0;      // N: the step's nominal load
  int instrumentForce = 0;  // N: what the ZD-2 measured
  int referenceForce = 0;   // N: what the reference device measured
  int current = 0;          // mA: the motor current
  int counter = 0;          // the light-barrier counter
  bool valid = false;
};
