// Opening, saving and sorting a project of 10,000 measurements (merged from 100 downloads of
// 100 tests each). The open benchmark also reports how its time compares with reading the
// file's bytes alone.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "device/streamio/JVArchive.h"
#include "document/ZedoDoc.h"
#include "platform/base/ByteOrder.h"

namespace {

constexpr int kDownloads = 100;
constexpr int kPerDownload = 100;
constexpr int kRecordSize = 238;

std::vector<BYTE> Download(std::mt19937& random) {
  std::vector<BYTE> buffer(std::size_t(kPerDownload) * kRecordSize, 0);
  for (int n = 0; n < kPerDownload; ++n) {
    std::vector<BYTE> raw(kRecordSize, 0);
    SetLe16(raw.data(), WORD(kRecordSize));
    raw[4] = BYTE(n);
    raw[5] = BYTE(15 + random() % 10);
    raw[6] = BYTE(1 + random() % 12);
    raw[7] = BYTE(1 + random() % 28);
    raw[8] = BYTE(random() % 24);
    raw[9] = BYTE(random() % 60);
    raw[10] = BYTE(random() % 60);
    for (int i = 11; i < 16; ++i) raw[i] = BYTE(random());
    SetLe16(raw.data() + 16, WORD(300 + random() % 3000));
    SetLe16(raw.data() + 18, WORD(50 + random() % 200));
    raw[20] = BYTE(random() % 5);
    SetLe16(raw.data() + 21, WORD(6000));
    SetLe16(raw.data() + 29, WORD(5));
    SetLe16(raw.data() + 31, WORD(random() % 6000));
    for (int s = 0; s < 100; ++s) SetLe16(raw.data() + 35 + 2 * s, WORD(random() % 6000));
    std::copy(raw.begin(), raw.end(), buffer.begin() + std::ptrdiff_t(n) * kRecordSize);
  }
  return buffer;
}

// The project file, written once per run into a temporary folder that also holds the settings.
class CBenchProject {
 public:
  CBenchProject() {
    m_dir = std::filesystem::temp_directory_path() / ("zd-project-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(m_dir);
    setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
    m_path = CString::FromUtf8((m_dir / "bench.jvd").string());
    std::mt19937 random(7);
    SMeasDeviceInfo device;
    device.strSerialNumber = u"SN-000123";
    device.strModel = u"ZI-206";
    device.strCalDate = u"2024-02-29";
    device.nLoadLimit = 6000;
    CZedoDoc doc;
    for (int d = 0; d < kDownloads; ++d) {
      CZedoDoc download;
      const std::vector<BYTE> buffer = Download(random);
      download.AddDownloadedData(buffer.data(), buffer.size(), &device);
      download.SaveToPath(m_path);
      StreamIO::CJVArchive archive(m_path, StreamIO::CJVArchive::MODE_LOAD);
      doc.ReadProject(archive, true);
    }
    doc.SaveToPath(m_path);
  }
  ~CBenchProject() {
    std::error_code ignored;  // a leftover temporary folder is harmless
    std::filesystem::remove_all(m_dir, ignored);
  }
  const CString& Path() const { return m_path; }
  std::filesystem::path Scratch(const char* name) const { return m_dir / name; }

 private:
  std::filesystem::path m_dir;
  CString m_path;
};

const CBenchProject& Project() {
  static const CBenchProject project;
  return project;
}

std::size_t ReadBytes(const CString& path) {
  std::ifstream in(path.ToUtf8(), std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return bytes.size();
}

void BM_ReadFileBytes(benchmark::State& state) {
  std::size_t size = 0;
  for (auto _ : state) benchmark::DoNotOptimize(size = ReadBytes(Project().Path()));
  state.SetBytesProcessed(std::int64_t(state.iterations() * size));
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);

void BM_OpenProject(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  Clock::duration opening{}, reading{};
  for (auto _ : state) {
    auto start = Clock::now();
    CZedoDoc doc;
    if (!doc.OnFileOpen(Project().Path()) || doc.GetCount() != kDownloads * kPerDownload)
      state.SkipWithError("open");
    opening += Clock::now() - start;
    state.PauseTiming();
    start = Clock::now();
    benchmark::DoNotOptimize(ReadBytes(Project().Path()));
    reading += Clock::now() - start;
    state.ResumeTiming();
  }
  state.counters["open_to_raw_read"] =
      double(opening.count()) / double(std::max<Clock::rep>(reading.count(), 1));
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

void BM_SaveProject(benchmark::State& state) {
  CZedoDoc doc;
  doc.OnFileOpen(Project().Path());
  const CString out = CString::FromUtf8(Project().Scratch("saved.jvd").string());
  for (auto _ : state)
    if (!doc.SaveToPath(out)) state.SkipWithError("save");
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_OpenAndSaveProject(benchmark::State& state) {
  const CString out = CString::FromUtf8(Project().Scratch("resaved.jvd").string());
  for (auto _ : state) {
    CZedoDoc doc;
    if (!doc.OnFileOpen(Project().Path()) || !doc.SaveToPath(out)) state.SkipWithError("open and save");
  }
}
BENCHMARK(BM_OpenAndSaveProject)->Unit(benchmark::kMillisecond);

void BM_SortByKey(benchmark::State& state) {
  CZedoDoc doc;
  doc.OnFileOpen(Project().Path());
  const BYTE key = BYTE(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    doc.Sort(key == 9 || key == 10 ? 5 : 9);  // a random order: those fields are random
    state.ResumeTiming();
    doc.Sort(key);
  }
}
BENCHMARK(BM_SortByKey)->DenseRange(1, 18)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
