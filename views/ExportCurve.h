#pragma once
// The load-rate curve of a measurement as the text exports write it: the sampling period and
// the samples in the measurement's unit with the decimals of its force texts. The exports write
// a million samples for 10,000 tests, twice over, so they take the values and format them
// directly rather than through one text object per sample.

class CZedoDoc;

struct SExportCurve {
  double period = 0;               // s
  const double* values = nullptr;  // the document's, valid until its next curve request
  int count = 0;
  int decimals = 0;
};

SExportCurve GetExportCurve(CZedoDoc& doc, int index);
