#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/OleDataSource.h"
#include "platform/ui/OleDropTarget.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"

namespace {

// A drop target that writes down each step it is told of and answers as set.
class CRecordingTarget : public COleDropTarget {
 public:
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override {
    Note("enter", data, keys, point);
    return answer;
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override {
    Note("over", data, keys, point);
    return answer;
  }
  void OnDragLeave(CWnd*) override { steps.push_back("leave"); }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint point) override {
    Note("drop " + std::to_string(effect), data, 0, point);
    return acceptDrop;
  }
  DROPEFFECT OnDragScroll(CWnd*, DWORD, CPoint) override { return scrollAnswer; }

  void Note(const std::string& step, COleDataObject* data, DWORD keys, CPoint point) {
    std::vector<BYTE> block;
    CString text;
    if (data && data->GetGlobalData(CF_UNICODETEXT, block)) text = ReadTextBlock(CF_UNICODETEXT, block);
    steps.push_back(step + " " + text.ToUtf8() + " keys=" + std::to_string(keys) + " at=" +
                    std::to_string(point.x) + "," + std::to_string(point.y));
  }

  DROPEFFECT answer = DROPEFFECT_COPY;
  DROPEFFECT scrollAnswer = DROPEFFECT_NONE;
  BOOL acceptDrop = TRUE;
  std::vector<std::string> steps;
};

class OleTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.CreateEx(0, nullptr, u"target", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 80), nullptr, 0));
    ASSERT_TRUE(target.Register(&window));
  }
  void TearDown() override {
    target.Revoke();
    window.DestroyWindow();
  }
  static OleDataBlocks TextBlocks(const CString& text) {
    return {{CF_UNICODETEXT, MakeTextBlock(CF_UNICODETEXT, text)}, {CF_TEXT, MakeTextBlock(CF_TEXT, text)}};
  }

  CUiApplication application;
  CWnd window;
  CRecordingTarget target;
};

TEST_F(OleTransferTest, ADropEntersPassesOverAndDropsAtThePointWithTheKeys) {
  const SSimulatedDrop drop = SimulateOleDrop(&window, TextBlocks(u"a\tb"), POINT{12, 34}, MK_CONTROL);
  EXPECT_EQ(drop.over, DROPEFFECT_COPY);
  EXPECT_EQ(drop.dropped, DROPEFFECT_COPY);
  const std::vector<std::string> want = {"enter a\tb keys=9 at=12,34", "over a\tb keys=9 at=12,34",
                                         "drop 1 a\tb keys=0 at=12,34"};
  EXPECT_EQ(target.steps, want);
  EXPECT_FALSE(target.Register(&window)) << "registered already";
}

TEST_F(OleTransferTest, AnOverThatRefusesEndsInALeaveAndNoDrop) {
  target.answer = DROPEFFECT_NONE;
  const SSimulatedDrop drop = SimulateOleDrop(&window, TextBlocks(u"x"), POINT{1, 2}, 0);
  EXPECT_EQ(drop.over, DROPEFFECT_NONE);
  EXPECT_EQ(drop.dropped, DROPEFFECT_NONE);
  ASSERT_EQ(target.steps.size(), 3u);
  EXPECT_EQ(target.steps[2], "leave");
}

TEST_F(OleTransferTest, AScrollAnswerStandsForTheOverAndARefusedDropHasNoEffect) {
  target.scrollAnswer = DROPEFFECT_SCROLL | DROPEFFECT_MOVE;
  target.acceptDrop = FALSE;
  const SSimulatedDrop drop = SimulateOleDrop(&window, TextBlocks(u"x"), POINT{1, 2}, 0);
  EXPECT_EQ(drop.over, DROPEFFECT_MOVE);
  EXPECT_EQ(drop.dropped, DROPEFFECT_NONE);
  ASSERT_EQ(target.steps.size(), 2u) << "enter, then the drop without an over";
  EXPECT_EQ(target.steps[1].substr(0, 6), "drop 2");
}

TEST_F(OleTransferTest, ARevokedWindowTakesNoDrop) {
  target.Revoke();
  EXPECT_EQ(SimulateOleDrop(&window, TextBlocks(u"x"), POINT{1, 2}, 0).over, DROPEFFECT_NONE);
  EXPECT_TRUE(target.steps.empty());
}

TEST_F(OleTransferTest, AScriptedDragIsDroppedWhereTheAnswerSays) {
  CScriptedAnswers answers;
  COleDataSource source;
  source.CacheGlobalData(CF_UNICODETEXT, MakeTextBlock(CF_UNICODETEXT, u"moved"));
  target.answer = DROPEFFECT_MOVE;
  answers.AddDragDropAnswer(&window, POINT{5, 6}, 0);
  EXPECT_EQ(source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_MOVE);
  ASSERT_EQ(target.steps.size(), 3u);
  EXPECT_EQ(target.steps[0], "enter moved keys=1 at=5,6");
  // Without an answer the drag is cancelled.
  EXPECT_EQ(source.DoDragDrop(), DROPEFFECT_NONE);
  EXPECT_EQ(answers.GetDragDropCount(), 2);
}

TEST_F(OleTransferTest, ADataSourceOnTheClipboardOffersBothTextFormats) {
  COleDataSource source;
  source.CacheGlobalData(CF_UNICODETEXT, MakeTextBlock(CF_UNICODETEXT, u"\u00C4\u20AC\u0394"));
  ASSERT_TRUE(source.SetClipboard());
  COleDataObject clipboard;
  clipboard.AttachClipboard();
  EXPECT_TRUE(clipboard.IsDataAvailable(CF_TEXT));
  std::vector<BYTE> ansi;
  ASSERT_TRUE(clipboard.GetGlobalData(CF_TEXT, ansi));
  EXPECT_EQ(ansi, (std::vector<BYTE>{0xC4, 0x80, '?', 0x00}));
}

}  // namespace
