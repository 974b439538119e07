#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "toolkit/ImageMemFile.h"

namespace {

TEST(ImageMemFile, GrowsInWholeBlocksOf64K) {
  struct Case {
    std::size_t bytes;
    std::uint32_t capacity;
  };
  for (const Case c : {Case{1, 65536}, Case{65535, 65536}, Case{65536, 131072}, Case{70000, 131072}}) {
    CImageMemFile file;
    ASSERT_TRUE(file.Open());
    std::vector<BYTE> data(c.bytes, 0x5A);
    EXPECT_EQ(file.Write(data.data(), 1, data.size()), data.size());
    EXPECT_EQ(file.GetCapacity(), c.capacity) << c.bytes << " bytes";
    EXPECT_EQ(file.GetSize(), std::int32_t(c.bytes));
  }
}

TEST(ImageMemFile, ReadsBackWhatWasWrittenAndStopsAtTheEnd) {
  CImageMemFile file;
  ASSERT_TRUE(file.Open());
  EXPECT_FALSE(file.Open()) << "a second Open must not drop the buffer";
  const char text[] = "line one\nab";
  ASSERT_EQ(file.Write(text, 1, sizeof text - 1), sizeof text - 1);
  ASSERT_TRUE(file.Seek(0, 0));

  char line[32];
  ASSERT_NE(file.GetLine(line, sizeof line), nullptr);
  EXPECT_STREQ(line, "line one\n");
  EXPECT_EQ(file.GetLine(line, sizeof line), nullptr) << "the end came before a line feed";

  ASSERT_TRUE(file.Seek(-2, 2));
  char two[4] = {};
  EXPECT_EQ(file.Read(two, 2, 2), 1u) << "only one whole element of two bytes remains";
  EXPECT_STREQ(two, "ab");
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(file.GetByte(), -1);
  EXPECT_EQ(file.Read(two, 1, 1), 0u);

  EXPECT_TRUE(file.Seek(-100, 1));
  EXPECT_EQ(file.GetPosition(), 0) << "a seek never goes below the start";
  EXPECT_FALSE(file.Seek(0, 3));
}

TEST(ImageMemFile, WriteAfterSeekPastTheEndFillsTheGapWithZeros) {
  CImageMemFile file;
  ASSERT_TRUE(file.Open());
  // Fill the first block with a pattern, then shrink the written size back by reopening
  // over the same memory, so that stale bytes lie beyond the end.
  std::vector<BYTE> stale(64, 0xEE);
  ASSERT_EQ(file.Write(stale.data(), 1, stale.size()), stale.size());
  BYTE* block = file.DetachBuffer(true);
  CImageMemFile reused(block, 4);
  ASSERT_TRUE(reused.Seek(10, 0));
  EXPECT_TRUE(reused.HasError()) << "the position lies beyond the data";
  ASSERT_TRUE(reused.PutByte(0x42));
  EXPECT_EQ(reused.GetSize(), 11);
  const BYTE* bytes = reused.DetachBuffer(false);
  for (int i = 4; i < 10; ++i) EXPECT_EQ(bytes[i], 0) << "gap byte " << i;
  EXPECT_EQ(bytes[10], 0x42);
  EXPECT_EQ(bytes[0], 0xEE) << "bytes before the end stay";
}

TEST(ImageMemFile, DetachedBufferSurvivesClose) {
  BYTE* buffer = nullptr;
  {
    CImageMemFile file;
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.PutByte(7));
    buffer = file.DetachBuffer(true);
    EXPECT_TRUE(file.Close());
  }
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(buffer[0], 7);
  std::free(buffer);
}

TEST(ImageMemFile, WithoutBufferEverythingFails) {
  CImageMemFile file;
  BYTE byte = 1;
  EXPECT_EQ(file.Write(&byte, 1, 1), 0u);
  EXPECT_FALSE(file.PutByte(1));
  EXPECT_FALSE(file.Seek(0, 0));
  EXPECT_EQ(file.GetPosition(), -1);
  EXPECT_EQ(file.GetSize(), -1);
  EXPECT_EQ(file.HasError(), -1);
  EXPECT_TRUE(file.AtEnd());
  EXPECT_FALSE(file.Flush());
}

}  // namespace
