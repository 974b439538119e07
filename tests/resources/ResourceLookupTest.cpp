#include <gtest/gtest.h>

#include <cstring>

#include "platform/res/ResourceLookup.h"
#include "resources/ProgramResources.h"

namespace {

const BYTE kData[] = {1, 2, 3};

}  // namespace

TEST(ResourceLookup, FindsByIntegerOrNumberTextAndTypeInItsOwnModule) {
  static const SResourceModule language{u"/nowhere/ZD-Zedo_Test.lng"};
  HMODULE module = &language;
  AddResource(module, RT_MENU, MAKEINTRESOURCEW(300), kData, sizeof kData);
  AddResource(module, RT_BITMAP, u"Picture", kData + 1, 2);

  HRSRC menu = FindResourceW(module, MAKEINTRESOURCEW(300), RT_MENU);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(FindResourceW(module, u"#300", RT_MENU), menu);
  EXPECT_EQ(SizeofResource(module, menu), 3u);
  EXPECT_EQ(LockResource(LoadResource(module, menu)), kData);

  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(300), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(301), RT_MENU), nullptr);
  HRSRC picture = FindResourceW(module, u"PICTURE", RT_BITMAP);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(SizeofResource(module, picture), 2u);
  EXPECT_EQ(FindResourceW(nullptr, u"PICTURE", RT_BITMAP), nullptr);
}

TEST(ResourceLookup, ResourceHandleDefaultsToTheProgram) {
  EXPECT_EQ(AfxGetResourceHandle(), nullptr);
  static const SResourceModule language{u"/nowhere/ZD-Zedo_Test.lng"};
  AfxSetResourceHandle(&language);
  EXPECT_EQ(AfxGetResourceHandle(), &language);
}

TEST(ProgramResources, MainMenuIsAStandardTemplateStartingWithFile) {
  RegisterProgramResources(nullptr);
  HMODULE module = nullptr;
  HRSRC menu = FindResourceW(module, MAKEINTRESOURCEW(517), RT_MENU);
  ASSERT_NE(menu, nullptr);
  const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, menu)));
  const BYTE start[] = {0, 0, 0, 0, 0x10, 0, '&', 0, 'F', 0, 'i', 0, 'l', 0, 'e', 0, 0, 0};
  ASSERT_GT(SizeofResource(module, menu), sizeof start);
  EXPECT_EQ(std::memcmp(bytes, start, sizeof start), 0);

  HRSRC bitmap = FindResourceW(module, MAKEINTRESOURCEW(72), RT_BITMAP);
  ASSERT_NE(bitmap, nullptr);
  const BYTE* header = static_cast<const BYTE*>(LockResource(LoadResource(module, bitmap)));
  EXPECT_EQ(header[0], 40);  // the bitmap information header comes first
  EXPECT_EQ(header[4], 80);  // five 16-pixel pictures
}
