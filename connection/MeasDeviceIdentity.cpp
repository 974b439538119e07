#include "connection/MeasDeviceIdentity.h"

SModel ModelFromSerialNumber(const CString& serialNumber) {
  static const struct {
    const char16_t* code;
    const char16_t* name;
    int loadLimit;
  } kModels[] = {{u"VN01", u"ZI-206", 6000}, {u"VN02", u"VA-216", 16000}, {u"VN03", u"RE-225", 25000}};
  const CString code = serialNumber.Left(4);
  for (const auto& model : kModels) {
    if (code == model.code) return {model.name, model.loadLimit};
  }
  return {u"???", 0};
}

SMeasDeviceInfo ReadMeasDeviceInfo(Device::CVexalonDevice& device) {
  Device::SDeviceInfo identity;
  device.GetDeviceInfo(identity);
  SMeasDeviceInfo info;
  info.strDeviceName = identity.deviceName;
  info.strSerialNumber = identity.serialNumber;
  device.QueryEN(info.strHwSerialNumber);
  info.strHwRevision = identity.hardwareRevision;
  info.strAppVersion = identity.appVersion;
  device.QueryCD(info.strCalDate);
  const SModel model = ModelFromSerialNumber(identity.serialNumber);
  info.strModel = model.name;
  info.nLoadLimit = model.loadLimit;
  return info;
}
