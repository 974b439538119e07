#include "platform/ui/PrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>
#include <cmath>

#include "platform/gdi/Dc.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/gdi/QtString.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/UserAnswers.h"

namespace {

// An A4 sheet at 300 dpi, for the PDF file named by the settings.
constexpr int kPdfSettingWidth = 2480;
constexpr int kPdfSettingHeight = 3508;
constexpr int kPdfSettingDpi = 300;
constexpr double kMillimetresPerInch = 25.4;

// A PDF file has no unprintable edge: its pages are the whole paper the dialog chose, at the
// resolution of the settings' PDF file.
SPrintDialogChoice PdfChoice(const QPrinter& printer, bool selectionOnly) {
  // From millimetres, as the sheet's size is defined: by way of whole points A4 would lose a pixel.
  const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
  const int width = int(std::lround(paper.width() * kPdfSettingDpi / kMillimetresPerInch));
  const int height = int(std::lround(paper.height() * kPdfSettingDpi / kMillimetresPerInch));
  return SPrintDialogChoice{CreatePdfDC(FromQString(printer.outputFileName()), width, height, kPdfSettingDpi),
                            selectionOnly};
}

// The system's dialog: the printer (or PDF file) the user picked, or none. Printing to a file
// always means a PDF file here, whatever PD_HIDEPRINTTOFILE asks: it is the printer of a
// machine without a print system.
SPrintDialogChoice ShowSystemPrintDialog(DWORD flags) {
  CString pdfFile;
  if (RegGetString(kPrintSettingsKey, u"PdfFile", pdfFile) && !pdfFile.IsEmpty())
    return SPrintDialogChoice{CreatePdfDC(pdfFile, kPdfSettingWidth, kPdfSettingHeight, kPdfSettingDpi), false};
  QPrinter printer;
  QPrintDialog dialog(&printer);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, !(flags & PD_NOSELECTION));
  if (dialog.exec() != QDialog::Accepted) return SPrintDialogChoice{};
  const bool selectionOnly = dialog.printRange() == QAbstractPrintDialog::Selection;
  if (printer.outputFormat() == QPrinter::PdfFormat) return PdfChoice(printer, selectionOnly);
  return SPrintDialogChoice{CreatePrinterDC(FromQString(printer.printerName())), selectionOnly};
}

}  // namespace

CPrintDialog::CPrintDialog(BOOL, DWORD flags, CWnd* parent) : m_pParent(parent) { m_pd.Flags = flags; }

CPrintDialog::~CPrintDialog() {
  if (m_ownedDC) DeleteDC(m_ownedDC);
}

void CPrintDialog::DeletePrinterDC() {
  if (m_ownedDC && m_ownedDC == m_pd.hDC) {
    DeleteDC(m_ownedDC);
    m_ownedDC = nullptr;
  }
  m_pd.hDC = nullptr;
}

INT_PTR CPrintDialog::DoModal() {
  SPrintDialogRequest request;
  request.owner = m_pParent;
  request.flags = m_pd.Flags;
  request.show = [this] {
    SPrintDialogChoice choice = ShowSystemPrintDialog(m_pd.Flags);
    m_ownedDC = choice.printer;
    return choice;
  };
  SPrintDialogChoice choice;
  CallOnUiThread([&] { choice = GetUserAnswerSink().OnPrintDialog(request); });
  m_pd.hDC = choice.printer;
  m_pd.Flags &= ~PD_SELECTION;
  if (choice.printer && choice.selectionOnly) m_pd.Flags |= PD_SELECTION;
  return choice.printer ? IDOK : IDCANCEL;
}
