#pragma once
// CView: a child window that shows a document's contents through one drawing member, OnDraw,
// which the paint calls with a context prepared by OnPrepareDC. The same member draws on a
// printer. A view object is made with new and deletes itself when its window is destroyed.

#include "platform/ui/PrintInfo.h"
#include "platform/ui/Wnd.h"

class CView : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  virtual void OnDraw(CDC* dc) = 0;
  // Sets the context up for drawing: for the screen and for a printer page.
  virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
  virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);

 protected:
  void OnPaint();
  void PostNcDestroy() override;
};
