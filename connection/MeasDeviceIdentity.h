#pragma once
// The identity block that every downloaded measurement gets: what the device object read when
// it was found, the instrument's answers to "@EN@" and "@CD@", and the model with its load
// limit from the model code at the start of the serial number.

#include "device/VexalonDevice.h"
#include "document/MeasRecord.h"

struct SModel {
  CString name;
  int loadLimit = 0;  // N
};

// "VN01", "VN02" and "VN03" at the very start of the serial number; anything else is "???", 0.
SModel ModelFromSerialNumber(const CString& serialNumber);

// Asks the two queries; an unanswered one leaves "UNDEF".
SMeasDeviceInfo ReadMeasDeviceInfo(Device::CVexalonDevice& device);
