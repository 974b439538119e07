#pragma once
// A grid's printout from its beginning to its end, shared by both grids: the eight layout
// values, the printer font, the page's measures and where the pages start down and across; and
// the frame of one printed page.

#include <functional>
#include <vector>

#include "grid/GridPageBreaks.h"
#include "grid/GridPrintInfo.h"
#include "grid/PrintedTextWidths.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Font.h"
#include "platform/ui/Wnd.h"

class CPrintInfo;

// A grid's printer font: Arial of the height, and 52 letters whose mean width is the printout's
// character width.
struct SPrinterFont {
  int height;
  const char16_t* sample52;
};

class CGridPrintout {
 public:
  // The first layout value: cells print in their colours.
  BOOL GetColors() const { return m_layout[0]; }
  void SetColors(BOOL on) { m_layout[0] = on; }
  int GetLayoutValue(int place) const { return m_layout[place]; }
  CFont& GetFont() { return m_font; }
  SGridPrintMetrics& GetMetrics() { return m_metrics; }
  const SGridPrintMetrics& GetMetrics() const { return m_metrics; }
  // The first row of each page down and the first column of each page across.
  const std::vector<int>& GetRowStarts() const { return m_rowStarts; }
  const std::vector<int>& GetColumnStarts() const { return m_columnStarts; }
  // The width a column prints at, and the width of the columns from first to before end, in
  // the page's logical units.
  int GetColumnWidth(int col) const;
  int GetSpanWidth(int first, int end) const;

  // The width a cell needs on the page, measured with the text widths of the printer context
  // as the page maps it (0: none beyond its column's).
  using CellNeed = std::function<int(CPrintedTextWidths& texts, int row, int col)>;

  // Begins a printout of the grid on the printer context: the printer font made anew; the
  // page's measures, at three quarters of the screen's scale with `atScreenScale`, else as wide
  // as the printed columns and the margins; the rows broken into pages in groups of
  // `rowsPerGroup` by the heights `rowHeight` gives; the columns broken into pages across at the
  // screen's scale, else all on one; and the page count. Each column prints at its screen width,
  // widened to what `cellNeed` (when given) asks for its cells in the fixed rows and the rows
  // that print. Nothing without a screen context of the grid's window.
  template <class TGrid>
  void Begin(TGrid& grid, CDC* dc, CPrintInfo* info, const SPrinterFont& font, bool atScreenScale,
             int rowsPerGroup, const std::function<int(int)>& rowHeight, const CellNeed& cellNeed = {}) {
    CDC* screen = grid.GetDC();
    if (!screen) return;
    m_columnWidths.clear();
    for (int col = 0; col < grid.GetColumnCount(); ++col) m_columnWidths.push_back(grid.GetColumnWidth(col));
    std::vector<int> printedRows;
    if (cellNeed)
      for (int row = 0; row < grid.GetRowCount(); ++row)
        if (row < grid.GetFixedRowCount() || rowHeight(row) > 0) printedRows.push_back(row);
    FitColumns(dc, screen, font, atScreenScale, grid.GetFixedColumnCount(), grid.GetFixedRowsHeight(),
               printedRows, cellNeed);
    grid.ReleaseDC(screen);
    m_rowStarts = BreakIntoPages(grid.GetFixedRowCount(), grid.GetRowCount(), rowsPerGroup,
                                 m_metrics.bodyHeight, rowHeight);
    m_columnStarts = {grid.GetFixedColumnCount()};
    if (atScreenScale)
      m_columnStarts =
          BreakIntoPages(grid.GetFixedColumnCount(), grid.GetColumnCount(), 1, m_metrics.printableWidth,
                         [this](int col) { return GetColumnWidth(col); });
    CountPages(info);
  }
  void End() { m_font.DeleteObject(); }

 private:
  // The font's character height and mean width, the printable area, the logical page in the
  // paper's proportions, the body height left for the rows below the bands, the gaps and the
  // fixed rows, and the printable width beside the fixed columns.
  void Measure(CDC* dc, CDC* screen, const SPrinterFont& font, bool atScreenScale, int gridWidth,
               const CSize& fixedSize);
  void CountPages(CPrintInfo* info);
  // The page's measures for the column widths, after widening the columns to what their cells
  // in the printed rows need.
  void FitColumns(CDC* dc, CDC* screen, const SPrinterFont& font, bool atScreenScale, int fixedColumns,
                  int fixedHeight, const std::vector<int>& printedRows, const CellNeed& cellNeed);
  // Widens each column to what its cells (of `rows`, per column) need on the printer context
  // with the printer font and the page's mapping; true when a column grew. With `keepWidest` each
  // column's list is cut down to the cells that came near its widest.
  bool WidenColumns(CDC* dc, std::vector<std::vector<int>>& rows, const CellNeed& cellNeed, bool keepWidest);

  static constexpr int kFittingPasses = 4;
  // How close to a column's widest cell a cell's need may come as the page's scale changes.
  static constexpr int kNearWidest = 4;

  int m_layout[8] = {1, 2, 2, 4, 4, 1, 1, 1};
  CFont m_font;
  SGridPrintMetrics m_metrics;
  std::vector<int> m_rowStarts;
  std::vector<int> m_columnStarts;
  std::vector<int> m_columnWidths;
};

// A printed page while it lives: the printer font selected and the logical page mapped onto the
// device, at first with the header band at the top between the margins; then the body below the
// header, the gap and the fixed rows, and at last the footer band at the bottom of the page. The
// previous font and the window origin come back at the end.
class CPrintPageFrame {
 public:
  CPrintPageFrame(CDC* dc, CGridPrintout& printout);
  ~CPrintPageFrame();

  // The bands' width between the margins, and their heights.
  int GetBandWidth() const;
  int GetHeaderHeight() const { return m_headerHeight; }
  int GetFooterHeight() const { return m_footerHeight; }
  void MoveToBody(int fixedHeight);
  void MoveToFooter();

  CPrintPageFrame(const CPrintPageFrame&) = delete;
  CPrintPageFrame& operator=(const CPrintPageFrame&) = delete;

 private:
  CDC* m_dc;
  const CGridPrintout& m_printout;
  int m_leftMargin;
  int m_headerHeight;
  int m_footerHeight;
  CFont* m_previousFont;
};
