#include <chrono>
#include <thread>

#include "appbase/Registry.h"
#include "platform/gdi/BitmapPng.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/DropFiles.h"
#include "platform/ui/MenuBarWnd.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/WindowImage.h"
#include "resources/ResourceIds.h"
#include "tests/app/ShellFixture.h"
#include "tests/document/MeasFixtures.h"
#include "tests/support/ui/KeyTypist.h"

namespace {

struct SMenuEntry {
  CString popup;
  UINT id;
  CString text;
};

// The leaf entries of the menu bar in order, each with the top-level popup it lies in.
std::vector<SMenuEntry> LeafEntries(HMENU bar) {
  std::vector<SMenuEntry> entries;
  auto walk = [&](auto& self, HMENU menu, const CString& top) -> void {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      if (HMENU sub = GetSubMenu(menu, i)) {
        self(self, sub, top);
        continue;
      }
      const UINT id = GetMenuItemID(menu, i);
      if (id == 0) continue;
      CString text;
      GetMenuStringW(menu, UINT(i), text, MF_BYPOSITION);
      entries.push_back({top, id, text});
    }
  };
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    CString top;
    GetMenuStringW(bar, UINT(i), top, MF_BYPOSITION);
    if (HMENU sub = GetSubMenu(bar, i)) walk(walk, sub, top);
  }
  return entries;
}

