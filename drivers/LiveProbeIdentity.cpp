#include "drivers/LiveProbeIdentity.h"

#include <iterator>
#include <string>
#include <utility>

#include "device/DeviceFactory.h"
#include "device/JvCommands.h"
#include "device/PercentEncoding.h"
#include "device/streamio/IoStream.h"
#include "drivers/IdentityReply.h"
#include "drivers/InstalledContent.h"
#include "drivers/LiveProbeProtocol.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr char16_t kLinkLost[] = u"BLE_CON_NOK";
constexpr DWORD kRetryPauseMs = 100;
constexpr int kModuleTries = 4;
constexpr int kBootIdentityLimit = 66;
constexpr int kShortestBootIdentity = 3;
constexpr int kMaxSerialLength = 16;
constexpr int kMaxHardwareLength = 4;
constexpr int kMaxSerialDateLength = 10;
constexpr int kEqualsKey = 9;
constexpr int kSeparatorKey = 10;

}  // namespace

bool CLiveProbeIdentity::QueryAgain(CJvCommands* commands, bool afterLinkLoss, CString& line) {
  m_link.ResetZedo(commands, afterLinkLoss, 0);
  Sleep(kRetryPauseMs);
  commands->GetStream()->Purge();
  if (!CIdentityReply::Query(commands, line)) return false;
  m_mode = kApplicationMode;
  return true;
}

bool CLiveProbeIdentity::Identify(CJvCommands* commands, BYTE deviceCode, SDeviceIdent& ident) {
  if (!commands) return false;
  m_moduleComplete = false;
  if (m_mode != kApplicationMode) m_link.ResetZedo(commands, false, 0);
  CString line;
  if (CIdentityReply::Query(commands, line)) {
    m_mode = kApplicationMode;
  } else if (QueryBootloaderIdentity(commands, line)) {
    m_mode = kBootLoaderMode;
  } else if (!QueryAgain(commands, false, line)) {
    return false;
  }
  if (line.GetLength() == 1 && !QueryAgain(commands, false, line)) return false;
  if (line.Find(kLinkLost) >= 0 && (!QueryAgain(commands, true, line) || line.Find(kLinkLost) >= 0))
    return false;
  const CIdentityReply reply(line);
  if (!reply.ReadLeadingFields(m_info)) return false;
  if (m_info.serialNumber == CString(u"-")) m_info.serialNumber = m_defaultSerial;
  ident = m_info;
  DWORD signature = 0;
  if (!CIdentityReply::ReadSignature(m_info.signature, signature)) return false;
  ReadModuleFields(commands);
  return CIdentityReply::HasLeadingTexts(m_info) && CIdentityReply::CarriesDeviceCode(signature, deviceCode);
}

void CLiveProbeIdentity::ReadModuleFields(CJvCommands* commands) {
  // Each field is asked only while the ones before it came; the first missing one is emptied
  // and the rest keep what they held.
  const std::pair<const char16_t*, CString*> fields[] = {{u"RMInNa", &m_info.moduleName},
                                                         {u"RMSeNu", &m_info.moduleSerial},
                                                         {u"RMFWVe", &m_info.moduleVersion},
                                                         {u"RMHWVe", &m_info.moduleHardware}};
  for (const auto& [command, field] : fields) {
    if (!CLiveProbeLink::ModuleQuery(commands, command, *field, kModuleTries)) {
      field->Empty();
      return;
    }
  }
  m_moduleComplete = true;
}

