// zdtool identify PORTNAME: the identity of the ZD-2 on the port, one field a line.
// zdtool query PORTNAME QUERY: the instrument's answer to a text query such as @EN@.

#include <cstdio>

#include "device/JvCommands.h"
#include "tests/tools/Zd2Connection.h"
#include "tests/tools/ZdTool.h"

namespace {

constexpr int kQueryTimeoutMs = 2000;

int RunIdentify(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool identify PORTNAME\n");
    return 2;
  }
  auto device = ConnectZd2(args[0]);
  if (!device) return 1;
  SDeviceIdent ident;
  if (!device->Identify(ident)) {
    std::printf("No ZD-2 answered on %s.\n", args[0].c_str());
    return 1;
  }
  Device::SDeviceInfo info;
  device->GetDeviceInfo(info);
  unsigned long signature = 0;
  ParseHexNumber(info.signature.ToUtf8(), signature);
  std::printf("device_name=%s\napp_version=%s\nserial_number=%s\nhardware_revision=%s\nsignature=%08lX\n",
              info.deviceName.ToUtf8().c_str(), info.appVersion.ToUtf8().c_str(),
              info.serialNumber.ToUtf8().c_str(), info.hardwareRevision.ToUtf8().c_str(), signature);
  return 0;
}

int RunQuery(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: zdtool query PORTNAME QUERY\n");
    return 2;
  }
  auto device = ConnectZd2(args[0]);
  if (!device) return 1;
  char answer[Device::CJvCommands::kReplyBufferSize] = {};
  const int length = device->TextQuery(CString::FromUtf8(args[1]), answer, sizeof answer, kQueryTimeoutMs);
  if (length <= 0) {
    std::printf("No answer to %s.\n", args[1].c_str());
    return 1;
  }
  std::printf("%s\n", CString::FromAnsi(answer).ToUtf8().c_str());
  return 0;
}

const ZdCommandRegistrar kIdentify({"identify", "PORTNAME", &RunIdentify});
const ZdCommandRegistrar kQuery({"query", "PORTNAME QUERY", &RunQuery});

}  // namespace
