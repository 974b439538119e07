// zdtool pkg-info PACKAGEFILE: the contents of a firmware update package, one fact a line and
// one line per entry, or the file-read error text.
// zdtool update PORTNAME PACKAGEFILE [--type T]: a firmware-update job on the device thread for
// the ZD-2 (or, with --type, the identified instrument of type T) on the port; its statuses and
// progress as they come and the final message (PrintingCallback.h). Exits 0 when the update
// succeeded.

#include <cstdio>
#include <memory>

#include "device/DeviceThread.h"
#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "device/streamio/FileStream.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/FileException.h"
#include "platform/kernel/SyncObject.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"
#include "tests/tools/DeviceConnection.h"
#include "tests/tools/PrintingCallback.h"
#include "tests/tools/Zd2Connection.h"
#include "tests/tools/ZdTool.h"

namespace {

std::unique_ptr<StreamIO::CIoStream> OpenPackage(const std::string& path) {
  try {
    return std::make_unique<StreamIO::CFileStream>(CString::FromUtf8(path), StreamIO::OPEN_READ);
  } catch (const CFileException&) {
    return nullptr;
  }
}

int RunPackageInfo(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool pkg-info PACKAGEFILE\n");
    return 2;
  }
  auto stream = OpenPackage(args[0]);
  Device::CPackageHeader header;
  if (!stream || !header.Read(*stream)) {
    std::printf("%s\n", ResString(IDS_UPDATE_FILE_READ).ToUtf8().c_str());
    return 1;
  }
  std::printf("format: %s\n", header.m_contents.m_version.Format(2).ToUtf8().c_str());
  std::printf("entries: %u\n", unsigned(header.m_entryCount));
  for (const Device::SContentEntry& entry : header.m_contents.m_entries) {
    std::printf("entry: type %d kind %u flags 0x%02X version %s tag \"%s\" blocks %u+%u size \"%s\"\n",
                entry.contentType, unsigned(entry.kind), unsigned(entry.flags),
                entry.version.Format(3).ToUtf8().c_str(), entry.tag.ToUtf8().c_str(),
                unsigned(entry.firstBlock), unsigned(entry.blockCount), entry.sizeText.ToUtf8().c_str());
  }
  std::printf("blocks: %u\n", unsigned(header.m_blockCount));
  std::printf("package_version: %s\n", header.m_packageVersion.Format(3).ToUtf8().c_str());
  std::printf("device_code: 0x%08X\n", unsigned(header.m_deviceCode));
  std::printf("check_kind: %u\n", unsigned(header.m_checkKind));
  // The trailer's values as the update checks read them: the required operating system as
  // major << 16 | minor, the part count, the hardware-revision range.
  std::printf("os_version: %u.%u.0.0\n", unsigned(header.m_trailerValue1 >> 16),
              unsigned(header.m_trailerValue1 & 0xFFFF));
  std::printf("part_count: %u\n", unsigned(header.m_trailerValue2));
  std::printf("hw_min: %u\n", unsigned(header.m_trailerWord1));
  std::printf("hw_max: %u\n", unsigned(header.m_trailerWord2));
  return 0;
}

std::unique_ptr<Device::CJvDevice> ConnectForUpdate(const std::string& portName, int type) {
  if (type < 0) return ConnectZd2(portName);
  auto device = ConnectDevice(portName, type);
  SDeviceIdent ident;
  if (device && !device->Identify(ident)) {
    std::printf("No instrument of type %d answered on %s.\n", type, portName.c_str());
    return nullptr;
  }
  return device;
}

int RunUpdate(const std::vector<std::string>& args) {
  int type = -1;
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--type" && ParseTypeNumber(args[3], type))) {
    std::fprintf(stderr, "usage: zdtool update PORTNAME PACKAGEFILE [--type T]\n");
    return 2;
  }
  auto device = ConnectForUpdate(args[0], type);
  if (!device) return 1;
  auto package = OpenPackage(args[1]);
  if (!package) {
    std::printf("%s\n", ResString(IDS_UPDATE_FILE_READ).ToUtf8().c_str());
    return 1;
  }
  CPrintingCallback callback;
  Device::SJobEntry job;
  job.type = Device::eJobUpdate;
  job.callback = &callback;
  job.device = device.get();
  job.packageStream = std::move(package);
  if (!Device::StartDeviceThread() || !Device::AddDeviceJob(std::move(job))) {
    std::fprintf(stderr, "The device thread could not be started.\n");
    return 1;
  }
  WaitForSingleObject(callback.Done(), INFINITE);
  Device::StopDeviceThread();
  device.reset();
  StreamIO::ExitStreamIO();
  return callback.Result() == Device::eUpdateOk ? 0 : 1;
}

const ZdCommandRegistrar kPackageInfo({"pkg-info", "PACKAGEFILE", &RunPackageInfo});
const ZdCommandRegistrar kUpdate({"update", "PORTNAME PACKAGEFILE [--type T]", &RunUpdate});

}  // namespace
