#pragma once
// CScrollView: a view whose contents are larger than its window. The contents' size decides
// the scroll bars (each shows only while the contents do not fit), and the paint moves the
// context's origin by the scroll position, so that OnDraw always draws in content
// coordinates.

#include "platform/ui/View.h"

class CScrollView : public CView {
  DECLARE_MESSAGE_MAP()

 public:
  // Only MM_TEXT is kept: content units are pixels. Page and line steps of zero take a tenth
  // and a hundredth of the contents.
  void SetScrollSizes(int mapMode, SIZE total, const SIZE& page = SIZE{0, 0}, const SIZE& line = SIZE{0, 0});
  CSize GetTotalSize() const { return m_totalSize; }
  CPoint GetScrollPosition() const;

  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;

 protected:
  int OnCreate(LPCREATESTRUCT create);
  void OnSize(UINT type, int cx, int cy);
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point);

 private:
  void UpdateBars();
  void ScrollBy(int bar, UINT code, UINT pos);

  int m_nMapMode = MM_TEXT;
  CSize m_totalSize{0, 0};
  CSize m_pageSize{0, 0};
  CSize m_lineSize{0, 0};
  bool m_inUpdate = false;
};
