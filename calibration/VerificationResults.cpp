#include "calibration/VerificationResults.h"

#include <algorithm>
#include <cmath>

#include "appbase/SafeFileName.h"
#include "calibration/ForceText.h"
#include "calibration/LoadUnitName.h"
#include "calibration/VexalonDoc.h"

CString BuildVerificationResults(const CVexalonDoc& doc, int loadUnit, int stepSize) {
  const int runs = std::min(doc.m_actualRuns, CVexalonDoc::kMaxCycles);
  if (runs < 1) return CString();
  const int steps = int(doc.m_cycles[0].size());
  CString text;
  text.Format(u"Load Unit;%s;\n", LoadUnitName(loadUnit));
  text += u"No.;Step(%);Nominal Load;";
  for (int run = 1; run <= runs; ++run) text.AppendFormat(u"Run #%d;", run);
  text += u"\n";
  for (int step = 1; step <= steps; ++step) {
    // std::round rounds halves away from zero.
    text.AppendFormat(u"%d;%d;%s;", step, int(std::round(step * 100.0 / steps)),
                      FormatForce(step * stepSize, loadUnit, false));
    for (int run = 0; run < runs; ++run) {
      const std::vector<CStepMeas>& table = doc.m_cycles[std::size_t(run)];
      const int force = std::size_t(step - 1) < table.size() ? table[std::size_t(step - 1)].instrumentForce : 0;
      text.AppendFormat(u"%s;", FormatForce(force, loadUnit, false));
    }
    text += u"\n";
  }
  return text;
}

CString VerificationResultsFileName(const CString& serialNumber, const SLocalTime& now) {
  CString name;
  name.Format(u"Verify_%s_%04d%02d%02d_%02d%02d%02d.csv", SafeForFileName(serialNumber), now.year, now.month,
              now.day, now.hour, now.minute, now.second);
  return name;
}
