#include <gtest/gtest.h>

#include "update/AutoUpdate.h"

namespace {

CVersion V(const char16_t* text) { return CVersion(CString(text)); }

TEST(InstallerNames, VersionFollowsTheMarkerUpToTheFirstDot) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"ZD-Zedo_V_1_9_0_2.exe", u"1.9.0.2"},
      {u"Setup_V_1_8_3.exe", u"1.8.3.0"},
      {u"ZD-Zedo_V_1_9_0_2.EXE", u"0"},
      {u"ZD-Zedo_1_9_0_2.exe", u"0"},
      {u"V_1_.exe", u"0"},
      {u"a.b_V_1_2_3_4.exe", u"0"},
      {u"ZD-Zedo_V_1_9_0_2.zip", u"0"},
  };
  for (const auto& [name, expected] : cases) {
    const CVersion version = CAutoUpdate::VersionFromInstallerName(name);
    EXPECT_EQ(version.GetValue() ? version.Format(4) : CString(u"0"), CString(expected))
        << CString(name).ToUtf8();
  }
  EXPECT_EQ(CAutoUpdate::VersionFromInstallerName(u"_V_1.exe").GetValue(), 1u) << "more than five characters";
  EXPECT_EQ(CAutoUpdate::VersionFromInstallerName(u"V_1.exe").GetValue(), 0u);
}

TEST(InstallerChoice, TheFirstOfTheNewestInstallersIsChosen) {
  const std::vector<SFtpFileEntry> files = {
      {u"A_V_1_8_3_0.exe", 1}, {u"B_V_1_9_0_0.exe", 2},    {u"C_V_1_9_0_0.exe", 3},  {u"D_V_2_0_0_0.EXE", 4},
      {u"D_2_0_0_0.exe", 5},   {u"../E_V_3_0_0_0.exe", 6}, {u"F\\_V_3_0_0_0.exe", 7}};
  SFtpFileEntry chosen;
  CVersion version;
  ASSERT_TRUE(CAutoUpdate::ChooseNewest(files, V(u"1.8.3.0"), chosen, version));
  EXPECT_EQ(chosen.name, CString(u"B_V_1_9_0_0.exe"));
  EXPECT_EQ(chosen.size, 2u);
  EXPECT_EQ(version, V(u"1.9.0.0"));
  EXPECT_FALSE(CAutoUpdate::ChooseNewest(files, V(u"1.9.0.0"), chosen, version)) << "nothing is newer";
}

TEST(InstallerChoice, MandatoryModeTakesTheHighestWithinTheLimits) {
  const std::vector<SFtpFileEntry> files = {{u"A_V_2_1_0_0.exe", 1}, {u"B_V_2_5_0_0.exe", 2},
                                            {u"C_V_2_5_0_0.exe", 3}, {u"D_V_3_5_0_0.exe", 4},
                                            {u"E_V_2_2_0_0.exe", 5}, {u"X.exe", 6}};
  SFtpFileEntry chosen;
  CVersion version;
  ASSERT_TRUE(CAutoUpdate::ChooseWithinLimits(files, V(u"2.0.0.0"), V(u"3.0.0.0"), chosen, version));
  EXPECT_EQ(chosen.name, CString(u"B_V_2_5_0_0.exe"));
  ASSERT_TRUE(CAutoUpdate::ChooseWithinLimits(files, V(u"2.2.0.0"), V(u"2.2.0.0"), chosen, version));
  EXPECT_EQ(chosen.name, CString(u"E_V_2_2_0_0.exe")) << "equal limits ask for that version exactly";
  EXPECT_FALSE(CAutoUpdate::ChooseWithinLimits(files, V(u"2.3.0.0"), V(u"2.3.0.0"), chosen, version));
  EXPECT_FALSE(CAutoUpdate::ChooseWithinLimits(files, V(u"4.0.0.0"), V(u"5.0.0.0"), chosen, version));
}

}  // namespace
