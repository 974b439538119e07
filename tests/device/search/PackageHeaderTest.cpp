// Reading the header of firmware update packages: a golden package written out byte by byte,
// and malformed variants of it.

#include <gtest/gtest.h>

#include <memory>

#include "device/PackageHeader.h"
#include "device/streamio/FileStream.h"
#include "tests/device/search/PackageBytes.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

// Format version 3, two entries, the trailer.
const Bytes kGoldenHead = {
    0x40, 0x4A, 0x76, 0x40,  // "@Jv@"
    0x01, 0x00, 0x00, 0x00,  // 1
    0x01, 0x00,              // 1
    0x03, 0x00,              // format version number 3
    0x02, 0x00, 0x00, 0x00,  // two entries
    // Entry 1: tag and kB flags, kind 1, type 1, version 1.6.2, "APP", 25 x 4 kB, blocks 0 and 1.
    0x22, 0x01, 0x01, 0x00, 0x01, 0x00, 0x06, 0x00, 0x02, 0x00, 0x41, 0x50, 0x50, 0x19, 0x00, 0x00, 0x02,
    0x00,
    // Entry 2: tenth-MB flag without tag, kind 7, type 3, version 2.0.7, tag bytes "XYZ" unused,
    // 15 tenths of a MB, block 2 alone.
    0x40, 0x07, 0x03, 0x00, 0x02, 0x00, 0x00, 0x00, 0x07, 0x00, 0x58, 0x59, 0x5A, 0x0F, 0x02, 0x00, 0x01,
    0x00,
    // Trailer: 3 blocks, package version 4.5.6, two bytes not read, device code 12, check kind 2,
    // 0x11223344, 0x55667788, 0x99AA, 0xBBCC, four bytes not read.
    0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x05, 0x00, 0x06, 0x00, 0xEE, 0xEE, 0x0C, 0x00, 0x00, 0x00, 0x02,
    0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55, 0xAA, 0x99, 0xCC, 0xBB, 0xDD, 0xDD, 0xDD, 0xDD};
constexpr size_t kTrailerOffset = 16 + 2 * 18;
constexpr size_t kGoldenSize = kTrailerOffset + 161;

// The golden head followed by the 128-byte block 0x00 to 0x7F.
Bytes Golden() {
  Bytes bytes = kGoldenHead;
  for (int i = 0; i < 128; ++i) bytes.push_back(BYTE(i));
  return bytes;
}

struct SRead {
  bool ok = false;
  Device::CPackageHeader header;
  int position = 0;
};

std::unique_ptr<SRead> Read(const Bytes& bytes) {
  static int fileNumber = 0;
  const std::string path = TestPath("package" + std::to_string(++fileNumber) + ".bin");
  EXPECT_TRUE(WriteFileBytes(path, bytes));
  StreamIO::CFileStream stream(CString::FromUtf8(path), StreamIO::OPEN_READ);
  auto result = std::make_unique<SRead>();
  result->ok = result->header.Read(stream);
  result->position = stream.GetPosition();
  return result;
}

TEST(PackageHeaderTest, GoldenPackageIsReadWithItsEntriesAndTrailer) {
  ASSERT_EQ(Golden().size(), kGoldenSize);
  Bytes bytes = Golden();
  bytes.insert(bytes.end(), {0xAB, 0xCD});  // the block records would follow
  const auto read = Read(bytes);
  ASSERT_TRUE(read->ok);
  const Device::CPackageHeader& header = read->header;
  EXPECT_TRUE(header.IsValid());
  EXPECT_EQ(read->position, int(kGoldenSize));
  EXPECT_EQ(header.m_contents.m_version.GetValue(), 0x0000000100000003ull);
  EXPECT_EQ(header.m_entryCount, 2u);
  ASSERT_EQ(header.m_contents.m_entries.size(), 2u);

  const Device::SContentEntry& app = header.m_contents.m_entries[0];
  EXPECT_EQ(app.flags, 0x22);
  EXPECT_EQ(app.kind, 1);
  EXPECT_EQ(app.contentType, 1);
  EXPECT_EQ(app.version.GetValue(), 0x0001000600020000ull);
  EXPECT_EQ(app.tag, CString(u"APP"));
  EXPECT_EQ(app.firstBlock, 0);
  EXPECT_EQ(app.blockCount, 2);
  EXPECT_EQ(app.sizeText, CString(u"100 kB"));

  const Device::SContentEntry& os = header.m_contents.m_entries[1];
  EXPECT_EQ(os.flags, 0x40);
  EXPECT_EQ(os.kind, 7);
  EXPECT_EQ(os.contentType, 3);
  EXPECT_EQ(os.version.GetValue(), 0x0002000000070000ull);
  EXPECT_TRUE(os.tag.IsEmpty());
  EXPECT_EQ(os.firstBlock, 2);
  EXPECT_EQ(os.blockCount, 1);
  EXPECT_EQ(os.sizeText, CString(u"1.5 MB"));

  EXPECT_EQ(header.m_blockCount, 3u);
  EXPECT_EQ(header.m_packageVersion.GetValue(), 0x0004000500060000ull);
  EXPECT_EQ(header.m_deviceCode, 12u);
  EXPECT_EQ(header.m_checkKind, 2);
  EXPECT_EQ(header.m_trailerValue1, 0x11223344u);
  EXPECT_EQ(header.m_trailerValue2, 0x55667788u);
  EXPECT_EQ(header.m_trailerWord1, 0x99AA);
  EXPECT_EQ(header.m_trailerWord2, 0xBBCC);
  for (int i = 0; i < 128; ++i) EXPECT_EQ(header.m_block128[size_t(i)], BYTE(i)) << i;
}

