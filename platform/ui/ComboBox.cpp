#include "platform/ui/ComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>

#include "platform/gdi/QtString.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/WndWidget.h"

namespace {

// The border around the selection field of a closed box, top and bottom together.
constexpr int kFieldBorder = 6;
// Space above and below a line of text in the selection field and in the list.
constexpr int kItemPadding = 2;

// Entries of the dropped list at the item height the box has.
class ListItemDelegate : public QStyledItemDelegate {
 public:
  ListItemDelegate(QObject* parent, const int& height) : QStyledItemDelegate(parent), m_height(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), m_height);
  }

 private:
  const int& m_height;
};

class ComboWidget : public WndWidgetOf<QComboBox> {
 public:
  ComboWidget(CWnd& wnd, QWidget* parent, bool simple) : WndWidgetOf(wnd, parent), m_simple(simple) {
    m_listItemHeight = LineHeight();
    view()->setItemDelegate(new ListItemDelegate(view(), m_listItemHeight));
  }

  int FieldHeight() const { return m_fieldHeight > 0 ? m_fieldHeight : LineHeight(); }
  int ListItemHeight() const { return m_listItemHeight; }
  int ClosedHeight() const { return FieldHeight() + kFieldBorder; }
  int DroppedHeight() const { return m_simple ? height() : std::max(m_droppedHeight, ClosedHeight()); }

  void SetFieldHeight(int height) {
    m_fieldHeight = height;
    FitToClosedHeight();
  }
  void SetListItemHeight(int height) {
    m_listItemHeight = height;
    m_listItemHeightSet = true;
  }

  void showPopup() override {
    // The list takes the dropped height below the box, as many entries as fit in it.
    const int listHeight = DroppedHeight() - ClosedHeight() - 2;
    setMaxVisibleItems(std::max(1, listHeight / std::max(1, m_listItemHeight)));
    QComboBox::showPopup();
    // Some toolkit styles lay the list over the box, its current entry on the box's text; the
    // platform opens it below the box, or above where the screen ends first.
    QWidget* list = view()->window();
    QPoint corner = mapToGlobal(QPoint(0, height()));
    const QScreen* shown = screen();
    if (shown && corner.y() + list->height() > shown->geometry().bottom() + 1)
      corner.setY(mapToGlobal(QPoint(0, 0)).y() - list->height());
    list->move(corner);
  }

  bool GetControlText(CString& text) const override {
    text = FromQString(currentText());
    return true;
  }
  bool SetControlText(const CString& text) override {
    if (isEditable()) setEditText(ToQString(text));
    return true;
  }
  // The height given to a drop-down box is the height of its dropped-down rectangle.
  QSize PlacedSize(const QSize& asked) override {
    if (m_simple) return asked;
    m_droppedHeight = asked.height();
    return QSize(asked.width(), ClosedHeight());
  }

 protected:
  // A focused drop-down list shows its field in the selection colours inside a dotted frame, as
  // on the platform; the toolkit's styles may show no focus on the box at all.
  void paintEvent(QPaintEvent* event) override {
    WndWidgetOf::paintEvent(event);
    if (!hasFocus() || isEditable()) return;
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    QPainter painter(this);
    painter.fillRect(field, palette().brush(QPalette::Highlight));
    option.palette.setBrush(QPalette::ButtonText, palette().brush(QPalette::HighlightedText));
    option.palette.setBrush(QPalette::Text, palette().brush(QPalette::HighlightedText));
    style()->drawControl(QStyle::CE_ComboBoxLabel, &option, &painter, this);
    QPen dots(palette().color(QPalette::HighlightedText), 1, Qt::DotLine);
    painter.setPen(dots);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(field.adjusted(0, 0, -1, -1));
  }
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::FontChange) {
      if (!m_listItemHeightSet) m_listItemHeight = LineHeight();
      FitToClosedHeight();
    }
    WndWidgetOf::changeEvent(event);
  }

 private:
  int LineHeight() const { return QFontMetrics(font()).height() + kItemPadding; }
  void FitToClosedHeight() {
    if (!m_simple && height() != ClosedHeight()) resize(width(), ClosedHeight());
  }

  const bool m_simple;
  int m_droppedHeight = 0;
  int m_fieldHeight = 0;  // 0: one line of the font
  int m_listItemHeight = 0;
  bool m_listItemHeightSet = false;
};

QComboBox* Combo(const CWnd* wnd) { return static_cast<QComboBox*>(QtWidgetOf(wnd)); }
ComboWidget* ComboOf(const CWnd* wnd) { return static_cast<ComboWidget*>(QtWidgetOf(wnd)); }

}  // namespace

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"COMBOBOX", nullptr, style, rect, parent, id);
}

std::unique_ptr<WndWidget> CComboBox::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  auto widget = std::make_unique<ComboWidget>(*this, parentWidget, (GetStyle() & 0x3) == CBS_SIMPLE);
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

int CComboBox::GetItemHeight(int index) const {
  return CallOnUiThread([&]() -> int {
    const ComboWidget* combo = ComboOf(this);
    if (!combo) return CB_ERR;
    return index < 0 ? combo->FieldHeight() : combo->ListItemHeight();
  });
}

int CComboBox::SetItemHeight(int index, UINT height) {
  if (height == 0 || height > 255) return CB_ERR;
  return CallOnUiThread([&]() -> int {
    ComboWidget* combo = ComboOf(this);
    if (!combo) return CB_ERR;
    if (index < 0) {
      combo->SetFieldHeight(int(height));
    } else {
      combo->SetListItemHeight(int(height));
    }
    return 0;
  });
}

void CComboBox::GetDroppedControlRect(LPRECT rect) const {
  CallOnUiThread([&] {
    const ComboWidget* combo = ComboOf(this);
    if (!combo) return;
    const QPoint topLeft = combo->mapToGlobal(QPoint(0, 0));
    *rect =
        RECT{topLeft.x(), topLeft.y(), topLeft.x() + combo->width(), topLeft.y() + combo->DroppedHeight()};
  });
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case CB_GETITEMHEIGHT:
      return GetItemHeight(int(wParam));
    case CB_SETITEMHEIGHT:
      return SetItemHeight(int(wParam), UINT(lParam));
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}
