#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/gdi/BitmapPng.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/PrintTarget.h"
#include "tests/platform/gdi/PdfReader.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr COLORREF kPaperWhite = RGB(255, 255, 255);

// Copies a file the test made into ZD_SCREENSHOT_DIR, where a person asked to look at them.
void KeepForALook(const std::string& path, const std::string& name) {
  if (const char* keep = std::getenv("ZD_SCREENSHOT_DIR"))
    std::filesystem::copy_file(path, std::string(keep) + "/" + name,
                               std::filesystem::copy_options::overwrite_existing);
}

// The pixels of a page the memory printer recorded.
struct RecordedPage {
  int width = 0;
  int height = 0;
  std::vector<BYTE> bgra;
  RecordedPage(HBITMAP page, int w, int h) : width(w), height(h), bgra(std::size_t(w) * std::size_t(h) * 4) {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    GetDIBits(dc, page, 0, UINT(h), bgra.data(), &info, DIB_RGB_COLORS);
  }
  COLORREF At(int x, int y) const {
    const BYTE* p = &bgra[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4];
    return RGB(p[2], p[1], p[0]);
  }
};

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right and bottom exclusive
  void Add(int x, int y) {
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x + 1);
    bottom = std::max(bottom, y + 1);
  }
};

// Prints the same page on the memory printer and into a PDF file.
class SamePageOnRecorderAndPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HavePopplerTools()) GTEST_SKIP() << "the poppler tools (pdftotext, pdftoppm) are not installed";
  }

  template <class DrawFn>
  void Print(int width, int height, int dpi, DrawFn draw) {
    m_width = width;
    m_height = height;
    m_dpi = dpi;
    CDC recorder;
    recorder.Attach(CreateMemoryPrinterDC(width, height, dpi));
    CDC pdf;
    pdf.Attach(CreatePdfDC(CString::FromUtf8(PdfPath()), width, height, dpi));
    for (CDC* dc : {&recorder, &pdf}) {
      ASSERT_GT(dc->StartDoc(u"Same page"), 0);
      ASSERT_GT(dc->StartPage(), 0);
      draw(*dc);
      ASSERT_GT(dc->EndPage(), 0);
      ASSERT_GT(dc->EndDoc(), 0);
    }
    HBITMAP page = GetPrintedPage(recorder, 0);
    ASSERT_NE(page, nullptr);
    SaveBitmapAsPng(page, CString::FromUtf8(TestPath("recorded.png")));
    m_recorded = std::make_unique<RecordedPage>(page, width, height);
    DeleteObject(page);
  }

  std::string PdfPath() const { return TestPath("page.pdf"); }

  static void KeepPictures(const std::string& name) {
    KeepForALook(TestPath("recorded.png"), name + "-recorded.png");
    KeepForALook(TestPath("pdf.png"), name + "-pdf.png");
    KeepForALook(TestPath("page.pdf"), name + ".pdf");
  }

  int m_width = 0;
  int m_height = 0;
  int m_dpi = 0;
  std::unique_ptr<RecordedPage> m_recorded;
};

std::string WordList(const std::vector<PdfWord>& words) {
  std::string list;
  for (const PdfWord& w : words) list += "[" + w.text + "] ";
  return list;
}

struct PlacedText {
  const char16_t* text;
  int x, y;
  UINT align;
  int escapement;  // tenths of a degree
  COLORREF background;
};

