#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/ui/Clipboard.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Edit.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/UiApplication.h"

namespace {

// An edit that records the messages its translation sees and the key state its handlers see.
class CWatchedEdit : public CEdit {
 public:
  std::vector<UINT> translated;
  std::vector<UINT> handled;
  bool controlDownAtKey = false;
  BOOL PreTranslateMessage(MSG* msg) override {
    translated.push_back(msg->message);
    return msg->message == WM_SYSCHAR;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    handled.push_back(message);
    if (message == WM_KEYDOWN) controlDownAtKey = GetKeyState(VK_CONTROL) < 0;
    return CEdit::WindowProc(message, wParam, lParam);
  }
};

class EditMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.Create(nullptr, u"edits", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 200, 30), &parent, 10));
  }
  std::pair<int, int> Selection() {
    DWORD start = 0, end = 0;
    edit.SendMessage(EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return {int(start), int(end)};
  }
  CUiApplication application;
  CWnd parent;
  CWatchedEdit edit;
};

TEST_F(EditMessages, CharactersSentAsMessagesTypeAtTheSelectionAsTheirKeysWould) {
  struct SCase {
    int start, end;
    UINT message;
    UINT ch;
    const char16_t* result;
  };
  const SCase cases[] = {
      {0, -1, WM_CHAR, 'x', u"x"},            // the whole text selected: replaced
      {3, -1, WM_CHAR, 'x', u"abcx"},         // caret at the end
      {1, 2, WM_CHAR, 'Z', u"aZc"},           // a part selected
      {3, -1, WM_CHAR, VK_BACK, u"ab"},       // backspace before the caret
      {0, 2, WM_CHAR, VK_BACK, u"c"},         // backspace over a selection
      {3, -1, WM_CHAR, VK_RETURN, u"abc"},    // control characters type nothing
      {3, -1, WM_IME_CHAR, 0x00E9, u"abc\u00E9"},
  };
  for (const SCase& c : cases) {
    edit.SetWindowText(u"abc");
    edit.SendMessage(EM_SETSEL, WPARAM(c.start), LPARAM(c.end));
    edit.SendMessage(c.message, c.ch);
    EXPECT_EQ(edit.GetWindowTextString(), CString(c.result)) << "character " << c.ch << " at " << c.start;
  }
  edit.SetWindowText(u"abc");
  edit.SendMessage(EM_SETSEL, 0, -1);
  edit.PostMessage(WM_CHAR, 'q');
  EXPECT_EQ(edit.GetWindowTextString(), CString(u"abc"));
  PumpMessages();
  EXPECT_EQ(edit.GetWindowTextString(), CString(u"q"));
}

TEST_F(EditMessages, TheSelectionFollowsThePlatformsRules) {
  edit.SetWindowText(u"hello");
  struct SCase {
    int start, end;
    std::pair<int, int> selection;
  };
  const SCase cases[] = {
      {5, -1, {5, 5}},  // from the length to the end: the caret after the text
      {0, -1, {0, 5}},  // everything
      {1, 3, {1, 3}},
      {2, 99, {2, 5}},  // an end past the text is the end
  };
  for (const SCase& c : cases) {
    edit.SendMessage(EM_SETSEL, WPARAM(c.start), LPARAM(c.end));
    EXPECT_EQ(edit.SendMessage(EM_SCROLLCARET), TRUE);
    EXPECT_EQ(Selection(), c.selection) << c.start << "," << c.end;
  }
  EXPECT_EQ(edit.SendMessage(WM_GETDLGCODE), LRESULT(DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS));
}

TEST_F(EditMessages, PasteInsertsTheClipboardsTextAtTheCaret) {
  const CString text = u"\u20AC 5";
  std::vector<BYTE> block((std::size_t(text.GetLength()) + 1) * 2, 0);
  std::memcpy(block.data(), text.GetString(), std::size_t(text.GetLength()) * 2);
  ASSERT_TRUE(OpenClipboard(&parent));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
  edit.SetWindowText(u"ab");
  edit.SendMessage(EM_SETSEL, 1, 1);
  edit.SendMessage(WM_PASTE);
  EXPECT_EQ(edit.GetWindowTextString(), CString(u"a\u20AC 5b"));
}

