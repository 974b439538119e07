#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/gdi/Dc.h"
#include "platform/kernel/Thread.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/UiApplication.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/ColorRichEditCtrl.h"
#include "toolkit/ColorStatic.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<CString> ScreenLines(const CWnd& log) {
  std::vector<CString> lines;
  CString text = log.GetWindowTextString();
  int start = 0;
  for (CString line = text.Tokenize(u"\r\n", start); start >= 0; line = text.Tokenize(u"\r\n", start))
    lines.push_back(line);
  return lines;
}

class ColorLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.Create(nullptr, u"dialog", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    ASSERT_TRUE(
        log.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, CRect(0, 0, 380, 200), &parent, 1004));
  }
  // The colour and weight of the first character of a screen line; a line break counts as one
  // character in the control's positions.
  CHARFORMAT FormatOfLine(int line) {
    const std::vector<CString> lines = ScreenLines(log);
    long start = 0;
    for (int i = 0; i < line; ++i) start += lines[size_t(i)].GetLength() + 1;
    log.SetSel(start, start + 1);
    CHARFORMAT format;
    log.GetSelectionCharFormat(format);
    return format;
  }

  CUiApplication application;
  CWnd parent;
  CColorRichEditCtrl log;
};

TEST_F(ColorLogTest, MirrorFileHoldsEveryNumberedLineAndTheScreenOnlyTheShownOnes) {
  const std::string path = TestPath("TempLogCalibration.txt");
  std::FILE* file = std::fopen(path.c_str(), "w");
  ASSERT_NE(file, nullptr);
  log.m_pMirrorFile = file;
  log.AddLine(0, u"Calibration started", true);
  log.AddLine(1, u"Connecting", true);
  log.AddLine(1, u"Step FAILED", false);
  log.AddLine(2, u"Force 1000 N", true);
  log.AddLine(3, u"Error count: 0", true);
  log.AddLine(4, u"Verification", true);
  log.AddLine(7, u"Gr\u00fc\u00dfe", true);
  log.m_pMirrorFile = nullptr;
  std::fclose(file);

  // "%d) %s%s\n" with the file's own numbers, the kind's prefix and the text, in UTF-8.
  const std::string expected =
      "1) Calibration started\n"
      "2) ...Connecting\n"
      "3) ...Step FAILED\n"
      "4) ......Force 1000 N\n"
      "5) Error count: 0\n"
      "6) ...Verification\n"
      "7) Gr\xC3\xBC\xC3\x9F"
      "e\n";
  EXPECT_EQ(ReadFile(path), expected);

  const std::vector<CString> screen = {u"1) Calibration started", u"2) ...Connecting",
                                       u"3) ......Force 1000 N",  u"4) Error count: 0",
                                       u"5) ...Verification",     u"6) Gr\u00fc\u00dfe"};
  EXPECT_EQ(ScreenLines(log), screen);
  EXPECT_EQ(log.m_nScreenLines, 6);
  EXPECT_EQ(log.m_nFileLines, 7);
}

TEST_F(ColorLogTest, KindsGiveColourAndWeightAndFailuresTurnRedWhereTheKindAllows) {
  struct SCase {
    int kind;
    const char16_t* text;
    COLORREF color;
    bool bold;
  };
  const SCase cases[] = {
      {0, u"Adjustment", RGB(0, 0, 255), true}, {1, u"Step FAILED", RGB(255, 0, 0), false},
      {1, u"Step passed", RGB(0, 0, 0), false}, {2, u"Step FAILED", RGB(0, 0, 0), false},
      {3, u"An Error", RGB(255, 0, 0), true},   {3, u"Result", RGB(0, 102, 0), true},
      {4, u"fail", RGB(112, 48, 160), true},    {9, u"error", RGB(0, 0, 0), false},
  };
  for (const SCase& c : cases) log.AddLine(c.kind, c.text, true);
  for (int i = 0; i < int(std::size(cases)); ++i) {
    SCOPED_TRACE(i);
    CHARFORMAT format = FormatOfLine(i);
    EXPECT_EQ(format.crTextColor, cases[i].color);
    EXPECT_EQ((format.dwEffects & CFE_BOLD) != 0, cases[i].bold);
  }
}

