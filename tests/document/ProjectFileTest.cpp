#include <gtest/gtest.h>

#include <filesystem>

#include "appbase/Registry.h"
#include "device/FileVersionInfo.h"
#include "device/streamio/JVArchive.h"
#include "document/Units.h"
#include "document/ZedoDoc.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedAnswers.h"
#include "tests/document/MeasFixtures.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

const char16_t kNotAProject[] = u"This is not a ZD-Zedo project file or there was an error while reading.";

// Magic, the program's four product version words (major first) and the format version.
CBytes Header(unsigned formatVersion) {
  CFileVersionInfo version;
  version.CreateFromModule(nullptr);
  CBytes b;
  b.Str(u"JovanT ZD-Zedo project file");
  for (int part = 3; part >= 0; --part) b.U16(version.GetProductVersionPart(part));
  return std::move(b.U16(formatVersion));
}

// One stored measurement of the list section; formatVersion 1 has no selected byte.
void AppendMeasurement(CBytes& b, const CRawRecord& raw, const SMeasDeviceInfo& d, const char16_t* comment,
                       bool expanded, bool selected, unsigned formatVersion = 2) {
  b.U32(238).Raw(raw.Bytes());
  b.Str(d.strDeviceName).Str(d.strSerialNumber).Str(d.strHwSerialNumber).Str(d.strHwRevision);
  b.Str(d.strAppVersion).Str(d.strModel).Str(d.strCalDate);
  b.U32(std::uint32_t(d.nLoadLimit)).Str(comment).U8(expanded);
  if (formatVersion > 1) b.U8(selected);
}

CRawRecord GoldenRecord() {
  return CRawRecord()
      .Slot(4)
      .Date(2022, 6, 30, 9, 15, 45)
      .Id(0x01020304)
      .Area(1963)
      .Word(MeasRaw::kLoadRate, 120)
      .Unit(UNIT_N_MM2)
      .Word(MeasRaw::kLoadLimit, 16000)
      .Byte(23, 1)
      .Byte(24, 4)
      .Byte(26, 60)
      .Byte(27, 40)
      .Word(MeasRaw::kSamplingPeriod, 10)
      .Peak(9817)
      .Word(MeasRaw::kTearOffTime, 123)
      .Sample(30, 9817)
      .Sample(31, 9817)
      .Word(MeasRaw::kEffectiveLoadRate, 118);
}

std::vector<BYTE> GoldenProject() {
  CBytes b = Header(2);
  b.U32(1);
  AppendMeasurement(b, GoldenRecord(), DeviceBlock(16000), u"first \"pull\"", true, false);
  b.U8(2).U8(4).Str(u"site A");
  return b.Get();
}

class ProjectFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PinTimeZone("Europe/Berlin");
    SetDateTimeFormatSetting(0x0303);
  }
  std::string Write(const std::string& name, const std::vector<BYTE>& bytes) {
    WriteFileBytes(TestPath(name), bytes);
    return TestPath(name);
  }
  // A document holding one measurement of the given model load limit, saved at a path.
  void LoadOne(CZedoDoc& doc, std::int32_t limit, const std::string& name) {
    CBytes b = Header(2);
    b.U32(1);
    AppendMeasurement(b, CRawRecord().Slot(9), DeviceBlock(limit), u"", false, true);
    b.U8(1).U8(1).Str(u"");
    ASSERT_TRUE(doc.OnFileOpen(CString::FromUtf8(Write(name, b.Get()))));
  }
  CScriptedAnswers answers;
  CZedoDoc doc;
};

