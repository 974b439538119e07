#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/net/FtpFile.h"
#include "platform/net/InternetException.h"
#include "platform/net/InternetSession.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

std::vector<std::uint8_t> PatternBytes(size_t count) {
  std::vector<std::uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = std::uint8_t((i * 7 + i / 251) & 0xFF);
  return bytes;
}

// A server whose login folder holds DiVudodav/ZD-Zedo with an installer, a text file, a
// firmware file in two spellings, a sub-folder and a sparse file beyond 4 GiB; the file
// "cut.bin" ends after 1000 of its bytes.
class FtpServerWithUpdateFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string folder = TestPath("ftp/DiVudodav/ZD-Zedo");
    std::filesystem::create_directories(folder + "/sub");
    m_installer = PatternBytes(100003);
    ASSERT_TRUE(WriteFileBytes(folder + "/ZD-Zedo_V_1_9_0_0.exe", m_installer));
    ASSERT_TRUE(WriteFileBytes(folder + "/cut.bin", PatternBytes(5000)));
    std::ofstream(folder + "/ZD-Zedo.txt", std::ios::binary) << "MinVersion: 1.0\nmaxversion: 2.0\n";
    std::ofstream(folder + "/X-V1.0.lod") << "x";
    std::ofstream(folder + "/Y-V1.0.LOD") << "y";
    std::ofstream(folder + "/huge.bin").close();
    std::filesystem::resize_file(folder + "/huge.bin", 5ull << 30);
    m_server = std::make_unique<CFtpTestServer>(TestPath("ftp"), std::vector<std::string>{"cut.bin:1000"});
    ASSERT_NE(m_server->Port(), 0) << "the FTP server did not start";
  }

  std::unique_ptr<CFtpConnection> Login(const CString& password = u"hantelKRB") {
    return m_session.GetFtpConnection(CString::FromUtf8(m_server->Address()), u"jvcust", password, &m_stop);
  }

  std::unique_ptr<CFtpTestServer> m_server;
  CInternetSession m_session;
  std::atomic<bool> m_stop{false};
  std::vector<std::uint8_t> m_installer;
};

TEST_F(FtpServerWithUpdateFolder, DirectoriesAreRelativeToTheLoginFolder) {
  auto ftp = Login();
  CString directory;
  ASSERT_TRUE(ftp->GetCurrentDirectory(directory));
  EXPECT_EQ(directory, CString(u"/"));
  ASSERT_TRUE(ftp->SetCurrentDirectory(u"./DiVudodav/ZD-Zedo/"));
  ASSERT_TRUE(ftp->GetCurrentDirectory(directory));
  EXPECT_EQ(directory, CString(u"/DiVudodav/ZD-Zedo"));
  EXPECT_FALSE(ftp->SetCurrentDirectory(u"./DiVudodav/0000000c/")) << "a missing folder was entered";
  ASSERT_TRUE(ftp->GetCurrentDirectory(directory));
  EXPECT_EQ(directory, CString(u"/DiVudodav/ZD-Zedo")) << "a failed change moved the current directory";
  ASSERT_TRUE(ftp->SetCurrentDirectory(u"../ZD-Zedo/sub"));
  ASSERT_TRUE(ftp->GetCurrentDirectory(directory));
  EXPECT_EQ(directory, CString(u"/DiVudodav/ZD-Zedo/sub"));
}

TEST_F(FtpServerWithUpdateFolder, ListingGivesFilesWithTheirSizesMatchedCaseSensitively) {
  auto ftp = Login();
  ASSERT_TRUE(ftp->SetCurrentDirectory(u"./DiVudodav/ZD-Zedo/"));
  std::map<std::string, ULONGLONG> all;
  for (const SFtpFileEntry& entry : ftp->ListFiles(u"*")) all[entry.name.ToUtf8()] = entry.size;
  const std::map<std::string, ULONGLONG> expected = {{"X-V1.0.lod", 1},   {"Y-V1.0.LOD", 1},
                                                     {"ZD-Zedo.txt", 32}, {"ZD-Zedo_V_1_9_0_0.exe", 100003},
                                                     {"cut.bin", 5000},   {"huge.bin", 5ull << 30}};
  EXPECT_EQ(all, expected) << "the sub-folder must not be listed, sizes must be 64-bit";
  const auto firmware = ftp->ListFiles(u"*.lod");
  ASSERT_EQ(firmware.size(), 1u);
  EXPECT_EQ(firmware[0].name, CString(u"X-V1.0.lod"));
}

// A size fact decides how much is read and written: only plain decimal digits within 64 bits
// are taken, and a file listed with any other size is left out.
TEST(FtpListing, OnlyFilesWithPlainDecimalSizesAreListed) {
  const std::string root = TestPath("ftp-sizes");
  const std::vector<std::pair<std::string, std::string>> listed = {{"minus.exe", "-1"},
                                                                   {"plus.exe", "+5"},
                                                                   {"blank.exe", " 7"},
                                                                   {"empty.exe", ""},
                                                                   {"hex.exe", "0x10"},
                                                                   {"over.exe", "18446744073709551616"},
                                                                   {"max.exe", "18446744073709551615"},
                                                                   {"zeros.exe", "007"}};
  std::filesystem::create_directories(root);
  std::vector<std::string> sizes;
  for (const auto& [name, size] : listed) {
    std::ofstream(root + "/" + name) << "x";
    sizes.push_back(name + ":" + size);
  }
  std::ofstream(root + "/own.exe") << "four";
  CFtpTestServer server(root, {}, sizes);
  ASSERT_NE(server.Port(), 0) << "the FTP server did not start";
  CInternetSession session;
  auto ftp = session.GetFtpConnection(CString::FromUtf8(server.Address()), u"jvcust", u"hantelKRB");
  std::map<std::string, ULONGLONG> all;
  for (const SFtpFileEntry& entry : ftp->ListFiles(u"*")) all[entry.name.ToUtf8()] = entry.size;
  const std::map<std::string, ULONGLONG> expected = {
      {"max.exe", 18446744073709551615ull}, {"own.exe", 4}, {"zeros.exe", 7}};
  EXPECT_EQ(all, expected);
}

