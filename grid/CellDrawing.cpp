#include "grid/CellDrawing.h"

#include "platform/gdi/Pen.h"
#include "platform/gdi/SystemInfo.h"

void DrawCellRaisedEdge(CDC* dc, const CRect& rect) {
  CPen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  CPen dark(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
  CPen* old = dc->SelectObject(&light);
  dc->MoveTo(rect.right, rect.top);
  dc->LineTo(rect.left, rect.top);
  dc->LineTo(rect.left, rect.bottom);
  dc->SelectObject(&dark);
  dc->MoveTo(rect.right, rect.top);
  dc->LineTo(rect.right, rect.bottom);
  dc->LineTo(rect.left, rect.bottom);
  dc->SelectObject(old);
}

bool GetCellImageSize(CImageList* list, int image, CSize& size) {
  if (!list || image < 0 || image >= list->GetImageCount()) return false;
  IMAGEINFO info{};
  if (!list->GetImageInfo(image, &info)) return false;
  size = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
  return true;
}
