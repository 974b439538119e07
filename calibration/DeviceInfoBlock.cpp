#include "calibration/DeviceInfoBlock.h"

#include "calibration/VexalonDoc.h"

CString FormatDeviceInfoBlock(const CVexalonDoc& doc) {
  CString text;
  text.Format(
      u"PCB Serial Number: \v%s\r\n"
      u"Lifetime Counter: \v%lld\r\n"
      u"Calibration Counter: \v%lld\r\n"
      u"Calibration Date: \v%s\r\n"
      u"Calibrator: \v%s\r\n"
      u"Factory Cal Valid: \v%d\r\n"
      u"Last Used Cal Valid: \v%d\r\n"
      u"\r\n",
      doc.m_pcbSerialNumber, static_cast<long long>(doc.m_lifetimeCounter),
      static_cast<long long>(doc.m_calibrationCounter), doc.m_calibrationDate, doc.m_calibrator,
      doc.m_factoryCalibrationValid ? 1 : 0, doc.m_lastUsedCalibrationValid ? 1 : 0);
  return text;
}
