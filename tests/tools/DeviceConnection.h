#pragma once
// The subcommands' way to an instrument of any type: a device object of the type from the
// factory, attached to the stream of a port name ("COMn:" with the class's serial settings,
// "IP:host:port", or a USB or HID device path).

#include <memory>
#include <string>

#include "device/JvDevice.h"

// The attached device, or none after printing why to standard error.
std::unique_ptr<Device::CJvDevice> ConnectDevice(const std::string& portName, int type);
// A decimal number; false for anything else.
bool ParseTypeNumber(const std::string& text, int& value);
