// The S-record step of a firmware update (UpdateWriteData) sending 64 KB of records to the
// simulated instrument's boot loader over a pseudo-terminal opened as a COM port: a TestBox at
// 115200 Bd on the real clock and an Ohmira at 19200 Bd on the layer's clock at ten times real
// speed, each with the simulator throttled to the line's byte rate, and both unthrottled.
//
// Each record waits only for its one-byte "P", so the line should stay busy: the counters are
// in the clock the run used, bytes_per_second is the rate of acknowledged record bytes and
// link_ratio that rate over the line's byte rate (goal: at least 0.9). Unthrottled runs show
// how far above the serial rate the code itself can go.

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

namespace {

constexpr int kComNumber = 15;
constexpr int kRecordBytes = 64 * 1024;
constexpr int kDataPerRecord = 32;
constexpr int kHeaderSize = 16;

// S3 records of 32 data bytes (80 characters with CR LF) filling 64 KB.
std::string Records() {
  std::string text;
  unsigned address = 0;
  while (text.size() < size_t(kRecordBytes)) {
    char head[16];
    std::snprintf(head, sizeof head, "S325%08X", address);
    std::string record = head;
    for (int i = 0; i < kDataPerRecord; ++i) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02X", (address + unsigned(i)) & 0xFF);
      record += digits;
    }
    record += "00\r\n";
    text += record;
    address += kDataPerRecord;
  }
  return text;
}

// The package part: its data-block header and the records.
std::string WritePart(const std::string& records) {
  std::vector<BYTE> header(kHeaderSize, 0);
  header[4] = kHeaderSize;
  const DWORD length = DWORD(records.size());
  for (int i = 0; i < 4; ++i) header[size_t(12 + i)] = BYTE(length >> (8 * i));
  const std::string path = (BenchFolder() / "part.bin").string();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(header.data()), kHeaderSize);
  out.write(records.data(), std::streamsize(records.size()));
  return path;
}

// Arguments: instrument type (13 TestBox, 7 Ohmira); 1 throttled to the line's rate, 0 not.
void BM_SRecordStep(benchmark::State& state) {
  const int type = int(state.range(0));
  const bool throttled = state.range(1) != 0;
  const int linkRate = type == 13 ? 11520 : 1920;
  SetTimeScale(type == 13 || !throttled ? 1 : 10);
  StreamIO::InitStreamIO();
  Device::RegisterDriverClasses();
  {
    const std::string records = Records();
    const std::string partPath = WritePart(records);
    Sim::CInstrumentSimulator instrument(type);
    instrument.SetApplicationSilent(true);
    CInstrumentBench bench(instrument, type, kComNumber, throttled ? linkRate : 0);
    Device::CJvDevice& device = bench.Device();
    StreamIO::CFileStream package(CString::FromUtf8(partPath), StreamIO::OPEN_READ);
    if (!bench.IsConnected() || !device.AttachSecondStream(&package)) {
      state.SkipWithError("the simulated instrument could not be reached");
    } else {
      Device::SBlockRecord part;
      const DWORD partLength = DWORD(kHeaderSize + records.size());
      for (int i = 0; i < 4; ++i) part.bytes[size_t(4 + i)] = BYTE(partLength >> (8 * i));
      part.bytes[12] = 0x40;
      double scaledMs = 0;
      for (auto _ : state) {
        package.SeekTo(0);
        ULONGLONG start = 0;
        ULONGLONG end = 0;
        QueryTimestamp(start);
        const int result = device.UpdateWriteData(part);
        QueryTimestamp(end);
        if (result != 0) {
          state.SkipWithError("the S-records were not all acknowledged");
          break;
        }
        scaledMs += double(GetElapsedMs(start, end));
      }
      device.DetachSecondStream();
      if (scaledMs > 0) {
        const double rate = double(records.size()) * double(state.iterations()) * 1000.0 / scaledMs;
        state.counters["bytes_per_second"] = rate;
        state.counters["link_ratio"] = rate / linkRate;
      }
    }
  }
  StreamIO::ExitStreamIO();
}

BENCHMARK(BM_SRecordStep)
    ->ArgNames({"type", "throttled"})
    ->Args({13, 1})
    ->Args({7, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SRecordStep)
    ->ArgNames({"type", "throttled"})
    ->Args({13, 0})
    ->Args({7, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksWithPrivateSettings(argc, argv, "driver-update-bench");
}
