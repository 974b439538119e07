// The instrument file commands: paths with doubled backslashes, contents behind a 4-byte
// length, the answers and the length limits.

#include <chrono>
#include <thread>

#include "platform/base/Clock.h"
#include "tests/device/commands/CommandsFixture.h"
#include "tests/support/TestEnvironment.h"

using Sim::CScript;

namespace {

std::unique_ptr<StreamIO::CIoStream> RamFile(const char* name, const Bytes& data) {
  auto stream =
      StreamIO::OpenStream(CString::FromUtf8(std::string("RAM:") + name),
                           StreamIO::OPEN_READ | StreamIO::OPEN_WRITE | StreamIO::OPEN_CREATE_OR_TRUNCATE);
  if (!data.empty()) stream->Write(data.data(), int(data.size()));
  return stream;
}

Bytes Contents(StreamIO::CIoStream& stream) {
  Bytes data(size_t(stream.GetLength()));
  stream.Seek(0, StreamIO::SEEK_FROM_START);
  stream.Read(data.data(), int(data.size()));
  return data;
}

}  // namespace

TEST_F(CommandsTest, SaveSendsTheWholeSourceAfterTheCommand) {
  ServeOverSocket(Opened()
                      .ExpectText("SAVE \"dir\\\\name.txt\"\r")
                      .ReplyText("0\r")
                      .Expect(Bytes{0x05, 0x00, 0x00, 0x00} + Text("hello"))
                      .ReplyText("y\r"));
  // The source was just written: its position is at its end, yet the whole file goes out.
  auto source = RamFile("save", Text("hello"));
  EXPECT_TRUE(Commands().SaveDeviceFile(u"dir\\name.txt", source.get()));
  EXPECT_FALSE(Commands().GetTextMode()) << "saving switches echo mode off";
  int readTimeout = 0, writeTimeout = 0;
  Stream().GetTimeouts(readTimeout, writeTimeout);
  EXPECT_EQ(readTimeout, 4000);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, SaveRefusedByTheInstrument) {
  ServeOverSocket(Opened()
                      .ExpectText("SAVE \"a\"\r")
                      .ReplyText("0\r")
                      .Expect(Bytes{0x01, 0x00, 0x00, 0x00, 'x'})
                      .ReplyText("n\r")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("SAVE \"b\"\r")
                      .ReplyText("?\r"));
  auto source = RamFile("refused", Text("x"));
  EXPECT_FALSE(Commands().SaveDeviceFile(u"a", source.get()));
  EXPECT_FALSE(Commands().SaveDeviceFile(u"b", source.get()));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, SaveLengthLimitsFailBeforeAnythingIsSent) {
  ServeOverSocket(CScript());
  auto empty = RamFile("empty", {});
  EXPECT_FALSE(Commands().SaveDeviceFile(u"a", empty.get()));
  auto tooLong = RamFile("long", Bytes(0x500001, 0x20));
  EXPECT_FALSE(Commands().SaveDeviceFile(u"a", tooLong.get()));
  auto closed = RamFile("closed", Text("x"));
  closed->Close();
  EXPECT_FALSE(Commands().SaveDeviceFile(u"a", closed.get()));
  auto fine = RamFile("fine", Text("x"));
  EXPECT_FALSE(Commands().SaveDeviceFile(u"", fine.get()));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(Peer().Transcript().empty());
}

// The clock runs only four times fast: the transfer takes what the machine needs, and the
// read time-outs must leave a slowed-down run enough real time for each piece.
TEST_F(CommandsTest, SaveTakesTheLargestFile) {
  timeScale.Set(4);
  const Bytes data(0x500000, 0x41);
  ServeOverSocket(Opened()
                      .ExpectText("SAVE \"big\"\r")
                      .ReplyText("0\r")
                      .Expect(Le32(0x500000))
                      .Skip(0x500000)
                      .ReplyText("Y\r"));
  auto source = RamFile("big", data);
  EXPECT_TRUE(Commands().SaveDeviceFile(u"big", source.get()));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, CreateEmptyFileSendsLengthZero) {
  ServeOverSocket(
      Opened().ExpectText("SAVE \"new.txt\"\r").ReplyText("0\r").Expect({0, 0, 0, 0}).ReplyText("Y\r"));
  EXPECT_TRUE(Commands().CreateEmptyDeviceFile(u"new.txt"));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, RenameTakesPathsOfUpTo256Characters) {
  const CString longest(u'n', 256);
  ServeOverSocket(Opened()
                      .ExpectText("MOVF \"a\\\\b\";\"c\"\r")
                      .ReplyText("0\r")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("MOVF \"x\";\"" + std::string(256, 'n') + "\"\r")
                      .ReplyText("0\r"));
  Commands().SetTextMode(false, false);
  EXPECT_TRUE(Commands().RenameDeviceFile(u"a\\b", u"c"));
  EXPECT_TRUE(Commands().RenameDeviceFile(u"x", longest));
  EXPECT_FALSE(Commands().RenameDeviceFile(u"x", longest + u"n"));
  EXPECT_FALSE(Commands().RenameDeviceFile(longest + u"n", u"x"));
  EXPECT_FALSE(Commands().RenameDeviceFile(u"", u"x"));
  EXPECT_PEER_OK();
  EXPECT_EQ(Received().size(), 1 + 16 + 1 + 268u) << "a refused rename went out";
}

