#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/compiler/ResourceScript.h"

using Bytes = std::vector<std::uint8_t>;
using ResourceScript::ResourceScriptError;

TEST(MenuScript, CompilesToStandardTemplateWithEndMarksOnEveryLevel) {
  const char* script =
      "# comment line\n"
      "popup \"&A\"\n"
      "  item 5 \"B\\tC\"  # trailing comment\n"
      "  separator\n"
      "end\n"
      "item 7 \"x\" grayed checked\n";
  Bytes expected = {
      0x00, 0x00, 0x00, 0x00,                                                  // version, header size
      0x10, 0x00, 0x26, 0x00, 0x41, 0x00, 0x00, 0x00,                          // popup "&A"
      0x00, 0x00, 0x05, 0x00, 0x42, 0x00, 0x09, 0x00, 0x43, 0x00, 0x00, 0x00,  // 5 "B\tC"
      0x80, 0x00, 0x00, 0x00, 0x00, 0x00,                                      // separator, last of the popup
      0x89, 0x00, 0x07, 0x00, 0x78, 0x00, 0x00, 0x00,                          // 7 "x", last of the bar
  };
  EXPECT_EQ(ResourceScript::CompileMenu(script), expected);
}

TEST(MenuScript, TextsAreUtf16) {
  Bytes expected = {0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x01, 0x00, 0xE4, 0x00, 0xAC, 0x20, 0x00, 0x00};
  EXPECT_EQ(ResourceScript::CompileMenu("item 1 \"\xC3\xA4\xE2\x82\xAC\"\n"), expected);
}

TEST(MenuScript, RefusesMalformedScripts) {
  const char* cases[] = {
      "",                               // nothing
      "popup \"A\"\n  item 1 \"a\"\n",  // popup without end
      "item 1 \"a\"\nend\n",            // end without popup
      "popup \"A\"\nend\n",             // empty popup
      "item 70000 \"a\"\n",             // id beyond 16 bits
      "item -1 \"a\"\n",                // negative id
      "item 1 a\n",                     // text not quoted
      "item 1 \"a\n",                   // text not closed
      "item 1 \"a\\q\"\n",              // unknown escape
      "item 1 \"a\" bold\n",            // unknown flag
      "menuitem 1 \"a\"\n",             // unknown keyword
  };
  for (const char* script : cases)
    EXPECT_THROW(ResourceScript::CompileMenu(script), ResourceScriptError) << script;
}

TEST(ToolBarScript, CompilesSizeAndButtonsWithSeparatorsAsZero) {
  Bytes expected = {0x01, 0x00, 0x10, 0x00, 0x0F, 0x00, 0x03, 0x00, 0x65, 0x00, 0x00, 0x00, 0x02, 0x01};
  EXPECT_EQ(ResourceScript::CompileToolBar("size 16 15\nbutton 101\nseparator\nbutton 0x102\n"), expected);
  EXPECT_THROW(ResourceScript::CompileToolBar("button 101\n"), ResourceScriptError);
  EXPECT_THROW(ResourceScript::CompileToolBar("size 16 16\nbutton 0\n"), ResourceScriptError);
}

TEST(IconFile, IsKeptWholeOnceItsDirectoryHolds) {
  // One 1 x 1 picture of 48 bytes at offset 22 (its bytes are not looked at here).
  Bytes file = {0, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1, 0, 24, 0, 48, 0, 0, 0, 22, 0, 0, 0};
  file.resize(22 + 48, 0xAB);
  const std::string text(file.begin(), file.end());
  EXPECT_EQ(ResourceScript::CompileIcon(text), file);
  EXPECT_THROW(ResourceScript::CompileIcon(text.substr(0, 69)), ResourceScriptError);
  EXPECT_THROW(ResourceScript::CompileIcon("BM" + text.substr(2)), ResourceScriptError);
  std::string cursor = text;
  cursor[2] = 2;
  EXPECT_THROW(ResourceScript::CompileIcon(cursor), ResourceScriptError);
}

TEST(BitmapFile, DropsTheFileHeader) {
  std::string file = "BM" + std::string(12, '\x01') + std::string(40, '\x28') + "px";
  Bytes resource = ResourceScript::CompileBitmap(file);
  ASSERT_EQ(resource.size(), 42u);
  EXPECT_EQ(resource.front(), 0x28);
  EXPECT_EQ(resource.back(), 'x');
  EXPECT_THROW(ResourceScript::CompileBitmap("XX" + file.substr(2)), ResourceScriptError);
  EXPECT_THROW(ResourceScript::CompileBitmap("BM1234"), ResourceScriptError);
}
