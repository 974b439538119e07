#include <gtest/gtest.h>

#include "platform/kernel/Thread.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"

namespace {

struct SButtonCase {
  UINT type;
  std::vector<int> buttons;
  int defaultAnswer;
  int escapeAnswer;
};

TEST(MessageBoxTest, ButtonsDefaultAndEscapeAnswersOfEachStyle) {
  const SButtonCase cases[] = {
      {MB_OK, {IDOK}, IDOK, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, {IDOK, IDCANCEL}, IDCANCEL, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_ICONSTOP, {IDABORT, IDRETRY, IDIGNORE}, IDABORT, 0},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, {IDYES, IDNO, IDCANCEL}, IDCANCEL, IDCANCEL},
      {MB_YESNO | MB_DEFBUTTON2, {IDYES, IDNO}, IDNO, 0},
      {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDRETRY, IDCANCEL},
      {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, IDCANCEL, IDCANCEL},
      {MB_YESNO | MB_DEFBUTTON4, {IDYES, IDNO}, IDYES, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    EXPECT_EQ(MessageBoxButtons(c.type), c.buttons);
    EXPECT_EQ(DefaultMessageBoxAnswer(c.type), c.defaultAnswer);
    EXPECT_EQ(EscapeMessageBoxAnswer(c.type), c.escapeAnswer);
  }
}

TEST(MessageBoxTest, ScriptedAnswersRecordTheBoxAndAnswerInOrder) {
  CScriptedAnswers answers;
  answers.AddMessageBoxAnswer(IDNO);
  EXPECT_EQ(MessageBox(nullptr, u"Save changes?", u"ZD-Zedo", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(MessageBox(nullptr, u"Done.", u"ZD-Zedo", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL)
      << "without a scripted answer the default button answers";
  auto shown = answers.GetMessageBoxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, u"Save changes?");
  EXPECT_EQ(shown[0].caption, u"ZD-Zedo");
  EXPECT_EQ(shown[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
}

TEST(MessageBoxTest, ScriptedSinkIsRemovedWhenItEnds) {
  CScriptedAnswers outer;
  {
    CScriptedAnswers inner;
    MessageBox(nullptr, u"inner", u"", MB_OK);
    EXPECT_EQ(inner.GetMessageBoxes().size(), 1u);
  }
  MessageBox(nullptr, u"outer", u"", MB_OK);
  ASSERT_EQ(outer.GetMessageBoxes().size(), 1u);
  EXPECT_EQ(outer.GetMessageBoxes()[0].text, u"outer");
}

TEST(MessageBoxTest, WithoutUserInterfaceTheDefaultButtonAnswers) {
  // The program's own sink, not the one of the test programs that fails unscripted boxes.
  CUserAnswerSink* const testSink = SetUserAnswerSink(nullptr);
  EXPECT_EQ(MessageBox(nullptr, u"No display here.", u"zdtool", MB_YESNO | MB_DEFBUTTON2), IDNO);
  SetUserAnswerSink(testSink);
}

TEST(MessageBoxTest, BoxFromWorkerIsShownOnTheUiThread) {
  CUiApplication application;
  CScriptedAnswers answers;
  answers.AddMessageBoxAnswer(IDRETRY);
  int answer = 0;
  CThread worker;
  worker.Start([&] {
    answer = MessageBox(nullptr, u"Port busy.", u"Error", MB_RETRYCANCEL | MB_ICONSTOP);
    return DWORD(0);
  });
  ASSERT_EQ(WaitForSingleObject(worker, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(answer, IDRETRY);
  auto shown = answers.GetMessageBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].onUiThread);
}

}  // namespace
