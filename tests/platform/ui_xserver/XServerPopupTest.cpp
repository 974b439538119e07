// Popups, focus and mouse capture on a real X server: the pointer and the keys come from the
// X server itself (through xdotool), so the toolkit's grabs and the server's focus take part.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Edit.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "tests/platform/ui_xserver/WaitForCondition.h"

namespace {

void RunXdotool(const std::string& arguments) {
  ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << "xdotool " << arguments;
}

std::string At(CPoint screen) { return std::to_string(screen.x) + " " + std::to_string(screen.y); }

// Records what a window hears of the mouse and of the capture; takes the capture on a press.
class CDragWnd : public CWnd {
 public:
  std::vector<LPARAM> captureChanges;
  std::vector<CPoint> moves;
  std::vector<CPoint> releases;
  bool capturedWhenTimerRan = true;
  bool menuOpenWhenTimerRan = false;

  bool Create(CWnd* parent, const CRect& rect) {
    return CWnd::Create(nullptr, u"drag", WS_CHILD | WS_VISIBLE, rect, parent, 2) != FALSE;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
      case WM_LBUTTONDOWN:
        SetCapture();
        break;
      case WM_MOUSEMOVE:
        moves.push_back(point);
        break;
      case WM_LBUTTONUP:
        releases.push_back(point);
        ReleaseCapture();
        break;
      case WM_CAPTURECHANGED:
        captureChanges.push_back(lParam);
        break;
      case WM_TIMER:
        // Runs inside the open popup menu, which the real Escape key then closes.
        KillTimer(wParam);
        capturedWhenTimerRan = GetCapture() != nullptr;
        menuOpenWhenTimerRan = SimulatePopupMenuKey(VK_DOWN);
        RunXdotool("key Escape");
        return 0;
      default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// A drop list as a grid shows one below a cell: a framed list of choices.
class CDropList : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, RGB(255, 255, 255));
    CBrush frame(RGB(0, 0, 0));
    dc.FrameRect(client, &frame);
    dc.FillSolidRect(CRect(1, 1, client.right - 1, 20), RGB(0, 120, 215));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    dc.TextOut(4, 3, CString(u"Steel"));
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(4, 22, CString(u"Aluminium"));
    dc.TextOut(4, 41, CString(u"Concrete"));
    return 0;
  }
};

class CFocusRecordingEdit : public CEdit {
 public:
  int focusLosses = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_KILLFOCUS) ++focusLosses;
    return CEdit::WindowProc(message, wParam, lParam);
  }
};

// A main window on the X server whose edit control is being typed into.
class MainWindowWithOpenEditOnXServer : public ::testing::Test {
 protected:
  CUiApplication application;
  CWnd frame;
  CFocusRecordingEdit edit;
  CDragWnd drag;

  void SetUp() override {
    ASSERT_TRUE(frame.Create(nullptr, u"main", WS_OVERLAPPEDWINDOW, CRect(20, 20, 420, 320), nullptr, 0));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 250, 34), &frame, 1001));
    ASSERT_TRUE(drag.Create(&frame, CRect(10, 60, 210, 160)));
    frame.ShowWindow(SW_SHOW);
    edit.SetFocus();
    ASSERT_TRUE(WaitFor([&] { return CWnd::GetActiveWindow() == &frame && CWnd::GetFocus() == &edit; }));
    edit.focusLosses = 0;
  }
  CPoint Screen(CWnd& wnd, CPoint client) {
    wnd.ClientToScreen(&client);
    return client;
  }
};

TEST_F(MainWindowWithOpenEditOnXServer, APopupShownWithoutActivationLeavesTheKeysToTheEdit) {
  // A topmost popup that is no tool window, so that the window system itself is asked to
  // leave the focus alone; the tip is a frameless tool window.
  CDropList popup;
  const CPoint corner = Screen(edit, CPoint(30, 20));
  ASSERT_TRUE(
      popup.CreateEx(WS_EX_TOPMOST, nullptr, nullptr, WS_POPUP, CRect(corner, CSize(160, 62)), &frame, 0));
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&frame));
  tip.AddTool(&drag, u"Drag to size the column");
  popup.ShowWindow(SW_SHOWNOACTIVATE);
  MSG over{&drag, WM_MOUSEMOVE, 0, MAKELPARAM(40, 20)};
  tip.RelayEvent(&over);
  PumpMessages(200);
  EXPECT_TRUE(popup.IsWindowVisible() && tip.IsWindowVisible());
  EXPECT_EQ(CWnd::GetActiveWindow(), &frame);
  EXPECT_EQ(CWnd::GetFocus(), &edit);
  EXPECT_EQ(edit.focusLosses, 0) << "the in-place edit was never interrupted";

  // The X server's keyboard focus is still the main window: typed keys reach the edit.
  RunXdotool("type zd");
  EXPECT_TRUE(WaitFor([&] { return edit.GetWindowTextString() == CString(u"zd"); }))
      << "the edit holds '" << edit.GetWindowTextString().ToUtf8() << "'";

  CRect shown;
  frame.GetWindowRect(shown);
  EXPECT_TRUE(SaveScreenImage(shown, u"popup-and-tip-over-edit.png"));
}

TEST_F(MainWindowWithOpenEditOnXServer, ADragGetsTheMouseAndTheReleaseOutsideItsWindow) {
  // A capture taken with no button down: moves outside every window of ours still arrive.
  drag.SetCapture();
  RunXdotool("mousemove 600 450");
  ASSERT_TRUE(WaitFor([&] { return !drag.moves.empty() && drag.moves.back() == CPoint(600 - 30, 450 - 80); }))
      << "moves outside arrive in the capturing window's client coordinates";
  ReleaseCapture();

  drag.moves.clear();
  const CPoint start = Screen(drag, CPoint(50, 50));
  RunXdotool("mousemove " + At(start) + " mousedown 1");
  ASSERT_TRUE(WaitFor([&] { return CWnd::GetCapture() == &drag; }));
  RunXdotool("mousemove 610 20 mouseup 1");
  ASSERT_TRUE(WaitFor([&] { return !drag.releases.empty(); }));
  EXPECT_EQ(drag.releases.front(), CPoint(610 - 30, 20 - 80));
  EXPECT_EQ(drag.captureChanges, (std::vector<LPARAM>{0, 0}));
}

TEST_F(MainWindowWithOpenEditOnXServer, OpeningAPopupMenuTakesTheCaptureFromTheWindow) {
  drag.SetCapture();
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 40, u"Insert row");
  AppendMenuW(menu, MF_STRING, 41, u"Delete row");
  drag.SetTimer(1, 50);
  const CPoint at = Screen(drag, CPoint(20, 20));
  const BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD, at.x, at.y, 0, &frame, nullptr);
  DestroyMenu(menu);
  EXPECT_EQ(chosen, 0) << "Escape closes the menu";
  EXPECT_TRUE(drag.menuOpenWhenTimerRan);
  EXPECT_FALSE(drag.capturedWhenTimerRan) << "the window lost the capture to the open menu";
  EXPECT_EQ(drag.captureChanges, (std::vector<LPARAM>{0}));
}

}  // namespace