TEST(PackageHeaderTest, MalformedPackagesAreRefused) {
  const struct {
    const char* what;
    size_t offset;
    BYTE value;
    bool headRead;
  } cases[] = {
      {"magic", 1, 'j', false},
      {"second fixed value", 8, 2, false},
      {"no entries", 12, 0, false},
      {"2001 entries", 12, 0xD1, false},  // 0x07D1
      {"content type 13", 16 + 18 + 2, 13, true},
      {"entry without blocks", 16 + 16, 0, true},
      {"trailer without blocks", kTrailerOffset, 0, true},
      {"check kind 3", kTrailerOffset + 16, 3, true},
  };
  for (const auto& c : cases) {
    Bytes bytes = Golden();
    bytes[c.offset] = c.value;
    if (std::string(c.what) == "2001 entries") bytes[13] = 0x07;
    const auto read = Read(bytes);
    EXPECT_FALSE(read->ok) << c.what;
    EXPECT_EQ(read->header.m_headRead, c.headRead) << c.what;
    EXPECT_FALSE(read->header.IsValid()) << c.what;
  }
  Bytes cut = Golden();
  cut.pop_back();
  EXPECT_FALSE(Read(cut)->ok) << "short trailer";
  EXPECT_FALSE(Read(Bytes(kGoldenHead.begin(), kGoldenHead.begin() + 15))->ok) << "short head";
}

TEST(PackageHeaderTest, CheckKindsZeroOneTwoAndFourAreAccepted) {
  for (BYTE kind : {0, 1, 2, 4}) {
    Bytes bytes = Golden();
    bytes[kTrailerOffset + 16] = kind;
    EXPECT_TRUE(Read(bytes)->ok) << int(kind);
  }
}

TEST(PackageHeaderTest, TwoThousandEntriesAreAccepted) {
  Bytes bytes = PackageHead(1, 2000);
  for (int i = 0; i < 2000; ++i) Append(bytes, PackageEntry(0, 0, 1, 1, 0, 0, "   ", 0, WORD(i), 1));
  Append(bytes, PackageTrailer(2000, 12, 1));
  const auto read = Read(bytes);
  ASSERT_TRUE(read->ok);
  EXPECT_EQ(read->header.m_contents.m_entries.size(), 2000u);
  EXPECT_EQ(read->header.m_contents.m_entries.back().firstBlock, 1999);
}

TEST(PackageHeaderTest, SizeTextFollowsTheFirstUnitFlagWithAValue) {
  const struct {
    BYTE flags;
    BYTE size;
    const char16_t* text;
  } cases[] = {
      {0x20, 25, u"100 kB"}, {0x40, 15, u"1.5 MB"}, {0x60, 2, u"8 kB"}, {0x10, 3, u"48 B"}, {0x30, 0, u"0 B"},
      {0x20, 0, u""},        {0x40, 0, u""},        {0x00, 9, u""},     {0x50, 0, u"0 B"},  {0x02, 7, u""},
  };
  for (const auto& c : cases) {
    Bytes bytes = PackageHead(0, 1);
    Append(bytes, PackageEntry(c.flags, 0, 1, 1, 0, 0, "ABC", c.size, 0, 1));
    Append(bytes, PackageTrailer(1, 12, 0));
    const auto read = Read(bytes);
    ASSERT_TRUE(read->ok);
    EXPECT_EQ(read->header.m_contents.m_entries[0].sizeText, CString(c.text))
        << int(c.flags) << " " << int(c.size);
  }
}

}  // namespace
