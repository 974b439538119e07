#include "platform/ui/TabCtrl.h"

#include <QTabBar>
#include <QTabWidget>

#include "platform/gdi/QtString.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/WndWidget.h"

namespace {

QTabWidget* Tabs(const CWnd* wnd) { return static_cast<QTabWidget*>(QtWidgetOf(wnd)); }

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CTabCtrl, CWnd)
  .OnMessage(TCM_SETITEM, &CTabCtrl::OnSetItem)
END_MESSAGE_MAP()
// clang-format on

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"SysTabControl32", nullptr, style, rect, parent, id);
}

std::unique_ptr<WndWidget> CTabCtrl::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  auto widget = std::make_unique<WndWidgetOf<QTabWidget>>(*this, parentWidget);
  // The control paints all of its area, beside the tabs too, as the platform's tab control does:
  // its parent then neither paints nor shows anything beneath it.
  widget->setAutoFillBackground(true);
  // The toolkit reports the click before it selects the tab; the parent learns of the change
  // only once the new tab is the selected one, as on the platform.
  QObject::connect(widget.get(), &QTabWidget::tabBarClicked, [this](int index) {
    CWnd* parentWnd = GetParent();
    if (!parentWnd || index < 0 || index == GetCurSel()) return;
    SetCurSel(index);
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

BOOL CTabCtrl::DeleteItem(int index) {
  return CallOnUiThread([&]() -> BOOL {
    QTabWidget* tabs = Tabs(this);
    if (!tabs || index < 0 || index >= tabs->count()) return FALSE;
    const QSignalBlocker quiet(tabs);
    QWidget* page = tabs->widget(index);
    tabs->removeTab(index);
    delete page;
    return TRUE;
  });
}

LRESULT CTabCtrl::OnSetItem(WPARAM index, LPARAM item) {
  const auto* record = reinterpret_cast<const TCITEM*>(item);
  if (!record) return FALSE;
  if (!(record->mask & TCIF_TEXT)) return TRUE;
  return SetItemText(int(index), record->pszText ? record->pszText : u"");
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

BOOL CTabCtrl::GetItemRect(int index, LPRECT rect) const {
  return CallOnUiThread([&]() -> BOOL {
    QTabWidget* tabs = Tabs(this);
    if (!tabs || index < 0 || index >= tabs->count()) return FALSE;
    QTabBar* bar = tabs->tabBar();
    const QRect area = bar->tabRect(index).translated(bar->mapTo(tabs, QPoint(0, 0)));
    *rect = CRect(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    return TRUE;
  });
}
