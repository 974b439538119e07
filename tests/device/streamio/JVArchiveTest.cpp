#include <functional>
#include <string>
#include <vector>

#include "device/streamio/JVArchive.h"
#include "device/streamio/RamStream.h"
#include "platform/base/ErrorCodes.h"
#include "tests/device/streamio/StreamIOFixture.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

using namespace StreamIO;

namespace {

using Bytes = std::vector<BYTE>;
constexpr WORD kStoreLE = 0x00;
constexpr WORD kStoreBE = CJVArchive::MODE_BIG_ENDIAN;
constexpr WORD kLoad = CJVArchive::MODE_LOAD;

CString ArchivePath() { return CString::FromUtf8(TestPath("archive.bin")); }

Bytes FileBytes() { return ReadFileBytes(TestPath("archive.bin")); }

Bytes Store(WORD mode, const std::function<void(CJVArchive&)>& write, int bufferSize = 1024) {
  CJVArchive archive(ArchivePath(), mode, bufferSize);
  write(archive);
  archive.Close();
  return FileBytes();
}

// Loads `bytes` from a file; `read` runs on the loading archive.
void Load(const Bytes& bytes, WORD mode, const std::function<void(CJVArchive&)>& read,
          int bufferSize = 1024) {
  WriteFileBytes(TestPath("archive.bin"), bytes);
  CJVArchive archive(ArchivePath(), WORD(mode | kLoad), bufferSize);
  read(archive);
}

void WriteValues(CJVArchive& archive) {
  archive.WriteByte(0x12);
  archive.WriteWord(0x3456);
  archive.WriteDWord(0x789ABCDE);
  const WORD units[] = {0x0102, 0xA0B0};
  archive.WriteWords(units, 2);
}

TEST_F(StreamIOTest, ArchiveValuesInBothByteOrders) {
  const struct {
    WORD mode;
    Bytes expected;
  } cases[] = {
      {kStoreLE, {0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0x02, 0x01, 0xB0, 0xA0}},
      {kStoreBE, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0x01, 0x02, 0xA0, 0xB0}},
      {CJVArchive::MODE_SWAP, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0x01, 0x02, 0xA0, 0xB0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Store(c.mode, WriteValues), c.expected) << "mode " << c.mode;
    Load(c.expected, c.mode, [](CJVArchive& archive) {
      EXPECT_EQ(archive.ReadByte(), 0x12);
      EXPECT_EQ(archive.ReadWord(), 0x3456);
      EXPECT_EQ(archive.ReadDWord(), 0x789ABCDEu);
      WORD units[2] = {};
      archive.ReadWords(units, 2);
      EXPECT_EQ(units[0], 0x0102);
      EXPECT_EQ(units[1], 0xA0B0);
    });
  }
}

TEST_F(StreamIOTest, ArchiveStoresStringsAsUtf16WithCount) {
  const struct {
    WORD mode;
    const char16_t* text;
    Bytes expected;
  } cases[] = {
      {kStoreLE, u"abc", {0xFE, 0x03, 0x00, 0x61, 0x00, 0x62, 0x00, 0x63, 0x00}},
      {kStoreBE, u"abc", {0xFE, 0x00, 0x03, 0x00, 0x61, 0x00, 0x62, 0x00, 0x63}},
      {kStoreLE, u"\u00E9\u20AC", {0xFE, 0x02, 0x00, 0xE9, 0x00, 0xAC, 0x20}},
      {kStoreLE, u"", {0xFE, 0x00, 0x00}},
      {kStoreLE, nullptr, {0xFE, 0x00, 0x00}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Store(c.mode, [&](CJVArchive& archive) { archive.WriteString(c.text); }), c.expected);
    EXPECT_EQ(Store(c.mode, [&](CJVArchive& archive) { archive.WriteString(CString(c.text)); }), c.expected);
  }
}

TEST_F(StreamIOTest, ArchiveLoadsWideAndEightBitStrings) {
  const struct {
    WORD mode;
    Bytes bytes;
    std::u16string expected;
  } cases[] = {
      {0, {0xFF, 0x02, 0x00, 0x41, 0x42, 0x7F}, u"AB"},
      {0, {0xFE, 0x00, 0x00, 0x7F}, u""},
      {0, {0xFF, 0x03, 0x00, 0x41, 0x00, 0x42, 0x7F}, u"A"},  // 8-bit text ends at a zero byte
      {0, {0xFF, 0x01, 0x00, 0x80, 0x7F}, u"\u20AC"},         // in the ANSI code page
      {0, {0xFE, 0x02, 0x00, 0x41, 0x00, 0x00, 0x00, 0x7F}, std::u16string(u"A\0", 2)},
      {0, {0x01, 0x01, 0x00, 0x5A, 0x00, 0x7F}, u"Z"},  // any other marker is UTF-16
      {kStoreBE, {0xFE, 0x00, 0x02, 0x00, 0x41, 0x00, 0x42, 0x7F}, u"AB"},
      {kStoreBE, {0xFF, 0x00, 0x02, 0x41, 0x42, 0x7F}, u"AB"},
  };
  for (const auto& c : cases) {
    Load(c.bytes, c.mode, [&](CJVArchive& archive) {
      CString text(u"old");
      archive.ReadString(text);
      EXPECT_EQ(text.str(), c.expected);
      EXPECT_EQ(archive.ReadByte(), 0x7F) << "the whole string is consumed";
    });
  }
}

