#include <gtest/gtest.h>

#include <vector>

#include "grid/PrintedTextWidths.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/PrintTarget.h"

namespace {

// A printer context mapped as a fitted page maps it (scale about 3.7) with the printout's font.
class PrintedTextWidthsTest : public testing::Test {
 protected:
  void SetUp() override {
    dc.Attach(CreateMemoryPrinterDC(2480, 3508, 300));
    font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                    CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, u"Arial");
    dc.SelectObject(&font);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(669, 946);
    dc.SetViewportExt(2480, 3508);
  }
  void TearDown() override { DeleteDC(dc.Detach()); }

  // What DrawText lays out, measured afresh.
  int Laid(const CString& text, UINT format) {
    CRect box(0, 0, 0, 0);
    dc.DrawText(text, box, format | DT_CALCRECT | DT_NOPREFIX);
    return box.Width();
  }

  CDC dc;
  CFont font;
};

TEST_F(PrintedTextWidthsTest, TextsSharingADigitPatternOrNotMeasureAsDrawTextLaysThemOut) {
  CPrintedTextWidths widths(&dc);
  // Pairs that differ only in digits come second, so that a shared measure is what they get.
  const std::vector<CString> texts{
      u"1001",    u"9876", u"100137",  u"06.01.2024 10:00", u"29.12.2024 23:59", u"1.97 in", u"5.00 in",
      u"150 N/s", u"lbf",  u"Slot ID", u"Date & Time",      u"Test Disc \u00d8", u"WWW",     u"iii"};
  for (const CString& text : texts)
    EXPECT_EQ(widths.Width(text, DT_LEFT), Laid(text, DT_LEFT)) << text.ToUtf8();
  // Asked again, the kept widths stay the same.
  for (const CString& text : texts)
    EXPECT_EQ(widths.Width(text, DT_LEFT), Laid(text, DT_LEFT)) << text.ToUtf8();
  EXPECT_EQ(widths.Width(CString(), DT_LEFT), 0);
}

TEST_F(PrintedTextWidthsTest, SeveralLinesGiveTheWidestUnwrappedAndWithoutEllipsis) {
  CPrintedTextWidths widths(&dc);
  const CString lines = u"short\r\na much longer second line";
  EXPECT_EQ(widths.Width(lines, DT_WORDBREAK | DT_END_ELLIPSIS), Laid(u"a much longer second line", DT_LEFT));
  const CString tabbed = u"a\tb";
  EXPECT_EQ(widths.Width(tabbed, DT_EXPANDTABS), Laid(tabbed, DT_EXPANDTABS));
  EXPECT_GT(widths.Width(tabbed, DT_EXPANDTABS), Laid(u"ab", DT_LEFT));
}

}  // namespace
