#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "platform/res/LanguageModule.h"
#include "platform/res/ResourceLookup.h"
#include "tests/support/TestEnvironment.h"

namespace {

std::vector<BYTE> ResourceBytes(HMODULE module, WORD type, WORD id) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
  if (!resource) return {};
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
  return std::vector<BYTE>(data, data + SizeofResource(module, resource));
}

TEST(LanguageModuleFile, MenuAndDialogSectionsBecomeTheModulesTemplates) {
  const std::string path = TestPath("ZD-Zedo_Test.zdl");
  std::ofstream(path, std::ios::binary) << "[menu 7]\r\n"
                                           "item 5 \"A\"\r\n"
                                           "[strings]\r\n"
                                           "1 \"x\"\r\n"
                                           "[dialog 8]\r\n"
                                           "dialog 1 2 3 4 \"C\"\r\n"
                                           "style child\r\n"
                                           "font 9 \"F\"\r\n";
  HMODULE module = LoadLibrary(CString::FromUtf8(path));
  ASSERT_NE(module, nullptr);
  const std::vector<BYTE> menu = {
      0x00, 0x00, 0x00, 0x00,  // version, header size
      0x80, 0x00, 0x05, 0x00,  // MF_END, id 5
      0x41, 0x00, 0x00, 0x00,  // "A"
  };
  EXPECT_EQ(ResourceBytes(module, 4, 7), menu);
  const std::vector<BYTE> dialog = {
      0x01, 0x00,                                      // version
      0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00,  // style child, no extended style
      0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00,  // x, y, cx, cy
      0x09, 0x00, 0x46, 0x00, 0x00, 0x00,              // 9 points, "F"
      0x43, 0x00, 0x00, 0x00,                          // caption "C"
      0x00, 0x00,                                      // no controls
  };
  EXPECT_EQ(ResourceBytes(module, 5, 8), dialog);
  CString text;
  EXPECT_TRUE(LoadModuleString(module, 1, text));
  EXPECT_EQ(text, u"x") << "the string section ends at the next header";
  EXPECT_FALSE(LoadModuleString(module, 5, text));
  EXPECT_TRUE(ResourceBytes(nullptr, 4, 7).empty()) << "the program module is left alone";
}

}  // namespace
