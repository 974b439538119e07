// Mode requests: the mode time-out, the fixed mode request, mode changes and timed requests.

#include "platform/base/Clock.h"
#include "tests/device/commands/CommandsFixture.h"

using Sim::CScript;

TEST_F(CommandsTest, ModeTimeOutIsSentInWholeSecondsHeldBelow255) {
  const struct {
    int ms;
    BYTE seconds;
  } cases[] = {
      {0, 0x00},      {1, 0x01},      {1000, 0x01},
      {1001, 0x02},   {254000, 0xFE}, {254001, 0xFE},  // 255 s would wrap to 0 s
      {300000, 0xFE},                                  // and 300 s to 45 s
      {-5000, 0x00},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ms);
    ServeOverSocket(CScript().Expect({0xC2, 0xF4, 0x10, c.seconds}).Reply({0x01, 0x00}));
    EXPECT_TRUE(Commands().SetModeTimeout(true, c.ms));
    EXPECT_PEER_OK();
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, ModeTimeOutOffAndFixedModeRequest) {
  ServeOverSocket(
      CScript().Expect({0xC2, 0xF4, 0x11, 0x00}).Reply({0x01, 0x00}).Expect({0xC2, 0xF4, 0x12, 0xD0}));
  EXPECT_TRUE(Commands().SetModeTimeout(false, 5000));
  EXPECT_TRUE(Commands().SendFixedModeRequest());
  EXPECT_EQ(Received(), (Bytes{0xC2, 0xF4, 0x11, 0x00, 0xC2, 0xF4, 0x12, 0xD0}));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, ModeTimeOutFailsWithoutItsReplyByte) {
  timeScale.Set(20);
  ServeOverSocket(CScript().Expect({0xC2, 0xF4, 0x10, 0x05}).Reply({0xF2}));
  EXPECT_FALSE(Commands().SetModeTimeout(true, 5000));
}

