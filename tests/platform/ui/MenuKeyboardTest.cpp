// The menu bar and its popups worked from the keyboard alone: the keys arrive as the window
// system delivers them (to the open popup, else to the focus window), so that the way from the
// focus window's default processing to the frame's menu bar takes part.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/gdi/BitmapPng.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Edit.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MenuBarWnd.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UserAnswers.h"
#include "platform/ui/WindowImage.h"
#include "tests/platform/gdi/BitmapPixel.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/ui/KeyTypist.h"

namespace {

constexpr UINT kOpen = 101, kClose = 102, kPrint = 103, kPicture = 111, kText = 112;
constexpr UINT kCopy = 201, kCut = 202, kPaste = 203, kAbout = 301;
constexpr UINT kEditId = 1001;

// A frame that records the commands it gets; every entry stays enabled as built.
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

// The user at the keyboard: each popup menu shows and follows the keys typed into it.
class CUserAtKeyboard : public CUserAnswerSink {
 public:
  CUserAtKeyboard() : m_previous(SetUserAnswerSink(this)) {}
  ~CUserAtKeyboard() override { SetUserAnswerSink(m_previous); }
  int OnMessageBox(const SMessageBoxRequest& request) override {
    ADD_FAILURE() << "a message box: " << request.text.ToUtf8();
    return IDCANCEL;
  }

 private:
  CUserAnswerSink* m_previous;
};

class FrameWithMenuBar : public ::testing::Test {
 protected:
  CUiApplication application;
  CUserAtKeyboard user;
  CRecordingFrame frame;
  CEdit edit;
  HMENU file = nullptr, exportMenu = nullptr, editMenu = nullptr, help = nullptr;
  // What each look saw: the selected bar entry, then each open popup with its selected item.
  std::vector<std::string> looks;
  const SKeyStroke kLook{0, 0, [this] { looks.push_back(Look()); }};

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
    AppendMenuW(editMenu, MF_STRING, kCut, u"&Cut");
    AppendMenuW(editMenu, MF_STRING, kPaste, u"&Paste");
    help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kAbout, u"&About");
    bar.AppendMenu(MF_POPUP, UINT_PTR(file), u"&File");
    bar.AppendMenu(MF_POPUP, UINT_PTR(editMenu), u"&Edit");
    bar.AppendMenu(MF_POPUP, UINT_PTR(help), u"&Help");
    frame.SetMenu(&bar);
    frame.MoveWindow(40, 40, 400, 300);
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 200, 64), &frame, kEditId));
    frame.ShowWindow(SW_SHOW);
    edit.SetFocus();
    PumpMessages();
  }

  CMenuBarWnd& Bar() { return *frame.GetMenuBar(); }

  std::string Name(HMENU menu) const {
    const std::map<HMENU, std::string> names{
        {file, "File"}, {exportMenu, "Export"}, {editMenu, "Edit"}, {help, "Help"}};
    auto found = names.find(menu);
    return found == names.end() ? "?" : found->second;
  }

  std::string Look() {
    std::string seen = Bar().IsSelected() ? "bar:" + std::to_string(Bar().GetHighlightedItem()) : "";
    for (const SOpenPopupMenu& popup : GetOpenPopupMenus())
      seen += (seen.empty() ? "" : " ") + Name(popup.menu) + ":" + std::to_string(popup.selected);
    return seen;
  }

  void Type(std::vector<SKeyStroke> strokes) {
    EXPECT_TRUE(TypeKeyStrokes(std::move(strokes))) << "the menus are still open: " << Look();
  }
};

