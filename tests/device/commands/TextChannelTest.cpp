// The text channel: command lines with and without echo, refusals, the line reader, the echo
// probe, identity, login, snapshot and directory listing.

#include "device/DeviceIdent.h"
#include "device/DeviceLogin.h"
#include "platform/base/Clock.h"
#include "tests/device/commands/CommandsFixture.h"

using Sim::CScript;

TEST_F(CommandsTest, CommandWithoutEchoTakesTheWholeLine) {
  ServeOverSocket(Opened().ExpectText("GPOW\r").ReplyText("4095\r"));
  Commands().SetTextMode(false, false);
  CString answer;
  EXPECT_TRUE(Commands().QueryPower(answer));
  EXPECT_EQ(answer, CString(u"4095"));
  EXPECT_EQ(Received(), Text("\x10GPOW\r"));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, CommandWithEchoTakesTheTextAfterTheEchoedCommand) {
  ServeOverSocket(Opened().ExpectText("ID\r").ReplyText("ID ZD-2;1.2.0;VN01-123-4567\r\n"));
  SDeviceIdent ident;
  EXPECT_TRUE(Commands().QueryId(ident));
  EXPECT_EQ(ident.deviceName, CString(u"ZD-2"));
  EXPECT_EQ(ident.appVersion, CString(u"1.2.0"));
  EXPECT_EQ(ident.serialNumber, CString(u"VN01-123-4567"));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, IdentitySkipsEmptyFieldsAndNeedsThreeTexts) {
  ServeOverSocket(Opened()
                      .ExpectText("ID\r")
                      .ReplyText("ZD-2;;1.2.0;VN01\r")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("ID\r")
                      .ReplyText("ZD-2;1.2.0\r"));
  Commands().SetTextMode(false, false);
  SDeviceIdent ident;
  EXPECT_TRUE(Commands().QueryId(ident));
  EXPECT_EQ(ident.appVersion, CString(u"1.2.0"));
  EXPECT_EQ(ident.serialNumber, CString(u"VN01"));
  EXPECT_FALSE(Commands().QueryId(ident));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, QuestionMarkIsTheInstrumentsRefusal) {
  ServeOverSocket(Opened().ExpectText("@XX@\r").ReplyText("?\r"));
  Commands().SetTextMode(false, false);
  EXPECT_FALSE(Commands().SendCommand(u"@XX@", 1000));
  EXPECT_STREQ(Commands().GetReply(), "?");
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, CommandAnswerTextsByLineForm) {
  timeScale.Set(10);
  const struct {
    const char* name;
    bool echo;
    std::string line;
    bool result;
    const char* reply;
  } cases[] = {
      {"answer ends at the first CR", false, "12\r", true, "12"},
      {"echoed line without an answer", true, "GPOW\r\n", false, ""},
      {"echoed line with an empty answer", true, "GPOW \r\n", true, ""},
      {"echoed line, answer up to its first CR", true, "GPOW 7\r8\r\n", true, "7"},
      {"echo expected, line times out after CR", true, "GPOW 5\r", true, "GPOW 5"},
      {"line times out without its end", false, "GPOW", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ServeOverSocket(Opened().ExpectText("GPOW\r").ReplyText(c.line));
    Commands().SetTextMode(c.echo, false);
    EXPECT_EQ(Commands().SendCommand(u"GPOW", 500), c.result);
    EXPECT_STREQ(Commands().GetReply(), c.reply);
    EXPECT_PEER_OK();
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, CommandFailsWithoutAcknowledgement) {
  timeScale.Set(10);
  ServeOverSocket(CScript().Expect({0x10}));
  EXPECT_FALSE(Commands().SendCommand(u"ID", 500));
  EXPECT_EQ(Received(), Bytes{0x10}) << "the command went out without its acknowledgement";
}

TEST_F(CommandsTest, TextCommandCopiesWhatFitsAndReturnsTheFullLength) {
  ServeOverSocket(Opened()
                      .ExpectText("@EN@\r")
                      .ReplyText("ABCDEFGHIJ\r")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("\r")
                      .ReplyText("x\r")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("@CD@\r")
                      .ReplyText("@CD@\n"));
  Commands().SetTextMode(false, false);
  char buffer[5];
  EXPECT_EQ(Commands().TextCommand(u"@EN@", buffer, sizeof buffer, 1000), 10);
  EXPECT_STREQ(buffer, "ABCD");
  EXPECT_EQ(Commands().TextCommand(u"", buffer, sizeof buffer, 1000), 1);
  EXPECT_STREQ(buffer, "?");
  EXPECT_EQ(Commands().TextCommand(u"@CD@", buffer, sizeof buffer, 1000), 0);
  EXPECT_EQ(Commands().TextCommand(u"@CD@", buffer, 1, 1000), 0);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, TextCommandFailsWithoutLine) {
  timeScale.Set(10);
  ServeOverSocket(Opened().ExpectText("@VB@\r"));
  char buffer[16];
  EXPECT_EQ(Commands().TextCommand(u"@VB@", buffer, sizeof buffer, 500), -1);
}

TEST_F(CommandsTest, EchoProbeFindsAnInstrumentWithoutEchoAndSwitchesItOn) {
  ServeOverSocket(Opened()
                      .ExpectText("EC?\r")
                      .ReplyText("0\r")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("EC1\r")
                      .ReplyText("1\r"));
  Commands().SetTextMode(false, false);
  EXPECT_TRUE(Commands().SetTextMode(true, true));
  EXPECT_TRUE(Commands().GetTextMode());
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, EchoProbeFindsAnEchoingInstrument) {
  ServeOverSocket(Opened().ExpectText("EC?\r").ReplyText("EC? 1\r\n"));
  Commands().SetTextMode(false, false);
  EXPECT_TRUE(Commands().SetTextMode(true, true));
  EXPECT_TRUE(Commands().GetTextMode());
  EXPECT_EQ(Received(), Text("\x10"
                             "EC?\r"));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, EchoProbeSwitchesAnEchoingInstrumentOff) {
  ServeOverSocket(Opened()
                      .ExpectText("EC?\r")
                      .ReplyText("EC? 1\r\n")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("EC0\r")
                      .ReplyText("EC0 0\r\n"));
  EXPECT_TRUE(Commands().SetTextMode(false, true));
  EXPECT_FALSE(Commands().GetTextMode());
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, EchoProbeFailsWhenTheLineFeedIsMissing) {
  timeScale.Set(20);
  ServeOverSocket(Opened().ExpectText("EC?\r").ReplyText("EC? 1\rX"));
  EXPECT_FALSE(Commands().SetTextMode(true, true));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, LoginEscapesUserNameAndPassword) {
  ServeOverSocket(
      Opened().ExpectText("RLGI \"a\\\"b\\\\c\"; \"p\\\"w\\\\\"; 1234ABCD\r").ReplyText("a\"b\\c;19\r"));
  Commands().SetTextMode(false, false);
  SDeviceLogin login;
  login.userName = u"a\"b\\c";
  login.password = u"p\"w\\";
  login.number = 0x1234ABCD;
  EXPECT_TRUE(Commands().LoginRemote(login));
  EXPECT_EQ(login.userName, CString(u"a\"b\\c"));
  EXPECT_EQ(login.flags, 19);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, LoginFallsBackToTheFormWithoutNumber) {
  ServeOverSocket(Opened()
                      .ExpectText("RLGI \"op\"; \"\"; 00000000\r")
                      .ReplyText("?\r")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("RLGI \"op\"; \"\"\r")
                      .ReplyText(";65538\r"));
  Commands().SetTextMode(false, false);
  SDeviceLogin login;
  login.userName = u"op";
  EXPECT_TRUE(Commands().LoginRemote(login));
  EXPECT_EQ(login.userName, CString(u""));
  EXPECT_EQ(login.flags, 2) << "only the low 16 bits are flags";
  EXPECT_PEER_OK();
}

// Flags that are no number, or a number beyond any integer, are no login.
TEST_F(CommandsTest, LoginNeedsTheFlagsNumber) {
  ServeOverSocket(Opened()
                      .ExpectText("RLGI \"op\"; \"x\"; 00000001\r")
                      .ReplyText("op;none\r")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("RLGI \"op\"; \"x\"; 00000001\r")
                      .ReplyText("op;99999999999999999999\r"));
  Commands().SetTextMode(false, false);
  SDeviceLogin login;
  login.userName = u"op";
  login.password = u"x";
  login.number = 1;
  EXPECT_FALSE(Commands().LoginRemote(login));
  EXPECT_FALSE(Commands().LoginRemote(login));
  EXPECT_EQ(login.flags, 0);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, SnapshotWithAndWithoutItsMark) {
  ServeOverSocket(Opened()
                      .ExpectText("SS\r")
                      .Reply(Bytes{0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x0A, 0x0B, 0x0C})
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("SS\r")
                      .Reply(Bytes{'S', 'S', 0x42, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x0D, 0x0E}));
  BYTE buffer[16];
  int size = sizeof buffer;
  WORD status = 0xFFFF;
  EXPECT_TRUE(Commands().ReadSnapshot(buffer, size, status));
  EXPECT_EQ(size, 3);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Bytes(buffer, buffer + 3), (Bytes{0x0A, 0x0B, 0x0C}));
  size = sizeof buffer;
  EXPECT_TRUE(Commands().ReadSnapshot(buffer, size, status));
  EXPECT_EQ(size, 2);
  EXPECT_EQ(status, 0x5353);
  EXPECT_EQ(Bytes(buffer, buffer + 2), (Bytes{0x0D, 0x0E}));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, SnapshotLongerThanTheBufferFails) {
  ServeOverSocket(Opened().ExpectText("SS\r").Reply(Bytes{0x00, 0x00, 0x07, 0x00, 0x00, 0x00}));
  BYTE buffer[6];
  int size = sizeof buffer;
  WORD status = 0;
  EXPECT_FALSE(Commands().ReadSnapshot(buffer, size, status));
  EXPECT_EQ(size, 6);
  size = 5;
  EXPECT_FALSE(Commands().ReadSnapshot(buffer, size, status));
}

TEST_F(CommandsTest, DirectoryListingCountsItsCharacters) {
  ServeOverSocket(Opened()
                      .ExpectText("DIRS 002A\r")
                      .ReplyText("0000000C;a.txt;b.txt;\r")
                      .Expect({0x10})
                      .Reply({0x06})
                      .ExpectText("DIRS 002A\r")
                      .ReplyText("0000000D;a.txt;b.txt;\r"));
  Commands().SetTextMode(false, false);
  Stream().SetTimeouts(700, 300);
  CString listing;
  EXPECT_TRUE(Commands().ListDirectory(0x2A, listing));
  EXPECT_EQ(listing, CString(u"a.txt;b.txt"));
  int readTimeout = 0, writeTimeout = 0;
  Stream().GetTimeouts(readTimeout, writeTimeout);
  EXPECT_EQ(readTimeout, 700);
  EXPECT_EQ(writeTimeout, 300);
  EXPECT_FALSE(Commands().ListDirectory(0x2A, listing));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, DirectoryListingInUtf8) {
  // "ä.txt;" is six characters in seven bytes.
  ServeOverSocket(Opened().ExpectText("DIRS 0000\r").ReplyText("00000006;\xC3\xA4.txt;\r"));
  Commands().SetTextMode(false, false);
  Commands().SetUtf8Names(true);
  CString listing;
  EXPECT_TRUE(Commands().ListDirectory(0, listing));
  EXPECT_EQ(listing, CString(u"\u00E4.txt"));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, CommandOverSerialPortOnPseudoTerminal) {
  ServeOnComPort(Opened().ExpectText("GPOW\r").ReplyText("3300\r"));
  Commands().SetTextMode(false, false);
  CString answer;
  EXPECT_TRUE(Commands().QueryPower(answer));
  EXPECT_EQ(answer, CString(u"3300"));
  EXPECT_PEER_OK();
}