TEST_F(CommandsTest, ChangeModeToTheActiveModeSendsTwoRequests) {
  ServeOverSocket(CScript()
                      .Expect({0xC2, 0xF4, 0x00, 0x03})
                      .Reply({0x01, 0x01})
                      .Expect({0xC2, 0xF4, 0x01, 0x03})
                      .Reply({0x01, 0x01}));
  bool switched = true;
  EXPECT_TRUE(Commands().ChangeMode(3, switched, nullptr, 100));
  EXPECT_FALSE(switched);
  EXPECT_EQ(Received().size(), 8u);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, ChangeModeSwitchesWaitsAndConfirms) {
  timeScale.Set(10);
  // The switch takes 0x000200 = 512 ms; with wait factor 50 the layer waits 256 ms.
  ServeOverSocket(CScript()
                      .Expect({0xC2, 0xF4, 0x00, 0x03})
                      .Reply({0x01, 0x01})
                      .Expect({0xC2, 0xF4, 0x01, 0x03})
                      .Reply({0x01, 0x00})
                      .Expect({0xC2, 0xF4, 0x03, 0x03})
                      .Reply({0x03, 0x00, 0x02, 0x00})
                      .Expect({0xC2, 0xF4, 0x02, 0x03})
                      .Expect({0xC2, 0xF4, 0x01, 0x03})
                      .Reply({0x01, 0x01}));
  CProgressLog progress;
  bool switched = false;
  const DWORD start = GetTickCount();
  EXPECT_TRUE(Commands().ChangeMode(3, switched, &progress, 50));
  EXPECT_GE(GetTickCount() - start, 256u);
  EXPECT_TRUE(switched);
  EXPECT_EQ(progress.calls, (std::vector<CProgressLog::SCall>{{0, 1, 612}}));
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, ChangeModeRefusals) {
  timeScale.Set(10);
  const struct {
    const char* name;
    CScript script;
  } cases[] = {
      {"mode unknown", CScript().Expect({0xC2, 0xF4, 0x00, 0x05}).Reply({0x01, 0x00})},
      {"switch duration 0", CScript()
                                .Expect({0xC2, 0xF4, 0x00, 0x05})
                                .Reply({0x01, 0x01})
                                .Expect({0xC2, 0xF4, 0x01, 0x05})
                                .Reply({0x01, 0x00})
                                .Expect({0xC2, 0xF4, 0x03, 0x05})
                                .Reply({0x03, 0x00, 0x00, 0x00})},
      {"mode not confirmed", CScript()
                                 .Expect({0xC2, 0xF4, 0x00, 0x05})
                                 .Reply({0x01, 0x01})
                                 .Expect({0xC2, 0xF4, 0x01, 0x05})
                                 .Reply({0x01, 0x00})
                                 .Expect({0xC2, 0xF4, 0x03, 0x05})
                                 .Reply({0x03, 0x0A, 0x00, 0x00})
                                 .Expect({0xC2, 0xF4, 0x02, 0x05})
                                 .Expect({0xC2, 0xF4, 0x01, 0x05})
                                 .Reply({0x01, 0x00})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ServeOverSocket(c.script);
    bool switched = false;
    EXPECT_FALSE(Commands().ChangeMode(5, switched, nullptr, 100));
    EXPECT_PEER_OK();
    m_peer->Stop();
  }
}

TEST_F(CommandsTest, ChangeModeWithoutWaitingEndsAfterTheSwitch) {
  // Mode word 0x21: mode 1 without waiting for the instrument.
  ServeOverSocket(CScript()
                      .Expect({0xC2, 0xF4, 0x00, 0x01})
                      .Reply({0x01, 0x01})
                      .Expect({0xC2, 0xF4, 0x01, 0x01})
                      .Reply({0x01, 0x00})
                      .Expect({0xC2, 0xF4, 0x03, 0x01})
                      .Reply({0x03, 0x10, 0x27, 0x00})
                      .Expect({0xC2, 0xF4, 0x02, 0x01}));
  bool switched = false;
  const DWORD start = GetTickCount();
  EXPECT_TRUE(Commands().ChangeMode(0x21, switched, nullptr, 100));
  EXPECT_LT(GetTickCount() - start, 5000u) << "waited for the 10 s switch";
  EXPECT_TRUE(switched);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, ChangeModeWithRestartReopensTheSerialPort) {
  timeScale.Set(10);
  // Mode word 0x14: mode 4 with a restart, after which the instrument reports mode 12.
  ServeOnComPort(CScript()
                     .Expect({0xC2, 0xF4, 0x00, 0x04})
                     .Reply({0x01, 0x01})
                     .Expect({0xC2, 0xF4, 0x01, 0x04})
                     .Reply({0x01, 0x00})
                     .Expect({0xC2, 0xF4, 0x03, 0x04})
                     .Reply({0x03, 0xC8, 0x00, 0x00})
                     .Expect({0xC2, 0xF4, 0x02, 0x04})
                     .Expect({0xC2, 0xF4, 0x01, 0x0C})
                     .Reply({0x01, 0x01}));
  bool switched = false;
  EXPECT_TRUE(Commands().ChangeMode(0x14, switched, nullptr, 100));
  EXPECT_TRUE(switched);
  EXPECT_TRUE(Stream().IsOpen());
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, TimedRequestAsksDurationsStartsAndWaitsForTheEnd) {
  timeScale.Set(10);
  ServeOverSocket(CScript()
                      .Expect({0xC1, 0xF8, 0x04})
                      .Reply({0x03, 0xB8, 0x0B, 0x00})  // 3000 ms
                      .Expect({0xC1, 0xF8, 0x03})
                      .Reply({0x03, 0x20, 0x4E, 0x00})  // 20000 ms
                      .Expect({0xC1, 0xF8, 0x02})
                      .Pause(12000)  // longer than the minimum read time-out of 10 s
                      .Reply({0x00}));
  CProgressLog progress;
  EXPECT_TRUE(Commands().RunTimedRequest(&progress, 2, true));
  EXPECT_EQ(progress.calls, (std::vector<CProgressLog::SCall>{{0, 2, 3000}}));
  int readTimeout = 0, writeTimeout = 0;
  ASSERT_TRUE(Stream().GetTimeouts(readTimeout, writeTimeout));
  EXPECT_EQ(readTimeout, 20000);
  EXPECT_PEER_OK();
}

TEST_F(CommandsTest, TimedRequestFailsOnAnotherEndStatus) {
  ServeOverSocket(CScript()
                      .Expect({0xC1, 0xF8, 0x04})
                      .Reply({0x03, 0x64, 0x00, 0x00})
                      .Expect({0xC1, 0xF8, 0x02})
                      .Reply({0x05}));
  CProgressLog progress;
  EXPECT_FALSE(Commands().RunTimedRequest(&progress, 1, false));
  // The shortest announced wait is two seconds.
  EXPECT_EQ(progress.calls, (std::vector<CProgressLog::SCall>{{0, 1, 2000}}));
  EXPECT_PEER_OK();
}
