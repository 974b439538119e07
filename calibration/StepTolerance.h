#pragma once
// Whether a calibration step's forces lie close enough to its nominal load: 20 % of the
// nominal load below 15 % of the full scale, 10 % from there on, but never less than 100 N
// either way; a force of 0 never passes.

class CStepMeas;

// Judges the instrument force, and with `instrumentOnly` false the reference force as well,
// and stores the verdict in the step's valid field.
bool CheckStepTolerance(CStepMeas& step, int stepPercent, bool instrumentOnly);
