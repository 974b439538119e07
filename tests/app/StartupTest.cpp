#include <cstdlib>

#include "appbase/DiagnosticMode.h"
#include "appbase/Registry.h"
#include "device/DeviceFactory.h"
#include "device/JvDevice.h"
#include "platform/registry/RegistryStore.h"
#include "platform/res/StringTable.h"
#include "platform/ui/ResourceIcons.h"
#include "resources/ResourceIds.h"
#include "tests/app/LanguageModuleFixture.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/EnvironmentOverride.h"

namespace {

bool IsFolder(const CString& path) { return std::filesystem::is_directory(path.ToUtf8()); }

TEST_F(ShellTest, FirstStartWritesTheDefaultsAndMakesTheTempLogFolder) {
  Start();
  CString text = u"unset";
  ASSERT_TRUE(RegGetString(kSettingsKey, u"LanguageFile", text));
  EXPECT_EQ(text, ProgramPath());
  ASSERT_TRUE(RegGetString(kSettingsKey, u"DataFolder", text));
  EXPECT_EQ(text, u"");
  DWORD format = 7;
  ASSERT_TRUE(RegGetDword(kSettingsKey, u"DTFormat", format));
  EXPECT_EQ(format, 0u);
  EXPECT_EQ(app->GetTempLogFolder(), CString::FromUtf8(ProgramFolder()) + u"/TempLog/");
  EXPECT_TRUE(IsFolder(app->GetTempLogFolder()));
  EXPECT_EQ(app->GetProgramFolder(), CString::FromUtf8(ProgramFolder()));
  EXPECT_FALSE(app->IsDiagnosticMode());
  EXPECT_FALSE(IsDiagnosticMode());
  EXPECT_EQ(Frame().GetWindowTextString(), u"Jovant ZD-Zedo");
  EXPECT_TRUE(Frame().IsWindowVisible());
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
}

TEST_F(ShellTest, TheFrameCarriesIcon517AsItsBigIcon) {
  Start();
  HICON icon = LoadAppIcon(IDR_MAINFRAME);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(Frame().GetIcon(TRUE), icon);
  EXPECT_EQ(Frame().GetIcon(FALSE), nullptr);
}

TEST_F(ShellTest, StartUpGivesTheDeviceFactoryEveryInstrumentClass) {
  Start();
  // The connection wizard searches for any type of the table, not only the ZD-2.
  for (int type : {Device::eTypeDurimo3Se, Device::eTypeHallek, Device::eTypeVexalon, Device::eTypeHumilo})
    EXPECT_NE(Device::CreateDevice(type), nullptr) << "type " << type;
}

TEST_F(ShellTest, StoredSettingsAreReadAndTheMarkerFileSetsTheDiagnosticFlag) {
  RegSetString(kSettingsKey, u"DataFolder", u"/data/tests");
  RegSetDword(kSettingsKey, u"DTFormat", 0x0203);
  WriteText(ProgramFolder() + "/debug_info.txt", "");
  Start();
  EXPECT_EQ(app->GetDataFolder(), u"/data/tests");
  EXPECT_EQ(app->GetDateTimeFormat(), 0x0203u);
  EXPECT_TRUE(app->IsDiagnosticMode());
  EXPECT_TRUE(IsDiagnosticMode()) << "the views below the frame read the same flag";
  CString text;
  ASSERT_TRUE(RegGetString(kSettingsKey, u"LanguageFile", text)) << "a missing value alone is written";
  EXPECT_EQ(text, ProgramPath());
}

TEST_F(ShellTest, AnUnwritableProgramFolderPutsTheTempLogUnderTheUserDataFolder) {
  // A file where the program folder's TempLog would go keeps it from being made.
  WriteText(ProgramFolder() + "/TempLog", "not a folder");
  const std::string data = TestPath("data");
  CEnvironmentOverride dataHome("XDG_DATA_HOME", data);
  Start();
  EXPECT_EQ(app->GetTempLogFolder(), CString::FromUtf8(data) + u"/ZD-Zedo/TempLog/");
  EXPECT_TRUE(IsFolder(app->GetTempLogFolder()));
}

TEST_F(ShellTest, NoWritableTempLogLocationLeavesTheFolderEmpty) {
  WriteText(ProgramFolder() + "/TempLog", "not a folder");
  const std::string data = TestPath("data");
  WriteText(data, "not a folder either");
  CEnvironmentOverride dataHome("XDG_DATA_HOME", data);
  Start();
  EXPECT_TRUE(app->GetTempLogFolder().IsEmpty());
}

TEST_F(ShellTest, SettingsThatCannotBeWrittenAreReportedAndFail) {
  const std::string blocker = TestPath("blocker");
  WriteText(blocker, "x");
  CEnvironmentOverride config("XDG_CONFIG_HOME", blocker);
  Start();
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 3u) << "one report per value that could not be written";
  for (const auto& box : boxes) {
    EXPECT_EQ(box.text, u"The registry entry could not be written.");
    EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONERROR);
  }
  EXPECT_EQ(app->GetLanguageFile(true), ProgramPath()) << "start-up goes on with the defaults";
  EXPECT_FALSE(app->SaveDateTimeFormat(0x0101));
  EXPECT_FALSE(app->SaveLanguageFile(ProgramPath()));
  EXPECT_EQ(answers.GetMessageBoxes().size(), 5u);
}

