#include "platform/ui/PrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

#include "platform/gdi/Dc.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/gdi/QtString.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/UserAnswers.h"

namespace {

// The system's dialog: the context of the printer the user picked, or null.
HDC ShowSystemPrintDialog() {
  QPrinter printer;
  QPrintDialog dialog(&printer);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return CreatePrinterDC(FromQString(printer.printerName()));
}

}  // namespace

CPrintDialog::CPrintDialog(BOOL, DWORD flags, CWnd* parent) : m_pParent(parent) { m_pd.Flags = flags; }

CPrintDialog::~CPrintDialog() {
  if (m_ownedDC) DeleteDC(m_ownedDC);
}

INT_PTR CPrintDialog::DoModal() {
  SPrintDialogRequest request;
  request.owner = m_pParent;
  request.flags = m_pd.Flags;
  request.show = [this] {
    m_ownedDC = ShowSystemPrintDialog();
    return m_ownedDC;
  };
  HDC printer = nullptr;
  CallOnUiThread([&] { printer = GetUserAnswerSink().OnPrintDialog(request); });
  m_pd.hDC = printer;
  return printer ? IDOK : IDCANCEL;
}
