// Block transfers: the transfer time-out, resynchronisation, 128-byte blocks, chunked and whole
// data blocks with their checks, repeats and retries, the abort test and a slow serial line.

#include <atomic>
#include <chrono>
#include <thread>

#include "device/streamio/RamStream.h"
#include "device/streamio/Rs232Stream.h"
#include "platform/base/Clock.h"
#include "tests/device/commands/CommandsFixture.h"
#include "tests/sim/Fault.h"

using Device::JV_CHECK_CRC16;
using Device::JV_CHECK_CRC32;
using Sim::CPeer;
using Sim::CScript;

namespace {

const Bytes kWakeUp = {0xC8, 0xF6, 0x00, 0x05, 0x55, 0x5A, 0xAA, 0xAF, 0xFF, 0xF0};

// A RAM file holding `data`, positioned at its start.
std::unique_ptr<StreamIO::CIoStream> SourceOf(const Bytes& data) {
  static int serial = 0;
  auto stream =
      StreamIO::OpenStream(CString::FromUtf8("RAM:source" + std::to_string(++serial)),
                           StreamIO::OPEN_READ | StreamIO::OPEN_WRITE | StreamIO::OPEN_CREATE_OR_TRUNCATE);
  stream->Write(data.data(), int(data.size()));
  stream->Seek(0, StreamIO::SEEK_FROM_START);
  return stream;
}

Bytes Pattern(size_t size) {
  Bytes data(size);
  for (size_t i = 0; i < size; ++i) data[i] = BYTE(i * 31 + (i >> 8));
  return data;
}

int ReadTimeout(StreamIO::CIoStream& stream) {
  int readTimeout = 0, writeTimeout = 0;
  stream.GetTimeouts(readTimeout, writeTimeout);
  return readTimeout;
}

}  // namespace

TEST_F(CommandsTest, TransferTimeOutFollowsTheSerialByteRate) {
  ServeOnComPort(CScript(), 7, 9600);
  // 9600 baud 8N1 moves 960 bytes per second: 1000 bytes twice over take 2283 ms, raised to 4 s.
  ASSERT_TRUE(Commands().SetTransferTimeout(1000, 2));
  EXPECT_EQ(ReadTimeout(Stream()), 4000);
  // 64 KiB at 1920 bytes per second (19200 baud 8N1): 131072000 / 1920 + 200 = 68466 ms.
  auto& port = static_cast<StreamIO::CRs232Stream&>(Stream());
  StreamIO::SRs232Settings settings = port.GetStoredSettings();
  settings.baud = 19200;
  ASSERT_TRUE(port.SetSettings(settings));
  ASSERT_TRUE(Commands().SetTransferTimeout(65536, 2));
  EXPECT_EQ(ReadTimeout(Stream()), 68466);
  // With even parity a byte takes 11 bits: 19200 / 11 = 1745 bytes per second, 75312 ms.
  settings.parity = 1;
  ASSERT_TRUE(port.SetSettings(settings));
  ASSERT_TRUE(Commands().SetTransferTimeout(65536, 2));
  EXPECT_EQ(ReadTimeout(Stream()), 75312);
}

TEST_F(CommandsTest, TransferTimeOutAssumes16000BytesPerSecondWhenTheRateIsUnknown) {
  ServeOverSocket(CScript());
  ASSERT_TRUE(Commands().SetTransferTimeout(1000, 2));  // 325 ms, raised to 4 s
  EXPECT_EQ(ReadTimeout(Stream()), 4000);
  ASSERT_TRUE(Commands().SetTransferTimeout(65536, 2));  // 131072000 / 16000 + 200
  EXPECT_EQ(ReadTimeout(Stream()), 8392);
}

