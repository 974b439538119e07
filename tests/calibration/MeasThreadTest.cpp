#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "calibration/MeasThread.h"
#include "calibration/SamplingTicker.h"
#include "platform/ui/SimulatedInput.h"
#include "tests/calibration/LiveFixture.h"

namespace {

class LiveReader : public LiveFixture {
 protected:
  // Switches the instrument to continuous mode and starts the reader.
  void StartReader() {
    ASSERT_TRUE(m_device->SetContinuousMode(true));
    ASSERT_TRUE(CMeasThread::Instance().Start(&owner, m_device.get(), kReaderMessage, u"1.6.2"));
  }
};

std::vector<std::vector<std::string>> ReadRows(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string line;
  std::vector<std::vector<std::string>> rows;
  std::getline(file, line);  // the header
  while (std::getline(file, line)) {
    EXPECT_EQ(line.back(), '\r') << "a line without CR LF";
    line.pop_back();
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ';')) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

// Fields of a row: 11 Samples, 12 SampleIdx, 13 MissedSamples, 10 DriveState.
TEST_P(LiveReader, EveryFrameOfEachTestReachesItsLogWithNoneLost) {
  m_zd2.SetFrameRate(200);
  m_zd2.SetHoldOperatorTests(true);
  owner.heldTests = &m_zd2;
  owner.samplingPeriodMs = 250;
  Connect();
  StartReader();
  // The tests begin once the reader runs, so that it sees the first test's start.
  while (!CMeasThread::Instance().IsRunning()) PumpMessages(5);
  m_zd2.AddLiveTest({300, 3000, 4000});
  m_zd2.AddLiveTest({300, 2000, 4000});
  ASSERT_TRUE(WaitForCode(CMeasThread::kTestEnded, 2)) << ::testing::PrintToString(owner.codes);
  ASSERT_EQ(owner.logs.size(), 2u) << ::testing::PrintToString(owner.codes);
  for (const std::string& log : owner.logs) {
    const auto rows = ReadRows(log);
    ASSERT_FALSE(rows.empty()) << log << ::testing::PrintToString(owner.codes);
    int previousIndex = -1, total = 0, firstStored = 0, lastIndex = 0, peak = 0;
    for (const auto& row : rows) {
      ASSERT_EQ(row.size(), 14u);
      const int samples = std::stoi(row[11]), index = std::stoi(row[12]), missed = std::stoi(row[13]);
      EXPECT_EQ(missed, 0) << log;
      if (samples == 0) continue;
      if (previousIndex < 0) firstStored = index - samples + 1;
      if (previousIndex >= 0) {
        EXPECT_EQ(index - previousIndex, samples) << log;
      }
      previousIndex = lastIndex = index;
      total += samples;
      peak = std::max(peak, std::stoi(row[6]));
    }
    EXPECT_EQ(total, lastIndex - firstStored + 1) << log;
    // The ramps last 0.75 s and 0.5 s at 200 frames/s; the test also holds its start frame and
    // the tear-off frame.
    EXPECT_GT(total, 100) << "a ramp of half a second or more at 200 frames/s";
    EXPECT_GT(peak, 500) << "the force rose during the test: " << log;
  }
}

TEST_P(LiveReader, ALinkThatHangsUpEndsTheReaderWithCodeTwo) {
  Connect();
  StartReader();
  // The cut comes once the reader reads, not while it sets up, where a failure ends it without
  // a code, however late a busy machine lets it get to reading.
  const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!CMeasThread::Instance().IsRunning() && std::chrono::steady_clock::now() < end) PumpMessages(5);
  m_zd2.SetLiveCut(m_zd2.FramesSent() + 150);
  ASSERT_TRUE(WaitForCode(CMeasThread::kConnectionLost));
  CMeasThread::Instance().Stop();
  EXPECT_FALSE(CMeasThread::Instance().IsThreadHeld());
  EXPECT_FALSE(CMeasThread::Instance().IsRunning());
}

TEST_P(LiveReader, StopEndsTheReaderAndItStartsAgain) {
  Connect();
  StartReader();
  ASSERT_TRUE(WaitForCode(CMeasThread::kNewData, 3));
  EXPECT_FALSE(CMeasThread::Instance().Start(&owner, m_device.get(), kReaderMessage, u"1.6.2"));
  CMeasThread::Instance().Stop();
  EXPECT_FALSE(CMeasThread::Instance().IsRunning());
  SLiveSample sample;
  CMeasThread::Instance().GetLatestSample(sample);
  EXPECT_GE(sample.sampleNumber, 60);
  EXPECT_EQ(std::count(owner.codes.begin(), owner.codes.end(), CMeasThread::kConnectionLost), 0);
  EXPECT_TRUE(CMeasThread::Instance().Start(&owner, m_device.get(), kReaderMessage, u"1.6.2"));
  owner.codes.clear();
  ASSERT_TRUE(WaitForCode(CMeasThread::kNewData));
}

LIVE_ON_BOTH_LINKS(LiveReader);

// The eight digits of a frame of firmware 1.4.8 or later with the force and the drive state.
std::string Digits(int force, int state) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X%04X", force, (state << 12) | 1);
  return text;
}

