#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/res/ResourceModule.h"
#include "platform/res/UserLanguage.h"
#include "platform/res/VersionResource.h"
#include "tests/support/EnvironmentOverride.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr const char* kModuleText =
    "# a language module\n"
    "[menus]\n"
    "file-version 9.9.9.9\n"
    "[version]\n"
    "file-version 1.8.3.0\n"
    "product-version 1.8.9.1\n"
    "file-flags-mask 0x3F\n"
    "file-os 0x40004\n"
    "\n"
    "translation 0x0407 1200\n"
    "InternalName \"Deutsch\"\n"
    "  Comments \"Sprachmodul \\\"DE\\\"\"\n"
    "translation 0x0409 1252\n"
    "InternalName \"German\"\n"
    "[strings]\n"
    "InternalName \"not part of the record\"\n";

TEST(VersionResourceTest, SectionOfAModuleFile) {
  SVersionResource record;
  std::string error;
  ASSERT_TRUE(ParseVersionResource(kModuleText, record, error)) << error;
  ASSERT_TRUE(record.hasFixedInfo);
  EXPECT_EQ(record.fixedInfo.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(record.fixedInfo.dwFileVersionMS, 0x00010008u);
  EXPECT_EQ(record.fixedInfo.dwFileVersionLS, 0x00030000u);
  EXPECT_EQ(record.fixedInfo.dwProductVersionMS, 0x00010008u);
  EXPECT_EQ(record.fixedInfo.dwProductVersionLS, 0x00090001u);
  EXPECT_EQ(record.fixedInfo.dwFileFlagsMask, 0x3Fu);
  EXPECT_EQ(record.fixedInfo.dwFileOS, 0x40004u);
  ASSERT_EQ(record.translations.size(), 2u);
  EXPECT_EQ(record.translations[0].language, 0x0407);
  EXPECT_EQ(record.translations[0].codePage, 1200);
  EXPECT_EQ(*record.translations[0].Find(u"InternalName"), u"Deutsch");
  EXPECT_EQ(*record.translations[0].Find(u"Comments"), u"Sprachmodul \"DE\"");
  EXPECT_EQ(record.translations[1].codePage, 1252);
  EXPECT_EQ(*record.translations[1].Find(u"InternalName"), u"German");
  EXPECT_EQ(record.translations[1].Find(u"Comments"), nullptr);
}

TEST(VersionResourceTest, MalformedSectionsAreRefused) {
  const char* cases[] = {
      "no section at all\n",
      "[version]\nInternalName \"x\"\n",
      "[version]\nfile-version 1.8.3\n",
      "[version]\nfile-version 1.70000.3.0\n",
      "[version]\nfile-version 1.8.3.0.1\n",
      "[version]\nproduct-version 1.-8.3.0\n",
      "[version]\ntranslation 0x0409\n",
      "[version]\ntranslation 0x10409 1200\n",
      "[version]\nfile-colour 3\n",
      "[version]\ntranslation 0x0409 1200\nComments \"open\n",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    SVersionResource record;
    std::string error;
    EXPECT_FALSE(ParseVersionResource(text, record, error));
    EXPECT_FALSE(error.empty());
  }
}

TEST(VersionResourceTest, ReadFromAFile) {
  const std::string path = TestPath("ZD-Zedo_Deutsch.lng");
  std::ofstream(path) << kModuleText;
  SVersionResource record;
  ASSERT_TRUE(ReadVersionResource(CString::FromUtf8(path), record));
  EXPECT_EQ(record.fixedInfo.dwProductVersionLS, 0x00090001u);
  EXPECT_FALSE(ReadVersionResource(CString::FromUtf8(TestPath("missing.lng")), record));
}

TEST(VersionResourceTest, ProgramRecordCarriesTheProjectVersion) {
  const SVersionResource& record = ProgramVersionResource();
  ASSERT_TRUE(record.hasFixedInfo);
  ASSERT_EQ(record.translations.size(), 1u);
  const SVersionTranslation& strings = record.translations[0];
  EXPECT_EQ(strings.language, 0x0409);
  EXPECT_EQ(*strings.Find(u"ProductName"), u"ZD-Zedo");
  EXPECT_EQ(*strings.Find(u"CompanyName"), u"Jovant SA");
  std::string version = ZD_PROJECT_VERSION;
  while (std::count(version.begin(), version.end(), '.') < 3) version += ".0";
  EXPECT_EQ(strings.Find(u"ProductVersion")->ToUtf8(), version);
  EXPECT_EQ(strings.Find(u"FileVersion")->ToUtf8(), version);
  const DWORD major = DWORD(std::atoi(version.c_str()));
  EXPECT_EQ(record.fixedInfo.dwProductVersionMS >> 16, major);
}

TEST(VersionResourceTest, ProgramFileGivesTheCompiledInRecord) {
  SVersionResource record;
  ASSERT_TRUE(ReadVersionResource(GetModuleFileName(nullptr), record));
  EXPECT_EQ(*record.translations[0].Find(u"ProductName"), u"ZD-Zedo");
}

struct SLanguageCase {
  const char* lcAll;
  const char* lang;
  LANGID expected;
};

TEST(UserLanguageTest, FromTheLocaleSettings) {
  const SLanguageCase cases[] = {
      {nullptr, "de_DE.UTF-8", 0x0407}, {nullptr, "fr_CH", 0x040C},   {"it_IT.UTF-8", "de_DE", 0x0410},
      {nullptr, "C", 0x0409},           {nullptr, "C.UTF-8", 0x0409}, {nullptr, nullptr, 0x0409},
      {nullptr, "xx_YY", 0x0409},
  };
  CEnvironmentOverride messages("LC_MESSAGES", nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lang ? c.lang : "(none)");
    CEnvironmentOverride all("LC_ALL", c.lcAll);
    CEnvironmentOverride lang("LANG", c.lang);
    EXPECT_EQ(GetUserDefaultLangID(), c.expected);
  }
}

}  // namespace
