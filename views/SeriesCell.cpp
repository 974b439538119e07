#include "views/SeriesCell.h"

#include "grid/CellGrid.h"

IMPLEMENT_DYNCREATE(CSeriesCell, CTextCell)

namespace {

constexpr int kOpenHeight = 315;

}  // namespace

void CSeriesCell::SetMeasurement(CZedoDoc* doc, int index) {
  m_pDoc = doc;
  m_nIndex = index;
}

void CSeriesCell::Expand(bool) {
  if (CCellGrid* grid = GetGrid()) grid->SetRowHeight(GetRow(), kOpenHeight);
}

void CSeriesCell::Collapse(bool) {
  if (CCellGrid* grid = GetGrid()) grid->SetRowHeight(GetRow(), 0);
}
