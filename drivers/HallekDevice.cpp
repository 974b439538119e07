#include "drivers/HallekDevice.h"

namespace Device {

CHallekDevice::CHallekDevice() : CHallekDevice(2, u"SilverHallek", 1, 5) {}

CHallekDevice::CHallekDevice(int type, const CString& displayName, int portMask, BYTE deviceCode)
    : CJvDevice(type, displayName, portMask, deviceCode) {
  m_serialSettings.baud = 38400;
  m_serialSettings.flags = StreamIO::RS232_RTSCTS;
  m_serialSettings.readTimeout = 1000;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CHallekDevice::Create() const { return std::make_unique<CHallekDevice>(); }

bool CHallekDevice::Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) {
  if (!CJvDevice::Attach(stream, portKind)) return false;
  SetTextMode(false);
  return true;
}

int CHallekDevice::GetMaxBlockSize() { return 0; }

int CHallekDevice::GetBlockCheckKind() { return 1; }

bool CHallekDevice::EnterMode12() { return GetStream() && m_protocol.EnterMode24(Commands()); }

bool CHallekDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_protocol.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString CHallekDevice::GetInfoText() { return m_protocol.InfoText(); }

const CString& CHallekDevice::GetSerialNumber() { return m_protocol.Info().serialNumber; }

bool CHallekDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_protocol.Info().appVersion.IsEmpty() && !Identify(ident)) return false;
  m_protocol.FillFirmwareList(contents);
  return true;
}

int CHallekDevice::BinaryRequest(BYTE code, int payloadLength, BYTE* buffer, int bufferSize, int timeoutMs) {
  return m_protocol.BinaryRequest(Commands(), code, payloadLength, buffer, bufferSize, timeoutMs);
}

int CHallekDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) {
  return m_protocol.SetRunMode(*this, Commands(), Callback(), header, record);
}

bool CHallekDevice::GetDeviceInfo(SReboundHammerInfo& info) {
  if (&info != &m_protocol.Info()) info = m_protocol.Info();
  return true;
}

}  // namespace Device
