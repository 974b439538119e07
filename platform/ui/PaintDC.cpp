#include "platform/ui/PaintDC.h"

#include "platform/gdi/ImageDc.h"
#include "platform/ui/WndWidget.h"

namespace {

// A context over the window's backing image; a window without a widget draws nowhere (an
// image that nobody shows).
HDC CreateWindowDC(CWnd* wnd) {
  static QImage nowhere(1, 1, QImage::Format_RGB32);
  WndWidget* widget = wnd && CWnd::IsWindowHandle(wnd) ? wnd->GetWidget() : nullptr;
  return CreateImageDC(widget ? &widget->BackingImage() : &nowhere);
}

void ShowDrawing(HWND wnd) {
  if (!CWnd::IsWindowHandle(wnd) || !wnd->GetWidget()) return;
  wnd->GetWidget()->ReleaseBacking();
  wnd->GetWidget()->ScheduleScreenUpdate(QRect(QPoint(0, 0), wnd->GetWidget()->ClientSize()));
}

}  // namespace

HDC GetDC(HWND wnd) { return wnd ? CreateWindowDC(wnd) : ::CreateCompatibleDC(nullptr); }

int ReleaseDC(HWND wnd, HDC dc) {
  if (!dc) return 0;
  ::DeleteDC(dc);
  ShowDrawing(wnd);
  return 1;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd) {
  WndWidget* widget = wnd && CWnd::IsWindowHandle(wnd) ? wnd->GetWidget() : nullptr;
  if (!widget) {
    Attach(CreateWindowDC(wnd));
    m_ps.hdc = m_hDC;
    return;
  }
  QRect box = widget->InvalidRegion().boundingRect();
  // Plain child windows show their own images over this one: it paints around them, as a
  // window that clips its children does.
  const QRegion area = widget->UncoveredPart(box);
  Attach(CreateImageDC(&widget->BackingImage(&area)));
  m_ps.hdc = m_hDC;
  ::SetRect(&m_ps.rcPaint, box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
  const bool erase = widget->EraseOwed();
  widget->InvalidRegion() = QRegion();
  widget->EraseOwed() = false;
  IntersectClipRect(&m_ps.rcPaint);
  for (const QRect& covered : QRegion(box) - area)
    ExcludeClipRect(covered.left(), covered.top(), covered.left() + covered.width(),
                    covered.top() + covered.height());
  if (erase) m_ps.fErase = !wnd->SendMessage(WM_ERASEBKGND, WPARAM(m_hDC), 0);
}

CPaintDC::~CPaintDC() {
  DeleteDC();
  ShowDrawing(m_hWnd);
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd) { Attach(CreateWindowDC(wnd)); }

CClientDC::~CClientDC() {
  DeleteDC();
  ShowDrawing(m_hWnd);
}