// Texts drawn over an opaque background of their own colour: on the recorded page the
// coloured cell shows exactly where the layer placed each text.
TEST_F(SamePageOnRecorderAndPdf, TextsStandAtTheSamePlaces) {
  const PlacedText texts[] = {
      {u"Adhesion", 100, 100, TA_LEFT | TA_TOP, 0, RGB(255, 200, 200)},
      {u"Dolly", 620, 220, TA_CENTER | TA_TOP, 0, RGB(200, 255, 200)},
      {u"Tester", 1100, 360, TA_RIGHT | TA_BASELINE, 0, RGB(200, 200, 255)},
      {u"Summary", 150, 520, TA_LEFT | TA_BOTTOM, 0, RGB(255, 255, 160)},
      {u"Rotated", 400, 1200, TA_LEFT | TA_TOP, 900, RGB(160, 255, 255)},
  };
  Print(1240, 1754, 150, [&](CDC& dc) {
    for (const PlacedText& t : texts) {
      LOGFONT lf{};
      lf.lfHeight = -14 * dc.GetDeviceCaps(LOGPIXELSY) / 72;
      lf.lfEscapement = lf.lfOrientation = t.escapement;
      std::char_traits<char16_t>::copy(lf.lfFaceName, u"DejaVu Sans", 12);
      CFont font;
      font.CreateFontIndirect(&lf);
      CFont* old = dc.SelectObject(&font);
      dc.SetTextAlign(t.align);
      dc.SetBkMode(OPAQUE);
      dc.SetBkColor(t.background);
      dc.TextOut(t.x, t.y, t.text, int(std::char_traits<char16_t>::length(t.text)));
      dc.SelectObject(old);
    }
  });
  RenderPdfPage(PdfPath(), m_dpi, TestPath("pdf.png"));
  KeepPictures("texts");
  std::map<COLORREF, Box> cells;
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) cells[m_recorded->At(x, y)].Add(x, y);

  const std::vector<PdfWord> words = ReadPdfWords(PdfPath(), m_dpi);
  ASSERT_EQ(words.size(), std::size(texts)) << "every text is text in the PDF, one word each";
  for (const PlacedText& t : texts) {
    const std::string name = CString(t.text).ToUtf8();
    auto word = std::find_if(words.begin(), words.end(), [&](const PdfWord& w) { return w.text == name; });
    ASSERT_NE(word, words.end()) << name << " is missing from the PDF's text: " << WordList(words);
    const Box& cell = cells[t.background];
    constexpr double kTolerance = 2.0;
    EXPECT_NEAR(word->left, cell.left, kTolerance) << name;
    EXPECT_NEAR(word->right, cell.right, kTolerance) << name;
    EXPECT_NEAR(word->top, cell.top, kTolerance) << name;
    EXPECT_NEAR(word->bottom, cell.bottom, kTolerance) << name;
  }
}

// A small colour picture: four quadrants and a magenta frame, the colour TransparentBlt keys out.
HBITMAP MakePicture(CDC& reference) {
  CDC memory;
  memory.CreateCompatibleDC(&reference);
  HBITMAP picture = CreateCompatibleBitmap(nullptr, 40, 40);
  HGDIOBJ old = memory.SelectObject(HGDIOBJ(picture));
  memory.FillSolidRect(0, 0, 40, 40, RGB(255, 0, 255));
  memory.FillSolidRect(4, 4, 16, 16, RGB(220, 0, 0));
  memory.FillSolidRect(20, 4, 16, 16, RGB(0, 160, 0));
  memory.FillSolidRect(4, 20, 16, 16, RGB(0, 0, 200));
  memory.FillSolidRect(20, 20, 16, 16, RGB(240, 200, 0));
  memory.SelectObject(old);
  return picture;
}

// A mask: black (drawn) in a diamond, white (kept) around it.
HBITMAP MakeMask(CDC& reference) {
  CDC memory;
  memory.CreateCompatibleDC(&reference);
  HBITMAP mask = CreateCompatibleBitmap(nullptr, 40, 40);
  HGDIOBJ old = memory.SelectObject(HGDIOBJ(mask));
  memory.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
  memory.SelectStockObject(BLACK_BRUSH);
  memory.SelectStockObject(NULL_PEN);
  const POINT diamond[] = {{20, 0}, {40, 20}, {20, 40}, {0, 20}};
  memory.Polygon(diamond, 4);
  memory.SelectObject(old);
  return mask;
}

