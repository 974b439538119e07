// zdtool download PORTNAME OUTFILE: every stored test of the ZD-2, the records back to back
// without their checks; prints the count and the record size, or the download's error text.
// zdtool delete-all PORTNAME: deletes every stored test.
// With --type and its options the download is another instrument's (InstrumentDownload.h).

#include <cstdio>
#include <fstream>
#include <vector>

#include "tests/tools/InstrumentDownload.h"
#include "tests/tools/Zd2Connection.h"
#include "tests/tools/ZdTool.h"

namespace {

// The buffer the program downloads into.
constexpr int kBufferSize = 64 * 1024;

int RunDownload(const std::vector<std::string>& args) {
  if (args.size() > 2) return RunInstrumentDownload(args);
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: zdtool download PORTNAME OUTFILE\n");
    return 2;
  }
  auto device = ConnectZd2(args[0]);
  if (!device) return 1;
  std::vector<BYTE> buffer(kBufferSize);
  int size = kBufferSize;
  int count = 0;
  const int result = device->DownloadMeasurements(buffer.data(), size, count);
  if (result != 0) {
    std::printf("%s\n", CString(Device::GetDownloadErrorText(result)).ToUtf8().c_str());
    return 1;
  }
  // An empty instrument leaves the size as it was; only the count says how much came.
  const int bytes = count > 0 ? size : 0;
  std::ofstream out(args[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(buffer.data()), bytes);
  if (!out) {
    std::fprintf(stderr, "Cannot write %s.\n", args[1].c_str());
    return 1;
  }
  std::printf("records=%d\nrecord_size=%d\n", count, count > 0 ? size / count : 0);
  return 0;
}

int RunDeleteAll(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool delete-all PORTNAME\n");
    return 2;
  }
  auto device = ConnectZd2(args[0]);
  if (!device) return 1;
  if (!device->DeleteAllMeasurements()) {
    std::printf("The instrument did not confirm deleting its measurements.\n");
    return 1;
  }
  std::printf("deleted\n");
  return 0;
}

const ZdCommandRegistrar kDownload({"download",
                                    "PORTNAME OUTFILE | PORTNAME OUTDIR --type 3 [--binary] [--baud B]",
                                    &RunDownload});
const ZdCommandRegistrar kDeleteAll({"delete-all", "PORTNAME", &RunDeleteAll});

}  // namespace
