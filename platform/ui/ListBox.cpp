#include "platform/ui/ListBox.h"

#include <QListWidget>

#include "platform/gdi/QtString.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/WndWidget.h"

namespace {

QListWidget* List(const CWnd* wnd) { return static_cast<QListWidget*>(QtWidgetOf(wnd)); }

}  // namespace

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"LISTBOX", nullptr, style, rect, parent, id);
}

std::unique_ptr<WndWidget> CListBox::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  auto widget = std::make_unique<WndWidgetOf<QListWidget>>(*this, parentWidget);
  QObject::connect(widget.get(), &QListWidget::itemClicked, [this](QListWidgetItem*) {
    WndEventScope scope;
    CWnd* owner = GetParent();
    if (owner && (GetStyle() & LBS_NOTIFY))
      owner->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), LBN_SELCHANGE), LPARAM(this));
  });
  return widget;
}

int CListBox::AddString(LPCTSTR text) {
  const QString value = ToQString(CString(text));
  return CallOnUiThread([&]() -> int {
    QListWidget* list = List(this);
    if (!list) return LB_ERR;
    int index = list->count();
    if (GetStyle() & LBS_SORT) {
      index = 0;
      while (index < list->count() && list->item(index)->text().compare(value, Qt::CaseInsensitive) <= 0)
        ++index;
    }
    list->insertItem(index, value);
    return index;
  });
}

int CListBox::InsertString(int index, LPCTSTR text) {
  const QString value = ToQString(CString(text));
  return CallOnUiThread([&]() -> int {
    QListWidget* list = List(this);
    if (!list || index > list->count()) return LB_ERR;
    const int at = index < 0 ? list->count() : index;
    list->insertItem(at, value);
    return at;
  });
}

int CListBox::DeleteString(UINT index) {
  return CallOnUiThread([&]() -> int {
    QListWidget* list = List(this);
    if (!list || int(index) >= list->count()) return LB_ERR;
    delete list->takeItem(int(index));
    return list->count();
  });
}

int CListBox::GetCount() const {
  return CallOnUiThread([&] { return List(this) ? List(this)->count() : 0; });
}

int CListBox::GetCurSel() const {
  return CallOnUiThread([&]() -> int {
    QListWidget* list = List(this);
    if (!list || list->selectedItems().isEmpty()) return LB_ERR;
    return list->row(list->selectedItems().front());
  });
}

int CListBox::SetCurSel(int index) {
  return CallOnUiThread([&]() -> int {
    QListWidget* list = List(this);
    if (!list) return LB_ERR;
    if (index < 0 || index >= list->count()) {
      list->clearSelection();
      return LB_ERR;
    }
    list->setCurrentRow(index);
    return index;
  });
}

int CListBox::GetText(int index, CString& text) const {
  return CallOnUiThread([&]() -> int {
    QListWidget* list = List(this);
    if (!list || index < 0 || index >= list->count()) return LB_ERR;
    text = FromQString(list->item(index)->text());
    return text.GetLength();
  });
}
