#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/registry/RegistryStore.h"
#include "tests/support/EnvironmentOverride.h"
#include "tests/support/TestEnvironment.h"

namespace {

const CString kSettings = u"Software\\Jovant\\ZD-Zedo\\Settings";

// Writes 40 distinct values whose names start with the prefix.
bool WriteMany(const char16_t* prefix) {
  bool ok = true;
  for (int i = 0; i < 40; ++i) {
    CString name;
    name.Format(u"%s%d", prefix, i);
    ok = RegSetDword(u"Proc", name, DWORD(i)) && ok;
  }
  return ok;
}

TEST(RegistryStore, StringAndDwordValuesKeepTheirTypes) {
  ASSERT_TRUE(RegSetString(kSettings, u"ProjectsPath", u"/home/user/Projekte \"ö\"\n\\x"));
  ASSERT_TRUE(RegSetDword(kSettings, u"DTFormat", 0x0203));

  CString text;
  DWORD number = 7;
  ASSERT_TRUE(RegGetString(kSettings, u"ProjectsPath", text));
  EXPECT_EQ(text, u"/home/user/Projekte \"ö\"\n\\x");
  EXPECT_FALSE(RegGetDword(kSettings, u"ProjectsPath", number)) << "a string is not a DWORD";
  EXPECT_EQ(number, 7u);
  ASSERT_TRUE(RegGetDword(u"software\\JOVANT\\zd-zedo\\settings\\", u"dtformat", number));
  EXPECT_EQ(number, 0x0203u);
  EXPECT_FALSE(RegGetString(kSettings, u"DTFormat", text));

  // Replacing a value with the other type leaves one value of the new type.
  ASSERT_TRUE(RegSetDword(kSettings, u"projectspath", 5));
  EXPECT_FALSE(RegGetString(kSettings, u"ProjectsPath", text));
  EXPECT_EQ(RegEnumValueNames(kSettings), (std::vector<CString>{u"ProjectsPath", u"DTFormat"}));
}

TEST(RegistryStore, MissingKeysAndValues) {
  DWORD number = 42;
  CString text = u"keep";
  EXPECT_FALSE(RegKeyExists(kSettings));
  EXPECT_FALSE(RegGetDword(kSettings, u"X", number));
  EXPECT_FALSE(RegGetString(kSettings, u"X", text));
  EXPECT_EQ(number, 42u);
  EXPECT_EQ(text, u"keep");
  EXPECT_FALSE(RegDeleteValue(kSettings, u"X"));

  ASSERT_TRUE(RegCreateKey(kSettings + u"\\Config"));
  EXPECT_TRUE(RegKeyExists(kSettings)) << "a parent of a created key exists";
  EXPECT_TRUE(RegKeyExists(kSettings + u"\\Config"));
  EXPECT_FALSE(RegKeyExists(u"Software\\Jovant\\ZD"));

  ASSERT_TRUE(RegSetDword(kSettings, u"X", 1));
  EXPECT_TRUE(RegDeleteValue(kSettings, u"X"));
  EXPECT_FALSE(RegGetDword(kSettings, u"X", number));
}

// Values written together land as the single writes would, one after the other.
TEST(RegistryStore, SeveralValuesWrittenTogetherReplaceAndAddInOrder) {
  ASSERT_TRUE(RegSetString(kSettings, u"Target", u"7"));
  ASSERT_TRUE(RegSetValues(kSettings, {SRegValue::Dword(u"Curve", 1), SRegValue::Dword(u"target", 6),
                                       SRegValue::String(u"Path", u"/srv"), SRegValue::Dword(u"Curve", 0)}));
  EXPECT_EQ(RegEnumValueNames(kSettings), (std::vector<CString>{u"Target", u"Curve", u"Path"}));
  DWORD number = 9;
  CString text;
  EXPECT_TRUE(RegGetDword(kSettings, u"Target", number));
  EXPECT_EQ(number, 6u);
  EXPECT_TRUE(RegGetDword(kSettings, u"Curve", number));
  EXPECT_EQ(number, 0u);
  EXPECT_TRUE(RegGetString(kSettings, u"Path", text));
  EXPECT_EQ(text, u"/srv");
  EXPECT_TRUE(RegSetValues(kSettings + u"\\Empty", {}));
  EXPECT_TRUE(RegKeyExists(kSettings + u"\\Empty"));
}

TEST(RegistryStore, WritesThatCannotReachTheFileFail) {
  // A plain file where the settings folder should be makes every write fail.
  const std::string blocker = TestPath("not-a-folder");
  std::ofstream(blocker) << "x";
  CEnvironmentOverride config("XDG_CONFIG_HOME", blocker);
  EXPECT_FALSE(RegSetDword(kSettings, u"A", 1));
  EXPECT_FALSE(RegSetString(kSettings, u"B", u"b"));
  EXPECT_FALSE(RegCreateKey(kSettings));
  EXPECT_FALSE(RegSetValues(kSettings, {SRegValue::Dword(u"A", 1), SRegValue::String(u"B", u"b")}));
  DWORD number = 0;
  EXPECT_FALSE(RegGetDword(kSettings, u"A", number));
}

TEST(RegistryStore, CreatingAnExistingKeyLeavesTheFileAlone) {
  ASSERT_TRUE(RegSetDword(kSettings, u"A", 1));
  struct stat before {};
  ASSERT_EQ(stat(RegStoreFilePath().c_str(), &before), 0);
  EXPECT_TRUE(RegCreateKey(kSettings));
  struct stat after {};
  ASSERT_EQ(stat(RegStoreFilePath().c_str(), &after), 0);
  // Every write replaces the file, so an untouched file keeps its inode.
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_TRUE(RegCreateKey(kSettings + u"\\New"));
  EXPECT_TRUE(RegKeyExists(kSettings + u"\\New"));
}

TEST(RegistryStore, FileLivesUnderXdgConfigHome) {
  CEnvironmentOverride config("XDG_CONFIG_HOME", TestPath("cfg"));
  ASSERT_TRUE(RegSetDword(kSettings, u"A", 0xFFFFFFFF));
  EXPECT_EQ(RegStoreFilePath(), TestPath("cfg") + "/ZD-Zedo/registry.txt");
  std::ifstream in(RegStoreFilePath());
  ASSERT_TRUE(in.good());
  DWORD number = 0;
  ASSERT_TRUE(RegGetDword(kSettings, u"A", number));
  EXPECT_EQ(number, 0xFFFFFFFFu);
}

TEST(RegistryStore, ConcurrentWritersFromThreadsAndProcessesLoseNothing) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(WriteMany(u"C") ? 0 : 1);
  std::thread other([] { EXPECT_TRUE(WriteMany(u"T")); });
  EXPECT_TRUE(WriteMany(u"P"));
  other.join();
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(RegEnumValueNames(u"Proc").size(), 120u);
}

}  // namespace
