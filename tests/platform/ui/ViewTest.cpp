// Views: drawing through OnDraw with the scroll position, scroll bars from the content size,
// self-deletion; the print dialog through the user-answer sink; and a file error that a
// handler lets go.

#include <gtest/gtest.h>

#include "platform/base/FileException.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"

namespace {

class CRecordingView : public CScrollView {
 public:
  explicit CRecordingView(bool* deleted) : m_deleted(deleted) {}
  ~CRecordingView() override { *m_deleted = true; }
  void OnDraw(CDC* dc) override {
    ++draws;
    origin = dc->GetViewportOrg();
    if (sizeFromDrawing == CSize()) return;
    CRect client;
    GetClientRect(client);
    dc->FillSolidRect(client, RGB(255, 0, 0));
    SetScrollSizes(MM_TEXT, sizeFromDrawing);
  }
  int draws = 0;
  CPoint origin;
  // When set, the drawing fills the client red and then sets these contents' size, as a view
  // does that learns its size only by drawing.
  CSize sizeFromDrawing;

 private:
  bool* m_deleted;
};

class ScrollViewTest : public ::testing::Test {
 protected:
  ScrollViewTest() {
    parent.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0);
    view = new CRecordingView(&deleted);
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &parent, 666);
    parent.ShowWindow(SW_SHOW);
  }
  ~ScrollViewTest() override { parent.DestroyWindow(); }

  CUiApplication application;
  CWnd parent;
  CRecordingView* view = nullptr;
  bool deleted = false;
};

TEST_F(ScrollViewTest, BarsShowOnlyWhileTheContentsDoNotFit) {
  view->SetScrollSizes(MM_TEXT, CSize(300, 200));
  EXPECT_EQ(view->GetScrollLimit(SB_HORZ), 0);
  EXPECT_EQ(view->GetScrollLimit(SB_VERT), 0);
  CRect client;
  view->GetClientRect(client);
  EXPECT_EQ(client.Size(), CSize(400, 300));

  // Taller contents take a vertical bar, whose width then makes the contents too wide as well.
  view->SetScrollSizes(MM_TEXT, CSize(395, 1000));
  view->GetClientRect(client);
  EXPECT_GT(view->GetScrollLimit(SB_VERT), 0);
  EXPECT_GT(view->GetScrollLimit(SB_HORZ), 0);
  EXPECT_EQ(view->GetScrollLimit(SB_VERT), 1000 - client.Height());
  EXPECT_EQ(view->GetTotalSize(), CSize(395, 1000));
}

TEST_F(ScrollViewTest, ThePaintDrawsInContentCoordinates) {
  view->SetScrollSizes(MM_TEXT, CSize(1000, 2000));
  view->Invalidate();
  view->UpdateWindow();
  EXPECT_GE(view->draws, 1);
  EXPECT_EQ(view->origin, CPoint(0, 0));

  SimulateScrollBar(view, SB_VERT, SB_THUMBTRACK, 150);
  SimulateScrollBar(view, SB_VERT, SB_THUMBPOSITION);
  SimulateScrollBar(view, SB_HORZ, SB_THUMBTRACK, 40);
  SimulateScrollBar(view, SB_HORZ, SB_THUMBPOSITION);
  EXPECT_EQ(view->GetScrollPosition(), CPoint(40, 150));
  view->UpdateWindow();
  EXPECT_EQ(view->origin, CPoint(-40, -150));

  SimulateScrollBar(view, SB_VERT, SB_TOP);
  view->UpdateWindow();
  EXPECT_EQ(view->origin, CPoint(-40, 0));
}

TEST_F(ScrollViewTest, ABarThatTheDrawingRemovesLeavesNoPartOfTheClientUnpainted) {
  // Both bars at first; the drawing then finds the contents narrow enough to lose the
  // horizontal one, which makes the client taller while it is being painted.
  view->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
  view->sizeFromDrawing = CSize(300, 1000);
  // Painted as the screen asks for it, not through UpdateWindow.
  view->Invalidate();
  PumpMessages();

  CBitmap picture;
  picture.Attach(CopyWindowImage(view));
  ASSERT_NE(picture.m_hObject, nullptr);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SelectObject(&picture);
  CRect client;
  view->GetClientRect(client);
  EXPECT_EQ(view->GetScrollLimit(SB_HORZ), 0);
  for (const CPoint at : {CPoint(5, 5), CPoint(client.right - 5, client.bottom / 2), CPoint(5, client.bottom - 2)})
    EXPECT_EQ(dc.GetPixel(at.x, at.y), RGB(255, 0, 0)) << "at " << at.x << "," << at.y;
}

TEST_F(ScrollViewTest, AViewGoesWithItsWindow) {
  view->DestroyWindow();
  EXPECT_TRUE(deleted);
}

TEST(PrintDialogTest, TheSinkAnswersWithAPrinterOrCancels) {
  CUiApplication application;
  CScriptedAnswers answers;
  HDC printer = CreateMemoryPrinterDC(200, 300, 96);
  answers.AddPrintDialogAnswer(printer);
  {
    CPrintDialog dialog(FALSE, PD_NOPAGENUMS | PD_HIDEPRINTTOFILE);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPrinterDC(), printer);
  }
  {
    CPrintDialog dialog(FALSE, PD_USEDEVMODECOPIES);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPrinterDC(), nullptr);
  }
  ASSERT_EQ(answers.GetPrintDialogs().size(), 2u);
  EXPECT_EQ(answers.GetPrintDialogs()[0].flags, PD_NOPAGENUMS | PD_HIDEPRINTTOFILE);
  EXPECT_EQ(answers.GetPrintDialogs()[1].flags, PD_USEDEVMODECOPIES);
  // The dialog only borrowed the sink's printer.
  EXPECT_EQ(GetDeviceCaps(printer, HORZRES), 200);
  DeleteDC(printer);
}

class CFailingWindow : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  LRESULT OnSave(WPARAM, LPARAM) { ThrowFileException(13, u"/read-only/summary.csv"); }
};

// clang-format off
BEGIN_MESSAGE_MAP(CFailingWindow, CWnd)
  .OnMessage(WM_USER + 5, &CFailingWindow::OnSave)
END_MESSAGE_MAP()
// clang-format on

TEST(FileErrorReportTest, AFileErrorAHandlerLetsGoIsShownNamingTheFile) {
  CUiApplication application;
  CScriptedAnswers answers;
  CFailingWindow window;
  ASSERT_TRUE(window.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
  EXPECT_EQ(window.SendMessage(WM_USER + 5), 0);
  ASSERT_EQ(answers.GetMessageBoxes().size(), 1u);
  EXPECT_NE(answers.GetMessageBoxes()[0].text.Find(u"/read-only/summary.csv"), -1);
  EXPECT_TRUE(window.IsWindow());
  window.DestroyWindow();
}

}  // namespace
