#include "drivers/DriverIdentity.h"

namespace Device {

bool IdentifyByDeviceCode(CJvDevice& device, SDeviceIdent& ident, CString& serialNumber) {
  if (device.GetDeviceCode() != device.GetExpectedDeviceCode()) return false;
  if (!device.QueryId(ident)) return false;
  serialNumber = ident.serialNumber;
  return true;
}

CString DriverInfoText(CJvDevice& device, const CString& serialNumber) {
  CString text;
  text.Format(u"Device type:\t%s\r\nSerial number:\t%s", device.GetDisplayName(), serialNumber);
  return text;
}

bool NoFirmwareList(CContents& contents) {
  contents.m_entries.clear();
  return false;
}

}  // namespace Device
