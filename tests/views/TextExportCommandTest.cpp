// The text export command: the mark, the writers' texts and the report's separators in files,
// the file per test, the clipboard, the choice by column 1 and the failures.

#include <filesystem>
#include <fstream>
#include <iterator>

#include "appbase/Registry.h"
#include "platform/base/Clock.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/Clipboard.h"
#include "tests/support/TestEnvironment.h"
#include "tests/views/TextExportFixture.h"

namespace {

// CR LF, 44 hyphens, CR LF.
const char16_t kSeparator[] = u"\r\n--------------------------------------------\r\n";

std::vector<BYTE> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes of a file: the mark FF FE, then each UTF-16 unit low byte first.
std::vector<BYTE> FileBytes(const CString& text) {
  std::vector<BYTE> bytes{0xFF, 0xFE};
  for (int i = 0; i < text.GetLength(); ++i) {
    bytes.push_back(BYTE(text[i] & 0xFF));
    bytes.push_back(BYTE(text[i] >> 8));
  }
  return bytes;
}

class TextExportCommandTest : public TextExportTest {
 protected:
  TextExportCommandTest() {
    SetTimeScale(1000);
    std::filesystem::create_directory(Out(""));
  }
  ~TextExportCommandTest() override { SetTimeScale(1); }

  static std::string Out(const std::string& name) { return TestPath("out/" + name); }
  static std::ptrdiff_t FilesWritten() {
    return std::distance(std::filesystem::directory_iterator(Out("")), {});
  }
  // Runs the export with the choices stored as the dialog keeps them (format 0 list, 1 report;
  // target 4 one file, 5 each, 6 clipboard; data 2 all, 3 selection), pressing Export and
  // answering the file dialog with the path.
  LRESULT Export(DWORD format, DWORD target, DWORD data, const std::string& path, bool curve = false) {
    CRegistry settings(kSettingsKey);
    settings.WriteDWORD(u"CsvExpFormat2", format);
    settings.WriteDWORD(u"CsvExpTarget2", target);
    settings.WriteDWORD(u"CsvExpSelection2", data);
    settings.WriteBool(u"bCsvExpCurve2", curve);
    if (!path.empty()) answers.AddFileDialogAnswer(CString::FromUtf8(path));
    answers.AddModalDialogScript([](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, IDOK, 0); });
    return page.SendMessage(WM_PAGE_EXPORT_CSV);
  }
  static CString ClipboardText() {
    std::vector<BYTE> block;
    EXPECT_TRUE(OpenClipboard(nullptr));
    GetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
    return ReadTextBlock(CF_UNICODETEXT, block);
  }
};

TEST_F(TextExportCommandTest, OneFileOfTheListIsTheMarkTheHeaderBlockAndALinePerTest) {
  Load(Tests(3));
  const std::string path = Out("Export.csv");
  EXPECT_EQ(Export(0, 4, 2, path), 0);
  EXPECT_EQ(ReadFile(path), FileBytes(List(-1) + List(0) + List(1) + List(2)));
  EXPECT_EQ(page.GetLastExport().measurements, 3);
  EXPECT_EQ(page.GetLastExport().files, std::vector<CString>{CString::FromUtf8(path)});
  EXPECT_EQ(FilesWritten(), 1);
}

TEST_F(TextExportCommandTest, ReportBlocksInOneFileAreSeparatedByALineOfHyphens) {
  Load(Tests(3));
  const std::string path = Out("Report.csv");
  EXPECT_EQ(Export(1, 4, 2, path, true), 0);
  EXPECT_EQ(ReadFile(path),
            FileBytes(Report(0, true) + kSeparator + Report(1, true) + kSeparator + Report(2, true)));
}

// Numbered in export order, not by slot or ID; each list file repeats the header block and a
// report file holds its block alone.
TEST_F(TextExportCommandTest, EachChosenTestGetsAFileOfItsOwnNumberedInExportOrder) {
  Load(Tests(4));
  ChooseMeasurements({3, 1});
  EXPECT_EQ(Export(0, 5, 3, Out("Export.csv")), 0);
  EXPECT_EQ(ReadFile(Out("Export1.csv")), FileBytes(List(-1) + List(1)));
  EXPECT_EQ(ReadFile(Out("Export2.csv")), FileBytes(List(-1) + List(3)));
  EXPECT_EQ(FilesWritten(), 2);
  EXPECT_EQ(Export(1, 5, 3, Out("Block.csv")), 0);
  EXPECT_EQ(ReadFile(Out("Block1.csv")), FileBytes(Report(1)));
  EXPECT_EQ(ReadFile(Out("Block2.csv")), FileBytes(Report(3)));
}

