#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "grid/TextCell.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/WindowImage.h"
#include "tests/grid/GridFixture.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr COLORREF kLine = 0xC0C0C0;

// A cell that counts the calls that tell it it left the view.
class CLeavingCell : public CTextCell {
  DECLARE_DYNCREATE(CLeavingCell)

 public:
  BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL erase, BOOL plain) override {
    if (!dc) ++left;
    return CTextCell::Draw(dc, row, col, rect, erase, plain);
  }
  int left = 0;
};
IMPLEMENT_DYNCREATE(CLeavingCell, CTextCell)

// Ten rows of 20 pixels and three columns of 50, nothing fixed.
class SmallGrid : public GridOnScreen {
 protected:
  void SetUp() override {
    Make(10, 3, 0, 0);
    for (int r = 0; r < 10; ++r) grid->SetRowHeight(r, 20);
    for (int c = 0; c < 3; ++c) grid->SetColumnWidth(c, 50);
  }
  COLORREF RenderedPixel(int x, int y) {
    CBitmap bitmap;
    EXPECT_TRUE(grid->RenderToBitmap(&bitmap));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    const COLORREF color = dc.GetPixel(x, y) & 0xFFFFFF;
    dc.SelectObject(old);
    return color;
  }
};

TEST_F(SmallGrid, RenderIsAsLargeAsAllColumnsAndRows) {
  CBitmap bitmap;
  ASSERT_TRUE(grid->RenderToBitmap(&bitmap));
  BITMAP info{};
  bitmap.GetBitmap(&info);
  EXPECT_EQ(info.bmWidth, 150);
  EXPECT_EQ(info.bmHeight, 200);
}

