// Binding the series cell to its measurement and the row-height animation that opens and
// closes the detail row, one step per paint.

#include "views/SeriesCell.h"

#include <algorithm>

#include "grid/CellGrid.h"
#include "views/ScrollBarCellExtent.h"

IMPLEMENT_DYNCREATE(CSeriesCell, CTextCell)

namespace {

// Pixels per paint while the row opens or closes, and while an open row follows its content.
constexpr int kOpenCloseStep = 15;
constexpr int kFollowStep = 3;
// Where an opening row starts, and at or below which a closing row is shut.
constexpr int kOpeningHeight = 2;

}  // namespace

CSeriesCell::CSeriesCell() {
  // The cursors are the system's, loaded once for all series cells.
  Cursors();
}

CSeriesCell::~CSeriesCell() = default;

void CSeriesCell::SetMeasurement(CZedoDoc* doc, int index) {
  m_pDoc = doc;
  m_nMeasIndex = index;
}

void CSeriesCell::Expand(bool immediate) {
  m_bCollapsing = false;
  m_bExpanding = true;
  if (m_nCurrentHeight < kOpeningHeight) {
    m_nCurrentHeight = kOpeningHeight;
    if (immediate) {
      // A drawing on a screen-like context gives the height the content needs; the step it
      // runs is overruled at once.
      CDC measuring;
      measuring.CreateCompatibleDC(nullptr);
      Draw(&measuring, m_row, m_col, CRect(0, 0, 1000, 100), TRUE, FALSE);
      m_nCurrentHeight = m_nTargetHeight;
      m_bExpanding = false;
      m_bExpanded = true;
      if (CCellGrid* grid = GetGrid()) grid->SetRowHeight(m_row, m_nTargetHeight);
    } else {
      QueueAfterDraw();
    }
  }
  InvalidateGrid();
}

void CSeriesCell::Collapse(bool immediate) {
  m_bCollapsing = true;
  m_bExpanding = false;
  if (immediate) {
    m_nCurrentHeight = 0;
    if (CCellGrid* grid = GetGrid()) grid->SetRowHeight(m_row, 0);
    m_bExpanded = false;
    m_bCollapsing = false;
  }
  InvalidateGrid();
}

void CSeriesCell::StepHeight() {
  if (m_bExpanding) {
    m_nCurrentHeight += kOpenCloseStep;
    if (m_nCurrentHeight >= m_nTargetHeight) {
      m_nCurrentHeight = m_nTargetHeight;
      m_bExpanding = false;
      m_bExpanded = true;
    }
    QueueAfterDraw();
  } else if (!m_bCollapsing && m_bExpanded && m_nTargetHeight != m_nCurrentHeight) {
    m_nCurrentHeight += std::clamp(m_nTargetHeight - m_nCurrentHeight, -kFollowStep, kFollowStep);
    QueueAfterDraw();
  }
  if (m_bCollapsing) {
    m_nCurrentHeight -= kOpenCloseStep;
    if (m_nCurrentHeight <= kOpeningHeight) {
      m_nCurrentHeight = 0;
      m_bExpanded = false;
      m_bCollapsing = false;
    }
    QueueAfterDraw();
  }
}

BOOL CSeriesCell::OnAfterDraw() {
  if (CCellGrid* grid = GetGrid()) grid->SetRowHeight(m_row, m_nCurrentHeight);
  InvalidateGrid();
  return TRUE;
}

void CSeriesCell::InvalidateGrid() {
  CCellGrid* grid = GetGrid();
  if (grid && grid->GetSafeHwnd()) grid->Invalidate(TRUE);
}

CSize CSeriesCell::GetCellExtent(CDC* dc) { return ScrollBarCellExtent(*this, dc); }

BOOL CSeriesCell::IsAboveSelected() {
  CCellGrid* grid = GetGrid();
  return grid && grid->IsCellSelected(m_row - 1, m_col);
}
