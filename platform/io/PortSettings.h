#pragma once
// The settings of the port layer in the settings store, under the key
// "Software\Jovant\ZD-Zedo\Ports": which device node stands at a COM number (string values
// "COM1" to "COM256"), and the USB ids that select instruments (DWORD values). Tests point a
// COM number at a pseudo-terminal this way. Writes that fail return false.

#include <map>
#include <string>

#include "platform/base/WinTypes.h"

// COM number (1 to 256) to device node.
std::map<int, std::string> GetComPortMappings();
bool SetComPortMapping(int number, const std::string& device);
bool ClearComPortMappings();

// Instruments with the bulk-pipe driver: this vendor id, and this product id unless it is 0.
WORD GetUsbHostVendorId();
WORD GetUsbHostProductId();
// HID probes: this vendor id.
WORD GetHidProbeVendorId();
bool SetUsbIds(WORD hostVendorId, WORD hostProductId, WORD hidVendorId);
