#include "drivers/RockHallekDevice.h"

namespace Device {

CRockHallekDevice::CRockHallekDevice() : CJvDevice(14, u"RockHallek", 1, 17) {
  m_serialSettings.baud = 38400;
  m_serialSettings.flags = StreamIO::RS232_RTSCTS;
  m_serialSettings.readTimeout = 1000;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CRockHallekDevice::Create() const { return std::make_unique<CRockHallekDevice>(); }

bool CRockHallekDevice::Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) {
  if (!CJvDevice::Attach(stream, portKind)) return false;
  SetTextMode(false);
  return true;
}

int CRockHallekDevice::GetMaxBlockSize() { return 0; }

int CRockHallekDevice::GetBlockCheckKind() { return 1; }

bool CRockHallekDevice::EnterMode12() { return GetStream() && m_protocol.EnterMode24(Commands()); }

bool CRockHallekDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_protocol.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString CRockHallekDevice::GetInfoText() { return m_protocol.InfoText(); }

const CString& CRockHallekDevice::GetSerialNumber() { return m_protocol.Info().serialNumber; }

bool CRockHallekDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_protocol.Info().appVersion.IsEmpty() && !Identify(ident)) return false;
  m_protocol.FillFirmwareList(contents);
  return true;
}

int CRockHallekDevice::BinaryRequest(BYTE code, int payloadLength, BYTE* buffer, int bufferSize,
                                     int timeoutMs) {
  return m_protocol.BinaryRequest(Commands(), code, payloadLength, buffer, bufferSize, timeoutMs);
}

int CRockHallekDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) {
  return m_protocol.SetRunMode(*this, Commands(), Callback(), header, record);
}

bool CRockHallekDevice::GetDeviceInfo(SReboundHammerInfo& info) {
  if (&info != &m_protocol.Info()) info = m_protocol.Info();
  return true;
}

}  // namespace Device
