#include "tests/tools/GridPageFrame.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <utility>

#include "app/ChildView.h"
#include "platform/ui/SimulatedInput.h"
#include "views/TabSheet.h"

namespace {

// A row animation ends within this many paints.
constexpr int kMostPaints = 1000;

}  // namespace

CProjectFrame::CProjectFrame()
    : m_folder(std::filesystem::temp_directory_path() /
               ("zdtool-project-frame-" + std::to_string(std::random_device{}()))) {
  std::filesystem::create_directories(m_folder);
  m_app = std::make_unique<CVexaZedoApp>(CString::FromUtf8((m_folder / "zd-zedo").string()));
}

CProjectFrame::~CProjectFrame() {
  if (m_bStarted) m_app->ExitInstance();
  m_app.reset();
  std::error_code ignored;
  std::filesystem::remove_all(m_folder, ignored);
}

bool CProjectFrame::Open(const std::string& project, int width, int height) {
  m_app->SetCommandLine({CString::FromUtf8(project)});
  if (!m_app->InitInstance()) return false;
  m_bStarted = true;
  SizeClientArea(Frame(), width, height);
  Frame().GetChildView()->GetTabSheet()->SetActivePage(0);
  WaitForRows(Page().GetGrid());
  return true;
}

bool IsProjectFile(const std::string& path) {
  if (std::filesystem::is_regular_file(path)) return true;
  std::fprintf(stderr, "%s: no such project file\n", path.c_str());
  return false;
}

bool ParseIndexList(const std::string& text, std::vector<int>& list) {
  std::stringstream in(text);
  std::string item;
  while (std::getline(in, item, ',')) {
    char* end = nullptr;
    const long value = std::strtol(item.c_str(), &end, 10);
    if (item.empty() || *end || value < 0) return false;
    list.push_back(int(value));
  }
  return true;
}

bool ParseWindowSize(const std::string& text, int& width, int& height) {
  return std::sscanf(text.c_str(), "%dx%d", &width, &height) == 2 && width > 0 && height > 0;
}

void SizeClientArea(CMainFrame& frame, int width, int height) {
  CRect window, client;
  frame.GetWindowRect(window);
  frame.GetClientRect(client);
  frame.MoveWindow(0, 0, width + window.Width() - client.Width(), height + window.Height() - client.Height());
  PumpMessages();
}

void WaitForRows(CCellGrid& grid) {
  std::vector<int> last;
  for (int paint = 0; paint < kMostPaints; ++paint) {
    grid.RedrawWindow();
    PumpMessages();
    std::vector<int> heights;
    for (int row = 0; row < grid.GetRowCount(); ++row) heights.push_back(grid.GetRowHeight(row));
    if (heights == last) return;
    last = std::move(heights);
  }
}

void CtrlClick(CCellGrid& grid, int row, int col) {
  grid.EnsureVisible(row, col);
  CRect cell;
  if (!grid.GetCellRect(row, col, cell)) return;
  const CPoint at = cell.CenterPoint();
  SimulateMouse(&grid, SimulatedMouseAction::Press, VK_LBUTTON, at, MK_CONTROL, MK_LBUTTON | MK_CONTROL);
  SimulateMouse(&grid, SimulatedMouseAction::Release, VK_LBUTTON, at, MK_CONTROL, 0);
  PumpMessages();
}