TEST_F(EditMessages, AltWithALetterIsASystemCharacterThatTheTranslationSeesFirst) {
  edit.SetFocus();
  SimulateKey(&edit, 'X', true, u"x", SIMULATED_ALT);
  EXPECT_NE(std::find(edit.translated.begin(), edit.translated.end(), WM_SYSCHAR), edit.translated.end());
  EXPECT_EQ(std::find(edit.handled.begin(), edit.handled.end(), WM_SYSCHAR), edit.handled.end());
  EXPECT_EQ(edit.GetWindowTextString(), CString());
  SimulateKey(&edit, 'X', true, u"x");
  EXPECT_EQ(edit.GetWindowTextString(), CString(u"x"));
}

TEST_F(EditMessages, KeyStateIsThatOfTheInputBeingHandled) {
  SimulateKey(&edit, 'C', true, u"\x03", MK_CONTROL);
  EXPECT_TRUE(edit.controlDownAtKey);
  SimulateKey(&edit, 'C', true, u"c");
  EXPECT_FALSE(edit.controlDownAtKey);
}

TEST(CursorClip, TheRectangleIsKeptUntilFreed) {
  RECT kept{};
  EXPECT_FALSE(GetClipCursor(&kept));
  const RECT area{10, 20, 110, 220};
  EXPECT_TRUE(ClipCursor(&area));
  EXPECT_TRUE(GetClipCursor(&kept));
  EXPECT_EQ(CRect(kept), CRect(area));
  EXPECT_TRUE(ClipCursor(nullptr));
  EXPECT_FALSE(GetClipCursor(&kept));
}

TEST(ToolTipDelays, AreKeptAndOneForAllDerivesTheOthers) {
  CUiApplication application;
  CWnd owner;
  ASSERT_TRUE(owner.Create(nullptr, u"owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
  CToolTipCtrl tips;
  ASSERT_TRUE(tips.Create(&owner, TTS_BALLOON));
  EXPECT_EQ(tips.GetDelayTime(TTDT_INITIAL), 500);
  tips.SetDelayTime(TTDT_AUTOPOP, 30000);
  tips.SetDelayTime(TTDT_INITIAL, 250);
  EXPECT_EQ(tips.GetDelayTime(TTDT_AUTOPOP), 30000);
  EXPECT_EQ(tips.GetDelayTime(TTDT_INITIAL), 250);
  tips.SetDelayTime(TTDT_AUTOMATIC, 400);
  EXPECT_EQ(tips.GetDelayTime(TTDT_INITIAL), 400);
  EXPECT_EQ(tips.GetDelayTime(TTDT_AUTOPOP), 4000);
  EXPECT_EQ(tips.GetDelayTime(TTDT_RESHOW), 80);
}

TEST(ToolTipUnderMouse, AToolAddedWhereTheMouseRestsShowsAtOnce) {
  CUiApplication application;
  CWnd owner;
  ASSERT_TRUE(owner.Create(nullptr, u"owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
  CToolTipCtrl tips;
  ASSERT_TRUE(tips.Create(&owner, TTS_BALLOON));
  MSG move{&owner, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30)};
  tips.RelayEvent(&move);
  tips.AddTool(&owner, u"elsewhere", CRect(100, 0, 150, 20), 2);
  EXPECT_EQ(tips.GetShownText(), CString());
  tips.AddTool(&owner, u"here", CRect(20, 20, 60, 40), 1);
  EXPECT_EQ(tips.GetShownText(), CString(u"here"));
  tips.Pop();
  tips.Activate(FALSE);
  tips.DelTool(&owner, 1);
  tips.AddTool(&owner, u"here", CRect(20, 20, 60, 40), 1);
  EXPECT_EQ(tips.GetShownText(), CString());
}

}  // namespace