TEST_F(ProjectFileTest, GoldenProjectOpensWithEveryDerivedValue) {
  ASSERT_TRUE(doc.OnFileOpen(CString::FromUtf8(Write("golden.jvd", GoldenProject()))));
  EXPECT_TRUE(answers.GetMessageBoxTexts().empty());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetFormatVersion(), 2);
  EXPECT_EQ(doc.GetTitle(true), u"golden");
  ASSERT_EQ(doc.GetCount(), 1);
  CString text, value, unit;
  EXPECT_EQ(doc.GetDateTimeText(0, text), 1656573345);  // 07:15:45 UTC, summer time
  EXPECT_EQ(text, u"30.06.2022 09:15");
  EXPECT_EQ(doc.GetSlotId(0), 4);
  EXPECT_EQ(doc.GetId(0), 0x01020304u);
  BYTE asked = 1;
  EXPECT_DOUBLE_EQ(doc.GetPeakLoad(0, asked, value, unit), 9817.0 / 1963.0);
  EXPECT_EQ(value, u"5.00");
  EXPECT_EQ(unit, u"N/mm2");
  doc.GetLoadRateText(0, value, unit);
  EXPECT_EQ(value, u"0.061");
  EXPECT_EQ(unit, u"N/mm2s");
  doc.GetDiameterText(0, value, unit);
  EXPECT_EQ(value, u"50.0");
  EXPECT_DOUBLE_EQ(doc.GetPeakLoadTimeText(0, value, unit), 3.0);
  doc.GetTearOffTimeText(0, value, unit);
  EXPECT_EQ(value, u"12.3");
  int percent = 0;
  BYTE code = 0;
  ASSERT_TRUE(doc.GetFailureMode(0, 2, text, percent, code));
  EXPECT_EQ(text, u"C");
  EXPECT_EQ(percent, 40);
  EXPECT_EQ(doc.GetComment(0), u"first \"pull\"");
  EXPECT_TRUE(doc.IsExpanded(0));
  EXPECT_FALSE(doc.IsSelected(0));
  EXPECT_EQ(doc.GetDeviceText(0), u"SN123");
  EXPECT_EQ(doc.GetLoadLimit(0, false), 16000.0);
  CString name;
  EXPECT_EQ(doc.GetSummary().GetSortKey(name), 2);
  EXPECT_EQ(doc.GetSummary().GetUnit(), UNIT_MPA);
  EXPECT_EQ(doc.GetSummary().GetCommentRef(), u"site A");
}

TEST_F(ProjectFileTest, SavedProjectIsByteIdenticalToItsGoldenFile) {
  const std::vector<BYTE> golden = GoldenProject();
  ASSERT_TRUE(doc.OnFileOpen(CString::FromUtf8(Write("golden.jvd", golden))));
  ASSERT_TRUE(doc.SaveToPath(CString::FromUtf8(TestPath("resaved.jvd"))));
  EXPECT_EQ(ReadFileBytes(TestPath("resaved.jvd")), golden);
  EXPECT_FALSE(std::filesystem::exists(TestPath("resaved.jvd.saving")));
}

TEST_F(ProjectFileTest, SaveRemovesTheTemporaryFileOfAnEarlierSaveThatNeverFinished) {
  const std::vector<BYTE> golden = GoldenProject();
  ASSERT_TRUE(doc.OnFileOpen(CString::FromUtf8(Write("golden.jvd", golden))));
  Write("resaved.jvd.saving", std::vector<BYTE>(golden.size() * 3, 0xAB));
  ASSERT_TRUE(doc.SaveToPath(CString::FromUtf8(TestPath("resaved.jvd"))));
  EXPECT_EQ(ReadFileBytes(TestPath("resaved.jvd")), golden);
  EXPECT_FALSE(std::filesystem::exists(TestPath("resaved.jvd.saving")));
}

TEST_F(ProjectFileTest, FormatVersionOneOpensEverythingSelectedAndKeepsSummarySettings) {
  doc.GetSummary().SetUnit(UNIT_PSI);
  CBytes b = Header(1);
  b.U32(2);
  AppendMeasurement(b, CRawRecord().Slot(1), DeviceBlock(6000), u"a", false, false, 1);
  AppendMeasurement(b, CRawRecord().Slot(2), DeviceBlock(6000), u"b", true, false, 1);
  ASSERT_TRUE(doc.OnFileOpen(CString::FromUtf8(Write("v1.jvd", b.Get()))));
  ASSERT_EQ(doc.GetCount(), 2);
  EXPECT_TRUE(doc.IsSelected(0));
  EXPECT_TRUE(doc.IsSelected(1));
  EXPECT_TRUE(doc.IsExpanded(1));
  EXPECT_EQ(doc.GetComment(1), u"b");
  EXPECT_EQ(doc.GetSummary().GetUnit(), UNIT_PSI);
  EXPECT_EQ(doc.GetFormatVersion(), 1);
}

