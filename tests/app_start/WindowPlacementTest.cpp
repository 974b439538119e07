// The program's top-level windows on a real X server under a window manager (Xvfb at
// 1280 x 900 with twm): the main frame at its default size, every dialog the program makes from
// its templates centred on it, and the windows that place themselves (Live View and its plot,
// the calibration dialog and its step grid, the restore-calibration dialog). Each must open
// with its whole frame on the screen and its title bar visible: once with nothing stored, once
// with every stored window position at (-500, -500). With ZD_WINDOW_PICTURES naming a folder,
// the screen is kept there as an xwd picture after each window is checked.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "appbase/Registry.h"
#include "calibration/GridDlg.h"
#include "calibration/MeasDlg.h"
#include "calibration/MeasPlotDlg.h"
#include "calibration/RestoreCalDlg.h"
#include "calibration/TestStepDlg.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/registry/RegistryStore.h"
#include "resources/ResourceIds.h"
#include "tests/app/ShellFixture.h"
#include "tests/platform/ui_xserver/WaitForCondition.h"
#include "views/ExportBmpDialog.h"
#include "views/ExportCsvDialog.h"

namespace {

// The windows that keep their position in the settings, and the size each stores.
constexpr struct {
  const char16_t* name;
  int width, height;
} kStoredWindows[] = {{u"MainFrm", 640, 600},     {u"MeasDlg", 616, 290},     {u"PlotDlg", 640, 600},
                      {u"TestStepDlg", 510, 474}, {u"CalGridDlg", 630, 425}, {u"RestoreCalDlg", 430, 266}};

CPoint ClientCorner(const CWnd& wnd) {
  CPoint corner(0, 0);
  wnd.ClientToScreen(&corner);
  return corner;
}

void KeepPicture(const std::string& name) {
  const char* folder = std::getenv("ZD_WINDOW_PICTURES");
  if (!folder || !*folder) return;
  // The windows just shown paint first.
  PumpMessages(500);
  const std::string command = "xwd -root -silent -out '" + std::string(folder) + "/" + name + ".xwd'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

// The window's frame as the window manager drew it: its corner is the window rectangle's, its
// borders are as wide right and below as left of the client area.
CRect FrameOf(const CWnd& window) {
  CRect rect, client;
  window.GetWindowRect(rect);
  window.GetClientRect(client);
  const CPoint corner = ClientCorner(window);
  const int border = corner.x - rect.left;
  return CRect(rect.TopLeft(), CPoint(corner.x + client.Width() + border, corner.y + client.Height() + border));
}

// Waits until the window manager has framed the window, a title bar above its client area, and
// checks that the frame lies wholly on the screen; returns the frame.
CRect ExpectFramedOnTheScreen(const CWnd& window, const std::string& what) {
  CRect rect;
  const bool framed = WaitFor([&] {
    window.GetWindowRect(rect);
    return ClientCorner(window).y > rect.top;
  });
  EXPECT_TRUE(framed) << what << ": no title bar above the client area at " << ClientCorner(window).y;
  const CRect frame = FrameOf(window);
  const RECT screen = GetScreenRect();
  EXPECT_TRUE(frame.left >= screen.left && frame.top >= screen.top && frame.right <= screen.right &&
              frame.bottom <= screen.bottom)
      << what << ": the frame " << frame.left << "," << frame.top << " - " << frame.right << "," << frame.bottom
      << " leaves the " << screen.right << " x " << screen.bottom << " screen";
  std::printf("%s: frame %d,%d - %d,%d, client at %d,%d\n", what.c_str(), frame.left, frame.top, frame.right,
              frame.bottom, ClientCorner(window).x, ClientCorner(window).y);
  return frame;
}

class WindowPlacement : public ShellTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) StorePositionsOffTheScreen();
    Start();
    Frame().ShowWindow(SW_SHOW);
    mainFrame = ExpectFramedOnTheScreen(Frame(), "main frame");
  }
  // Each stored window at (-500, -500) at its size.
  static void StorePositionsOffTheScreen() {
    for (const auto& window : kStoredWindows) {
      const CString name(window.name);
      RegSetDword(kSettingsKey, name + u"Left", DWORD(-500));
      RegSetDword(kSettingsKey, name + u"Top", DWORD(-500));
      RegSetDword(kSettingsKey, name + u"Right", DWORD(-500 + window.width));
      RegSetDword(kSettingsKey, name + u"Bottom", DWORD(-500 + window.height));
    }
  }
  std::string Name(const std::string& what) const { return what + (GetParam() ? "-stored-off-screen" : ""); }
  // Runs the dialog modally; while it is up, checks its frame and keeps a picture.
  void CheckModal(CDialog& dialog, const std::string& what) {
    answers.AddModalDialogScript([&](CWnd& shown) {
      ExpectFramedOnTheScreen(shown, Name(what));
      KeepPicture(Name(what));
    });
    dialog.DoModal();
  }

  CRect mainFrame;
};