TEST_F(SmallGrid, WithASunkenEdgeTheCellsAndScrollBarDrawInsideIt) {
  grid->SetGridLines(3);
  for (int r = 0; r < 10; ++r) grid->SetRowHeight(r, 40);
  grid->ModifyStyleEx(0, WS_EX_CLIENTEDGE);
  CRect client;
  grid->GetClientRect(client);
  EXPECT_EQ(client, CRect(0, 0, 396 - GetSystemMetrics(SM_CXVSCROLL), 296))
      << "400 rows of pixels need a bar";
  EXPECT_EQ(ScreenPixel(49, 5), kLine);

  const std::string path = TestPath("grid-client-edge.png");
  ASSERT_TRUE(SaveWindowImage(grid.get(), CString::FromUtf8(path)));
  if (const char* keep = std::getenv("ZD_SCREENSHOT_DIR"))
    std::filesystem::copy_file(path, std::string(keep) + "/grid-client-edge.png",
                               std::filesystem::copy_options::overwrite_existing);
  CBitmap picture;
  picture.Attach(CopyWindowImage(grid.get()));
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* old = dc.SelectObject(&picture);
  EXPECT_EQ(dc.GetPixel(0, 5), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(dc.GetPixel(51, 7), kLine) << "the first column's line, 2 pixels in";
  EXPECT_EQ(dc.GetPixel(49, 7), 0xFFFFFFu);
  dc.SelectObject(old);
}

TEST_F(SmallGrid, GridLineModesDrawRightEdgesBottomsOrBoth) {
  struct Case {
    int mode;
    bool right, bottom;
  };
  for (const Case& c :
       {Case{0, false, false}, Case{1, false, true}, Case{2, true, false}, Case{3, true, true}}) {
    grid->SetGridLines(c.mode);
    EXPECT_EQ(RenderedPixel(49, 5) == kLine, c.right) << "mode " << c.mode;
    EXPECT_EQ(RenderedPixel(10, 19) == kLine, c.bottom) << "mode " << c.mode;
    EXPECT_EQ(RenderedPixel(10, 5), 0xFFFFFFu);
  }
}

TEST_F(SmallGrid, ASelectedCellShowsItsInvertedBackColour) {
  grid->SetSelectedRange(1, 1, 1, 1);
  // 0xFF000001 - white: the low bytes 02 00 00 are what the picture shows.
  EXPECT_EQ(ScreenPixel(60, 25), 0x000002u);
}

TEST_F(SmallGrid, TooLargeARenderIsRefused) {
  grid->SetColumnWidth(0, 60000);
  grid->SetRowHeight(0, 60000);
  CBitmap bitmap;
  EXPECT_FALSE(grid->RenderToBitmap(&bitmap));
}

TEST_F(SmallGrid, RenderingLeavesTheScrollState) {
  grid->SetRowCount(40);
  grid->SetWholeRowScrolling(FALSE);
  SimulateScrollBar(grid.get(), SB_VERT, SB_THUMBTRACK, 25);
  PumpMessages();
  const COLORREF before = ScreenPixel(10, 14);
  ASSERT_EQ(grid->GetTopRowOffset(), -5);
  CBitmap bitmap;
  ASSERT_TRUE(grid->RenderToBitmap(&bitmap));
  EXPECT_EQ(grid->GetTopRowOffset(), -5);
  EXPECT_EQ(ScreenPixel(10, 14), before);
  EXPECT_EQ(before, kLine);
}

TEST_F(SmallGrid, CellsLeavingTheViewAreToldOnce) {
  grid->SetRowCount(40);
  grid->SetDefaultCellType(RUNTIME_CLASS(CLeavingCell));
  grid->SetRowCount(60);
  grid->SetCellType(0, 0, RUNTIME_CLASS(CLeavingCell));
  grid->SetCellType(5, 0, RUNTIME_CLASS(CLeavingCell));
  ScreenPixel(0, 0);
  SimulateScrollBar(grid.get(), SB_VERT, SB_LINEDOWN);
  ScreenPixel(0, 0);
  ScreenPixel(0, 0);
  EXPECT_EQ(static_cast<CLeavingCell*>(grid->GetCell(0, 0))->left, 1);
  EXPECT_EQ(static_cast<CLeavingCell*>(grid->GetCell(5, 0))->left, 0);
}

TEST_F(SmallGrid, TheDragImageIsAPictureOfTheFocusCell) {
  CSize size;
  EXPECT_EQ(grid->CreateDragImage(&size), nullptr);
  grid->SetFocusCell(2, 1);
  std::unique_ptr<CImageList> image(grid->CreateDragImage(&size));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(size, CSize(49, 19));
  EXPECT_EQ(image->GetImageCount(), 1);
}

using FixedGrid = GridOnScreen;

TEST_F(FixedGrid, FixedCellsAreRaisedAndScrolledCellsStayOutOfThem) {
  Make(30, 3, 1, 1);
  for (int r = 0; r < 30; ++r) grid->SetRowHeight(r, 20);
  for (int c = 0; c < 3; ++c) grid->SetColumnWidth(c, 50);
  grid->SetWholeRowScrolling(FALSE);
  SimulateScrollBar(grid.get(), SB_VERT, SB_THUMBTRACK, 10);
  PumpMessages();
  EXPECT_EQ(ScreenPixel(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(ScreenPixel(49, 19), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(ScreenPixel(60, 10), GetSysColor(COLOR_BTNFACE));
  // The top scrolled row starts 10 pixels under the heading, and its bottom line shows at 29.
  EXPECT_EQ(ScreenPixel(60, 29), kLine);
  EXPECT_EQ(ScreenPixel(99, 25), kLine);
}

TEST_F(FixedGrid, AMergedCellHasNoInnerLines) {
  Make(4, 4, 1, 1);
  for (int c = 0; c < 4; ++c) grid->SetColumnWidth(c, 50);
  grid->SetCellColumnRange(2, 1, 3);
  CRect rect;
  ASSERT_TRUE(grid->GetCellRect(2, 1, rect));
  EXPECT_EQ(ScreenPixel(99, rect.top + 5), 0xFFFFFFu);
  EXPECT_EQ(ScreenPixel(199, rect.top + 5), kLine);
  EXPECT_EQ(ScreenPixel(99, rect.top - 5), kLine);
}

}  // namespace
