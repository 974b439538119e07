// The simulated ZD-2's continuous mode and drive seen through the device class over both
// links: the frames it streams, how long the mode lasts, its faults and its model's answers.

#include <chrono>
#include <string>

#include "device/streamio/IoStream.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"
#include "tests/device/zd2/Zd2Fixture.h"

namespace {

class Zd2LiveStream : public Zd2Test {
 protected:
  // Enters the debug protocol and switches continuous mode on with the bare command, so that
  // nothing of the stream is purged.
  void StartStream() {
    ASSERT_TRUE(Device().EnterDebugProtocol());
    ASSERT_EQ(Device().GetStream()->Write("0000s", 5), 5);
  }

  // Up to `count` bytes of the stream, fewer when it pauses for the read time-out or ends.
  std::string ReadStream(size_t count, int timeoutMs = 1000) {
    StreamIO::CIoStream* stream = Device().GetStream();
    stream->SetTimeouts(timeoutMs, timeoutMs);
    std::string bytes;
    char buffer[256];
    while (bytes.size() < count) {
      int got = 0;
      try {
        got = stream->Read(buffer, int(std::min(sizeof buffer, count - bytes.size())));
      } catch (const CFileException&) {
        break;
      }
      if (got <= 0) break;
      bytes.append(buffer, size_t(got));
    }
    return bytes;
  }
};

bool IsUpperHex(char ch) { return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F'); }

// Frames of a tag letter and eight upper-case digits, back to back, the first of them the
// stream's frame `first` (from 0), whose tag letters cycle from 'a'.
bool AreFrames(const std::string& bytes, size_t first = 0) {
  if (bytes.size() % 9 != 0) return false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char ch = bytes[i];
    if (i % 9 == 0 ? ch != "abcd"[(first + i / 9) % 4] : !IsUpperHex(ch)) return false;
  }
  return true;
}

TEST_P(Zd2LiveStream, StreamsFramesAtTheFrameRateOfTheScaledClock) {
  timeScale.Set(5);
  m_zd2.SetFrameRate(200);
  Connect();
  StartStream();
  // The first frames come a fifth of a second late at the most.
  const std::string first = ReadStream(9);
  const ULONGLONG start = GetTickCount64();
  const std::string bytes = ReadStream(9 * 400);
  const ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_TRUE(AreFrames(first + bytes)) << first + bytes.substr(0, 90);
  EXPECT_NEAR(double(elapsed), 2000.0, 400.0) << "400 frames at 200 per second";
}

// A hundred frames a second of a clock fifty times fast would be 5000 a real second, more than
// a reader on a busy machine takes; the stream holds at a thousand.
TEST_P(Zd2LiveStream, AFastClockSpeedsTheStreamUpToAThousandFramesARealSecond) {
  timeScale.Set(50);
  Connect();
  StartStream();
  const std::string first = ReadStream(9);
  const auto start = std::chrono::steady_clock::now();
  const std::string bytes = ReadStream(9 * 300);
  const auto real = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(AreFrames(first + bytes)) << first + bytes.substr(0, 90);
  EXPECT_GE(real, std::chrono::milliseconds(250)) << "300 frames";
}

TEST_P(Zd2LiveStream, TheModeOutlastsModeSixButNotARestart) {
  Connect();
  StartStream();
  EXPECT_TRUE(AreFrames(ReadStream(9 * 20)));
  // Mode 6 leaves the debug protocol: the stream stops until the protocol is entered again.
  ASSERT_TRUE(Device().EnterMode6());
  Device().GetStream()->Purge();
  EXPECT_EQ(ReadStream(9, 500), "");
  ASSERT_TRUE(Device().EnterDebugProtocol());
  const std::string again = ReadStream(9 * 40);
  EXPECT_EQ(again.size(), 9u * 40) << "the stream resumed without being switched on";
  // The restart ends it.
  ASSERT_TRUE(Device().LeaveDebugProtocol(true, true));
  ASSERT_TRUE(Device().EnterDebugProtocol());
  EXPECT_EQ(ReadStream(9, 500), "") << "continuous mode ended with the restart";
}

TEST_P(Zd2LiveStream, ARestartingInstrumentIgnoresInputForASecond) {
  Connect();
  ASSERT_TRUE(Device().EnterDebugProtocol());
  ASSERT_EQ(Device().GetStream()->Write("C0C1r", 5), 5);
  // The switch to the debug protocol, asked at once and again after the restart.
  BYTE request[1] = {4};
  EXPECT_EQ(Device().BinaryRequest(0xD2, 1, request, sizeof request, 500), 252);
  Sleep(1000);
  request[0] = 4;
  EXPECT_EQ(Device().BinaryRequest(0xD2, 1, request, sizeof request, 500), 0);
  EXPECT_TRUE(m_zd2.InDebugProtocol());
}

TEST_P(Zd2LiveStream, FrameNoiseDamagesEveryKthFrameInThreeWays) {
  m_zd2.SetFrameNoise(3);
  Connect();
  StartStream();
  // Frames 3, 6 and 9 are damaged; frame 9 lacks a digit.
  const std::string bytes = ReadStream(9 * 10 - 1);
  ASSERT_EQ(bytes.size(), 89u);
  EXPECT_EQ(bytes[18 + 3], 'X');
  EXPECT_EQ(bytes[45 + 5], 'b');
  EXPECT_TRUE(AreFrames(bytes.substr(0, 18)));
  EXPECT_TRUE(AreFrames(bytes.substr(27, 18), 3));
  EXPECT_EQ(bytes[72], 'a');
  EXPECT_EQ(bytes[80], 'b') << "frame 9 has seven digits";
}

TEST_P(Zd2LiveStream, LiveCutHangsUpAfterItsFrames) {
  m_zd2.SetLiveCut(5);
  Connect();
  StartStream();
  const std::string bytes = ReadStream(9 * 10, 500);
  // A terminal that hangs up discards what its client has not read yet.
  if (GetParam() == ELink::eSocket)
    EXPECT_EQ(bytes.size(), 45u);
  else
    EXPECT_LE(bytes.size(), 45u);
  EXPECT_TRUE(AreFrames(bytes.substr(0, bytes.size() / 9 * 9)));
  EXPECT_EQ(m_zd2.FramesSent(), 5);
}

TEST_P(Zd2LiveStream, DriveCommandsAndTheModelsAnswers) {
  // Each query leaves the debug protocol with a pause of 200 ms in real time: at twice the pace
  // that is still well within the second the drive takes to get home.
  timeScale.Set(2);
  m_zd2.SetIdentity("ZD-2;2;VN03-123-4567;0C000102;1.6.3");
  Connect();
  EXPECT_EQ(Device().QueryUU(), 1);
  EXPECT_EQ(Device().QueryDA(), 1963);
  EXPECT_EQ(Device().QueryMF(), 25000) << "the load limit of the serial's model";
  EXPECT_EQ(Device().QueryRA(), 100);
  EXPECT_EQ(Device().ReadDriveState(), 0);
  ASSERT_TRUE(Device().SetDriveState(1));
  EXPECT_EQ(Device().ReadDriveState(), 1);
  Sleep(1100);
  EXPECT_EQ(Device().ReadDriveState(), 0) << "home a second after BACK";
}

ZD2_ON_BOTH_LINKS(Zd2LiveStream);

}  // namespace
