#include "platform/ui/Edit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "platform/gdi/QtString.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/WndWidget.h"

namespace {

// The platform's selection rule: a start of -1 removes the selection, an end of -1 or past the
// text means the end of the text; the caret goes to the end.
void SelectLine(QLineEdit& line, int start, int end) {
  const int length = int(line.text().size());
  if (start < 0) {
    line.deselect();
    return;
  }
  const int from = std::min(start, length);
  const int to = end < 0 || end > length ? length : end;
  line.setSelection(from, to - from);
}

class LineWidget : public WndWidgetOf<QLineEdit> {
 public:
  using WndWidgetOf::WndWidgetOf;
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    result = 0;
    switch (message) {
      case WM_CHAR:
      case WM_IME_CHAR:
        Type(char16_t(wParam));
        return true;
      case EM_SETSEL:
        SelectLine(*this, int(wParam), int(lParam));
        return true;
      case EM_GETSEL: {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int end = hasSelectedText() ? selectionEnd() : cursorPosition();
        if (auto* out = reinterpret_cast<DWORD*>(wParam)) *out = DWORD(start);
        if (auto* out = reinterpret_cast<DWORD*>(lParam)) *out = DWORD(end);
        result = LRESULT(MAKELONG(WORD(start), WORD(end)));
        return true;
      }
      case EM_SCROLLCARET:
        // The field keeps its caret in view by itself.
        result = TRUE;
        return true;
      case WM_PASTE:
        if (!isReadOnly()) paste();
        return true;
      case WM_GETDLGCODE:
        result = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
        return true;
      default:
        return false;
    }
  }
  bool GetControlText(CString& text) const override {
    text = FromQString(this->text());
    return true;
  }
  bool SetControlText(const CString& text) override {
    setText(ToQString(text));
    return true;
  }

 private:
  // A character sent as a message types as its key would: a backspace removes the selection or
  // the character before the caret, other control characters type nothing.
  void Type(char16_t ch) {
    if (isReadOnly()) return;
    if (ch == VK_BACK) {
      if (hasSelectedText())
        del();
      else
        backspace();
    } else if (ch >= 0x20) {
      insert(QString(QChar(ch)));
    }
  }
};

// A multi-line field in a dialog leaves Tab to the dialog, which moves the focus on; Ctrl+Tab
// types the tab there. Outside dialogs Tab types it.
class TextWidget : public WndWidgetOf<QPlainTextEdit> {
 public:
  TextWidget(CWnd& wnd, QWidget* parent, bool inDialog) : WndWidgetOf(wnd, parent) {
    setTabChangesFocus(inDialog);
  }
  // Lines end in CR LF in the control's text, as on the platform.
  bool GetControlText(CString& text) const override {
    text = FromQString(toPlainText().replace(u'\n', QStringLiteral("\r\n")));
    return true;
  }
  bool SetControlText(const CString& text) override {
    setPlainText(ToQString(text).remove(u'\r'));
    return true;
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool controlTab =
        event->key() == Qt::Key_Tab &&
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
    if (controlTab && tabChangesFocus()) {
      if (!isReadOnly()) insertPlainText(QStringLiteral("\t"));
      event->accept();
      return;
    }
    WndWidgetOf::keyPressEvent(event);
  }
};

bool IsInDialog(const CWnd* wnd) {
  for (const CWnd* w = wnd; w; w = w->GetParent()) {
    if (dynamic_cast<const CDialog*>(w)) return true;
  }
  return false;
}

}  // namespace

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"EDIT", nullptr, style, rect, parent, id);
}

std::unique_ptr<WndWidget> CEdit::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  auto notify = [this] {
    WndEventScope scope;
    if (CWnd* owner = GetParent())
      owner->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), EN_CHANGE), LPARAM(this));
  };
  if (GetStyle() & ES_MULTILINE) {
    auto widget = std::make_unique<TextWidget>(*this, parentWidget, IsInDialog(parent));
    widget->setReadOnly(GetStyle() & ES_READONLY);
    QObject::connect(widget.get(), &QPlainTextEdit::textChanged, notify);
    return widget;
  }
  auto widget = std::make_unique<LineWidget>(*this, parentWidget);
  widget->setReadOnly(GetStyle() & ES_READONLY);
  if (GetStyle() & ES_PASSWORD) widget->setEchoMode(QLineEdit::Password);
  if (GetStyle() & ES_CENTER) widget->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  if (GetStyle() & ES_RIGHT) widget->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QObject::connect(widget.get(), &QLineEdit::textChanged, notify);
  return widget;
}

void CEdit::SetSel(int start, int end, BOOL) {
  if (!GetWidget()) return;
  CallOnUiThread([&] {
    QWidget* w = GetWidget()->Widget();
    if (auto* line = dynamic_cast<QLineEdit*>(w)) {
      SelectLine(*line, start, end);
    } else if (auto* text = dynamic_cast<QPlainTextEdit*>(w)) {
      QTextCursor cursor = text->textCursor();
      const int length = text->document()->characterCount() - 1;
      cursor.setPosition(start < 0 ? length : std::min(start, length));
      if (start >= 0) cursor.setPosition(end < 0 || end > length ? length : end, QTextCursor::KeepAnchor);
      text->setTextCursor(cursor);
    }
  });
}

void CEdit::GetSel(int& start, int& end) const {
  start = end = 0;
  if (!GetWidget()) return;
  CallOnUiThread([&] {
    QWidget* w = GetWidget()->Widget();
    if (auto* line = dynamic_cast<QLineEdit*>(w)) {
      start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
      end = line->hasSelectedText() ? line->selectionEnd() : line->cursorPosition();
    } else if (auto* text = dynamic_cast<QPlainTextEdit*>(w)) {
      start = text->textCursor().selectionStart();
      end = text->textCursor().selectionEnd();
    }
  });
}

void CEdit::ReplaceSel(LPCTSTR text, BOOL) {
  if (!GetWidget()) return;
  const QString value = ToQString(CString(text));
  CallOnUiThread([&] {
    QWidget* w = GetWidget()->Widget();
    if (auto* line = dynamic_cast<QLineEdit*>(w)) {
      line->insert(value);
    } else if (auto* edit = dynamic_cast<QPlainTextEdit*>(w)) {
      edit->insertPlainText(QString(value).remove(u'\r'));
    }
  });
}

BOOL CEdit::SetTabStops(int dialogUnits) {
  if (!GetWidget()) return FALSE;
  return CallOnUiThread([&] {
    auto* text = dynamic_cast<QPlainTextEdit*>(GetWidget()->Widget());
    if (!text) return FALSE;
    // A horizontal dialog unit is a quarter of the dialog font's average character width.
    text->setTabStopDistance(dialogUnits * text->fontMetrics().averageCharWidth() / 4.0);
    return TRUE;
  });
}