bool CLiveProbeIdentity::QueryBootloaderIdentity(CJvCommands* commands, CString& text) {
  if (!commands) return false;
  try {
    StreamIO::CIoStream* stream = commands->GetStream();
    stream->Flush();
    stream->Purge();
    static const char kSwitch[] = "SC030102F9\r\n";
    static const char kIdentity[] = "SI030000FC\r\n";
    if (!commands->SendWithEcho(reinterpret_cast<const BYTE*>(kSwitch), int(sizeof kSwitch) - 1, 'G') ||
        !commands->SendWithEcho(reinterpret_cast<const BYTE*>(kIdentity), int(sizeof kIdentity) - 1, 0))
      return false;
    char reply[kBootIdentityLimit];
    const int got = stream->Read(reply, kBootIdentityLimit);
    if (got <= kShortestBootIdentity) return false;
    // Only the bytes read make the text: the buffer is full to its end when 66 came.
    text = CString::FromAnsi(std::string(reply, size_t(got)).c_str());
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

CString CLiveProbeIdentity::InfoPairs() const {
  const CString* values[] = {&m_info.deviceName,    &m_info.appVersion,       &m_info.serialNumber,
                             &m_info.signature,     &m_info.hardwareRevision, &m_info.moduleName,
                             &m_info.moduleVersion, &m_info.moduleSerial,     &m_info.moduleHardware};
  CString pairs;
  for (int key = 0; key < int(std::size(values)); ++key) {
    if (key > 0) pairs += GetDeviceInfoKeyName(kSeparatorKey);
    pairs += GetDeviceInfoKeyName(key);
    pairs += GetDeviceInfoKeyName(kEqualsKey);
    pairs += PercentEncode(*values[key]);
  }
  return pairs;
}

bool CLiveProbeIdentity::ReadSerialDate(CJvCommands* commands, CString& text) {
  char reply[kLiveProbeReplySize] = {};
  if (!commands || commands->TextCommand(u"RDSeDa", reply, kLiveProbeReplySize, kLiveProbeWordTimeoutMs) <= 0)
    return false;
  text = CString::FromAnsi(reply);
  return true;
}

bool CLiveProbeIdentity::WriteDeviceIdentity(CJvCommands* commands, BYTE deviceCode, const CString& serial,
                                             const CString& hardware, const CString& serialDate) {
  if (!commands || serial.IsEmpty() || hardware.IsEmpty() || serialDate.IsEmpty()) return false;
  CString storedDate;
  if (!ReadSerialDate(commands, storedDate)) return false;
  if (m_info.serialNumber == serial && m_info.hardwareRevision == hardware && storedDate == serialDate)
    return true;
  // Every length is checked before the first write, so that a refused text leaves the probe
  // as it was rather than half written.
  if (serial.GetLength() > kMaxSerialLength || hardware.GetLength() > kMaxHardwareLength ||
      serialDate.GetLength() > kMaxSerialDateLength)
    return false;
  const CString words[] = {u"WDSeNu" + serial, u"WDHWVe" + hardware, u"WDSeDa" + serialDate};
  for (const CString& word : words) {
    Sleep(kRetryPauseMs);
    if (!CLiveProbeLink::WriteWord(commands, word)) return false;
  }
  SDeviceIdent ident;
  Identify(commands, deviceCode, ident);
  return ReadSerialDate(commands, storedDate) && m_info.serialNumber == serial &&
         m_info.hardwareRevision == hardware && storedDate == serialDate;
}

bool CLiveProbeIdentity::WriteModuleIdentity(CJvCommands* commands, BYTE deviceCode, const CString& serial,
                                             const CString& hardware) {
  if (!commands || serial.IsEmpty() || hardware.IsEmpty()) return false;
  if (m_info.moduleSerial == serial && m_info.moduleHardware == hardware) return true;
  if (serial.GetLength() > kMaxSerialLength || hardware.GetLength() > kMaxHardwareLength) return false;
  for (const CString& word : {u"WMSeNu" + serial, u"WMHWVe" + hardware}) {
    Sleep(kRetryPauseMs);
    if (!CLiveProbeLink::WriteWord(commands, word)) return false;
  }
  SDeviceIdent ident;
  return Identify(commands, deviceCode, ident) && m_moduleComplete && m_info.moduleSerial == serial &&
         m_info.moduleHardware == hardware;
}

bool CLiveProbeIdentity::QueryStoredOrApplicationId(CJvCommands* commands, SDeviceIdent& ident) {
  if (!m_info.deviceName.IsEmpty() && !m_info.appVersion.IsEmpty() && !m_info.serialNumber.IsEmpty()) {
    ident = m_info;
    return true;
  }
  if (!commands || !commands->QueryId(ident)) return false;
  m_mode = kApplicationMode;
  return true;
}

CString CLiveProbeIdentity::InfoText() const {
  CString text;
  text.Format(ResString(IDS_DEVICE_INFO_MODULE), m_info.deviceName.GetString(),
              m_info.serialNumber.GetString(), m_info.appVersion.GetString(),
              m_info.hardwareRevision.GetString(), m_info.signature.GetString(),
              m_info.moduleName.GetString(), m_info.moduleSerial.GetString(),
              m_info.moduleVersion.GetString(), m_info.moduleHardware.GetString());
  return text;
}

void CLiveProbeIdentity::FillFirmwareList(CContents& contents) const {
  contents.m_entries.clear();
  contents.m_entries.push_back(InstalledContent(1, 1, m_info.appVersion));
  // A probe without a module reports the name "No_BTMod"; any other name, an unread one
  // included, lists the module's firmware.
  if (m_info.moduleName == CString(u"No_BTMod")) return;
  contents.m_entries.push_back(InstalledContent(12, 2, m_info.moduleVersion));
}

int CLiveProbeIdentity::SignatureCode() const {
  DWORD signature = 0;
  return CIdentityReply::ReadSignature(m_info.signature, signature) ? int(signature) : -1;
}

}  // namespace Device
