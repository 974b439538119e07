// Record uploads: service records in checked packets, S-records and echoed strings.

#include <chrono>
#include <thread>

#include "platform/base/Clock.h"
#include "tests/device/commands/CommandsFixture.h"

using Sim::CScript;

namespace {

const Bytes kAck = {0x01, 0xAA, 0xBB, 0xCC, 0xFF, 0xFF, 0x17};
const Bytes kNack = {0x02, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x17};

// A record of type 0x10 at address 0x1234 with 64 data bytes: 32 zeros, then 32 ones.
const std::string kRecord64 = "1012340040" + std::string(64, '0') + [] {
  std::string ones;
  for (int i = 0; i < 32; ++i) ones += "01";
  return ones;
}() + "ZZ";
const std::string kHeaderLine = "ABCDEFGHIJ00\r\n:";

// 01 37 20 00 add up to 0x58: with 32 zeros the check is 0x10000 - 0x58 = 0xFFA8, with 32
// ones 0x10000 - 0x78 = 0xFF88.
const Bytes kZerosPacket = Bytes{0x01, 0x37, 0x20, 0x00} + Bytes(32, 0x00) + Bytes{0xA8, 0xFF, 0x17};
const Bytes kOnesPacket = Bytes{0x01, 0x37, 0x20, 0x00} + Bytes(32, 0x01) + Bytes{0x88, 0xFF, 0x17};
// 01 39 03 00 10 34 12 add up to 0x93: check 0xFF6D.
const Bytes kHeaderPacket = {0x01, 0x39, 0x03, 0x00, 0x10, 0x34, 0x12, 0x6D, 0xFF, 0x17};

std::unique_ptr<StreamIO::CIoStream> SourceText(const std::string& text) {
  static int serial = 0;
  auto stream =
      StreamIO::OpenStream(CString::FromUtf8("RAM:records" + std::to_string(++serial)),
                           StreamIO::OPEN_READ | StreamIO::OPEN_WRITE | StreamIO::OPEN_CREATE_OR_TRUNCATE);
  stream->Write(text.data(), int(text.size()));
  stream->Seek(0, StreamIO::SEEK_FROM_START);
  return stream;
}

}  // namespace