TEST_F(StreamIOTest, ArchiveRefusesStringsBeyond65535Characters) {
  const Bytes stored = Store(kStoreLE, [](CJVArchive& archive) {
    archive.WriteByte(0x01);
    try {
      archive.WriteString(CString(u'x', 65536));
      ADD_FAILURE() << "stored";
    } catch (const CFileException& e) {
      EXPECT_EQ(e.m_lOsError, ERROR_INSUFFICIENT_BUFFER);
      EXPECT_EQ(e.m_strFileName, ArchivePath());
    }
  });
  EXPECT_EQ(stored, Bytes{0x01}) << "nothing of the string is stored";

  const Bytes longest =
      Store(kStoreLE, [](CJVArchive& archive) { archive.WriteString(CString(u'x', 65535)); });
  ASSERT_EQ(longest.size(), 3u + 2 * 65535);
  EXPECT_EQ(Bytes(longest.begin(), longest.begin() + 5), (Bytes{0xFE, 0xFF, 0xFF, 0x78, 0x00}));
}

// The archive over a RAM stream reached through its handle, so the stream is visible while the
// archive works.
class ArchiveOnRamStream : public StreamIOTest {
 protected:
  void SetUp() override {
    StreamIOTest::SetUp();
    m_stream = std::make_unique<CRamStream>(u"RAM:archive", OPEN_READ | OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE);
  }
  void Put(int count) {
    for (int i = 0; i < count; ++i) m_stream->WriteByte(BYTE(i));
  }
  std::unique_ptr<CRamStream> m_stream;
};

TEST_F(ArchiveOnRamStream, SmallBufferIsTakenAsSixteenBytes) {
  CJVArchive archive(m_stream->GetHandle(), kStoreLE, 4);
  for (int i = 0; i < 16; ++i) archive.WriteByte(BYTE(i));
  EXPECT_EQ(m_stream->GetLength(), 0) << "the buffer holds 16 bytes";
  archive.WriteByte(16);
  EXPECT_EQ(m_stream->GetLength(), 16) << "the buffer is written out only when full";
}

TEST_F(ArchiveOnRamStream, ValueThatDoesNotFitFlushesFirst) {
  CJVArchive archive(m_stream->GetHandle(), kStoreLE, 16);
  for (int i = 0; i < 15; ++i) archive.WriteByte(BYTE(i));
  EXPECT_EQ(m_stream->GetLength(), 0);
  archive.WriteWord(0xBBAA);
  EXPECT_EQ(m_stream->GetLength(), 15);
  archive.Flush();
  EXPECT_EQ(m_stream->GetLength(), 17);
  m_stream->SeekTo(15);
  EXPECT_EQ(m_stream->ReadByte(), 0xAA);
  EXPECT_EQ(m_stream->ReadByte(), 0xBB);
}

TEST_F(ArchiveOnRamStream, ValueAcrossTheBufferEdgeRefills) {
  Put(19);
  CJVArchive archive(m_stream->GetHandle(), kLoad, 16);
  BYTE head[13];
  archive.ReadBytes(head, 13);
  EXPECT_EQ(archive.ReadDWord(), 0x100F0E0Du);
  EXPECT_EQ(archive.ReadWord(), 0x1211);
}

TEST_F(ArchiveOnRamStream, ValueBeyondTheEndRaises38AndLeavesTheRest) {
  Put(16);
  CJVArchive archive(m_stream->GetHandle(), kLoad, 16);
  BYTE head[13];
  archive.ReadBytes(head, 13);
  EXPECT_EQ(RaisedCode([&] { archive.ReadDWord(); }), ERROR_HANDLE_EOF);
  EXPECT_EQ(archive.ReadByte(), 13);
  EXPECT_EQ(archive.ReadByte(), 14);
  EXPECT_EQ(archive.ReadByte(), 15);
  EXPECT_EQ(RaisedCode([&] { archive.ReadByte(); }), ERROR_HANDLE_EOF);
}

TEST_F(ArchiveOnRamStream, LoadingRewindsAndStoringEmptiesTheStream) {
  Put(10);
  {
    CJVArchive loader(m_stream->GetHandle(), kLoad);
    EXPECT_EQ(loader.ReadByte(), 0) << "read from the start, not from where the stream stood";
    loader.Abort();
  }
  EXPECT_FALSE(m_stream->IsOpen()) << "aborting closes the table stream";

  m_stream->Open(u"RAM:archive", OPEN_READ | OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE);
  Put(10);
  CJVArchive storer(m_stream->GetHandle(), kStoreLE);
  EXPECT_EQ(m_stream->GetLength(), 0);
  storer.WriteByte(0x42);
  storer.Close();
  EXPECT_FALSE(m_stream->IsOpen());
  EXPECT_EQ(RaisedCode([&] { storer.Close(); }), ERROR_HANDLE_EOF);
  EXPECT_EQ(RaisedCode([&] { storer.WriteByte(1); }), ERROR_HANDLE_EOF);
}

