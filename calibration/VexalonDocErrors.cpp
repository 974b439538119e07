// The message lines of the calibration operations' error bits.

#include "calibration/VexalonDoc.h"

namespace {

struct SErrorText {
  int bit;
  const char16_t* text;
};

// In the order the procedure reports them, not the order of the bits.
constexpr SErrorText kErrorTexts[] = {
    {CVexalonDoc::kErrorCycleCounter, u"ERROR: Failed to reset cycle counter."},
    {CVexalonDoc::kErrorEraseSegment, u"ERROR: Failed to delete memory segment."},
    {CVexalonDoc::kErrorContinuousMode, u"ERROR: Failed to set continuous/discontinuous mode."},
    {CVexalonDoc::kErrorWriteFailed, u"ERROR: Failed to write parameters."},
    {CVexalonDoc::kErrorReadFailed, u"ERROR: Failed to read back parameters."},
    {CVexalonDoc::kErrorReadBackDiffers, u"ERROR: Read back value is different from expected."},
    {CVexalonDoc::kErrorValidity, u"ERROR: Failed to set calibration validity."},
    {CVexalonDoc::kErrorComputation, u"ERROR: Failed to compute calibration values."},
    {CVexalonDoc::kErrorSlopeRange, u"ERROR: One or more calculated slopes were out of range."},
    {CVexalonDoc::kErrorLoadRules, u"ERROR: Failed load rules."},
    {CVexalonDoc::kErrorCalUsage, u"ERROR: Failed to set the cal usage."},
    {CVexalonDoc::kErrorUnknown, u"ERROR: Unknown."},
    {CVexalonDoc::kErrorCalibrationDate, u"ERROR: Failed to set the calibration date."},
    {CVexalonDoc::kErrorAutoBackDrive, u"ERROR: Failed to set the automatic back drive."},
};

}  // namespace

void CVexalonDoc::GetErrorTexts(std::vector<CString>& texts, int errors) {
  texts.clear();
  for (const SErrorText& entry : kErrorTexts) {
    if (errors & entry.bit) texts.emplace_back(entry.text);
  }
}
