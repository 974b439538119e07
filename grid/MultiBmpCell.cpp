#include "grid/MultiBmpCell.h"

#include <algorithm>

#include "grid/AlphaBlendBitmap.h"
#include "grid/CellGrid.h"
#include "platform/gdi/SystemInfo.h"

IMPLEMENT_DYNCREATE(CMultiBmpCell, CGradientCell)

namespace {

int Position(int low, int high, int size, bool center, bool lowEdge, double offset, bool percent) {
  int pos = center ? low - size / 2 : lowEdge ? low : low - size;
  pos += percent ? int((high - low) / 100.0 * offset) : int(offset);
  return pos;
}

}  // namespace

void CMultiBmpCell::AddBitmapInfo(MULTIBMPINFO info) {
  auto at = std::upper_bound(m_infos.begin(), m_infos.end(), info.orderKey,
                             [](int key, const MULTIBMPINFO& other) { return key < other.orderKey; });
  m_infos.insert(at, info);
}

void CMultiBmpCell::SetBitmapHidden(int image, BOOL hidden) {
  for (MULTIBMPINFO& info : m_infos) {
    if (info.image == image) {
      info.hidden = hidden ? 1 : 0;
      return;
    }
  }
}

bool CMultiBmpCell::PlaceImage(const MULTIBMPINFO& info, const CRect& rect, CRect& place) const {
  // Without an image list there is nothing to draw or hit.
  if (!m_imageList) return false;
  IMAGEINFO image{};
  if (!m_imageList->GetImageInfo(info.image, &image)) return false;
  const int w = image.rcImage.right - image.rcImage.left;
  const int h = image.rcImage.bottom - image.rcImage.top;
  const int x =
      Position(rect.left, rect.right, w, info.centerX, info.xIsLeftEdge, info.xOffset, info.xInPercent);
  const int y =
      Position(rect.top, rect.bottom, h, info.centerY, info.yIsTopEdge, info.yOffset, info.yInPercent);
  place = CRect(x, y, x + w, y + h);
  return true;
}

BOOL CMultiBmpCell::Draw(CDC* dc, int row, int col, CRect rect, BOOL erase, BOOL plain) {
  if (!dc) return TRUE;
  BOOL result = TRUE;
  if (!dc->IsPrinting()) result = CGradientCell::Draw(dc, row, col, rect, erase, FALSE);
  const bool selected = IsSelected() && GetDrawSelected();
  for (const MULTIBMPINFO& info : m_infos) {
    CRect place;
    if (info.hidden || !PlaceImage(info, rect, place)) continue;
    if (dc->IsPrinting() && !info.print) continue;
    if (info.alpha) {
      AlphaBlendBitmap(dc, place.left, place.top, place.Width(), place.Height(), info.alpha, info.bitmap,
                       IsSelected() ? 60 : 255);
    } else {
      ImageList_DrawEx(*m_imageList, info.image, *dc, place.left, place.top, place.Width(), place.Height(),
                       CLR_DEFAULT, CLR_NONE, selected ? ILD_BLEND50 : 0);
    }
  }
  if (!dc->IsPrinting()) DrawFocusFrame(dc, row, col, rect, plain);
  return result;
}

BOOL CMultiBmpCell::PrintCell(CDC* dc, int row, int col, CRect rect) {
  CGradientCell::PrintCell(dc, row, col, rect);
  return Draw(dc, row, col, rect, TRUE, FALSE);
}

CSize CMultiBmpCell::GetCellExtent(CDC* dc) {
  CSize size = CTextCell::GetCellExtent(dc);
  size.cx += 2 * GetSystemMetrics(SM_CXVSCROLL);
  size.cy = std::max<LONG>(size.cy, GetSystemMetrics(SM_CYHSCROLL));
  return size;
}

void CMultiBmpCell::OnClick(CPoint point) {
  m_clicked = -1;
  CCellGrid* grid = GetGrid();
  const int width = grid ? grid->GetColumnWidth(m_col, m_row) : 0;
  const int height = grid ? grid->GetRowHeight(m_row) : 0;
  const CRect cell(0, 0, width, height);
  for (const MULTIBMPINFO& info : m_infos) {
    CRect place;
    if (info.hidden || !PlaceImage(info, cell, place)) continue;
    if (point.x >= place.left && point.x < place.right && point.y >= place.top && point.y < place.bottom) {
      m_clicked = info.image;
      return;
    }
  }
}
