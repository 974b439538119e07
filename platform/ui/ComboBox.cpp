#include "platform/ui/ComboBox.h"

#include <QComboBox>

#include "platform/ui/QtString.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/WndWidget.h"

namespace {

class ComboWidget : public WndWidgetOf<QComboBox> {
 public:
  using WndWidgetOf::WndWidgetOf;
  bool GetControlText(CString& text) const override {
    text = FromQString(currentText());
    return true;
  }
  bool SetControlText(const CString& text) override {
    if (isEditable()) setEditText(ToQString(text));
    return true;
  }
};

QComboBox* Combo(const CWnd* wnd) { return static_cast<QComboBox*>(QtWidgetOf(wnd)); }

}  // namespace

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"COMBOBOX", nullptr, style, rect, parent, id);
}

std::unique_ptr<WndWidget> CComboBox::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  auto widget = std::make_unique<ComboWidget>(*this, parentWidget);
  widget->setEditable((GetStyle() & 0x3) != CBS_DROPDOWNLIST);
  QObject::connect(widget.get(), &QComboBox::activated, [this](int) {
    WndEventScope scope;
    if (CWnd* owner = GetParent())
      owner->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), CBN_SELCHANGE), LPARAM(this));
  });
  return widget;
}

int CComboBox::AddString(LPCTSTR text) {
  const QString value = ToQString(CString(text));
  return CallOnUiThread([&]() -> int {
    QComboBox* combo = Combo(this);
    if (!combo) return CB_ERR;
    int index = combo->count();
    if (GetStyle() & CBS_SORT) {
      index = 0;
      while (index < combo->count() && combo->itemText(index).compare(value, Qt::CaseInsensitive) <= 0)
        ++index;
    }
    combo->insertItem(index, value);
    if (combo->count() == 1 && !combo->isEditable()) combo->setCurrentIndex(-1);
    return index;
  });
}

int CComboBox::InsertString(int index, LPCTSTR text) {
  const QString value = ToQString(CString(text));
  return CallOnUiThread([&]() -> int {
    QComboBox* combo = Combo(this);
    if (!combo || index > combo->count()) return CB_ERR;
    const int at = index < 0 ? combo->count() : index;
    const int selected = combo->currentIndex();
    combo->insertItem(at, value);
    if (selected < 0) combo->setCurrentIndex(-1);
    return at;
  });
}

int CComboBox::DeleteString(UINT index) {
  return CallOnUiThread([&]() -> int {
    QComboBox* combo = Combo(this);
    if (!combo || int(index) >= combo->count()) return CB_ERR;
    combo->removeItem(int(index));
    return combo->count();
  });
}

void CComboBox::ResetContent() {
  CallOnUiThread([&] {
    if (QComboBox* combo = Combo(this)) combo->clear();
  });
}

int CComboBox::GetCount() const {
  return CallOnUiThread([&] { return Combo(this) ? Combo(this)->count() : 0; });
}

int CComboBox::GetCurSel() const {
  return CallOnUiThread([&] { return Combo(this) ? Combo(this)->currentIndex() : CB_ERR; });
}

int CComboBox::SetCurSel(int index) {
  return CallOnUiThread([&]() -> int {
    QComboBox* combo = Combo(this);
    if (!combo) return CB_ERR;
    if (index < 0 || index >= combo->count()) {
      combo->setCurrentIndex(-1);
      return CB_ERR;
    }
    combo->setCurrentIndex(index);
    return index;
  });
}

int CComboBox::GetLBText(int index, CString& text) const {
  return CallOnUiThread([&]() -> int {
    QComboBox* combo = Combo(this);
    if (!combo || index < 0 || index >= combo->count()) return CB_ERR;
    text = FromQString(combo->itemText(index));
    return text.GetLength();
  });
}

int CComboBox::GetLBTextLen(int index) const {
  CString text;
  return GetLBText(index, text);
}

int CComboBox::FindStringExact(int startAfter, LPCTSTR text) const {
  const QString value = ToQString(CString(text));
  return CallOnUiThread([&]() -> int {
    QComboBox* combo = Combo(this);
    const int count = combo ? combo->count() : 0;
    for (int k = 1; k <= count; ++k) {
      const int i = (startAfter + k + count) % count;
      if (combo->itemText(i).compare(value, Qt::CaseInsensitive) == 0) return i;
    }
    return CB_ERR;
  });
}

int CComboBox::SelectString(int startAfter, LPCTSTR text) {
  const QString value = ToQString(CString(text));
  return CallOnUiThread([&]() -> int {
    QComboBox* combo = Combo(this);
    const int count = combo ? combo->count() : 0;
    for (int k = 1; k <= count; ++k) {
      const int i = (startAfter + k + count) % count;
      if (combo->itemText(i).startsWith(value, Qt::CaseInsensitive)) {
        combo->setCurrentIndex(i);
        return i;
      }
    }
    return CB_ERR;
  });
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
  return CallOnUiThread([&]() -> int {
    QComboBox* combo = Combo(this);
    if (!combo || index < 0 || index >= combo->count()) return CB_ERR;
    combo->setItemData(index, QVariant::fromValue<qulonglong>(data));
    return 0;
  });
}

DWORD_PTR CComboBox::GetItemData(int index) const {
  return CallOnUiThread([&]() -> DWORD_PTR {
    QComboBox* combo = Combo(this);
    if (!combo || index < 0 || index >= combo->count()) return DWORD_PTR(CB_ERR);
    return DWORD_PTR(combo->itemData(index).toULongLong());
  });
}
