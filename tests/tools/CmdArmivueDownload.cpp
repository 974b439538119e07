// zdtool download PORTNAME OUTDIR --type 3 [--binary] [--baud B]: downloads the Armivue's stored
// objects and prints result= and objects=N; each object's data-file text goes to
// OUTDIR/object-N.txt as UTF-8 without a byte-order mark, its line ends as written.

#include <cstdio>
#include <fstream>

#include "drivers/ArmiSmartDevice.h"
#include "tests/tools/DeviceConnection.h"
#include "tests/tools/InstrumentDownload.h"

namespace {

constexpr int kArmivueType = 3;
constexpr int kLinkBaud = 19200;

int ArmivueDownloadUsage() {
  std::fprintf(stderr, "usage: zdtool download PORTNAME OUTDIR --type 3 [--binary] [--baud B]\n");
  return 2;
}

bool WriteObject(Device::CArmiSmartDevice& device, const Device::CArmiSmartDevice::TMeas& meas,
                 const std::string& path) {
  std::u16string text(size_t(device.WriteDataFile(meas, nullptr, 0)), u'\0');
  if (device.WriteDataFile(meas, text.data(), int(text.size())) != int(text.size())) return false;
  std::ofstream out(path, std::ios::binary);
  out << CString(text).ToUtf8();
  return bool(out);
}

}  // namespace

int RunInstrumentDownload(const std::vector<std::string>& args) {
  if (args.size() < 4) return ArmivueDownloadUsage();
  int type = 0;
  bool binary = false;
  int baud = kLinkBaud;
  for (size_t i = 2; i < args.size(); ++i) {
    if (args[i] == "--type" && i + 1 < args.size() && ParseTypeNumber(args[i + 1], type))
      ++i;
    else if (args[i] == "--baud" && i + 1 < args.size() && ParseTypeNumber(args[i + 1], baud))
      ++i;
    else if (args[i] == "--binary")
      binary = true;
    else
      return ArmivueDownloadUsage();
  }
  if (type != kArmivueType) {
    std::fprintf(stderr, "The download of type %d is not offered.\n", type);
    return 2;
  }
  auto device = ConnectDevice(args[0], type);
  if (!device) return 1;
  auto& armivue = dynamic_cast<Device::CArmiSmartDevice&>(*device);
  Device::CArmiSmartDevice::TMeasSet set;
  const bool result = armivue.DownloadMeasurements(set, baud, binary);
  std::printf("result=%d\nobjects=%zu\n", result ? 1 : 0, set.objects.size());
  for (size_t i = 0; i < set.objects.size(); ++i) {
    const std::string path = args[1] + "/object-" + std::to_string(i + 1) + ".txt";
    if (!WriteObject(armivue, set.objects[i], path))
      std::fprintf(stderr, "%s was not written.\n", path.c_str());
  }
  return result ? 0 : 1;
}