// One of each kind of drawing the grids, views and summary print with.
void DrawSampler(CDC& dc) {
  dc.FillSolidRect(20, 20, 200, 30, RGB(230, 230, 250));
  CPen thick(PS_SOLID, 5, RGB(0, 0, 160));
  CBrush hatch(HS_DIAGCROSS, RGB(0, 120, 0));
  CPen* oldPen = dc.SelectObject(&thick);
  CBrush* oldBrush = dc.SelectObject(&hatch);
  dc.Rectangle(20, 70, 160, 150);
  dc.SelectStockObject(LTGRAY_BRUSH);
  dc.Ellipse(180, 70, 300, 150);
  const POINT star[] = {{380, 60}, {410, 150}, {330, 95}, {430, 95}, {350, 150}};
  dc.SetPolyFillMode(ALTERNATE);
  dc.Polygon(star, 5);
  CPen thin(PS_SOLID, 1, RGB(160, 0, 0));
  dc.SelectObject(&thin);
  dc.MoveTo(460, 60);
  dc.LineTo(580, 150);
  CPen dashed(PS_DASH, 1, RGB(0, 0, 0));
  dc.SelectObject(&dashed);
  dc.MoveTo(460, 160);
  dc.LineTo(580, 160);
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);

  TRIVERTEX corners[] = {{20, 180, 0xFF00, 0, 0, 0}, {220, 210, 0, 0, 0xFF00, 0}};
  GRADIENT_RECT gradient{0, 1};
  dc.GradientFill(corners, 2, &gradient, 1, GRADIENT_FILL_RECT_H);

  CDC memory;
  memory.CreateCompatibleDC(&dc);
  HBITMAP picture = MakePicture(dc);
  HGDIOBJ old = memory.SelectObject(HGDIOBJ(picture));
  dc.BitBlt(20, 230, 40, 40, &memory, 0, 0, SRCCOPY);
  dc.StretchBlt(80, 230, 80, 80, &memory, 0, 0, 40, 40, SRCCOPY);
  dc.FillSolidRect(180, 230, 40, 40, RGB(0, 0, 0));
  dc.TransparentBlt(180, 230, 40, 40, &memory, 0, 0, 40, 40, RGB(255, 0, 255));
  dc.FillSolidRect(240, 230, 60, 40, RGB(0, 0, 255));
  dc.AlphaBlend(250, 230, 40, 40, &memory, 0, 0, 40, 40, BLENDFUNCTION{AC_SRC_OVER, 0, 128, 0});
  HBITMAP mask = MakeMask(dc);
  memory.SelectObject(HGDIOBJ(mask));
  dc.FillSolidRect(320, 230, 40, 40, RGB(255, 0, 0));
  dc.BitBlt(320, 230, 40, 40, &memory, 0, 0, SRCAND);
  memory.SelectObject(old);
  DeleteObject(picture);
  DeleteObject(mask);

  // A clip that lets only two windows of a wide bar through, undone by RestoreDC.
  const int saved = dc.SaveDC();
  CRgn left, right;
  left.CreateRectRgn(400, 230, 440, 270);
  right.CreateRectRgn(480, 230, 520, 270);
  dc.SelectClipRgn(&left);
  dc.SelectClipRgn(&right, RGN_OR);
  dc.FillSolidRect(380, 240, 160, 20, RGB(0, 128, 128));
  dc.RestoreDC(saved);
  dc.FillSolidRect(380, 280, 160, 4, RGB(128, 0, 128));

  // Raster operations on white: the PDF cannot read the page, and draws what they give on
  // white paper.
  RECT inverted{320, 160, 360, 180};
  dc.InvertRect(&inverted);
  CPen xorPen(PS_SOLID, 3, RGB(255, 0, 0));
  dc.SelectObject(&xorPen);
  dc.SetROP2(R2_XORPEN);
  dc.MoveTo(380, 170);
  dc.LineTo(440, 170);
  dc.SetROP2(R2_COPYPEN);
  dc.SelectObject(oldPen);

  LOGFONT lf{};
  lf.lfHeight = -20;
  lf.lfWeight = FW_BOLD;
  std::char_traits<char16_t>::copy(lf.lfFaceName, u"DejaVu Sans", 12);
  CFont font;
  font.CreateFontIndirect(&lf);
  lf.lfEscapement = lf.lfOrientation = 900;
  CFont rotated;
  rotated.CreateFontIndirect(&lf);
  CFont* oldFont = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  RECT box{20, 330, 300, 380};
  dc.FrameRect(&box, CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  dc.DrawText(u"Adhesion 2.41 MPa", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  dc.SelectObject(&rotated);
  dc.SetTextColor(RGB(160, 0, 0));
  dc.TextOut(560, 380, u"Dolly 20 mm", 11);
  dc.SelectObject(oldFont);
}

// Pixels that differ in some channel by more than the rounding of two renderers do.
bool Differ(COLORREF a, COLORREF b) {
  auto channel = [](COLORREF c, int shift) { return int((c >> shift) & 0xFF); };
  for (int shift : {0, 8, 16})
    if (std::abs(channel(a, shift) - channel(b, shift)) > 60) return true;
  return false;
}

TEST_F(SamePageOnRecorderAndPdf, DrawingsLookAlikeRenderedFromThePdf) {
  Print(620, 420, 96, DrawSampler);
  const PdfPage pdf = RenderPdfPage(PdfPath(), m_dpi, TestPath("pdf.png"));
  KeepPictures("sampler");
  ASSERT_EQ(pdf.width, m_width);
  ASSERT_EQ(pdf.height, m_height);
  // Edges may fall a pixel apart; a pixel counts as different only where neither it nor a
  // neighbour matches.
  int different = 0, inked = 0;
  for (int y = 1; y + 1 < m_height; ++y) {
    for (int x = 1; x + 1 < m_width; ++x) {
      const COLORREF recorded = m_recorded->At(x, y);
      if (recorded != kPaperWhite) ++inked;
      bool matched = false;
      for (int dy = -1; dy <= 1 && !matched; ++dy)
        for (int dx = -1; dx <= 1 && !matched; ++dx) matched = !Differ(recorded, pdf.At(x + dx, y + dy));
      if (!matched) ++different;
    }
  }
  EXPECT_GT(inked, m_width * m_height / 10);
  EXPECT_LT(different, inked / 100) << "of " << inked << " inked pixels";
  // Spots that must be exactly alike: the mask kept the red where it was white and blackened
  // the diamond; the clip let nothing through between its two windows.
  struct Spot {
    int x, y;
    COLORREF color;
  };
  const Spot spots[] = {
      {322, 232, RGB(255, 0, 0)}, {340, 250, RGB(0, 0, 0)},     {420, 250, RGB(0, 128, 128)},
      {460, 250, kPaperWhite},    {500, 250, RGB(0, 128, 128)}, {25, 235, RGB(220, 0, 0)},
      {190, 231, RGB(0, 0, 0)},   {340, 170, RGB(0, 0, 0)},     {410, 170, RGB(0, 255, 255)}};
  for (const Spot& spot : spots) {
    EXPECT_EQ(m_recorded->At(spot.x, spot.y), spot.color) << "recorded at " << spot.x << ", " << spot.y;
    EXPECT_FALSE(Differ(pdf.At(spot.x, spot.y), spot.color)) << "PDF at " << spot.x << ", " << spot.y;
  }
}

// A page of grid lines, boxes and text, in tenths of millimetres so that it covers the same
// paper at every resolution.
void DrawTextAndLines(CDC& dc) {
  dc.SetMapMode(MM_LOMETRIC);
  LOGFONT lf{};
  lf.lfHeight = -35;  // 3.5 mm
  std::char_traits<char16_t>::copy(lf.lfFaceName, u"DejaVu Sans", 12);
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* oldFont = dc.SelectObject(&font);
  CPen pen(PS_SOLID, 3, RGB(0, 0, 90));
  CPen* oldPen = dc.SelectObject(&pen);
  dc.Rectangle(100, -100, 1900, -2600);
  for (int row = 0; row < 40; ++row) {
    const int y = -150 - row * 60;
    dc.MoveTo(100, y);
    dc.LineTo(1900, y);
    CString cell;
    cell.Format(u"Test %d: 2.%02d MPa, fracture A/B 60%%", row + 1, row);
    dc.TextOut(120, y - 10, cell, cell.GetLength());
  }
  dc.MoveTo(100, -150);
  dc.LineTo(1900, -2550);
  // One-pixel lines, solid and dotted, whatever the resolution.
  CPen hair(PS_SOLID, 0, RGB(120, 0, 0));
  dc.SelectObject(&hair);
  dc.MoveTo(1900, -150);
  dc.LineTo(100, -2550);
  CPen dotted(PS_DOT, 0, RGB(0, 0, 0));
  dc.SelectObject(&dotted);
  dc.MoveTo(100, -2700);
  dc.LineTo(1900, -2800);
  dc.SelectObject(oldPen);
  dc.SelectObject(oldFont);
}

TEST(PdfPrintTest, ThePdfIsVectorGraphicsWhoseSizeDoesNotGrowWithTheResolution) {
  if (!HavePopplerTools()) GTEST_SKIP() << "the poppler tools are not installed";
  std::map<int, std::uintmax_t> sizes;
  for (int dpi : {300, 1200}) {
    // A4: 210 x 297 mm.
    const int width = 210 * dpi * 10 / 254, height = 297 * dpi * 10 / 254;
    const std::string path = TestPath("a4-" + std::to_string(dpi) + ".pdf");
    CDC pdf;
    pdf.Attach(CreatePdfDC(CString::FromUtf8(path), width, height, dpi));
    ASSERT_GT(pdf.StartDoc(u"Report"), 0);
    for (int page = 0; page < 2; ++page) {
      ASSERT_GT(pdf.StartPage(), 0);
      DrawTextAndLines(pdf);
      ASSERT_GT(pdf.EndPage(), 0);
    }
    ASSERT_GT(pdf.EndDoc(), 0);
    EXPECT_EQ(ReadPdfPageCount(path), 2);
    sizes[dpi] = std::filesystem::file_size(path);
    KeepForALook(path, "a4-" + std::to_string(dpi) + ".pdf");
    const std::uintmax_t bitmap = std::uintmax_t(width) * std::uintmax_t(height) * 3 * 2;
    EXPECT_LT(sizes[dpi] * 100, bitmap)
        << "at " << dpi << " dpi the file is not even a hundredth of the pictures";
  }
  EXPECT_LT(double(sizes[1200]), 1.2 * double(sizes[300]));
  EXPECT_LT(double(sizes[300]), 1.2 * double(sizes[1200]));
}

TEST(PdfPrintTest, TheFileAppearsAtEndDocAndAnAbortedDocumentLeavesNoFile) {
  const std::string folder = TestPath("out");
  std::filesystem::create_directory(folder);
  const std::string path = folder + "/report.pdf";
  for (bool abort : {true, false}) {
    CDC pdf;
    pdf.Attach(CreatePdfDC(CString::FromUtf8(path), 800, 600, 96));
    EXPECT_EQ(pdf.StartPage(), SP_ERROR) << "no document yet";
    ASSERT_GT(pdf.StartDoc(u"Report"), 0);
    ASSERT_GT(pdf.StartPage(), 0);
    EXPECT_EQ(pdf.StartPage(), SP_ERROR) << "a page is open";
    pdf.TextOut(10, 10, u"Page", 4);
    ASSERT_GT(pdf.EndPage(), 0);
    EXPECT_EQ(pdf.EndPage(), SP_ERROR) << "no page is open";
    ASSERT_GT(pdf.StartPage(), 0);
    EXPECT_FALSE(std::filesystem::exists(path)) << "the file appears only when the document is done";
    if (abort) {
      EXPECT_GT(pdf.AbortDoc(), 0);
      EXPECT_EQ(pdf.EndDoc(), SP_ERROR);
      EXPECT_TRUE(std::filesystem::is_empty(folder))
          << "an aborted document leaves no file, not even a temporary one";
    } else {
      EXPECT_GT(pdf.EndDoc(), 0);
      EXPECT_TRUE(std::filesystem::exists(path));
    }
  }
  if (HavePopplerTools()) {
    EXPECT_EQ(ReadPdfPageCount(path), 2);
  }
}

TEST(PdfPrintTest, AnUnwritableFileFailsStartDoc) {
  CDC pdf;
  pdf.Attach(CreatePdfDC(CString::FromUtf8(TestPath("missing-folder/report.pdf")), 800, 600, 96));
  EXPECT_EQ(pdf.StartDoc(u"Report"), SP_ERROR);
  EXPECT_EQ(CreatePdfDC(u"x.pdf", 0, 600, 96), nullptr);
}

TEST(PdfPrintTest, DeviceCapsDescribeThePageInDevicePixels) {
  CDC pdf;
  pdf.Attach(CreatePdfDC(CString::FromUtf8(TestPath("caps.pdf")), 4961, 7016, 600));
  struct Cap {
    int index;
    int value;
  };
  const Cap caps[] = {
      {HORZRES, 4961},       {VERTRES, 7016},        {LOGPIXELSX, 600},          {LOGPIXELSY, 600},
      {PHYSICALWIDTH, 4961}, {PHYSICALHEIGHT, 7016}, {PHYSICALOFFSETX, 0},       {PHYSICALOFFSETY, 0},
      {HORZSIZE, 210},       {VERTSIZE, 297},        {TECHNOLOGY, DT_RASPRINTER}};
  for (const Cap& cap : caps) EXPECT_EQ(pdf.GetDeviceCaps(cap.index), cap.value) << "index " << cap.index;
  EXPECT_TRUE(CDC::FromHandle(pdf)->IsPrinting());
  // What is on the paper cannot be read back.
  ASSERT_GT(pdf.StartDoc(u"Caps"), 0);
  ASSERT_GT(pdf.StartPage(), 0);
  pdf.FillSolidRect(0, 0, 10, 10, RGB(255, 0, 0));
  EXPECT_EQ(pdf.GetPixel(5, 5), CLR_INVALID);
  EXPECT_EQ(pdf.SetPixel(20, 20, RGB(0, 0, 255)), RGB(0, 0, 255));
  EXPECT_GT(pdf.EndDoc(), 0);
}

// The peak of the process's resident memory, in kilobytes.
long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

TEST(PdfPrintTest, AnA4PageAt600DpiIsNotKeptAsAPicture) {
  CDC pdf;
  pdf.Attach(CreatePdfDC(CString::FromUtf8(TestPath("a4.pdf")), 4961, 7016, 600));
  const long before = PeakResidentKb();
  ASSERT_GT(pdf.StartDoc(u"Memory"), 0);
  ASSERT_GT(pdf.StartPage(), 0);
  DrawTextAndLines(pdf);
  ASSERT_GT(pdf.EndDoc(), 0);
  // A picture of the page alone would take 4961 x 7016 x 4 bytes, 136 MB.
  EXPECT_LT(PeakResidentKb() - before, 30 * 1024);
}

TEST(PdfPrintTest, PrintersAreListedAndAnUnknownPrinterGivesNoContext) {
  const std::vector<CString> printers = GetPrinterNames();
  EXPECT_EQ(CreatePrinterDC(u"No printer of this name"), nullptr);
  if (printers.empty()) {
    EXPECT_EQ(CreatePrinterDC(u""), nullptr) << "no default printer without a print system";
    return;
  }
  CDC printer;
  ASSERT_TRUE(printer.Attach(CreatePrinterDC(printers.front())));
  EXPECT_GT(printer.GetDeviceCaps(HORZRES), 0);
  EXPECT_GT(printer.GetDeviceCaps(LOGPIXELSY), 0);
}

}  // namespace
