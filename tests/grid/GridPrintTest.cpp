#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/base/LocalTime.h"
#include "platform/base/MulDiv.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/ScriptedAnswers.h"
#include "tests/grid/GridFixture.h"

namespace {

// A grid of one heading row and column 0 holding "r<row>", printed on a memory printer that a
// scripted print dialog hands over.
class GridPrintTest : public GridOnScreen {
 protected:
  void SetUp() override { printer = CreateMemoryPrinterDC(850, 1100, 100); }
  void TearDown() override {
    DeleteDC(printer);
    PinCurrentTimeStamp(-1);
    GridOnScreen::TearDown();
  }
  void MakeRows(int rows, int cols = 3) {
    Make(rows, cols, 1, 0);
    for (int c = 0; c < cols; ++c) grid->SetCellText(0, c, CString(u"H") + CString(std::to_string(c).c_str()));
    for (int r = 1; r < rows; ++r) grid->SetCellText(r, 0, CString(u"r") + CString(std::to_string(r).c_str()));
  }
  // The body height this grid gets on the printer.
  int BodyHeight() {
    CDC dc;
    dc.Attach(printer);
    CPrintInfo info;
    grid->OnBeginPrinting(&dc, &info, FALSE, 1);
    grid->OnEndPrinting(&dc, &info);
    dc.Detach();
    return grid->GetPrintMetrics().bodyHeight;
  }
  void PrintWith(const SGridPrintInfo* record, int rowsPerGroup, bool selectionOnly = false) {
    answers.AddPrintDialogAnswer(printer, selectionOnly);
    grid->Print(nullptr, record, rowsPerGroup);
  }
  std::vector<CString> TextsOf(int page) {
    std::vector<CString> texts;
    for (const SPrintedText& text : GetPrintedTexts(printer, page)) texts.push_back(text.text);
    return texts;
  }
  bool Prints(int page, const char16_t* text) {
    const std::vector<CString> texts = TextsOf(page);
    return std::find(texts.begin(), texts.end(), CString(text)) != texts.end();
  }