TEST_F(ProjectFileTest, NewerFormatIsRefusedAndTheProjectStays) {
  LoadOne(doc, 6000, "current.jvd");
  doc.SetComment(0, u"unsaved");
  CBytes b = Header(3);
  b.U32(0);
  EXPECT_FALSE(doc.OnFileOpen(CString::FromUtf8(Write("v3.jvd", b.Get()))));
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            (std::vector<CString>{u"The project file is not supported by the current ZD-Zedo.\n"
                                  u"Please update the ZD-Zedo software."}));
  EXPECT_EQ(answers.GetMessageBoxes()[0].type & MB_ICONMASK, MB_ICONERROR);
  EXPECT_EQ(doc.GetCount(), 1);
  EXPECT_EQ(doc.GetComment(0), u"unsaved");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetTitle(true), u"current");
}

TEST_F(ProjectFileTest, DamagedFilesFailCleanlyAndLeaveTheProjectAsItWas) {
  const std::vector<BYTE> golden = GoldenProject();
  std::vector<BYTE> truncated(golden.begin(), golden.end() - 5);
  std::vector<BYTE> wrongMagic = golden;
  wrongMagic[3] = 'j';  // "jovanT": case counts
  CBytes shortRecord = Header(2);
  shortRecord.U32(2);
  AppendMeasurement(shortRecord, CRawRecord(), DeviceBlock(6000), u"", false, true);
  shortRecord.U32(237).Raw(std::vector<BYTE>(237, 0));
  CBytes hugeCount = Header(2);
  hugeCount.U32(0x7FFFFFFF);
  AppendMeasurement(hugeCount, CRawRecord(), DeviceBlock(6000), u"", false, true);
  CBytes noMarker = Header(2);
  noMarker.U32(1).U32(238).Raw(CRawRecord().Word(MeasRaw::kMarker, 237).Bytes());

  struct Case {
    const char* name;
    std::vector<BYTE> bytes;
  } cases[] = {{"truncated", truncated},
               {"wrong magic", wrongMagic},
               {"record length 237", shortRecord.Get()},
               {"huge count", hugeCount.Get()},
               {"record marker", noMarker.Get()},
               {"empty", {}}};
  LoadOne(doc, 6000, "current.jvd");
  doc.SetComment(0, u"unsaved");
  for (const Case& c : cases) {
    CScriptedAnswers local;
    EXPECT_FALSE(doc.OnFileOpen(CString::FromUtf8(Write("bad.jvd", c.bytes)))) << c.name;
    ASSERT_EQ(local.GetMessageBoxes().size(), 1u) << c.name;
    EXPECT_EQ(local.GetMessageBoxes()[0].text, kNotAProject) << c.name;
    EXPECT_EQ(doc.GetCount(), 1) << c.name;
    EXPECT_EQ(doc.GetComment(0), u"unsaved") << c.name;
    EXPECT_TRUE(doc.IsModified()) << c.name;
    EXPECT_EQ(doc.GetTitle(true), u"current") << c.name;
  }
  EXPECT_FALSE(doc.OnFileOpen(CString::FromUtf8(TestPath("missing.jvd"))));
}

TEST_F(ProjectFileTest, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
  LoadOne(doc, 6000, "current.jvd");
  const std::vector<BYTE> before = ReadFileBytes(TestPath("current.jvd"));
  doc.SetComment(0, u"changed");
  // A folder where the temporary file must go makes the write fail.
  std::filesystem::create_directory(TestPath("current.jvd.saving"));
  EXPECT_FALSE(doc.Save());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(ReadFileBytes(TestPath("current.jvd")), before);
  ASSERT_EQ(answers.GetMessageBoxTexts().size(), 1u);
  // The box names the file the user chose, not the temporary one beside it.
  EXPECT_NE(answers.GetMessageBoxTexts()[0].Find(CString::FromUtf8(TestPath("current.jvd")) + u" (error "),
            -1)
      << answers.GetMessageBoxTexts()[0].ToUtf8();

  EXPECT_FALSE(doc.SaveToPath(CString::FromUtf8(TestPath("no/such/folder/x.jvd"))));
  EXPECT_TRUE(doc.IsModified());

  std::filesystem::remove(TestPath("current.jvd.saving"));
  EXPECT_TRUE(doc.Save());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_NE(ReadFileBytes(TestPath("current.jvd")), before);
}

