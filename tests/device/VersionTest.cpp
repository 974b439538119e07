#include <gtest/gtest.h>

#include "device/Version.h"

namespace {

struct SParseCase {
  const char16_t* text;
  ULONGLONG value;
};

TEST(VersionTest, ParseTable) {
  const SParseCase cases[] = {
      {u"1.8.3.0", 0x0001000800030000},
      {u"1, 8, 3, 0", 0x0001000800030000},
      {u" 1 . 8 . 3 ", 0x0001000800030000},
      {u"1.8.3.", 0x0001000800030000},
      {u"1.6.0", 0x0001000600000000},
      {u"1.6", 0x0000000100000006},
      {u"65535.65535.65535.65535", 0xFFFFFFFFFFFFFFFF},
      {u"70000.1.0.0", 0},
      {u"1.70000.0", 0},
      {u"4294967295.4294967295", 0xFFFFFFFFFFFFFFFF},
      {u"4294967296.1", 0},
      {u"12345", 12345},
      {u"9999999999999999999", 9999999999999999999u},
      {u"12345678901234567890", 0},
      {u"1.2.3.4.5", 0x0001000200030004},
      {u"18446744073709551617.0.0.0", 0},
      {u"-1.0.0.0", 0},
      {u"abc", 0},
      {u"", 0},
      {u"V1.2", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(CString(c.text).ToUtf8());
    EXPECT_EQ(CVersion(c.text).GetValue(), c.value);
  }
}

TEST(VersionTest, TwoNumbersAreTheHalvesAndCompareBelowThreeParts) {
  EXPECT_LT(CVersion(u"1.6"), CVersion(u"1.6.0"));
  EXPECT_NE(CVersion(u"1.6"), CVersion(u"1.6.0"));
  EXPECT_EQ(CVersion(u"1.6.0"), CVersion(u"1,6,0,0"));
  EXPECT_GT(CVersion(u"1.4.10"), CVersion(u"1.4.3"));
  EXPECT_GT(CVersion(u"65535.0.0.0"), CVersion(u"1.0.0.0")) << "versions compare unsigned";
}

TEST(VersionTest, FormatByPartCount) {
  const CVersion version(u"1.8.3.0");
  EXPECT_EQ(version.Format(4), u"1.8.3.0");
  EXPECT_EQ(version.Format(3), u"1.8.3");
  EXPECT_EQ(version.Format(2), u"65544.196608");
  EXPECT_EQ(version.Format(1), u"281509336645632");
  EXPECT_EQ(CVersion(u"1.6").Format(2), u"1.6");
  EXPECT_EQ(CVersion(u"65535.0.0.0").Format(0), u"18446462598732840960");
}

TEST(VersionTest, GetPartCountsFromTheMajorPart) {
  const CVersion version(u"1.8.3.7");
  EXPECT_EQ(version.GetPart(0), 1);
  EXPECT_EQ(version.GetPart(1), 8);
  EXPECT_EQ(version.GetPart(2), 3);
  EXPECT_EQ(version.GetPart(3), 7);
  EXPECT_EQ(version.GetPart(4), 0);
  EXPECT_EQ(version.GetPart(-1), 0);
}

}  // namespace
