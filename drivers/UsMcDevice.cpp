#include "drivers/UsMcDevice.h"

namespace Device {

CUsMcDevice::CUsMcDevice() : CLiveDevice(18, u"Sondrel Array", 1, 23) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CUsMcDevice::Create() const { return std::make_unique<CUsMcDevice>(); }

// The instrument reports its device code and answers "ID"; the serial number is kept.
bool CUsMcDevice::Identify(SDeviceIdent& ident) {
  if (GetDeviceCode() != GetExpectedDeviceCode() || !QueryId(ident)) return false;
  m_serialNumber = ident.serialNumber;
  return true;
}

CString CUsMcDevice::GetInfoText() {
  CString text;
  text.Format(u"Device type:\t%s\r\nSerial number:\t%s", GetDisplayName().GetString(),
              m_serialNumber.GetString());
  return text;
}

const CString& CUsMcDevice::GetSerialNumber() { return m_serialNumber; }

// The instrument's contents are not reported: the list is emptied.
bool CUsMcDevice::FillFirmwareList(CContents& contents) {
  contents.m_entries.clear();
  return false;
}

}  // namespace Device
