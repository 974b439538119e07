#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "calibration/VexalonDoc.h"
#include "tests/calibration/LiveFixture.h"
#include "tests/calibration/LogWindow.h"

namespace {

// The calibration document on the simulated ZD-2 behind a pseudo-terminal mapped to a COM
// port, with the counters the simulator's default calibration holds (lifetime 0x12345678,
// calibration 0xDEADBEEF) read at connection time.
class CalibrationSequence : public LiveFixture {
 protected:
  void SetUp() override {
    LiveFixture::SetUp();
    ASSERT_TRUE(m_logWindow.Create());
  }

  void ConnectDocument() {
    Connect();
    m_doc.Reset();
    m_doc.m_device = m_device.get();
    ASSERT_TRUE(m_doc.ReadDeviceIdentity());
    ASSERT_EQ(m_doc.m_lifetimeCounter, 0x12345678);
    m_peer->ClearTranscript();
  }

  std::string Received() const {
    const std::vector<BYTE> bytes = m_peer->Transcript();
    return std::string(bytes.begin(), bytes.end());
  }

  // Each part is received, after the one before it.
  void ExpectInOrder(const std::vector<std::string>& parts) const {
    const std::string received = Received();
    size_t from = 0;
    for (const std::string& part : parts) {
      const size_t at = received.find(part, from);
      ASSERT_NE(at, std::string::npos) << part << " after position " << from << " of " << received;
      from = at + part.size();
    }
  }

  // Three cycles of twenty steps whose reference reads 1 % above the instrument.
  void MeasureCycles() {
    for (int cycle = 0; cycle < CVexalonDoc::kCyclesPerCalibration; ++cycle) {
      m_doc.m_cycles[cycle].assign(CVexalonDoc::kSteps, CStepMeas{});
      for (int k = 0; k < CVexalonDoc::kSteps; ++k) {
        m_doc.m_cycles[cycle][k].instrumentForce = 100 * (k + 1);
        m_doc.m_cycles[cycle][k].referenceForce = 101 * (k + 1);
      }
    }
    m_doc.m_means.assign(CVexalonDoc::kSteps, CStepMeas{});
  }

  CVexalonDoc m_doc;
  CLogWindow m_logWindow;
  CColorRichEditCtrl& m_log = m_logWindow.log;
};

TEST_P(CalibrationSequence, DeletionErasesBothSegmentsAndWritesTheCountersBack) {
  ConnectDocument();
  EXPECT_EQ(m_doc.DeleteCalibration(false), 0);
  // Continuous mode off; segment 1 erased (the address's two's complement); segment 3 erased;
  // the lifetime counter's low word 0x5678 written with its checks 0x10 + 0x80 + 0x78 = 0x08
  // and 0x10 + 0x81 + 0x56 = 0xE7, and read back; cal usage off; continuous mode on.
  ExpectInOrder(
      {"0001s", "1000sFFFFF000e", "1080sFFFFEF80e", "1080s7808w56E7w", "1080s0002n0000n", "0000u", "0000s"});
  const std::vector<BYTE> memory = m_zd2.InfoMemory();
  EXPECT_EQ(std::vector<BYTE>(memory.begin(), memory.begin() + 64), std::vector<BYTE>(64, 0xFF));
  EXPECT_EQ(std::vector<BYTE>(memory.begin() + 0x80, memory.begin() + 0x89),
            (std::vector<BYTE>{0x78, 0x56, 0x34, 0x12, 0xEF, 0xBE, 0xAD, 0xDE, 0xFF}));
}

TEST_P(CalibrationSequence, WriteAndFinishingFollowTheInstrumentsOrder) {
  ConnectDocument();
  MeasureCycles();
  ASSERT_EQ(m_doc.WriteCalibration(800, false), 0);
  // Step force 800 = 0x0320 first (checks 0x10 + 0x10 + 0x20 = 0x40, 0x10 + 0x11 + 0x03 = 0x24),
  // then the slopes 10100 = 0x2774 from 0x1012 (0x10 + 0x12 + 0x74 = 0x96, 0x10 + 0x13 + 0x27 =
  // 0x4A); the read-back of the same words; cal usage on.
  ExpectInOrder({"1010s2040w0324w", "1012s7496w274Aw", "1010s0002n0000n", "1012s0002n0000n", "0001u"});
  m_peer->ClearTranscript();

  EXPECT_TRUE(m_doc.FinishCalibration(m_log, u"AB12"));
  // Continuous mode off, segment 3 read, erased, written with the calibration counter 0
  // (checks 0x10 + 0x84 = 0x94, 0x95) and read back, then the date, the calibrator ('A': 0x10 +
  // 0x3A + 0x41 = 0x8B), the validity identifier 0x3CC3 (0x10 + 0xC3 = 0xD3, 0x10 + 0x01 + 0x3C
  // = 0x4D) read back, and the last-used copy after leaving the debug protocol.
  ExpectInOrder({"0001s", "1080s0002n", "1080sFFFFEF80e", "1084s0094w0095w", "1084s0002n", "1004s",
                 "103As418Bw", "1000sC3D3w3C4Dw", "1000s0002n", "0000x", "\xC4\xC1\xD2"});
  const std::vector<BYTE> memory = m_zd2.InfoMemory();
  const std::vector<BYTE> copy = m_zd2.LastUsedCopy();
  EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + 64, copy.begin())) << "segment 1 copied";
  EXPECT_TRUE(std::equal(memory.begin() + 0x88, memory.begin() + 0xB0, copy.begin() + 0x88))
      << "offsets copied";
  EXPECT_EQ(copy[0x84], 0xEF) << "the counters are never copied";
  EXPECT_EQ(m_doc.m_calibratorInfo.lastUsedCalibrationWrite, EResultState::eOk);
}

