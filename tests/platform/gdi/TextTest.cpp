#include <gtest/gtest.h>

#include <cstring>

#include "tests/platform/gdi/Canvas.h"

namespace {

LOGFONT Face(const char16_t* face, int height, int escapement = 0) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfEscapement = escapement;
  lf.lfOrientation = escapement;
  lf.lfWeight = FW_NORMAL;
  std::memcpy(lf.lfFaceName, face, std::char_traits<char16_t>::length(face) * sizeof(char16_t));
  return lf;
}

class TextCanvas : public ::testing::Test {
 protected:
  void Select(const LOGFONT& lf) {
    font.CreateFontIndirect(&lf);
    oldFont = canvas.dc.SelectObject(&font);
  }
  void TearDown() override {
    if (oldFont) canvas.dc.SelectObject(oldFont);
  }
  Canvas canvas{200, 200};
  CFont font;
  CFont* oldFont = nullptr;
};

TEST_F(TextCanvas, NegativeHeightIsTheCharacterHeightPositiveTheCellHeight) {
  Select(Face(u"Tahoma", -11));
  TEXTMETRIC tm{};
  ASSERT_TRUE(canvas.dc.GetTextMetrics(&tm));
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);

  CFont cell;
  LOGFONT lf = Face(u"Arial", 20);
  cell.CreateFontIndirect(&lf);
  canvas.dc.SelectObject(&cell);
  ASSERT_TRUE(canvas.dc.GetTextMetrics(&tm));
  EXPECT_LE(tm.tmHeight, 20);
  EXPECT_GE(tm.tmHeight, 19);
  EXPECT_EQ(canvas.dc.GetTextExtent(CString(u"Xy")).cy, tm.tmHeight);
  canvas.dc.SelectObject(&font);
}

TEST_F(TextCanvas, AlignmentPlacesTheTextCellAtTheAnchor) {
  Select(Face(u"MS Sans Serif", -13));
  canvas.dc.SetBkMode(TRANSPARENT);
  const CString text(u"Wide text 123");
  const CSize extent = canvas.dc.GetTextExtent(text);
  TEXTMETRIC tm{};
  canvas.dc.GetTextMetrics(&tm);

  for (UINT align : {TA_LEFT | TA_TOP, TA_RIGHT | TA_BOTTOM, TA_CENTER | TA_BASELINE}) {
    canvas.dc.FillSolidRect(0, 0, 200, 200, RGB(255, 255, 255));
    canvas.dc.SetTextAlign(align);
    canvas.dc.TextOut(100, 100, text);
    const InkBox ink = canvas.Ink();
    ASSERT_FALSE(ink.Empty());
    int left = 100, top = 100;
    if ((align & TA_CENTER) == TA_CENTER)
      left = 100 - extent.cx / 2;
    else if (align & TA_RIGHT)
      left = 100 - extent.cx;
    if ((align & TA_BASELINE) == TA_BASELINE)
      top = 100 - tm.tmAscent;
    else if (align & TA_BOTTOM)
      top = 100 - tm.tmHeight;
    // Every inked pixel lies inside the text cell, and the ink reaches close to its edges.
    EXPECT_GE(ink.left, left) << align;
    EXPECT_LE(ink.left, left + 2) << align;
    EXPECT_LT(ink.right, left + extent.cx) << align;
    EXPECT_GE(ink.right, left + extent.cx - 3) << align;
    EXPECT_GE(ink.top, top) << align;
    EXPECT_LT(ink.bottom, top + tm.tmHeight) << align;
  }
}

TEST_F(TextCanvas, RightAndBottomAlignedTextEndsAtItsAnchor) {
  Select(Face(u"Arial", -12));
  canvas.dc.SetBkMode(TRANSPARENT);
  canvas.dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
  canvas.dc.TextOut(150, 60, CString(u"Load [N]"));
  const InkBox ink = canvas.Ink();
  EXPECT_LT(ink.right, 150);
  EXPECT_GE(ink.right, 147);
  EXPECT_LT(ink.bottom, 60);
}

TEST_F(TextCanvas, OpaqueBackgroundFillsTheTextCell) {
  Select(Face(u"Tahoma", -11));
  canvas.dc.SetBkMode(OPAQUE);
  canvas.dc.SetBkColor(RGB(0, 255, 0));
  canvas.dc.TextOut(10, 10, CString(u"i"));
  const CSize extent = canvas.dc.GetTextExtent(CString(u"i"));
  EXPECT_EQ(canvas.At(10, 10), RGB(0, 255, 0));
  EXPECT_EQ(canvas.At(10 + extent.cx - 1, 10 + extent.cy - 1), RGB(0, 255, 0));
  EXPECT_EQ(canvas.At(10 + extent.cx, 10), RGB(255, 255, 255));
}

TEST_F(TextCanvas, EscapementNineHundredWritesUpwards) {
  Select(Face(u"Arial", -14, 900));
  canvas.dc.SetBkMode(TRANSPARENT);
  canvas.dc.SetTextAlign(TA_LEFT | TA_TOP);
  canvas.dc.TextOut(50, 180, CString(u"Force in kN"));
  const InkBox ink = canvas.Ink();
  ASSERT_FALSE(ink.Empty());
  EXPECT_GT(ink.Height(), 3 * ink.Width());
  EXPECT_LE(ink.bottom, 180);
  EXPECT_GE(ink.left, 50);  // the top of the characters faces left
  // The first letter sits at the bottom: ink near the anchor.
  EXPECT_GE(ink.bottom, 175);
}

