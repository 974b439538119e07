#include "drivers/LumovetDevice.h"

namespace Device {

CLumovetDevice::CLumovetDevice() : CJvDevice(1, u"Durimo Lumovet / Durimo Korrest", 1, 4) {
  m_serialSettings.baud = 38400;
  m_serialSettings.flags = StreamIO::RS232_RTSCTS;
  m_serialSettings.readTimeout = 1000;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CLumovetDevice::Create() const { return std::make_unique<CLumovetDevice>(); }

bool CLumovetDevice::Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) {
  if (!CJvDevice::Attach(stream, portKind)) return false;
  SetTextMode(false);
  return true;
}

int CLumovetDevice::GetMaxBlockSize() { return 0; }

int CLumovetDevice::GetBlockCheckKind() { return 1; }

bool CLumovetDevice::EnterMode12() { return GetStream() && m_protocol.EnterMode24(Commands()); }

bool CLumovetDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_protocol.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString CLumovetDevice::GetInfoText() { return m_protocol.InfoText(); }

const CString& CLumovetDevice::GetSerialNumber() { return m_protocol.Info().serialNumber; }

bool CLumovetDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_protocol.Info().appVersion.IsEmpty() && !Identify(ident)) return false;
  m_protocol.FillFirmwareList(contents);
  return true;
}

int CLumovetDevice::BinaryRequest(BYTE code, int payloadLength, BYTE* buffer, int bufferSize, int timeoutMs) {
  return m_protocol.BinaryRequest(Commands(), code, payloadLength, buffer, bufferSize, timeoutMs);
}

int CLumovetDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) {
  return m_protocol.SetRunMode(*this, Commands(), Callback(), header, record);
}

bool CLumovetDevice::GetDeviceInfo(SReboundHammerInfo& info) {
  if (&info != &m_protocol.Info()) info = m_protocol.Info();
  return true;
}

}  // namespace Device
