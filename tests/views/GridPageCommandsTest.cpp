#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "document/Units.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestEnvironment.h"
#include "tests/views/GridPageFixture.h"

namespace {

const CString kDeleteQuestion = u"Do you really want to delete the selected measurement(s)?";

TEST_F(GridPageTest, DeleteAsksThenRemovesTheChosenMeasurementsAndScrollsBack) {
  Load(Tests(100));
  Grid().WriteScrollPosition(SB_VERT, 200);
  ASSERT_EQ(Grid().ReadScrollPosition(SB_VERT), 200);
  ChooseMeasurements({1, 3});
  answers.AddMessageBoxAnswer(IDYES);
  EXPECT_EQ(page.SendMessage(WM_PAGE_DELETE), 1);
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kDeleteQuestion);
  EXPECT_EQ(boxes[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
  PumpMessages();
  ASSERT_EQ(doc.GetCount(), 98);
  EXPECT_EQ(Ids()[0], 1u);
  EXPECT_EQ(Ids()[1], 3u);
  EXPECT_EQ(Ids()[2], 5u);
  EXPECT_EQ(Grid().GetRowCount(), 197);
  EXPECT_EQ(Grid().ReadScrollPosition(SB_VERT), 200);
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(GridPageTest, OnlyYesDeletesAndTheFocusStaysInTheGrid) {
  for (int answer : {IDNO, IDCANCEL}) {
    Load(Tests(3));
    ChooseMeasurements({1});
    answers.AddMessageBoxAnswer(answer);
    page.SendMessage(WM_PAGE_DELETE);
    PumpMessages();
    EXPECT_EQ(doc.GetCount(), 3);
    EXPECT_EQ(CWnd::GetFocus(), &Grid());
  }
}

// The focused value cell counts as chosen for delete even without any selection.
TEST_F(GridPageTest, TheFocusedValueCellChoosesItsMeasurement) {
  Load(Tests(3));
  Grid().SetFocusCell(5, 4);
  answers.AddMessageBoxAnswer(IDYES);
  page.SendMessage(WM_PAGE_DELETE);
  PumpMessages();
  EXPECT_EQ(Ids(), (std::vector<DWORD>{1, 2}));
}

TEST_F(GridPageTest, TheEnableQueriesFollowSelectionAndMeasurements) {
  EXPECT_EQ(page.SendMessage(WM_PAGE_CAN_SELECT_ALL), 0);
  Load(Tests(2));
  EXPECT_EQ(page.SendMessage(WM_PAGE_CAN_SELECT_ALL), 1);
  EXPECT_EQ(page.SendMessage(WM_PAGE_CAN_DELETE), 0);
  EXPECT_EQ(page.SendMessage(WM_PAGE_SELECT_ALL), 1);
  EXPECT_EQ(page.SendMessage(WM_PAGE_CAN_DELETE), 1);
  EXPECT_EQ(Grid().GetSelectedCount(), 4 * 9);
}

// A copy goes through the private format, so that another document (another running copy of
// the program) pastes exactly the chosen measurements.
TEST_F(GridPageTest, CopyPutsTheChosenMeasurementsOnTheClipboard) {
  Load(Tests(3));
  ChooseMeasurements({0, 2});
  EXPECT_EQ(page.SendMessage(WM_PAGE_COPY), 1);
  CZedoDoc other;
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(other.PasteFromClipboard());
  CloseClipboard();
  ASSERT_EQ(other.GetCount(), 2);
  EXPECT_EQ(other.GetId(0), 1u);
  EXPECT_EQ(other.GetId(1), 3u);
  EXPECT_TRUE(doc.CanPaste());
}

TEST_F(GridPageTest, CopyOfAnEmptyGridLeavesAnEmptiedClipboard) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, {'x', 0, 0, 0});
  CloseClipboard();
  EXPECT_EQ(page.SendMessage(WM_PAGE_COPY), 0);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(doc.IsClipboardDataAvailable());
}

TEST_F(GridPageTest, CutCopiesAndThenDeletesWithoutAsking) {
  Load(Tests(3));
  ChooseMeasurements({1});
  EXPECT_EQ(page.SendMessage(WM_PAGE_CUT), 1);
  PumpMessages();
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
  EXPECT_EQ(Ids(), (std::vector<DWORD>{1, 3}));
  CZedoDoc other;
  ASSERT_TRUE(OpenClipboard(nullptr));
  other.PasteFromClipboard();
  CloseClipboard();
  ASSERT_EQ(other.GetCount(), 1);
  EXPECT_EQ(other.GetId(0), 2u);
}

TEST_F(GridPageTest, PasteMergesAndAnotherLoadLimitChangesNothing) {
  Load(Tests(2));
  ChooseMeasurements({1});
  page.SendMessage(WM_PAGE_COPY);
  EXPECT_EQ(page.SendMessage(WM_PAGE_PASTE), 1);
  PumpMessages();
  EXPECT_EQ(doc.GetCount(), 3);
  EXPECT_EQ(Grid().GetRowCount(), 7);

  CZedoDoc other;
  std::vector<BYTE> bytes = CRawRecord().Id(77).Bytes();
  const SMeasDeviceInfo device = DeviceBlock(6000);
  ASSERT_TRUE(other.AddDownloadedData(bytes.data(), bytes.size(), &device));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  ASSERT_TRUE(other.CopyToClipboard({1}));
  CloseClipboard();
  page.SendMessage(WM_PAGE_PASTE);
  PumpMessages();
  EXPECT_EQ(doc.GetCount(), 3);
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            u"All data to be pasted must have the same load limit as that in the current project.");
}

