#include <gtest/gtest.h>
#include <sys/stat.h>
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

namespace fs = std::filesystem;

// Saving through a symbolic link writes the file it points to, beside that file, and keeps the
// link: a link to a link, a relative and an absolute link, and one whose file is not there yet.
TEST(FileReplacement, ALinkStaysALinkAndItsFileTakesTheNewContent) {
  fs::create_directories(TestPath("real"));
  fs::create_directories(TestPath("links"));
  Put(TestPath("real/project.jvd"), "old");
  fs::create_symlink("../real/project.jvd", TestPath("links/relative.jvd"));
  fs::create_symlink(TestPath("links/relative.jvd"), TestPath("links/chain.jvd"));
  fs::create_symlink("../real/new.jvd", TestPath("links/dangling.jvd"));
  struct Case {
    const char* link;
    const char* file;
  } cases[] = {{"links/relative.jvd", "real/project.jvd"},
               {"links/chain.jvd", "real/project.jvd"},
               {"links/dangling.jvd", "real/new.jvd"}};
  for (const Case& c : cases) {
    const std::string link = TestPath(c.link), file = TestPath(c.file);
    const fs::path pointsTo = fs::read_symlink(link);
    CFileReplacement replacement(Wide(link));
    EXPECT_EQ(replacement.GetTarget(), Wide(link));
    EXPECT_EQ(fs::weakly_canonical(replacement.GetTempPath().ToUtf8()),
              fs::weakly_canonical(file + ".saving"));
    Put(replacement.GetTempPath().ToUtf8(), c.link);
    EXPECT_EQ(replacement.Commit(), ERROR_SUCCESS) << c.link;
    EXPECT_TRUE(fs::is_symlink(link)) << c.link;
    EXPECT_EQ(fs::read_symlink(link), pointsTo) << c.link;
    EXPECT_EQ(ReadFileText(file), c.link);
    EXPECT_FALSE(fs::exists(file + ".saving"));
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(TestPath("links")), {}), 3);
}

// The new file has the old one's permissions, whatever the writer created it with.
TEST(FileReplacement, TheReplacedFileKeepsItsMode) {
  for (mode_t mode : {0600, 0640, 0644, 0700, 0444}) {
    const std::string target = TestPath("mode.jvd");
    Put(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), mode), 0);
    CFileReplacement replacement(Wide(target));
    Put(target + ".saving", "new");
    ASSERT_EQ(::chmod((target + ".saving").c_str(), 0666), 0);
    EXPECT_EQ(replacement.Commit(), ERROR_SUCCESS);
    struct stat written {};
    ASSERT_EQ(::stat(target.c_str(), &written), 0);
    EXPECT_EQ(written.st_mode & 07777, mode) << std::oct << mode;
    EXPECT_EQ(ReadFileText(target), "new");
  }
}

}  // namespace
