// The summary page's exports (text file and picture) and its printout.

#include <filesystem>
#include <fstream>
#include <iterator>

#include "appbase/Registry.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/PrintDialog.h"
#include "tests/views/FileSizeLimit.h"
#include "tests/views/SummaryFixture.h"

namespace {

std::vector<BYTE> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<BYTE> Utf16Le(const CString& text) {
  std::vector<BYTE> bytes;
  for (int i = 0; i < text.GetLength(); ++i) {
    bytes.push_back(BYTE(text[i] & 0xFF));
    bytes.push_back(BYTE(text[i] >> 8));
  }
  return bytes;
}

unsigned BigEndian32(const std::vector<BYTE>& bytes, std::size_t at) {
  return unsigned(bytes[at]) << 24 | unsigned(bytes[at + 1]) << 16 | unsigned(bytes[at + 2]) << 8 |
         bytes[at + 3];
}

class SummaryOutputTest : public SummaryPageTest {
 protected:
  // The settings key exists once the program has run; the export folder is kept under it.
  SummaryOutputTest() { CRegistry(kSettingsKey).WriteDWORD(u"DTFormat", 0); }
  std::string Export(UINT command, const std::string& name) {
    const std::string path = TestPath(name);
    answers.AddFileDialogAnswer(CString::FromUtf8(path));
    page.SendMessage(command);
    return path;
  }
  CString RememberedFolder() {
    CString folder;
    CRegistry(kSettingsKey).ReadString(u"ExportPath", folder);
    return folder;
  }
  // Share of dark pixels on a coarse grid of a printed page.
  static int InkedPoints(HBITMAP page) {
    CBitmap bitmap;
    bitmap.Attach(page);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    int inked = 0;
    for (int y = 0; y < 1123; y += 3)
      for (int x = 0; x < 794; x += 3) inked += dc.GetPixel(x, y) != RGB(255, 255, 255) ? 1 : 0;
    dc.SelectObject(old);
    return inked;
  }
  CScriptedAnswers answers;
};

TEST_F(SummaryOutputTest, TheTextFileIsTheTextFormInUtf16WithAByteOrderMark) {
  Load(Peaks({1000, 2000}));
  doc.GetSummary().SetComment(u"\u0394 \u00E9");
  const std::string path = Export(WM_PAGE_EXPORT_CSV, "summary.csv");
  std::vector<BYTE> expected = {0xFF, 0xFE};
  const std::vector<BYTE> text = Utf16Le(View().GetSummaryText());
  expected.insert(expected.end(), text.begin(), text.end());
  EXPECT_EQ(ReadFile(path), expected);
  EXPECT_EQ(RememberedFolder().ToUtf8(), TestTempDir());

  ASSERT_EQ(answers.GetFileDialogs().size(), 1u);
  const SFileDialogRequest dialog = answers.GetFileDialogs()[0];
  EXPECT_FALSE(dialog.open);
  EXPECT_EQ(dialog.defaultExt, u"csv");
  EXPECT_EQ(dialog.fileName.ToUtf8(), "ZD-Zedo Data");
  EXPECT_EQ(dialog.filter.ToUtf8(), "CSV (comma separated values) file (*.csv)|*.csv|All files (*.*)|*.*||");
  EXPECT_EQ(dialog.flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
}

TEST_F(SummaryOutputTest, AnEmptySummaryWritesTheTwoHeadLinesAndABlankPicture) {
  const std::string text = Export(WM_PAGE_EXPORT_CSV, "empty.csv");
  std::vector<BYTE> expected = {0xFF, 0xFE};
  const std::vector<BYTE> lines = Utf16Le(View().GetSummaryText());
  expected.insert(expected.end(), lines.begin(), lines.end());
  EXPECT_EQ(ReadFile(text), expected);
  EXPECT_EQ(View().GetSummaryText().Find(u"Summary"), -1);

  const std::vector<BYTE> picture = ReadFile(Export(WM_PAGE_EXPORT_GRAPHIC, "empty.png"));
  ASSERT_GT(picture.size(), 24u);
  EXPECT_EQ(BigEndian32(picture, 16), 800u);
  EXPECT_EQ(BigEndian32(picture, 20), 800u);
}

struct SPictureCase {
  const char* chosen;
  const char* written;
  std::vector<BYTE> magic;
};

void PrintTo(const SPictureCase& c, std::ostream* out) { *out << c.chosen; }

class PictureExportTest : public SummaryOutputTest, public ::testing::WithParamInterface<SPictureCase> {};

TEST_P(PictureExportTest, TheEndingChoosesTheFormat) {
  Load(Peaks({1000, 2000}));
  Export(WM_PAGE_EXPORT_GRAPHIC, GetParam().chosen);
  const std::vector<BYTE> bytes = ReadFile(TestPath(GetParam().written));
  ASSERT_GE(bytes.size(), GetParam().magic.size());
  EXPECT_TRUE(std::equal(GetParam().magic.begin(), GetParam().magic.end(), bytes.begin()));
  EXPECT_EQ(page.GetLastExportPath(), CString::FromUtf8(TestPath(GetParam().written)));
  EXPECT_EQ(RememberedFolder().ToUtf8(), TestTempDir());
}

INSTANTIATE_TEST_SUITE_P(Endings, PictureExportTest,
                         ::testing::Values(SPictureCase{"chart.tif", "chart.tif.png", {0x89, 'P', 'N', 'G'}},
                                           SPictureCase{"CHART.BMP", "CHART.BMP", {'B', 'M'}},
                                           SPictureCase{"chart.jpg", "chart.jpg", {0xFF, 0xD8, 0xFF}},
                                           SPictureCase{"chart.png", "chart.png", {0x89, 'P', 'N', 'G'}}));

TEST_F(SummaryOutputTest, ThePictureIsAsLargeAsTheContent) {
  Load(Peaks({1000, 2000}));
  const std::vector<BYTE> bytes = ReadFile(Export(WM_PAGE_EXPORT_GRAPHIC, "size.png"));
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(BigEndian32(bytes, 16), unsigned(View().GetContentSize().cx));
  EXPECT_EQ(BigEndian32(bytes, 20), unsigned(View().GetContentSize().cy));
  EXPECT_GE(View().GetContentSize().cx, 880);
}

TEST_F(SummaryOutputTest, AFileThatCannotBeMadeIsReportedByName) {
  Load(Peaks({1000}));
  const std::string path = TestPath("missing/folder/summary.csv");
  answers.AddFileDialogAnswer(CString::FromUtf8(path));
  EXPECT_EQ(page.SendMessage(WM_PAGE_EXPORT_CSV), 0);
  ASSERT_EQ(answers.GetMessageBoxes().size(), 1u);
  EXPECT_NE(answers.GetMessageBoxes()[0].text.Find(CString::FromUtf8(path)), -1);
  EXPECT_FALSE(std::filesystem::exists(path));
}

// A write that stops part way, as on a full disk (a file size limit stands in for it), leaves
// the file that was there as it was and no temporary file; the message names the chosen file.
TEST_F(SummaryOutputTest, AWriteThatStopsPartWayKeepsTheOldFile) {
  constexpr rlim_t kRoom = 4096;
  std::vector<CRawRecord> records;
  for (int i = 0; i < 60; ++i)
    records.push_back(CRawRecord().Id(DWORD(i + 1)).Peak(unsigned(1000 + 37 * i)).Date(2021, 3, 1, 8, 0, i));
  Load(records);
  ASSERT_GT(std::size_t(View().GetSummaryText().GetLength()) * 2, kRoom);
  ASSERT_GT(ReadFile(Export(WM_PAGE_EXPORT_GRAPHIC, "whole.png")).size(), kRoom);
  const std::vector<BYTE> old(200000, 'x');
  std::size_t boxes = answers.GetMessageBoxes().size();
  for (const auto& [command, name] :
       {std::pair{WM_PAGE_EXPORT_CSV, "old.csv"}, {WM_PAGE_EXPORT_GRAPHIC, "old.png"}}) {
    const std::string path = TestPath(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(old.data()), std::streamsize(old.size()));
    answers.AddFileDialogAnswer(CString::FromUtf8(path));
    {
      CFileSizeLimit limit(kRoom);
      page.SendMessage(command);
    }
    EXPECT_EQ(ReadFile(path), old) << name;
    EXPECT_FALSE(std::filesystem::exists(path + ".saving")) << name;
    const auto shown = answers.GetMessageBoxes();
    ASSERT_EQ(shown.size(), boxes + 1) << name;
    EXPECT_NE(shown.back().text.Find(CString::FromUtf8(path) + u" "), -1) << shown.back().text.ToUtf8();
    boxes = shown.size();
  }
}

TEST_F(SummaryOutputTest, ACancelledDialogWritesNothing) {
  Load(Peaks({1000}));
  answers.AddFileDialogAnswer(CString());
  page.SendMessage(WM_PAGE_EXPORT_GRAPHIC);
  answers.AddFileDialogAnswer(u"x.bmp");  // too short a name
  page.SendMessage(WM_PAGE_EXPORT_GRAPHIC);
  EXPECT_TRUE(page.GetLastExportPath().IsEmpty());
  EXPECT_FALSE(std::filesystem::exists("x.bmp"));
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
}

class SummaryPrintTest : public SummaryOutputTest {
 protected:
  SummaryPrintTest() : printer(CreateMemoryPrinterDC(794, 1123, 96)) {}
  ~SummaryPrintTest() override { DeleteDC(printer); }
  int Print() {
    answers.AddPrintDialogAnswer(printer);
    page.SendMessage(WM_PAGE_PRINT);
    return GetPrintedPageCount(printer);
  }
  HDC printer;
};

TEST_F(SummaryPrintTest, ASummaryPrintsOnOnePage) {
  Load(Peaks({1000, 2000, 3000}));
  EXPECT_EQ(Print(), 1);
  ASSERT_EQ(answers.GetPrintDialogs().size(), 1u);
  EXPECT_EQ(answers.GetPrintDialogs()[0].flags, PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE);
  HBITMAP first = GetPrintedPage(printer, 0);
  EXPECT_GT(InkedPoints(first), 100);
}

TEST_F(SummaryPrintTest, ATallSummaryGoesOnOnFurtherPages) {
  // A comment of many lines makes the page far taller than the paper's proportions.
  Load(Peaks({1000, 2000}));
  CString comment;
  for (int i = 0; i < 150; ++i) comment.AppendFormat(u"Line %d of the site notes.\r\n", i + 1);
  doc.GetSummary().SetComment(comment);
  Repaint();
  const int pages = Print();
  EXPECT_GE(pages, 2);
  for (int i = 0; i < pages; ++i) EXPECT_GT(InkedPoints(GetPrintedPage(printer, i)), 50) << "page " << i + 1;
}

TEST_F(SummaryPrintTest, NothingPrintsWithoutEntriesOrWhenCancelled) {
  page.SendMessage(WM_PAGE_PRINT);
  EXPECT_TRUE(answers.GetPrintDialogs().empty());
  Load(Peaks({1000}));
  answers.AddPrintDialogAnswer(nullptr);
  page.SendMessage(WM_PAGE_PRINT);
  EXPECT_EQ(answers.GetPrintDialogs().size(), 1u);
  EXPECT_EQ(GetPrintedPageCount(printer), 0);
}

}  // namespace
