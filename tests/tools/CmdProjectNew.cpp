// zdtool project-new RAWFILE OUT.jvd [--device-name T] [--serial T] [--hw-serial T] [--hw-rev T]
//   [--app-version T] [--model T] [--cal-date T] [--load-limit N]: a new project from a download
// buffer of raw 238-byte records, each given the identity block of the options.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "document/ZedoDoc.h"
#include "tests/tools/CmdProjectSupport.h"
#include "tests/tools/ZdTool.h"

namespace {

bool ParseOptions(const std::vector<std::string>& args, SMeasDeviceInfo& device) {
  const std::map<std::string, CString*> texts = {
      {"--device-name", &device.strDeviceName},   {"--serial", &device.strSerialNumber},
      {"--hw-serial", &device.strHwSerialNumber}, {"--hw-rev", &device.strHwRevision},
      {"--app-version", &device.strAppVersion},   {"--model", &device.strModel},
      {"--cal-date", &device.strCalDate}};
  for (size_t i = 2; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return false;
    if (args[i] == "--load-limit") {
      char* end = nullptr;
      device.nLoadLimit = std::int32_t(std::strtol(args[i + 1].c_str(), &end, 10));
      if (*end) return false;
      continue;
    }
    auto it = texts.find(args[i]);
    if (it == texts.end()) return false;
    *it->second = CString::FromUtf8(args[i + 1]);
  }
  return true;
}

int RunProjectNew(const std::vector<std::string>& args) {
  SMeasDeviceInfo device;
  if (args.size() < 2 || !ParseOptions(args, device)) {
    std::fprintf(stderr,
                 "usage: zdtool project-new RAWFILE OUT.jvd [--device-name T] ... [--load-limit N]\n");
    return 2;
  }
  std::ifstream in(args[0], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", args[0].c_str());
    return 1;
  }
  const std::vector<BYTE> buffer{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  CProjectSession session;
  CZedoDoc doc;
  if (!doc.AddDownloadedData(buffer.data(), buffer.size(), &device)) {
    std::fprintf(stderr, "record %d does not start with its length 238\n", doc.GetCount() + 1);
    return 1;
  }
  if (!doc.SaveToPath(CString::FromUtf8(args[1]))) return 1;
  std::printf("measurements=%d\n", doc.GetCount());
  return 0;
}

const ZdCommandRegistrar kProjectNewRegistrar(
    {"project-new",
     "RAWFILE OUT.jvd [--device-name T] [--serial T] [--hw-serial T] "
     "[--hw-rev T] [--app-version T] [--model T] [--cal-date T] [--load-limit N]",
     RunProjectNew});

}  // namespace
