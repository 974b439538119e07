#include "calibration/VexalonDoc.h"

#include "device/DeviceIdent.h"
#include "device/VexalonDevice.h"

namespace {

constexpr char16_t kUnknown[] = u"Unknown";
constexpr char16_t kNotSet[] = u"--";
constexpr char16_t kUndefined[] = u"UNDEF";
constexpr char16_t kHardwareLabel[] = u"Hardware revision:";
constexpr char16_t kSignatureLabel[] = u"Signature:";
constexpr int kMaxSerialLength = 16;
constexpr int kMaxHardwareRevisionLength = 5;

// The information text from a label on, trimmed, without the label and trimmed again; empty
// when the label is missing (`found` tells).
CString AfterLabel(const CString& text, const char16_t* label, bool& found) {
  const int at = text.Find(label);
  found = at >= 0;
  if (!found) return {};
  CString rest = text.Mid(at);
  rest.Trim();
  rest = rest.Mid(CString(label).GetLength());
  rest.Trim();
  return rest;
}

CString HardwareRevisionOf(const CString& info) {
  bool found = false;
  const CString rest = AfterLabel(info, kHardwareLabel, found);
  if (!found) return kUndefined;
  const int signature = rest.Find(kSignatureLabel);
  if (signature < 0) return kUndefined;
  CString revision = rest.Left(signature);
  revision.Trim();
  return revision;
}

CString SignatureOf(const CString& info) {
  bool found = false;
  const CString signature = AfterLabel(info, kSignatureLabel, found);
  return found ? signature : CString(kUndefined);
}

}  // namespace

void CVexalonDoc::Reset() {
  for (CString* text : {&m_deviceName, &m_firmwareVersion, &m_signature, &m_serialNumber, &m_pcbSerialNumber,
                        &m_hardwareRevision, &m_calibrationDate, &m_calibrator})
    *text = kUnknown;
  for (CString* text : {&m_currentSerialNumber, &m_currentPcbSerialNumber, &m_currentHardwareRevision,
                        &m_newCalibrationDate, &m_newCalibrator})
    *text = kNotSet;
  m_calibrationValid = m_factoryCalibrationValid = m_lastUsedCalibrationValid = false;
  m_logFile.Close();
  m_lifetimeCounter = m_calibrationCounter = m_newLifetimeCounter = m_newCalibrationCounter = -1;
  m_finalResult = false;
  m_calibratorInfo.Reset();
  m_certificateRows.clear();
  m_slopes.fill(0.0);
  m_offsets.fill(0.0);
  m_slopeWords.fill(0);
  m_offsetWords.fill(0);
  m_stepForce = 0;
  m_actualRuns = 0;
  m_params = m_defaultParams;
  CSingleLock lock(m_lock);
  m_errors.clear();
}

bool CVexalonDoc::ReadDeviceIdentity() {
  if (!m_device) return false;
  SDeviceIdent ident;
  if (!m_device->Identify(ident)) return false;
  m_deviceName = ident.deviceName;
  const CString info = m_device->GetInfoText();
  const CString hardwareRevision = HardwareRevisionOf(info);
  m_signature = SignatureOf(info);
  m_serialNumber =
      ident.serialNumber.GetLength() > kMaxSerialLength ? CString(kUndefined) : ident.serialNumber;
  m_hardwareRevision =
      hardwareRevision.GetLength() > kMaxHardwareRevisionLength ? CString(kUndefined) : hardwareRevision;
  m_pcbSerialNumber = kUndefined;
  m_device->QueryEN(m_pcbSerialNumber);
  m_firmwareVersion = ident.appVersion;
  m_device->QueryCD(m_calibrationDate);
  m_device->QueryCI(m_calibrator);
  m_calibrationValid = m_device->IsCalibrationValid();
  m_factoryCalibrationValid = m_device->IsFactoryCalibrationValid();
  m_lastUsedCalibrationValid = m_device->IsLastUsedCalibrationValid();
  DWORD value = 0;
  if (m_device->QueryCalibrationWord(true, value)) m_lifetimeCounter = value;
  if (m_device->QueryCalibrationWord(false, value)) m_calibrationCounter = value;
  m_newCalibrationDate = m_calibrationDate;
  m_newCalibrator = m_calibrator;
  m_newLifetimeCounter = m_lifetimeCounter;
  m_newCalibrationCounter = m_calibrationCounter;
  m_currentSerialNumber = m_serialNumber;
  m_currentPcbSerialNumber = m_pcbSerialNumber;
  m_currentHardwareRevision = m_hardwareRevision;
  return true;
}

void CVexalonDoc::AddError(const CString& text) {
  CSingleLock lock(m_lock);
  m_errors.push_back(text);
}

std::vector<CString> CVexalonDoc::TakeErrors() {
  CSingleLock lock(m_lock);
  std::vector<CString> errors;
  errors.swap(m_errors);
  return errors;
}
