#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "appbase/Registry.h"
#include "platform/base/Clock.h"
#include "platform/gdi/Gdi.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/Clipboard.h"
#include "tests/support/TestEnvironment.h"
#include "tests/views/GridPageFixture.h"
#include "views/DetailGripperCell.h"
#include "views/ExportBmpDialog.h"

namespace {

constexpr int kHeaderRow = 26;
constexpr int kTestRow = 22;

std::vector<BYTE> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t BigEndian32(const std::vector<BYTE>& bytes, size_t at) {
  return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 |
         std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

std::int32_t LittleEndian32(const std::vector<BYTE>& bytes, size_t at) {
  return std::int32_t(std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                      std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24);
}

// A PNG file starts with its signature and the IHDR chunk: length 13, "IHDR", then the width
// and the height, big-endian.
CSize PngSize(const std::vector<BYTE>& png) {
  const std::vector<BYTE> start{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  if (png.size() < 24 || !std::equal(start.begin(), start.end(), png.begin())) return CSize(-1, -1);
  return CSize(int(BigEndian32(png, 16)), int(BigEndian32(png, 20)));
}

class PictureExportTest : public GridPageTest {
 protected:
  PictureExportTest() {
    SetTimeScale(1000);
    std::filesystem::create_directory(Out(""));
  }
  ~PictureExportTest() override { SetTimeScale(1); }

  // The folder the exports write into, and a path in it.
  static std::string Out(const std::string& name) { return TestPath("out/" + name); }
  static std::ptrdiff_t FilesWritten() {
    return std::distance(std::filesystem::directory_iterator(Out("")), {});
  }
  // Runs the export with the choices stored as the dialog keeps them, pressing Export and
  // answering the file dialog with the path (none for the clipboard); the handler's reply.
  LRESULT Export(const char16_t* content, const char16_t* target, const char16_t* data,
                 const std::string& path) {
    RegSetString(kSettingsKey, u"ImgExpSource", content);
    RegSetString(kSettingsKey, u"ImgExpTarget", target);
    RegSetString(kSettingsKey, u"ImgExpSelection", data);
    if (!path.empty()) answers.AddFileDialogAnswer(CString::FromUtf8(path));
    answers.AddModalDialogScript([](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, IDOK, 0); });
    return page.SendMessage(WM_PAGE_EXPORT_GRAPHIC);
  }
  // Every row height, gripper state and expanded flag.
  std::vector<int> RowState() {
    std::vector<int> state;
    for (int row = 0; row < Grid().GetRowCount(); ++row) state.push_back(Grid().GetRowHeight(row));
    for (int index = 0; index < doc.GetCount(); ++index) {
      auto* gripper = dynamic_cast<CDetailGripperCell*>(Grid().GetCell(2 * index + 1, 0));
      state.push_back(gripper && gripper->IsExpanded());
      state.push_back(doc.IsExpanded(index));
    }
    return state;
  }
  void OpenDetailOf(int index) {
    doc.SetExpanded(index, true);
    page.FillGrid(-1);
    SettleRows();
  }
};

TEST_F(PictureExportTest, OneFileOfHeadersOnlyShowsTheColumnHeadersOnceAndEachTestsRow) {
  Load(Tests(3));
  OpenDetailOf(1);
  const std::vector<int> before = RowState();
  const std::string path = Out("Grid.png");
  EXPECT_EQ(Export(u"0", u"5", u"3", path), 0);
  const CSize size = PngSize(ReadFile(path));
  EXPECT_EQ(size.cy, kHeaderRow + 3 * kTestRow);
  EXPECT_EQ(size.cx, Grid().GetTotalWidth());
  EXPECT_EQ(RowState(), before);
  EXPECT_TRUE(page.IsWindowEnabled());
  EXPECT_TRUE(answers.GetMessageBoxTexts().empty());
  EXPECT_EQ(page.GetLastExport().measurements, 3);
  EXPECT_EQ(page.GetLastExport().files, std::vector<CString>{CString::FromUtf8(path)});
}

// The bitmap file's header: "BM", and the height at byte 22 of the information header.
TEST_F(PictureExportTest, AsIsShowsTheOpenedDetailRowAndTheEndingPicksTheEncoder) {
  Load(Tests(3));
  OpenDetailOf(1);
  const int detail = Grid().GetRowHeight(4);
  ASSERT_GT(detail, 0);
  const std::string path = Out("Grid.bmp");
  EXPECT_EQ(Export(u"1", u"5", u"3", path), 0);
  const std::vector<BYTE> bmp = ReadFile(path);
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(std::abs(LittleEndian32(bmp, 22)), kHeaderRow + 3 * kTestRow + detail);
  EXPECT_EQ(LittleEndian32(bmp, 18), Grid().GetTotalWidth());
  // Every test's strip was stacked in: the middle line of each test row is drawn, not left black.
  const int width = LittleEndian32(bmp, 18), height = std::abs(LittleEndian32(bmp, 22));
  const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
  for (int top : {kHeaderRow, kHeaderRow + kTestRow, kHeaderRow + 2 * kTestRow + detail}) {
    const size_t line = 54 + size_t(height - 1 - (top + kTestRow / 2)) * stride;
    ASSERT_LE(line + stride, bmp.size());
    EXPECT_TRUE(std::any_of(bmp.begin() + std::ptrdiff_t(line), bmp.begin() + std::ptrdiff_t(line + stride),
                            [](BYTE b) { return b != 0; }))
        << "the row at " << top << " is empty";
  }
}

// libjpeg scales its tables by 200 - 2 x quality percent: the first luminance entry 16 becomes
// (16 x 20 + 50) / 100 = 3 at quality 90.
TEST_F(PictureExportTest, AJpegFileIsWrittenWithQualityNinety) {
  Load(Tests(2));
  const std::string path = Out("Grid.jpg");
  EXPECT_EQ(Export(u"2", u"5", u"3", path), 0);
  const std::vector<BYTE> jpeg = ReadFile(path);
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
  const std::vector<BYTE> marker{0xFF, 0xDB};
  auto table = std::search(jpeg.begin(), jpeg.end(), marker.begin(), marker.end());
  ASSERT_NE(table, jpeg.end());
  // Marker, length (2 bytes), precision and table number, then the first entry.
  EXPECT_EQ(*(table + 5), 3);
}

TEST_F(PictureExportTest, EachChosenTestGetsAFileNumberedInExportOrderWithTheColumnHeaders) {
  Load(Tests(4));
  ChooseMeasurements({1, 3});
  const std::vector<int> before = RowState();
  EXPECT_EQ(Export(u"0", u"6", u"4", Out("Grid.png")), 0);
  for (const char* name : {"Grid1.png", "Grid2.png"})
    EXPECT_EQ(PngSize(ReadFile(Out(name))).cy, kHeaderRow + kTestRow) << name;
  EXPECT_FALSE(std::filesystem::exists(Out("Grid3.png")));
  EXPECT_FALSE(std::filesystem::exists(Out("Grid.png")));
  EXPECT_EQ(page.GetLastExport().measurements, 2);
  EXPECT_EQ(RowState(), before);
}

// The picture export takes a test whose value cell is focused, even without a selection there.
TEST_F(PictureExportTest, SelectionOnlyTakesSelectedOrFocusedValueCells) {
  Load(Tests(3));
  Grid().SetCellState(1, 1, Grid().GetCellState(1, 1) | GCS_SELECTED);
  Grid().SetFocusCell(5, 4);
  EXPECT_EQ(Export(u"0", u"5", u"4", Out("Grid.png")), 0);
  EXPECT_EQ(PngSize(ReadFile(Out("Grid.png"))).cy, kHeaderRow + kTestRow);
}

TEST_F(PictureExportTest, TheClipboardIsEmptiedBeforeThePictureGoesOnIt) {
  Load(Tests(3));
  ASSERT_TRUE(OpenClipboard(&host));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, MakeTextBlock(CF_UNICODETEXT, u"an earlier copy")));
  CloseClipboard();
  const std::vector<int> before = RowState();
  EXPECT_EQ(Export(u"0", u"7", u"3", ""), 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  HBITMAP picture = GetClipboardBitmap();
  CloseClipboard();
  ASSERT_NE(picture, nullptr);
  BITMAP info{};
  GetObject(picture, sizeof info, &info);
  EXPECT_EQ(info.bmHeight, kHeaderRow + 3 * kTestRow);
  DeleteObject(picture);
  EXPECT_EQ(RowState(), before);
  EXPECT_TRUE(answers.GetFileDialogs().empty());
}

// The clipboard is held open elsewhere: the export says so and leaves the other's opening open.
TEST_F(PictureExportTest, AClipboardThatCannotBeOpenedIsReported) {
  Load(Tests(2));
  ASSERT_TRUE(OpenClipboard(&host));
  EXPECT_EQ(Export(u"0", u"7", u"3", ""), 0);
  EXPECT_TRUE(CloseClipboard()) << "the export closed a clipboard it had not opened";
  EXPECT_EQ(answers.GetMessageBoxTexts(), std::vector<CString>{u"Copy to Clipboard failed!"});
}

TEST_F(PictureExportTest, WithNoChosenTestNothingIsWrittenAndTheUserIsTold) {
  Load(Tests(2));
  Grid().SetCellState(1, 1, Grid().GetCellState(1, 1) | GCS_SELECTED);
  Grid().SetFocusCell(1, 1);
  EXPECT_EQ(Export(u"0", u"5", u"4", Out("Grid.png")), 0);
  EXPECT_FALSE(std::filesystem::exists(Out("Grid.png")));
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            std::vector<CString>{
                u"None of the measurements has been chosen for the export. Nothing has been written."});
}

