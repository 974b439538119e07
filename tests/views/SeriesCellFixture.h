#pragma once
// A series cell placed as the measurement page places it: the detail row of a test in an
// extended grid of nine columns (a fixed header row, the test's header row, its detail row
// with the series cell spanning columns 1 to 8), on a project document filled from hand-built
// records.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <tuple>
#include <vector>

#include "appbase/DiagnosticMode.h"
#include "document/ZedoDoc.h"
#include "grid/CellGrid.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/BitmapPng.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "tests/document/MeasFixtures.h"
#include "tests/support/TestEnvironment.h"
#include "views/SeriesCell.h"

// The host of the grid; it also stands for a view of the document and keeps its notices.
class CSeriesCellHost : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ZEDO_DOC_CHANGED) notices.push_back(int(wParam));
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<int> notices;
};

// One page of a memory printer at 96 dpi, printing from construction to Finish.
class CMemoryPrinterPage {
 public:
  CMemoryPrinterPage() {
    dc.Attach(CreateMemoryPrinterDC(794, 1123, 96));
    dc.m_bPrinting = TRUE;
    dc.StartDoc(u"series cell");
    dc.StartPage();
  }
  // Ends the page and gives its picture (the caller deletes it).
  HBITMAP Finish() {
    dc.EndPage();
    dc.EndDoc();
    return GetPrintedPage(dc.GetSafeHdc(), 0);
  }
  CDC dc;
};

// A colour bitmap selected into a memory context, white at the start.
class CPictureDC {
 public:
  CPictureDC(int width, int height) {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateBitmap(width, height, 1, 32, nullptr);
    m_old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
  }
  ~CPictureDC() { dc.SelectObject(m_old); }
  COLORREF Pixel(int x, int y) const { return dc.GetPixel(x, y) & 0xFFFFFF; }

  CDC dc;
  CBitmap bitmap;

 private:
  CBitmap* m_old = nullptr;
};

// A click area of the last drawing: its rectangle in cell coordinates and its code.
struct SClickArea {
  CRect rect;
  int area;
  bool operator<(const SClickArea& other) const {
    return std::tie(rect.top, rect.left, rect.bottom, rect.right, area) <
           std::tie(other.rect.top, other.rect.left, other.rect.bottom, other.rect.right, other.area);
  }
};

class SeriesCellTest : public ::testing::Test {
 protected:
  static constexpr int kDetailRow = 2;
  static constexpr int kColumns = 9;
  static constexpr COLORREF kBackColor = RGB(242, 245, 253);

