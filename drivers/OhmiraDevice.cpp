#include "drivers/OhmiraDevice.h"

#include "device/DeviceAbort.h"
#include "device/UpdateErrorCode.h"
#include "drivers/IdentityReply.h"
#include "drivers/SRecordPart.h"
#include "resources/ResourceIds.h"

namespace Device {

COhmiraDevice::COhmiraDevice() : CJvDevice(7, u"Ohmira", 1, 10) {
  m_serialSettings.baud = 19200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> COhmiraDevice::Create() const { return std::make_unique<COhmiraDevice>(); }

bool COhmiraDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_loader.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString COhmiraDevice::GetInfoText() { return m_loader.InfoText(); }

const CString& COhmiraDevice::GetSerialNumber() { return m_loader.Info().serialNumber; }

bool COhmiraDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_loader.Info().signature.IsEmpty() && !Identify(ident)) return false;
  m_loader.FillFirmwareList(contents);
  return true;
}

bool COhmiraDevice::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  return m_loader.QueryApplicationId(Commands(), ident) || Identify(ident);
}

int COhmiraDevice::GetDeviceCode() {
  SDeviceIdent ident;
  if (!Commands() || !Identify(ident)) return 0;
  DWORD signature = 0;
  return CIdentityReply::ReadSignature(m_loader.Info().signature, signature) ? int(signature) : 0;
}

int COhmiraDevice::UpdateInit(const CPackageHeader& header) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (CJvDevice::UpdateInit(header) != eUpdateOk) return eUpdateNotAttached;
  return m_loader.Init(*this, Commands(), Callback());
}

int COhmiraDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord&) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!Commands()) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_SET_MODE);
  return eUpdateOk;
}

int COhmiraDevice::UpdateWriteData(const SBlockRecord& record) {
  return CSRecordPart::Write(Commands(), SecondStream(), record, Callback(), GetStepSuffix());
}

int COhmiraDevice::UpdateWriteDataBlock(const SBlockRecord&) { return eUpdateOk; }

int COhmiraDevice::UpdateSetRunMode(const CPackageHeader&, const SBlockRecord&) { return eUpdateOk; }

int COhmiraDevice::UpdateFinish() {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!Commands()) return eUpdateNotAttached;
  return m_loader.Leave(Commands()) ? CJvDevice::UpdateFinish() : int(eUpdateCommunication);
}

bool COhmiraDevice::GetDeviceInfo(SDeviceInfo& info) {
  if (&info != &m_loader.Info()) info = m_loader.Info();
  return true;
}

bool COhmiraDevice::QueryBootloaderIdentity(CString& text) {
  return m_loader.QueryBootloaderIdentity(Commands(), text);
}

}  // namespace Device