class LiveReaderScripted : public LiveFixture {
 protected:
  // A peer that sends the first stream once the reader runs and the second one when asked.
  void StartPeer(const std::string& first, const std::string& second) {
    Connect([this, first, second](Sim::CPeer& peer) {
      for (int phase = 1; phase <= 2; ++phase) {
        // Receiving takes the client's connection; nothing else comes from it.
        BYTE ignored = 0;
        while (m_phase < phase && !peer.IsStopping()) peer.ReceiveSome(&ignored, 1, 5);
        const std::string& bytes = phase == 1 ? first : second;
        // A send finds no client until a receive has taken the connection.
        while (!peer.Send(std::vector<BYTE>(bytes.begin(), bytes.end())) && !peer.IsStopping())
          peer.ReceiveSome(&ignored, 1, 5);
      }
    });
  }
  std::atomic<int> m_phase{0};
};

TEST_P(LiveReaderScripted, TellsTestsFromTheDriveStatesAndSamplesByTheBackRule) {
  // Frames 1 to 6 in the states 0, 2, 3, 3, 0, 1: the test starts at the 2 and ends at the
  // frame after the first 0. Frame 7 rests; frame 8 starts a test that goes on in BACK.
  std::string first = "a";
  const int states[] = {0, 2, 3, 3, 0, 1};
  for (int i = 0; i < 6; ++i) first += Digits(100 + i, states[i]) + "a";
  first += Digits(0, 0) + "a" + Digits(500, 2) + "a" + Digits(50, 1) + "a" + Digits(70, 1) + "a";
  for (int frame = 11; frame <= 20; ++frame) first += Digits(0, 1) + "a";
  std::string second;
  for (int i = 0; i < 20; ++i) second += Digits(40 + i, 1) + "a";
  StartPeer(first, second);
  ASSERT_TRUE(CMeasThread::Instance().Start(&owner, m_device.get(), kReaderMessage, u"1.4.8"));
  while (!CMeasThread::Instance().IsRunning()) PumpMessages(5);
  m_phase = 1;
  ASSERT_TRUE(WaitForCode(CMeasThread::kNewData));
  EXPECT_EQ(owner.codes, (std::vector<int>{3, 4, 3, 1}));
  int sampled = 0, last = 0, state = 0;
  SSampleStats force, current;
  std::string raw;
  // Frames 8 to 20 are stored; one is not BACK, so the sampled force is the maximum.
  CMeasThread::Instance().ReadStatistics(sampled, force, current, last, raw, state, true);
  EXPECT_EQ(force.count, 13);
  EXPECT_EQ(sampled, 500);
  EXPECT_EQ(last, 20);
  EXPECT_EQ(raw, "00001001a");
  EXPECT_EQ(state, 1);
  m_phase = 2;
  ASSERT_TRUE(WaitForCode(CMeasThread::kNewData, 2));
  // Only BACK frames since the last read: the sampled force is the minimum.
  CMeasThread::Instance().ReadStatistics(sampled, force, current, last, raw, state, true);
  EXPECT_EQ(force.count, 20);
  EXPECT_EQ(sampled, 40);
  EXPECT_EQ(force.maximum, 59);
  EXPECT_EQ(last, 40);
}

TEST_P(LiveReaderScripted, APeriodWithoutSamplesMissesNoneAndTheNextCountsOnFromTheLastStored) {
  // Frame 1 rests, frames 2 to 20 are a running test; frames 21 to 40 go on with it later.
  std::string first = "a" + Digits(0, 0) + "a";
  for (int frame = 2; frame <= 20; ++frame) first += Digits(frame, 3) + "a";
  std::string second;
  for (int frame = 21; frame <= 40; ++frame) second += Digits(frame, 3) + "a";
  StartPeer(first, second);
  ASSERT_TRUE(CMeasThread::Instance().Start(&owner, m_device.get(), kReaderMessage, u"1.4.8"));
  while (!CMeasThread::Instance().IsRunning()) PumpMessages(5);
  m_phase = 1;
  ASSERT_TRUE(WaitForCode(CMeasThread::kNewData));
  CSampleTicker ticker;
  const SSamplingRow firstPeriod = ticker.Tick(CMeasThread::Instance());
  EXPECT_EQ(firstPeriod.force.count, 19);
  EXPECT_EQ(firstPeriod.lastSampleNumber, 20);
  EXPECT_EQ(firstPeriod.missedSamples, 0);
  const SSamplingRow empty = ticker.Tick(CMeasThread::Instance());
  EXPECT_EQ(empty.force.count, 0);
  EXPECT_EQ(empty.missedSamples, 0) << "never negative";
  m_phase = 2;
  ASSERT_TRUE(WaitForCode(CMeasThread::kNewData, 2));
  const SSamplingRow next = ticker.Tick(CMeasThread::Instance());
  EXPECT_EQ(next.force.count, 20);
  EXPECT_EQ(next.lastSampleNumber, 40);
  EXPECT_EQ(next.missedSamples, 0) << "counted from sample 20, not from the empty period";
}

LIVE_ON_BOTH_LINKS(LiveReaderScripted);

}  // namespace
