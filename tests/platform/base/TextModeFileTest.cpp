#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/TextModeFile.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

std::string WriteWithMode(const char* mode, const std::string& name) {
  const std::string path = TestPath(name);
  std::FILE* file = OpenTextModeFile(path.c_str(), mode);
  EXPECT_NE(file, nullptr) << mode;
  if (!file) return {};
  std::fputs("a;1;\n", file);
  std::fflush(file);
  std::fprintf(file, "b;%d;\n\n", 2);
  std::fclose(file);
  return ReadFileText(path);
}

TEST(TextModeFile, WritesEachLineEndAsCrLfUnlessOpenedBinary) {
  EXPECT_EQ(WriteWithMode("w", "text.csv"), "a;1;\r\nb;2;\r\n\r\n");
  EXPECT_EQ(WriteWithMode("wb", "binary.csv"), "a;1;\nb;2;\n\n");
}

TEST(TextModeFile, AFileThatCannotBeCreatedGivesNull) {
  EXPECT_EQ(OpenTextModeFile(TestPath("missing/folder/log.csv").c_str(), "w"), nullptr);
}

TEST(TextModeFile, Utf8ModeWritesAByteOrderMarkAndCrLf) {
  // "\xC3\xA4" is the UTF-8 form of a-umlaut; the mark EF BB BF comes first.
  const std::string path = TestPath("utf8.csv");
  std::FILE* file = OpenSharedTextModeFile(path.c_str(), "w+,ccs=UTF-8", SH_DENYNO);
  ASSERT_NE(file, nullptr);
  std::fputs("Load Unit;kN;\n\xC3\xA4;\n", file);
  std::fclose(file);
  EXPECT_EQ(ReadFileText(path), "\xEF\xBB\xBFLoad Unit;kN;\r\n\xC3\xA4;\r\n");
}

TEST(TextModeFile, DenyingWritersRefusesASecondWriterButNotAReader) {
  const std::string path = TestPath("log.txt");
  std::FILE* first = OpenSharedTextModeFile(path.c_str(), "w", SH_DENYWR);
  ASSERT_NE(first, nullptr);
  std::fputs("1) kept\n", first);
  std::fflush(first);
  errno = 0;
  EXPECT_EQ(OpenSharedTextModeFile(path.c_str(), "w", SH_DENYWR), nullptr);
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(ReadFileText(path), "1) kept\r\n") << "the refused open must not empty the file";
  std::FILE* reader = std::fopen(path.c_str(), "r");
  EXPECT_NE(reader, nullptr);
  if (reader) std::fclose(reader);
  std::fclose(first);
  std::FILE* again = OpenSharedTextModeFile(path.c_str(), "w", SH_DENYWR);
  ASSERT_NE(again, nullptr) << "the lock ends with the file";
  std::fclose(again);
  EXPECT_EQ(ReadFileText(path), "");
}

}  // namespace
