#include "calibration/TempLogHeader.h"

#include "calibration/DeviceInfoBlock.h"
#include "calibration/VexalonDoc.h"
#include "update/AppHelper.h"

CString BuildTempLogHeader(const CVexalonDoc& doc, bool calMode) {
  CAppHelper::SetReportInfo(doc.m_deviceName, doc.m_serialNumber, doc.m_firmwareVersion, doc.m_hardwareRevision,
                            doc.m_signature);
  CString text;
  CAppHelper().WriteReportHeader(text, calMode ? u"Calibration" : u"Verification", u"1", CString());
  text += FormatDeviceInfoBlock(doc);
  text.Replace(u"\r\n", u"\n");
  text.Replace(u" \v", u"\t");
  return text;
}