TEST_P(WindowPlacement, EveryDialogTemplateOpensOnTheScreenCentredOnTheMainFrame) {
  KeepPicture(Name("main-frame"));
  for (UINT id : {IDD_ABOUTBOX, IDD_APP_SETTINGS, IDD_COMMENT, IDD_DATETIME, IDD_EXPORT_BMP, IDD_EXPORT_CSV, IDD_MEAS,
                  IDD_MEAS_PLOT, IDD_PROGRESS, IDD_CAL_GRID, IDD_TEST_STEP, IDD_RESTORE_CALIBRATION,
                  IDD_REMOTE_LOGIN, IDD_SERVER_LOGIN, IDD_UPDATE_WIZARD}) {
    CDialog dialog(id, &Frame());
    CheckModal(dialog, "dialog-" + std::to_string(id));
  }
  // The export dialogs, the widest, as they open with their options.
  CExportBmpDialog picture(true, &Frame());
  CheckModal(picture, "export-as-graphic");
  CExportCsvDialog text(true, &Frame());
  CheckModal(text, "export-to-csv");
}

// Live View opens where it was last (or at the top left) and tries to connect, which runs the
// connection wizard; its plot window then opens beside it, clear of its buttons.
TEST_P(WindowPlacement, LiveViewAndItsPlotOpenOnTheScreenSideBySide) {
  answers.AddModalDialogScript([&](CWnd& wizard) {
    ExpectFramedOnTheScreen(wizard, Name("connection-wizard"));
    KeepPicture(Name("connection-wizard"));
  });
  answers.AddModalDialogScript([&](CWnd& shown) {
    const CRect dialog = ExpectFramedOnTheScreen(shown, Name("live-view"));
    CMeasPlotDlg plot(1, &shown);
    plot.StartTest(u"Waiting for a test to start", false, 500, STestSettings(), true);
    const CRect placed = ExpectFramedOnTheScreen(plot, Name("live-view-plot"));
    CRect shared;
    EXPECT_FALSE(shared.IntersectRect(dialog, placed))
        << "the plot window covers the Live View dialog from " << shared.left << "," << shared.top << " to "
        << shared.right << "," << shared.bottom;
    KeepPicture(Name("live-view"));
  });
  CMeasDlg live(nullptr, &Frame());
  live.DoModal();
}

TEST_P(WindowPlacement, TheCalibrationDialogsOpenOnTheScreen) {
  answers.AddModalDialogScript([&](CWnd& shown) {
    ExpectFramedOnTheScreen(shown, Name("calibration-adjustment"));
    CGridDlg grid(&shown);
    grid.Init(true, true, 0, 2, 6, 2500);
    grid.ShowGrid();
    ExpectFramedOnTheScreen(grid, Name("calibration-step-grid"));
    KeepPicture(Name("calibration-adjustment"));
    grid.DestroyWindow();
  });
  CTestStepDlg(true, false, &Frame().GetCalibrationDocument(), &Frame()).DoModal();
  CRestoreCalDlg restore(true, &Frame().GetCalibrationDocument(), &Frame());
  CheckModal(restore, "restore-calibration");
}

INSTANTIATE_TEST_SUITE_P(Stored, WindowPlacement, ::testing::Bool(), [](const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "AtMinus500" : "Nothing";
});

}  // namespace
