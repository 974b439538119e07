// The ZD-2's information memory through its debug protocol (addresses in hexadecimal):
// zdtool mem-read PORTNAME ADDRESS COUNT: COUNT words from ADDRESS, one a line.
// zdtool mem-write PORTNAME ADDRESS HEXBYTES: checked byte writes from ADDRESS.
// zdtool erase PORTNAME SEGMENT_ADDRESS: erases the segment at 0x1000, 0x1040 or 0x1080.

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/tools/DriverArguments.h"
#include "tests/tools/Zd2Connection.h"
#include "tests/tools/ZdTool.h"

namespace {

constexpr unsigned long kFirstSegment = 0x1000;
constexpr unsigned long kSegmentSize = 0x40;
constexpr int kSegmentCount = 3;

int RunMemRead(const std::vector<std::string>& args) {
  unsigned long address = 0;
  const int count = args.size() == 3 ? std::atoi(args[2].c_str()) : 0;
  if (args.size() != 3 || !ParseHexNumber(args[1], address) || address > 0xFFFF || count <= 0) {
    std::fprintf(stderr, "usage: zdtool mem-read PORTNAME ADDRESS COUNT\n");
    return 2;
  }
  auto device = ConnectZd2(args[0]);
  if (!device) return 1;
  for (int i = 0; i < count; ++i) {
    WORD value = 0;
    if (!device->ReadMemoryWord(WORD(address + 2 * i), value)) {
      std::printf("Reading the word at %04lX failed.\n", (address + 2 * i) & 0xFFFF);
      return 1;
    }
    std::printf("%04X\n", value);
  }
  return 0;
}

int RunMemWrite(const std::vector<std::string>& args) {
  unsigned long address = 0;
  std::vector<BYTE> bytes;
  if (args.size() != 3 || !ParseHexNumber(args[1], address) || address > 0xFFFF ||
      !ParseHexBytes(args[2], bytes, false)) {
    std::fprintf(stderr, "usage: zdtool mem-write PORTNAME ADDRESS HEXBYTES\n");
    return 2;
  }
  auto device = ConnectZd2(args[0]);
  if (!device) return 1;
  if (!device->EnterDebugProtocol() || !device->WriteMemory(WORD(address), bytes.data(), int(bytes.size()))) {
    std::printf("The instrument refused the write.\n");
    return 1;
  }
  std::printf("written=%zu\n", bytes.size());
  return 0;
}

int RunErase(const std::vector<std::string>& args) {
  unsigned long address = 0;
  if (args.size() != 2 || !ParseHexNumber(args[1], address) || address < kFirstSegment ||
      (address - kFirstSegment) % kSegmentSize != 0 ||
      (address - kFirstSegment) / kSegmentSize >= kSegmentCount) {
    std::fprintf(stderr, "usage: zdtool erase PORTNAME SEGMENT_ADDRESS (1000, 1040 or 1080)\n");
    return 2;
  }
  auto device = ConnectZd2(args[0]);
  if (!device) return 1;
  if (!device->EraseInfoSegment(int((address - kFirstSegment) / kSegmentSize) + 1)) {
    std::printf("The instrument did not erase the segment.\n");
    return 1;
  }
  std::printf("erased\n");
  return 0;
}

const ZdCommandRegistrar kMemRead({"mem-read", "PORTNAME ADDRESS COUNT", &RunMemRead});
const ZdCommandRegistrar kMemWrite({"mem-write", "PORTNAME ADDRESS HEXBYTES", &RunMemWrite});
const ZdCommandRegistrar kErase({"erase", "PORTNAME SEGMENT_ADDRESS", &RunErase});

}  // namespace
