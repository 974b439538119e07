#include "platform/ui/View.h"

#include "platform/ui/PaintDC.h"

// clang-format off
BEGIN_MESSAGE_MAP(CView, CWnd)
  .OnPaint(&CView::OnPaint)
END_MESSAGE_MAP()
// clang-format on

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::PostNcDestroy() { delete this; }