TEST_F(TextExportCommandTest, TheClipboardGetsTheSameTextWithoutTheMark) {
  Load(Tests(2));
  EXPECT_EQ(Export(1, 6, 2, ""), 0);
  EXPECT_EQ(ClipboardText(), Report(0) + kSeparator + Report(1));
  EXPECT_EQ(Export(0, 6, 2, ""), 0);
  EXPECT_EQ(ClipboardText(), List(-1) + List(0) + List(1));
  EXPECT_TRUE(answers.GetFileDialogs().empty());
  EXPECT_EQ(FilesWritten(), 0);
}

// The clipboard is held open elsewhere: the export says so and leaves the other's opening open.
TEST_F(TextExportCommandTest, AClipboardThatCannotBeOpenedIsReported) {
  Load(Tests(2));
  ASSERT_TRUE(OpenClipboard(&host));
  EXPECT_EQ(Export(0, 6, 2, ""), 0);
  EXPECT_TRUE(CloseClipboard()) << "the export closed a clipboard it had not opened";
  EXPECT_EQ(answers.GetMessageBoxTexts(), std::vector<CString>{u"Copy to Clipboard failed!"});
}

// The text export chooses by column 1 only: a selected or focused value cell is no choice.
TEST_F(TextExportCommandTest, SelectionOnlyTakesTheTestsWhoseColumnOneCellIsSelected) {
  Load(Tests(3));
  Grid().SetCellState(1, 4, Grid().GetCellState(1, 4) | GCS_SELECTED);
  Grid().SetFocusCell(5, 4);
  Grid().SetCellState(4, 1, Grid().GetCellState(4, 1) | GCS_SELECTED);
  EXPECT_EQ(Export(0, 4, 3, Out("Export.csv")), 0);
  EXPECT_EQ(ReadFile(Out("Export.csv")), FileBytes(List(-1) + List(1)));
}

// The writers put the TABs; the command passes a value's ';' through as it is.
TEST_F(TextExportCommandTest, ASemicolonInACommentStaysInItsColumn) {
  Load(Tests(1));
  doc.SetComment(0, u"a;b");
  EXPECT_EQ(Export(1, 4, 2, Out("Export.csv")), 0);
  const std::vector<BYTE> bytes = ReadFile(Out("Export.csv"));
  const CString text(reinterpret_cast<const char16_t*>(bytes.data() + 2), int(bytes.size() / 2 - 1));
  EXPECT_NE(text.Find(u"\"a;b\""), -1) << text.ToUtf8();
}

// The target's name is taken by a folder: the rename fails, the message names the file and no
// temporary file stays.
TEST_F(TextExportCommandTest, AFailedWriteNamesTheFileAndLeavesNothingUnderItsName) {
  Load(Tests(2));
  const std::string path = Out("Taken.csv");
  std::filesystem::create_directory(path);
  EXPECT_EQ(Export(0, 4, 2, path), 0);
  const auto texts = answers.GetMessageBoxTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].Find(CString::FromUtf8(path).GetString()), -1) << texts[0].ToUtf8();
  EXPECT_EQ(FilesWritten(), 1);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

// A file that cannot be created ends the export; the files written before it stay.
TEST_F(TextExportCommandTest, AFileThatCannotBeCreatedIsReported) {
  Load(Tests(1));
  EXPECT_EQ(Export(0, 4, 2, Out("missing/Export.csv")), 0);
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            std::vector<CString>{u"File could not be created or opened! Is it already open?"});
  EXPECT_EQ(FilesWritten(), 0);
}

TEST_F(TextExportCommandTest, CancellingTheDialogAnswersOneAndLeavesNothing) {
  Load(Tests(2));
  answers.AddModalDialogScript([](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(page.SendMessage(WM_PAGE_EXPORT_CSV), 1);
  EXPECT_EQ(FilesWritten(), 0);
  EXPECT_TRUE(answers.GetFileDialogs().empty());
}

}  // namespace