TEST_P(CalibrationSequence, AStickyByteIsFoundByTheReadBack) {
  m_zd2.SetStickyByte(0x1002);
  ConnectDocument();
  EXPECT_EQ(m_doc.SetCalibrationValid(false), CVexalonDoc::kErrorReadBackDiffers);
}

TEST_P(CalibrationSequence, ARefusedWriteIsAWriteFailure) {
  m_zd2.SetRefusedWrite(0x1001);
  ConnectDocument();
  EXPECT_EQ(m_doc.SetCalibrationValid(false), CVexalonDoc::kErrorWriteFailed);
}

TEST_P(CalibrationSequence, ARefusedEraseStopsTheDeletion) {
  m_zd2.SetRefusedErase(3);
  ConnectDocument();
  EXPECT_EQ(m_doc.DeleteCalibration(false), CVexalonDoc::kErrorEraseSegment);
  const std::vector<BYTE> memory = m_zd2.InfoMemory();
  EXPECT_EQ(memory[0], 0xFF) << "segment 1 was erased before";
  EXPECT_EQ(memory[0x80], 0x78) << "segment 3 kept";
  EXPECT_EQ(Received().find("1080s7808w"), std::string::npos) << "no counter written";
}

TEST_P(CalibrationSequence, ALifetimeCounterThatGrewWithTheCalUsageFlagFailsTheFinishing) {
  m_zd2.SetLifetimeBump(true);
  ConnectDocument();
  MeasureCycles();
  ASSERT_EQ(m_doc.WriteCalibration(800, false), 0);
  const std::vector<BYTE> memory = m_zd2.InfoMemory();
  EXPECT_EQ(std::vector<BYTE>(memory.begin() + 0x80, memory.begin() + 0x84),
            (std::vector<BYTE>{0x79, 0x56, 0x34, 0x12}))
      << "0x12345678 + 1 after the cal-usage flag came on";
  // The read of segment 3 compares the lifetime words with the counter read at connection time.
  EXPECT_FALSE(m_doc.FinishCalibration(m_log, u"AB12"));
  EXPECT_NE(m_log.GetWindowTextString().Find(u"ERROR: Failed to read back parameters."), -1)
      << m_log.GetWindowTextString().ToUtf8();
}

TEST_P(CalibrationSequence, ARefusedOverwriteLeavesTheLastUsedCopyFailed) {
  m_zd2.SetOverwriteRefused(true);
  ConnectDocument();
  const std::vector<BYTE> copy = m_zd2.LastUsedCopy();
  EXPECT_FALSE(m_doc.OverwriteStoredCalibrations(m_log));
  EXPECT_EQ(m_doc.m_calibratorInfo.lastUsedCalibrationWrite, EResultState::eFailed);
  EXPECT_EQ(m_doc.m_calibratorInfo.factoryCalibrationWrite, EResultState::eNotRequired);
  EXPECT_EQ(m_zd2.LastUsedCopy(), copy);
}

INSTANTIATE_TEST_SUITE_P(Link, CalibrationSequence, ::testing::Values(ELiveLink::ePseudoTerminal),
                         [](const ::testing::TestParamInfo<ELiveLink>&) { return "PseudoTerminal"; });

}  // namespace
