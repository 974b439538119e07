#include <gtest/gtest.h>

#include "document/DateTimeDlg.h"
#include "platform/base/LocalTime.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"
#include "tests/views/GridPageFixture.h"
#include "views/DetailGripperCell.h"

namespace {

std::vector<UINT> Commands(const SPopupMenuRequest& menu) {
  std::vector<UINT> ids;
  for (const SPopupMenuItem& item : menu.items) ids.push_back(item.id);
  return ids;
}

struct SHeaderClick {
  int column;
  BYTE keyBefore;
  BYTE keyAfter;
};

// The first click on a column sorts ascending, the next descending.
TEST_F(GridPageTest, AHeaderClickSortsByTheColumnsNextKey) {
  Load(Tests(3));
  const SHeaderClick cases[] = {{8, 17, 18}, {8, 18, 17}, {2, 17, 5}, {2, 5, 6},
                                {1, 6, 1},   {3, 0, 3},   {7, 8, 15}};
  for (const SHeaderClick& c : cases) {
    doc.Sort(c.keyBefore);
    Notify(0, c.column, GRIDN_CLICK);
    PumpMessages();
    EXPECT_EQ(doc.GetSortColumn(), c.keyAfter) << "column " << c.column << " from key " << int(c.keyBefore);
  }
}

TEST_F(GridPageTest, ASortKeepsTheColumnWidthsAndTheArrowFollowsTheKey) {
  Load(Tests(3));
  Grid().SetColumnWidth(5, 211);
  Notify(0, 8, GRIDN_CLICK);
  PumpMessages();
  EXPECT_EQ(Grid().GetColumnWidth(5), 211);
  EXPECT_EQ(Grid().GetSortColumn(), 8);
  EXPECT_TRUE(Grid().GetSortAscending());
  doc.Sort(0);
  page.FillGrid(-1);
  EXPECT_NE(Grid().GetColumnWidth(5), 211) << "an unsorted project sizes its columns again";
}

TEST_F(GridPageTest, AHeaderClickOnAnEmptyProjectChangesNothing) {
  Notify(0, 8, GRIDN_CLICK);
  PumpMessages();
  EXPECT_EQ(Grid().GetSortColumn(), -1);
  EXPECT_EQ(doc.GetSortColumn(), 0);
}

// The gripper swaps the image that was hit; the page then opens or closes the detail row and
// moves the test in or out of the summary.
TEST_F(GridPageTest, TheGripperOpensTheRowAndMovesTheTestOutOfTheSummary) {
  Load(Tests(2));
  auto* gripper = dynamic_cast<CDetailGripperCell*>(Grid().GetCell(3, 0));
  ASSERT_NE(gripper, nullptr);
  gripper->OnClick(CPoint(10, 5));
  Notify(3, 0, GRIDN_CLICK);
  SettleRows();
  EXPECT_TRUE(doc.IsExpanded(1));
  EXPECT_GE(Grid().GetRowHeight(4), 315);

  ASSERT_TRUE(doc.IsSelected(1));
  gripper = dynamic_cast<CDetailGripperCell*>(Grid().GetCell(3, 0));
  gripper->OnClick(CPoint(35, 5));
  Notify(3, 0, GRIDN_CLICK);
  PumpMessages();
  EXPECT_FALSE(doc.IsSelected(1));
  EXPECT_TRUE(doc.IsSelected(0));
  EXPECT_EQ(doc.GetSummary().GetCount(), 1);
  gripper = dynamic_cast<CDetailGripperCell*>(Grid().GetCell(3, 0));
  EXPECT_FALSE(gripper->IsSelected());
  EXPECT_TRUE(gripper->IsExpanded()) << "the sigma leaves the detail row alone";
}

TEST_F(GridPageTest, SelectingAHeaderRowSelectsItsDetailRowToo) {
  Load(Tests(3));
  Grid().SetSelectionAnchor(CCellAddr(3, 1));
  Grid().SetSelectedRange(3, 0, 3, 8);
  Notify(3, 1, GRIDN_SELCHANGED);
  EXPECT_TRUE(Grid().IsCellSelected(4, 1));
  EXPECT_EQ(LastStatus(), u"Selected measurements: 1      Total measurements: 3        ");

  Grid().SetSelectionAnchor(CCellAddr(6, 2));
  Grid().SetSelectedRange(6, 0, 6, 8);
  Grid().SetFocusCell(6, 2);
  Notify(6, 2, GRIDN_SELCHANGED);
  EXPECT_TRUE(Grid().IsCellSelected(5, 2));
  EXPECT_EQ(Grid().GetFocusCell(), CCellAddr(5, 2)) << "the focus stays on header rows";
}

struct SIdEdit {
  const char16_t* text;
  DWORD stored;
  const char16_t* shown;
  bool refused;
};

// The ID cell shows the 32-bit ID as a signed number, as the exports and the summary do, and
// takes back exactly such texts; anything else is refused and the ID stays 7.
TEST_F(GridPageTest, AnEditedIdIsStoredOnlyWhenItIsANumberAsTheCellShowsIt) {
  const SIdEdit cases[] = {{u"123", 123, u"123", false},
                           {u"", 0, u"0", false},
                           {u"12a", 7, u"7", true},
                           {u"2147483647", 0x7FFFFFFFu, u"2147483647", false},
                           {u"-1", 0xFFFFFFFFu, u"-1", false},
                           {u"-5", 0xFFFFFFFBu, u"-5", false},
                           {u"-2147483648", 0x80000000u, u"-2147483648", false},
                           {u"2147483648", 7, u"7", true},
                           {u"4294967295", 7, u"7", true},
                           {u"-2147483649", 7, u"7", true},
                           {u"-", 7, u"7", true},
                           {u"+5", 7, u"7", true},
                           {u" 5", 7, u"7", true},
                           {u"5 ", 7, u"7", true},
                           {u"99999999999999999999", 7, u"7", true}};
  Load({CRawRecord().Id(7)});
  std::size_t boxesBefore = 0;
  for (const SIdEdit& c : cases) {
    doc.SetId(0, 7);
    Grid().SetCellText(1, 2, c.text);
    Notify(1, 2, GRIDN_ENDLABELEDIT);
    EXPECT_EQ(doc.GetId(0), c.stored) << CString(c.text).ToUtf8();
    EXPECT_EQ(Grid().GetCellText(1, 2), c.shown) << CString(c.text).ToUtf8();
    const auto boxes = answers.GetMessageBoxes();
    ASSERT_EQ(boxes.size(), boxesBefore + (c.refused ? 1u : 0u)) << CString(c.text).ToUtf8();
    if (c.refused) {
      EXPECT_EQ(boxes.back().text, u"ID must be a number.");
      ++boxesBefore;
    }
  }
}

// Whatever ID a test has, the text its cell shows is taken back as that same ID.
TEST_F(GridPageTest, TheShownIdTypedBackKeepsTheId) {
  for (DWORD id : {0u, 42u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu}) {
    Load({CRawRecord().Id(id)});
    const CString shown = Grid().GetCellText(1, 2);
    Grid().SetCellText(1, 2, shown);
    Notify(1, 2, GRIDN_ENDLABELEDIT);
    EXPECT_EQ(doc.GetId(0), id) << shown.ToUtf8();
    EXPECT_EQ(Grid().GetCellText(1, 2), shown);
  }
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
}

TEST_F(GridPageTest, ARightClickBelowTheRowsOffersPasteAlone) {
  Load(Tests(2));
  Notify(-1, -1, GRIDN_RCLICK);
  auto menus = answers.GetPopupMenus();
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(Commands(menus[0]), (std::vector<UINT>{5}));
  EXPECT_TRUE(menus[0].items[0].state & MF_GRAYED) << "nothing was copied in this run";

  ChooseMeasurements({0});
  page.SendMessage(WM_PAGE_COPY);
  answers.AddPopupMenuAnswer(4);
  Notify(3, 1, GRIDN_RCLICK);
  menus = answers.GetPopupMenus();
  ASSERT_EQ(menus.size(), 2u);
  EXPECT_EQ(Commands(menus[1]), (std::vector<UINT>{3, 4, 5, 0, 6}));
  EXPECT_FALSE(menus[1].items[2].state & MF_GRAYED);
  PumpMessages();
  EXPECT_TRUE(doc.IsClipboardDataAvailable()) << "Copy was chosen";
  EXPECT_TRUE(Grid().IsCellSelected(3, 5)) << "the clicked row is selected first";
}

TEST_F(GridPageTest, ExpandAllOpensEveryRowAndShowsItsProgress) {
  Load(Tests(25));
  host.texts.clear();
  answers.AddPopupMenuAnswer(1);
  Notify(1, 0, GRIDN_RCLICK);
  std::vector<CString> progress;
  for (const CString& text : host.texts) {
    const int at = text.Find(u"Expanding:");
    if (at >= 0) progress.push_back(text.Mid(at));
  }
  EXPECT_EQ(progress, (std::vector<CString>{u"Expanding: 1", u"Expanding: 12", u"Expanding: 23"}));
  for (int i = 0; i < 25; ++i) {
    EXPECT_GE(Grid().GetRowHeight(2 * i + 2), 315);
    EXPECT_TRUE(doc.IsExpanded(i));
  }
  EXPECT_EQ(LastStatus().Find(u"Expanding:"), -1);

  answers.AddPopupMenuAnswer(2);
  Notify(1, 0, GRIDN_RCLICK);
  EXPECT_EQ(Grid().GetRowHeight(4), 0);
  EXPECT_FALSE(doc.IsExpanded(1));
}

TEST_F(GridPageTest, TheRowsMenuMovesAllTestsInAndOutOfTheSummary) {
  Load(Tests(3));
  answers.AddPopupMenuAnswer(4);
  Notify(1, 0, GRIDN_RCLICK);
  PumpMessages();
  const auto menus = answers.GetPopupMenus();
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(Commands(menus[0]), (std::vector<UINT>{1, 2, 0, 3, 4}));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(doc.IsSelected(i));
  EXPECT_FALSE(dynamic_cast<CDetailGripperCell*>(Grid().GetCell(5, 0))->IsSelected());
}

TEST_F(GridPageTest, TheUnitMenuChangesTheChosenTests) {
  Load(Tests(3));
  ChooseMeasurements({0, 2});
  answers.AddPopupMenuAnswer(2);
  Notify(5, 8, GRIDN_RCLICK);
  PumpMessages();
  EXPECT_EQ(doc.GetUnit(0), 1);
  EXPECT_EQ(doc.GetUnit(1), 1) << "not chosen";
  EXPECT_EQ(doc.GetUnit(2), 1);
  EXPECT_EQ(Grid().GetCellText(5, 8), doc.GetUnitName(2));
}

struct STimeShift {
  const char* name;
  int fromMonth, fromDay, fromHour;
  int toMonth, toDay, toHour, toMinute;
};

class GridPageTimeShiftTest : public GridPageTest, public ::testing::WithParamInterface<STimeShift> {};

// The dialog opens on the measurement's own local time, and the test lands on the local time
// the user picked, within summer and across a change of the clocks.
TEST_P(GridPageTimeShiftTest, TheTestLandsOnThePickedLocalTime) {
  const STimeShift& c = GetParam();
  Load({CRawRecord().Id(1).Date(2021, c.fromMonth, c.fromDay, c.fromHour, 0, 0), CRawRecord().Id(2)});
  CString other;
  const std::int64_t otherBefore = doc.GetDateTimeText(1, other);
  answers.AddModalDialogScript([&](CWnd& dialog) {
    for (int id : {IDC_DATE_PICKER, IDC_TIME_PICKER}) {
      auto* picker = dynamic_cast<CDateTimeCtrl*>(dialog.GetDlgItem(id));
      ASSERT_NE(picker, nullptr);
      SLocalTime value;
      picker->GetTime(value);
      EXPECT_EQ(value.hour, c.fromHour) << "the pickers open on the time the grid shows";
      if (id == IDC_DATE_PICKER) {
        value.month = c.toMonth;
        value.day = c.toDay;
      } else {
        value.hour = c.toHour;
        value.minute = c.toMinute;
      }
      picker->SetTime(value);
    }
    dialog.SendMessage(WM_COMMAND, IDOK);
  });
  Notify(1, 3, GRIDN_RCLICK);
  PumpMessages();
  ASSERT_EQ(answers.GetModalDialogs().size(), 1u);
  CString text;
  SLocalTime landed;
  ASSERT_TRUE(StampToLocalTime(doc.GetDateTimeText(0, text), landed));
  EXPECT_EQ(landed.month, c.toMonth);
  EXPECT_EQ(landed.day, c.toDay);
  EXPECT_EQ(landed.hour, c.toHour);
  EXPECT_EQ(landed.minute, c.toMinute);
  EXPECT_EQ(doc.GetDateTimeText(1, other), otherBefore) << "only the clicked test moves";
}

INSTANTIATE_TEST_SUITE_P(Clocks, GridPageTimeShiftTest,
                         ::testing::Values(STimeShift{"WithinSummer", 7, 1, 10, 7, 1, 14, 30},
                                           STimeShift{"OverTheSpringChange", 3, 27, 10, 3, 28, 10, 0},
                                           STimeShift{"OverTheAutumnChange", 10, 30, 9, 11, 2, 9, 15}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
