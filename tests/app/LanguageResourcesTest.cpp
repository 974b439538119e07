#include "app/AboutDlg.h"
#include "appbase/Registry.h"
#include "document/CommentDlg.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/ComboBox.h"
#include "resources/ResourceIds.h"
#include "tests/app/LanguageModuleFixture.h"
#include "tests/app/ShellFixture.h"

namespace {

struct SMenuText {
  int level;  // 0 for the bar, 1 for the entries of its popups
  UINT id;    // 0 for popups and separators
  CString text;
};

// Every entry of the menu bar and its popups, depth first.
std::vector<SMenuText> MenuTexts(HMENU bar) {
  std::vector<SMenuText> texts;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    CString top;
    GetMenuStringW(bar, UINT(i), top, MF_BYPOSITION);
    texts.push_back({0, 0, top});
    HMENU popup = GetSubMenu(bar, i);
    for (int k = 0; popup && k < GetMenuItemCount(popup); ++k) {
      CString text;
      GetMenuStringW(popup, UINT(k), text, MF_BYPOSITION);
      texts.push_back({1, GetMenuItemID(popup, k), text});
    }
  }
  return texts;
}

bool operator==(const SMenuText& a, const SMenuText& b) {
  return a.level == b.level && a.id == b.id && a.text == b.text;
}

void PrintTo(const SMenuText& entry, std::ostream* out) {
  *out << entry.level << " " << entry.id << " \"" << entry.text.ToUtf8() << "\"";
}

const std::vector<SMenuText> kTranslatedMenu = {
    {0, 0, u"&Datei"},
    {1, 57601, u"Projekt \u00F6&ffnen..."},
    {1, 1, u"&Einstellungen"},
    {1, 0, u""},
    {1, 57665, u"&Beenden"},
    {0, 0, u"&Hilfe"},
    {1, 57664, u"\u00DC&ber ZD-Zedo...\t(F1)"},
};

// The captions of the dialog and of the given controls, read while the dialog runs.
struct SDialogTexts {
  CString caption;
  std::vector<CString> controls;
};

SDialogTexts RunDialog(CScriptedAnswers& answers, CDialog& dialog, std::vector<int> controlIds) {
  SDialogTexts texts;
  answers.AddModalDialogScript([&](CWnd& shown) {
    texts.caption = shown.GetWindowTextString();
    for (int id : controlIds) {
      CWnd* control = shown.GetDlgItem(id);
      CString text = u"<missing>";
      if (control) shown.GetDlgItemText(id, text);
      texts.controls.push_back(text);
    }
    shown.SendMessage(WM_COMMAND, IDCANCEL);
  });
  dialog.DoModal();
  return texts;
}

class LanguageResourcesTest : public ShellTest {
 protected:
  CString WriteModule(const std::string& resources) {
    const std::string path = ProgramFolder() + "/ZD-Zedo_Deutsch.zdl";
    WriteText(path, LanguageModuleText("Deutsch", ProgramVersionText()) + resources);
    return CString::FromUtf8(path);
  }
  void StartWithModule(const std::string& resources) {
    RegSetString(kSettingsKey, u"LanguageFile", WriteModule(resources));
    Start();
    ASSERT_NE(app->GetLanguageModule(), nullptr);
  }
  std::vector<SMenuText> FrameMenu() { return MenuTexts(Frame().GetMenu()->m_hMenu); }
  bool FrameMenuIsTheProgramsOwn() {
    const std::vector<SMenuText> menu = FrameMenu();
    return menu.size() > 4 && menu[0] == SMenuText{0, 0, u"&File"} &&
           menu[1] == SMenuText{1, 57601, u"&Open project..."};
  }
};

TEST_F(LanguageResourcesTest, TheFrameMenuAndDialogsComeFromTheModuleWhereItHasThem) {
  StartWithModule(TranslatedResourcesText());
  EXPECT_EQ(FrameMenu(), kTranslatedMenu);

  CCommentDlg comment(&Frame());
  const SDialogTexts translated = RunDialog(answers, comment, {IDOK, IDCANCEL});
  EXPECT_EQ(translated.caption, u"Bitte einen Kommentar eingeben");
  EXPECT_EQ(translated.controls, (std::vector<CString>{u"OK", u"Abbrechen"}));

  CAboutDlg about;
  const SDialogTexts own = RunDialog(answers, about, {IDOK});
  EXPECT_EQ(own.caption, u"About ZD-Zedo") << "a dialog the module lacks is the program's";
  EXPECT_EQ(own.controls, (std::vector<CString>{u"OK"}));
}

TEST_F(LanguageResourcesTest, AModuleWithoutMenusAndDialogsLeavesThemToTheProgram) {
  StartWithModule("");
  EXPECT_EQ(Frame().GetWindowTextString(), u"Jovant ZD-Zedo (Deutsch)");
  EXPECT_TRUE(FrameMenuIsTheProgramsOwn());
  CCommentDlg comment(&Frame());
  EXPECT_EQ(RunDialog(answers, comment, {}).caption, u"Please enter a comment");
}