TEST_F(FrameWithMenuBar, AltOrF10AloneSelectsTheBarWhichTakesTheKeysUntilLeft) {
  for (UINT key : {VK_MENU, VK_F10}) {
    SCOPED_TRACE(key == VK_MENU ? "Alt" : "F10");
    SimulateKeyStroke(key);
    EXPECT_TRUE(Bar().IsSelected());
    EXPECT_EQ(Bar().GetHighlightedItem(), 0) << "the first entry is highlighted";
    SimulateKeyStroke(VK_RIGHT);
    EXPECT_EQ(Bar().GetHighlightedItem(), 1);
    SimulateKeyStroke(VK_RIGHT);
    SimulateKeyStroke(VK_RIGHT);
    EXPECT_EQ(Bar().GetHighlightedItem(), 0) << "Right from the last entry wraps to the first";
    SimulateKeyStroke(VK_LEFT);
    EXPECT_EQ(Bar().GetHighlightedItem(), 2) << "Left from the first entry wraps to the last";
    SimulateKeyStroke('X');
    EXPECT_EQ(edit.GetWindowTextString(), CString()) << "the selected bar takes the keys";
    EXPECT_EQ(CWnd::GetFocus(), &edit) << "the focus stays where it was";
    // The same key again leaves the bar, as Escape does.
    SimulateKeyStroke(key);
    EXPECT_FALSE(Bar().IsSelected());
    EXPECT_EQ(Bar().GetHighlightedItem(), -1);
    SimulateKeyStroke(key);
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_FALSE(Bar().IsSelected());
    SimulateKeyStroke('X');
    EXPECT_EQ(edit.GetWindowTextString(), CString(u"x")) << "keys reach the edit again";
    edit.SetWindowText(u"");
  }
  EXPECT_TRUE(frame.commands.empty());
}

TEST_F(FrameWithMenuBar, AnotherKeyOrAClickOrADialogLeavesTheBarAlone) {
  // Alt, Shift down and up, Alt up: a change of keyboard layout, not the menu.
  SimulateKey(&edit, VK_MENU, true, CString());
  SimulateKey(&edit, VK_SHIFT, true, CString(), SIMULATED_ALT);
  SimulateKey(&edit, VK_SHIFT, false, CString(), SIMULATED_ALT | MK_SHIFT);
  SimulateKey(&edit, VK_MENU, false, CString(), SIMULATED_ALT);
  EXPECT_FALSE(Bar().IsSelected());
  // Alt held through a click.
  SimulateKey(&edit, VK_MENU, true, CString());
  SimulateClick(&edit, CPoint(5, 5));
  SimulateKey(&edit, VK_MENU, false, CString(), SIMULATED_ALT);
  EXPECT_FALSE(Bar().IsSelected());
  // Shift+F10 is no way to the menu bar.
  SimulateKeyStroke(VK_F10, MK_SHIFT);
  EXPECT_FALSE(Bar().IsSelected());
  // A click anywhere leaves the selected bar.
  SimulateKeyStroke(VK_MENU);
  ASSERT_TRUE(Bar().IsSelected());
  SimulateClick(&edit, CPoint(5, 5));
  EXPECT_FALSE(Bar().IsSelected());
  // So does a dialog that came up over the frame meanwhile: the next key is the dialog's.
  SimulateKeyStroke(VK_MENU);
  ASSERT_TRUE(Bar().IsSelected());
  frame.EnableWindow(FALSE);
  SimulateKeyStroke(VK_RIGHT);
  EXPECT_FALSE(Bar().IsSelected());
  EXPECT_EQ(Bar().GetHighlightedItem(), -1);
  frame.EnableWindow(TRUE);
}

TEST_F(FrameWithMenuBar, ArrowsAndReturnReachAndRunAnItemOfASubmenu) {
  Type({KeyStroke('F', SIMULATED_ALT), kLook,  // File opens with its first item selected
        KeyStroke(VK_DOWN), kLook,             // a grayed item is selected, as on the platform
        KeyStroke(VK_DOWN), kLook,             // the separator is passed over
        KeyStroke(VK_RIGHT), kLook,            // Right opens the submenu, its first item selected
        KeyStroke(VK_LEFT), kLook,             // Left closes it again
        KeyStroke(VK_RIGHT), KeyStroke(VK_DOWN), kLook, KeyStroke(VK_UP), kLook, KeyStroke(VK_RETURN),
        kLook});
  EXPECT_EQ(looks, (std::vector<std::string>{"File:0", "File:1", "File:3", "File:3 Export:0", "File:3",
                                             "File:3 Export:1", "File:3 Export:0", ""}));
  EXPECT_EQ(frame.commands, (std::vector<UINT>{kPicture}));
  EXPECT_FALSE(Bar().IsSelected());
  EXPECT_EQ(Bar().GetHighlightedItem(), -1);
  EXPECT_EQ(CWnd::GetFocus(), &edit);
  EXPECT_EQ(edit.GetWindowTextString(), CString()) << "no key of the menus reached the edit";
}

