#include <gtest/gtest.h>

#include "device/Callback.h"
#include "platform/base/Clock.h"
#include "tests/device/zd2/Zd2Fixture.h"
#include "tests/sim/ReferenceCrc.h"

namespace {

using Fault = Sim::CZd2Simulator::EDownloadFault;

constexpr int kBufferSize = 64 * 1024;

struct SDownload {
  int result = -1;
  int size = kBufferSize;
  int count = 0;
  Bytes records;
};

SDownload Download(Device::CVexalonDevice& device, int capacity = kBufferSize) {
  SDownload download;
  download.size = capacity;
  Bytes buffer(size_t(kBufferSize), 0);
  download.result = device.DownloadMeasurements(buffer.data(), download.size, download.count);
  if (download.result == 0 && download.count > 0) buffer.resize(size_t(download.size));
  download.records = buffer;
  return download;
}

class Zd2Download : public Zd2Test {};

TEST_P(Zd2Download, DownloadsTheStoredRecordsByteForByte) {
  for (int count : {1, 5, 250}) {
    SCOPED_TRACE(count);
    m_zd2.SetRecords(MakeRecords(count, count));
    if (!m_peer) Connect();
    const SDownload download = Download(Device());
    ASSERT_EQ(download.result, 0) << CString(Device::GetDownloadErrorText(download.result)).ToUtf8();
    EXPECT_EQ(download.count, count);
    EXPECT_EQ(download.size, count * 238);
    EXPECT_EQ(download.records, MakeRecords(count, count));
  }
  EXPECT_EQ(Received(), "<C3><C1><C1><C3><C1><C1><C3><C1><C1>");
}

TEST_P(Zd2Download, ReportsTheShareReceived) {
  struct : Device::CCallback {
    void OnDeviceFound(Device::CJvDevice*) override {}
    void OnStatusText(const CString&) override {}
    void OnMessage(const CString&, int) override {}
    void OnProgress(int percent, int mode, int expectedMs) override {
      EXPECT_EQ(mode, 1);
      EXPECT_EQ(expectedMs, 0);
      EXPECT_GE(percent, last);
      last = percent;
    }
    int last = -1;
  } progress;
  m_zd2.SetRecords(MakeRecords(40));
  Connect();
  // Progress comes whether or not the receiver asked for it.
  ASSERT_FALSE(progress.m_bProgressWanted);
  ASSERT_TRUE(Device().SetCallback(&progress));
  EXPECT_EQ(Download(Device()).result, 0);
  EXPECT_EQ(progress.last, 100);
  Device().DetachCallback();
}

TEST_P(Zd2Download, AStreamThatRaisesGivesTheExceptionCode) {
  m_zd2.SetRecords(MakeRecords(1));
  Connect();
  Device().GetStream()->Close();
  EXPECT_EQ(Download(Device()).result, 11);
}

TEST_P(Zd2Download, EmptyInstrumentLeavesSizeAndCountAsTheCallerSetThem) {
  Connect();
  const SDownload download = Download(Device(), 5000);
  EXPECT_EQ(download.result, 0);
  EXPECT_EQ(download.count, 0);
  EXPECT_EQ(download.size, 5000);
}

TEST_P(Zd2Download, DeleteAllEmptiesTheInstrument) {
  m_zd2.SetRecords(MakeRecords(3));
  Connect();
  EXPECT_TRUE(Device().DeleteAllMeasurements());
  EXPECT_EQ(m_zd2.RecordCount(), 0);
  EXPECT_EQ(Download(Device()).count, 0);
  EXPECT_EQ(Received(), "<C1><D2><0B><C3><C1><C1>");
}

struct SFaultCase {
  const char* name;
  Fault fault;
  int faultRecord;
  int expected;
};

class Zd2DownloadFault : public Zd2Test {};

// Each fault of the instrument gives the result code that names it. The stall, a silence of the
// instrument, lasts as a time-out of 30 s does, 3.4 s at twenty times the pace: well past the two
// data reads of one second each, in real time, that end a transfer which no longer brings
// anything, even when a loaded machine wakes the reader late. It comes last, since its end
// would reach the transfer after it.
TEST_P(Zd2DownloadFault, EachFaultGivesItsResultCode) {
  constexpr int kStallMs = 30000;
  // What a failed transfer left on the link passes before the next one.
  constexpr DWORD kPassMs = 7000;
  const SFaultCase cases[] = {
      {"bad check of the third record", Fault::eBadCrc, 3, 10},
      {"header cut short", Fault::eHeaderCut, 1, 2},
      {"no answer", Fault::eSilence, 1, 2},
      {"header announces 3-byte checks", Fault::eBadCheckSize, 1, 3},
      {"header announces no data", Fault::eZeroSize, 1, 6},
      {"one record more announced than sent", Fault::eCountMismatch, 1, 9},
      {"data stalls longer than a read", Fault::eStall, 1, 8},
  };
  m_zd2.SetRecords(MakeRecords(5));
  Connect();
  for (const SFaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    m_zd2.SetDownloadFault(c.fault, c.faultRecord, kStallMs);
    EXPECT_EQ(Download(Device()).result, c.expected);
    Sleep(kPassMs);
  }
}

TEST_P(Zd2DownloadFault, RecordsThatCannotHoldTheirSizeWordAreAMismatch) {
  Connect();
  for (BYTE sizeWord : {0, 1}) {
    Bytes records = MakeRecords(2);
    records[0] = sizeWord;
    m_zd2.SetRecords(records);
    EXPECT_EQ(Download(Device()).result, 9) << int(sizeWord);
  }
}

TEST_P(Zd2DownloadFault, MoreDataThanTheBufferHolds) {
  m_zd2.SetRecords(MakeRecords(5));
  Connect();
  EXPECT_EQ(Download(Device(), 5 * 240 - 1).result, 4);
}

TEST_P(Zd2DownloadFault, LostLinkDuringTheData) {
  m_zd2.SetRecords(MakeRecords(5));
  m_zd2.SetDownloadFault(Fault::eDisconnect);
  Connect();
  const int result = Download(Device()).result;
  if (GetParam() == ELink::eSocket) {
    // The socket stream connects again and then hears nothing more.
    EXPECT_EQ(result, 8);
  } else {
    // A hung-up terminal drops what it still held and fails every later transfer: the header
    // or the data comes short, or the stream raises.
    EXPECT_TRUE(result == 2 || result == 8 || result == 11) << result;
  }
}

// The data phase's reads may wait one second for a byte, a time-out that lasts its second in
// real time however fast the clock runs; the data phase's limit of some 30 s is a time-out
// too: at ten times the pace its first two seconds pass in real time, 4.8 s in all.
TEST_P(Zd2DownloadFault, TransferThatKeepsTricklingPastItsLimitTimesOut) {
  timeScale.Set(10);
  m_zd2.SetRecords(MakeRecords(1));
  Connect();
  // 240 bytes at 2 bytes a second take 120 s, 12 s of real time, more than the data phase may
  // take, while every read still brings something.
  m_peer->SetByteRate(2);
  EXPECT_EQ(Download(Device()).result, 7);
}

TEST_P(Zd2DownloadFault, ThrottledToTheLinkRateAFullBufferStillCompletes) {
  timeScale.Set(10);
  m_zd2.SetRecords(MakeRecords(255));
  Connect();
  // 61200 bytes at 19200 baud take about 32 s: beyond the old fixed 30 s.
  m_peer->SetByteRate(1920);
  const SDownload download = Download(Device());
  EXPECT_EQ(download.result, 0) << CString(Device::GetDownloadErrorText(download.result)).ToUtf8();
  EXPECT_EQ(download.count, 255);
}

class Zd2DownloadHeader : public Zd2Test {};

// A header 02 01 00 01 announces 256 bytes for one record: a record of 254 bytes and its check.
TEST_P(Zd2DownloadHeader, SizeWordMustMatchTheAnnouncedTotal) {
  for (BYTE sizeWord : {254, 253}) {
    Bytes record(254, 0x5A);
    record[0] = sizeWord;
    record[1] = 0;
    const WORD crc = Sim::ReferenceCrc16(record.data(), record.size());
    Bytes reply = {0x02, 0x01, 0x00, 0x01};
    reply.insert(reply.end(), record.begin(), record.end());
    reply.push_back(BYTE(crc >> 8));
    reply.push_back(BYTE(crc));
    ConnectScript(Sim::CScript().Expect({0xC3, 0xC1, 0xC1}).Reply(reply));
    const SDownload download = Download(Device());
    if (sizeWord == 254) {
      EXPECT_EQ(download.result, 0);
      EXPECT_EQ(download.count, 1);
      EXPECT_EQ(download.size, 254);
      EXPECT_EQ(Bytes(download.records.begin(), download.records.begin() + 254), record);
    } else {
      EXPECT_EQ(download.result, 9);
    }
    m_device.reset();
    m_peer->Stop();
  }
}

TEST_P(Zd2DownloadHeader, ChecksAreReadMostSignificantByteFirst) {
  Bytes record(10, 0);
  record[0] = 10;
  for (int i = 2; i < 10; ++i) record[size_t(i)] = BYTE(i * 17);
  const WORD crc = Sim::ReferenceCrc16(record.data(), record.size());
  // The same check with its bytes swapped must fail.
  Bytes reply = {0x02, 0x00, 12, 0x01};
  reply.insert(reply.end(), record.begin(), record.end());
  reply.push_back(BYTE(crc));
  reply.push_back(BYTE(crc >> 8));
  ASSERT_NE(BYTE(crc), BYTE(crc >> 8));
  ConnectScript(Sim::CScript().Expect({0xC3, 0xC1, 0xC1}).Reply(reply));
  EXPECT_EQ(Download(Device()).result, 10);
}

ZD2_ON_BOTH_LINKS(Zd2Download);
ZD2_ON_BOTH_LINKS(Zd2DownloadFault);
ZD2_ON_BOTH_LINKS(Zd2DownloadHeader);

class Zd2LeaveFailure : public Zd2Test {};

// The instrument is in the debug protocol and its terminal hangs up: the download cannot even
// switch it back.
TEST_P(Zd2LeaveFailure, DownloadReportsTheFailedSwitch) {
  Connect();
  ASSERT_TRUE(Device().EnterDebugProtocol());
  m_peer->RequestHangup();
  // The terminal hangs up once the instrument's side has let go of it.
  Sleep(2000);
  EXPECT_EQ(Download(Device()).result, 1);
}

INSTANTIATE_TEST_SUITE_P(Link, Zd2LeaveFailure, ::testing::Values(ELink::ePseudoTerminal),
                         [](const ::testing::TestParamInfo<ELink>&) { return "PseudoTerminal"; });

TEST(DownloadErrorText, EachCodeHasItsText) {
  const struct {
    int code;
    const char16_t* text;
  } cases[] = {
      {0, u"No Error"},
      {1, u"Error: Failed to switch to default protocol."},
      {2, u"Error: Wrong header size."},
      {3, u"Error: Wrong CRC size."},
      {4, u"Error: Measurement buffer is too small."},
      {5, u"Error: Unknown error."},
      {6, u"Error: Data size is 0."},
      {7, u"Error: Reached measurement download timeout."},
      {8, u"Error: Not all data has been downloaded."},
      {9, u"Error: Mismatch between the number of measurements and the data size."},
      {10, u"Error: Failed CRC check."},
      {11, u"Error: Unknown exception."},
      {12, u"Error: Unknown error."},
      {-1, u"Error: Unknown error."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CString(Device::GetDownloadErrorText(c.code)), CString(c.text)) << c.code;
}

}  // namespace
