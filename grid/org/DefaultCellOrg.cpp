#include "grid/org/DefaultCellOrg.h"

#include "grid/CellMeasure.h"
#include "platform/gdi/SystemInfo.h"

IMPLEMENT_DYNCREATE(CDefaultCellOrg, CTextCellOrg)

CDefaultCellOrg::CDefaultCellOrg() {
  m_format = DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE;
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) SetFont(&metrics.lfMessageFont);
}

void CDefaultCellOrg::SetFont(const LOGFONT* font) {
  if (!font) return;
  m_defaultFont.DeleteObject();
  m_defaultFont.CreateFontIndirect(font);
  m_logFont = *font;
  const SDefaultCellSizes sizes = MeasureDefaultCellSizes(&m_defaultFont);
  m_margin = UINT(sizes.margin);
  m_defaultWidth = sizes.width;
  m_defaultHeight = sizes.height;
}
