// zdtool search --type T (--ip HOST | --serial [--port N] [--skip N] [--first] | --usb):
// one search job on the device thread, its reports printed as they come (PrintingCallback.h).
// Without --port the serial search scans every COM port; --first stops at the first device.
// Exits 0 when a device was found.

#include <cstdio>

#include "device/DeviceThread.h"
#include "device/streamio/StreamIO.h"
#include "platform/kernel/SyncObject.h"
#include "tests/tools/DecimalArgument.h"
#include "tests/tools/PrintingCallback.h"
#include "tests/tools/ZdTool.h"

namespace {

bool ParseRequest(const std::vector<std::string>& args, Device::SSearchRequest& request) {
  request.stopAtFirst = false;
  request.scanAllPorts = true;
  bool typeGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    const bool hasValue = i + 1 < args.size();
    if (option == "--type" && hasValue) {
      typeGiven = ParseDecimalNumber(args[++i], request.deviceType);
      if (!typeGiven) return false;
    } else if (option == "--ip" && hasValue) {
      request.portKind = Device::ePortIp;
      request.ipHost = CString::FromUtf8(args[++i]);
    } else if (option == "--serial") {
      request.portKind = Device::ePortSerial;
    } else if (option == "--usb") {
      request.portKind = Device::ePortUsb;
    } else if (option == "--port" && hasValue) {
      request.scanAllPorts = false;
      if (!ParseDecimalNumber(args[++i], request.portNumber)) return false;
    } else if (option == "--skip" && hasValue) {
      if (!ParseDecimalNumber(args[++i], request.portToSkip)) return false;
    } else if (option == "--first") {
      request.stopAtFirst = true;
    } else {
      return false;
    }
  }
  return typeGiven && request.portKind != Device::ePortNone;
}

int RunSearch(const std::vector<std::string>& args) {
  Device::SSearchRequest request;
  if (!ParseRequest(args, request)) {
    std::fprintf(
        stderr,
        "usage: zdtool search --type T (--ip HOST | --serial [--port N] [--skip N] [--first] | --usb)\n");
    return 2;
  }
  StreamIO::InitStreamIO();
  CPrintingCallback callback;
  if (!Device::StartDeviceThread() || !Device::AddSearchJob(&callback, &request)) {
    std::fprintf(stderr, "The device thread could not be started.\n");
    return 1;
  }
  WaitForSingleObject(callback.Done(), INFINITE);
  Device::StopDeviceThread();
  StreamIO::ExitStreamIO();
  return callback.FoundCount() > 0 ? 0 : 1;
}

const ZdCommandRegistrar kSearch({"search",
                                  "--type T (--ip HOST | --serial [--port N] [--skip N] [--first] | --usb)",
                                  &RunSearch});

}  // namespace
