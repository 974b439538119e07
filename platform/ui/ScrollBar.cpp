#include "platform/ui/ScrollBar.h"

#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "platform/ui/UiCall.h"
#include "platform/ui/WndEventScope.h"
#include "platform/ui/WndWidget.h"

namespace {

QScrollBar* ScrollBarOf(const CWnd* wnd) { return static_cast<QScrollBar*>(QtWidgetOf(wnd)); }

UINT CodeOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub:
      return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd:
      return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub:
      return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum:
      return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
      return SB_BOTTOM;
    case QAbstractSlider::SliderMove:
      return SB_THUMBTRACK;
    default:
      return SB_ENDSCROLL;
  }
}

}  // namespace

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"SCROLLBAR", nullptr, style, rect, parent, id);
}

std::unique_ptr<WndWidget> CScrollBar::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  auto widget = std::make_unique<WndWidgetOf<QScrollBar>>(*this, parentWidget);
  widget->setOrientation((GetStyle() & SBS_VERT) ? Qt::Vertical : Qt::Horizontal);
  widget->setRange(0, 0);
  QObject::connect(widget.get(), &QAbstractSlider::actionTriggered, [this](int action) { OnAction(action); });
  QObject::connect(widget.get(), &QAbstractSlider::sliderReleased, [this] { OnReleased(); });
  return widget;
}

void CScrollBar::ShowInfo() {
  QScrollBar* bar = ScrollBarOf(this);
  if (!bar) return;
  QSignalBlocker block(bar);
  bar->setRange(m_info.nMin, std::max(m_info.nMin, m_info.nMax - std::max(int(m_info.nPage) - 1, 0)));
  bar->setPageStep(std::max(int(m_info.nPage), 1));
  if (!m_dragging) bar->setValue(m_info.nPos);
}

void CScrollBar::OnAction(int action) {
  WndEventScope scope;
  CWnd* parent = GetParent();
  const UINT code = CodeOf(action);
  if (!parent || code == SB_ENDSCROLL) return;
  const UINT message = (GetStyle() & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
  WORD pos = 0;
  if (code == SB_THUMBTRACK) {
    m_dragging = true;
    m_info.nTrackPos = ScrollBarOf(this)->sliderPosition();
    pos = WORD(m_info.nTrackPos);
  }
  parent->SendMessage(message, MAKEWPARAM(WORD(code), pos), LPARAM(this));
  if (code == SB_THUMBTRACK || !IsWindow()) return;
  parent->SendMessage(message, MAKEWPARAM(WORD(SB_ENDSCROLL), 0), LPARAM(this));
  // The position is the parent's to set; the bar shows what it decided.
  HWND self = m_hWnd;
  if (IsWindow()) {
    QTimer::singleShot(0, GetWidget()->Widget(), [self] {
      if (CWnd::IsWindowHandle(self)) static_cast<CScrollBar*>(self)->ShowInfo();
    });
  }
}

void CScrollBar::OnReleased() {
  WndEventScope scope;
  CWnd* parent = GetParent();
  if (!m_dragging || !parent) return;
  m_dragging = false;
  const UINT message = (GetStyle() & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
  parent->SendMessage(message, MAKEWPARAM(WORD(SB_THUMBPOSITION), WORD(m_info.nTrackPos)), LPARAM(this));
  if (IsWindow()) parent->SendMessage(message, MAKEWPARAM(WORD(SB_ENDSCROLL), 0), LPARAM(this));
  if (IsWindow()) ShowInfo();
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL) {
  if (!info) return FALSE;
  CallOnUiThread([&] {
    if (info->fMask & SIF_RANGE) {
      m_info.nMin = info->nMin;
      m_info.nMax = info->nMax;
    }
    if (info->fMask & SIF_PAGE) m_info.nPage = info->nPage;
    if (info->fMask & SIF_POS) m_info.nPos = info->nPos;
    const int range = std::max(m_info.nMax - m_info.nMin + 1, 0);
    m_info.nPage = std::min<UINT>(m_info.nPage, UINT(range));
    m_info.nPos = std::clamp(m_info.nPos, m_info.nMin, std::max(m_info.nMin, GetScrollLimit()));
    ShowInfo();
  });
  return TRUE;
}

int CScrollBar::SetScrollPos(int pos, BOOL redraw) {
  const int old = m_info.nPos;
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = pos;
  SetScrollInfo(&info, redraw);
  return old;
}

int CScrollBar::GetScrollPos() const { return m_info.nPos; }

int CScrollBar::GetScrollLimit() const {
  return std::max(m_info.nMin, m_info.nMax - std::max(int(m_info.nPage) - 1, 0));
}
