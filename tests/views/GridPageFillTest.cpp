#include <gtest/gtest.h>

#include "grid/BarRangeCell.h"
#include "tests/views/GridPageFixture.h"
#include "views/DetailGripperCell.h"
#include "views/DetailLeftCell.h"
#include "views/SeriesCell.h"

namespace {

const CString kNoneSelected = u"Selected measurements: 0      Total measurements: 0        ";

TEST_F(GridPageTest, AnEmptyProjectShowsTheHeaderRowOverTheWholeWidth) {
  EXPECT_EQ(Grid().GetRowCount(), 1);
  EXPECT_EQ(Grid().GetColumnCount(), 9);
  EXPECT_EQ(Grid().GetColumnWidth(0), 56);
  EXPECT_EQ(Grid().GetRowHeight(0), 26);
  CRect last, client;
  Grid().GetCellRect(0, 8, last);
  Grid().GetClientRect(client);
  EXPECT_EQ(last.right, client.right - 2) << "the value column takes the spare width";
  EXPECT_EQ(LastStatus(), kNoneSelected);
  EXPECT_EQ(Grid().GetCellText(0, 4), u"Measured value");
  EXPECT_EQ(Grid().GetCell(0, 8)->GetCopyText(), u"Unit\tSerial No.\tComment\t");
  EXPECT_EQ(Grid().GetCell(0, 6)->GetCopyText(), u"Test Disc Ø\t");
}

// The value column takes the spare width of a wide page and gives it back when the page
// narrows, down to its own width; a sort's refill keeps what it gives back.
TEST_F(GridPageTest, TheValueColumnFollowsThePageWidthBothWays) {
  Load(Tests(3));
  auto valueWidthAt = [&](int pageWidth) {
    page.MoveWindow(0, 0, pageWidth, 800);
    PumpMessages();
    return Grid().GetColumnWidth(4);
  };
  auto spare = [&] {
    CRect last, client;
    Grid().GetCellRect(0, 8, last);
    Grid().GetClientRect(client);
    return client.right - last.right;
  };
  const int fitted = valueWidthAt(900);
  EXPECT_EQ(spare(), 2) << "the columns fill the page";
  EXPECT_GT(valueWidthAt(1400), fitted);
  EXPECT_EQ(valueWidthAt(900), fitted) << "the value column gave the spare width back";
  EXPECT_EQ(spare(), 2);
  const int own = valueWidthAt(300);
  EXPECT_LT(own, fitted);
  EXPECT_LT(spare(), 0) << "at its own width the value column narrows no further";
  EXPECT_EQ(valueWidthAt(300), own);
  EXPECT_EQ(valueWidthAt(900), fitted);

  valueWidthAt(1400);
  Notify(0, 2, GRIDN_CLICK);
  PumpMessages();
  EXPECT_EQ(valueWidthAt(900), fitted) << "after the sort's refill";
  EXPECT_EQ(spare(), 2);
}

TEST_F(GridPageTest, EveryMeasurementHasAHeaderRowAndADetailRow) {
  std::vector<CRawRecord> records = Tests(3);
  records[1].Id(4711).Slot(9).Peak(2500).Unit(1);
  Load(records);
  ASSERT_EQ(Grid().GetRowCount(), 7);
  EXPECT_NE(dynamic_cast<CDetailGripperCell*>(Grid().GetCell(3, 0)), nullptr);
  EXPECT_NE(dynamic_cast<CBarRangeCell*>(Grid().GetCell(3, 4)), nullptr);
  EXPECT_NE(dynamic_cast<CDetailLeftCell*>(Grid().GetCell(4, 0)), nullptr);
  EXPECT_NE(dynamic_cast<CSeriesCell*>(Grid().GetCell(4, 1)), nullptr);
  EXPECT_EQ(Grid().GetCell(4, 1)->GetLastRangeColumn(), 8);
  EXPECT_EQ(Grid().GetRowHeight(4), 0) << "detail rows start closed";
  EXPECT_EQ(Grid().GetCellText(3, 1), u"9");
  EXPECT_EQ(Grid().GetCellText(3, 2), u"4711");
  EXPECT_EQ(Grid().GetCellText(3, 4), u"2.50 kN");
  EXPECT_EQ(Grid().GetCellText(3, 8), doc.GetUnitName(1));
  EXPECT_EQ(Grid().GetCell(3, 2)->GetCopyText(), u"4711\t");
  EXPECT_EQ(Grid().GetCell(3, 4)->GetCopyText(), u"2.50 kN\t");
  for (int col = 0; col < 9; ++col)
    EXPECT_EQ((Grid().GetCellState(3, col) & GCS_READONLY) != 0, col != 2) << "column " << col;
  EXPECT_EQ(LastStatus(), u"Selected measurements: 0      Total measurements: 3        ");
}

// The series cell makes its copy text from the document when asked, so the grid's copy has the
// comment as it is now, not as it was when the row was filled.
TEST_F(GridPageTest, TheGridCopiesTheSeriesCellsTextFromTheDocument) {
  Load(Tests(1));
  Grid().SetRowHeight(2, 250);
  Grid().SetSelectedRange(2, 1, 2, 1);
  doc.SetComment(0, u"first");
  ASSERT_EQ(Grid().BuildCopyText(FALSE, 2, 1, 2, 1), Grid().GetCell(2, 1)->GetCopyText());
  doc.SetComment(0, u"say \"hi\"");
  const CString copied = Grid().BuildCopyText(FALSE, 2, 1, 2, 1);
  EXPECT_EQ(copied, doc.GetDeviceText(0) + u"\t\"say &quothi&quot\"\t");
}

TEST_F(GridPageTest, AFullFillShowsItsProgressEvery31Measurements) {
  Load(Tests(65));
  std::vector<CString> progress;
  for (const CString& text : host.texts) {
    const int at = text.Find(u"Updating:");
    if (at >= 0) progress.push_back(text.Mid(at));
  }
  EXPECT_EQ(progress, (std::vector<CString>{u"Updating: 1", u"Updating: 32", u"Updating: 63"}));
  EXPECT_EQ(LastStatus(), u"Selected measurements: 0      Total measurements: 65        ");
}

// The bar compares the peak with the load limit in newtons, whatever the test's unit.
TEST_F(GridPageTest, TheBarShowsThePeakAgainstTheLoadLimit) {
  for (unsigned unit : {1u, 0u}) {
    Load({CRawRecord().Peak(4500).Unit(unit)}, 6000);
    auto* bar = dynamic_cast<CBarRangeCell*>(Grid().GetCell(1, 4));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetMinValue(), 0.0);
    EXPECT_EQ(bar->GetMaxValue(), 8000.0) << "unit " << unit;
    EXPECT_EQ(bar->GetRangeBLow(), 0.0);
    EXPECT_EQ(bar->GetRangeBHigh(), 6000.0);
    EXPECT_EQ(bar->GetRangeALow(), 0.0);
    EXPECT_EQ(bar->GetRangeAHigh(), 4500.0);
    EXPECT_EQ(bar->GetMarkerValue(), 4500.0);
    EXPECT_TRUE(bar->IsMarkerHidden());
  }
}