// A project saved through a symbolic link lands in the file the link points to, which keeps its
// permissions; the link stays a link.
TEST_F(ProjectFileTest, SavingThroughALinkWritesTheLinkedProjectAndKeepsItsMode) {
  namespace fs = std::filesystem;
  LoadOne(doc, 6000, "linked.jvd");
  const fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(TestPath("linked.jvd"), ownerOnly);
  fs::create_symlink("linked.jvd", TestPath("link.jvd"));
  doc.SetComment(0, u"through the link");
  ASSERT_TRUE(doc.SaveToPath(CString::FromUtf8(TestPath("link.jvd"))));
  EXPECT_TRUE(fs::is_symlink(TestPath("link.jvd")));
  EXPECT_EQ(fs::status(TestPath("linked.jvd")).permissions(), ownerOnly);
  CZedoDoc reread;
  ASSERT_TRUE(reread.OnFileOpen(CString::FromUtf8(TestPath("linked.jvd"))));
  EXPECT_EQ(reread.GetComment(0), u"through the link");
  EXPECT_FALSE(fs::exists(TestPath("link.jvd.saving")));
  EXPECT_FALSE(fs::exists(TestPath("linked.jvd.saving")));
}

TEST_F(ProjectFileTest, MergeOfAnotherLoadLimitIsRefusedAndChangesNothing) {
  LoadOne(doc, 6000, "a.jvd");
  CZedoDoc other;
  LoadOne(other, 16000, "b.jvd");
  {
    StreamIO::CJVArchive archive(CString::FromUtf8(TestPath("b.jvd")), StreamIO::CJVArchive::MODE_LOAD);
    EXPECT_FALSE(doc.ReadProject(archive, true));
  }
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            (std::vector<CString>{u"All data to be pasted must have the same load limit as that in the "
                                  u"current project."}));
  EXPECT_EQ(doc.GetCount(), 1);
  EXPECT_FALSE(doc.IsModified());

  CZedoDoc same;
  LoadOne(same, 6000, "c.jvd");
  StreamIO::CJVArchive archive(CString::FromUtf8(TestPath("c.jvd")), StreamIO::CJVArchive::MODE_LOAD);
  EXPECT_TRUE(doc.ReadProject(archive, true));
  EXPECT_EQ(doc.GetCount(), 2);
}

TEST_F(ProjectFileTest, QuerySaveAsksOnlyForModifiedProjectsWithMeasurements) {
  doc.SetModified();
  EXPECT_TRUE(doc.QuerySave());
  EXPECT_TRUE(answers.GetMessageBoxTexts().empty());
  EXPECT_FALSE(doc.IsModified());

  LoadOne(doc, 6000, "current.jvd");
  doc.SetComment(0, u"x");
  answers.AddMessageBoxAnswer(IDCANCEL);
  EXPECT_FALSE(doc.QuerySave());
  EXPECT_EQ(doc.GetCount(), 1);
  answers.AddMessageBoxAnswer(IDYES);
  EXPECT_TRUE(doc.QuerySave());
  EXPECT_EQ(doc.GetCount(), 0);
  EXPECT_EQ(doc.GetTitle(false), u"");
  EXPECT_EQ(answers.GetMessageBoxTexts().back(), u"Would you like to save changes in your Project?");
  CZedoDoc reread;
  ASSERT_TRUE(reread.OnFileOpen(CString::FromUtf8(TestPath("current.jvd"))));
  EXPECT_EQ(reread.GetComment(0), u"x");
}

