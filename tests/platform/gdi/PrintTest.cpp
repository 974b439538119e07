#include <gtest/gtest.h>

#include "platform/gdi/PrintTarget.h"
#include "tests/platform/gdi/BitmapPixel.h"
#include "tests/platform/gdi/Canvas.h"

namespace {

TEST(PrintTest, PagesAreDrawnBetweenStartPageAndEndPage) {
  CDC printer;
  printer.Attach(CreateMemoryPrinterDC(200, 300, 150));
  EXPECT_EQ(printer.GetDeviceCaps(HORZRES), 200);
  EXPECT_EQ(printer.GetDeviceCaps(VERTRES), 300);
  EXPECT_EQ(printer.GetDeviceCaps(LOGPIXELSY), 150);
  EXPECT_EQ(printer.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(printer.StartPage(), SP_ERROR);  // no document yet

  DOCINFO info{sizeof(DOCINFO), u"Grid", nullptr, nullptr, 0};
  ASSERT_GT(printer.StartDoc(&info), 0);
  for (COLORREF colour : {RGB(255, 0, 0), RGB(0, 0, 255)}) {
    ASSERT_GT(printer.StartPage(), 0);
    printer.FillSolidRect(10, 10, 5, 5, colour);
    ASSERT_GT(printer.EndPage(), 0);
  }
  EXPECT_EQ(printer.EndPage(), SP_ERROR);
  ASSERT_GT(printer.EndDoc(), 0);

  ASSERT_EQ(GetPrintedPageCount(printer), 2);
  for (int i = 0; i < 2; ++i) {
    CBitmap page;
    page.Attach(GetPrintedPage(printer, i));
    EXPECT_EQ(BitmapPixel(page, 12, 12), i == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255));
    EXPECT_EQ(BitmapPixel(page, 15, 15), RGB(255, 255, 255));
  }
  EXPECT_EQ(GetPrintedPage(printer, 2), nullptr);
}

TEST(PrintTest, AbortDropsTheDocument) {
  CDC printer;
  printer.Attach(CreateMemoryPrinterDC(50, 50, 96));
  printer.StartDoc(u"Report");
  printer.StartPage();
  printer.EndPage();
  printer.StartPage();
  EXPECT_GT(printer.AbortDoc(), 0);
  EXPECT_EQ(GetPrintedPageCount(printer), 0);
  EXPECT_EQ(printer.EndDoc(), SP_ERROR);
}

TEST(PrintTest, EachPageKeepsItsTextsAtTheirDevicePositions) {
  CDC printer;
  printer.Attach(CreateMemoryPrinterDC(200, 300, 96));
  printer.TextOut(1, 1, CString(u"before the document"));
  ASSERT_GT(printer.StartDoc(u"Texts"), 0);
  ASSERT_GT(printer.StartPage(), 0);
  printer.TextOut(10, 20, CString(u"top left"));
  CRect box(5, 7, 150, 100);
  printer.DrawText(CString(u"in a box"), &box, DT_LEFT | DT_TOP | DT_SINGLELINE);
  ASSERT_GT(printer.EndPage(), 0);
  ASSERT_GT(printer.StartPage(), 0);
  // Logical units are doubled across and tripled down on the device.
  printer.SetMapMode(MM_ANISOTROPIC);
  printer.SetWindowExt(100, 100);
  printer.SetViewportExt(200, 300);
  printer.TextOut(10, 20, CString(u"mapped"));
  ASSERT_GT(printer.EndPage(), 0);
  ASSERT_GT(printer.EndDoc(), 0);

  const std::vector<SPrintedText> first = GetPrintedTexts(printer, 0);
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].text, CString(u"top left"));
  EXPECT_EQ(first[0].x, 10);
  EXPECT_EQ(first[0].y, 20);
  EXPECT_EQ(first[1].text, CString(u"in a box"));
  EXPECT_EQ(first[1].x, 5);
  EXPECT_EQ(first[1].y, 7);
  const std::vector<SPrintedText> second = GetPrintedTexts(printer, 1);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].x, 20);
  EXPECT_EQ(second[0].y, 60);
  EXPECT_TRUE(GetPrintedTexts(printer, 2).empty());
}

}  // namespace
