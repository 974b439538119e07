// zdtool cal-grid adjust|verify UNIT RUNS STEPS STEP [OUT.png] [--cell STEP,RUN,TEXT]... [--collect]:
// opens the calibration step grid as the procedure does (UNIT 0 N, 1 kN, 2 LBF). In a
// verification grid run r holds r - 2 + k x STEP at step k, as the run would have posted it.
// --cell types a text into a run cell; --collect presses the action button and prints
// collected=0|1, each run's loads in N (loads=RUN:L1,L2,...) and message= per box. Prints the
// grid's cells row by row (row=TEXT|TEXT|...) and writes the window's picture to OUT.png.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "calibration/GridDlg.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/ZdTool.h"

namespace {

constexpr const char* kCalGridUsage =
    "adjust|verify UNIT RUNS STEPS STEP [OUT.png] [--cell STEP,RUN,TEXT]... [--collect]";

struct STypedCell {
  int step = 0;
  int run = 0;
  std::string text;
};

bool ParseCell(const std::string& value, STypedCell& cell) {
  const std::size_t first = value.find(',');
  const std::size_t second = first == std::string::npos ? first : value.find(',', first + 1);
  if (second == std::string::npos) return false;
  cell.step = std::atoi(value.substr(0, first).c_str());
  cell.run = std::atoi(value.substr(first + 1, second - first - 1).c_str());
  cell.text = value.substr(second + 1);
  return cell.step >= 1 && cell.run >= 1;
}

void PrintCells(CGridDlg& grid) {
  CCellGridOrg& cells = grid.GetGrid();
  for (int row = 0; row < cells.GetRowCount(); ++row) {
    std::string line = "row=";
    for (int col = 0; col < cells.GetColumnCount(); ++col)
      line += (col ? "|" : "") + EscapedText(cells.GetCellText(row, col));
    std::printf("%s\n", line.c_str());
  }
}

int RunCalGrid(const std::vector<std::string>& args) {
  if (args.size() < 5 || (args[0] != "adjust" && args[0] != "verify")) {
    std::fprintf(stderr, "usage: zdtool cal-grid %s\n", kCalGridUsage);
    return 2;
  }
  const bool calMode = args[0] == "adjust";
  const int unit = std::atoi(args[1].c_str());
  const int runs = std::atoi(args[2].c_str());
  const int steps = std::atoi(args[3].c_str());
  const int step = std::atoi(args[4].c_str());
  std::string picture;
  std::vector<STypedCell> typed;
  bool collect = false;
  for (std::size_t i = 5; i < args.size(); ++i) {
    STypedCell cell;
    if (args[i] == "--collect") {
      collect = true;
    } else if (args[i] == "--cell" && i + 1 < args.size() && ParseCell(args[i + 1], cell)) {
      typed.push_back(cell);
      ++i;
    } else if (picture.empty() && args[i].rfind("--", 0) != 0) {
      picture = args[i];
    } else {
      std::fprintf(stderr, "usage: zdtool cal-grid %s\n", kCalGridUsage);
      return 2;
    }
  }
  if (runs < 1 || runs > CGridDlg::kMaxRuns || steps < 1) {
    std::fprintf(stderr, "RUNS must lie within 1 to %d and STEPS be at least 1.\n", CGridDlg::kMaxRuns);
    return 2;
  }
  CUiApplication application;
  RegisterProgramResources(nullptr);
  CScriptedAnswers answers;
  CWnd owner;
  owner.CreateEx(0, nullptr, u"zdtool cal-grid", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0);
  CGridDlg grid(&owner);
  grid.Init(true, calMode, unit, runs, steps, step);
  for (int run = 0; run < runs && !calMode; ++run)
    for (int k = 1; k <= steps; ++k) grid.AddRunValue(run, run - 1 + k * step, false);
  grid.ShowGrid();
  for (const STypedCell& cell : typed)
    grid.GetGrid().SetCellText(cell.step, CGridDlg::kFixedColumns + cell.run - 1, CString::FromUtf8(cell.text));
  int result = 0;
  if (!picture.empty() && !SaveWindowImage(&grid, CString::FromUtf8(picture))) {
    std::fprintf(stderr, "%s could not be written.\n", picture.c_str());
    result = 1;
  }
  PrintCells(grid);
  if (collect) {
    grid.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CAL_GRID_ACTION, BN_CLICKED), 0);
    std::printf("collected=%d\n", grid.IsCollected() ? 1 : 0);
    for (int run = 0; run < grid.GetCollectedRuns(); ++run) {
      std::string loads;
      for (int load : grid.GetRunValues(run)) loads += (loads.empty() ? "" : ",") + std::to_string(load);
      std::printf("loads=%d:%s\n", run + 1, loads.c_str());
    }
    for (const auto& box : answers.GetMessageBoxes()) std::printf("message=%s\n", EscapedText(box.text).c_str());
  }
  grid.DestroyWindow();
  owner.DestroyWindow();
  return result;
}

const ZdCommandRegistrar kCalGrid({"cal-grid", kCalGridUsage, &RunCalGrid});

}  // namespace
