#include "platform/io/HidReportDescriptor.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

// Item tags (the prefix byte without its size bits).
enum : BYTE {
  kInput = 0x80,
  kFeature = 0xB0,
  kReportSize = 0x74,
  kReportId = 0x84,
  kReportCount = 0x94,
  kPush = 0xA4,
  kPop = 0xB4,
  kLongItem = 0xFE,
};

struct SGlobals {
  DWORD reportSize = 0;
  DWORD reportCount = 0;
  DWORD reportId = 0;
};

int ByteLength(const std::map<DWORD, DWORD>& bitsById) {
  DWORD longest = 0;
  for (const auto& [id, bits] : bitsById) longest = std::max(longest, bits);
  return longest == 0 ? 0 : int((longest + 7) / 8) + 1;
}

}  // namespace

SHidReportLayout ParseHidReportDescriptor(const BYTE* descriptor, int length) {
  SHidReportLayout layout;
  SGlobals globals;
  std::vector<SGlobals> stack;
  std::map<DWORD, DWORD> inputBits, featureBits;
  int pos = 0;
  while (pos < length) {
    const BYTE prefix = descriptor[pos];
    if (prefix == kLongItem) {
      if (pos + 1 >= length) break;
      pos += 3 + descriptor[pos + 1];
      continue;
    }
    static const int kSizes[] = {0, 1, 2, 4};
    const int size = kSizes[prefix & 0x03];
    if (pos + 1 + size > length) break;
    DWORD value = 0;
    for (int i = 0; i < size; ++i) value |= DWORD(descriptor[pos + 1 + i]) << (8 * i);
    switch (prefix & 0xFC) {
      case kReportSize:
        globals.reportSize = value;
        break;
      case kReportCount:
        globals.reportCount = value;
        break;
      case kReportId:
        globals.reportId = value;
        layout.numberedReports = true;
        break;
      case kPush:
        stack.push_back(globals);
        break;
      case kPop:
        if (!stack.empty()) {
          globals = stack.back();
          stack.pop_back();
        }
        break;
      case kInput:
        inputBits[globals.reportId] += globals.reportSize * globals.reportCount;
        break;
      case kFeature:
        featureBits[globals.reportId] += globals.reportSize * globals.reportCount;
        break;
      default:
        break;
    }
    pos += 1 + size;
  }
  layout.caps.inputReportLength = ByteLength(inputBits);
  layout.caps.featureReportLength = ByteLength(featureBits);
  return layout;
}
