#include "platform/ui/TabCtrl.h"

#include <QTabWidget>

#include "platform/gdi/QtString.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/WndWidget.h"

namespace {

QTabWidget* Tabs(const CWnd* wnd) { return static_cast<QTabWidget*>(QtWidgetOf(wnd)); }

}  // namespace

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"SysTabControl32", nullptr, style, rect, parent, id);
}

std::unique_ptr<WndWidget> CTabCtrl::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  auto widget = std::make_unique<WndWidgetOf<QTabWidget>>(*this, parentWidget);
  // The control paints all of its area, beside the tabs too, as the platform's tab control does:
  // its parent then neither paints nor shows anything beneath it.
  widget->setAutoFillBackground(true);
  QObject::connect(widget.get(), &QTabWidget::tabBarClicked, [this](int) {
    CWnd* parentWnd = GetParent();
    if (!parentWnd) return;
    NMHDR header;
    header.hwndFrom = this;
    header.idFrom = UINT_PTR(GetDlgCtrlID());
    header.code = TCN_SELCHANGE;
    parentWnd->SendMessage(WM_NOTIFY, WPARAM(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&header));
  });
  return widget;
}

// Each tab shows an empty page of the control: the pages' windows are their owners' business.
int CTabCtrl::InsertItem(int index, LPCTSTR text) {
  return CallOnUiThread(
      [&] { return Tabs(this) ? Tabs(this)->insertTab(index, new QWidget, ToQString(text)) : -1; });
}

BOOL CTabCtrl::SetItemText(int index, LPCTSTR text) {
  return CallOnUiThread([&]() -> BOOL {
    QTabWidget* tabs = Tabs(this);
    if (!tabs || index < 0 || index >= tabs->count()) return FALSE;
    tabs->setTabText(index, ToQString(text));
    return TRUE;
  });
}

CString CTabCtrl::GetItemText(int index) const {
  return CallOnUiThread([&] { return Tabs(this) ? FromQString(Tabs(this)->tabText(index)) : CString(); });
}

int CTabCtrl::GetItemCount() const {
  return CallOnUiThread([&] { return Tabs(this) ? Tabs(this)->count() : 0; });
}

int CTabCtrl::GetCurSel() const {
  return CallOnUiThread([&] { return Tabs(this) ? Tabs(this)->currentIndex() : -1; });
}

int CTabCtrl::SetCurSel(int index) {
  return CallOnUiThread([&]() -> int {
    QTabWidget* tabs = Tabs(this);
    if (!tabs || index < 0 || index >= tabs->count()) return -1;
    const int old = tabs->currentIndex();
    const QSignalBlocker quiet(tabs);
    tabs->setCurrentIndex(index);
    return old;
  });
}
