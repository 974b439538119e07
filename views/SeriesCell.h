#pragma once
// CSeriesCell: the cell that fills a measurement's detail row (its column range spans every
// column but the first). It draws one test as a row of panels (load-rate curve, results,
// device with the comment, and with the diagnostic flag the raw samples), opens and closes its
// row in steps, turns the mouse over its links into a hand cursor, edits what the links stand
// for through the document, and gives the row's copy text. Every value comes from the document
// at each drawing; the cell keeps only the animation state, the hovered link and the click
// areas of the last drawing.
//
// Its members live in sources by concern: binding and row animation (SeriesCell.cpp), the
// layout and the text panels (SeriesCellPanels.cpp), the curve panel (SeriesCellCurve.cpp),
// and the cursor, clicks, copy text and printing (SeriesCellInput.cpp).

#include "grid/TextCell.h"
#include "toolkit/SensitiveArea.h"

class CZedoDoc;

class CSeriesCell : public CTextCell {
  DECLARE_DYNCREATE(CSeriesCell)

 public:
  // What a click area of the last drawing stands for (its data value).
  enum EClickArea {
    AREA_NONE = 0,
    AREA_COMMENT = 1,
    AREA_UNIT = 2,
    AREA_FAILURE_CLASS_1 = 3,   // to 5 for modes 1 to 3
    AREA_FAILURE_PERCENT_1 = 6  // to 8 for modes 1 to 3
  };
  static constexpr int kMinimumLayoutWidth = 800;
  static constexpr int kMinimumContentHeight = 300;
  // What the row needs below its content.
  static constexpr int kBottomSpace = 15;
  static constexpr int kPanelGap = 25;
  static constexpr int kCurvePlotWidth = 280;
  static constexpr int kCurvePlotHeight = 260;

  CSeriesCell();
  ~CSeriesCell() override;

  // ---- binding and row animation (SeriesCell.cpp)
  void SetMeasurement(CZedoDoc* doc, int index);
  void Expand(bool immediate);
  void Collapse(bool immediate);
  BOOL OnAfterDraw() override;
  CSize GetCellExtent(CDC* dc) override;
  virtual BOOL IsAboveSelected();

  // ---- layout and panels (SeriesCellPanels.cpp)
  BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL erase, BOOL plain) override;
  CSize DrawResultsPanel(CDC* dc, int x, int y, int right);
  CSize DrawDevicePanel(CDC* dc, int x, int y, int right);
  CSize DrawComment(CDC* dc, int x, int y, int width);
  CSize DrawSamplesPanel(CDC* dc, int x, int y, int right);

  // ---- the curve panel (SeriesCellCurve.cpp)
  CSize DrawCurvePanel(CDC* dc, int x, int y, int plotWidth, int plotHeight);
  // The top of an axis: the larger value raised to a whole number, and 1 when that leaves no
  // range (a curve of zeros, no time between samples).
  static double CurveAxisCeiling(double first, double second);

  // ---- cursor, clicks, copy text and printing (SeriesCellInput.cpp)
  BOOL OnSetCursor() override;
  void OnClick(CPoint point) override;
  CString GetCopyText() const override;
  // The copy text is made from the document, so it is appended through GetCopyText.
  void AppendCopyText(CString& text) const override { CCellBase::AppendCopyText(text); }
  BOOL PrintCell(CDC* dc, int row, int col, CRect rect) override;
  // The width of the panels as the printer context's font lays them out, and the margins.
  int GetPrintWidth(CPrintedTextWidths& texts) override;

  // What the last drawing and the mouse left, for the page and for tests.
  int GetCurrentHeight() const { return m_nCurrentHeight; }
  int GetTargetHeight() const { return m_nTargetHeight; }
  bool IsExpanded() const { return m_bExpanded; }
  int GetHoveredArea() const { return m_nHoveredArea; }
  const CSensitiveArea& GetClickAreas() const { return m_clickAreas; }

 private:
  // The fonts of all series cells, made at the first drawing from the font then selected.
  static void CreateFonts(CDC* dc);
  // The cursors of all series cells, loaded at the first construction.
  struct SCursors;
  static const SCursors& Cursors();
  // One step of the row toward the target height after a screen drawing.
  void StepHeight();
  void InvalidateGrid();
  bool IsBound() const { return m_pDoc != nullptr && m_nMeasIndex >= 0; }
  // Draws a link text at (x, y) in the link colour, underlined while its area is hovered, and
  // registers its click area; the normal font and the text colour are selected again after it.
  void DrawLink(CDC* dc, int x, int y, const CString& text, int area, bool hovered);
  // Runs the menu or dialog of a clicked area at the popup point (screen coordinates).
  void EditArea(int area, CPoint popup, const CRect& cell);

  CZedoDoc* m_pDoc = nullptr;
  int m_nMeasIndex = -1;
  int m_nCurrentHeight = 0;
  int m_nTargetHeight = 0;
  // How far right the panels of the last drawing reached.
  int m_nContentWidth = 0;
  bool m_bExpanded = false;
  bool m_bCollapsing = false;
  bool m_bExpanding = false;
  int m_nMargin = 10;
  COLORREF m_linkColor = RGB(0, 111, 127);
  CSensitiveArea m_clickAreas;
  int m_nHoveredArea = AREA_NONE;
};
