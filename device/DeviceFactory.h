#pragma once
// Device objects are made only here, from an instrument type number. The ZD-2 class is built
// in; the classes of the other instruments live in the drivers library, which registers them
// at start-up (RegisterDriverClasses), so that this library does not depend on it.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

using DeviceCreator = std::unique_ptr<CJvDevice> (*)();

// A new, unattached object of the type's class, or none for a number without a class (or
// whose class has not been registered).
std::unique_ptr<CJvDevice> CreateDevice(int type);
// The type name of the type table, or null for a number without a class.
const char16_t* GetDeviceTypeName(int type);
// The key names of the device-information pairs; "unknown_key" for other numbers.
const char16_t* GetDeviceInfoKeyName(int key);
// Gives a type of the table its class; types outside the table are refused.
bool RegisterDeviceClass(int type, DeviceCreator create);

}  // namespace Device
