// Two update data steps against the simulated instrument on a pseudo-terminal opened as a COM
// port, the simulator throttled to 115200 Bd (11,520 bytes a second) on the real clock (a
// scaled clock would magnify the turn-around latency):
//   - a Durimo Live UCI probe's module data: service records of 256 bytes, each sent as 32-byte
//     packets and a header packet, every packet answered with a 7-byte acknowledgement;
//   - a Platform's block data: 64 KB in chunks of 8192 bytes, each followed by its CRC-32 and
//     answered with one status byte.
// Both protocols are half-duplex, so only the wire should count: wire_ratio is the elapsed time
// over the time all bytes of both directions take on the line (goal: at most 1.15).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/InstrumentBench.h"
#include "bench/PrivateSettingsMain.h"
#include "device/JvDevice.h"
#include "device/PackageHeader.h"
#include "device/Stopwatch.h"
#include "device/streamio/FileStream.h"
#include "device/streamio/StreamIO.h"
#include "drivers/DriverClasses.h"
#include "platform/base/Clock.h"
#include "tests/sim/instruments/InstrumentSimulator.h"

namespace {

constexpr int kComNumber = 16;
constexpr int kLinkRate = 11520;
constexpr int kEntryHeaderSize = 16;
constexpr int kRecords = 64;
constexpr int kRecordBytes = 256;
constexpr int kPieceBytes = 32;
constexpr int kAcknowledgementSize = 7;
constexpr int kBlockBytes = 64 * 1024;
constexpr int kChunkSize = 8192;

struct SStep {
  int type;
  BYTE format;
  std::string part;  // as the package holds it
  // The bytes of both directions on the line besides what the instrument received.
  long long repliedBytes;
};

// Service records: a header line, then per record "\r\n:", its address and length, its data
// and a check, all in hexadecimal.
SStep ModuleDataStep() {
  std::string text = "010000000000";
  for (int record = 0; record < kRecords; ++record) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "\r\n:00%04X%04X", record * kRecordBytes, kRecordBytes);
    text += prefix;
    for (int i = 0; i < kRecordBytes; ++i) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02X", (record + i) & 0xFF);
      text += digits;
    }
    text += "00";
  }
  std::string entryHeader(kEntryHeaderSize, '\0');
  entryHeader[4] = kEntryHeaderSize;
  const long long packets = kRecords * (kRecordBytes / kPieceBytes + 1);
  return {21, 0x50, entryHeader + text, packets * kAcknowledgementSize};
}

SStep BlockDataStep() {
  std::string data(kBlockBytes, '\0');
  for (int i = 0; i < kBlockBytes; ++i) data[size_t(i)] = char(i * 13);
  return {10, 0x00, data, kBlockBytes / kChunkSize};
}

std::string WritePart(const std::string& part) {
  const std::string path = (BenchFolder() / "part.bin").string();
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(part.data(), std::streamsize(part.size()));
  return path;
}

// Argument: instrument type (21 the UCI probe's module data, 10 the Platform's block data).
void BM_ProbeUpdateStep(benchmark::State& state) {
  const SStep step = state.range(0) == 21 ? ModuleDataStep() : BlockDataStep();
  SetTimeScale(1);
  StreamIO::InitStreamIO();
  Device::RegisterDriverClasses();
  {
    const std::string partPath = WritePart(step.part);
    Sim::CInstrumentSimulator instrument(step.type);
    CInstrumentBench bench(instrument, step.type, kComNumber, kLinkRate);
    Device::CJvDevice& device = bench.Device();
    StreamIO::CFileStream package(CString::FromUtf8(partPath), StreamIO::OPEN_READ);
    if (!bench.IsConnected() || !device.AttachSecondStream(&package)) {
      state.SkipWithError("the simulated instrument could not be reached");
    } else {
      Device::SBlockRecord part;
      const DWORD length = DWORD(step.part.size());
      for (int i = 0; i < 4; ++i) part.bytes[size_t(4 + i)] = BYTE(length >> (8 * i));
      part.bytes[12] = step.format;
      double elapsedMs = 0;
      long long wireBytes = 0;
      for (auto _ : state) {
        package.SeekTo(0);
        bench.Peer().ClearTranscript();
        ULONGLONG start = 0;
        ULONGLONG end = 0;
        QueryTimestamp(start);
        const int result = device.UpdateWriteData(part);
        QueryTimestamp(end);
        if (result != 0) {
          state.SkipWithError("the data step did not complete");
          break;
        }
        elapsedMs += double(GetElapsedMs(start, end));
        wireBytes += (long long)bench.Peer().Transcript().size() + step.repliedBytes;
      }
      device.DetachSecondStream();
      if (elapsedMs > 0) {
        const double wireMs = double(wireBytes) * 1000.0 / kLinkRate;
        state.counters["wire_ms"] = wireMs;
        state.counters["wire_ratio"] = elapsedMs / wireMs;
      }
    }
  }
  StreamIO::ExitStreamIO();
}

BENCHMARK(BM_ProbeUpdateStep)
    ->ArgName("type")
    ->Arg(21)
    ->Arg(10)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarksWithPrivateSettings(argc, argv, "probe-update-bench"); }
