#include "drivers/LiveDevice.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "device/DecimalText.h"
#include "device/JvCommands.h"
#include "drivers/DeviceInfoObject.h"
#include "drivers/IdentityReply.h"
#include "drivers/InstalledContent.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

constexpr char kDle = 0x10;
constexpr const char16_t* kAcknowledged = u"OK!";
constexpr int kStateWordLength = 30;

}  // namespace

CLiveDevice::CLiveDevice(int type, const CString& displayName, int portMask, BYTE deviceCode)
    : CJvDevice(type, displayName, portMask, deviceCode) {}

bool CLiveDevice::Identify(SDeviceIdent& ident) {
  StreamIO::CIoStream* stream = GetStream();
  if (!stream || !stream->IsOpen()) return IdentifyFromInfoObject(ident);
  if (!Commands()) return false;
  try {
    CString reply;
    if (!CIdentityReply::Query(Commands(), reply)) return false;
    return ReadIdentity(reply, ident);
  } catch (const CFileException&) {
    return false;
  }
}

bool CLiveDevice::ReadIdentity(const CString& reply, SDeviceIdent& ident) {
  CString line = reply;
  if (line.GetLength() >= 4 && line[0] == char16_t(kDle) && line.Mid(1, 3) == kAcknowledged) {
    line.Delete(0, 4);
    line.TrimLeft(u' ');
  }
  const CIdentityReply fields(line);
  const int order[] = {CIdentityReply::kName, CIdentityReply::kHardware, CIdentityReply::kSerial,
                       CIdentityReply::kSignature, CIdentityReply::kAppVersion};
  CString* targets[] = {&m_info.deviceName, &m_info.hardwareRevision, &m_info.serialNumber, &m_info.signature,
                        &m_info.appVersion};
  for (int i = 0; i < 5; ++i) {
    if (!fields.HasFields(order[i] + 1)) return false;
    *targets[i] = fields.Field(order[i]);
  }
  return AcceptIdentity(ident);
}

bool CLiveDevice::ReadDeviceInfoObject(std::string&) { return false; }

bool CLiveDevice::IdentifyFromInfoObject(SDeviceIdent& ident) {
  std::string json;
  if (!ReadDeviceInfoObject(json)) return false;
  DWORD signature = 0;
  if (!CDeviceInfoObject::Read(json, m_info, signature)) return false;
  return AcceptIdentity(ident);
}

bool CLiveDevice::AcceptIdentity(SDeviceIdent& ident) {
  ident = m_info;
  m_signature = 0;
  DWORD signature = 0;
  if (!CIdentityReply::ReadSignature(m_info.signature, signature)) return false;
  m_signature = signature;
  return !ident.deviceName.IsEmpty() && !ident.appVersion.IsEmpty() && !ident.serialNumber.IsEmpty() &&
         !m_info.hardwareRevision.IsEmpty() && !m_info.signature.IsEmpty() &&
         CIdentityReply::CarriesDeviceCode(m_signature, GetExpectedDeviceCode());
}

bool CLiveDevice::EnsureIdentified() {
  if (!m_info.signature.IsEmpty()) return true;
  SDeviceIdent ident;
  return Identify(ident);
}

CString CLiveDevice::GetInfoText() {
  m_infoText.Empty();
  if (!EnsureIdentified()) return m_infoText;
  m_infoText.Format(
      u"Device type:\t%s\r\nSerial number:\t%s\r\nApplication Version:\t%s\r\nHardware "
      u"revision:\t%s\r\nSignature:\t%s",
      m_info.deviceName.GetString(), m_info.serialNumber.GetString(), m_info.appVersion.GetString(),
      m_info.hardwareRevision.GetString(), m_info.signature.GetString());
  return m_infoText;
}

const CString& CLiveDevice::GetSerialNumber() { return m_info.serialNumber; }

bool CLiveDevice::FillFirmwareList(CContents& contents) {
  if (!EnsureIdentified()) return false;
  contents.m_entries.clear();
  contents.m_entries.push_back(InstalledContent(1, 1, m_info.appVersion));
  return true;
}

bool CLiveDevice::QueryId(SDeviceIdent& ident) {
  if (!EnsureIdentified()) return false;
  ident = m_info;
  return true;
}

int CLiveDevice::GetDeviceCode() { return EnsureIdentified() ? int(m_signature) : -1; }

void CLiveDevice::CancelTransfer() {
  StreamIO::CIoStream* stream = GetStream();
  if (!stream || !stream->IsOpen()) return;
  stream->CancelIo();
  stream->Close();
}

CString CLiveDevice::GetFirmwareVersion() { return m_info.appVersion; }

DWORD CLiveDevice::GetDeviceInfo(SDeviceInfo& info) {
  if (!EnsureIdentified()) return 0;
  if (&info != &m_info) info = m_info;
  return m_signature;
}

void CLiveDevice::KeepParameterText(const CString& text) {
  const std::string narrow = text.ToAnsi();
  // The text keeps room for its terminating zero.
  const size_t length = std::min(narrow.size(), size_t(kParameterTextSize - 1));
  std::memcpy(m_parameterText, narrow.data(), length);
  m_parameterText[length] = 0;
}

bool CLiveDevice::SetTextParameterA(const CString& text) {
  KeepParameterText(text);
  return false;
}

bool CLiveDevice::SetTextParameterB(const CString& text) {
  KeepParameterText(text);
  return false;
}

bool CLiveDevice::GetBatteryState(int& state, CString& stateText, int[3]) {
  state = kBatteryError;
  stateText = u"ERROR";
  return false;
}

bool CLiveDevice::SetByteParameterA(BYTE value) {
  CString text;
  text.Format(u"%u", value);
  KeepParameterText(text);
  return false;
}

bool CLiveDevice::SetByteParameterB(BYTE value) { return SetByteParameterA(value); }

bool CLiveDevice::SetFlagParameterA(bool on) {
  KeepParameterText(on ? u"1" : u"0");
  return false;
}

bool CLiveDevice::SetFlagParameterB(bool on) { return SetFlagParameterA(on); }

bool CLiveDevice::SetIntParameter(int value) {
  CString text;
  text.Format(u"%d", value);
  KeepParameterText(text);
  return false;
}

bool CLiveDevice::ParseBatteryText(const CString& text, int& state, CString& stateText, int values[3]) {
  // "%30s %d %d %d": a state word, then three numbers; the scan ends at the first item that does
  // not read.
  const std::string line = text.ToUtf8();
  char word[kStateWordLength + 1] = {};
  int consumed = 0;
  int scanned = std::sscanf(line.c_str(), "%30s%n", word, &consumed) == 1 ? 1 : 0;
  std::string_view rest = std::string_view(line).substr(size_t(consumed));
  for (int i = 0; i < 3 && scanned == i + 1; ++i) {
    size_t end = 0;
    if (!ReadDecimal(rest, values[i], &end)) break;
    rest.remove_prefix(end);
    ++scanned;
  }
  stateText = CString::FromAnsi(word);
  stateText.MakeUpper();
  if (stateText == u"FULL")
    state = kBatteryFull;
  else if (stateText == u"CHARGING")
    state = kBatteryCharging;
  else if (stateText == u"DISCHARGING")
    state = kBatteryDischarging;
  else {
    state = kBatteryError;
    stateText = u"ERROR";
  }
  return scanned == 4;
}

}  // namespace Device