TEST_F(FrameWithMenuBar, MnemonicLettersChooseItemsAndOpenSubmenus) {
  struct SCase {
    const char* what;
    std::vector<SKeyStroke> strokes;
    std::vector<std::string> looks;
    std::vector<UINT> commands;
  };
  const std::vector<SCase> cases = {
      {"Alt+F, E, P",
       {KeyStroke('F', SIMULATED_ALT), KeyStroke('E'), kLook, KeyStroke('P')},
       {"File:3 Export:0"},
       {kPicture}},
      {"Alt+F, E, T in capitals",
       {KeyStroke('F', SIMULATED_ALT), KeyStroke('E', MK_SHIFT), KeyStroke('T', MK_SHIFT)},
       {},
       {kText}},
      {"Alt, then E on the selected bar",
       {KeyStroke(VK_MENU), kLook, KeyStroke('E'), kLook, KeyStroke('P')},
       {"bar:0", "Edit:0"},
       {kPaste}},
      {"a grayed item's letter or Return only selects it",
       {KeyStroke('F', SIMULATED_ALT), KeyStroke('C'), kLook, KeyStroke(VK_RETURN), kLook,
        KeyStroke(VK_ESCAPE), KeyStroke(VK_ESCAPE)},
       {"File:1", "File:1"},
       {}},
      {"Alt+F, O", {KeyStroke('F', SIMULATED_ALT), KeyStroke('O')}, {}, {kOpen}},
      {"a letter two items share selects each in turn",
       {KeyStroke('E', SIMULATED_ALT), KeyStroke('C'), kLook, KeyStroke('C'), kLook, KeyStroke('C'),
        KeyStroke(VK_RETURN)},
       {"Edit:1", "Edit:0"},
       {kCut}},
      {"a letter no item has does nothing",
       {KeyStroke('H', SIMULATED_ALT), KeyStroke('Z'), kLook, KeyStroke('A')},
       {"Help:0"},
       {kAbout}},
      {"Alt with a letter no entry has opens nothing", {KeyStroke('Z', SIMULATED_ALT), kLook}, {""}, {}},
  };
  for (const SCase& test : cases) {
    SCOPED_TRACE(test.what);
    looks.clear();
    frame.commands.clear();
    Type(test.strokes);
    PumpMessages();
    EXPECT_EQ(looks, test.looks);
    EXPECT_EQ(frame.commands, test.commands);
    EXPECT_EQ(Look(), "") << "every menu is closed";
  }
  EXPECT_EQ(edit.GetWindowTextString(), CString()) << "no letter reached the edit";
}

TEST_F(FrameWithMenuBar, LeftAndRightMoveBetweenTheBarsMenus) {
  Type({KeyStroke('F', SIMULATED_ALT), KeyStroke(VK_LEFT), kLook,  // from the first menu to the last
        KeyStroke(VK_RIGHT), kLook,                                // Right on an item without a submenu
        KeyStroke(VK_DOWN), KeyStroke(VK_DOWN), KeyStroke(VK_RIGHT), kLook,  // into Export
        KeyStroke(VK_RIGHT), kLook,  // Right on a submenu's item: the next menu of the bar
        KeyStroke(VK_ESCAPE), kLook, KeyStroke(VK_ESCAPE), kLook});
  EXPECT_EQ(looks, (std::vector<std::string>{"Help:0", "File:0", "File:3 Export:0", "Edit:0", "bar:1", ""}));
  EXPECT_TRUE(frame.commands.empty());
}

TEST_F(FrameWithMenuBar, EscapeStepsBackOneLevelAndAltClosesEveryMenu) {
  Type({KeyStroke('F', SIMULATED_ALT), KeyStroke('E'), kLook, KeyStroke(VK_ESCAPE), kLook,
        KeyStroke(VK_ESCAPE), kLook, KeyStroke(VK_ESCAPE), kLook});
  EXPECT_EQ(looks, (std::vector<std::string>{"File:3 Export:0", "File:3", "bar:0", ""}));
  looks.clear();
  for (UINT key : {VK_MENU, VK_F10}) {
    Type({KeyStroke('F', SIMULATED_ALT), KeyStroke('E'), KeyStroke(key), kLook});
  }
  EXPECT_EQ(looks, (std::vector<std::string>{"", ""})) << "Alt and F10 close submenu, popup and bar at once";
  EXPECT_TRUE(frame.commands.empty());
}

