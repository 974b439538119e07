#include "drivers/SondrelLabDevice.h"

#include <utility>
#include <vector>

#include "device/DeviceAbort.h"
#include "device/UpdateErrorCode.h"
#include "drivers/IdentityReply.h"
#include "drivers/SRecordPart.h"

namespace Device {
namespace {

constexpr BYTE kBootLoaderRequest = 1;
constexpr BYTE kIdentityTextsRequest = 11;
constexpr BYTE kSelfCheckRequest = 7;
constexpr BYTE kSelfCheckStart = 0xFF;
constexpr BYTE kRequest7Code4 = 0x04;
constexpr int kRequestTimeoutMs = 3000;
constexpr int kSelfCheckTimeoutMs = 80000;
constexpr int kSelfCheckBufferSize = 10;
// Longer texts are refused: request 11 carries at most 47 bytes, the kind byte and the end
// mark among them.
constexpr int kMaxIdentityText = 45;
const char16_t* const kSelfCheckByteSixModel = u"Sondrel Lab+";

}  // namespace

CSondrelLabDevice::CSondrelLabDevice() : CJvDevice(6, u"Sondrel Lab", 1, 9) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CSondrelLabDevice::Create() const { return std::make_unique<CSondrelLabDevice>(); }

bool CSondrelLabDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_loader.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString CSondrelLabDevice::GetInfoText() { return m_loader.InfoText(); }

const CString& CSondrelLabDevice::GetSerialNumber() { return m_loader.Info().serialNumber; }

bool CSondrelLabDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_loader.Info().signature.IsEmpty() && !Identify(ident)) return false;
  m_loader.FillFirmwareList(contents);
  return true;
}

bool CSondrelLabDevice::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  return m_loader.QueryApplicationId(Commands(), ident) || Identify(ident);
}

int CSondrelLabDevice::GetDeviceCode() {
  SDeviceIdent ident;
  if (!Commands() || !Identify(ident)) return 0;
  DWORD signature = 0;
  return CIdentityReply::ReadSignature(m_loader.Info().signature, signature) ? int(signature) : 0;
}

int CSondrelLabDevice::UpdateInit(const CPackageHeader& header) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (CJvDevice::UpdateInit(header) != eUpdateOk) return eUpdateNotAttached;
  return m_loader.Init(*this, Commands(), Callback(), kBootLoaderRequest, CJvCommands::kEraseTimeoutMs);
}

int CSondrelLabDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord& record) {
  return m_loader.SwitchState(Commands(), Callback(), GetStepSuffix(), record);
}

int CSondrelLabDevice::UpdateWriteData(const SBlockRecord& record) {
  return CSRecordPart::Write(Commands(), SecondStream(), record, Callback(), GetStepSuffix());
}

int CSondrelLabDevice::UpdateWriteDataBlock(const SBlockRecord&) { return eUpdateOk; }

int CSondrelLabDevice::UpdateSetRunMode(const CPackageHeader&, const SBlockRecord&) { return eUpdateOk; }

int CSondrelLabDevice::UpdateFinish() {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!Commands()) return eUpdateNotAttached;
  return m_loader.Leave(Commands()) ? CJvDevice::UpdateFinish() : int(eUpdateCommunication);
}

bool CSondrelLabDevice::QueryBootloaderIdentity(CString& text) {
  return m_loader.QueryBootloaderIdentity(Commands(), text);
}

bool CSondrelLabDevice::EnterBootloaderState() { return m_loader.EnterBootloaderState(Commands()); }

bool CSondrelLabDevice::GetDeviceInfo(SSondrelLabInfo& info) {
  static_cast<SDeviceInfo&>(info) = m_loader.Info();
  info.sixthField = m_loader.SixthField();
  return true;
}

bool CSondrelLabDevice::WriteIdentityTexts(const CString& first, const CString& second,
                                           const CString& third) {
  // All three are checked before the first request, so that the instrument never keeps a
  // half-written set.
  for (const CString* text : {&first, &second, &third})
    if (text->GetLength() > kMaxIdentityText) return false;
  const std::pair<BYTE, const CString*> parts[] = {
      {0x00, nullptr}, {0x01, &first}, {0x03, &second}, {0x02, &third}};
  for (const auto& [kind, text] : parts) {
    std::vector<BYTE> payload{kind};
    if (text) {
      for (int i = 0; i < text->GetLength(); ++i) payload.push_back(BYTE(text->GetAt(i) & 0xFF));
      payload.push_back(0);
    }
    const int length = int(payload.size());
    if (BinaryRequest(kIdentityTextsRequest, length, payload.data(), length, kRequestTimeoutMs) >=
        CJvCommands::kFirstStatus)
      return false;
  }
  return true;
}

bool CSondrelLabDevice::ReadSelfCheck(SSelfCheckStatus& status) {
  status = SSelfCheckStatus();
  BYTE reply[kSelfCheckBufferSize] = {kSelfCheckStart};
  const int count = BinaryRequest(kSelfCheckRequest, 1, reply, sizeof reply, kSelfCheckTimeoutMs);
  if ((count != 6 && count != 7) || reply[0] != kSelfCheckStart) return false;
  status.flagA = reply[1] == 0;
  status.flagB = reply[2] == 0;
  status.value = WORD(reply[3] | (reply[4] << 8));
  status.flagC = reply[5] == 0;
  // Only a reply of 7 bytes carries byte 6; a shorter one leaves it unanswered.
  CString name = m_loader.Info().deviceName;
  const bool byteSixCounts = name.MakeUpper() == CString(kSelfCheckByteSixModel).MakeUpper();
  status.flagD = !byteSixCounts || (count == 7 && reply[6] == 0);
  return status.flagA && status.flagB && status.flagC && status.flagD;
}

bool CSondrelLabDevice::SendRequest7Code4() {
  BYTE reply[kSelfCheckBufferSize] = {kRequest7Code4};
  // The request only starts something on the instrument; its answer tells the caller nothing.
  BinaryRequest(kSelfCheckRequest, 1, reply, sizeof reply, kRequestTimeoutMs);
  return true;
}

}  // namespace Device