bool IsGrayed(HMENU bar, UINT id) { return (GetMenuState(bar, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

// A saved project with two measurements.
std::string WriteProject(const std::string& name) {
  CZedoDoc doc;
  const auto raw = Concat({CRawRecord().Slot(1).Peak(5000), CRawRecord().Slot(2).Peak(6000)});
  const SMeasDeviceInfo device = DeviceBlock(16000);
  EXPECT_TRUE(doc.AddDownloadedData(raw.data(), raw.size(), &device));
  const std::string path = TestPath(name);
  EXPECT_TRUE(doc.SaveToPath(CString::FromUtf8(path)));
  return path;
}

TEST_F(ShellTest, TheMenuBarHoldsEveryEntryOfTheMainMenu) {
  Start();
  HMENU bar = Frame().GetMenu()->m_hMenu;
  std::vector<CString> tops;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    CString text;
    GetMenuStringW(bar, UINT(i), text, MF_BYPOSITION);
    tops.push_back(text);
  }
  EXPECT_EQ(tops, (std::vector<CString>{u"&File", u"&Device", u"&Edit", u"&Help"}));
  const std::vector<SMenuEntry> expected = {
      {u"&File", 57601, u"&Open project..."},
      {u"&File", 57602, u"&Close project"},
      {u"&File", 57603, u"&Save project"},
      {u"&File", 20, u"Save project &as..."},
      {u"&File", 5, u"Export measurements as graphic file(s)"},
      {u"&File", 16, u"Export measurements to CSV file(s)"},
      {u"&File", 33, u"&Print"},
      {u"&File", 1, u"Applica&tion settings"},
      {u"&File", 57665, u"E&xit"},
      {u"&Device", 11, u"&Download all measurement data from ZD-2"},
      {u"&Device", 9, u"Delete all measurement data on ZD-2"},
      {u"&Device", 35, u"&Update ZD-2 firmware"},
      {u"&Device", 28, u"&Live View"},
      {u"&Device", 2003, u"Calibrate adjustment"},
      {u"&Device", 2002, u"Calibration verification"},
      {u"&Device", 2004, u"Restore factory calibration"},
      {u"&Device", 2005, u"Restore last used calibration"},
      {u"&Device", 2008, u"Open calibration certificate template"},
      {u"&Device", 2009, u"Open calibration certificate example"},
      {u"&Edit", 15, u"Select &all\t(Ctrl+A)"},
      {u"&Edit", 4, u"&Copy\t(Ctrl+C)"},
      {u"&Edit", 32, u"&Paste\t(Ctrl+V)"},
      {u"&Edit", 14, u"&Delete\t(Delete)"},
      {u"&Help", 24, u"&Check for ZD-Zedo updates..."},
      {u"&Help", 57670, u"&Help ZD-Zedo"},
      {u"&Help", 2006, u"Help ZD-2 cali&bration"},
      {u"&Help", 27, u"Help &update ZD-2 firmware"},
      {u"&Help", 26, u"Product &Registration"},
      {u"&Help", 25, u"Customer &Feedback"},
      {u"&Help", 57664, u"&About ZD-Zedo..."},
  };
  const auto entries = LeafEntries(bar);
  ASSERT_EQ(entries.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(entries[i].popup, expected[i].popup) << "entry " << i;
    EXPECT_EQ(entries[i].id, expected[i].id) << "entry " << i;
    EXPECT_EQ(entries[i].text, expected[i].text) << "entry " << i;
  }
}

TEST_F(ShellTest, CommandsThatCannotRunAreShownDisabledInAnEmptyProject) {
  Start();
  CMenu* bar = Frame().GetMenu();
  Frame().UpdateMenuEntries(bar);
  for (UINT id : {15u, 4u, 32u, 14u, 5u, 16u, 33u})
    EXPECT_TRUE(IsGrayed(bar->m_hMenu, id)) << "command " << id;
  for (UINT id : {57601u, 1u,    57665u, 57670u, 2006u, 27u, 57664u, 11u,   9u,    35u,
                  28u,    2008u, 2009u,  26u,    25u,   24u, 2004u,  2005u, 2003u, 2002u})
    EXPECT_FALSE(IsGrayed(bar->m_hMenu, id)) << "command " << id;
  // The project commands follow the project.
  for (UINT id : {57602u, 57603u, 20u}) EXPECT_TRUE(IsGrayed(bar->m_hMenu, id)) << "command " << id;
}

TEST_F(ShellTest, TheCommandLineOpensTheProjectAndTheTitleShowsItsPath) {
  const std::string path = WriteProject("site.jvd");
  Start({CString::FromUtf8(path)});
  EXPECT_EQ(Frame().GetDocument().GetCount(), 2);
  EXPECT_EQ(Frame().GetWindowTextString(), u"Jovant ZD-Zedo - " + CString::FromUtf8(path));
  CMenu* bar = Frame().GetMenu();
  Frame().UpdateMenuEntries(bar);
  EXPECT_FALSE(IsGrayed(bar->m_hMenu, 57602));
  EXPECT_FALSE(IsGrayed(bar->m_hMenu, 20));
  EXPECT_TRUE(IsGrayed(bar->m_hMenu, 57603)) << "save waits for the first change";
  Frame().GetDocument().SetModified();
  Frame().UpdateMenuEntries(bar);
  EXPECT_FALSE(IsGrayed(bar->m_hMenu, 57603));
}

TEST_F(ShellTest, ADroppedProjectFileOpensAndOtherFilesAreIgnored) {
  const std::string project = WriteProject("Project.JVD");
  const std::string text = TestPath("Project.txt");
  WriteText(text, "not a project");
  Start();
  SimulateDropFiles(&Frame(), {CString::FromUtf8(text)});
  PumpMessages();
  EXPECT_EQ(Frame().GetDocument().GetCount(), 0);
  SimulateDropFiles(&Frame(), {CString::FromUtf8(project), CString::FromUtf8(text)});
  PumpMessages();
  EXPECT_EQ(Frame().GetDocument().GetCount(), 2);
  EXPECT_EQ(Frame().GetWindowTextString(), u"Jovant ZD-Zedo - " + CString::FromUtf8(project));
}

TEST_F(ShellTest, ClosingAModifiedProjectAsksAndCancelKeepsTheWindow) {
  Start({CString::FromUtf8(WriteProject("site.jvd"))});
  Frame().GetDocument().SetModified();
  Frame().MoveWindow(40, 30, 700, 500);
  answers.AddMessageBoxAnswer(IDCANCEL);
  Frame().SendMessage(WM_CLOSE);
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Would you like to save changes in your Project?");
  EXPECT_EQ(boxes[0].type & MB_TYPEMASK, MB_YESNOCANCEL);
  EXPECT_TRUE(Frame().IsWindow()) << "Cancel keeps the window open";
  DWORD left = 0;
  EXPECT_TRUE(RegGetDword(kSettingsKey, u"MainFrmLeft", left)) << "the position is stored all the same";

  answers.AddMessageBoxAnswer(IDNO);
  Frame().SendMessage(WM_CLOSE);
  EXPECT_FALSE(Frame().IsWindow());
}

TEST_F(ShellTest, TheWindowPositionIsRestoredAtTheNextStartWithinTheScreen) {
  Start();
  Frame().MoveWindow(40, 30, 700, 500);
  CRect before;
  Frame().GetWindowRect(before);
  Frame().SendMessage(WM_CLOSE);
  app->ExitInstance();
  Start();
  CRect after;
  Frame().GetWindowRect(after);
  EXPECT_EQ(after, before);

  Frame().SendMessage(WM_CLOSE);
  app->ExitInstance();
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RegSetDword(kSettingsKey, u"MainFrmLeft", DWORD(screenWidth + 500));
  RegSetDword(kSettingsKey, u"MainFrmTop", DWORD(screenHeight + 400));
  RegSetDword(kSettingsKey, u"MainFrmRight", DWORD(screenWidth + 5000));
  RegSetDword(kSettingsKey, u"MainFrmBottom", DWORD(screenHeight + 5000));
  Start();
  Frame().GetWindowRect(after);
  EXPECT_LT(after.left, screenWidth);
  EXPECT_LT(after.top, screenHeight);
  EXPECT_LE(after.Width(), screenWidth);
  EXPECT_LE(after.Height(), screenHeight);
}

TEST_F(ShellTest, NewVersionsBuildTheNewVersionMenu) {
  Start();
  HMENU bar = Frame().GetMenu()->m_hMenu;
  const int plain = GetMenuItemCount(bar);
  Frame().SendMessage(WM_NEW_PROGRAM_VERSION, 0x00080001, 0x00000004);
  EXPECT_EQ(Frame().GetNewestProgramVersion().Format(4), u"1.8.4.0");
  ASSERT_EQ(GetMenuItemCount(bar), plain + 1);
  CString text;
  GetMenuStringW(bar, UINT(plain), text, MF_BYPOSITION);
  EXPECT_EQ(text, u"New version available!");
  HMENU popup = GetSubMenu(bar, plain);
  ASSERT_EQ(GetMenuItemCount(popup), 1);
  EXPECT_EQ(GetMenuItemID(popup, 0), 31u);
  GetMenuStringW(popup, 0, text, MF_BYPOSITION);
  EXPECT_EQ(text, u"Update ZD-Zedo to version 1.8.4");

  Frame().SendMessage(WM_NEW_FIRMWARE_VERSION, 0x00020001, 0x00070003);
  ASSERT_EQ(GetMenuItemCount(bar), plain + 1) << "one pop-up holds both entries";
  popup = GetSubMenu(bar, plain);
  ASSERT_EQ(GetMenuItemCount(popup), 2);
  EXPECT_EQ(GetMenuItemID(popup, 1), 35u);
  GetMenuStringW(popup, 1, text, MF_BYPOSITION);
  EXPECT_EQ(text, u"Update ZD-2 firmware to version 1.2.3");

  Frame().SendMessage(WM_NEW_PROGRAM_VERSION, 0, 0);
  Frame().SendMessage(WM_NEW_FIRMWARE_VERSION, 0, 0);
  EXPECT_EQ(GetMenuItemCount(bar), plain) << "nothing newer: no pop-up";
}

TEST_F(ShellTest, ProgressMessagesShowMoveAndHideTheProgressDialog) {
  Start();
  CProgressDlg& progress = Frame().GetProgressDlg();
  EXPECT_FALSE(progress.IsWindowVisible());
  Frame().PostMessage(WM_DOWNLOAD_PROGRESS, 77, kShowProgress);
  PumpMessages();
  EXPECT_TRUE(progress.IsWindowVisible());
  EXPECT_EQ(progress.GetPos(), 0) << "showing leaves the bar";
  Frame().OnProgress(42, 1, 0);
  PumpMessages();
  EXPECT_EQ(progress.GetPos(), 42);
  CString text;
  progress.GetDlgItemText(IDC_PROGRESS_TEXT, text);
  EXPECT_EQ(text, u"Please wait while downloading...");
  Frame().PostMessage(WM_DOWNLOAD_PROGRESS, 0, kHideProgress);
  PumpMessages();
  EXPECT_FALSE(progress.IsWindowVisible());
}

TEST_F(ShellTest, TheToolBarFollowsTheMainMenuOrderWithTheLogoAtItsRightEnd) {
  Start();
  CToolBarExt& toolBar = Frame().GetToolBar();
  std::vector<UINT> ids;
  for (int i = 0; i < toolBar.GetCount(); ++i) ids.push_back(toolBar.GetItemID(i));
  EXPECT_EQ(ids, (std::vector<UINT>{11, 35, 28, 0, 57601, 57603, 0, 5, 16, 33, 0, 57670}));
  std::vector<int> images;
  for (int i = 0; i < toolBar.GetCount(); ++i) images.push_back(toolBar.GetButtonImage(i));
  EXPECT_EQ(images, (std::vector<int>{0, 1, 2, -1, 3, 4, -1, 5, 6, 7, -1, 8}));
  CRect button;
  toolBar.GetItemRect(0, button);
  EXPECT_EQ(button.Width(), 39) << "32-pixel pictures";

  Frame().MoveWindow(0, 0, 900, 600);
  PumpMessages();
  CLogo& logo = Frame().GetLogo();
  ASSERT_TRUE(logo.IsWindow());
  EXPECT_TRUE(logo.IsWindowVisible());
  CRect dock;
  CRect logoRect;
  CRect barRect;
  Frame().GetDockBar()->GetWindowRect(dock);
  logo.GetWindowRect(logoRect);
  toolBar.GetWindowRect(barRect);
  EXPECT_EQ(logoRect.right, dock.right - GetSystemMetrics(SM_CXEDGE));
  EXPECT_LT(barRect.right, logoRect.left);
  EXPECT_EQ(Frame().GetStatusBar()->GetCount(), 3);
  EXPECT_EQ(Frame().GetStatusBar()->GetPaneText(0), u"Ready");
}

TEST_F(ShellTest, TheToolBarButtonsAreEnabledByTheirCommands) {
  Start();
  Frame().UpdateControlBars();
  CToolBarExt& toolBar = Frame().GetToolBar();
  EXPECT_TRUE(toolBar.IsButtonEnabled(toolBar.CommandToIndex(57601)));
  EXPECT_TRUE(toolBar.IsButtonEnabled(toolBar.CommandToIndex(57670)));
  for (UINT id : {11u, 35u, 28u})
    EXPECT_TRUE(toolBar.IsButtonEnabled(toolBar.CommandToIndex(id))) << "command " << id;
  for (UINT id : {57603u, 5u, 16u, 33u})
    EXPECT_FALSE(toolBar.IsButtonEnabled(toolBar.CommandToIndex(id))) << "command " << id;
}

TEST_F(ShellTest, HelpFilesOpenThroughTheDesktopOpener) {
  const std::string record = InstallRecordingOpener();
  WriteText(ProgramFolder() + "/ZD-Zedo_ENU.pdf", "%PDF-1.4\n");
  WriteText(ProgramFolder() + "/ZD-2_Calibration_ENU.pdf", "%PDF-1.4\n");
  Start();
  Frame().SendMessage(WM_COMMAND, ID_HELP_FINDER);
  Frame().SendMessage(WM_COMMAND, ID_HELP_CALIBRATION);
  std::string opened;
  for (int i = 0; i < 500 && opened.find("Calibration") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream file(record);
    opened.assign(std::istreambuf_iterator<char>(file), {});
  }
  EXPECT_NE(opened.find(ProgramFolder() + "/ZD-Zedo_ENU.pdf\n"), std::string::npos) << opened;
  EXPECT_NE(opened.find(ProgramFolder() + "/ZD-2_Calibration_ENU.pdf\n"), std::string::npos) << opened;
}

// A help file that is not there is named in a box with the path looked for; the opener, which
// would fail out of sight, is not run.
TEST_F(ShellTest, AMissingHelpFileIsReportedWithItsPath) {
  const std::string record = InstallRecordingOpener();
  Start();
  Frame().SendMessage(WM_COMMAND, ID_HELP_FINDER);
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  const CString path = CString::FromUtf8(ProgramFolder()) + u"/ZD-Zedo_ENU.pdf";
  EXPECT_EQ(boxes[0].text, u"The help file was not found:\n" + path);
  EXPECT_EQ(boxes[0].caption, u"Jovant ZD-Zedo");
  PumpMessages(200);
  EXPECT_FALSE(std::filesystem::exists(record));
}

TEST_F(ShellTest, TheMainWindowRendersWithMenuBarToolBarAndStatusBar) {
  Start();
  Frame().MoveWindow(0, 0, 900, 600);
  Frame().SendMessage(WM_NEW_PROGRAM_VERSION, 0x00080001, 0x00000004);
  PumpMessages();
  const std::string picture = TestPath("main-window.png");
  ASSERT_TRUE(SaveWindowImage(&Frame(), CString::FromUtf8(picture)));
  EXPECT_GT(std::filesystem::file_size(picture), 1000u);
  // The pictures are kept for a look when asked for.
  if (const char* keep = std::getenv("ZD_SCREENSHOT_DIR")) {
    std::filesystem::copy_file(picture, std::string(keep) + "/main-window.png",
                               std::filesystem::copy_options::overwrite_existing);
  }
  // Each pop-up of the menu bar as it opens, its entries updated first.
  HMENU bar = Frame().GetMenu()->m_hMenu;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    HMENU popup = GetSubMenu(bar, i);
    Frame().UpdateMenuEntries(CMenu::FromHandle(popup));
    SRenderedPopupMenu rendered = RenderPopupMenu(popup, &Frame(), -1);
    ASSERT_NE(rendered.bitmap, nullptr);
    EXPECT_EQ(int(rendered.items.size()), GetMenuItemCount(popup));
    const std::string name = TestPath("menu-" + std::to_string(i) + ".png");
    EXPECT_TRUE(SaveBitmapAsPng(rendered.bitmap, CString::FromUtf8(name)));
    DeleteObject(rendered.bitmap);
    if (const char* keep = std::getenv("ZD_SCREENSHOT_DIR"))
      std::filesystem::copy_file(name, std::string(keep) + "/menu-" + std::to_string(i) + ".png",
                                 std::filesystem::copy_options::overwrite_existing);
  }
  CMenuBarWnd* menuBar = Frame().GetMenuBar();
  ASSERT_NE(menuBar, nullptr);
  EXPECT_TRUE(menuBar->IsWindowVisible());
  CRect menuRect;
  CRect dockRect;
  CRect statusRect;
  menuBar->GetWindowRect(menuRect);
  Frame().GetDockBar()->GetWindowRect(dockRect);
  Frame().GetStatusBar()->GetWindowRect(statusRect);
  EXPECT_LE(menuRect.bottom, dockRect.top) << "menu bar above the tool bar";
  EXPECT_GT(statusRect.top, dockRect.bottom) << "status bar at the bottom";
}

}  // namespace

