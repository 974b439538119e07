// The Armivue's text download of 60 data files of 99 readings each after switching the line to
// 115200 Bd, against the simulated instrument on a pseudo-terminal opened as a COM port,
// throttled to the line's byte rate on the layer's clock at ten times real speed.
//
// link_ratio is the rate of the download's reply bytes over the line's byte rate (goal: at
// least 0.95), counted in the scaled clock over the whole download, rate switches included.
// rewrite_share is the real time of writing every downloaded object back to its data-file text
// and reading that text again, over the real time of the download (goal: under 0.02).

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench/InstrumentBench.h"
#include "bench/PrivateSettingsMain.h"
#include "device/Stopwatch.h"
#include "device/streamio/StreamIO.h"
#include "drivers/ArmiSmartDevice.h"
#include "drivers/DriverClasses.h"
#include "platform/base/Clock.h"
#include "tests/sim/instruments/InstrumentSimulator.h"

namespace {

using Armivue = Device::CArmiSmartDevice;

constexpr int kComNumber = 17;
constexpr int kObjects = 60;
constexpr int kReadings = 99;
constexpr int kStartRate = 1920;
constexpr int kLinkRate = 11520;
constexpr double kTimeScale = 10;
constexpr BYTE kDownloadRequest = 210;
constexpr BYTE kTextDownload = 16;
constexpr int kTextLimit = 64 * 1024;

Armivue::TMeas Object(int number) {
  Armivue::TMeas meas;
  meas.version = CVersion(u"1.0");
  meas.name = u"Armivue";
  meas.serialNumber = u"AV03-000-0003";
  meas.softwareVersion = u"1.0.0";
  meas.hardwareIndex = u"A1";
  meas.signature = u"06000102";
  meas.regional = Armivue::TMeas::kMetric;
  meas.storageMode = Armivue::TMeas::kAutoStorage;
  meas.rawDefaultDiameter = 16;
  meas.correction = 0;
  meas.comment = u"Bridge deck, \"north\" span; second lane";
  meas.objectName = CString(u"Object ") + CString(std::u16string(1, char16_t(u'A' + number % 26)));
  meas.date = 1768473000 + number * 3600;
  meas.objectNumber = short(number);
  for (int i = 0; i < kReadings; ++i) meas.readings.push_back({BYTE(i + 1), BYTE(20 + i % 60), BYTE(16)});
  return meas;
}

// The objects' data-file texts as the instrument sends them, each followed by "<eof>".
std::vector<BYTE> TextReply(Armivue& writer) {
  std::string text = "1;" + std::to_string(kObjects) + ";";
  std::vector<char16_t> buffer(kTextLimit);
  for (int number = 1; number <= kObjects; ++number) {
    const int length = writer.WriteDataFile(Object(number), buffer.data(), kTextLimit);
    text += CString(buffer.data(), length).ToUtf8() + "<eof>\r\n";
  }
  return Sim::CInstrumentSimulator::LongReply(std::vector<BYTE>(text.begin(), text.end()));
}

// Writes every object to its text and reads it back; false when one does not come back.
bool RewriteAll(Armivue& device, const Armivue::TMeasSet& set) {
  std::vector<char16_t> buffer(kTextLimit);
  for (const Armivue::TMeas& meas : set.objects) {
    const int length = device.WriteDataFile(meas, buffer.data(), kTextLimit);
    Armivue::TMeas again;
    if (length == 0 || !device.ReadDataFile(again, CString(buffer.data(), length)) ||
        again.readings.size() != meas.readings.size())
      return false;
  }
  return true;
}

void BM_TextDownload(benchmark::State& state) {
  SetTimeScale(kTimeScale);
  StreamIO::InitStreamIO();
  Device::RegisterDriverClasses();
  {
    Sim::CInstrumentSimulator instrument(3);
    instrument.AnswerRateCommands(true);
    std::vector<BYTE> reply;
    CInstrumentBench bench(instrument, 3, kComNumber, kStartRate);
    auto* armivue = dynamic_cast<Armivue*>(&bench.Device());
    if (armivue) {
      reply = TextReply(*armivue);
      instrument.SetFunctionReply(kDownloadRequest, kTextDownload, reply);
    }
    if (!bench.IsConnected() || !armivue) {
      state.SkipWithError("the simulated instrument could not be reached");
    } else {
      double scaledMs = 0;
      double rewriteRealMs = 0;
      for (auto _ : state) {
        Armivue::TMeasSet set;
        ULONGLONG start = 0;
        ULONGLONG end = 0;
        QueryTimestamp(start);
        const bool downloaded = armivue->DownloadMeasurements(set, 115200, false);
        QueryTimestamp(end);
        if (!downloaded || set.objects.size() != size_t(kObjects)) {
          state.SkipWithError("the download did not bring every object");
          break;
        }
        scaledMs += double(GetElapsedMs(start, end));
        const auto rewriteStart = std::chrono::steady_clock::now();
        if (!RewriteAll(*armivue, set)) {
          state.SkipWithError("an object did not come back from its text");
          break;
        }
        rewriteRealMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - rewriteStart)
                .count();
      }
      if (scaledMs > 0) {
        const double rate = double(reply.size()) * double(state.iterations()) * 1000.0 / scaledMs;
        state.counters["bytes_per_second"] = rate;
        state.counters["link_ratio"] = rate / kLinkRate;
        state.counters["rewrite_share"] = rewriteRealMs / (scaledMs / kTimeScale);
      }
    }
  }
  StreamIO::ExitStreamIO();
}

BENCHMARK(BM_TextDownload)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksWithPrivateSettings(argc, argv, "armivue-download-bench");
}