TEST_F(ShellTest, SavedSettingsAreWrittenUnderTheExistingKey) {
  Start();
  EXPECT_TRUE(app->SaveDateTimeFormat(0x0302));
  DWORD format = 0;
  ASSERT_TRUE(RegGetDword(kSettingsKey, u"DTFormat", format));
  EXPECT_EQ(format, 0x0302u);
  EXPECT_EQ(app->GetLanguageFile(false), CString::FromUtf8(ProgramFolder()) + u"/");
}

struct SModuleCase {
  const char* name;
  std::string file;  // the module's file name in the program folder
  int majorDelta;
  int minorDelta;
  bool loaded;
};

void PrintTo(const SModuleCase& c, std::ostream* out) { *out << c.name; }

class LanguageModuleTest : public ShellTest, public ::testing::WithParamInterface<SModuleCase> {};

TEST_P(LanguageModuleTest, OnlyAModuleOfTheProgramsMajorAndMinorVersionIsLoaded) {
  const SModuleCase& param = GetParam();
  const std::string path = ProgramFolder() + "/" + param.file;
  WriteText(path, LanguageModuleText("Deutsch", ProgramVersionText(param.majorDelta, param.minorDelta)));
  RegSetString(kSettingsKey, u"LanguageFile", CString::FromUtf8(path));
  Start();
  const CString title = param.loaded ? u"Jovant ZD-Zedo (Deutsch)" : u"Jovant ZD-Zedo";
  EXPECT_EQ(Frame().GetWindowTextString(), title);
  EXPECT_EQ(app->GetLanguageModule() != nullptr, param.loaded);
  EXPECT_EQ(ResString(IDS_NEW_VERSION_MENU), u"New version available!")
      << "untranslated texts stay the program's";
  EXPECT_EQ(app->GetLanguageVersion().GetInternalName(), param.loaded ? u"Deutsch" : u"English");
}

INSTANTIATE_TEST_SUITE_P(Versions, LanguageModuleTest,
                         ::testing::Values(SModuleCase{"Matching", "ZD-Zedo_Deutsch.zdl", 0, 0, true},
                                           SModuleCase{"OtherMinor", "ZD-Zedo_Deutsch.zdl", 0, -1, false},
                                           SModuleCase{"OtherMajor", "ZD-Zedo_Deutsch.zdl", 1, 0, false},
                                           SModuleCase{"NotAModuleName", "ZD-Zedo_Deutsch.txt", 0, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTest, ALanguageFileThatBeginsWithTheExtensionIsNoModule) {
  std::filesystem::current_path(TestTempDir());
  WriteText(TestPath(".zdl"), LanguageModuleText("Deutsch", ProgramVersionText()));
  RegSetString(kSettingsKey, u"LanguageFile", u".zdl");
  Start();
  EXPECT_EQ(app->GetLanguageModule(), nullptr);
  EXPECT_EQ(Frame().GetWindowTextString(), u"Jovant ZD-Zedo");
}

TEST_F(ShellTest, AMissingModuleFileLeavesTheBuiltInTexts) {
  RegSetString(kSettingsKey, u"LanguageFile", CString::FromUtf8(ProgramFolder() + "/ZD-Zedo_Gone.zdl"));
  Start();
  EXPECT_EQ(Frame().GetWindowTextString(), u"Jovant ZD-Zedo");
  EXPECT_TRUE(answers.GetMessageBoxes().empty()) << "a module that cannot be used is ignored silently";
}

}  // namespace