  SeriesCellTest() {
    PinTimeZone("Europe/Berlin");
    RegisterProgramResources(nullptr);
    SetDiagnosticMode(false);
    host.CreateEx(0, nullptr, u"ZD-Zedo", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1280, 800), nullptr, 0);
    grid.Create(CRect(0, 0, 1280, 800), &host, 100, WS_CHILD | WS_VISIBLE);
    grid.SetRowCount(3);
    grid.SetColumnCount(kColumns);
    grid.SetFixedRowCount(1);
    grid.SetColumnWidth(0, 56);
    for (int c = 1; c < kColumns; ++c) {
      grid.SetColumnWidth(c, 150);
      grid.SetCellType(kDetailRow, c, RUNTIME_CLASS(CSeriesCell));
      grid.SetCellBackColor(kDetailRow, c, kBackColor);
    }
    grid.SetCellColumnRange(kDetailRow, 1, kColumns - 1);
    grid.SetRowHeight(kDetailRow, 0);
    doc.AddView(&host);
  }
  ~SeriesCellTest() override {
    SetDiagnosticMode(false);
    grid.DestroyWindow();
    host.DestroyWindow();
  }

  CSeriesCell& Cell() { return *static_cast<CSeriesCell*>(grid.GetCell(kDetailRow, 1)); }
  // Fills the document as a download does and binds the cell to the test.
  void Load(const std::vector<CRawRecord>& records, int index = 0) {
    std::vector<BYTE> bytes;
    for (const CRawRecord& r : records) bytes.insert(bytes.end(), r.Bytes().begin(), r.Bytes().end());
    const SMeasDeviceInfo device = DeviceBlock(16000);
    ASSERT_TRUE(doc.AddDownloadedData(bytes.data(), bytes.size(), &device));
    PumpMessages();
    host.notices.clear();
    Cell().SetMeasurement(&doc, index);
  }
  // A test with a rising curve that peaks at sample 60 and three failure modes.
  static CRawRecord CurveRecord() {
    CRawRecord record;
    record.Id(7).Peak(4200).Word(MeasRaw::kTearOffTime, 63).Word(MeasRaw::kEffectiveLoadRate, 98);
    for (int i = 0; i < 100; ++i) record.Sample(i, unsigned(i <= 60 ? i * 70 : 4200 - (i - 60) * 90));
    record.Byte(MeasRaw::kFailureClass + 1, 1).Byte(MeasRaw::kFailurePercent + 1, 60);
    record.Byte(MeasRaw::kFailureClass + 2, 4).Byte(MeasRaw::kFailurePercent + 2, 30);
    record.Byte(MeasRaw::kFailureClass + 3, 5).Byte(MeasRaw::kFailurePercent + 3, 10);
    return record;
  }
  // Paints what is pending, once.
  void Paint() { grid.UpdateWindow(); }
  // Opens the row at once and lets the paints that follow settle.
  void Open() {
    Cell().Expand(true);
    for (int i = 0; i < 10; ++i) Paint();
  }
  CRect CellRect() {
    CRect rect;
    grid.GetCellRect(kDetailRow, 1, rect);
    return rect;
  }
  // Every click area of the drawings since the last screen drawing, found by hit-testing each
  // pixel of the cell (or of the area given, in cell coordinates).
  std::vector<SClickArea> ClickAreas(CRect within = CRect()) {
    std::set<SClickArea> found;
    if (within.IsRectEmpty()) {
      const CRect cell = CellRect();
      within = CRect(0, 0, std::max(int(cell.Width()), CSeriesCell::kMinimumLayoutWidth) + 1, cell.Height() + 1);
    }
    for (int y = within.top; y < within.bottom; ++y) {
      for (int x = within.left; x < within.right; ++x) {
        int data = 0;
        RECT rect;
        if (Cell().GetClickAreas().HitTest(CPoint(x, y), nullptr, &data, nullptr, &rect))
          found.insert({CRect(rect), data});
      }
    }
    return std::vector<SClickArea>(found.begin(), found.end());
  }
  std::vector<CRect> AreasOf(int code, CRect within = CRect()) {
    std::vector<CRect> rects;
    for (const SClickArea& a : ClickAreas(within))
      if (a.area == code) rects.push_back(a.rect);
    return rects;
  }
  // A point inside the first area with the code, in cell coordinates.
  CPoint PointIn(int code) {
    const std::vector<CRect> rects = AreasOf(code);
    if (rects.empty()) {
      ADD_FAILURE() << "no click area " << code;
      return CPoint(-1, -1);
    }
    return rects[0].CenterPoint();
  }
  // Puts the mouse on a point of the cell and lets the cell set the cursor.
  void HoverCellPoint(CPoint point) {
    const CRect cell = CellRect();
    CPoint screen(cell.left + point.x, cell.top + point.y);
    grid.ClientToScreen(&screen);
    SetCursorPos(screen.x, screen.y);
    Cell().OnSetCursor();
  }
  // A picture of what the grid window shows, written for a person to look at when
  // ZD_SCREENSHOT_DIR names a folder.
  void SavePicture(const std::string& name) {
    const std::string path = TestPath(name);
    ASSERT_TRUE(SaveWindowImage(&grid, CString::FromUtf8(path)));
    if (const char* keep = std::getenv("ZD_SCREENSHOT_DIR"))
      std::filesystem::copy_file(path, std::string(keep) + "/" + name,
                                 std::filesystem::copy_options::overwrite_existing);
  }

  CUiApplication app;
  CZedoDoc doc;
  CSeriesCellHost host;
  CCellGrid grid;
};