TEST_F(ProjectFileTest, TitlesStripOnlyTheFileNamesExtension) {
  EXPECT_EQ(doc.GetTitle(true), u"");
  const std::vector<BYTE> golden = GoldenProject();
  struct Case {
    std::string file;
    const char16_t* title;
  } cases[] = {
      {"Site A/test.jvd", u"test"}, {"proj.old/testfile", u"testfile"}, {"my.project.jvd", u"my.project"}};
  for (const Case& c : cases) {
    std::filesystem::create_directories(std::filesystem::path(TestPath(c.file)).parent_path());
    const CString path = CString::FromUtf8(Write(c.file, golden));
    ASSERT_TRUE(doc.OnFileOpen(path));
    EXPECT_EQ(doc.GetTitle(true), c.title);
    EXPECT_EQ(doc.GetTitle(false), path);
  }
  doc.QuerySave();
  ASSERT_TRUE(doc.AddDownloadedData(CRawRecord().Bytes().data(), 238, nullptr));
  EXPECT_EQ(doc.GetTitle(true), u"Unnamed");
}

TEST_F(ProjectFileTest, DialogsStartInTheLastProjectFolder) {
  ASSERT_TRUE(CRegistry(kSettingsKey).WriteDWORD(u"DTFormat", 0x0303));  // the key exists
  const std::string folder = TestPath("projects");
  std::filesystem::create_directories(folder);
  const CString golden = CString::FromUtf8(Write("projects/golden.jvd", GoldenProject()));
  ASSERT_TRUE(doc.OnFileOpen(golden));
  EXPECT_TRUE(answers.GetFileDialogs().empty()) << "a given path needs no dialog";
  CString stored;
  ASSERT_TRUE(CRegistry(kSettingsKey).ReadString(u"ProjectsPath", stored));
  EXPECT_EQ(stored, CString::FromUtf8(folder));

  doc.QuerySave();
  answers.AddFileDialogAnswer(golden);
  ASSERT_TRUE(doc.OnFileOpen(u""));
  EXPECT_EQ(doc.GetCount(), 1);
  auto shown = answers.GetFileDialogs();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].open);
  EXPECT_EQ(shown[0].initialDir, CString::FromUtf8(folder));
  EXPECT_EQ(shown[0].fileName, u"*.jvd");
  EXPECT_EQ(shown[0].defaultExt, u"jvd");
  EXPECT_EQ(shown[0].filter, u"ZD-Zedo Project (*.jvd)|*.jvd|All Files (*.*)|*.*||");

  EXPECT_FALSE(doc.OnFileOpen(u"")) << "cancelled";
  EXPECT_EQ(doc.GetTitle(true), u"golden");
}

TEST_F(ProjectFileTest, SaveWithoutPathAsksForOne) {
  ASSERT_TRUE(doc.AddDownloadedData(CRawRecord().Bytes().data(), 238, nullptr));
  EXPECT_FALSE(doc.Save()) << "save-as cancelled";
  EXPECT_TRUE(doc.IsModified());
  answers.AddMessageBoxAnswer(IDYES);
  EXPECT_FALSE(doc.QuerySave()) << "closing waits for a save that did not happen";
  EXPECT_EQ(doc.GetCount(), 1);

  answers.AddFileDialogAnswer(CString::FromUtf8(TestPath("fresh")));
  ASSERT_TRUE(doc.Save());
  EXPECT_EQ(doc.GetTitle(false), CString::FromUtf8(TestPath("fresh.jvd")));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(std::filesystem::exists(TestPath("fresh.jvd")));
  const auto shown = answers.GetFileDialogs();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_FALSE(shown[2].open);
  EXPECT_EQ(shown[2].fileName, u"Unnamed");
}

TEST_F(ProjectFileTest, SelectionChangesMarkTheProjectModified) {
  LoadOne(doc, 6000, "current.jvd");
  EXPECT_TRUE(doc.SetSelected(0, false));
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(doc.Save());
  doc.SelectAll(true);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.IsSelected(0));

  CZedoDoc empty;
  EXPECT_FALSE(empty.SetSelected(0, true));
  empty.SelectAll(true);
  EXPECT_FALSE(empty.IsModified());
}

}  // namespace
