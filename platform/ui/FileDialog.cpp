#include "platform/ui/FileDialog.h"

#include <QFileDialog>
#include <QStringList>

#include "platform/gdi/QtString.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/UserAnswers.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

namespace {

QWidget* WidgetOf(CWnd* window) {
  if (!CWnd::IsWindowHandle(window) || !window->GetWidget()) return nullptr;
  return window->GetWidget()->Widget();
}

int NameStart(const CString& path) { return path.ReverseFind(u'/') + 1; }

}  // namespace

CString FileDialogFilterText(const CString& filter) {
  QStringList parts = ToQString(filter).split(QChar('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    QString patterns = parts[i + 1];
    patterns.replace(QChar(';'), QChar(' '));
    patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    QString name = parts[i];
    const qsizetype open = name.lastIndexOf(QChar('('));
    if (open >= 0) name = name.left(open).trimmed();
    entries << name + QStringLiteral(" (") + patterns + QChar(')');
  }
  return FromQString(entries.join(QStringLiteral(";;")));
}

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt, LPCTSTR fileName, DWORD flags,
                         LPCTSTR filter, CWnd* parent)
    : m_bOpen(openFileDialog != FALSE),
      m_strDefaultExt(defaultExt),
      m_strFileName(fileName),
      m_strFilter(filter),
      m_pParent(parent) {
  m_ofn.Flags = flags;
}

INT_PTR CFileDialog::DoModal() {
  SFileDialogRequest request;
  request.open = m_bOpen;
  request.title = CString(m_ofn.lpstrTitle);
  request.initialDir = CString(m_ofn.lpstrInitialDir);
  request.fileName = m_strFileName;
  request.defaultExt = m_strDefaultExt;
  request.filter = m_strFilter;
  request.flags = m_ofn.Flags;
  request.show = [this, &request](CString& path) {
    QString start = ToQString(request.initialDir);
    // A proposed name that is only a pattern ("*.jvd") is left to the filter.
    if (!request.fileName.IsEmpty() && request.fileName.FindOneOf(u"*?") < 0)
      start =
          start.isEmpty() ? ToQString(request.fileName) : start + QChar('/') + ToQString(request.fileName);
    const QString filter = ToQString(FileDialogFilterText(request.filter));
    const QString title = ToQString(request.title);
    QFileDialog::Options options;
    if (!(request.flags & OFN_OVERWRITEPROMPT)) options |= QFileDialog::DontConfirmOverwrite;
    const QString chosen =
        request.open
            ? QFileDialog::getOpenFileName(WidgetOf(m_pParent), title, start, filter)
            : QFileDialog::getSaveFileName(WidgetOf(m_pParent), title, start, filter, nullptr, options);
    path = FromQString(chosen);
    return !path.IsEmpty();
  };
  CString path;
  bool chosen = false;
  RunOnUiThreadAndWait([&] { chosen = GetUserAnswerSink().OnFileDialog(request, path); });
  if (!chosen || path.IsEmpty()) return IDCANCEL;
  const CString name = path.Mid(NameStart(path));
  if (!m_strDefaultExt.IsEmpty() && name.Find(u'.') < 0) path += u"." + m_strDefaultExt;
  m_strPath = path;
  return IDOK;
}

CString CFileDialog::GetFileName() const { return m_strPath.Mid(NameStart(m_strPath)); }