TEST_F(LanguageResourcesTest, ChangingTheLanguageInTheSettingsReloadsTheFrameMenuFromTheModule) {
  WriteModule(TranslatedResourcesText());
  Start();
  EXPECT_TRUE(FrameMenuIsTheProgramsOwn());
  answers.AddModalDialogScript([](CWnd& dialog) {
    dynamic_cast<CComboBox*>(dialog.GetDlgItem(IDC_LANGUAGE))->SetCurSel(1);
    dialog.SendMessage(WM_COMMAND, IDOK);
  });
  Frame().SendMessage(WM_COMMAND, ID_APP_SETTINGS);
  ASSERT_EQ(answers.GetModalDialogs().size(), 1u);
  EXPECT_EQ(FrameMenu(), kTranslatedMenu);

  answers.AddModalDialogScript([](CWnd& dialog) {
    dynamic_cast<CComboBox*>(dialog.GetDlgItem(IDC_LANGUAGE))->SetCurSel(0);
    dialog.SendMessage(WM_COMMAND, IDOK);
  });
  Frame().SendMessage(WM_COMMAND, ID_APP_SETTINGS);
  EXPECT_TRUE(FrameMenuIsTheProgramsOwn()) << "back to the program's own language";
}

TEST_F(LanguageResourcesTest, AModulesOwnAboutBoxShowsTheModulesVersion) {
  StartWithModule(
      "[dialog 500]\n"
      "dialog 0 0 235 110 \"\xC3\x9C\x62\x65r ZD-Zedo\"\n"
      "control static 113 10 10 215 8 \"\"\n"
      "control static 115 10 24 30 8 \"\"\n"
      "control button 1 178 88 50 14 \"OK\" default\n");
  CAboutDlg about;
  const SDialogTexts texts =
      RunDialog(answers, about, {IDC_ABOUT_LANGUAGE_DESCRIPTION, IDC_ABOUT_LANGUAGE_VERSION});
  CFileVersionInfo program;
  program.CreateFromModule(nullptr);
  CString version;
  version.Format(u"%d.%d", int(program.GetProductVersionPart(3)), int(program.GetProductVersionPart(2)));
  EXPECT_EQ(texts.caption, u"\u00DCber ZD-Zedo");
  EXPECT_EQ(texts.controls, (std::vector<CString>{u"ZD-Zedo Deutsch", version}))
      << "the controls only a module's About box has are filled";
}

struct SMalformedCase {
  const char* name;
  std::string sections;  // a menu 517 and a dialog 503 that must both be refused
};

void PrintTo(const SMalformedCase& c, std::ostream* out) { *out << c.name; }

class MalformedSectionTest : public LanguageResourcesTest,
                             public ::testing::WithParamInterface<SMalformedCase> {};

TEST_P(MalformedSectionTest, IsRefusedAndTheProgramsResourceIsUsed) {
  StartWithModule(GetParam().sections);
  EXPECT_EQ(Frame().GetWindowTextString(), u"Jovant ZD-Zedo (Deutsch)") << "the module's texts are in use";
  EXPECT_TRUE(FrameMenuIsTheProgramsOwn());
  CCommentDlg comment(&Frame());
  const SDialogTexts texts = RunDialog(answers, comment, {IDCANCEL});
  EXPECT_EQ(texts.caption, u"Please enter a comment");
  EXPECT_EQ(texts.controls, (std::vector<CString>{u"Cancel"}));
}

const char kGoodDialog[] = "dialog 0 0 250 110 \"Kommentar\"\ncontrol button 2 193 89 50 14 \"Abbrechen\"\n";
const char kGoodMenu[] = "popup \"&Datei\"\n  item 57665 \"&Beenden\"\nend\n";

INSTANTIATE_TEST_SUITE_P(
    Sections, MalformedSectionTest,
    ::testing::Values(
        SMalformedCase{
            "PopupWithoutEnd",
            "[menu 517]\npopup \"&Datei\"\n  item 57665 \"&Beenden\"\n"
            "[dialog 503]\ndialog 0 0 250 110 \"Kommentar\"\ncontrol button 2 1 1 5 5 \"X\" shiny\n"},
        SMalformedCase{"EndWithoutPopupAndUnknownKind",
                       "[menu 517]\nitem 57665 \"&Beenden\"\nend\n"
                       "[dialog 503]\ndialog 0 0 250 110 \"Kommentar\"\ncontrol knob 2 1 1 5 5 \"X\"\n"},
        SMalformedCase{"IdsTooLarge",
                       "[menu 517]\npopup \"&Datei\"\n  item 65536 \"&Beenden\"\nend\n"
                       "[dialog 503]\ndialog 0 0 250 40000 \"Kommentar\"\n"},
        SMalformedCase{"UnclosedTexts",
                       "[menu 517]\npopup \"&Datei\n  item 57665 \"&Beenden\"\nend\n"
                       "[dialog 503]\ndialog 0 0 250 110 \"Kommentar\ncontrol button 2 1 1 5 5 \"X\"\n"},
        SMalformedCase{"UnknownEscapeAndNoDialogLine",
                       "[menu 517]\npopup \"&Datei\\q\"\n  item 57665 \"&Beenden\"\nend\n"
                       "[dialog 503]\ncontrol button 2 1 1 5 5 \"X\"\n"},
        SMalformedCase{"EmptySections", "[menu 517]\n[dialog 503]\n# nothing\n"},
        SMalformedCase{"HeadersWithBadIds", std::string("[menu 517x]\n") + kGoodMenu + "[menu 70517]\n" +
                                                kGoodMenu + "[dialog 503.0]\n" + kGoodDialog + "[dialog]\n" +
                                                kGoodDialog},
        SMalformedCase{"HeadersWithExtraWordsOrNoBracket",
                       std::string("[menu 517 main]\n") + kGoodMenu + "[dialog 503\n" + kGoodDialog}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
