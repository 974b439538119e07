#pragma once
// The ZD-2 subcommands' way to the instrument: a ZD-2 device object from the factory,
// attached to the stream of a port name ("COMn:" with the ZD-2's serial settings, or
// "IP:host:port").

#include <memory>
#include <string>

#include "device/VexalonDevice.h"

// Attaches the device to the stream of the port name (a COM port with the device's serial
// settings); false after printing why to standard error.
bool AttachDeviceToPort(Device::CJvDevice& device, const std::string& portName);
// The attached device, or none after printing why to standard error.
std::unique_ptr<Device::CVexalonDevice> ConnectZd2(const std::string& portName);
// A number written in hexadecimal, with or without "0x"; false for anything else.
bool ParseHexNumber(const std::string& text, unsigned long& value);
