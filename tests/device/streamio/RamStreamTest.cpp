#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "device/streamio/RamDisk.h"
#include "device/streamio/RamStream.h"
#include "platform/base/ErrorCodes.h"
#include "platform/kernel/Thread.h"
#include "tests/device/streamio/StreamIOFixture.h"

using namespace StreamIO;

namespace {

constexpr DWORD kRead = OPEN_READ;
constexpr DWORD kWrite = OPEN_WRITE;
constexpr DWORD kCreateReadWrite = OPEN_READ | OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE;  // 0x33
constexpr DWORD kShareBoth = OPEN_SHARE_READ | OPEN_SHARE_WRITE;

std::string ReadAll(CIoStream& stream, int count) {
  std::string bytes(std::size_t(count), '\0');
  bytes.resize(std::size_t(stream.Read(bytes.data(), count)));
  return bytes;
}

TEST_F(StreamIOTest, RamFileShareRules) {
  const struct {
    const char* what;
    DWORD created;  // 0: the file does not exist
    DWORD second;
    int error;
  } cases[] = {
      {"open existing of a missing file", 0, kRead, ERROR_FILE_NOT_FOUND},
      {"create or truncate without share", kCreateReadWrite, kCreateReadWrite, ERROR_SHARING_VIOLATION},
      {"create or truncate of a shared file", kCreateReadWrite | kShareBoth, kCreateReadWrite, 0},
      {"truncate needs share write", kCreateReadWrite | OPEN_SHARE_READ, kCreateReadWrite,
       ERROR_SHARING_VIOLATION},
      {"reading needs share read", kCreateReadWrite | OPEN_SHARE_WRITE, OPEN_READ | OPEN_CREATE_OR_TRUNCATE,
       ERROR_SHARING_VIOLATION},
      {"reader of a share-read file", kCreateReadWrite | OPEN_SHARE_READ, kRead, 0},
      {"writer of a share-read file", kCreateReadWrite | OPEN_SHARE_READ, kWrite, ERROR_SHARING_VIOLATION},
      {"create new of an existing file", kCreateReadWrite | kShareBoth, kWrite | OPEN_CREATE_NEW,
       ERROR_FILE_EXISTS},
      {"create or truncate of a ring file", OPEN_WRITE | OPEN_OR_CREATE | OPEN_RING | kShareBoth,
       kCreateReadWrite, ERROR_OPEN_FAILED},
      {"writer of a shared ring file", OPEN_WRITE | OPEN_OR_CREATE | OPEN_RING | kShareBoth, kWrite, 0},
      {"reader of a ring file without share", kWrite | OPEN_OR_CREATE | OPEN_RING, kRead, 0},
      {"second writer of a ring file", kWrite | OPEN_OR_CREATE | OPEN_RING, kWrite, ERROR_SHARING_VIOLATION},
  };
  for (const auto& c : cases) {
    std::unique_ptr<CRamStream> first;
    if (c.created) {
      first = std::make_unique<CRamStream>(u"RAM:a", c.created);
      if (c.created & OPEN_WRITE) first->Write("data", 4);
    }
    CRamStream second;
    EXPECT_EQ(RaisedCode([&] { second.Open(u"RAM:a", c.second); }), c.error) << c.what;
    EXPECT_EQ(second.GetError(), c.error) << c.what << ": the refusal is kept";
    if (c.error == 0 && (c.second & OPEN_CREATION_MASK) == OPEN_CREATE_OR_TRUNCATE) {
      EXPECT_EQ(first->GetLength(), 0) << c.what << ": the data is emptied";
    }
  }
}

TEST_F(StreamIOTest, RingFileAdmitsOneReaderAndOneWriter) {
  CRamStream writer(u"RAM:ring", kWrite | OPEN_OR_CREATE | OPEN_RING);
  auto reader = std::make_unique<CRamStream>(u"RAM:ring", kRead);
  EXPECT_EQ(RaisedCode([] { CRamStream(u"RAM:ring", kRead); }), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(RaisedCode([] { CRamStream(u"RAM:ring", kRead | kWrite); }), ERROR_SHARING_VIOLATION);
  reader.reset();
  EXPECT_EQ(RaisedCode([] { CRamStream(u"RAM:ring", kRead); }), 0) << "the reader's place is free again";
}

TEST_F(StreamIOTest, RamNamesAndDiskNames) {
  EXPECT_EQ(RaisedCode([] { CRamStream(u"RAM:a:b", kCreateReadWrite); }), ERROR_INVALID_NAME);
  CRamStream unprefixed(u"plain", kCreateReadWrite);
  EXPECT_EQ(unprefixed.GetName(), CString(u"RAM:plain"));
  CRamStream lower(u"ram:Case", kCreateReadWrite | kShareBoth);
  EXPECT_EQ(RaisedCode([] { CRamStream(u"RAM:case", kRead); }), ERROR_FILE_NOT_FOUND)
      << "names keep their case";
  EXPECT_EQ(RaisedCode([] { CRamStream(u"RAM:Case", kRead); }), 0);

  EXPECT_EQ(CRamDisk(u"RAM").GetName(), CString(u"RAM:"));
  EXPECT_EQ(CRamDisk(u"D:").GetName(), CString(u"D:"));
  EXPECT_EQ(RaisedCode([] { CRamDisk(u"A:B:"); }), ERROR_INVALID_NAME);
}

TEST_F(StreamIOTest, LastCloseDeletesTheRamFile) {
  {
    CRamStream clip(u"RAM:ClipRamStream", kCreateReadWrite);
    clip.Write("image", 5);
  }
  EXPECT_EQ(RaisedCode([] { CRamStream(u"RAM:ClipRamStream", kRead); }), ERROR_FILE_NOT_FOUND);

  CRamStream stream(u"RAM:ClipRamStream", kCreateReadWrite);
  stream.DoClose();
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(RaisedCode([] { CRamStream(u"RAM:ClipRamStream", kRead); }), ERROR_FILE_NOT_FOUND);
}

TEST_F(StreamIOTest, LinearFileKeepsOnePositionPerStream) {
  CRamStream writer(u"RAM:lin", kCreateReadWrite | OPEN_SHARE_READ);
  EXPECT_TRUE(writer.CanSeek());
  EXPECT_EQ(writer.Write("abcdef", 6), 6);
  CRamStream reader(u"RAM:lin", kRead);
  EXPECT_EQ(ReadAll(reader, 2), "ab");
  EXPECT_EQ(reader.GetPosition(), 2);
  EXPECT_EQ(writer.GetPosition(), 6);

  EXPECT_EQ(reader.Seek(1, SEEK_FROM_CURRENT), 3);
  EXPECT_EQ(ReadAll(reader, 10), "def");
  EXPECT_EQ(reader.Seek(-2, SEEK_FROM_END), 4);
  EXPECT_EQ(reader.Seek(6, SEEK_FROM_START), 6) << "the end itself is a place";
  EXPECT_EQ(RaisedCode([&] { reader.Seek(-1, SEEK_FROM_START); }), ERROR_NEGATIVE_SEEK);
  EXPECT_EQ(reader.GetError(), ERROR_NEGATIVE_SEEK);
  EXPECT_EQ(RaisedCode([&] { reader.Seek(7, SEEK_FROM_START); }), ERROR_SEEK_ON_DEVICE);
  EXPECT_EQ(RaisedCode([&] { reader.Seek(0, 0); }), ERROR_SEEK_ON_DEVICE);

  EXPECT_EQ(reader.SeekTo(100), 100) << "SeekTo does not check";
  EXPECT_EQ(ReadAll(reader, 4), "");
  EXPECT_EQ(reader.GetError(), ERROR_HANDLE_EOF);
  EXPECT_TRUE(reader.IsTimeout());
}

TEST_F(StreamIOTest, GrowingALinearFileFillsTheGapWithZeros) {
  CRamStream stream(u"RAM:grow", kCreateReadWrite);
  stream.Write(std::string(100, '\xAA').data(), 100);
  stream.SeekTo(20);
  stream.SetLength();
  EXPECT_EQ(stream.GetLength(), 20);

  stream.SeekTo(60);
  stream.WriteByte(0x55);
  EXPECT_EQ(stream.GetLength(), 61);
  stream.SeekTo(80);
  stream.SetLength();
  EXPECT_EQ(stream.GetLength(), 80);

  stream.SeekTo(0);
  const std::string expected =
      std::string(20, '\xAA') + std::string(40, '\0') + std::string(1, '\x55') + std::string(19, '\0');
  EXPECT_EQ(ReadAll(stream, 100), expected);
}

TEST_F(StreamIOTest, RingFileIsFirstInFirstOut) {
  CRamStream writer(u"RAM:fifo", kWrite | OPEN_CREATE_NEW | OPEN_RING);
  CRamStream reader(u"RAM:fifo", kRead);
  EXPECT_FALSE(reader.CanSeek());
  EXPECT_EQ(writer.Write("0123456789", 10), 10);
  EXPECT_EQ(ReadAll(reader, 4), "0123");
  EXPECT_EQ(reader.GetLength(), 6);
  reader.SeekTo(3);
  EXPECT_EQ(ReadAll(reader, 1), "4") << "a ring file reads its oldest byte wherever the stream stands";
  EXPECT_EQ(RaisedCode([&] { reader.Seek(0, SEEK_FROM_START); }), ERROR_SEEK_ON_DEVICE);
  EXPECT_EQ(reader.GetPosition(), 0);

  writer.SeekTo(3);
  writer.SetLength();
  EXPECT_EQ(reader.GetLength(), 5) << "a ring file keeps its data for any length but 0";
  reader.Purge();
  EXPECT_EQ(reader.GetLength(), 0);
  EXPECT_EQ(ReadAll(reader, 1), "");
  EXPECT_EQ(reader.GetError(), ERROR_HANDLE_EOF);
}

TEST_F(StreamIOTest, RingFileKeepsOrderWhenItWrapsAndGrows) {
  CRamStream writer(u"RAM:wrap", kWrite | OPEN_CREATE_NEW | OPEN_RING);
  CRamStream reader(u"RAM:wrap", kRead);
  std::string sent;
  std::string received;
  auto send = [&](int count) {
    std::string chunk;
    for (int i = 0; i < count; ++i) chunk += char('A' + (sent.size() + std::size_t(i)) % 26);
    EXPECT_EQ(writer.Write(chunk.data(), count), count);
    sent += chunk;
  };
  send(300);                         // block of 512
  received += ReadAll(reader, 200);  // data from 200 to 300
  send(211);
  EXPECT_EQ(reader.GetLength(), 311);
  send(200);  // wraps round the block's end; 511 held, only the one free byte is left
  EXPECT_EQ(reader.GetLength(), 511);
  send(1);  // grows, moving the wrapped data in order
  received += ReadAll(reader, 10000);
  EXPECT_EQ(received, sent);
}

TEST_F(StreamIOTest, RamStreamRefusesWrongUse) {
  CRamStream closed;
  char byte = 0;
  EXPECT_EQ(RaisedCode([&] { closed.Read(&byte, 1); }), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RaisedCode([&] { closed.Write(&byte, 1); }), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RaisedCode([&] { closed.GetLength(); }), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RaisedCode([&] { closed.SetLength(); }), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RaisedCode([&] { closed.Purge(); }), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RaisedCode([&] { closed.Reserve(10); }), ERROR_INVALID_HANDLE);

  CRamStream writer(u"RAM:w", kWrite | OPEN_OR_CREATE | OPEN_SHARE_READ);
  EXPECT_EQ(RaisedCode([&] { writer.Read(&byte, 1); }), ERROR_READ_FAULT);
  EXPECT_EQ(writer.GetError(), ERROR_READ_FAULT);
  EXPECT_TRUE(writer.Reserve(100000));
  EXPECT_EQ(writer.GetLength(), 0) << "reserving adds no data";

  CRamStream reader(u"RAM:w", kRead);
  EXPECT_EQ(RaisedCode([&] { reader.Write(&byte, 1); }), ERROR_WRITE_FAULT);
  EXPECT_EQ(RaisedCode([&] { reader.SetLength(); }), ERROR_WRITE_FAULT);
  EXPECT_FALSE(reader.Open(u"RAM:w", kRead));
  EXPECT_EQ(reader.GetError(), ERROR_NOT_SUPPORTED);
}

TEST_F(StreamIOTest, RingFileCarriesAMegabyteBetweenThreads) {
  constexpr int kTotal = 1 << 20;
  auto pattern = [](int i) { return BYTE((i * 31 + i / 977) & 0xFF); };
  CRamStream writerStream(u"RAM:pipe", kWrite | OPEN_CREATE_NEW | OPEN_RING);
  CRamStream readerStream(u"RAM:pipe", kRead);
  std::atomic<bool> failed = false;

  CThread writer;
  writer.Start([&]() -> DWORD {
    std::vector<BYTE> chunk;
    for (int sent = 0, size = 1; sent < kTotal; sent += size, size = size % 3001 + 7) {
      size = std::min(size, kTotal - sent);
      chunk.resize(std::size_t(size));
      for (int i = 0; i < size; ++i) chunk[std::size_t(i)] = pattern(sent + i);
      if (writerStream.Write(chunk.data(), size) != size) failed = true;
    }
    return 0;
  });

  std::vector<BYTE> received;
  received.reserve(kTotal);
  CThread reader;
  reader.Start([&]() -> DWORD {
    std::vector<BYTE> chunk(4096);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (int(received.size()) < kTotal && !failed && std::chrono::steady_clock::now() < deadline) {
      const int got = readerStream.Read(chunk.data(), 1 + int(received.size() % 4096));
      if (got == 0 && readerStream.GetError() != ERROR_HANDLE_EOF) failed = true;
      received.insert(received.end(), chunk.begin(), chunk.begin() + got);
    }
    return 0;
  });

  EXPECT_EQ(WaitForSingleObject(writer, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(reader, INFINITE), WAIT_OBJECT_0);
  EXPECT_FALSE(failed);
  ASSERT_EQ(int(received.size()), kTotal);
  int mismatches = 0;
  for (int i = 0; i < kTotal; ++i) mismatches += received[std::size_t(i)] != pattern(i);
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(readerStream.GetLength(), 0);
}

}  // namespace
