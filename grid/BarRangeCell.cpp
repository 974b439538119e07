#include "grid/BarRangeCell.h"

#include <algorithm>
#include <utility>

#include "platform/gdi/SystemInfo.h"

IMPLEMENT_DYNCREATE(CBarRangeCell, CTextCell)

double CBarRangeCell::SetMinValue(double value) { return std::exchange(m_min, value); }
double CBarRangeCell::SetMaxValue(double value) { return std::exchange(m_max, value); }
double CBarRangeCell::SetMarkerValue(double value) { return std::exchange(m_marker, value); }

void CBarRangeCell::SetOverlapColors(COLORREF normal, COLORREF selected) {
  m_overlapColor = normal;
  m_overlapSelectedColor = selected;
}
void CBarRangeCell::SetRangeAColors(COLORREF normal, COLORREF selected) {
  m_rangeAColor = normal;
  m_rangeASelectedColor = selected;
}
void CBarRangeCell::SetRangeBColors(COLORREF normal, COLORREF selected) {
  m_rangeBColor = normal;
  m_rangeBSelectedColor = selected;
}

double CBarRangeCell::Clamp(double value) const { return std::min(std::max(value, m_min), m_max); }

// The distance from the minimum is scaled, so that the minimum lies at the left edge and the
// maximum at the right edge whatever the minimum is; no range reaches out of the cell.
int CBarRangeCell::Map(double value, const CRect& rect) const {
  return rect.left + int((rect.right - rect.left) * (Clamp(value) - m_min) / (m_max - m_min));
}

void CBarRangeCell::FillRange(CDC* dc, int left, int right, const CRect& rect, bool inset,
                              COLORREF color) const {
  CRect bar(left, rect.top, right, rect.bottom);
  if (inset) {
    const int formerRight = bar.right;
    bar.DeflateRect(1, 1);
    if (formerRight != rect.right) bar.right = formerRight;
  }
  dc->FillSolidRect(bar, color);
}

BOOL CBarRangeCell::Draw(CDC* dc, int row, int col, CRect rect, BOOL, BOOL plain) {
  CCellBase* def = GetDefaultCell();
  if (!dc || rect.right - rect.left < 1 || rect.bottom - rect.top < 1 || !def) return FALSE;
  const int saved = dc->SaveDC();
  dc->SetBkMode(TRANSPARENT);
  const bool selected = IsSelected() && !plain;
  COLORREF textColor = IsFixed() ? def->GetTextColor() : GetTextColor();
  if (selected) textColor = InvertTextColor(textColor);
  DrawBackground(dc, row, col, rect, plain);
  DrawFocusFrame(dc, row, col, rect, plain);
  if (!dc->IsPrinting()) {
    if (CFont* font = GetFontObject()) dc->SelectObject(font);
  }
  dc->SetTextColor(textColor);
  const bool inset = IsFocused() && !plain;
  // A scale without extent has no place for a value: only background and text are drawn.
  const bool scaled = m_max > m_min;
  if (scaled && !m_rangeAHidden)
    FillRange(dc, Map(m_rangeALow, rect), Map(m_rangeAHigh, rect), rect, inset,
              selected ? m_rangeASelectedColor : m_rangeAColor);
  if (scaled && !m_rangeBHidden)
    FillRange(dc, Map(m_rangeBLow, rect), Map(m_rangeBHigh, rect), rect, inset,
              selected ? m_rangeBSelectedColor : m_rangeBColor);
  if (scaled && !m_rangeAHidden) {
    double low = Clamp(m_rangeALow);
    double high = Clamp(m_rangeAHigh);
    if (!m_rangeBHidden) {
      low = std::max(low, m_rangeBLow);
      high = std::min(high, m_rangeBHigh);
    }
    const int left = Map(low, rect);
    const int right = Map(high, rect);
    if (left < right)
      FillRange(dc, left, right, rect, inset, selected ? m_overlapSelectedColor : m_overlapColor);
  }
  CRect textRect = rect;
  if (scaled && !m_markerHidden) {
    const int m = Map(m_marker, rect);
    CPen pen(PS_SOLID, 1, textColor);
    CPen* oldPen = dc->SelectObject(&pen);
    for (int k = 0; k <= 4; ++k) {
      const int from = std::max(int(rect.left), m - 4 + k);
      const int to = std::min(int(rect.right), m + 5 - k);
      dc->MoveTo(from, rect.top + k);
      dc->LineTo(to, rect.top + k);
      dc->MoveTo(from, rect.bottom - 1 - k);
      dc->LineTo(to, rect.bottom - 1 - k);
    }
    dc->SelectObject(oldPen);
    const int d = std::min(int(rect.right) - m, m - int(rect.left));
    textRect = CRect(m - d, rect.top, m + d, rect.bottom);
  }
  DrawText(dc, row, col, textRect, plain);
  dc->RestoreDC(saved);
  return TRUE;
}

BOOL CBarRangeCell::PrintCell(CDC* dc, int row, int col, CRect rect) {
  return Draw(dc, row, col, rect, TRUE, TRUE);
}

CSize CBarRangeCell::GetCellExtent(CDC* dc) {
  CSize size = CTextCell::GetCellExtent(dc);
  size.cx += GetSystemMetrics(SM_CXVSCROLL);
  size.cy = std::max<LONG>(size.cy, GetSystemMetrics(SM_CYHSCROLL));
  return size;
}
