#include "platform/ui/Button.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>

#include "platform/gdi/QtString.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WndWidget.h"

namespace {

template <class Base>
class ButtonWidget : public WndWidgetOf<Base> {
 public:
  using WndWidgetOf<Base>::WndWidgetOf;
  bool GetControlText(CString& text) const override {
    text = FromQString(this->text());
    return true;
  }
  bool SetControlText(const CString& text) override {
    this->setText(ToQString(text));
    return true;
  }

 protected:
  // The whole window takes the click, as on the platform, not only the mark and its text.
  bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

// Greedy word wrap of each line of the text to the width; a word wider than the width stands on
// a line of its own.
QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList wrapped;
  for (const QString& line : QString(text).remove(QChar('\r')).split(QChar('\n'))) {
    QString current;
    for (const QString& word : line.split(QChar(' '))) {
      const QString candidate = current.isEmpty() ? word : current + QChar(' ') + word;
      if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
        wrapped << current;
        current = word;
      } else {
        current = candidate;
      }
    }
    wrapped << current;
  }
  return wrapped.join(QChar('\n'));
}

// A check box or radio button of several lines (BS_MULTILINE): its text wraps at words to the
// room beside the check mark, and keeps its own line breaks.
template <class Base>
class MultiLineButtonWidget : public ButtonWidget<Base> {
 public:
  using ButtonWidget<Base>::ButtonWidget;
  bool GetControlText(CString& text) const override {
    text = m_text;
    return true;
  }
  bool SetControlText(const CString& text) override {
    m_text = text;
    Rewrap();
    return true;
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    Base::resizeEvent(event);
    Rewrap();
  }

 private:
  void Rewrap() {
    QStyleOptionButton option;
    option.initFrom(this);
    const int mark = this->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this) +
                     this->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    this->setText(WrapToWidth(ToQString(m_text), this->fontMetrics(), std::max(1, this->width() - mark)));
  }
  CString m_text;
};

// A radio button whose check the platform's rules set: the toolkit's own exclusiveness (all
// radio buttons of one parent) is off. A click checks an auto radio button and leaves a plain
// one as it is, for its owner to check.
template <class Base>
class RadioWidget : public Base {
 public:
  RadioWidget(CWnd& wnd, QWidget* parent, bool automatic) : Base(wnd, parent), m_automatic(automatic) {
    this->setAutoExclusive(false);
  }

 protected:
  void nextCheckState() override {
    if (m_automatic) this->setChecked(true);
  }

 private:
  bool m_automatic;
};

class GroupWidget : public WndWidgetOf<QGroupBox> {
 public:
  using WndWidgetOf::WndWidgetOf;
  bool GetControlText(CString& text) const override {
    text = FromQString(title());
    return true;
  }
  bool SetControlText(const CString& text) override {
    setTitle(ToQString(text));
    return true;
  }
};

QAbstractButton* ToolkitButton(CWnd* wnd) { return dynamic_cast<QAbstractButton*>(QtWidgetOf(wnd)); }

}  // namespace

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"BUTTON", caption, style, rect, parent, id);
}

std::unique_ptr<WndWidget> CButton::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  std::unique_ptr<WndWidget> widget;
  QAbstractButton* button = nullptr;
  switch (GetStyle() & BS_TYPEMASK) {
    case BS_OWNERDRAW:
      return CWnd::CreateWidget(parent);
    case BS_GROUPBOX:
      return std::make_unique<GroupWidget>(*this, parentWidget);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
      std::unique_ptr<ButtonWidget<QCheckBox>> check;
      if (GetStyle() & BS_MULTILINE)
        check = std::make_unique<MultiLineButtonWidget<QCheckBox>>(*this, parentWidget);
      else
        check = std::make_unique<ButtonWidget<QCheckBox>>(*this, parentWidget);
      const DWORD type = GetStyle() & BS_TYPEMASK;
      check->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
      button = check.get();
      widget = std::move(check);
      break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
      const bool automatic = (GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
      std::unique_ptr<ButtonWidget<QRadioButton>> radio;
      if (GetStyle() & BS_MULTILINE)
        radio = std::make_unique<RadioWidget<MultiLineButtonWidget<QRadioButton>>>(*this, parentWidget,
                                                                                   automatic);
      else
        radio = std::make_unique<RadioWidget<ButtonWidget<QRadioButton>>>(*this, parentWidget, automatic);
      button = radio.get();
      widget = std::move(radio);
      break;
    }
    default: {
      auto push = std::make_unique<ButtonWidget<QPushButton>>(*this, parentWidget);
      push->setDefault((GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
      push->setAutoDefault(false);
      button = push.get();
      widget = std::move(push);
      break;
    }
  }
  QObject::connect(button, &QAbstractButton::clicked, [this] {
    WndEventScope scope;
    if ((GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON) ClearOtherAutoRadioButtons();
    NotifyClicked();
  });
  return widget;
}

void CButton::NotifyClicked() {
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), BN_CLICKED), LPARAM(this));
}

