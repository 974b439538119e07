#include "device/streamio/UsbDevices.h"

#include <string>

#include "platform/io/HidBackend.h"
#include "platform/io/PortSettings.h"
#include "platform/io/UsbBackend.h"

namespace StreamIO {

namespace {

bool ToPaths(int error, const std::vector<std::string>& found, std::vector<CString>& paths) {
  paths.clear();
  if (error != 0) return false;
  for (const auto& path : found) paths.push_back(CString::FromUtf8(path));
  return true;
}

}  // namespace

bool ListUsbHostDevices(std::vector<CString>& paths) {
  std::vector<std::string> found;
  const int error = GetUsbBackend().List(GetUsbHostVendorId(), GetUsbHostProductId(), found);
  return ToPaths(error, found, paths);
}

bool ListHidProbes(std::vector<CString>& paths) {
  std::vector<std::string> found;
  const int error = GetHidBackend().List(GetHidProbeVendorId(), found);
  return ToPaths(error, found, paths);
}

}  // namespace StreamIO
