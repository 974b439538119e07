#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/ErrorCodes.h"
#include "platform/base/FileReplacement.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

CString Wide(const std::string& path) { return CString::FromUtf8(path); }

TEST(FileReplacement, CommitPutsTheWrittenFileInTheTargetsPlace) {
  const std::string target = TestPath("data.csv");
  Put(target, "old");
  CFileReplacement replacement(Wide(target));
  EXPECT_EQ(replacement.GetTempPath(), Wide(target + ".saving"));
  Put(target + ".saving", "new\r\ncontent");
  EXPECT_EQ(ReadFileText(target), "old") << "the target stays until the commit";
  EXPECT_EQ(replacement.Commit(), ERROR_SUCCESS);
  EXPECT_EQ(ReadFileText(target), "new\r\ncontent");
  EXPECT_FALSE(std::filesystem::exists(target + ".saving"));
}

TEST(FileReplacement, LeftoverOfAnUnfinishedWriteGoesWhenTheNextOneStarts) {
  const std::string target = TestPath("project.jvd");
  Put(target + ".saving", "partial");
  CFileReplacement replacement(Wide(target));
  EXPECT_FALSE(std::filesystem::exists(target + ".saving"));
  EXPECT_FALSE(std::filesystem::exists(target));
}

TEST(FileReplacement, UncommittedWriteLeavesNoTemporaryFileAndTheTargetAsItWas) {
  const std::string target = TestPath("kept.csv");
  Put(target, "old");
  {
    CFileReplacement replacement(Wide(target));
    Put(target + ".saving", "half");
  }
  EXPECT_FALSE(std::filesystem::exists(target + ".saving"));
  EXPECT_EQ(ReadFileText(target), "old");
}

TEST(FileReplacement, CommitWithoutAWrittenFileFailsAndChangesNothing) {
  const std::string target = TestPath("never.csv");
  Put(target, "old");
  CFileReplacement replacement(Wide(target));
  EXPECT_EQ(replacement.Commit(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(ReadFileText(target), "old");
}

TEST(FileReplacement, TargetWithoutAFolderIsReplacedInTheCurrentFolder) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(TestTempDir());
  {
    CFileReplacement replacement(u"plain.txt");
    Put("plain.txt.saving", "here");
    EXPECT_EQ(replacement.Commit(), ERROR_SUCCESS);
  }
  EXPECT_EQ(ReadFileText("plain.txt"), "here");
  std::filesystem::current_path(before);
}

}  // namespace
