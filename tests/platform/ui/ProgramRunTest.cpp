#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "platform/ui/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

struct SSplitCase {
  const char16_t* line;
  std::vector<CString> arguments;
};

class CommandLineSplit : public ::testing::TestWithParam<SSplitCase> {};

TEST_P(CommandLineSplit, AsThePlatformSplitsIt) {
  EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineSplit,
    ::testing::Values(SSplitCase{u"-DeviceTypeList 0c-00000-0", {u"-DeviceTypeList", u"0c-00000-0"}},
                      SSplitCase{u"  a\t b  ", {u"a", u"b"}}, SSplitCase{u"\"a b\" c", {u"a b", u"c"}},
                      SSplitCase{u"\"\"", {u""}}, SSplitCase{u"a\\\\\"b c\"", {u"a\\b c"}},
                      SSplitCase{u"a\\\"b", {u"a\"b"}}, SSplitCase{u"C:\\dir\\ x", {u"C:\\dir\\", u"x"}},
                      SSplitCase{u"\"say \"\"hi\"\"\"", {u"say \"hi\""}}, SSplitCase{u"", {}}));

TEST(ProgramRun, WaitsForTheProgramAndGivesItsExitCode) {
  const std::string script = TestPath("program.sh");
  const std::string log = TestPath("arguments.txt");
  std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" << log
                        << "'; done\nexit 7\n";
  ASSERT_EQ(chmod(script.c_str(), 0755), 0);
  DWORD exitCode = 0;
  ASSERT_TRUE(RunProgramAndWait(CString::FromUtf8(script), u"-x \"two words\"", exitCode));
  EXPECT_EQ(exitCode, 7u);
  std::ifstream in(log);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, "-x\ntwo words\n");
}

TEST(ProgramRun, AProgramThatCannotStartReturnsAtOnce) {
  DWORD exitCode = 0;
  EXPECT_FALSE(RunProgramAndWait(CString::FromUtf8(TestPath("missing.exe")), u"-a", exitCode));
}

}  // namespace
