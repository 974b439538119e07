// zdtool ports: the serial ports the layer maps (COM number and device node) and the USB and
// HID instruments found, one a line.
// zdtool ports map N DEVICE / zdtool ports clear: put a device node at COM N, or drop every
// such mapping, in the settings store.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "device/streamio/UsbDevices.h"
#include "platform/io/ComPortMap.h"
#include "platform/io/PortSettings.h"
#include "tests/tools/ZdTool.h"

namespace {

int Map(const std::vector<std::string>& args) {
  const int number = std::atoi(args[1].c_str());
  if (!SetComPortMapping(number, args[2])) {
    std::fprintf(stderr, "COM%d could not be mapped to %s.\n", number, args[2].c_str());
    return 1;
  }
  return 0;
}

int Clear() {
  if (ClearComPortMappings()) return 0;
  std::fprintf(stderr, "The COM port mappings could not be cleared.\n");
  return 1;
}

int List() {
  for (const auto& port : ListComPorts()) std::printf("COM%d: %s\n", port.number, port.device.c_str());
  std::vector<CString> paths;
  if (!StreamIO::ListUsbHostDevices(paths)) {
    std::fprintf(stderr, "The USB devices could not be listed.\n");
    return 1;
  }
  for (const auto& path : paths) std::printf("USB %s\n", path.ToUtf8().c_str());
  if (!StreamIO::ListHidProbes(paths)) {
    std::fprintf(stderr, "The HID probes could not be listed.\n");
    return 1;
  }
  for (const auto& path : paths) std::printf("HID %s\n", path.ToUtf8().c_str());
  return 0;
}

int RunPorts(const std::vector<std::string>& args) {
  if (args.empty()) return List();
  if (args.size() == 3 && args[0] == "map") return Map(args);
  if (args.size() == 1 && args[0] == "clear") return Clear();
  std::fprintf(stderr, "usage: zdtool ports [map N DEVICE | clear]\n");
  return 2;
}

const ZdCommandRegistrar kPortsRegistrar({"ports", "[map N DEVICE | clear]", &RunPorts});

}  // namespace
