#include "grid/CellMeasure.h"

#include <algorithm>

CSize MeasureCellText(CDC* dc, CFont* font, const CString& text, UINT format, int margin, int escapement) {
  CFont* old = font ? dc->SelectObject(font) : nullptr;
  CSize size;
  if ((format & (DT_WORDBREAK | DT_SINGLELINE)) == DT_WORDBREAK) {
    int widest = 0;
    int start = 0;
    while (start <= text.GetLength()) {
      int end = text.Find(u'\n', start);
      if (end < 0) end = text.GetLength();
      widest = std::max(widest, int(dc->GetTextExtent(text.Mid(start, end - start)).cx));
      start = end + 1;
    }
    CRect rect(0, 0, widest + 1, 0);
    dc->DrawText(text, rect, format | DT_CALCRECT);
    size = CSize(rect.Width(), rect.Height());
  } else {
    size = dc->GetTextExtent(text);
  }
  if (old) dc->SelectObject(old);
  size.cx += 2 * margin;
  size.cy += 2 * margin;
  if (escapement == 900 || escapement == -900) size = CSize(size.cy, size.cx + 4 * margin);
  return size;
}

CSize CellExtentWithImage(CSize textSize, CSize imageSize, bool hasImage, int margin, bool fixed) {
  CSize size = textSize;
  if (hasImage) {
    size.cx += imageSize.cx;
    if (2 * margin < textSize.cx) size.cx += margin;
    size.cy = std::max<LONG>(size.cy, imageSize.cy + 2 * margin);
  }
  size.cx += 1;
  size.cy += 1;
  if (fixed) {
    size.cx += 1;
    size.cy += 1;
  }
  return size;
}

SDefaultCellSizes MeasureDefaultCellSizes(CFont* font) {
  SDefaultCellSizes sizes;
  CDC dc;
  if (!dc.CreateCompatibleDC(nullptr)) return sizes;
  CFont* old = font ? dc.SelectObject(font) : nullptr;
  const CSize sample = dc.GetTextExtent(CString(u" XXXXXXXXXXXX "));
  sizes.margin = dc.GetTextExtent(CString(u" ")).cx;
  sizes.width = sample.cx;
  sizes.height = sample.cy * 3 / 2;
  if (old) dc.SelectObject(old);
  return sizes;
}