struct SSortArrow {
  BYTE key;
  int column;
  bool ascending;
};

TEST_F(GridPageTest, TheSortArrowFollowsTheDocumentsKey) {
  Load(Tests(3));
  const SSortArrow cases[] = {{1, 1, true},   {2, 1, false},  {3, 3, true},  {4, 3, false},  {5, 2, true},
                              {6, 2, false},  {7, 4, true},   {8, 4, false}, {11, 5, true},  {12, 5, false},
                              {13, 6, true},  {14, 6, false}, {15, 7, true}, {16, 7, false}, {17, 8, true},
                              {18, 8, false}, {9, -1, false}, {0, -1, true}};
  for (const SSortArrow& c : cases) {
    doc.Sort(c.key);
    page.FillGrid(-1);
    EXPECT_EQ(Grid().GetSortColumn(), c.column) << "key " << int(c.key);
    EXPECT_EQ(Grid().GetSortAscending() != FALSE, c.ascending) << "key " << int(c.key);
  }
}

TEST_F(GridPageTest, AMeasurementMarkedExpandedOpensAtOnceWhenFilled) {
  std::vector<BYTE> bytes;
  Load(Tests(2));
  doc.SetExpanded(1, true);
  page.FillGrid(-1);
  EXPECT_EQ(Grid().GetRowHeight(2), 0);
  EXPECT_GE(Grid().GetRowHeight(4), 315);
  EXPECT_TRUE(dynamic_cast<CDetailGripperCell*>(Grid().GetCell(3, 0))->IsExpanded());
}

// A notice about one measurement may arrive before the refill after a download or paste: the
// page fills everything instead of reaching for rows it does not hold.
TEST_F(GridPageTest, ANoticeForRowsTheGridDoesNotHoldRefillsEverything) {
  Load(Tests(3));
  std::vector<BYTE> bytes;
  for (const CRawRecord& r : Tests(5)) bytes.insert(bytes.end(), r.Bytes().begin(), r.Bytes().end());
  const SMeasDeviceInfo device = DeviceBlock(16000);
  ASSERT_TRUE(doc.AddDownloadedData(bytes.data(), bytes.size(), &device));
  page.SendMessage(WM_ZEDO_DOC_CHANGED, 4, 0);
  EXPECT_EQ(Grid().GetRowCount(), 11);
  EXPECT_EQ(Grid().GetCellText(9, 2), u"5");
  PumpMessages();
}

TEST_F(GridPageTest, ANoticeForOneMeasurementRewritesOnlyItsRows) {
  Load(Tests(3));
  Grid().SetColumnWidth(3, 333);
  doc.SetId(2, 99);
  doc.UpdateAllViews(nullptr, 2);
  PumpMessages();
  EXPECT_EQ(Grid().GetCellText(5, 2), u"99");
  EXPECT_EQ(Grid().GetColumnWidth(3), 333) << "a single refresh keeps the widths";
}

}  // namespace
