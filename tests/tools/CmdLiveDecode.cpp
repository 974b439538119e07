// zdtool live-decode FIRMWARE FILE: runs the file's bytes through the live-frame assembler and
// decodes each complete frame in the format of the firmware version, as the Live View reader
// does; prints "sample=N force=F current=C counter=K state=S" per decoded frame, then "frames=N".
// A damaged frame is neither decoded nor counted.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "calibration/LiveFrameAssembler.h"
#include "calibration/LiveSample.h"
#include "tests/tools/ZdTool.h"

namespace {

int RunLiveDecode(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: zdtool live-decode FIRMWARE FILE\n");
    return 2;
  }
  std::ifstream file(args[1], std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "Cannot open %s.\n", args[1].c_str());
    return 1;
  }
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const CString firmware = CString::FromUtf8(args[0]);
  CLiveFrameAssembler assembler;
  // One sample for the whole stream: a field that a frame does not carry keeps its last value.
  SLiveSample sample;
  for (char ch : bytes) {
    BYTE frame[4];
    if (!assembler.Feed(BYTE(ch)) || !assembler.GetFrameBytes(frame)) continue;
    ++sample.sampleNumber;
    sample.Decode(frame[0], frame[1], frame[2], frame[3], firmware);
    std::printf("sample=%d force=%d current=%d counter=%d state=%d\n", sample.sampleNumber, sample.force,
                sample.current, sample.counter, sample.driveState);
  }
  std::printf("frames=%d\n", sample.sampleNumber);
  return 0;
}

const ZdCommandRegistrar kLiveDecodeRegistrar({"live-decode", "FIRMWARE FILE", &RunLiveDecode});

}  // namespace
