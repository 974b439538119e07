// The measurement list with curve data of 10,000 tests (about 20 MB of UTF-16 text) written the
// way the export writes it, every text measured and then filled into one buffer, which goes to
// a file with one write; against the bare baseline of formatting the same fields once with
// snprintf and writing them with one write (goal: at most 3 times as long).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/MeasRecords.h"
#include "bench/RatioReporter.h"
#include "document/ZedoDoc.h"
#include "platform/base/LocalTime.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "views/TabGrid.h"

namespace {

constexpr int kTests = 10000;

std::string OutputPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void WriteAll(const std::string& path, const void* data, std::size_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  benchmark::DoNotOptimize(::write(fd, data, size));
  ::close(fd);
}

// Tests whose curves rise to their peaks, so that every sample has digits to write.
std::vector<BYTE> CurveRecords() {
  std::vector<BYTE> records = Records(kTests);
  for (int i = 0; i < kTests; ++i) {
    BYTE* raw = records.data() + std::size_t(i) * MeasRaw::kSize;
    const int peak = GetLe16(raw + MeasRaw::kPeakLoad);
    for (int s = 0; s < MeasRaw::kCurveSamples; ++s)
      SetLe16(raw + MeasRaw::kCurve + 2 * s, WORD(peak * s / (MeasRaw::kCurveSamples - 1)));
  }
  return records;
}

// The page (its window is not needed to write texts) over a document of the curve records
// from a 6000 N instrument, whose kN values have three decimals.
struct SPage {
  SPage() : page(&host, &doc) {
    const std::vector<BYTE> records = CurveRecords();
    SMeasDeviceInfo device;
    device.strDeviceName = u"ZD-2";
    device.strSerialNumber = u"VN01-000123";
    device.strHwSerialNumber = u"4711";
    device.strHwRevision = u"C";
    device.strAppVersion = u"1.6.3";
    device.strModel = u"ZI-206";
    device.strCalDate = u"2024-03-18";
    device.nLoadLimit = 6000;
    doc.AddDownloadedData(records.data(), records.size(), &device);
  }
  CZedoDoc doc;
  CWnd host;
  CTabGrid page;
};

void BM_ListWithCurveOf10000(benchmark::State& state) {
  SPage page;
  const std::string path = OutputPath("zd-text-export-bench.csv");
  std::size_t bytes = 0;
  for (auto _ : state) {
    CTabGrid& grid = page.page;
    std::u16string text(1, u'\xFEFF');
    int total = grid.FormatListRow(-1, true, nullptr, 0);
    for (int i = 0; i < kTests; ++i) total += grid.FormatListRow(i, true, nullptr, 0);
    text.resize(std::size_t(total) + 1);
    WCHAR* at = text.data() + 1;
    int left = total;
    for (int index = -1; index < kTests; ++index) {
      const int length = grid.FormatListRow(index, true, at, left);
      at += length;
      left -= length;
    }
    bytes = text.size() * sizeof(char16_t);
    WriteAll(path, text.data(), bytes);
  }
  state.counters["MB"] = double(bytes) / 1e6;
  std::filesystem::remove(path);
}
BENCHMARK(BM_ListWithCurveOf10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The numbers of one list line, taken from the document before the clock runs.
struct SLineValues {
  int slot, id, year, month, day, hour, minute, second;
  double area, diameter, limit, peak, rate, effectiveRate, peakTime, tearOff, period;
  int percents[3];
  double samples[MeasRaw::kCurveSamples];
};

std::vector<SLineValues> LineValues(CZedoDoc& doc) {
  std::vector<SLineValues> lines(kTests);
  for (int i = 0; i < kTests; ++i) {
    SLineValues& v = lines[i];
    CString value, unit, text;
    BYTE peakUnit = 1;
    SLocalTime local;
    StampToLocalTime(doc.GetDateTimeText(i, text), local);
    v = {doc.GetSlotId(i),
         int(doc.GetId(i)),
         local.year,
         local.month,
         local.day,
         local.hour,
         local.minute,
         local.second,
         doc.GetAreaText(i, value, unit),
         doc.GetDiameterText(i, value, unit),
         doc.GetLoadLimit(i, true),
         doc.GetPeakLoad(i, peakUnit, value, unit),
         doc.GetLoadRateText(i, value, unit),
         doc.GetEffectiveLoadRateText(i, value, unit),
         doc.GetPeakLoadTimeText(i, value, unit),
         doc.GetTearOffTimeText(i, value, unit),
         doc.GetSamplingPeriod(i),
         {0, 0, 0},
         {}};
    const double* samples = nullptr;
    double peak = 0, peakTime = 0, period = 0;
    int count = 0;
    doc.GetLoadCurve(i, true, samples, peak, peakTime, count, period);
    std::copy(samples, samples + count, v.samples);
  }
  return lines;
}

void BM_SnprintfListOf10000(benchmark::State& state) {
  SPage page;
  const std::vector<SLineValues> lines = LineValues(page.doc);
  const std::string path = OutputPath("zd-text-export-bare.csv");
  for (auto _ : state) {
    std::string text;
    char field[512];
    for (const SLineValues& v : lines) {
      int n = std::snprintf(
          field, sizeof field,
          "%d\t%d\t%d-%02d-%02d\t%02d:%02d:%02d\t%.0f\tmm2\t%.1f\tmm\t%.3f\t%.3f\tkN\t%.0f\t%.0f\t"
          "N/s\t%.1f\t%.1f\tA\t%d\tA\t%d\tA\t%d\t\t%s\t%s\t%s\t%s\t%s\t--->\t%.3f\t",
          v.slot, v.id, v.year, v.month, v.day, v.hour, v.minute, v.second, v.area, v.diameter, v.limit,
          v.peak, v.rate, v.effectiveRate, v.peakTime, v.tearOff, v.percents[0], v.percents[1], v.percents[2],
          "VN01-000123", "4711", "C", "1.6.3", "2024-03-18", v.period);
      text.append(field, std::size_t(n));
      for (double sample : v.samples) {
        n = std::snprintf(field, sizeof field, "%.3f\t", sample);
        text.append(field, std::size_t(n));
      }
      text += "\r\n";
    }
    WriteAll(path, text.data(), text.size());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SnprintfListOf10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  CUiApplication application;
  RegisterProgramResources(nullptr);
  return RunWithRatioReporter(argc, argv, [](RatioReporter& reporter) {
    const double ratio = reporter.Ratio("BM_ListWithCurveOf10000", "BM_SnprintfListOf10000");
    if (ratio > 0) std::printf("list with curve data / snprintf and one write: %.2f (goal <= 3.0)\n", ratio);
  });
}