TEST_F(ArchiveOnRamStream, HandleMustNameAnOpenStream) {
  const DWORD handle = m_stream->GetHandle();
  EXPECT_EQ(RaisedCode([] { CJVArchive(0, kLoad); }), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RaisedCode([&] { CJVArchive(handle + 1024, kLoad); }), ERROR_INVALID_HANDLE);
  m_stream->DoClose();
  EXPECT_EQ(RaisedCode([&] { CJVArchive(handle, kLoad); }), ERROR_INVALID_HANDLE);
}

TEST_F(ArchiveOnRamStream, WrongDirectionRaises) {
  Put(4);
  CJVArchive loader(m_stream->GetHandle(), kLoad | CJVArchive::MODE_ABORT_ON_DELETE);
  EXPECT_EQ(RaisedCode([&] { loader.Flush(); }), ERROR_WRITE_FAULT);
  CRamStream other(u"RAM:other", OPEN_READ | OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE);
  CJVArchive storer(other.GetHandle(), kStoreLE);
  EXPECT_EQ(RaisedCode([&] { storer.ReadByte(); }), ERROR_READ_FAULT);
}

TEST_F(StreamIOTest, AbortDropsWhatCloseWouldFlush) {
  const struct {
    WORD mode;
    bool abortCall;
    std::size_t sizeAfter;
  } cases[] = {
      {kStoreLE, true, 0},
      {CJVArchive::MODE_ABORT_ON_DELETE, false, 0},
      {kStoreLE, false, 3},
  };
  for (const auto& c : cases) {
    {
      CJVArchive archive(ArchivePath(), c.mode);
      archive.WriteByte(1);
      archive.WriteWord(2);
      if (c.abortCall) archive.Abort();
    }
    EXPECT_EQ(FileBytes().size(), c.sizeAfter) << "mode " << c.mode << (c.abortCall ? " aborted" : "");
  }
}

TEST_F(StreamIOTest, ArchiveOfAMissingFileRaises2) {
  const CString path = CString::FromUtf8(TestPath("missing.jvd"));
  try {
    CJVArchive archive(path, kLoad);
    ADD_FAILURE() << "opened";
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_lOsError, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(e.m_strFileName, path);
  }
}

TEST_F(StreamIOTest, ArraysLargerThan65535RoundTrip) {
  constexpr DWORD kByteCount = 200000;
  constexpr DWORD kWordCount = 70001;
  Bytes bytes(kByteCount);
  for (DWORD i = 0; i < kByteCount; ++i) bytes[i] = BYTE(i * 7 + i / 256);
  std::vector<WORD> words(kWordCount);
  for (DWORD i = 0; i < kWordCount; ++i) words[i] = WORD((i * 13) ^ 0x5A5A);

  for (const WORD mode : {kStoreLE, kStoreBE}) {
    for (const int bufferSize : {17, 1024}) {
      const Bytes stored = Store(
          mode,
          [&](CJVArchive& archive) {
            archive.WriteByte(0xEE);  // the arrays start off the buffer's alignment
            archive.WriteBytes(bytes.data(), kByteCount);
            archive.WriteWords(words.data(), kWordCount);
          },
          bufferSize);
      ASSERT_EQ(stored.size(), 1 + kByteCount + 2 * kWordCount);
      EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), stored.begin() + 1)) << "bytes go out as they are";
      int badUnits = 0;
      for (DWORD i = 0; i < kWordCount; ++i) {
        const BYTE first = stored[1 + kByteCount + 2 * i];
        const BYTE second = stored[1 + kByteCount + 2 * i + 1];
        const WORD unit = mode == kStoreBE ? WORD(first << 8 | second) : WORD(second << 8 | first);
        badUnits += unit != words[i];
      }
      EXPECT_EQ(badUnits, 0) << "mode " << mode << " buffer " << bufferSize;

      Load(
          stored, mode,
          [&](CJVArchive& archive) {
            EXPECT_EQ(archive.ReadByte(), 0xEE);
            Bytes bytesBack(kByteCount);
            archive.ReadBytes(bytesBack.data(), kByteCount);
            std::vector<WORD> wordsBack(kWordCount);
            archive.ReadWords(wordsBack.data(), kWordCount);
            EXPECT_EQ(bytesBack, bytes);
            EXPECT_EQ(wordsBack, words);
            EXPECT_EQ(RaisedCode([&] { archive.ReadByte(); }), ERROR_HANDLE_EOF);
          },
          bufferSize);
    }
  }
}

}  // namespace
