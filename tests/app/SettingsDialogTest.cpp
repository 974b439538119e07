#include "app/AppSettings.h"
#include "appbase/Registry.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/ComboBox.h"
#include "resources/ResourceIds.h"
#include "tests/app/LanguageModuleFixture.h"
#include "tests/app/ShellFixture.h"

namespace {

CComboBox& Combo(CWnd& dialog, int id) { return *dynamic_cast<CComboBox*>(dialog.GetDlgItem(id)); }

void Click(CWnd& dialog, int id) {
  CWnd* button = dialog.GetDlgItem(id);
  CRect rect;
  button->GetClientRect(rect);
  SimulateClick(button, rect.CenterPoint());
}

std::vector<CString> Entries(CComboBox& combo) {
  std::vector<CString> texts;
  for (int i = 0; i < combo.GetCount(); ++i) {
    CString text;
    combo.GetLBText(i, text);
    texts.push_back(text);
  }
  return texts;
}

class SettingsDialogTest : public ShellTest {
 protected:
  void WriteModule(const std::string& language, int majorDelta, int minorDelta) {
    WriteText(ProgramFolder() + "/ZD-Zedo_" + language + ".zdl",
              LanguageModuleText(language, ProgramVersionText(majorDelta, minorDelta)));
  }
  CString ModulePath(const std::string& language) const {
    return CString::FromUtf8(ProgramFolder() + "/ZD-Zedo_" + language + ".zdl");
  }
  DWORD StoredFormat() const {
    DWORD value = 0xFFFF;
    RegGetDword(kSettingsKey, u"DTFormat", value);
    return value;
  }
  CString StoredLanguage() const {
    CString value;
    RegGetString(kSettingsKey, u"LanguageFile", value);
    return value;
  }
};

TEST_F(SettingsDialogTest, OffersTheModulesOfTheProgramsVersionAndStoresTheChoices) {
  WriteModule("Deutsch", 0, 0);
  WriteModule("Francais", 0, -1);
  WriteModule("Italiano", 1, 0);
  Start();
  std::vector<CString> offered;
  answers.AddModalDialogScript([&](CWnd& dialog) {
    offered = Entries(Combo(dialog, IDC_LANGUAGE));
    EXPECT_EQ(Combo(dialog, IDC_LANGUAGE).GetCurSel(), 0);
    EXPECT_EQ(Entries(Combo(dialog, IDC_DATE_FORMAT)),
              (std::vector<CString>{u"MM/dd/yyyy", u"dd-MM-yyyy", u"dd/MM/yyyy", u"dd.MM.yyyy"}));
    EXPECT_EQ(Entries(Combo(dialog, IDC_TIME_FORMAT)),
              (std::vector<CString>{u"h:mm tt", u"h:mmt", u"H:mm", u"HH:mm"}));
    Combo(dialog, IDC_LANGUAGE).SetCurSel(1);
    Combo(dialog, IDC_DATE_FORMAT).SetCurSel(2);
    Combo(dialog, IDC_TIME_FORMAT).SetCurSel(3);
    Click(dialog, IDOK);
  });
  CAppSettings settings(&Frame());
  EXPECT_EQ(settings.DoModal(), IDOK);
  EXPECT_EQ(offered, (std::vector<CString>{u"English", u"Deutsch"}));
  EXPECT_TRUE(settings.IsLanguageChanged());
  EXPECT_TRUE(settings.IsDateTimeChanged());
  EXPECT_EQ(StoredFormat(), 0x0203u);
  EXPECT_EQ(StoredLanguage(), ModulePath("Deutsch"));
  EXPECT_NE(app->GetLanguageModule(), nullptr) << "the new module is in use at once";

  answers.AddModalDialogScript([&](CWnd& dialog) {
    EXPECT_EQ(Combo(dialog, IDC_LANGUAGE).GetCurSel(), 1) << "the module in use is selected";
    EXPECT_EQ(Combo(dialog, IDC_DATE_FORMAT).GetCurSel(), 2);
    EXPECT_EQ(Combo(dialog, IDC_TIME_FORMAT).GetCurSel(), 3);
    Click(dialog, IDC_RESET);
    EXPECT_EQ(Combo(dialog, IDC_LANGUAGE).GetCurSel(), 0);
    Click(dialog, IDOK);
  });
  CAppSettings reset(&Frame());
  reset.DoModal();
  EXPECT_TRUE(reset.IsLanguageChanged());
  EXPECT_EQ(StoredFormat(), 0u);
  EXPECT_EQ(StoredLanguage(), ProgramPath());
  EXPECT_EQ(app->GetLanguageModule(), nullptr);
}

TEST_F(SettingsDialogTest, UnchangedChoicesStoreNothing) {
  WriteModule("Deutsch", 0, 0);
  RegSetString(kSettingsKey, u"LanguageFile", ModulePath("Deutsch"));
  RegSetDword(kSettingsKey, u"DTFormat", 0x0102);
  Start();
  RegDeleteValue(kSettingsKey, u"DTFormat");
  answers.AddModalDialogScript([](CWnd& dialog) { Click(dialog, IDOK); });
  CAppSettings settings(&Frame());
  settings.DoModal();
  EXPECT_FALSE(settings.IsChanged());
  EXPECT_FALSE(settings.IsLanguageChanged());
  EXPECT_EQ(StoredFormat(), 0xFFFFu) << "nothing was written";
}

TEST_F(SettingsDialogTest, AStoredFormatOutOfRangeShowsTheFirstFormat) {
  RegSetDword(kSettingsKey, u"DTFormat", 0x0500);
  Start();
  answers.AddModalDialogScript([](CWnd& dialog) {
    EXPECT_EQ(Combo(dialog, IDC_DATE_FORMAT).GetCurSel(), 0);
    EXPECT_EQ(Combo(dialog, IDC_TIME_FORMAT).GetCurSel(), 0);
    CString preview;
    dialog.GetDlgItemText(IDC_PREVIEW, preview);
    EXPECT_EQ(preview.Left(19), u"Date/Time format:  ");
    EXPECT_TRUE(preview.Right(2) == u"AM" || preview.Right(2) == u"PM") << "h:mm tt";
  });
  CAppSettings settings(&Frame());
  EXPECT_EQ(settings.DoModal(), IDCANCEL);
}

// Whether the menu is the root or one of the popups below it.
bool IsInMenuTree(HMENU root, HMENU menu) {
  if (root == menu) return true;
  for (int i = 0; i < GetMenuItemCount(root); ++i) {
    HMENU popup = GetSubMenu(root, i);
    if (popup && IsInMenuTree(popup, menu)) return true;
  }
  return false;
}

TEST_F(SettingsDialogTest, TheSettingsCommandReloadsTheMenuWhenTheLanguageChanged) {
  WriteModule("Deutsch", 0, 0);
  Start();
  Frame().SendMessage(WM_NEW_PROGRAM_VERSION, 0x00080001, 0x00000004);
  const HMENU before = Frame().GetMenu()->m_hMenu;
  answers.AddModalDialogScript([](CWnd& dialog) {
    Combo(dialog, IDC_LANGUAGE).SetCurSel(1);
    Click(dialog, IDOK);
  });
  Frame().SendMessage(WM_COMMAND, ID_APP_SETTINGS);
  ASSERT_EQ(answers.GetModalDialogs().size(), 1u);
  EXPECT_EQ(StoredLanguage(), ModulePath("Deutsch"));
  const HMENU after = Frame().GetMenu()->m_hMenu;
  EXPECT_NE(after, before);
  // A destroyed menu's handle may come back for one of the new menus, as handles do.
  EXPECT_TRUE(!IsMenu(before) || IsInMenuTree(after, before)) << "the old menu is destroyed";
  EXPECT_EQ(GetMenuItemCount(after), 5) << "the new-version pop-up is built again";
  PumpMessages();
  EXPECT_EQ(Frame().GetWindowTextString(), u"Jovant ZD-Zedo (Deutsch)") << "the views show their texts anew";
}

TEST(AppSettingsPath, JoinPathLeavesOneSeparatorEach) {
  struct {
    const char16_t* first;
    const char16_t* second;
    const char16_t* joined;
  } cases[] = {
      {u"/opt/zd", u"/", u"/opt/zd/"},
      {u"/opt/zd/", u"/", u"/opt/zd/"},
      {u"opt/zd", u"lang", u"/opt/zd/lang/"},
      {u"C:/zd", u"lang", u"C:/zd/lang/"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CAppSettings::JoinPath(c.first, c.second), c.joined) << CString(c.first).ToUtf8();
}

}  // namespace
