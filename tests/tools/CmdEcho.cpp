// zdtool echo PORTNAME BYTES: writes BYTES bytes through the stream opened on PORTNAME (a COM
// or IP name) to a peer that echoes them, reads them back and checks them; prints "ok BYTES".

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "device/streamio/StreamIO.h"
#include "platform/base/FileException.h"
#include "tests/tools/ZdTool.h"

namespace {

// Time for the whole echo to come back; the peer is local.
constexpr int kTimeoutMs = 5000;

int Echo(StreamIO::CIoStream& stream, int count) {
  stream.SetTimeouts(kTimeoutMs, kTimeoutMs);
  std::vector<BYTE> sent(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) sent[size_t(i)] = BYTE(i % 251);
  // Reading alongside writing keeps a small link buffer from filling up.
  std::vector<BYTE> received(static_cast<size_t>(count));
  int written = 0;
  int read = 0;
  while (read < count) {
    if (written < count) {
      const int chunk = std::min(count - written, 512);
      const int done = stream.Write(sent.data() + written, chunk);
      if (done <= 0) {
        std::fprintf(stderr, "Writing stopped after %d of %d bytes (error %d).\n", written, count,
                     stream.GetError());
        return 1;
      }
      written += done;
    }
    const int wanted = std::min(written - read, int(received.size()) - read);
    const int done = stream.Read(received.data() + read, wanted);
    if (done <= 0) {
      std::fprintf(stderr, "Only %d of %d bytes came back (error %d).\n", read, count, stream.GetError());
      return 1;
    }
    read += done;
  }
  if (received != sent) {
    std::fprintf(stderr, "The bytes that came back differ from those sent.\n");
    return 1;
  }
  std::printf("ok %d\n", count);
  return 0;
}

int RunEcho(const std::vector<std::string>& args) {
  if (args.size() != 2 || std::atoi(args[1].c_str()) <= 0) {
    std::fprintf(stderr, "usage: zdtool echo PORTNAME BYTES\n");
    return 2;
  }
  StreamIO::InitStreamIO();
  int result = 1;
  try {
    auto stream =
        StreamIO::OpenStream(CString::FromUtf8(args[0]), StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
    result = Echo(*stream, std::atoi(args[1].c_str()));
  } catch (const CFileException& e) {
    std::fprintf(stderr, "%s\n", e.GetErrorMessage().ToUtf8().c_str());
  }
  StreamIO::ExitStreamIO();
  return result;
}

const ZdCommandRegistrar kEchoRegistrar({"echo", "PORTNAME BYTES", &RunEcho});

}  // namespace