  CScriptedAnswers answers;
  HDC printer = nullptr;
};

TEST_F(GridPrintTest, GroupsFillingOneBodyPerSixGroupsPrintOnTwoPagesAndNeverSplit) {
  MakeRows(21);
  const int body = BodyHeight();
  ASSERT_GT(body, 200);
  // Rows 1 to 12 (six groups of two) fill the body exactly; rows 13 to 20 follow.
  for (int r = 1; r <= 20; ++r) grid->SetRowHeight(r, 10);
  grid->SetRowHeight(12, body - 110);
  PrintWith(nullptr, 2);
  ASSERT_EQ(GetPrintedPageCount(printer), 2);
  EXPECT_TRUE(Prints(0, u"r12"));
  EXPECT_FALSE(Prints(0, u"r13"));
  EXPECT_TRUE(Prints(1, u"r13"));
  EXPECT_TRUE(Prints(1, u"r20"));
  EXPECT_TRUE(Prints(1, u"H0")) << "the heading row is on every page";
  EXPECT_TRUE(Prints(1, u"Page 2 of 2"));

  // One pixel more and the sixth group moves to the second page whole.
  grid->SetRowHeight(12, body - 109);
  PrintWith(nullptr, 2);
  ASSERT_EQ(GetPrintedPageCount(printer), 2);
  EXPECT_TRUE(Prints(0, u"r10"));
  EXPECT_FALSE(Prints(0, u"r11"));
  EXPECT_TRUE(Prints(1, u"r11"));
  EXPECT_TRUE(Prints(1, u"r12"));
}

TEST_F(GridPrintTest, WithoutRecordTheFooterCountsPagesAndShowsTheCDateAndTime) {
  MakeRows(61);
  const int body = BodyHeight();
  for (int r = 1; r <= 60; ++r) grid->SetRowHeight(r, body / 20);
  PinCurrentTimeStamp(LocalTimeToStamp(SLocalTime{2026, 12, 10, 9, 5, 7}));
  PrintWith(nullptr, 1);
  ASSERT_EQ(GetPrintedPageCount(printer), 3);
  EXPECT_TRUE(Prints(0, u"Page 1 of 3"));
  EXPECT_TRUE(Prints(2, u"Page 3 of 3"));
  EXPECT_TRUE(Prints(0, u"Thu Dec 10 09:05:07 2026"));
  // The centre of the header is the host's caption, the right the application's title.
  EXPECT_TRUE(Prints(0, u"host"));
  EXPECT_TRUE(Prints(0, u"Jovant ZD-Zedo"));
}

TEST_F(GridPrintTest, ARecordGivesHeaderTextsPageTextAndDateAndTimePictures) {
  MakeRows(3);
  PinCurrentTimeStamp(LocalTimeToStamp(SLocalTime{2026, 3, 7, 14, 5, 9}));
  SGridPrintInfo record;
  record.headerLeft = u"Left";
  record.headerCenter = u"Centre";
  record.pageFormatId = 1114;  // "Page %d of %d"
  record.footerCenter = u"Project";
  record.dateFormatId = 1067;  // "dd.MM.yyyy"
  record.timeFormatId = 1071;  // "HH:mm"
  PrintWith(&record, 2);
  ASSERT_EQ(GetPrintedPageCount(printer), 1);
  const std::vector<CString> texts = TextsOf(0);
  // Header centre, right (the title for an empty one), left; heading row; cells; footer.
  ASSERT_GE(texts.size(), 6u);
  EXPECT_EQ(texts[0], CString(u"Centre"));
  EXPECT_EQ(texts[1], CString(u"Jovant ZD-Zedo"));
  EXPECT_EQ(texts[2], CString(u"Left"));
  EXPECT_EQ(texts[texts.size() - 3], CString(u"Page 1 of 1"));
  EXPECT_EQ(texts[texts.size() - 2], CString(u"Project"));
  EXPECT_EQ(texts[texts.size() - 1], CString(u"07.03.2026 14:05"));
}

TEST_F(GridPrintTest, SelectionOnlyPrintsTheRowsWithAnySelectedCell) {
  MakeRows(6);
  // A block without column 0: rows 2 and 4 are printed all the same.
  grid->SetCellState(4, 2, grid->GetCellState(4, 2) | GCS_SELECTED);
  grid->SetCellState(2, 1, grid->GetCellState(2, 1) | GCS_SELECTED);
  PrintWith(nullptr, 1, true);
  ASSERT_EQ(GetPrintedPageCount(printer), 1);
  EXPECT_TRUE(Prints(0, u"r2"));
  EXPECT_TRUE(Prints(0, u"r4"));
  EXPECT_FALSE(Prints(0, u"r1"));
  EXPECT_FALSE(Prints(0, u"r3"));

  // Nothing selected: one page with the header, the heading row and the footer only.
  grid->ClearSelection();
  PrintWith(nullptr, 1, true);
  ASSERT_EQ(GetPrintedPageCount(printer), 1);
  EXPECT_TRUE(Prints(0, u"H0"));
  EXPECT_TRUE(Prints(0, u"Page 1 of 1"));
  for (const char16_t* row : {u"r1", u"r2", u"r3", u"r4", u"r5"}) EXPECT_FALSE(Prints(0, row));
}

TEST_F(GridPrintTest, CancellingTheDialogPrintsNothing) {
  MakeRows(3);
  answers.AddPrintDialogAnswer(nullptr);
  grid->Print();
  ASSERT_EQ(answers.GetPrintDialogs().size(), 1u);
  EXPECT_EQ(answers.GetPrintDialogs()[0].flags, 0x140008u);
  EXPECT_EQ(GetPrintedPageCount(printer), 0);
}

TEST_F(GridPrintTest, APassedDialogGivesItsOwnSelectionChoiceAndLosesItsPrinter) {
  MakeRows(4);
  grid->SetCellState(2, 0, grid->GetCellState(2, 0) | GCS_SELECTED);
  CPrintDialog dialog(FALSE);
  answers.AddPrintDialogAnswer(printer, true);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialog.PrintSelection());
  grid->Print(&dialog, nullptr, 1);
  EXPECT_EQ(answers.GetPrintDialogs().size(), 1u) << "no second dialog";
  EXPECT_TRUE(Prints(0, u"r2"));
  EXPECT_FALSE(Prints(0, u"r1"));
  EXPECT_EQ(dialog.GetPrinterDC(), nullptr);
}

