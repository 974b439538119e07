#include "calibration/CalibrationErrorLog.h"

#include "calibration/VexalonDoc.h"

namespace {}  // namespace

void LogCalibrationErrors(const CVexalonDoc& doc, CColorRichEditCtrl& log, int errors) {
  std::vector<CString> texts;
  doc.GetErrorTexts(texts, errors);
  for (const CString& text : texts) log.AddLine(kStatusLine, text, true);
}
