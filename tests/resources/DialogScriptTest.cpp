#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/compiler/ResourceScript.h"

using Bytes = std::vector<std::uint8_t>;
using ResourceScript::ResourceScriptError;

TEST(DialogScript, CompilesHeaderAndControlsLittleEndian) {
  const char* script =
      "dialog 0 0 100 50 \"Ab\"  # caption\n"
      "font 8 \"X\"\n"
      "control button 1 5 6 40 14 \"OK\" default tabstop\n"
      "control static -1 -3 7 2 1 \"\" hidden\n";
  Bytes expected = {
      0x01, 0x00,                                      // version
      0x80, 0x00, 0xC8, 0x80,                          // popup | caption | sysmenu | modal frame
      0x00, 0x00, 0x00, 0x00,                          // extended style
      0x00, 0x00, 0x00, 0x00, 0x64, 0x00, 0x32, 0x00,  // 0 0 100 50
      0x08, 0x00, 0x58, 0x00, 0x00, 0x00,              // 8 "X"
      0x41, 0x00, 0x62, 0x00, 0x00, 0x00,              // "Ab"
      0x02, 0x00,                                      // two controls
      0x80, 0x00, 0x01, 0x00,                          // button, id 1
      0x01, 0x00, 0x01, 0x50,                          // child | visible | tab stop | default push button
      0x00, 0x00, 0x00, 0x00,                          //
      0x05, 0x00, 0x06, 0x00, 0x28, 0x00, 0x0E, 0x00,  // 5 6 40 14
      0x4F, 0x00, 0x4B, 0x00, 0x00, 0x00,              // "OK"
      0x82, 0x00, 0xFF, 0xFF,                          // static, id -1
      0x00, 0x00, 0x00, 0x40,                          // child, not visible
      0x00, 0x00, 0x00, 0x00,                          //
      0xFD, 0xFF, 0x07, 0x00, 0x02, 0x00, 0x01, 0x00,  // -3 7 2 1
      0x00, 0x00,                                      // ""
  };
  EXPECT_EQ(ResourceScript::CompileDialog(script), expected);
}

TEST(DialogScript, StyleLineReplacesTheDefaultStyle) {
  Bytes bytes = ResourceScript::CompileDialog("dialog 1 2 3 4 \"\"\nstyle child 0x4\n");
  ASSERT_GE(bytes.size(), 6u);
  EXPECT_EQ(Bytes(bytes.begin() + 2, bytes.begin() + 6), (Bytes{0x04, 0x00, 0x00, 0x40}));
}

TEST(DialogScript, RejectsWhatItCannotRead) {
  const char* bad[] = {
      "",                                                               // no dialog line
      "control edit 1 0 0 1 1 \"\"\n",                                  // control before the dialog
      "dialog 0 0 10 10\n",                                             // no caption
      "dialog 0 0 10 40000 \"x\"\n",                                    // coordinate beyond 16 bits
      "dialog 0 0 10 10 \"x\"\ncontrol knob 1 0 0 1 1 \"\"\n",          // unknown kind
      "dialog 0 0 10 10 \"x\"\ncontrol edit 1 0 0 1 1 \"\" default\n",  // a button's style on an edit
      "dialog 0 0 10 10 \"x\"\ncontrol edit 70000 0 0 1 1 \"\"\n",      // id beyond 16 bits
      "dialog 0 0 10 10 \"x\"\ncontrol edit 1 0 0 1 1\n",               // no text
      "dialog 0 0 10 10 \"x\"\nmenu 5\n",                               // unknown line
  };
  for (const char* script : bad) {
    SCOPED_TRACE(script);
    EXPECT_THROW(ResourceScript::CompileDialog(script), ResourceScriptError);
  }
}
