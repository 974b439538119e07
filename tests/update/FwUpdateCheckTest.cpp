#include <gtest/gtest.h>

#include "update/FwUpdateCheck.h"

namespace {

TEST(FirmwareFileNames, VersionDependsOnNameAndContentType) {
  struct Case {
    const char16_t* name;
    int type;
    const char16_t* version;  // as a.b.c.d; "0" for none
  };
  const Case cases[] = {
      {u"X-V1.6.3.lod", 1, u"1.6.3.0"},
      {u"X-V1.6.3.lod", 2, u"1.6.3.0"},
      {u"X-V1.6.3.lod", 12, u"1.6.3.0"},
      {u"X-V2.0.1_FW.lod", 1, u"2.0.1.0"},
      {u"X-V2.0.1_FW.lod", 2, u"0"},
      {u"X-V2.0.1_FW.lod", 12, u"0"},
      {u"X-V2.0.1_APP.lod", 1, u"2.0.1.0"},
      {u"X-V5.1.2_OS.lod", 2, u"5.1.2.0"},
      {u"X-V5.1.2_OS.lod", 1, u"0"},
      {u"X-V3.2.1_MFW.lod", 12, u"3.2.1.0"},
      {u"X-V3.2.1_fw.lod", 1, u"0"},
      {u"X-V1.6.3.LOD", 1, u"0"},
      {u"X1.6.3.lod", 1, u"0"},
      {u"-Vlod", 1, u"0"},
      {u"lod", 1, u"0"},
      {u"A-B-V1_2_3.lod", 1, u"1.2.3.0"},
  };
  for (const Case& c : cases) {
    const CVersion version = CFwUpdateCheck::VersionFromName(c.name, c.type);
    const CString text = version.GetValue() == 0 ? CString(u"0") : version.Format(4);
    EXPECT_EQ(text, CString(c.version)) << CString(c.name).ToUtf8() << " type " << c.type;
  }
}

}  // namespace
