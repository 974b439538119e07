#include "platform/ui/RichEditCtrl.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "platform/gdi/QtString.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/WndWidget.h"

namespace {

class RichWidget : public WndWidgetOf<QTextEdit> {
 public:
  using WndWidgetOf::WndWidgetOf;
  bool GetControlText(CString& text) const override {
    text = FromQString(toPlainText().replace(u'\n', QStringLiteral("\r\n")));
    return true;
  }
  bool SetControlText(const CString& text) override {
    setPlainText(ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n'));
    return true;
  }
};

QTextEdit* Editor(const CWnd* wnd) { return static_cast<QTextEdit*>(QtWidgetOf(wnd)); }

int EndPosition(const QTextEdit* editor) { return editor->document()->characterCount() - 1; }

QColor ToQColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

COLORREF ToColorRef(const QColor& color) {
  return RGB(BYTE(color.red()), BYTE(color.green()), BYTE(color.blue()));
}

QTextCharFormat ToQFormat(const CHARFORMAT& format) {
  QTextCharFormat result;
  if (format.dwMask & CFM_COLOR) {
    if (format.dwEffects & CFE_AUTOCOLOR) {
      result.setForeground(QColor(Qt::black));
    } else {
      result.setForeground(ToQColor(format.crTextColor));
    }
  }
  if (format.dwMask & CFM_BOLD)
    result.setFontWeight(format.dwEffects & CFE_BOLD ? QFont::Bold : QFont::Normal);
  if (format.dwMask & CFM_ITALIC) result.setFontItalic(format.dwEffects & CFE_ITALIC);
  if (format.dwMask & CFM_UNDERLINE) result.setFontUnderline(format.dwEffects & CFE_UNDERLINE);
  if (format.dwMask & CFM_STRIKEOUT) result.setFontStrikeOut(format.dwEffects & CFE_STRIKEOUT);
  if ((format.dwMask & CFM_FACE) && format.szFaceName[0])
    result.setFontFamilies({QString::fromUtf16(format.szFaceName)});
  if ((format.dwMask & CFM_SIZE) && format.yHeight > 0) result.setFontPointSize(format.yHeight / 20.0);
  return result;
}

CHARFORMAT FromQFormat(const QTextCharFormat& format, const QFont& font) {
  CHARFORMAT result;
  result.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_FACE | CFM_SIZE;
  if (format.foreground().style() == Qt::NoBrush) {
    result.dwEffects |= CFE_AUTOCOLOR;
  } else {
    result.crTextColor = ToColorRef(format.foreground().color());
  }
  const int weight = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() : font.weight();
  if (weight >= QFont::DemiBold) result.dwEffects |= CFE_BOLD;
  if (format.fontItalic()) result.dwEffects |= CFE_ITALIC;
  if (format.fontUnderline()) result.dwEffects |= CFE_UNDERLINE;
  if (format.fontStrikeOut()) result.dwEffects |= CFE_STRIKEOUT;
  const QStringList families = format.fontFamilies().toStringList();
  const QString face = families.isEmpty() ? font.family() : families.front();
  const int length = std::min<int>(int(face.size()), 31);
  for (int i = 0; i < length; ++i) result.szFaceName[i] = face.at(i).unicode();
  const double points = format.fontPointSize() > 0 ? format.fontPointSize() : font.pointSizeF();
  result.yHeight = LONG(points * 20 + 0.5);
  return result;
}

}  // namespace

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"RichEdit20W", nullptr, style, rect, parent, id);
}

std::unique_ptr<WndWidget> CRichEditCtrl::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  auto widget = std::make_unique<RichWidget>(*this, parentWidget);
  widget->setAcceptRichText(false);
  widget->setReadOnly(GetStyle() & ES_READONLY);
  widget->setLineWrapMode((GetStyle() & ES_MULTILINE) ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
  return widget;
}

void CRichEditCtrl::SetSel(long start, long end) {
  CallOnUiThread([&] {
    QTextEdit* editor = Editor(this);
    if (!editor) return;
    const int last = EndPosition(editor);
    QTextCursor cursor = editor->textCursor();
    if (start < 0) {
      cursor.movePosition(QTextCursor::End);
    } else {
      cursor.setPosition(std::min<int>(int(start), last));
      cursor.setPosition(end < 0 ? last : std::min<int>(int(end), last), QTextCursor::KeepAnchor);
    }
    editor->setTextCursor(cursor);
  });
}

void CRichEditCtrl::ReplaceSel(LPCTSTR text, BOOL) {
  const QString value =
      ToQString(CString(text)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
  CallOnUiThread([&] {
    QTextEdit* editor = Editor(this);
    if (!editor) return;
    QTextCursor cursor = editor->textCursor();
    cursor.insertText(value, cursor.charFormat());
    editor->setTextCursor(cursor);
  });
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& format) const {
  return CallOnUiThread([&]() -> DWORD {
    QTextEdit* editor = Editor(this);
    if (!editor) return 0;
    QTextCursor cursor = editor->textCursor();
    // The format of the selection's first character (the caret's insertion format without a
    // selection).
    if (cursor.hasSelection()) {
      QTextCursor first(editor->document());
      first.setPosition(cursor.selectionStart() + 1);
      format = FromQFormat(first.charFormat(), editor->font());
    } else {
      format = FromQFormat(cursor.charFormat(), editor->font());
    }
    return format.dwMask;
  });
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& format) {
  const QTextCharFormat change = ToQFormat(format);
  return CallOnUiThread([&]() -> BOOL {
    QTextEdit* editor = Editor(this);
    if (!editor) return FALSE;
    QTextCursor cursor = editor->textCursor();
    if (cursor.hasSelection()) {
      cursor.mergeCharFormat(change);
    } else {
      QTextCharFormat next = cursor.charFormat();
      next.merge(change);
      cursor.setCharFormat(next);
    }
    editor->setTextCursor(cursor);
    return TRUE;
  });
}

LRESULT CRichEditCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  QTextEdit* editor = Editor(this);
  if (message != WM_VSCROLL || lParam != 0 || !editor) return CWnd::DefWindowProc(message, wParam, lParam);
  QScrollBar* bar = editor->verticalScrollBar();
  switch (LOWORD(DWORD(wParam))) {
    case SB_TOP:
      bar->setValue(bar->minimum());
      break;
    case SB_BOTTOM:
      bar->setValue(bar->maximum());
      break;
    case SB_LINEUP:
      bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
      break;
    case SB_LINEDOWN:
      bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      break;
    case SB_PAGEUP:
      bar->triggerAction(QAbstractSlider::SliderPageStepSub);
      break;
    case SB_PAGEDOWN:
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      break;
    default:
      break;
  }
  return 0;
}
