// zdtool identify PORTNAME: the identity of the ZD-2 on the port, one field a line.
// zdtool identify PORTNAME --type T: the identity of an instrument of type T as its class
// reports it: identified=, device_name=, app_version=, serial_number=, device_code= (0x%08X or
// -1), info_text=, pairs= and one firmware=TYPE,PART,FLAGS,a.b.c.d line per content. Exits 0
// when the instrument identified.
// zdtool query PORTNAME QUERY: the instrument's answer to a text query such as @EN@.

#include <cstdio>

#include "device/Contents.h"
#include "device/JvCommands.h"
#include "tests/tools/DeviceConnection.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/Zd2Connection.h"
#include "tests/tools/ZdTool.h"

namespace {

constexpr int kQueryTimeoutMs = 2000;

int RunTypedIdentify(const std::string& portName, int type) {
  auto device = ConnectDevice(portName, type);
  if (!device) return 1;
  SDeviceIdent ident;
  const bool identified = device->Identify(ident);
  std::printf("identified=%d\n", identified ? 1 : 0);
  std::printf("device_name=%s\napp_version=%s\nserial_number=%s\n", EscapedText(ident.deviceName).c_str(),
              EscapedText(ident.appVersion).c_str(), EscapedText(ident.serialNumber).c_str());
  const int code = device->GetDeviceCode();
  if (code == -1)
    std::printf("device_code=-1\n");
  else
    std::printf("device_code=0x%08X\n", unsigned(code));
  std::printf("info_text=%s\n", EscapedText(device->GetInfoText()).c_str());
  std::printf("pairs=%s\n", EscapedText(device->GetDeviceInfoPairs()).c_str());
  Device::CContents contents;
  if (device->FillFirmwareList(contents)) {
    for (const Device::SContentEntry& entry : contents.m_entries)
      std::printf("firmware=%d,%u,%u,%s\n", entry.contentType, unsigned(entry.kind), unsigned(entry.flags),
                  entry.version.Format(4).ToUtf8().c_str());
  }
  return identified ? 0 : 1;
}

int RunIdentify(const std::vector<std::string>& args) {
  int type = 0;
  if (args.size() == 3 && args[1] == "--type" && ParseTypeNumber(args[2], type))
    return RunTypedIdentify(args[0], type);
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool identify PORTNAME [--type T]\n");
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

const ZdCommandRegistrar kIdentify({"identify", "PORTNAME [--type T]", &RunIdentify});
const ZdCommandRegistrar kQuery({"query", "PORTNAME QUERY", &RunQuery});

}  // namespace