TEST_F(CommandsTest, DeleteSendsThePathAndHonoursARefusal) {
  ServeOverSocket(Opened()
                      .ExpectText("DELF \"a\\\\b\"\r")
                      .ReplyText("0\r")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("DELF \"c\"\r")
                      .ReplyText("?\r"));
  EXPECT_TRUE(Commands().DeleteDeviceFile(u"a\\b"));
  EXPECT_FALSE(Commands().GetTextMode());
  EXPECT_FALSE(Commands().DeleteDeviceFile(u"c"));
  EXPECT_FALSE(Commands().DeleteDeviceFile(u""));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, LoadReceivesTheFileIntoTheTarget) {
  ServeOverSocket(
      Opened().ExpectText("LOAD \"a\\\\b\"\r").Reply(Bytes{0x04, 0x00, 0x00, 0x00} + Text("data")));
  auto target = RamFile("load", {});
  EXPECT_TRUE(Commands().LoadDeviceFile(target.get(), u"a\\b"));
  EXPECT_EQ(Contents(*target), Text("data"));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, LoadWithUtf8NamesSendsThePathUnquoted) {
  ServeOverSocket(Opened().ExpectText("LOAD d\\\\\xC3\xA4.txt\r").Reply(Bytes{0x01, 0x00, 0x00, 0x00, 0x7A}));
  Commands().SetUtf8Names(true);
  auto target = RamFile("utf8", {});
  EXPECT_TRUE(Commands().LoadDeviceFile(target.get(), u"d\\\u00E4.txt"));
  EXPECT_EQ(Contents(*target), Bytes{0x7A});
  // The command line must stay under 512 bytes: "LOAD " + 506 + CR is 512.
  EXPECT_FALSE(Commands().LoadDeviceFile(target.get(), CString(u'p', 506)));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, LoadLengthLimits) {
  timeScale.Set(20);
  const struct {
    const char* name;
    Bytes length;
  } cases[] = {
      {"empty file", {0x00, 0x00, 0x00, 0x00}},
      {"over 0x8000000 bytes", {0x01, 0x00, 0x00, 0x08}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ServeOverSocket(Opened().ExpectText("LOAD \"f\"\r").Reply(c.length + Bytes{1, 2, 3}));
    auto target = RamFile("limits", {});
    EXPECT_FALSE(Commands().LoadDeviceFile(target.get(), u"f"));
    EXPECT_EQ(target->GetLength(), 0);
    EXPECT_PEER_OK();
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, RequestSendsTheUtf8PathAndReceivesTheFile) {
  ServeOverSocket(Opened()
                      .ExpectText("REQF\r")
                      .ReplyText("0\r")
                      .Expect(Bytes{0x05, 0x00, 0x00, 0x00} + Text("\\\\\xC3\xA4/"))
                      .Reply(Bytes{'y', 0x02, 0x00, 0x00, 0x00} + Text("hi")));
  auto target = RamFile("request", {});
  EXPECT_TRUE(Commands().RequestDeviceFile(u"\\\u00E4/", target.get()));
  EXPECT_EQ(Contents(*target), Text("hi"));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, RequestRefusedOrWithTooLongAPath) {
  ServeOverSocket(Opened()
                      .ExpectText("REQF\r")
                      .ReplyText("0\r")
                      .Expect(Bytes{0x01, 0x00, 0x00, 0x00, 'f'})
                      .Reply(Bytes{'n'}));
  auto target = RamFile("refused", {});
  EXPECT_FALSE(Commands().RequestDeviceFile(u"f", target.get()));
  // 257 two-byte characters make 514 bytes of UTF-8.
  EXPECT_FALSE(Commands().RequestDeviceFile(CString(u'\u00E4', 257), target.get()));
  EXPECT_PEER_OK();
  EXPECT_EQ(Received().size(), 1 + 5 + 5u);
}
