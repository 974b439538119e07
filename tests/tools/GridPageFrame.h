#pragma once
// What the measurement-page subcommands share: their options' lists and sizes, the main
// frame's client area, the page's rows settled after their animations, and measurements chosen
// as Ctrl+clicks on their cells would.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/ChildView.h"
#include "app/MainFrame.h"
#include "app/VexaZedoApp.h"
#include "grid/CellGrid.h"
#include "views/TabGrid.h"

// The program's main frame off-screen with a project opened as from the command line, its
// client area sized, the measurement page active and its rows settled. The program lives in a
// temporary program folder of its own, removed at the end.
class CProjectFrame {
 public:
  CProjectFrame();
  ~CProjectFrame();
  CProjectFrame(const CProjectFrame&) = delete;
  CProjectFrame& operator=(const CProjectFrame&) = delete;

  // False when the program did not start.
  bool Open(const std::string& project, int width, int height);
  CMainFrame& Frame() { return *m_app->GetMainFrame(); }
  CTabGrid& Page() { return *Frame().GetChildView()->GetGridPage(); }

 private:
  std::filesystem::path m_folder;
  std::unique_ptr<CVexaZedoApp> m_app;
  bool m_bStarted = false;
};

// False, after saying so on stderr, when the path names no file.
bool IsProjectFile(const std::string& path);
// Comma-separated measurement indexes; false for anything else.
bool ParseIndexList(const std::string& text, std::vector<int>& list);
// "WxH" with both positive; false for anything else.
bool ParseWindowSize(const std::string& text, int& width, int& height);
// The frame's outer size for the wanted client size.
void SizeClientArea(CMainFrame& frame, int width, int height);
// Paints until the row heights stop changing.
void WaitForRows(CCellGrid& grid);
void CtrlClick(CCellGrid& grid, int row, int col);
