// The Live View reader against the simulated ZD-2 over a loopback socket: every frame of a
// stream of continuous mode read, put together and decoded, unthrottled and throttled to a
// 19200-baud line (1920 bytes per second, 9 bytes a frame: 213 frames per second).
//
// The simulator sends a fixed number of frames and hangs up, which ends the reader; the last
// frame has no tag letter after it and stays undecoded. Counters, in the layer's clock:
// frames_per_second decoded, line_multiple that rate over the line's 213 frames per second
// (goal unthrottled: 50 or more, since a calibration at time scale 50 streams 10,000 frames
// per second), decoded_ratio the frames decoded over those sent (goal throttled: 0.999 or
// more) and, throttled, the line_multiple is the share of the line's capacity used (goal 0.97).
// Both run in real time; the throttled run takes about ten seconds.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>

#include "calibration/MeasThread.h"
#include "device/DeviceTypes.h"
#include "device/Stopwatch.h"
#include "device/VexalonDevice.h"
#include "device/streamio/IpStream.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/Clock.h"
#include "tests/sim/Peer.h"
#include "tests/sim/SocketLink.h"
#include "tests/sim/zd2/Zd2Simulator.h"

namespace {

constexpr int kLineBytesPerSecond = 1920;
constexpr double kFrameBytes = 9;
constexpr double kLineFramesPerSecond = kLineBytesPerSecond / kFrameBytes;
constexpr char kFirmware[] = "1.6.3";

struct SStreamingZd2 {
  Sim::CZd2Simulator zd2;
  std::unique_ptr<Sim::CPeer> peer;
  std::unique_ptr<Device::CVexalonDevice> device;

  bool Start(int byteRate, int frames) {
    zd2.SetIdentity(std::string("ZD-2;2;VN02-123-4567;0C000102;") + kFirmware);
    zd2.SetFrameRate(0);
    zd2.SetLiveCut(frames);
    peer = std::make_unique<Sim::CPeer>(std::make_unique<Sim::CSocketLink>("127.0.0.92", 0));
    peer->SetByteRate(byteRate);
    peer->Start([this](Sim::CPeer& p) { zd2.Run(p); });
    device = std::make_unique<Device::CVexalonDevice>();
    std::unique_ptr<StreamIO::CIoStream> stream = std::make_unique<StreamIO::CIpStream>(
        CString::FromUtf8(peer->ClientName()), StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
    return device->Attach(stream, Device::ePortIp) && device->EnterDebugProtocol() &&
           device->SetReadAddresses();
  }

  ~SStreamingZd2() {
    CMeasThread::Instance().Stop();
    device.reset();
    if (peer) peer->Stop();
  }
};

// Arguments: the simulator's byte rate (0: as fast as the link goes) and the frames it sends.
void BM_LiveReader(benchmark::State& state) {
  const int byteRate = int(state.range(0));
  const int frames = int(state.range(1));
  // Real time: a faster clock would pace the line in slices of a millisecond or less, which a
  // loaded machine cannot keep, and the line would lose what it cannot send on time.
  SetTimeScale(1);
  StreamIO::InitStreamIO();
  double decoded = 0;
  double scaledMs = 0;
  for (auto _ : state) {
    SStreamingZd2 linked;
    if (!linked.Start(byteRate, frames)) {
      state.SkipWithError("the simulated ZD-2 could not be reached");
      break;
    }
    CMeasThread& reader = CMeasThread::Instance();
    if (!reader.Start(nullptr, linked.device.get(), 0, CString::FromUtf8(kFirmware))) {
      state.SkipWithError("the reader did not start");
      break;
    }
    while (!reader.IsRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // Continuous mode on, written beside the running reader as the instrument's command.
    ULONGLONG start = 0;
    ULONGLONG end = 0;
    QueryTimestamp(start);
    linked.device->GetStream()->Write("0000s", 5);
    while (reader.IsRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    QueryTimestamp(end);
    SLiveSample latest;
    reader.GetLatestSample(latest);
    decoded += latest.sampleNumber;
    scaledMs += double(GetElapsedMs(start, end));
  }
  if (scaledMs > 0) {
    const double rate = decoded * 1000.0 / scaledMs;
    state.counters["frames_per_second"] = rate;
    state.counters["line_multiple"] = rate / kLineFramesPerSecond;
    state.counters["decoded_ratio"] = decoded / (double(frames) * double(state.iterations()));
  }
  StreamIO::ExitStreamIO();
}

BENCHMARK(BM_LiveReader)
    ->ArgNames({"byte_rate", "frames"})
    ->Args({0, 100000})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveReader)
    ->ArgNames({"byte_rate", "frames"})
    ->Args({kLineBytesPerSecond, 2000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
