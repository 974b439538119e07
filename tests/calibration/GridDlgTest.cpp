#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "calibration/GridDlg.h"
#include "calibration/LoadUnitName.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/ResourceIcons.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"

namespace {

// The procedure dialog's side: a window that keeps every grid result posted to it.
class CGridOwner : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  LRESULT OnGridResult(WPARAM wParam, LPARAM lParam) {
    results.push_back({int(wParam), int(lParam)});
    return 0;
  }
  std::vector<std::pair<int, int>> results;
};

// clang-format off
BEGIN_MESSAGE_MAP(CGridOwner, CWnd)
  .OnMessage(CGridDlg::kGridResultMessage, &CGridOwner::OnGridResult)
END_MESSAGE_MAP()
// clang-format on

class StepGrid : public ::testing::Test {
 protected:
  CUiApplication application;
  CScriptedAnswers answers;
  CGridOwner owner;
  std::unique_ptr<CGridDlg> grid;

  void SetUp() override {
    RegisterProgramResources(nullptr);
    ASSERT_TRUE(owner.CreateEx(0, nullptr, u"owner", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
  }
  void TearDown() override {
    if (grid && grid->GetSafeHwnd()) grid->DestroyWindow();
    grid.reset();
    owner.DestroyWindow();
  }
  void Make(bool calMode, int loadUnit, int runs, int steps, int step) {
    grid = std::make_unique<CGridDlg>(&owner);
    grid->Init(true, calMode, loadUnit, runs, steps, step);
    grid->ShowGrid();
  }
  // Cells of run r (from 1) at step s (from 1).
  void Type(int step, int run, const CString& text) {
    grid->GetGrid().SetCellText(step, CGridDlg::kFixedColumns + run - 1, text);
  }
  void Press(int id) { grid->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
};

TEST(LoadUnitName, NamesTheThreeUnitsAndNothingElse) {
  EXPECT_EQ(LoadUnitName(0), CString(u"N"));
  EXPECT_EQ(LoadUnitName(1), CString(u"kN"));
  EXPECT_EQ(LoadUnitName(2), CString(u"LBF"));
  EXPECT_EQ(LoadUnitName(3), CString());
  EXPECT_EQ(LoadUnitName(-1), CString());
}

TEST_F(StepGrid, ParseLoadCellTakesOneDecimalNumberInTheLoadUnit) {
  struct Case {
    int unit;
    const char16_t* text;
    bool accepted;
    int newtons;
  };
  const Case cases[] = {
      {1, u"  12.5  ", true, 12500}, {1, u"\t12.5", true, 12500},   {2, u"100", true, 445},
      {0, u"800", true, 800},        {0, u"0.5", true, 1},          {1, u"0.0004", false, 0},
      {1, u"12,5", false, 0},        {1, u"-3", false, 0},          {1, u"0", false, 0},
      {1, u"0.0", false, 0},         {1, u".", false, 0},           {1, u"", false, 0},
      {1, u"   ", false, 0},         {1, u"1.2.3", false, 0},       {0, u"12 5", false, 0},
      {0, u"1e3", false, 0},         {3, u"800", false, 0},         {0, u"2147483647", true, 2147483647},
      {0, u"2147483648", false, 0},  {1, u"99999999999", false, 0},
  };
  for (const Case& c : cases) {
    CGridDlg unopened(nullptr);
    unopened.Init(false, true, c.unit, 1, 1, 800);
    int load = -7;
    EXPECT_EQ(unopened.ParseLoadCell(c.text, load), c.accepted) << CString(c.text).ToUtf8() << " unit " << c.unit;
    if (c.accepted) {
      EXPECT_EQ(load, c.newtons) << CString(c.text).ToUtf8();
    }
  }
}

TEST_F(StepGrid, TheGridCarriesIcon517AsItsBigAndSmallAndDragIcon) {
  Make(true, 0, 1, 2, 100);
  HICON icon = LoadAppIcon(IDR_MAINFRAME);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(grid->GetIcon(TRUE), icon);
  EXPECT_EQ(grid->GetIcon(FALSE), icon);
  EXPECT_EQ(grid->SendMessage(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(icon));
}

TEST_F(StepGrid, ReferenceGridHasHeadsStepsAndEmptyRunColumns) {
  Make(true, 1, 3, 20, 800);
  CCellGridOrg& cells = grid->GetGrid();
  ASSERT_EQ(cells.GetRowCount(), 21);
  ASSERT_EQ(cells.GetColumnCount(), 6);
  EXPECT_EQ(cells.GetFixedRowCount(), 1);
  EXPECT_EQ(cells.GetFixedColumnCount(), 3);
  const char16_t* heads[] = {u"No.", u"Step (%)", u"Nominal Load", u"Reference Load 1", u"Reference Load 2",
                             u"Reference Load 3"};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(cells.GetCellText(0, c), CString(heads[c])) << c;
  EXPECT_EQ(cells.GetCellText(1, 0), CString(u"1"));
  EXPECT_EQ(cells.GetCellText(1, 1), CString(u"5"));
  EXPECT_EQ(cells.GetCellText(1, 2), CString(u"0.800"));
  EXPECT_EQ(cells.GetCellText(20, 1), CString(u"100"));
  EXPECT_EQ(cells.GetCellText(20, 2), CString(u"16.000"));
  EXPECT_EQ(cells.GetCellText(3, 4), CString());
  EXPECT_EQ(cells.GetCellState(3, 4) & 0x08u, 0u) << "the operator types into the run cells";
  EXPECT_EQ(grid->GetWindowTextString(), CString(u"Load Measurements of Reference Device"));
  EXPECT_EQ(grid->GetDlgItem(IDC_CAL_GRID_ACTION)->GetWindowTextString(), CString(u"Calibrate ZD-2"));
  EXPECT_EQ(grid->GetDlgItem(IDC_CAL_GRID_UNIT)->GetWindowTextString(), CString(u"Load Unit: kN"));
  EXPECT_TRUE(grid->IsWindowVisible());
}

// At the dialog's own size the columns of an adjustment (three runs of twenty steps) and of a
// verification fit the grid beside its vertical scroll bar, in every load unit.
TEST_F(StepGrid, TheColumnsFitTheGridAtTheDialogsSize) {
  struct SCase {
    bool calMode;
    int runs;
  };
  for (const SCase& c : {SCase{true, 3}, SCase{false, 2}}) {
    for (int unit : {0, 1, 2}) {
      SCOPED_TRACE(testing::Message() << "adjustment " << c.calMode << " unit " << unit);
      Make(c.calMode, unit, c.runs, 20, 800);
      CCellGridOrg& cells = grid->GetGrid();
      CRect last, client;
      cells.GetCellRect(0, cells.GetColumnCount() - 1, last);
      cells.GetClientRect(client);
      EXPECT_LE(last.right, client.right);
      grid->DestroyWindow();
    }
  }
}

TEST_F(StepGrid, CollectedLoadsGoToTheirRunsInNewtonsAndTheOwnerIsTold) {
  Make(true, 1, 2, 2, 800);
  Type(1, 1, u" 0.8 ");
  Type(2, 1, u"1.6");
  Type(1, 2, u"0.79");
  Type(2, 2, u"1.601");
  Press(IDC_CAL_GRID_ACTION);
  PumpWaitingMessages();
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
  EXPECT_TRUE(grid->IsCollected());
  EXPECT_EQ(grid->GetCollectedRuns(), 2);
  EXPECT_EQ(grid->GetRunValues(0), (std::vector<int>{800, 1600}));
  EXPECT_EQ(grid->GetRunValues(1), (std::vector<int>{790, 1601}));
  EXPECT_EQ(owner.results, (std::vector<std::pair<int, int>>{{1, 0}}));
  EXPECT_FALSE(grid->IsWindowVisible());
}

TEST_F(StepGrid, BadCellsAreListedBeforeEmptyOnesInOneBoxAndNothingIsPosted) {
  Make(true, 0, 2, 3, 800);
  Type(1, 1, u"800");
  Type(2, 1, u"1600");
  Type(3, 1, u"1.2.3");
  Type(1, 2, u"801");
  Press(IDC_CAL_GRID_ACTION);
  PumpWaitingMessages();
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, CString(u"ERROR! Found invalid load value(s) at the following cell(s):\n"
                                   u"Cell at [Step 3 Load# 1] must be a number greater than zero.\n"
                                   u"Cell at [Step 2 Load# 2] cannot be empty\n"
                                   u"Cell at [Step 3 Load# 2] cannot be empty\n"));
  EXPECT_EQ(boxes[0].type & MB_ICONERROR, UINT(MB_ICONERROR));
  EXPECT_FALSE(grid->IsCollected());
  EXPECT_TRUE(owner.results.empty());
  EXPECT_TRUE(grid->IsWindowVisible()) << "the operator corrects the cells and presses again";
}

TEST_F(StepGrid, CancelOfTheReferenceGridTellsTheOwnerTheResultsGridDoesNot) {
  Make(true, 0, 1, 2, 800);
  Press(IDCANCEL);
  PumpWaitingMessages();
  EXPECT_EQ(owner.results, (std::vector<std::pair<int, int>>{{0, 0}}));
  EXPECT_FALSE(grid->IsWindowVisible());
  grid->DestroyWindow();
  owner.results.clear();
  Make(false, 0, 1, 2, 800);
  Press(IDCANCEL);
  PumpWaitingMessages();
  EXPECT_TRUE(owner.results.empty());
}

TEST_F(StepGrid, ResultsGridShowsEachRunsLoadsAsTheyComeReadOnly) {
  Make(false, 1, 2, 10, 600);
  grid->AddRunValue(0, 598, true);
  grid->AddRunValue(0, 1203, true);
  grid->AddRunValue(1, 603, true);
  CCellGridOrg& cells = grid->GetGrid();
  EXPECT_EQ(cells.GetCellText(0, 3), CString(u"Run # 1"));
  EXPECT_EQ(cells.GetCellText(1, 3), CString(u"0.598"));
  EXPECT_EQ(cells.GetCellText(2, 3), CString(u"1.203"));
  EXPECT_EQ(cells.GetCellText(3, 3), CString());
  EXPECT_EQ(cells.GetCellText(1, 4), CString(u"0.603"));
  EXPECT_EQ(cells.GetCellText(2, 4), CString());
  EXPECT_EQ(cells.GetCellState(1, 3) & 0x08u, 0x08u);
  EXPECT_EQ(grid->GetDlgItem(IDC_CAL_GRID_ACTION)->GetWindowTextString(), CString(u"Copy Data"));
  EXPECT_EQ(grid->GetWindowTextString(), CString(u"Load Measurements of ZD-2 Device\n"));
}

TEST_F(StepGrid, CopyDataPutsTheRunCellsWithCrLfAfterEveryLine) {
  Make(false, 0, 2, 10, 600);
  for (int step = 1; step <= 10; ++step) {
    grid->AddRunValue(0, 600 * step + 1, false);
    grid->AddRunValue(1, 600 * step - 2, false);
  }
  grid->ShowGrid();
  Press(IDC_CAL_GRID_ACTION);
  std::vector<BYTE> block;
  ASSERT_TRUE(GetClipboardData(CF_TEXT, block));
  const std::string expected =
      "601\t598\r\n1201\t1198\r\n1801\t1798\r\n2401\t2398\r\n3001\t2998\r\n"
      "3601\t3598\r\n4201\t4198\r\n4801\t4798\r\n5401\t5398\r\n6001\t5998\r\n";
  EXPECT_EQ(std::string(block.begin(), block.end()), expected + std::string(1, '\0'));
}

}  // namespace
