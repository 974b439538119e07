#include <gtest/gtest.h>

#include "grid/CellGrid.h"
#include "grid/CellMeasure.h"
#include "grid/TextCell.h"
#include "tests/grid/GridFixture.h"

namespace {

// A text cell that shows how it fitted its text.
class CFittingCell : public CTextCell {
 public:
  int FittedLength() const { return m_fittedLength; }
  int EllipsisKind() const { return m_ellipsisKind; }
};

class CellInMemory : public GridOnScreen {
 protected:
  void SetUp() override {
    Make(2, 2, 0, 0);
    cell.SetGrid(grid.get());
    cell.SetMargin(0);
    cell.SetFormat(DT_LEFT);
    bitmap.CreateCompatibleBitmap(nullptr, 400, 40);
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    dc.SelectObject(grid->GetDefaultCell(FALSE, FALSE)->GetFontObject());
  }
  int Width(const char16_t* text) { return dc.GetTextExtent(CString(text)).cx; }
  // Draws the text where the width available to it is `width` pixels.
  void DrawAt(const char16_t* text, int width) {
    cell.SetText(text);
    cell.DrawText(&dc, 0, 0, CRect(0, 0, width - 1, 20), FALSE);
  }

  CFittingCell cell;
  CBitmap bitmap;
  CDC dc;
};

TEST_F(CellInMemory, TextIsCutWithTheEllipsisTheWidthAllows) {
  const int dot = Width(u".");
  const int dots2 = Width(u"..");
  const int dots3 = Width(u"...");
  const int full = Width(u"ABCDEFGH");
  struct Case {
    int width;
    int length;
    int kind;
  };
  const Case cases[] = {
      {full + 1, 8, 3},              // narrower than the width: whole
      {dot - 1, 0, 0},               // not even "." fits
      {dot, 0, 1},                   // "." alone
      {dots2, 0, 2},                 // ".." alone
      {dots3 + Width(u"AB"), 2, 3},  // as many characters as fit before "..."
  };
  for (const Case& c : cases) {
    DrawAt(u"ABCDEFGH", c.width);
    EXPECT_EQ(cell.FittedLength(), c.length) << "width " << c.width;
    if (c.length < 8) {
      EXPECT_EQ(cell.EllipsisKind(), c.kind) << "width " << c.width;
    }
  }
}

TEST_F(CellInMemory, TextExactlyAsWideAsTheCellDoesNotFit) {
  DrawAt(u"ABCDEFGH", Width(u"ABCDEFGH"));
  EXPECT_LT(cell.FittedLength(), 8);
}

TEST_F(CellInMemory, OneCharacterThatDoesNotFitIsDrawnWhole) {
  const int width = std::max(Width(u"..."), Width(u"W") - 1);
  DrawAt(u"W", width);
  EXPECT_EQ(cell.FittedLength(), 1);
}

TEST_F(CellInMemory, FittingIsKeptUntilTheWidthOrTheTextChanges) {
  DrawAt(u"ABCDEFGH", Width(u"...") + Width(u"AB"));
  ASSERT_EQ(cell.FittedLength(), 2);
  cell.SetFont(grid->GetDefaultCell(FALSE, FALSE)->GetFont());
  cell.DrawText(&dc, 0, 0, CRect(0, 0, Width(u"...") + Width(u"AB") - 1, 20), FALSE);
  EXPECT_EQ(cell.FittedLength(), 2);
  cell.SetText(u"AB");
  EXPECT_EQ(cell.FittedLength(), -1);
}

TEST_F(CellInMemory, ACellGivenItsOwnFontAgainKeepsIt) {
  LOGFONT font = *grid->GetDefaultCell(FALSE, FALSE)->GetFont();
  font.lfHeight = 31;
  cell.SetFont(&font);
  cell.SetFont(cell.GetFont());
  ASSERT_FALSE(cell.UsesDefaultFont());
  EXPECT_EQ(cell.GetFont()->lfHeight, 31);
  EXPECT_NE(cell.GetFontObject(), grid->GetDefaultCell(FALSE, FALSE)->GetFontObject());
}

TEST_F(CellInMemory, LongTextsAreFittedWithoutWrapping) {
  CString text;
  for (int i = 0; i < 40000; ++i) text += u'i';
  cell.SetText(text);
  cell.DrawText(&dc, 0, 0, CRect(0, 0, 39999 * Width(u"i") + 1000, 20), FALSE);
  EXPECT_EQ(cell.FittedLength(), 40000);
}

TEST(CellColors, SelectedColoursInvertIn32Bits) {
  EXPECT_EQ(InvertBackColor(0xFFFFFF), 0xFE000002u);
  EXPECT_EQ(InvertBackColor(0x000000), 0xFF000001u);
  EXPECT_EQ(InvertTextColor(0x000000), 0xFFFFFFu);
  EXPECT_EQ(InvertTextColor(0x123456), 0xEDCBA9u);
}

TEST_F(CellInMemory, MeasuringWithoutContextOrTextGivesTheDefaultSize) {
  const CDefaultCell* def = grid->GetDefaultCell(FALSE, FALSE);
  EXPECT_EQ(cell.MeasureText(nullptr, nullptr), CSize(def->GetDefaultWidth(), def->GetDefaultHeight()));
}

TEST_F(CellInMemory, DefaultCellSizesComeFromItsFont) {
  const CDefaultCell* def = grid->GetDefaultCell(FALSE, FALSE);
  const CSize sample = dc.GetTextExtent(CString(u" XXXXXXXXXXXX "));
  EXPECT_EQ(int(def->GetMargin()), Width(u" "));
  EXPECT_EQ(def->GetDefaultWidth(), sample.cx);
  EXPECT_EQ(def->GetDefaultHeight(), sample.cy * 3 / 2);
  const SDefaultCellSizes fallback;
  EXPECT_EQ(fallback.margin, 3);
  EXPECT_EQ(fallback.width, 40);
  EXPECT_EQ(fallback.height, 16);
}

TEST_F(CellInMemory, DefaultCellsTakeNoStateAndReadReadOnly) {
  CDefaultCell* def = grid->GetDefaultCell(FALSE, FALSE);
  def->SetState(GCS_SELECTED);
  EXPECT_EQ(def->GetState(), GCS_READONLY);
}

TEST_F(CellInMemory, CopyTextFallsBackToTheText) {
  cell.SetText(u"shown");
  EXPECT_EQ(cell.GetCopyText(), CString(u"shown"));
  cell.SetCopyText(u"copied");
  EXPECT_EQ(cell.GetCopyText(), CString(u"copied"));
  cell.Reset();
  EXPECT_EQ(cell.GetText(), CString());
  EXPECT_EQ(cell.GetCopyText(), CString(u"copied"));
}

TEST_F(CellInMemory, OneSubAreaWithoutRectangleCoversTheWholeCell) {
  auto* placed = grid->GetCell(1, 1);
  placed->AddSubArea(nullptr, u"title", u"text");
  CRect rect;
  CString title, text;
  ASSERT_TRUE(placed->GetSubAreaAt(500, 500, rect, title, text));
  EXPECT_EQ(rect, CRect(0, 0, grid->GetColumnWidth(1, 1), grid->GetRowHeight(1)));
  EXPECT_EQ(title, CString(u"title"));
}

}  // namespace