TEST_F(ColorLogTest, LinesFromSeveralThreadsAreNumberedOnceEach) {
  const std::string path = TestPath("TempLogVerification.txt");
  std::FILE* file = std::fopen(path.c_str(), "w");
  ASSERT_NE(file, nullptr);
  log.m_pMirrorFile = file;
  CThread first, second;
  auto writer = [&](const char16_t* name) {
    return [&, name] {
      for (int i = 0; i < 20; ++i) log.AddLine(2, name, true);
      return DWORD(0);
    };
  };
  first.Start(writer(u"run"));
  second.Start(writer(u"process"));
  ASSERT_EQ(WaitForObjects({&first, &second}, true, 10000), WAIT_OBJECT_0);
  log.m_pMirrorFile = nullptr;
  std::fclose(file);

  const std::vector<CString> screen = ScreenLines(log);
  ASSERT_EQ(screen.size(), 40u);
  std::istringstream mirror(ReadFile(path));
  std::string line;
  for (int i = 0; i < 40; ++i) {
    SCOPED_TRACE(i);
    const std::string number = std::to_string(i + 1) + ") ......";
    EXPECT_EQ(screen[size_t(i)].Left(number.size()), CString::FromUtf8(number));
    ASSERT_TRUE(std::getline(mirror, line));
    EXPECT_TRUE(line == number + "run" || line == number + "process") << line;
  }
}

bool HasPixelOf(CWnd& wnd, COLORREF color) {
  CClientDC dc(&wnd);
  CRect client;
  wnd.GetClientRect(client);
  for (int y = 0; y < client.Height(); ++y) {
    for (int x = 0; x < client.Width(); ++x) {
      if (dc.GetPixel(x, y) == color) return true;
    }
  }
  return false;
}

TEST_F(ColorLogTest, ColourStaticRepaintsAtOnceInItsTextColour) {
  CColorStatic status;
  ASSERT_TRUE(
      status.Create(u"Waiting for the instrument", WS_CHILD | WS_VISIBLE, CRect(0, 210, 300, 230), &parent));
  status.UpdateWindow();
  EXPECT_FALSE(HasPixelOf(status, RGB(255, 0, 0)));
  // No message loop runs between the change and the look at the window.
  status.SetTextColor(RGB(255, 0, 0));
  EXPECT_TRUE(HasPixelOf(status, RGB(255, 0, 0)));
  EXPECT_TRUE(HasPixelOf(status, status.m_crBackground));

  CClientDC dc(&parent);
  auto brush = HBRUSH(parent.SendMessage(WM_CTLCOLORSTATIC, WPARAM(dc.GetSafeHdc()), LPARAM(&status)));
  EXPECT_EQ(brush, HBRUSH(status.m_brush));
  EXPECT_EQ(dc.GetTextColor(), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetBkColor(), status.m_crBackground);
}

TEST_F(ColorLogTest, AWorkersColourChangeMeetsNoPaintOfTheStatic) {
  CColorStatic status;
  ASSERT_TRUE(
      status.Create(u"Waiting for the instrument", WS_CHILD | WS_VISIBLE, CRect(0, 210, 300, 230), &parent));
  constexpr int kRounds = 50;
  CThread worker;
  worker.Start([&] {
    for (int i = 0; i < kRounds; ++i) status.SetTextColor(i % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255));
    return DWORD(0);
  });
  // The static paints on its own all the while, as a dialog's status line does; each short wait
  // runs the worker's calls.
  const ULONGLONG giveUp = GetTickCount64() + 10000;
  while (WaitForSingleObject(worker, 1) == WAIT_TIMEOUT && GetTickCount64() < giveUp)
    status.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_EQ(WaitForSingleObject(worker, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(HasPixelOf(status, RGB(255, 0, 0))) << "the last colour set is painted";
  EXPECT_FALSE(HasPixelOf(status, RGB(0, 0, 255)));
}

}  // namespace