TEST_F(GridPrintTest, RowsTallerThanTheBodyAndGroupsBelowOneStillPrintEveryRow) {
  MakeRows(5);
  const int body = BodyHeight();
  grid->SetRowHeight(2, body + 50);
  for (int rowsPerGroup : {0, -3, 1, 4}) {
    PrintWith(nullptr, rowsPerGroup);
    const int pages = GetPrintedPageCount(printer);
    ASSERT_GE(pages, 2) << rowsPerGroup;
    ASSERT_LE(pages, 3) << rowsPerGroup;
    for (const char16_t* row : {u"r1", u"r2", u"r3", u"r4"}) {
      int seen = 0;
      for (int page = 0; page < pages; ++page) seen += Prints(page, row) ? 1 : 0;
      EXPECT_EQ(seen, 1) << CString(row).ToUtf8() << " with groups of " << rowsPerGroup;
    }
  }
}

TEST_F(GridPrintTest, TheColumnsFillThePageWidthWhateverTheGridWidth) {
  MakeRows(3);
  for (int width : {100, 2000}) {
    grid->SetColumnWidth(0, width);
    BodyHeight();
    const SGridPrintMetrics& m = grid->GetPrintMetrics();
    EXPECT_EQ(m.logicalWidth, grid->GetTotalWidth() + 8 * m.charWidth);
    EXPECT_EQ(m.logicalHeight, MulDiv(m.logicalWidth, 1100, 850));
    EXPECT_EQ(m.printableWidth, grid->GetTotalWidth());
  }
}

// Columns sized on screen to just hold their texts print them whole on printers of any
// resolution: the page measures the texts anew on the printer, where the font's size rounds
// otherwise than on screen.
TEST_F(GridPrintTest, ColumnsSizedToTheirTextsOnScreenPrintEveryTextWhole) {
  const std::vector<CString> headings{u"Slot ID", u"ID", u"Date & Time", u"Load Rate", u"Unit"};
  const std::vector<CString> values{u"24", u"100137", u"06.01.2024 10:02", u"150 N/s", u"lbf"};
  Make(2, int(headings.size()), 1, 0);
  for (int c = 0; c < int(headings.size()); ++c) {
    grid->SetCellText(0, c, headings[std::size_t(c)]);
    grid->SetCellText(1, c, values[std::size_t(c)]);
  }
  grid->AutoSizeColumns();
  struct SPage {
    int width, height, dpi;
  };
  for (const SPage page : {SPage{767, 1097, 96}, SPage{850, 1100, 100}, SPage{1240, 1754, 150},
                           SPage{1653, 2339, 200}, SPage{2480, 3508, 300}, SPage{2000, 2828, 240}}) {
    for (BOOL atScreenSize : {FALSE, TRUE}) {
      SCOPED_TRACE(testing::Message() << page.width << " x " << page.height << " at " << page.dpi
                                      << " dpi, at screen size " << atScreenSize);
      DeleteDC(printer);
      printer = CreateMemoryPrinterDC(page.width, page.height, page.dpi);
      grid->SetPrintAtScreenSize(atScreenSize);
      PrintWith(nullptr, 1);
      ASSERT_EQ(GetPrintedPageCount(printer), 1);
      for (const CString& text : headings) EXPECT_TRUE(Prints(0, text)) << text.ToUtf8();
      for (const CString& text : values) EXPECT_TRUE(Prints(0, text)) << text.ToUtf8();
    }
  }
}

}  // namespace