// Ctrl+C and Ctrl+X in the grid go through the document, not the grid's text; Ctrl+A selects
// all through the grid itself.
TEST_F(GridPageTest, CtrlKeysInTheGridRunThePagesCommands) {
  Load(Tests(3));
  ChooseMeasurements({2});
  Grid().SetFocus();
  SimulateKey(&Grid(), 'C', true, u"c", MK_CONTROL);
  SimulateKey(&Grid(), 'C', false, u"c", MK_CONTROL);
  PumpMessages();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(doc.IsClipboardDataAvailable());
  SimulateKey(&Grid(), 'X', true, u"x", MK_CONTROL);
  SimulateKey(&Grid(), 'X', false, u"x", MK_CONTROL);
  PumpMessages();
  EXPECT_EQ(Ids(), (std::vector<DWORD>{1, 2}));
  SimulateKey(&Grid(), 'V', true, u"v", MK_CONTROL);
  SimulateKey(&Grid(), 'V', false, u"v", MK_CONTROL);
  PumpMessages();
  EXPECT_EQ(Ids(), (std::vector<DWORD>{1, 2, 3}));
}

TEST_F(GridPageTest, TheDeleteKeyAsksBeforeDeleting) {
  Load(Tests(2));
  ChooseMeasurements({0});
  answers.AddMessageBoxAnswer(IDYES);
  Notify(VK_DELETE, 0, GRIDN_KEYDOWN);
  PumpMessages();
  EXPECT_EQ(answers.GetMessageBoxes().size(), 1u);
  EXPECT_EQ(Ids(), (std::vector<DWORD>{2}));
}

}  // namespace

namespace {

// The printout's header names the maker, the title and the program; its footer the page, the
// project file without its folder, and the date and time.
TEST_F(GridPageTest, ThePrintoutCarriesThePagesHeaderAndFooter) {
  const std::string folder = TestPath("site");
  std::filesystem::create_directories(folder);
  const CString path = CString::FromUtf8(folder + "/north wall.jvd");
  CZedoDoc saved;
  std::vector<BYTE> bytes;
  for (const CRawRecord& r : Tests(3)) bytes.insert(bytes.end(), r.Bytes().begin(), r.Bytes().end());
  const SMeasDeviceInfo device = DeviceBlock(16000);
  ASSERT_TRUE(saved.AddDownloadedData(bytes.data(), bytes.size(), &device));
  ASSERT_TRUE(saved.SaveToPath(path));
  ASSERT_TRUE(doc.OnFileOpen(path));
  PumpMessages();
  const SGridPrintInfo info = page.BuildPrintInfo();
  EXPECT_EQ(info.headerLeft, u"Jovant");
  EXPECT_EQ(info.headerCenter, u"ZD-2 measurement data");
  EXPECT_TRUE(info.headerRight.IsEmpty() || info.headerRight.Find(u"ZD-Zedo Version ") == 0)
      << info.headerRight.ToUtf8();
  EXPECT_EQ(info.pageFormatId, UINT(IDS_PRINT_PAGE_NUMBER));
  EXPECT_EQ(info.footerCenter, u"north wall.jvd");
  UINT dateId = 0, timeId = 0;
  GetDateFormatString(&dateId);
  GetTimeFormatString(&timeId);
  EXPECT_EQ(info.dateFormatId, dateId);
  EXPECT_EQ(info.timeFormatId, timeId);

  HDC printer = CreateMemoryPrinterDC(794, 1123, 96);
  answers.AddPrintDialogAnswer(printer);
  EXPECT_EQ(page.SendMessage(WM_PAGE_PRINT), 0);
  ASSERT_EQ(GetPrintedPageCount(printer), 1);
  std::vector<CString> texts;
  for (const SPrintedText& text : GetPrintedTexts(printer, 0)) texts.push_back(text.text);
  for (const char16_t* expected :
       {u"Jovant", u"ZD-2 measurement data", u"Page 1 of 1", u"north wall.jvd", u"03/01/2021 8:00 AM"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), CString(expected)), texts.end())
        << CString(expected).ToUtf8();
  DeleteDC(printer);
}

// With every row open the printout takes several pages and leaves the rows as they are.
TEST_F(GridPageTest, PrintingOpenRowsMovesNoRowHeight) {
  Load(Tests(12));
  page.ExpandRows(true);
  const int heightBefore = Grid().GetRowHeight(2);
  HDC printer = CreateMemoryPrinterDC(794, 1123, 96);
  answers.AddPrintDialogAnswer(printer);
  page.SendMessage(WM_PAGE_PRINT);
  EXPECT_GT(GetPrintedPageCount(printer), 1);
  EXPECT_EQ(Grid().GetRowHeight(2), heightBefore) << "printing moves no row height";
  DeleteDC(printer);
}

}  // namespace
