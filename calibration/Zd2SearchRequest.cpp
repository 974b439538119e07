#include "calibration/Zd2SearchRequest.h"

#include "device/DeviceTypes.h"

Device::SSearchRequest Zd2SerialSearch(int port) {
  Device::SSearchRequest request;
  request.deviceType = Device::eTypeVexalon;
  request.portKind = Device::ePortSerial;
  request.ipHost = u"0.0.0.0";
  request.stopAtFirst = true;
  request.scanAllPorts = port < 1;
  request.portNumber = port >= 1 ? port : 1;
  return request;
}