namespace {

TEST_F(ShellTest, AChosenMenuCommandReachesTheApplicationsAboutBox) {
  Start();
  CFileVersionInfo program;
  program.CreateFromModule(nullptr);
  CString version;
  version.Format(u"%d.%d", int(program.GetProductVersionPart(3)), int(program.GetProductVersionPart(2)));
  answers.AddPopupMenuAnswer(ID_APP_ABOUT);
  answers.AddModalDialogScript([&](CWnd& about) {
    CString text;
    about.GetDlgItemText(IDC_ABOUT_VERSION, text);
    EXPECT_EQ(text, version);
    about.GetDlgItemText(IDC_ABOUT_DESCRIPTION, text);
    EXPECT_EQ(text, u"ZD-Zedo");
    about.GetDlgItemText(IDC_ABOUT_COPYRIGHT, text);
    EXPECT_EQ(text, program.GetLegalCopyright());
  });
  CMenuBarWnd* menuBar = Frame().GetMenuBar();
  const CRect help = menuBar->GetItemRect(3);
  SimulateClick(menuBar, help.CenterPoint());
  PumpMessages();
  const auto popups = answers.GetPopupMenus();
  ASSERT_EQ(popups.size(), 1u);
  ASSERT_FALSE(popups[0].items.empty());
  EXPECT_EQ(popups[0].items[0].text, u"&Check for ZD-Zedo updates...");
  ASSERT_GE(popups[0].items.size(), 7u);
  EXPECT_EQ(popups[0].items[6].text, u"Product &Registration");
  const auto dialogs = answers.GetModalDialogs();
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].templateId, IDD_ABOUTBOX);
}

