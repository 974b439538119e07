// Downloading a full buffer of stored tests from the simulated ZD-2 through the ZD-2 device
// class, over a pseudo-terminal opened as a COM port at 19200 baud and over a loopback socket,
// with the simulator throttled to the serial line's 1920 bytes per second and unthrottled.
//
// The header carries the record count in one byte and the size in 16 bits, so the largest
// download is 255 records of 238 bytes (61200 bytes with their checks; 64 KB would hold 275
// records without checks, which no header can announce).
//
// Throttled runs go on the layer's clock at ten times real speed; the counters are in that
// clock's time: bytes_per_second is the rate the download achieved and link_ratio that rate
// over the link's 1920 bytes per second (the wire is the only limit, so it should be near 1).
// Unthrottled runs show how far above the serial rate the code itself can go.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/PrivateSettingsMain.h"
#include "device/Stopwatch.h"
#include "device/VexalonDevice.h"
#include "device/streamio/IpStream.h"
#include "device/streamio/Rs232Stream.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/Clock.h"
#include "tests/sim/Peer.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/SocketLink.h"
#include "tests/sim/zd2/Zd2Simulator.h"

namespace {

constexpr int kRecords = 255;
constexpr int kRecordSize = 238;
constexpr int kWireBytes = 4 + kRecords * (kRecordSize + 2);
constexpr int kLinkBytesPerSecond = 1920;
constexpr int kComNumber = 14;
constexpr double kTimeScale = 10;

std::vector<BYTE> Records() {
  std::vector<BYTE> records(size_t(kRecords) * kRecordSize);
  for (int i = 0; i < kRecords; ++i) {
    BYTE* record = records.data() + size_t(i) * kRecordSize;
    record[0] = BYTE(kRecordSize);
    for (int j = 2; j < kRecordSize; ++j) record[j] = BYTE(i * 7 + j);
  }
  return records;
}

struct SLinkedZd2 {
  Sim::CZd2Simulator zd2;
  std::unique_ptr<Sim::CPeer> peer;
  std::unique_ptr<Device::CVexalonDevice> device;

  bool Start(bool pty, int rate) {
    zd2.SetRecords(Records());
    std::unique_ptr<Sim::CLink> link;
    if (pty) {
      auto terminal = std::make_unique<Sim::CPtyLink>();
      if (!terminal->MapToComPort(kComNumber)) return false;
      link = std::move(terminal);
    } else {
      link = std::make_unique<Sim::CSocketLink>("127.0.0.44", 0);
    }
    peer = std::make_unique<Sim::CPeer>(std::move(link));
    peer->SetByteRate(rate);
    peer->Start([this](Sim::CPeer& p) { zd2.Run(p); });
    device = std::make_unique<Device::CVexalonDevice>();
    std::unique_ptr<StreamIO::CIoStream> stream;
    if (pty) {
      stream = std::make_unique<StreamIO::CRs232Stream>(
          kComNumber, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE, device->GetSerialSettings());
    } else {
      stream = std::make_unique<StreamIO::CIpStream>(CString::FromUtf8(peer->ClientName()),
                                                     StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
    }
    return device->Attach(stream, pty ? Device::ePortSerial : Device::ePortIp);
  }

  ~SLinkedZd2() {
    device.reset();
    if (peer) peer->Stop();
  }
};

// Arguments: 1 pseudo-terminal, 0 socket; 1 throttled to the serial line's rate, 0 not.
void BM_Zd2Download(benchmark::State& state) {
  const bool pty = state.range(0) != 0;
  const bool throttled = state.range(1) != 0;
  SetTimeScale(throttled ? kTimeScale : 1);
  StreamIO::InitStreamIO();
  {
    SLinkedZd2 linked;
    if (!linked.Start(pty, throttled ? kLinkBytesPerSecond : 0)) {
      state.SkipWithError("the simulated ZD-2 could not be reached");
    } else {
      std::vector<BYTE> buffer(64 * 1024);
      double scaledMs = 0;
      for (auto _ : state) {
        int size = int(buffer.size());
        int count = 0;
        ULONGLONG start = 0;
        ULONGLONG end = 0;
        QueryTimestamp(start);
        const int result = linked.device->DownloadMeasurements(buffer.data(), size, count);
        QueryTimestamp(end);
        if (result != 0 || count != kRecords) {
          state.SkipWithError("the download failed");
          break;
        }
        scaledMs += double(GetElapsedMs(start, end));
      }
      if (scaledMs > 0) {
        const double rate = double(kWireBytes) * double(state.iterations()) * 1000.0 / scaledMs;
        state.counters["bytes_per_second"] = rate;
        state.counters["link_ratio"] = rate / kLinkBytesPerSecond;
      }
    }
  }
  StreamIO::ExitStreamIO();
}

BENCHMARK(BM_Zd2Download)
    ->ArgNames({"pty", "throttled"})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Zd2Download)
    ->ArgNames({"pty", "throttled"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarksWithPrivateSettings(argc, argv, "zd2-bench"); }
