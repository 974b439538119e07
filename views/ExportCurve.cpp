#include "views/ExportCurve.h"

#include "document/Units.h"
#include "document/ZedoDoc.h"

SExportCurve GetExportCurve(CZedoDoc& doc, int index) {
  SExportCurve curve;
  double peak = 0, peakTime = 0;
  doc.GetLoadCurve(index, true, curve.values, peak, peakTime, curve.count, curve.period);
  // The decimals of the document's own sample texts.
  curve.decimals = GetForceDecimals(doc.GetUnit(index), int(doc.GetLoadLimit(index, false)));
  return curve;
}
