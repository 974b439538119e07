#include "platform/ui/ProgressCtrl.h"

#include <QProgressBar>

#include "platform/ui/UiCall.h"
#include "platform/ui/WndWidget.h"

namespace {

QProgressBar* ProgressBarOf(const CWnd* wnd) { return static_cast<QProgressBar*>(QtWidgetOf(wnd)); }

}  // namespace

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"msctls_progress32", nullptr, style, rect, parent, id);
}

std::unique_ptr<WndWidget> CProgressCtrl::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  auto widget = std::make_unique<WndWidgetOf<QProgressBar>>(*this, parentWidget);
  widget->setRange(0, 100);
  widget->setValue(0);
  widget->setTextVisible(false);
  if (GetStyle() & PBS_VERTICAL) widget->setOrientation(Qt::Vertical);
  return widget;
}

void CProgressCtrl::SetRange32(int lower, int upper) {
  CallOnUiThread([&] {
    if (QProgressBar* bar = ProgressBarOf(this)) bar->setRange(lower, upper);
  });
}

int CProgressCtrl::SetPos(int pos) {
  return CallOnUiThread([&]() -> int {
    QProgressBar* bar = ProgressBarOf(this);
    if (!bar) return 0;
    const int old = bar->value();
    // The bar keeps the position within its range, as the platform's does.
    bar->setValue(std::clamp(pos, bar->minimum(), bar->maximum()));
    return old;
  });
}

int CProgressCtrl::GetPos() const {
  return CallOnUiThread([&] { return ProgressBarOf(this) ? ProgressBarOf(this)->value() : 0; });
}
