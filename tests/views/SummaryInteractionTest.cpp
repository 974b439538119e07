// What the user does on the summary page: tool tips, cursors, the links, the comment, taking a
// test out, Ctrl+C, and the document's notices.

#include "platform/ui/Clipboard.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ToolTipCtrl.h"
#include "tests/views/SummaryFixture.h"

namespace {

class SummaryInteractionTest : public SummaryPageTest {
 protected:
  void Click(CPoint point) { SimulateClick(&View(), point); }
  CString ClipboardText() {
    std::vector<BYTE> units;
    if (!GetClipboardData(CF_UNICODETEXT, units)) return CString();
    return CString(reinterpret_cast<const char16_t*>(units.data()));
  }
  CScriptedAnswers answers;
};

TEST_F(SummaryInteractionTest, OneTipPerTestThatEmptySpaceTakesAway) {
  Load(Peaks({1000, 2000}));
  CToolTipCtrl* tip = View().GetToolTip();
  ASSERT_NE(tip, nullptr);
  const CPoint first = FindHit(CSummaryView::HIT_BAR, 0);
  // The tip takes the tool that the move made: it shows from the next move on.
  MoveMouse(first + CPoint(0, 30));
  MoveMouse(first + CPoint(0, 31));
  CString dateTime;
  doc.GetDateTimeText(0, dateTime);
  EXPECT_EQ(tip->GetTitle(), u"ID: 1  " + dateTime);
  EXPECT_EQ(tip->GetTitleIcon(), TTI_INFO);
  EXPECT_EQ(tip->GetShownText().ToUtf8(),
            "Peak Load: 1.00 kN\nPeak Load Time: 0.0 s\nTear-off Time: 0.0 s\nEffective Load Rate: 0 N/s\n"
            "Test Disc Area: 1963 mm2\n");
  EXPECT_EQ(View().GetLastTooltipEntry(), 0);

  // Within the bar the tip stays; on the next bar it is made for that test.
  tip->SetTitle(TTI_INFO, u"kept");
  MoveMouse(first + CPoint(0, 40));
  EXPECT_EQ(tip->GetTitle(), u"kept");
  MoveMouse(FindHit(CSummaryView::HIT_BAR, 1) + CPoint(0, 30));
  EXPECT_EQ(tip->GetTitle().Left(7), u"ID: 2  ");
  EXPECT_EQ(tip->GetToolCount(), 1);

  MoveMouse(CPoint(600, 790));
  EXPECT_EQ(tip->GetToolCount(), 0);
  EXPECT_TRUE(tip->GetShownText().IsEmpty());
  EXPECT_EQ(View().GetLastTooltipEntry(), -1);
}

TEST_F(SummaryInteractionTest, LeavingTheViewForgetsTheHover) {
  Load(Peaks({1000, 2000}));
  const CPoint bar = FindHit(CSummaryView::HIT_BAR, 1) + CPoint(0, 30);
  SimulateMouseEnter(&View());
  MoveMouse(bar);
  MoveMouse(bar);
  ASSERT_EQ(View().GetHoveredEntry(), 1);
  SimulateMouseLeave(&View());
  EXPECT_EQ(View().GetHoveredEntry(), -1);
  EXPECT_EQ(View().GetHoveredHitId(), CSummaryView::HIT_NONE);
  EXPECT_EQ(View().GetLastTooltipEntry(), -1);
}

TEST_F(SummaryInteractionTest, LinksAndTheCommentShowTheHand) {
  Load(Peaks({1000}));
  const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
  MoveMouse(FindHit(CSummaryView::HIT_SORT_KEY));
  EXPECT_EQ(GetCursor(), hand);
  EXPECT_EQ(View().GetHoveredHitId(), CSummaryView::HIT_SORT_KEY);
  MoveMouse(FindHit(CSummaryView::HIT_BAR, 0) + CPoint(0, 30));
  EXPECT_NE(GetCursor(), hand);
  MoveMouse(FindHit(CSummaryView::HIT_COMMENT));
  EXPECT_EQ(GetCursor(), hand);
  MoveMouse(CPoint(600, 790));
  EXPECT_NE(GetCursor(), hand);
  EXPECT_EQ(View().GetHoveredHitId(), CSummaryView::HIT_NONE);
}

TEST_F(SummaryInteractionTest, TheUnitAndSortKeyLinksChangeTheSummary) {
  Load(Peaks({3000, 1000, 2000}));
  answers.AddPopupMenuAnswer(1 + 2);  // PSI
  Click(FindHit(CSummaryView::HIT_UNIT));
  EXPECT_EQ(doc.GetSummary().GetUnit(), 2);
  EXPECT_TRUE(doc.IsModified());
  Repaint();
  EXPECT_EQ(doc.GetSummary().GetUnitName(), u"PSI");

  answers.AddPopupMenuAnswer(1 + CSummaryData::SORT_BY_VALUE);
  Click(FindHit(CSummaryView::HIT_SORT_KEY));
  EXPECT_EQ(doc.GetSummary().GetSortKey(), CSummaryData::SORT_BY_VALUE);
  EXPECT_EQ(doc.GetSummary().GetEntry(0)->id, 2u);
  EXPECT_NE(View().GetSummaryText().Find(u"[ordered by Value]"), -1);

  // A dismissed menu changes nothing.
  Repaint();
  Click(FindHit(CSummaryView::HIT_UNIT));
  EXPECT_EQ(doc.GetSummary().GetUnit(), 2);
  ASSERT_EQ(answers.GetPopupMenus().size(), 3u);
  EXPECT_EQ(answers.GetPopupMenus()[1].items.size(), 3u);
}

TEST_F(SummaryInteractionTest, ClickingTheCommentEditsIt) {
  Load(Peaks({1000}));
  answers.AddModalDialogScript([](CWnd& dialog) {
    dialog.GetDlgItem(IDC_COMMENT)->SetWindowText(u"\u0394\u03BF\u03BA\u03B9\u03BC\u03AE; ok");
    dialog.SendMessage(WM_COMMAND, WPARAM(IDOK));
  });
  Click(FindHit(CSummaryView::HIT_COMMENT));
  EXPECT_EQ(doc.GetSummary().GetCommentRef(), u"\u0394\u03BF\u03BA\u03B9\u03BC\u03AE; ok");
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(SummaryInteractionTest, CtrlCCopiesTheTextFormAsUnicode) {
  Load(Peaks({1000}));
  doc.GetSummary().SetComment(u"\u041F\u0440\u043E\u0431\u0430 \u03B1");
  View().SetFocus();
  SimulateKey(&View(), VK_CONTROL, true, u"");
  SimulateKey(&View(), 'C', true, u"c", MK_CONTROL);
  SimulateKey(&View(), 'C', false, u"c", MK_CONTROL);
  SimulateKey(&View(), VK_CONTROL, false, u"");
  EXPECT_EQ(ClipboardText(), View().GetSummaryText());
  EXPECT_NE(ClipboardText().Find(u"\"\u041F\u0440\u043E\u0431\u0430 \u03B1\""), -1);
}

TEST_F(SummaryInteractionTest, ExcludeOnABarTakesTheTestOutAndTheNoticeRecomputes) {
  Load(Peaks({1000, 2000, 3000}));
  answers.AddPopupMenuAnswer(1);
  SimulateMouse(&View(), SimulatedMouseAction::Press, VK_RBUTTON,
                FindHit(CSummaryView::HIT_BAR, 1) + CPoint(0, 20), 0, MK_RBUTTON);
  EXPECT_FALSE(doc.IsSelected(1));
  // The change notice recomputes the statistics before the page paints again.
  PumpMessages();
  EXPECT_EQ(doc.GetSummary().GetCount(), 2);
  CString mean;
  doc.GetSummary().GetMean(mean);
  EXPECT_EQ(mean, u"2.000");
  Repaint();
  EXPECT_NE(View().GetSummaryText().Find(u"No. of Measurements\t2\r\n"), -1);

  // Only bars offer the menu.
  SimulateMouse(&View(), SimulatedMouseAction::Press, VK_RBUTTON, FindHit(CSummaryView::HIT_LIST_VALUE, 0), 0,
                MK_RBUTTON);
  EXPECT_EQ(answers.GetPopupMenus().size(), 1u);
}

TEST(SummaryPageLifetime, ADestroyedPageLeavesTheDocumentsViews) {
  CUiApplication app;
  RegisterProgramResources(nullptr);
  CZedoDoc doc;
  CWnd host;
  host.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 640, 480), nullptr, 0);
  CWnd* gone = nullptr;
  {
    CTabSummary page(&host, &doc);
    page.Create(IDD_TAB_SUMMARY, &host);
    gone = &page;
  }
  EXPECT_FALSE(doc.RemoveView(gone)) << "the page left the views as it went";
  host.DestroyWindow();
}

}  // namespace
