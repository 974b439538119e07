#pragma once
// Which device node stands behind each COM number. The serial devices under /dev (ttyS* with
// a UART behind it, ttyUSB*, ttyACM*, each group by number) take the lowest free numbers in
// that order; the mappings of the settings (PortSettings.h) take their own numbers first.

#include <string>
#include <vector>

struct SComPort {
  int number;
  std::string device;
};

// All mapped ports, by COM number.
std::vector<SComPort> ListComPorts();
// The device node of COM port `number`, or empty when none stands there.
std::string ComPortDevice(int number);
