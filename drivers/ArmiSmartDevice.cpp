#include "drivers/ArmiSmartDevice.h"

#include <algorithm>

#include "device/JvCommands.h"
#include "drivers/ArmivueDataFileReader.h"
#include "drivers/ArmivueDataFileWriter.h"
#include "drivers/DeviceInfoText.h"
#include "drivers/IdentityReply.h"
#include "drivers/InstalledContent.h"

namespace Device {
namespace {

// Offsets and sizes of the fields of a binary download record.
struct STextField {
  int offset;
  int size;
};
constexpr STextField kNameField{2, 16};
constexpr STextField kSerialField{18, 16};
constexpr STextField kSoftwareField{34, 9};
constexpr STextField kHardwareField{43, 5};
constexpr STextField kSignatureField{48, 9};
constexpr int kRegionalOffset = 57;
constexpr int kStorageModeOffset = 58;
constexpr int kRawDefaultOffset = 59;
constexpr int kCorrectionOffset = 60;
constexpr int kObjectNumberOffset = 61;
constexpr int kReadingCountOffset = 63;
constexpr int kCoverOffset = 64;
constexpr int kRawDiameterOffset = 163;
constexpr int kMaxReadings = 99;

// A zero-terminated field that may also fill its whole width without the zero.
CString TextField(const BYTE* record, STextField field) {
  const char* start = reinterpret_cast<const char*>(record + field.offset);
  return CString::FromAnsi(std::string_view(start, std::find(start, start + field.size, '\0') - start));
}

}  // namespace

CArmiSmartDevice::CArmiSmartDevice() : CJvDevice(3, u"Armivue", 1, 6) {
  m_serialSettings.baud = 19200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CArmiSmartDevice::Create() const { return std::make_unique<CArmiSmartDevice>(); }

CString CArmiSmartDevice::GetInfoText() { return DeviceInfoText(m_info); }

const CString& CArmiSmartDevice::GetSerialNumber() { return m_info.serialNumber; }

bool CArmiSmartDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_info.signature.IsEmpty() && !Identify(ident)) return false;
  contents.m_entries.clear();
  contents.m_entries.push_back(InstalledContent(1, 1, m_info.appVersion));
  return true;
}

int CArmiSmartDevice::GetDeviceCode() {
  SDeviceIdent ident;
  if (!Commands() || !Identify(ident)) return 0;
  DWORD signature = 0;
  return CIdentityReply::ReadSignature(m_info.signature, signature) ? int(signature) : 0;
}

int CArmiSmartDevice::WriteDataFile(const TMeas& meas, char16_t* buffer, int bufferLength) {
  CString text;
  if (!CArmivueDataFileWriter::Write(meas, text)) return 0;
  if (!buffer) return text.GetLength();
  if (text.GetLength() > bufferLength) return 0;
  std::copy_n(text.GetString(), text.GetLength(), buffer);
  return text.GetLength();
}

bool CArmiSmartDevice::ReadDataFile(TMeas& meas, const CString& text) {
  return CArmivueDataFileReader(text).Read(meas);
}

bool CArmiSmartDevice::ParseBinaryRecord(TMeas& meas, const BYTE* record) {
  if (!record) return false;
  meas.version = CVersion((ULONGLONG(record[0]) << 32) | record[1]);
  meas.name = TextField(record, kNameField);
  meas.serialNumber = TextField(record, kSerialField);
  meas.softwareVersion = TextField(record, kSoftwareField);
  meas.hardwareIndex = TextField(record, kHardwareField);
  meas.signature = TextField(record, kSignatureField);
  meas.regional = record[kRegionalOffset];
  meas.rawDefaultDiameter = record[kRawDefaultOffset];
  meas.correction = record[kCorrectionOffset];
  switch (record[kStorageModeOffset]) {
    case 'A':
      meas.storageMode = TMeas::kAutoStorage;
      break;
    case 'M':
      meas.storageMode = TMeas::kManualStorage;
      break;
    default:
      meas.storageMode = TMeas::kUnknown;
      break;
  }
  meas.objectNumber = short(record[kObjectNumberOffset] | (record[kObjectNumberOffset + 1] << 8));
  const int count = record[kReadingCountOffset];
  if (count > kMaxReadings) return false;
  meas.readings.clear();
  for (int i = 0; i < count; ++i)
    meas.readings.push_back({BYTE(i + 1), record[kCoverOffset + i], record[kRawDiameterOffset + i]});
  return true;
}

bool CArmiSmartDevice::GetDeviceInfo(SDeviceInfo& info) {
  if (&info != &m_info) info = m_info;
  return true;
}

}  // namespace Device
