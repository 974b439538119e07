#include "platform/ui/DateTimeCtrl.h"

#include <QDateTimeEdit>

#include "platform/gdi/QtString.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/WndWidget.h"

namespace {

QDateTimeEdit* Editor(const CWnd* wnd) { return static_cast<QDateTimeEdit*>(QtWidgetOf(wnd)); }

// The toolkit's display format of a picture: the same letters for days, months, years, hours,
// minutes and seconds; "t"/"tt" become the AM/PM marker; a lone "y" shows two digits; eras are
// not shown.
QString ToDisplayFormat(const CString& picture) {
  QString format;
  const int length = picture.GetLength();
  for (int i = 0; i < length;) {
    const char16_t ch = picture[i];
    if (ch == u'\'') {
      const int end = picture.Find(u'\'', i + 1);
      const int stop = end < 0 ? length : end + 1;
      format += ToQString(picture.Mid(i, stop - i));
      i = stop;
      continue;
    }
    int run = 1;
    while (i + run < length && picture[i + run] == ch) ++run;
    switch (ch) {
      case u't':
        format += QStringLiteral("AP");
        break;
      case u'y':
        format += run == 1 ? QStringLiteral("yy") : QString(run, QChar(u'y'));
        break;
      case u'g':
        break;
      default:
        format += QString(run, QChar(ch));
        break;
    }
    i += run;
  }
  return format;
}

}  // namespace

std::unique_ptr<WndWidget> CDateTimeCtrl::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = QtWidgetOf(parent);
  auto widget = std::make_unique<WndWidgetOf<QDateTimeEdit>>(*this, parentWidget);
  widget->setTimeSpec(Qt::LocalTime);
  return widget;
}

BOOL CDateTimeCtrl::SetFormat(LPCTSTR picture) {
  return CallOnUiThread([&]() -> BOOL {
    QDateTimeEdit* editor = Editor(this);
    if (!editor || !picture) return FALSE;
    editor->setDisplayFormat(ToDisplayFormat(picture));
    return TRUE;
  });
}

BOOL CDateTimeCtrl::SetTime(const SLocalTime& local) {
  return CallOnUiThread([&]() -> BOOL {
    QDateTimeEdit* editor = Editor(this);
    if (!editor) return FALSE;
    editor->setDateTime(QDateTime(QDate(local.year, local.month, local.day),
                                  QTime(local.hour, local.minute, local.second), Qt::LocalTime));
    return TRUE;
  });
}

BOOL CDateTimeCtrl::GetTime(SLocalTime& local) const {
  return CallOnUiThread([&]() -> BOOL {
    QDateTimeEdit* editor = Editor(this);
    if (!editor) return FALSE;
    const QDateTime value = editor->dateTime();
    local.year = value.date().year();
    local.month = value.date().month();
    local.day = value.date().day();
    local.hour = value.time().hour();
    local.minute = value.time().minute();
    local.second = value.time().second();
    local.dayOfWeek = value.date().dayOfWeek() % 7;
    return TRUE;
  });
}

BOOL CDateTimeCtrl::SetTime(std::int64_t stamp) {
  SLocalTime local;
  if (!StampToLocalTime(stamp, local)) return FALSE;
  return SetTime(local);
}

CString CDateTimeCtrl::GetDisplayText() const {
  return CallOnUiThread([&] {
    QDateTimeEdit* editor = Editor(this);
    return editor ? FromQString(editor->text()) : CString();
  });
}
