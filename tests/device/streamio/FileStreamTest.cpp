#include <fstream>
#include <iterator>
#include <string>

#include "device/streamio/FileStream.h"
#include "platform/base/ErrorCodes.h"
#include "tests/device/streamio/StreamIOFixture.h"
#include "tests/support/TestEnvironment.h"

using namespace StreamIO;

namespace {

constexpr DWORD kCreate = OPEN_READ | OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE;

CString PathOf(const std::string& name) { return CString::FromUtf8(TestPath(name)); }

std::string FileContents(const std::string& name) {
  std::ifstream in(TestPath(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& name, const std::string& contents) {
  std::ofstream(TestPath(name), std::ios::binary) << contents;
}

TEST_F(StreamIOTest, FileStreamWritesSeeksAndReadsARealFile) {
  CFileStream stream(PathOf("data.bin"), kCreate);
  EXPECT_TRUE(stream.IsOpen());
  EXPECT_TRUE(stream.CanSeek());
  EXPECT_EQ(stream.Write("0123456789", 10), 10);
  EXPECT_EQ(stream.GetLength(), 10);
  EXPECT_EQ(stream.GetPosition(), 10);

  EXPECT_EQ(stream.Seek(-4, SEEK_FROM_END), 6);
  EXPECT_EQ(stream.ReadByte(), '6');
  EXPECT_EQ(stream.Seek(-3, SEEK_FROM_CURRENT), 4);
  EXPECT_EQ(stream.Seek(2, SEEK_FROM_START), 2);
  char bytes[4] = {};
  EXPECT_EQ(stream.Read(bytes, 4), 4);
  EXPECT_EQ(std::string(bytes, 4), "2345");

  EXPECT_EQ(stream.SeekTo(3), 3);
  stream.SetLength();
  EXPECT_EQ(stream.GetLength(), 3);
  EXPECT_EQ(stream.Read(bytes, 4), 0);
  EXPECT_EQ(stream.GetError(), ERROR_HANDLE_EOF) << "a read that delivered nothing is only kept";
  EXPECT_TRUE(stream.IsTimeout());

  stream.SeekTo(5);
  stream.SetLength();
  EXPECT_EQ(stream.WriteByte('!'), 1);
  stream.DoClose();
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(FileContents("data.bin"), std::string("012\0\0!", 6)) << "growing the file adds zero bytes";
}

TEST_F(StreamIOTest, FileStreamCreationModes) {
  WriteFile("old.bin", "old contents");
  const struct {
    const char* name;
    DWORD flags;
    int error;
    const char* contentsAfter;
  } cases[] = {
      {"old.bin", OPEN_READ, 0, "old contents"},
      {"old.bin", OPEN_READ | OPEN_OR_CREATE, 0, "old contents"},
      {"old.bin", OPEN_READ | OPEN_WRITE | OPEN_CREATE_NEW, ERROR_FILE_EXISTS, "old contents"},
      {"old.bin", OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE, 0, ""},
      {"new1.bin", OPEN_READ, ERROR_FILE_NOT_FOUND, nullptr},
      {"new2.bin", OPEN_WRITE | OPEN_OR_CREATE, 0, ""},
      {"new3.bin", OPEN_WRITE | OPEN_CREATE_NEW, 0, ""},
      {"no/such/folder.bin", OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE, ERROR_FILE_NOT_FOUND, nullptr},
  };
  for (const auto& c : cases) {
    try {
      CFileStream stream(PathOf(c.name), c.flags);
      EXPECT_EQ(c.error, 0) << c.name << " opened";
    } catch (const CFileException& e) {
      EXPECT_EQ(e.m_lOsError, c.error) << c.name;
      EXPECT_EQ(e.m_strFileName, PathOf(c.name)) << "the exception names the file";
    }
    if (c.contentsAfter) {
      EXPECT_EQ(FileContents(c.name), c.contentsAfter) << c.name;
    }
  }
  EXPECT_EQ(RaisedCode([] { CFileStream(CString::FromUtf8(TestTempDir()), OPEN_READ); }), ERROR_ACCESS_DENIED)
      << "a folder is no file";
}

TEST_F(StreamIOTest, FileStreamRefusesWrongUse) {
  WriteFile("ro.bin", "abc");
  CFileStream reader(PathOf("ro.bin"), OPEN_READ | OPEN_SHARE_READ);
  EXPECT_EQ(RaisedCode([&] { reader.Write("x", 1); }), ERROR_WRITE_FAULT);
  EXPECT_EQ(reader.GetError(), ERROR_WRITE_FAULT);
  EXPECT_EQ(RaisedCode([&] { reader.SetLength(); }), ERROR_WRITE_FAULT);
  EXPECT_EQ(RaisedCode([&] { reader.Seek(0, 0); }), ERROR_SEEK);
  EXPECT_EQ(RaisedCode([&] { reader.Seek(0, 4); }), ERROR_SEEK);
  EXPECT_EQ(RaisedCode([&] { reader.Seek(-1, SEEK_FROM_START); }), ERROR_NEGATIVE_SEEK);
  EXPECT_FALSE(reader.Open(PathOf("ro.bin"), OPEN_READ));
  EXPECT_EQ(reader.GetError(), ERROR_NOT_SUPPORTED);

  CFileStream writer(PathOf("wo.bin"), OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE);
  char byte = 0;
  EXPECT_EQ(RaisedCode([&] { writer.Read(&byte, 1); }), ERROR_READ_FAULT);

  CFileStream closed;
  EXPECT_FALSE(closed.IsOpen());
  EXPECT_EQ(RaisedCode([&] { closed.Read(&byte, 1); }), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RaisedCode([&] { closed.GetLength(); }), ERROR_INVALID_HANDLE);
  EXPECT_NO_THROW(closed.Close());
}

TEST_F(StreamIOTest, FileStreamShareModesHoldBetweenStreams) {
  WriteFile("shared.bin", "x");
  const CString path = PathOf("shared.bin");
  const struct {
    DWORD first;
    DWORD second;
    int error;
  } cases[] = {
      {OPEN_READ | OPEN_SHARE_READ, OPEN_READ | OPEN_SHARE_READ, 0},
      {OPEN_READ | OPEN_SHARE_READ, OPEN_READ, ERROR_SHARING_VIOLATION},  // the second would deny the first
      {OPEN_READ | OPEN_SHARE_READ, OPEN_WRITE | OPEN_SHARE_READ, ERROR_SHARING_VIOLATION},
      {OPEN_READ, OPEN_READ | OPEN_SHARE_READ, ERROR_SHARING_VIOLATION},
      {OPEN_READ | OPEN_SHARE_READ | OPEN_SHARE_WRITE, OPEN_WRITE | OPEN_SHARE_READ, 0},
      {kCreate | OPEN_SHARE_READ, OPEN_READ | OPEN_SHARE_READ, ERROR_SHARING_VIOLATION},
      {kCreate | OPEN_SHARE_READ, OPEN_READ | OPEN_SHARE_READ | OPEN_SHARE_WRITE, 0},
  };
  for (const auto& c : cases) {
    CFileStream first(path, c.first);
    EXPECT_EQ(RaisedCode([&] { CFileStream second(path, c.second); }), c.error)
        << std::hex << c.first << " then " << c.second;
  }

  CFileStream holder(path, OPEN_READ | OPEN_WRITE);
  holder.DoClose();
  EXPECT_EQ(RaisedCode([&] { CFileStream(path, kCreate); }), 0) << "closing gives the file free";
}

TEST_F(StreamIOTest, RefusedTruncationLeavesTheData) {
  WriteFile("keep.bin", "keep");
  CFileStream holder(PathOf("keep.bin"), OPEN_READ);
  EXPECT_EQ(RaisedCode([] { CFileStream(PathOf("keep.bin"), kCreate); }), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(FileContents("keep.bin"), "keep");
}

TEST_F(StreamIOTest, DestroyingAnOpenFileStreamClosesIt) {
  {
    CFileStream stream(PathOf("scoped.bin"), kCreate);
    stream.Write("abc", 3);
  }
  EXPECT_EQ(FileContents("scoped.bin"), "abc");
  EXPECT_EQ(RaisedCode([] { CFileStream(PathOf("scoped.bin"), OPEN_WRITE); }), 0)
      << "no share-mode record of the closed stream is left";
}

}  // namespace
