// The menu bar worked from the keyboard on a real X server: the keys come from the X server
// itself (through xdotool) to the window that has its focus, and the popups' keyboard grabs
// take part.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/Edit.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MenuBarWnd.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "tests/platform/ui_xserver/WaitForCondition.h"

namespace {

constexpr UINT kOpen = 101, kClose = 102, kPrint = 103, kPicture = 111, kText = 112, kCopy = 201,
               kAbout = 301;

void XServerKeys(const std::string& arguments) {
  ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << "xdotool " << arguments;
}

class CRecordingFrame : public CFrameWnd {
 public:
  std::vector<UINT> commands;
  CRecordingFrame() { m_bAutoMenuEnable = false; }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam != 0) return CFrameWnd::OnCommand(wParam, lParam);  // a control's notification
    commands.push_back(UINT(LOWORD(DWORD(wParam))));
    return TRUE;
  }
};

// Watches the open menus from a timer, which runs inside the menus' own loops: when they
// show what the next step expects, the step's action (a picture, the next keys) runs.
class CMenuWatcher : public CWnd {
 public:
  struct SStep {
    std::string expected;
    std::function<void()> action;
  };
  std::function<std::string()> look;
  std::vector<SStep> steps;
  std::size_t done = 0;

  bool Start() {
    return CWnd::Create(nullptr, u"watcher", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0) && SetTimer(1, 20);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TIMER) return CWnd::WindowProc(message, wParam, lParam);
    if (done < steps.size() && look() == steps[done].expected) steps[done++].action();
    return 0;
  }
};

class FrameWithMenuBarOnXServer : public ::testing::Test {
 protected:
  CUiApplication application;
  CRecordingFrame frame;
  CEdit edit;
  HMENU file = nullptr, exportMenu = nullptr, editMenu = nullptr, help = nullptr;

  void SetUp() override {
    ASSERT_TRUE(frame.LoadFrame(0));
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kOpen, u"&Open project...");
    AppendMenuW(file, MF_STRING | MF_GRAYED, kClose, u"&Close project");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    exportMenu = CreatePopupMenu();
    AppendMenuW(exportMenu, MF_STRING, kPicture, u"as &picture");
    AppendMenuW(exportMenu, MF_STRING, kText, u"as &text");
    AppendMenuW(file, MF_POPUP, UINT_PTR(exportMenu), u"&Export");
    AppendMenuW(file, MF_STRING, kPrint, u"Prin&t\tCtrl+P");
    editMenu = CreatePopupMenu();
    AppendMenuW(editMenu, MF_STRING, kCopy, u"&Copy");
    help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kAbout, u"&About");
    bar.AppendMenu(MF_POPUP, UINT_PTR(file), u"&File");
    bar.AppendMenu(MF_POPUP, UINT_PTR(editMenu), u"&Edit");
    bar.AppendMenu(MF_POPUP, UINT_PTR(help), u"&Help");
    frame.SetMenu(&bar);
    frame.MoveWindow(20, 20, 400, 300);
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 200, 64), &frame, 1001));
    frame.ShowWindow(SW_SHOW);
    edit.SetFocus();
    ASSERT_TRUE(WaitFor([&] { return CWnd::GetActiveWindow() == &frame && CWnd::GetFocus() == &edit; }));
  }

  CMenuBarWnd& Bar() { return *frame.GetMenuBar(); }

  // The selected bar entry, then each open popup with its selected item.
  std::string Look() {
    const std::map<HMENU, std::string> names{
        {file, "File"}, {exportMenu, "Export"}, {editMenu, "Edit"}, {help, "Help"}};
    std::string seen = Bar().IsSelected() ? "bar:" + std::to_string(Bar().GetHighlightedItem()) : "";
    for (const SOpenPopupMenu& popup : GetOpenPopupMenus())
      seen += (seen.empty() ? "" : " ") + names.at(popup.menu) + ":" + std::to_string(popup.selected);
    return seen;
  }

  // The top-left part of the screen, where the frame and its menus are.
  static bool SavePicture(const char* name) {
    return SaveScreenImage(CRect(0, 0, 560, 360), CString::FromUtf8(name));
  }
};

TEST_F(FrameWithMenuBarOnXServer, AltAloneSelectsTheBarAndEscapeLeavesIt) {
  XServerKeys("key alt");
  ASSERT_TRUE(WaitFor([&] { return Look() == "bar:0"; })) << Look();
  EXPECT_TRUE(SavePicture("menu-bar-selected.png"));
  XServerKeys("key Right");
  EXPECT_TRUE(WaitFor([&] { return Look() == "bar:1"; })) << Look();
  // Down opens the highlighted entry's menu; Escape in it goes back to the selected bar.
  CMenuWatcher watcher;
  watcher.look = [&] { return Look(); };
  watcher.steps = {{"Edit:0", [] { XServerKeys("key Escape"); }}};
  ASSERT_TRUE(watcher.Start());
  XServerKeys("key Down");
  EXPECT_TRUE(WaitFor([&] { return watcher.done == 1 && Look() == "bar:1"; })) << Look();
  XServerKeys("key Escape");
  EXPECT_TRUE(WaitFor([&] { return Look().empty(); })) << Look();
  XServerKeys("type x");
  EXPECT_TRUE(WaitFor([&] { return edit.GetWindowTextString() == CString(u"x"); }))
      << "the keys reach the edit again";
  EXPECT_EQ(CWnd::GetFocus(), &edit);
}

TEST_F(FrameWithMenuBarOnXServer, AltFThenArrowsAndReturnRunAnItemOfASubmenu) {
  CMenuWatcher watcher;
  watcher.look = [&] { return Look(); };
  watcher.steps = {
      {"File:0", [] { XServerKeys("key Down Down"); }},
      {"File:3", [] { XServerKeys("key Right"); }},
      {"File:3 Export:0",
       [] {
         EXPECT_TRUE(SavePicture("menus-by-keyboard.png"));
         XServerKeys("key Return");
       }},
  };
  ASSERT_TRUE(watcher.Start());
  XServerKeys("key alt+f");
  EXPECT_TRUE(WaitFor([&] { return !frame.commands.empty() && Look().empty(); }))
      << "reached " << watcher.done << " of the steps; the menus show '" << Look() << "'";
  EXPECT_EQ(frame.commands, (std::vector<UINT>{kPicture}));

  // The same by the mnemonics, typed in one go.
  frame.commands.clear();
  XServerKeys("key --delay 30 alt+f e t");
  EXPECT_TRUE(WaitFor([&] { return !frame.commands.empty() && Look().empty(); })) << Look();
  EXPECT_EQ(frame.commands, (std::vector<UINT>{kText}));
  EXPECT_EQ(CWnd::GetFocus(), &edit) << "the menus left the focus where it was";
  EXPECT_EQ(edit.GetWindowTextString(), CString()) << "no key of the menus reached the edit";
}

}  // namespace