// Lines, shapes and fills set the painter's pen of their own; text drawn after them still
// comes in the text colour, not in the pen's.
TEST_F(TextCanvas, TextKeepsTheTextColourAfterLinesAndShapes) {
  Select(Face(u"DejaVu Sans", -40));
  struct Case {
    const char* what;
    int penStyle, penWidth;
  };
  const Case cases[] = {{"thin line", PS_SOLID, 1}, {"wide line", PS_SOLID, 5}, {"dotted line", PS_DOT, 1}};
  for (const Case& c : cases) {
    canvas.dc.FillSolidRect(0, 0, 200, 200, RGB(255, 255, 255));
    CPen pen(c.penStyle, c.penWidth, RGB(0, 0, 255));
    CPen* old = canvas.dc.SelectObject(&pen);
    canvas.dc.MoveTo(0, 150);
    canvas.dc.LineTo(150, 190);
    canvas.dc.Ellipse(150, 150, 190, 190);
    canvas.dc.SelectObject(old);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.SetTextColor(RGB(0, 0, 0));
    canvas.dc.TextOut(10, 10, u"H", 1);
    const RECT text{10, 10, 100, 100};
    EXPECT_GT(canvas.Count(RGB(0, 0, 0), text), 100) << c.what;
    EXPECT_EQ(canvas.Count(RGB(0, 0, 255), text), 0) << c.what;
  }
}

TEST_F(TextCanvas, DrawTextAlignsInsideItsRectangleAndClips) {
  Select(Face(u"Tahoma", -11));
  canvas.dc.SetBkMode(TRANSPARENT);
  const CString text(u"Summary");
  const CSize extent = canvas.dc.GetTextExtent(text);
  CRect box(20, 20, 120, 60);
  const int height = canvas.dc.DrawText(text, box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  InkBox ink = canvas.Ink();
  EXPECT_LT(ink.right, 120);
  EXPECT_GE(ink.left, 120 - extent.cx);
  const int top = 20 + (40 - extent.cy) / 2;
  EXPECT_GE(ink.top, top);
  EXPECT_LT(ink.bottom, top + extent.cy);
  EXPECT_EQ(height, top - 20 + extent.cy);

  canvas.dc.FillSolidRect(0, 0, 200, 200, RGB(255, 255, 255));
  CRect narrow(20, 20, 30, 60);
  canvas.dc.DrawText(text, narrow, DT_LEFT | DT_SINGLELINE);
  ink = canvas.Ink();
  EXPECT_LT(ink.right, 30);
}

TEST_F(TextCanvas, DrawTextCalcRectMeasuresLinesPrefixesAndEllipsis) {
  Select(Face(u"Tahoma", -11));
  const CSize file = canvas.dc.GetTextExtent(CString(u"File"));

  CRect r(0, 0, 0, 0);
  canvas.dc.DrawText(CString(u"&File"), r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.Width(), file.cx);
  EXPECT_EQ(r.Height(), file.cy);
  r.SetRect(0, 0, 0, 0);
  canvas.dc.DrawText(CString(u"&File"), r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(r.Width(), canvas.dc.GetTextExtent(CString(u"&File")).cx);

  r.SetRect(0, 0, 0, 0);
  canvas.dc.DrawText(CString(u"one\ntwo\r\nthree"), r, DT_CALCRECT);
  EXPECT_EQ(r.Height(), 3 * file.cy);
  EXPECT_EQ(r.Width(), canvas.dc.GetTextExtent(CString(u"three")).cx);

  const CString words(u"alpha beta alpha beta");
  const int twoWords = canvas.dc.GetTextExtent(CString(u"alpha beta")).cx;
  r.SetRect(0, 0, twoWords + 2, 0);
  canvas.dc.DrawText(words, r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(r.Height(), 2 * file.cy);
  EXPECT_LE(r.Width(), twoWords + 2);

  // An ellipsis keeps the drawn text inside the rectangle.
  canvas.dc.SetBkMode(TRANSPARENT);
  CRect cell(10, 100, 60, 120);
  canvas.dc.DrawText(CString(u"A rather long cell text"), cell,
                     DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  const InkBox ink = canvas.Ink();
  EXPECT_LT(ink.right, 60);
  EXPECT_GT(ink.right, 40);
}

TEST(FontTest, FaceNamesMapToTheInstalledFamiliesAndPointFontsScaleAt96Dpi) {
  Canvas canvas(50, 50);
  CFont mono;
  LOGFONT lf = Face(u"Courier New", -12);
  mono.CreateFontIndirect(&lf);
  CFont* old = canvas.dc.SelectObject(&mono);
  EXPECT_EQ(canvas.dc.GetTextExtent(CString(u"iiii")).cx, canvas.dc.GetTextExtent(CString(u"WWWW")).cx);
  canvas.dc.SelectObject(old);

  CFont point;
  point.CreatePointFont(90, u"Arial", &canvas.dc);
  LOGFONT got{};
  point.GetLogFont(&got);
  EXPECT_EQ(got.lfHeight, -12);
}

}  // namespace
