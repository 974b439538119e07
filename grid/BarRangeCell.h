#pragma once
// CBarRangeCell: a cell that draws two value ranges, their overlap and a marker on a scale
// from a minimum to a maximum across the cell.

#include "grid/TextCell.h"

class CBarRangeCell : public CTextCell {
  DECLARE_DYNCREATE(CBarRangeCell)

 public:
  double SetMinValue(double value);
  double SetMaxValue(double value);
  double SetMarkerValue(double value);
  void SetMarkerHidden(BOOL hidden) { m_markerHidden = hidden; }
  void SetOverlapColors(COLORREF normal, COLORREF selected);
  void SetRangeAColors(COLORREF normal, COLORREF selected);
  void SetRangeBColors(COLORREF normal, COLORREF selected);
  void SetRangeALow(double value) { m_rangeALow = value; }
  void SetRangeAHigh(double value) { m_rangeAHigh = value; }
  void SetRangeBLow(double value) { m_rangeBLow = value; }
  void SetRangeBHigh(double value) { m_rangeBHigh = value; }
  void SetRangeAHidden(BOOL hidden) { m_rangeAHidden = hidden; }
  void SetRangeBHidden(BOOL hidden) { m_rangeBHidden = hidden; }
  double GetMinValue() const { return m_min; }
  double GetMaxValue() const { return m_max; }
  double GetMarkerValue() const { return m_marker; }
  BOOL IsMarkerHidden() const { return m_markerHidden; }
  double GetRangeALow() const { return m_rangeALow; }
  double GetRangeAHigh() const { return m_rangeAHigh; }
  double GetRangeBLow() const { return m_rangeBLow; }
  double GetRangeBHigh() const { return m_rangeBHigh; }

  BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL erase, BOOL plain) override;
  BOOL PrintCell(CDC* dc, int row, int col, CRect rect) override;
  CSize GetCellExtent(CDC* dc) override;

 private:
  // The value limited to the scale.
  double Clamp(double value) const;
  // The x of a value: its distance from the minimum in proportion to the scale.
  int Map(double value, const CRect& rect) const;
  void FillRange(CDC* dc, int left, int right, const CRect& rect, bool inset, COLORREF color) const;

  COLORREF m_overlapColor = RGB(0x46, 0x46, 0xFF);
  COLORREF m_overlapSelectedColor = RGB(0x1E, 0x1E, 0x64);
  COLORREF m_rangeAColor = RGB(0x80, 0x80, 0x80);
  COLORREF m_rangeASelectedColor = RGB(0x40, 0x40, 0x40);
  double m_max = 100.0;
  double m_min = 0.0;
  double m_marker = 50.0;
  BOOL m_markerHidden = FALSE;
  COLORREF m_rangeBColor = RGB(0xC0, 0xC0, 0xC0);
  COLORREF m_rangeBSelectedColor = RGB(0x60, 0x60, 0x60);
  double m_rangeBLow = 10.0, m_rangeBHigh = 90.0;
  BOOL m_rangeBHidden = TRUE;
  double m_rangeALow = 30.0, m_rangeAHigh = 60.0;
  BOOL m_rangeAHidden = TRUE;
};