TEST_F(CommandsTest, ResyncSendsTheWakeUpStringAndWaitsForF0) {
  ServeOverSocket(CScript().Expect(kWakeUp).Reply({0x00, 0xF0}));
  EXPECT_TRUE(Commands().Resync());
  EXPECT_EQ(Received(), kWakeUp);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, ResyncGivesUpAfterThreeRounds) {
  timeScale.Set(20);
  ServeOverSocket(CScript().Expect(kWakeUp).Reply({0x00, 0x01, 0x02}).Expect(kWakeUp).Expect(kWakeUp));
  EXPECT_FALSE(Commands().Resync());
  EXPECT_EQ(Received(), kWakeUp + kWakeUp + kWakeUp);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, Block128CarriesItsCheckAndIsRetriedAfterAResync) {
  Bytes block(128);
  for (size_t i = 0; i < block.size(); ++i) block[i] = BYTE(255 - i);
  const Bytes withCrc16 = Bytes{0xC1, 0xF8, 0x00} + block + Le16(ReferenceCrc16(block));
  const Bytes withCrc32 = Bytes{0xC1, 0xF8, 0x00} + block + Le32(ReferenceInvertedCrc32(block));
  ServeOverSocket(CScript()
                      .Expect(withCrc16)
                      .Reply({0x00})
                      .Expect(withCrc32)
                      .Reply({0xF1})
                      .Expect(kWakeUp)
                      .Reply({0xF0})
                      .Expect(withCrc32)
                      .Reply({0x00}));
  EXPECT_TRUE(Commands().WriteBlock128(block.data(), JV_CHECK_CRC16));
  EXPECT_TRUE(Commands().WriteBlock128(block.data(), JV_CHECK_CRC32));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, ChunkedBlockWithBothChecksAndARepeatRequest) {
  // Two chunks of the nine check digits: each followed by CRC-16 3D BB and CRC-32 26 39 F4 CB.
  const Bytes chunk = CheckDigits();
  const Bytes checked = chunk + Bytes{0x3D, 0xBB, 0x26, 0x39, 0xF4, 0xCB};
  const Bytes header = {0xC9, 0xF8, 0x01, 0x01, 0x12, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00};
  ServeOverSocket(CScript()
                      .Expect(header)
                      .Expect(checked)
                      .Reply({0x00})
                      .Expect(checked)
                      .Reply({0x01, '$'})
                      .Expect(checked)
                      .Reply({0x00}));
  auto source = SourceOf(chunk + chunk);
  CProgressLog progress;
  EXPECT_EQ(Commands().WriteDataBlock(source.get(), 18, JV_CHECK_CRC16 | JV_CHECK_CRC32, 9, &progress), 18);
  EXPECT_EQ(progress.calls, (std::vector<CProgressLog::SCall>{{50, 1, 0}, {100, 1, 0}}));
  EXPECT_EQ(Received(), header + checked + checked + checked);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, ChunkedBlockStartsOverAfterARefusedChunk) {
  const Bytes chunk = CheckDigits();
  const Bytes header = {0xC9, 0xF8, 0x01, 0x00, 0x12, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00};
  ServeOverSocket(CScript()
                      .Expect(header)
                      .Expect(chunk)
                      .Reply({0x00})
                      .Expect(chunk)
                      .Reply({0x7F})
                      .Expect(kWakeUp)  // after the refusal
                      .Reply({0xF0})
                      .Expect(kWakeUp)  // before the next try
                      .Reply({0xF0})
                      .Expect(header)
                      .Expect(chunk)
                      .Reply({0x00})
                      .Expect(chunk)
                      .Reply({0x00}));
  auto source = SourceOf(chunk + chunk);
  EXPECT_EQ(Commands().WriteDataBlock(source.get(), 18, 0, 9, nullptr), 18);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, WholeBlockCarriesOneCheck) {
  const Bytes data = CheckDigits();
  const struct {
    const char* name;
    int flags;
    Bytes frame;
  } cases[] = {
      {"CRC-32", JV_CHECK_CRC32,
       Bytes{0xC6, 0xF8, 0x01, 0x01, 0x09, 0x00, 0x00, 0x00} + data + Bytes{0x26, 0x39, 0xF4, 0xCB}},
      {"CRC-16 before CRC-32", JV_CHECK_CRC16 | JV_CHECK_CRC32,
       Bytes{0xC6, 0xF8, 0x01, 0x01, 0x09, 0x00, 0x00, 0x00} + data + Bytes{0x3D, 0xBB}},
      {"no check", 0, Bytes{0xC6, 0xF8, 0x01, 0x00, 0x09, 0x00, 0x00, 0x00} + data},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ServeOverSocket(CScript().Expect(c.frame).Reply({0x00}));
    auto source = SourceOf(data);
    EXPECT_EQ(Commands().WriteDataBlock(source.get(), 9, c.flags, 0, nullptr), 9);
    EXPECT_PEER_OK();
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, LargeWholeBlockOverTheNetworkAnnouncesItsWait) {
  // 12000 bytes are announced as 12000 / 250 = 48 ms; no progress follows a whole block.
  const Bytes data = Pattern(12000);
  ServeOverSocket(CScript().Skip(8 + 12000).Reply({0x00}));
  auto source = SourceOf(data);
  CProgressLog progress;
  EXPECT_EQ(Commands().WriteDataBlock(source.get(), 12000, 0, 0, &progress), 12000);
  EXPECT_EQ(progress.calls, (std::vector<CProgressLog::SCall>{{0, 1, 48}}));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, BlockTransferGivesUpAfterThreeTries) {
  timeScale.Set(20);
  const Bytes data = CheckDigits();
  const Bytes frame = Bytes{0xC6, 0xF8, 0x01, 0x00, 0x09, 0x00, 0x00, 0x00} + data;
  ServeOverSocket(CScript()
                      .Expect(frame)
                      .Reply({0xF2})
                      .Expect(kWakeUp)
                      .Reply({0xF0})
                      .Expect(frame)
                      .Reply({0xF2})
                      .Expect(kWakeUp)
                      .Reply({0xF0})
                      .Expect(frame)
                      .Reply({0xF2}));
  auto source = SourceOf(data);
  EXPECT_EQ(Commands().WriteDataBlock(source.get(), 9, 0, 0, nullptr), 0);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, BlockTransferNeedsAnOpenSourceWithData) {
  ServeOverSocket(CScript());
  auto source = SourceOf(CheckDigits());
  EXPECT_EQ(Commands().WriteDataBlock(nullptr, 9, 0, 0, nullptr), 0);
  EXPECT_EQ(Commands().WriteDataBlock(source.get(), 0, 0, 0, nullptr), 0);
  source->Close();
  EXPECT_EQ(Commands().WriteDataBlock(source.get(), 9, 0, 0, nullptr), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(Peer().Transcript().empty());
}

namespace {

std::atomic<bool> g_abort{false};

bool AbortFlag(DWORD_PTR userData) { return reinterpret_cast<std::atomic<bool>*>(userData)->load(); }

// Accepts chunks of `chunkSize` bytes (no checks) after the 11-byte header, one status each.
void AcceptChunks(CPeer& peer, int chunkSize) {
  Bytes bytes(size_t(11 + chunkSize));
  if (!peer.Receive(bytes.data(), 11, 20000)) return;
  while (peer.Receive(bytes.data(), chunkSize, 20000)) peer.Send({0x00});
}

}  // namespace

TEST_F(CommandsTest, AbortStopsAChunkedTransferBetweenChunks) {
  timeScale.Set(2);
  // 64 chunks of 1 KiB at 10000 bytes per second would take over six seconds.
  ServeOverSocket(CScript().Then([](CPeer& peer) {
    AcceptChunks(peer, 1024);
    return true;
  }),
                  10000);
  Commands().SetAbortTest(&AbortFlag, reinterpret_cast<DWORD_PTR>(&g_abort));
  const Bytes data = Pattern(65536);
  auto source = SourceOf(data);

  std::thread aborter([&] {
    Peer().WaitForTranscript(11 + 3 * 1024, 20000);
    g_abort = true;
  });
  const DWORD start = GetTickCount();
  EXPECT_EQ(Commands().WriteDataBlock(source.get(), 65536, 0, 1024, nullptr), 0);
  const DWORD elapsed = GetTickCount() - start;
  aborter.join();
  // Three chunks take about 0.3 s, the whole block 6.5 s; a chunk or two more may pass
  // while the flag is being set.
  EXPECT_LT(elapsed, 2000u);
  EXPECT_LT(Peer().Transcript().size(), size_t(11 + 16 * 1024));
}

TEST_F(CommandsTest, SlowSerialLineCompletesA64KiBBlock) {
  timeScale.Set(20);
  const Bytes data = Pattern(65536);
  const Bytes frame = Bytes{0xC6, 0xF8, 0x01, 0x01} + Le32(65536) + data + Le32(ReferenceInvertedCrc32(data));
  // At 19200 baud the frame takes 34 s of the line's time; the layer allows 68466 ms.
  ServeOnComPort(CScript().Skip(int(frame.size())).Reply({0x00}), 7, 19200, 1920);
  auto source = SourceOf(data);
  const DWORD start = GetTickCount();
  EXPECT_EQ(Commands().WriteDataBlock(source.get(), 65536, JV_CHECK_CRC32, 0, nullptr), 65536);
  EXPECT_GE(GetTickCount() - start, 30000u) << "the peer was not throttled";
  EXPECT_EQ(Received(), frame);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, SlowSerialLineCompletesA64KiBBlockInChunks) {
  timeScale.Set(20);
  const Bytes data = Pattern(65536);
  const Bytes first(data.begin(), data.begin() + 0x8000), second(data.begin() + 0x8000, data.end());
  const Bytes header = {0xC9, 0xF8, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x80, 0x00};
  ServeOnComPort(CScript()
                     .Expect(header)
                     .Expect(first + Le32(ReferenceInvertedCrc32(first)))
                     .Reply({0x00})
                     .Expect(second + Le32(ReferenceInvertedCrc32(second)))
                     .Reply({0x00}),
                 7, 19200, 1920);
  auto source = SourceOf(data);
  EXPECT_EQ(Commands().WriteDataBlock(source.get(), 65536, JV_CHECK_CRC32, 0x8000, nullptr), 65536);
  EXPECT_PEER_OK();
}