TEST_F(FtpServerWithUpdateFolder, BinaryFileReadsInBlocksOfAnySizeFromOneTransfer) {
  auto ftp = Login();
  ASSERT_TRUE(ftp->SetCurrentDirectory(u"./DiVudodav/ZD-Zedo/"));
  auto file = ftp->OpenFile(u"ZD-Zedo_V_1_9_0_0.exe", true);
  std::vector<std::uint8_t> received;
  const UINT blockSizes[] = {1, 7, 4096, 65536, 3};
  for (int i = 0;; ++i) {
    std::vector<std::uint8_t> block(blockSizes[i % 5]);
    const UINT count = file->Read(block.data(), UINT(block.size()));
    if (count == 0) break;
    received.insert(received.end(), block.begin(), block.begin() + count);
  }
  EXPECT_EQ(received, m_installer);
}

TEST_F(FtpServerWithUpdateFolder, AsciiFileReadsToTheEndOfItsTransfer) {
  auto ftp = Login();
  ASSERT_TRUE(ftp->SetCurrentDirectory(u"./DiVudodav/ZD-Zedo/"));
  auto file = ftp->OpenFile(u"ZD-Zedo.txt", false);
  std::string text;
  char block[5];
  while (UINT count = file->Read(block, sizeof block)) text.append(block, count);
  // The line ends are the transfer's; the lines are the file's.
  std::erase(text, '\r');
  EXPECT_EQ(text, "MinVersion: 1.0\nmaxversion: 2.0\n");
}

TEST_F(FtpServerWithUpdateFolder, ATransferEndingEarlyDeliversOnlyWhatCame) {
  auto ftp = Login();
  ASSERT_TRUE(ftp->SetCurrentDirectory(u"./DiVudodav/ZD-Zedo/"));
  auto file = ftp->OpenFile(u"cut.bin", true);
  std::vector<std::uint8_t> block(5000);
  UINT total = 0;
  try {
    while (UINT count = file->Read(block.data(), 5000 - total)) total += count;
    FAIL() << "a short transfer ended as complete";
  } catch (const CInternetException& error) {
    CString message;
    error.GetErrorMessage(message, 1024);
    EXPECT_EQ(total, 1000u) << "the data before the failure was not delivered: " << message.ToUtf8();
  }
}

TEST_F(FtpServerWithUpdateFolder, RefusalsAndStopsAreInternetErrors) {
  try {
    Login(u"wrong");
    FAIL() << "a wrong password was accepted";
  } catch (const CInternetException& error) {
    CString message;
    ASSERT_TRUE(error.GetErrorMessage(message, 1024));
    EXPECT_EQ(error.m_dwError, ERROR_INTERNET_LOGIN_FAILURE);
    EXPECT_EQ(message.Left(3), CString(u"530")) << message.ToUtf8();
  }
  auto ftp = Login();
  ASSERT_TRUE(ftp->SetCurrentDirectory(u"./DiVudodav/ZD-Zedo/"));
  EXPECT_THROW(ftp->OpenFile(u"missing.exe", true), CInternetException);
  m_stop = true;
  try {
    ftp->ListFiles(u"*");
    FAIL() << "a listing ran while the stop flag was set";
  } catch (const CInternetException& error) {
    EXPECT_EQ(error.m_dwError, ERROR_INTERNET_OPERATION_CANCELLED);
  }
}

TEST(FtpWithoutServer, ConnectionsFailAtOnce) {
  CInternetSession session;
  struct Case {
    std::string server;
    DWORD error;
  };
  const Case cases[] = {{"", ERROR_INTERNET_NAME_NOT_RESOLVED},
                        {ClosedLoopbackAddress(), ERROR_INTERNET_CANNOT_CONNECT}};
  for (const Case& c : cases) {
    try {
      session.GetFtpConnection(CString::FromUtf8(c.server), u"jvcust", u"hantelKRB");
      ADD_FAILURE() << "connected to \"" << c.server << "\"";
    } catch (const CInternetException& error) {
      EXPECT_EQ(error.m_dwError, c.error) << c.server;
    }
  }
}

TEST(FtpPatterns, StarAndQuestionMarkMatchCaseSensitively) {
  EXPECT_TRUE(CFtpConnection::MatchesPattern(u"a.lod", u"*.lod"));
  EXPECT_TRUE(CFtpConnection::MatchesPattern(u".lod", u"*.lod"));
  EXPECT_FALSE(CFtpConnection::MatchesPattern(u"a.LOD", u"*.lod"));
  EXPECT_FALSE(CFtpConnection::MatchesPattern(u"a.lod.txt", u"*.lod"));
  EXPECT_TRUE(CFtpConnection::MatchesPattern(u"ab", u"a?"));
  EXPECT_TRUE(CFtpConnection::MatchesPattern(u"", u"*"));
}

}  // namespace
