#include <gtest/gtest.h>

#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedAnswers.h"

namespace {

TEST(FileDialog, FilterInTheToolkitsForm) {
  EXPECT_EQ(FileDialogFilterText(u"ZD-Zedo Project (*.jvd)|*.jvd|All Files (*.*)|*.*||"),
            u"ZD-Zedo Project (*.jvd);;All Files (*)");
  EXPECT_EQ(FileDialogFilterText(u"Pictures|*.png;*.jpg||"), u"Pictures (*.png *.jpg)");
  EXPECT_EQ(FileDialogFilterText(u""), u"");
}

TEST(FileDialog, ScriptedPathsGetTheDefaultExtension) {
  CScriptedAnswers answers;
  answers.AddFileDialogAnswer(u"/data/site.a/report");
  answers.AddFileDialogAnswer(u"/data/report.old.jvd");
  answers.AddFileDialogAnswer(u"");
  CFileDialog save(FALSE, u"jvd", u"Unnamed", OFN_OVERWRITEPROMPT, u"P|*.jvd||");
  save.m_ofn.lpstrInitialDir = u"/data";
  ASSERT_EQ(save.DoModal(), IDOK);
  EXPECT_EQ(save.GetPathName(), u"/data/site.a/report.jvd");
  EXPECT_EQ(save.GetFileName(), u"report.jvd");

  CFileDialog open(TRUE, u"jvd", u"*.jvd");
  ASSERT_EQ(open.DoModal(), IDOK);
  EXPECT_EQ(open.GetPathName(), u"/data/report.old.jvd");
  EXPECT_EQ(open.DoModal(), IDCANCEL);
  CFileDialog unanswered(TRUE);
  EXPECT_EQ(unanswered.DoModal(), IDCANCEL);

  const auto shown = answers.GetFileDialogs();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_FALSE(shown[0].open);
  EXPECT_EQ(shown[0].initialDir, u"/data");
  EXPECT_EQ(shown[0].fileName, u"Unnamed");
  EXPECT_EQ(shown[0].defaultExt, u"jvd");
  EXPECT_EQ(shown[0].filter, u"P|*.jvd||");
  EXPECT_EQ(shown[0].flags, OFN_OVERWRITEPROMPT);
  EXPECT_TRUE(shown[1].open);
}

}  // namespace