// A checked auto radio button is the only checked one of its group: the other auto radio
// buttons of the group are cleared before the owner hears of the click.
void CButton::ClearOtherAutoRadioButtons() {
  CWnd* parent = GetParent();
  if (!parent) return;
  for (CWnd* member : parent->GetDlgGroup(this)) {
    if (member != this && dynamic_cast<CButton*>(member) &&
        (member->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
      member->SendMessage(BM_SETCHECK, BST_UNCHECKED);
  }
}

int CButton::GetCheck() const { return int(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }
UINT CButton::GetState() const { return UINT(const_cast<CButton*>(this)->SendMessage(BM_GETSTATE)); }

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (result) *result = TRUE;
  return TRUE;
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsOwnerDrawn()) return OwnerDrawnDefault(message, wParam, lParam);
  QAbstractButton* button = ToolkitButton(this);
  switch (message) {
    case BM_GETCHECK:
      if (auto* check = dynamic_cast<QCheckBox*>(button))
        return LRESULT(check->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
                       : check->isChecked()                        ? BST_CHECKED
                                                                   : BST_UNCHECKED);
      return button && button->isCheckable() && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
      if (auto* check = dynamic_cast<QCheckBox*>(button)) {
        check->setCheckState(wParam == BST_INDETERMINATE ? Qt::PartiallyChecked
                             : wParam == BST_CHECKED     ? Qt::Checked
                                                         : Qt::Unchecked);
      } else if (button && button->isCheckable()) {
        button->setChecked(wParam == BST_CHECKED);
      }
      return 0;
    case BM_GETSTATE:
      return button && button->isDown() ? BST_PUSHED : 0;
    case BM_SETSTATE:
      if (button) button->setDown(wParam != 0);
      return 0;
    case BM_CLICK:
      if (button) button->click();
      return 0;
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}

LRESULT CButton::OwnerDrawnDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  CRect client;
  GetClientRect(client);
  const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  switch (message) {
    case WM_PAINT:
      PaintOwnerDrawn();
      return 0;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      m_tracking = true;
      m_pushed = true;
      SetCapture();
      Invalidate(FALSE);
      UpdateWindow();
      return 0;
    case WM_MOUSEMOVE:
      if (m_tracking && m_pushed != bool(client.PtInRect(point))) {
        m_pushed = !m_pushed;
        Invalidate(FALSE);
        UpdateWindow();
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!m_tracking) return 0;
      const bool clicked = client.PtInRect(point);
      m_tracking = false;
      m_pushed = false;
      if (GetCapture() == this) ReleaseCapture();
      Invalidate(FALSE);
      UpdateWindow();
      if (clicked) NotifyClicked();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (m_tracking && lParam != LPARAM(this)) {
        m_tracking = false;
        m_pushed = false;
        Invalidate(FALSE);
      }
      return 0;
    case BM_GETSTATE:
      return m_pushed ? BST_PUSHED : 0;
    case BM_SETSTATE:
      m_pushed = wParam != 0;
      Invalidate(FALSE);
      return 0;
    case BM_CLICK:
      NotifyClicked();
      return 0;
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}

void CButton::PaintOwnerDrawn() {
  CPaintDC dc(this);
  DRAWITEMSTRUCT item;
  item.CtlType = ODT_BUTTON;
  item.CtlID = UINT(GetDlgCtrlID());
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = (m_pushed ? ODS_SELECTED : 0) | (GetFocus() == this ? ODS_FOCUS : 0) |
                   (IsWindowEnabled() ? 0 : ODS_DISABLED);
  item.hwndItem = this;
  item.hDC = dc.GetSafeHdc();
  GetClientRect(&item.rcItem);
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(WM_DRAWITEM, item.CtlID, LPARAM(&item));
  } else {
    DrawItem(&item);
  }
}