// The target's name is taken by a folder: the rename fails, the message names the file, no
// temporary file stays, and every row is back.
TEST_F(PictureExportTest, AFailedWriteNamesTheFileLeavesNothingBehindAndRestoresTheRows) {
  Load(Tests(3));
  OpenDetailOf(0);
  const std::vector<int> before = RowState();
  const std::string path = Out("Taken.png");
  std::filesystem::create_directory(path);
  EXPECT_EQ(Export(u"2", u"5", u"3", path), 0);
  const auto texts = answers.GetMessageBoxTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].Find(CString::FromUtf8(path).GetString()), -1) << texts[0].ToUtf8();
  EXPECT_EQ(FilesWritten(), 1);
  EXPECT_EQ(RowState(), before);
  EXPECT_TRUE(page.IsWindowEnabled());
}

TEST_F(PictureExportTest, AFileThatCannotBeCreatedIsReported) {
  Load(Tests(1));
  EXPECT_EQ(Export(u"0", u"5", u"3", Out("missing/Grid.png")), 0);
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            std::vector<CString>{u"File could not be created or opened! Is it already open?"});
}

TEST_F(PictureExportTest, CancellingTheDialogAnswersOneAndWritesNothing) {
  Load(Tests(2));
  answers.AddModalDialogScript([](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(page.SendMessage(WM_PAGE_EXPORT_GRAPHIC), 1);
  EXPECT_EQ(FilesWritten(), 0);
}

}  // namespace
