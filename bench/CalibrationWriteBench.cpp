// Writing and reading back the 41 calibration values of a ZD-2 (step force, slopes, offsets)
// and then deleting the calibration, against the simulated ZD-2 on a pseudo-terminal opened
// as a COM port at 19200 baud, on the layer's clock at ten times real speed.
//
// The instrument asks for pauses of its own: 100 ms after each set-address, byte write, read
// and end-of-read command, and after the cal-usage flag; 500 ms after each switch of
// continuous mode; 100 ms after each erase command and 100 ms more once the erase has
// answered. pacing_ratio is the time taken over the sum of those pauses (in the clock's time):
// nothing but the instrument's pacing should cost time, so it should stay at or below 1.10.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/PrivateSettingsMain.h"
#include "calibration/VexalonDoc.h"
#include "device/Stopwatch.h"
#include "device/VexalonDevice.h"
#include "device/streamio/Rs232Stream.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/Clock.h"
#include "tests/sim/Peer.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/zd2/Zd2Simulator.h"

namespace {

constexpr int kComNumber = 15;
constexpr int kLinkBytesPerSecond = 1920;
constexpr double kTimeScale = 10;
constexpr int kCalibrationValues = 41;
constexpr int kCounterWords = 4;
constexpr double kCommandPauseMs = 100;
constexpr double kContinuousPauseMs = 500;
// Set address and two byte writes per word; set address, read and end of read per read-back.
constexpr double kWordWriteMs = 3 * kCommandPauseMs;
constexpr double kWordReadMs = 3 * kCommandPauseMs;
// Set address, erase, and the pause once the erase has answered.
constexpr double kEraseMs = 3 * kCommandPauseMs;
constexpr double kWriteAndReadBackMs = kCalibrationValues * (kWordWriteMs + kWordReadMs);
// Continuous mode off, two erases, the counters written and read back, cal usage off,
// continuous mode on.
constexpr double kDeletionMs = kContinuousPauseMs + 2 * kEraseMs +
                               kCounterWords * (kWordWriteMs + kWordReadMs) + kCommandPauseMs +
                               kContinuousPauseMs;
constexpr double kPacingMs = kWriteAndReadBackMs + kDeletionMs;

void BM_CalibrationWriteAndDelete(benchmark::State& state) {
  SetTimeScale(kTimeScale);
  StreamIO::InitStreamIO();
  {
    Sim::CZd2Simulator zd2;
    auto terminal = std::make_unique<Sim::CPtyLink>();
    const bool mapped = terminal->MapToComPort(kComNumber);
    Sim::CPeer peer(std::move(terminal));
    peer.SetByteRate(kLinkBytesPerSecond);
    peer.Start([&zd2](Sim::CPeer& p) { zd2.Run(p); });
    Device::CVexalonDevice device;
    std::unique_ptr<StreamIO::CIoStream> stream = std::make_unique<StreamIO::CRs232Stream>(
        kComNumber, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE, device.GetSerialSettings());
    CVexalonDoc doc;
    doc.Reset();
    doc.m_device = &device;
    // The debug protocol is entered before the clock starts: its switch is not part of the work.
    if (!mapped || !device.Attach(stream, Device::ePortSerial) || !doc.ReadDeviceIdentity() ||
        !device.EnterDebugProtocol()) {
      state.SkipWithError("the simulated ZD-2 could not be reached");
    } else {
      double scaledMs = 0;
      for (auto _ : state) {
        ULONGLONG start = 0;
        ULONGLONG end = 0;
        QueryTimestamp(start);
        const int written = doc.WriteParamsOfKind(CVexalonDoc::kKindCalibrationValue);
        const int readBack = doc.VerifyParamsOfKind(CVexalonDoc::kKindCalibrationValue);
        const int deleted = doc.DeleteCalibration(false);
        QueryTimestamp(end);
        if (written || readBack || deleted) {
          state.SkipWithError("the calibration could not be written, read back or deleted");
          break;
        }
        scaledMs += double(GetElapsedMs(start, end));
        // The deletion ends in continuous mode, which streams live frames; the next round
        // starts from the debug protocol's quiet state again.
        state.PauseTiming();
        device.SetContinuousMode(false);
        state.ResumeTiming();
      }
      if (scaledMs > 0) {
        state.counters["scaled_ms"] = scaledMs / double(state.iterations());
        state.counters["pacing_ms"] = kPacingMs;
        state.counters["pacing_ratio"] = scaledMs / double(state.iterations()) / kPacingMs;
      }
    }
    device.Detach();
    peer.Stop();
  }
  StreamIO::ExitStreamIO();
}

BENCHMARK(BM_CalibrationWriteAndDelete)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarksWithPrivateSettings(argc, argv, "calibration-bench"); }
