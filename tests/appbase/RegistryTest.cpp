#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "appbase/Registry.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedAnswers.h"
#include "tests/support/EnvironmentOverride.h"
#include "tests/support/TestEnvironment.h"

namespace {

const CString kKey = u"Software\\Jovant\\DiVudodav\\Settings\\ConnWizard";

TEST(Registry, DwordAndBoolValuesCreateTheirKey) {
  CRegistry registry(kKey);
  DWORD value = 77;
  bool flag = true;
  EXPECT_FALSE(registry.ReadDWORD(u"Port", value));
  EXPECT_EQ(value, 77u);
  EXPECT_FALSE(registry.ReadBool(u"Auto", flag));
  EXPECT_TRUE(flag);
  EXPECT_TRUE(registry.WriteDWORD(u"Port", 5));
  EXPECT_TRUE(registry.WriteBool(u"Auto", false));
  EXPECT_TRUE(registry.ReadDWORD(u"Port", value));
  EXPECT_EQ(value, 5u);
  EXPECT_TRUE(registry.ReadBool(u"Auto", flag));
  EXPECT_FALSE(flag);
  registry.WriteDWORD(u"Auto", 2);
  EXPECT_TRUE(registry.ReadBool(u"Auto", flag));
  EXPECT_FALSE(flag) << "only 1 is true";
}

TEST(Registry, StringsAreWrittenOnlyUnderAnExistingKey) {
  CScriptedAnswers answers;
  CRegistry registry(kKey);
  EXPECT_TRUE(registry.WriteString(u"Host", u"10.0.0.7"));
  CString text = u"unchanged";
  EXPECT_FALSE(registry.ReadString(u"Host", text)) << "the key did not exist";
  EXPECT_EQ(text, u"unchanged");
  EXPECT_TRUE(answers.GetMessageBoxes().empty());

  registry.WriteDWORD(u"Port", 1);
  EXPECT_TRUE(registry.WriteString(u"Host", u"10.0.0.7"));
  EXPECT_TRUE(registry.ReadString(u"Host", text));
  EXPECT_EQ(text, u"10.0.0.7");
  EXPECT_TRUE(registry.WriteString(u"Host", u""));
  EXPECT_TRUE(registry.ReadString(u"Host", text)) << "an empty value counts as read";
  EXPECT_EQ(text, u"10.0.0.7") << "and leaves the text";

  const CString longest(u'x', CRegistry::kMaxString);
  EXPECT_TRUE(registry.WriteString(u"Path", longest));
  EXPECT_TRUE(registry.ReadString(u"Path", text));
  EXPECT_EQ(text, longest);
  EXPECT_FALSE(registry.WriteString(u"Path", longest + u"y"));
  EXPECT_EQ(answers.GetMessageBoxes().size(), 1u);
  RegSetString(kKey, u"Path", longest + u"y");  // written by someone else
  EXPECT_FALSE(registry.ReadString(u"Path", text));
}

TEST(Registry, RefusedWriteIsReportedAndFails) {
  CScriptedAnswers answers;
  const std::string blocker = TestPath("blocker");
  std::ofstream(blocker) << "x";
  CEnvironmentOverride config("XDG_CONFIG_HOME", blocker);
  EXPECT_FALSE(CRegistry(kKey).WriteDWORD(u"Port", 1));
  EXPECT_FALSE(CRegistry(kKey).WriteValues({SRegValue::Dword(u"Port", 1)}));
  ASSERT_EQ(answers.GetMessageBoxes().size(), 2u);
  EXPECT_EQ(answers.GetMessageBoxes()[1].text, u"Failed to write a value to the registry.");
  EXPECT_EQ(answers.GetMessageBoxes()[0].text, u"Failed to write a value to the registry.");
  EXPECT_EQ(answers.GetMessageBoxes()[0].type & MB_ICONMASK, MB_ICONERROR);
}

}  // namespace
