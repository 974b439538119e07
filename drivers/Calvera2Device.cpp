#include "drivers/Calvera2Device.h"

#include "device/JvCommands.h"
#include "drivers/DeviceInfoText.h"
#include "drivers/IdentityReply.h"
#include "drivers/InstalledContent.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

// This instrument orders its reply name; application version; serial; signature; hardware.
enum : int { kName = 0, kAppVersion = 1, kSerial = 2, kSignature = 3, kHardware = 4 };

constexpr BYTE kPackedFirst = 0x90;
constexpr BYTE kPackedLast = 0x70;

// The three numbers of "AB12-345-6789"; false for any other form.
bool ScanSerial(const CString& serial, int numbers[3]) {
  static constexpr char kForm[] = "AA99-999-9999";
  constexpr int kLength = int(sizeof kForm) - 1;
  if (serial.GetLength() != kLength) return false;
  int number = 0;
  int index = 0;
  for (int i = 0; i < kLength; ++i) {
    const char16_t c = serial[i];
    const char expected = kForm[i];
    if (expected == 'A' && (c < u'A' || c > u'Z')) return false;
    if (expected == '-' && c != u'-') return false;
    if (expected == '9') {
      if (c < u'0' || c > u'9') return false;
      number = number * 10 + (c - u'0');
    }
    if (expected == '-' || i == kLength - 1) {
      numbers[index++] = number;
      number = 0;
    }
  }
  return true;
}

}  // namespace

CCalvera2Device::CCalvera2Device() : CJvDevice(5, u"Calvera 3", 2, 8) {}

std::unique_ptr<CJvDevice> CCalvera2Device::Create() const { return std::make_unique<CCalvera2Device>(); }

bool CCalvera2Device::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  CString line;
  if (!CIdentityReply::Query(Commands(), line)) return false;
  // A unit that has not been configured yet reports an empty name.
  if (line.Left(1) == u";") line = CString(kUnconfiguredName) + line;
  const CIdentityReply reply(line);
  if (!reply.HasFields(kSignature + 1)) return false;
  m_info.deviceName = reply.Field(kName);
  m_info.appVersion = reply.Field(kAppVersion);
  m_info.serialNumber = reply.Field(kSerial);
  m_info.signature = reply.Field(kSignature);
  m_info.hardwareRevision = reply.Field(kHardware);
  ident = m_info;
  DWORD signature = 0;
  if (!CIdentityReply::ReadSignature(m_info.signature, signature)) return false;
  return !m_info.appVersion.IsEmpty() && !m_info.signature.IsEmpty() &&
         CIdentityReply::CarriesDeviceCode(signature, GetExpectedDeviceCode());
}

CString CCalvera2Device::GetInfoText() { return DeviceInfoText(m_info); }

const CString& CCalvera2Device::GetSerialNumber() { return m_info.serialNumber; }

bool CCalvera2Device::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_info.appVersion.IsEmpty() && !Identify(ident)) return false;
  contents.m_entries.clear();
  contents.m_entries.push_back(InstalledContent(1, 1, m_info.appVersion));
  return true;
}

bool CCalvera2Device::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  if (m_info.deviceName == kUnconfiguredName) {
    ident.deviceName = m_info.deviceName;
    ident.appVersion = m_info.appVersion;
    ident.serialNumber = m_info.serialNumber;
    return true;
  }
  return Commands()->QueryId(ident);
}

bool CCalvera2Device::GetDeviceInfo(SDeviceInfo& info) {
  if (&info != &m_info) info = m_info;
  return true;
}

bool CCalvera2Device::ReadDataReport(BYTE* buffer, int& status, int timeoutMs) {
  if (!buffer || !GetStream() || !GetStream()->IsOpen() || !Commands()) return false;
  try {
    if (!m_dataChannel.IsOpen()) {
      if (!m_dataChannel.Open(GetStream()->GetName(), StreamIO::OPEN_READ)) return false;
      m_dataChannel.Purge();
    }
    if (!m_dataChannel.SetTimeouts(timeoutMs, timeoutMs)) return false;
    if (m_dataChannel.Read(buffer, kReportSize) != kReportSize) return false;
  } catch (const CFileException&) {
    return false;
  }
  status = m_dataChannel.GetSequenceNumber();
  return true;
}

bool CCalvera2Device::GetPackedSerial(BYTE* buffer) {
  SDeviceIdent ident;
  int numbers[3] = {0, 0, 0};
  const bool read = QueryId(ident) && ScanSerial(ident.serialNumber, numbers);
  if (!read) numbers[0] = numbers[1] = numbers[2] = 0;
  buffer[0] = kPackedFirst;
  buffer[1] = BYTE(numbers[0]);
  buffer[2] = 0;
  buffer[3] = 0;
  buffer[4] = BYTE(numbers[1]);
  buffer[5] = BYTE(((numbers[1] >> 8) & 0x03) | ((numbers[2] & 0x3F) << 2));
  buffer[6] = BYTE(numbers[2] >> 6);
  buffer[7] = kPackedLast;
  return read;
}

}  // namespace Device