TEST_F(CommandsTest, ServiceRecordGoesOutAsTwoDataPacketsAndItsHeader) {
  const std::string text = kHeaderLine + kRecord64 + "\r\n:";
  ServeOverSocket(CScript()
                      .Expect(kZerosPacket)
                      .Reply(kAck)
                      .Expect(kOnesPacket)
                      .Reply(kAck)
                      .Expect(kHeaderPacket)
                      .Reply(kAck));
  auto source = SourceText(text);
  CProgressLog progress;
  // 158 characters; the position reached is 158, reported less one.
  EXPECT_EQ(Commands().ServiceRecordDownload(source.get(), int(text.size()), &progress), 157);
  EXPECT_EQ(progress.calls, (std::vector<CProgressLog::SCall>{{100, 2, 0}}));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, ServiceRecordsReportTheShareOfTextConsumed) {
  // A second record at address 0x0001 without data: 01 39 03 00 10 01 00 add up to 0x4E.
  const std::string text = kHeaderLine + kRecord64 + "\r\n:" + "1000010000ZZ" + "\r\n:";
  ServeOverSocket(CScript()
                      .Expect(kZerosPacket)
                      .Reply(kAck)
                      .Expect(kOnesPacket)
                      .Reply(kAck)
                      .Expect(kHeaderPacket)
                      .Reply(kAck)
                      .Expect({0x01, 0x39, 0x03, 0x00, 0x10, 0x01, 0x00, 0xB2, 0xFF, 0x17})
                      .Reply(kAck));
  auto source = SourceText(text);
  CProgressLog progress;
  EXPECT_EQ(Commands().ServiceRecordDownload(source.get(), int(text.size()), &progress), 172);
  EXPECT_EQ(progress.calls, (std::vector<CProgressLog::SCall>{{91, 2, 0}, {100, 2, 0}}));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, RefusedPacketRepeatsTheRecordFromItsFirstPacket) {
  const std::string text = kHeaderLine + kRecord64 + "\r\n:";
  ServeOverSocket(CScript()
                      .Expect(kZerosPacket)
                      .Reply(kAck)
                      .Expect(kOnesPacket)
                      .Reply(kNack)
                      .Expect(kZerosPacket)
                      .Reply(kAck)
                      .Expect(kOnesPacket)
                      .Reply(kAck)
                      .Expect(kHeaderPacket)
                      .Reply(kAck));
  auto source = SourceText(text);
  EXPECT_EQ(Commands().ServiceRecordDownload(source.get(), int(text.size()), nullptr), 157);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, RecordNeverAcceptedFailsTheDownloadAfterSixAttempts) {
  const std::string text = kHeaderLine + kRecord64 + "\r\n:";
  CScript script;
  for (int attempt = 0; attempt < 6; ++attempt) script.Expect(kZerosPacket).Reply(kNack);
  ServeOverSocket(script);
  auto source = SourceText(text);
  EXPECT_EQ(Commands().ServiceRecordDownload(source.get(), int(text.size()), nullptr), 0);
  Bytes six;
  for (int attempt = 0; attempt < 6; ++attempt) six = six + kZerosPacket;
  EXPECT_EQ(Received(), six);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, RecordWithoutWholePiecesOfDataFails) {
  // 48 data bytes: the first 32 go out, the remaining 16 are no whole piece.
  const std::string text = kHeaderLine + "1012340030" + std::string(96, '0') + "ZZ\r\n:";
  ServeOverSocket(CScript().Expect(kZerosPacket).Reply(kAck));
  auto source = SourceText(text);
  EXPECT_EQ(Commands().ServiceRecordDownload(source.get(), int(text.size()), nullptr), 0);
  EXPECT_EQ(Received(), kZerosPacket);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, ServiceRecordTextsThatDoNotParseSendNothing) {
  ServeOverSocket(CScript());
  const std::string texts[] = {
      "ABCDEFGHIJ01\r\n:" + kRecord64 + "\r\n:",                    // header characters 10 and 11 not "00"
      "ABCDEFGHIJ00\r\n;" + kRecord64 + "\r\n:",                    // no separator after the header
      kHeaderLine + kRecord64.substr(0, 100) + "\r\n:",             // line shorter than its data count
      kHeaderLine + "10123400G0" + kRecord64.substr(10) + "\r\n:",  // prefix not hexadecimal
  };
  for (const std::string& text : texts) {
    auto source = SourceText(text);
    EXPECT_EQ(Commands().ServiceRecordDownload(source.get(), int(text.size()), nullptr), 0) << text;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(Peer().Transcript().empty());
}

TEST_F(CommandsTest, SRecordsAreAcknowledgedOneByOne) {
  const std::string text = "xxS1AAAA\r\nS1BBBBBB\r\nS9CC\r\n";
  ServeOverSocket(CScript()
                      .ExpectText("S1AAAA\r\n")
                      .ReplyText("P")
                      .ExpectText("S1BBBBBB\r\n")
                      .ReplyText("P")
                      .ExpectText("S9CC\r\n")
                      .ReplyText("P"));
  auto source = SourceText(text);
  CProgressLog progress;
  EXPECT_EQ(Commands().SendSRecords(source.get(), int(text.size()), &progress), 24);
  // 8, 18 and 24 of the 26 bytes.
  EXPECT_EQ(progress.calls, (std::vector<CProgressLog::SCall>{{30, 2, 0}, {69, 2, 0}, {92, 2, 0}}));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, SRecordsStopAtTheFirstMissingAcknowledgement) {
  const std::string text = "S1AAAA\r\nS1BBBBBB\r\nS9CC\r\n";
  ServeOverSocket(
      CScript().ExpectText("S1AAAA\r\n").ReplyText("P").ExpectText("S1BBBBBB\r\n").ReplyText("X"));
  auto source = SourceText(text);
  EXPECT_EQ(Commands().SendSRecords(source.get(), int(text.size()), nullptr), 8);
  EXPECT_EQ(Received(), Text("S1AAAA\r\nS1BBBBBB\r\n"));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, EchoedStringsCheckTheirOneCharacterAnswer) {
  const Bytes service = Text("SC030102F9\r\n");
  ServeOverSocket(CScript()
                      .Expect(service)
                      .ReplyText("G")
                      .Expect(service)
                      .ReplyText("E")
                      .Expect(Text("SI030000FC\r\n"))
                      .ReplyText("G"));
  EXPECT_TRUE(Commands().SendWithEcho(service.data(), int(service.size()), 'G'));
  EXPECT_FALSE(Commands().SendWithEcho(service.data(), int(service.size()), 'G'));
  const Bytes silent = Text("SI030000FC\r\n");
  EXPECT_TRUE(Commands().SendWithEcho(silent.data(), int(silent.size()), 0));
  EXPECT_FALSE(Commands().SendWithEcho(nullptr, 12, 'G'));
  // The echo to the silent string was not read: it is still waiting on the link.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Stream().GetBytesWaiting(), 1);
  EXPECT_PEER_OK();
}
