#include "drivers/TestBoxDevice.h"

#include <vector>

#include "device/DeviceAbort.h"
#include "device/UpdateErrorCode.h"
#include "drivers/IdentityReply.h"
#include "drivers/SRecordPart.h"

namespace Device {
namespace {

constexpr BYTE kTestBoxBootLoaderRequest = 206;
constexpr BYTE kNameCodeRequest = 206;
constexpr BYTE kNameCodeStart = 0x10;
constexpr int kNameLength = 13;
constexpr int kCodeLength = 2;
constexpr int kTestBoxRequestTimeoutMs = 3000;
constexpr int kTestBoxEraseTimeoutMs = 35000;

}  // namespace

CTestBoxDevice::CTestBoxDevice() : CJvDevice(13, u"TestBox", 1, 16) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CTestBoxDevice::Create() const { return std::make_unique<CTestBoxDevice>(); }

bool CTestBoxDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_loader.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString CTestBoxDevice::GetInfoText() { return m_loader.InfoText(); }

const CString& CTestBoxDevice::GetSerialNumber() { return m_loader.Info().serialNumber; }

bool CTestBoxDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_loader.Info().signature.IsEmpty() && !Identify(ident)) return false;
  m_loader.FillFirmwareList(contents);
  return true;
}

bool CTestBoxDevice::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  return m_loader.QueryApplicationId(Commands(), ident) || Identify(ident);
}

int CTestBoxDevice::GetDeviceCode() {
  SDeviceIdent ident;
  if (!Commands() || !Identify(ident)) return 0;
  DWORD signature = 0;
  return CIdentityReply::ReadSignature(m_loader.Info().signature, signature) ? int(signature) : 0;
}

int CTestBoxDevice::UpdateInit(const CPackageHeader& header) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (CJvDevice::UpdateInit(header) != eUpdateOk) return eUpdateNotAttached;
  return m_loader.Init(*this, Commands(), Callback(), kTestBoxBootLoaderRequest, kTestBoxEraseTimeoutMs);
}

int CTestBoxDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord& record) {
  return m_loader.SwitchState(Commands(), Callback(), GetStepSuffix(), record);
}

int CTestBoxDevice::UpdateWriteData(const SBlockRecord& record) {
  return CSRecordPart::Write(Commands(), SecondStream(), record, Callback(), GetStepSuffix());
}

int CTestBoxDevice::UpdateWriteDataBlock(const SBlockRecord&) { return eUpdateOk; }

int CTestBoxDevice::UpdateSetRunMode(const CPackageHeader&, const SBlockRecord&) { return eUpdateOk; }

int CTestBoxDevice::UpdateFinish() {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!Commands()) return eUpdateNotAttached;
  return m_loader.Leave(Commands()) ? CJvDevice::UpdateFinish() : int(eUpdateCommunication);
}

bool CTestBoxDevice::QueryBootloaderIdentity(CString& text) {
  return m_loader.QueryBootloaderIdentity(Commands(), text);
}

bool CTestBoxDevice::EnterBootloaderState() { return m_loader.EnterBootloaderState(Commands()); }

bool CTestBoxDevice::GetDeviceInfo(STestBoxInfo& info) {
  static_cast<SDeviceInfo&>(info) = m_loader.Info();
  info.signatureValue = m_loader.SignatureValue();
  return true;
}

bool CTestBoxDevice::WriteNameCode(const CString& name, const CString& code, const CString&) {
  std::vector<BYTE> payload{kNameCodeStart};
  for (char ch : name.Left(kNameLength).ToAnsi()) payload.push_back(BYTE(ch));
  payload.push_back(';');
  for (char ch : code.Left(kCodeLength).ToAnsi()) payload.push_back(BYTE(ch));
  const int length = int(payload.size());
  return BinaryRequest(kNameCodeRequest, length, payload.data(), length, kTestBoxRequestTimeoutMs) <
         CJvCommands::kFirstStatus;
}

}  // namespace Device