TEST_F(ShellTest, APopUpShowsItsEntriesAsUpdatedBeforeItOpens) {
  Start();
  answers.AddPopupMenuAnswer(0);
  SimulateClick(Frame().GetMenuBar(), Frame().GetMenuBar()->GetItemRect(2).CenterPoint());
  PumpMessages();
  const auto popups = answers.GetPopupMenus();
  ASSERT_EQ(popups.size(), 1u);
  ASSERT_FALSE(popups[0].items.empty());
  EXPECT_EQ(popups[0].items[0].text, u"Select &all\t(Ctrl+A)");
  EXPECT_TRUE(popups[0].items[0].state & MF_GRAYED) << "without a project there is nothing to select";
}

// The user at the keyboard: the menus show and follow the keys; the dialogs are scripted.
class CKeyboardUser : public CScriptedAnswers {
 public:
  UINT OnPopupMenu(const SPopupMenuRequest& request) override { return request.show(); }
};

TEST_F(ShellTest, ThePictureExportIsReachedFromTheKeyboardAlone) {
  Start({CString::FromUtf8(WriteProject("site.jvd"))});
  CKeyboardUser user;
  const std::vector<std::pair<const char*, std::vector<SKeyStroke>>> ways = {
      // Open project, then Close project, Save project (grayed), Save project as and Export.
      {"arrows",
       {KeyStroke('F', SIMULATED_ALT), KeyStroke(VK_DOWN), KeyStroke(VK_DOWN), KeyStroke(VK_DOWN),
        KeyStroke(VK_DOWN), KeyStroke(VK_RIGHT), KeyStroke(VK_RETURN)}},
      {"mnemonics", {KeyStroke('F', SIMULATED_ALT), KeyStroke('E'), KeyStroke(VK_RETURN)}},
      // Up from the first item wraps to Exit, then passes the separators to Export.
      {"Alt alone, then arrows",
       {KeyStroke(VK_MENU), KeyStroke(VK_DOWN), KeyStroke(VK_UP), KeyStroke(VK_UP), KeyStroke(VK_UP),
        KeyStroke(VK_UP), KeyStroke(VK_RIGHT), KeyStroke(VK_RETURN)}},
  };
  for (const auto& [way, strokes] : ways) {
    SCOPED_TRACE(way);
    const std::size_t shown = user.GetModalDialogs().size();
    EXPECT_TRUE(TypeKeyStrokes(strokes));
    PumpMessages();
    const auto dialogs = user.GetModalDialogs();
    ASSERT_EQ(dialogs.size(), shown + 1) << "the chosen command opened one dialog";
    EXPECT_EQ(dialogs.back().templateId, IDD_EXPORT_BMP);
    EXPECT_FALSE(Frame().GetMenuBar()->IsSelected());
  }
}

TEST_F(ShellTest, TheLogoGivesWayWhenTheWindowIsTooNarrowForIt) {
  Start();
  CLogo& logo = Frame().GetLogo();
  Frame().MoveWindow(0, 0, 300, 400);
  PumpMessages();
  EXPECT_FALSE(logo.IsWindowVisible());
  Frame().MoveWindow(0, 0, 900, 400);
  PumpMessages();
  EXPECT_TRUE(logo.IsWindowVisible());
}

}  // namespace
