#include "grid/DefaultCell.h"

#include "grid/CellMeasure.h"
#include "platform/gdi/SystemInfo.h"

IMPLEMENT_DYNCREATE(CDefaultCell, CTextCell)

CDefaultCell::CDefaultCell() {
  m_format = DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE;
  m_textColor = 0xFFFFFF;
  m_backColor = 0xFFFFFF;
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    SetFont(&metrics.lfMessageFont);
}

void CDefaultCell::SetFont(const LOGFONT* font) {
  if (!font) return;
  m_defaultFont.DeleteObject();
  m_defaultFont.CreateFontIndirect(font);
  m_logFont = *font;
  m_lineHeight = -1;
  const SDefaultCellSizes sizes = MeasureDefaultCellSizes(&m_defaultFont);
  m_margin = UINT(sizes.margin);
  m_defaultWidth = sizes.width;
  m_defaultHeight = sizes.height;
}
