#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/TextModeFile.h"
#include "tests/support/TestEnvironment.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string WriteWithMode(const char* mode, const std::string& name) {
  const std::string path = TestPath(name);
  std::FILE* file = OpenTextModeFile(path.c_str(), mode);
  EXPECT_NE(file, nullptr) << mode;
  if (!file) return {};
  std::fputs("a;1;\n", file);
  std::fflush(file);
  std::fprintf(file, "b;%d;\n\n", 2);
  std::fclose(file);
  return Contents(path);
}

TEST(TextModeFile, WritesEachLineEndAsCrLfUnlessOpenedBinary) {
  EXPECT_EQ(WriteWithMode("w", "text.csv"), "a;1;\r\nb;2;\r\n\r\n");
  EXPECT_EQ(WriteWithMode("wb", "binary.csv"), "a;1;\nb;2;\n\n");
}

TEST(TextModeFile, AFileThatCannotBeCreatedGivesNull) {
  EXPECT_EQ(OpenTextModeFile(TestPath("missing/folder/log.csv").c_str(), "w"), nullptr);
}

}  // namespace
