#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "device/FileVersionInfo.h"
#include "device/Version.h"
#include "tests/support/EnvironmentOverride.h"
#include "tests/support/TestEnvironment.h"

namespace {

CString WriteModule(const std::string& name, const std::string& translations) {
  const std::string path = TestPath(name);
  std::ofstream(path) << "[version]\n"
                         "file-version 1.8.3.0\n"
                         "product-version 1.8.9.1\n"
                      << translations;
  return CString::FromUtf8(path);
}

// The user's language is the locale in LANG while this lives.
struct SUserLanguage {
  explicit SUserLanguage(const char* locale) : lang("LANG", locale) {}
  CEnvironmentOverride all{"LC_ALL", nullptr};
  CEnvironmentOverride messages{"LC_MESSAGES", nullptr};
  CEnvironmentOverride lang;
};

TEST(FileVersionInfoTest, PartIndexesRunFromTheLastPart) {
  CFileVersionInfo info;
  ASSERT_TRUE(info.CreateFromFile(WriteModule("m.lng", "")));
  EXPECT_EQ(info.GetFileVersionPart(0), 0);
  EXPECT_EQ(info.GetFileVersionPart(1), 3);
  EXPECT_EQ(info.GetFileVersionPart(2), 8);
  EXPECT_EQ(info.GetFileVersionPart(3), 1);
  EXPECT_EQ(info.GetFileVersionPart(4), 0);
  EXPECT_EQ(info.GetProductVersionPart(0), 1);
  EXPECT_EQ(info.GetProductVersionPart(1), 9);
  EXPECT_EQ(info.GetProductVersionPart(3), 1);
  EXPECT_EQ(info.GetProductVersionPart(-1), 0);
  EXPECT_EQ(CVersion(u"1.8.3.0").GetPart(1), 8) << "CVersion counts the other way";
}

struct STranslationCase {
  const char* locale;
  const char16_t* chosen;
};

TEST(FileVersionInfoTest, TranslationOfTheUsersLanguage) {
  const CString path = WriteModule("ZD-Zedo_multi.lng",
                                   "translation 0x0C07 1200\nInternalName \"Austrian\"\n"
                                   "translation 0x0407 1200\nInternalName \"German\"\n"
                                   "translation 0x0009 1200\nInternalName \"English\"\n"
                                   "translation 0x040C 1200\nInternalName \"French\"\n");
  const STranslationCase cases[] = {
      {"de_DE.UTF-8", u"German"},   // exact language
      {"fr_FR.UTF-8", u"French"},   // exact language
      {"it_IT.UTF-8", u"English"},  // no Italian, no neutral: English
      {"C", u"English"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale);
    SUserLanguage language(c.locale);
    CFileVersionInfo info;
    ASSERT_TRUE(info.CreateFromFile(path));
    EXPECT_EQ(info.GetInternalName(), c.chosen);
  }
}

TEST(FileVersionInfoTest, SameLowLanguageByteThenNeutralThenFirst) {
  SUserLanguage language("de_DE");
  CFileVersionInfo info;
  ASSERT_TRUE(
      info.CreateFromFile(WriteModule("a.lng",
                                      "translation 0x0409 1200\nInternalName \"English\"\ntranslation 0x0C07 "
                                      "1200\nInternalName \"Austrian\"\n")));
  EXPECT_EQ(info.GetInternalName(), u"Austrian");
  ASSERT_TRUE(
      info.CreateFromFile(WriteModule("b.lng",
                                      "translation 0x0409 1200\nInternalName \"English\"\ntranslation 0x0000 "
                                      "1200\nInternalName \"Neutral\"\n")));
  EXPECT_EQ(info.GetInternalName(), u"Neutral");
  ASSERT_TRUE(info.CreateFromFile(WriteModule("c.lng",
                                              "translation 0x040C 1200\nInternalName \"French\"\ntranslation "
                                              "0x0410 1200\nInternalName \"Italian\"\n")));
  EXPECT_EQ(info.GetInternalName(), u"French");
}

TEST(FileVersionInfoTest, FailedReadLeavesNothingOfTheLastRecord) {
  CFileVersionInfo info;
  ASSERT_TRUE(info.CreateFromFile(
      WriteModule("ok.lng", "translation 0x0409 1200\nProductVersion \"1.8.9.1\"\nComments \"c\"\n")));
  EXPECT_EQ(info.GetProductVersion(), u"1.8.9.1");
  EXPECT_EQ(info.GetComments(), u"c");
  EXPECT_FALSE(info.CreateFromFile(CString::FromUtf8(TestPath("missing.lng"))));
  EXPECT_TRUE(info.GetProductVersion().IsEmpty());
  EXPECT_EQ(info.GetProductVersionPart(3), 0);
}

TEST(FileVersionInfoTest, ModuleHandleNamesItsFile) {
  const SResourceModule module{WriteModule("h.lng", "translation 0x0409 1200\nOriginalFileName \"h.lng\"\n")};
  CFileVersionInfo info;
  ASSERT_TRUE(info.CreateFromModule(&module));
  EXPECT_EQ(info.GetOriginalFileName(), u"h.lng");
}

TEST(FileVersionInfoTest, ProgramsOwnRecord) {
  CFileVersionInfo info;
  ASSERT_TRUE(info.CreateFromModule(nullptr));
  EXPECT_EQ(info.GetProductName(), u"ZD-Zedo");
  const CVersion project(CString::FromUtf8(ZD_PROJECT_VERSION));
  EXPECT_EQ(info.GetProductVersionPart(3), project.GetPart(0));
  EXPECT_EQ(info.GetProductVersionPart(2), project.GetPart(1));
  EXPECT_EQ(info.GetProductVersionPart(1), project.GetPart(2));
  EXPECT_EQ(info.GetProductVersionPart(0), project.GetPart(3));
  EXPECT_EQ(CVersion(info.GetProductVersion()), project);
  EXPECT_FALSE(info.GetFileVersion().IsEmpty());
}

}  // namespace
