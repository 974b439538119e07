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
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "device/DeviceFactory.h"
#include "device/JvDevice.h"
#include "device/PackageHeader.h"
#include "device/Stopwatch.h"
#include "device/streamio/FileStream.h"
#include "device/streamio/Rs232Stream.h"
#include "device/streamio/StreamIO.h"
#include "drivers/DriverClasses.h"
#include "platform/base/Clock.h"
#include "tests/sim/Peer.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/instruments/InstrumentSimulator.h"

namespace {

constexpr int kComNumber = 15;
constexpr int kRecordBytes = 64 * 1024;
constexpr int kDataPerRecord = 32;
constexpr int kHeaderSize = 16;

std::filesystem::path g_folder;

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
  const std::string path = (g_folder / "part.bin").string();
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
    auto link = std::make_unique<Sim::CPtyLink>();
    const bool mapped = link->MapToComPort(kComNumber);
    Sim::CPeer peer(std::move(link));
    peer.SetByteRate(throttled ? linkRate : 0);
    peer.Start([&instrument](Sim::CPeer& p) { instrument.Run(p); });
    std::unique_ptr<Device::CJvDevice> device = Device::CreateDevice(type);
    std::unique_ptr<StreamIO::CIoStream> stream;
    if (mapped)
      stream = std::make_unique<StreamIO::CRs232Stream>(
          kComNumber, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE, device->GetSerialSettings());
    StreamIO::CFileStream package(CString::FromUtf8(partPath), StreamIO::OPEN_READ);
    if (!stream || !device->Attach(stream, Device::ePortSerial) || !device->AttachSecondStream(&package)) {
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
        const int result = device->UpdateWriteData(part);
        QueryTimestamp(end);
        if (result != 0) {
          state.SkipWithError("the S-records were not all acknowledged");
          break;
        }
        scaledMs += double(GetElapsedMs(start, end));
      }
      device->DetachSecondStream();
      if (scaledMs > 0) {
        const double rate = double(records.size()) * double(state.iterations()) * 1000.0 / scaledMs;
        state.counters["bytes_per_second"] = rate;
        state.counters["link_ratio"] = rate / linkRate;
      }
    }
    device.reset();
    peer.Stop();
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
  // The pseudo-terminal's COM number goes into a settings store of the benchmark's own.
  g_folder = std::filesystem::temp_directory_path() / ("driver-update-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(g_folder);
  setenv("XDG_CONFIG_HOME", g_folder.c_str(), 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(g_folder);
  return 0;
}