TEST_F(FrameWithMenuBar, APopupOpenedByTheMouseFollowsTheKeysToo) {
  const SKeyStroke click{0, 0, [this] { SimulateClick(&Bar(), Bar().GetItemRect(1).CenterPoint()); }};
  Type({click, kLook, KeyStroke(VK_DOWN), KeyStroke(VK_RIGHT), kLook, KeyStroke(VK_RETURN)});
  EXPECT_EQ(looks, (std::vector<std::string>{"Edit:-1", "Help:0"})) << "nothing selected until a key moves";
  EXPECT_EQ(frame.commands, (std::vector<UINT>{kAbout}));
}

TEST_F(FrameWithMenuBar, AContextMenuKeepsLeftAndRightForItsSubmenus) {
  UINT chosen = 0;
  const SKeyStroke track{0, 0,
                         [&] { chosen = TrackPopupMenu(file, TPM_RETURNCMD, 100, 100, 0, &frame, nullptr); }};
  Type({track, KeyStroke(VK_RIGHT), KeyStroke(VK_LEFT), kLook,  // no menu bar to move along
        KeyStroke(VK_DOWN), KeyStroke(VK_DOWN), KeyStroke(VK_DOWN), KeyStroke(VK_RIGHT), kLook,
        KeyStroke(VK_LEFT), kLook, KeyStroke(VK_RETURN), KeyStroke(VK_DOWN), kLook, KeyStroke(VK_RETURN)});
  EXPECT_EQ(looks, (std::vector<std::string>{"File:-1", "File:3 Export:0", "File:3", "File:3 Export:1"}));
  EXPECT_EQ(chosen, kText);
  EXPECT_TRUE(frame.commands.empty()) << "the choice was returned, not sent";
  EXPECT_FALSE(Bar().IsSelected());
}

TEST_F(FrameWithMenuBar, TheSelectedBarAndTheOpenMenusArePainted) {
  const char* keep = std::getenv("ZD_SCREENSHOT_DIR");
  auto save = [&](const std::string& name, HBITMAP bitmap) {
    const std::string path = TestPath(name);
    EXPECT_TRUE(SaveBitmapAsPng(bitmap, CString::FromUtf8(path)));
    DeleteObject(bitmap);
    if (keep)
      std::filesystem::copy_file(path, std::string(keep) + "/" + name,
                                 std::filesystem::copy_options::overwrite_existing);
  };
  // The bar's picture and each open popup's, as the screen shows them.
  auto picture = [&](const std::string& name) {
    return SKeyStroke{0, 0, [&, name] {
                        PumpMessages();
                        save(name + "-frame.png", CopyWindowImage(&frame));
                        for (const SOpenPopupMenu& popup : GetOpenPopupMenus())
                          save(name + "-" + Name(popup.menu) + ".png",
                               RenderPopupMenu(popup.menu, &frame, popup.selected).bitmap);
                      }};
  };
  SimulateKeyStroke(VK_MENU);
  PumpMessages();
  // The selected entry is drawn in the highlight colour, the others on the menu colour.
  HBITMAP shown = CopyWindowImage(&Bar());
  ASSERT_NE(shown, nullptr);
  const CRect first = Bar().GetItemRect(0);
  const CRect second = Bar().GetItemRect(1);
  EXPECT_EQ(BitmapPixel(shown, first.left + 1, first.top + 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(BitmapPixel(shown, second.left + 1, second.top + 1), GetSysColor(COLOR_MENU));
  DeleteObject(shown);
  Type({picture("keyboard-bar"), KeyStroke(VK_ESCAPE), KeyStroke('F', SIMULATED_ALT), KeyStroke('E'),
        picture("keyboard-export"), KeyStroke(VK_ESCAPE), KeyStroke(VK_ESCAPE), KeyStroke(VK_ESCAPE)});
  EXPECT_EQ(Look(), "");
}

}  // namespace
