#include "platform/gdi/PrinterDocument.h"

#include <QPageLayout>

PrinterDocument::PrinterDocument(const QPrinterInfo& printer)
    : m_printer(printer, QPrinter::HighResolution) {}

QSize PrinterDocument::PageSize() const {
  return m_printer.pageLayout().paintRectPixels(m_printer.resolution()).size();
}

QRect PrinterDocument::Paper() const {
  const QPageLayout layout = m_printer.pageLayout();
  const QRect paint = layout.paintRectPixels(m_printer.resolution());
  return layout.fullRectPixels(m_printer.resolution()).translated(-paint.topLeft());
}

bool PrinterDocument::Open(const QString& title) {
  m_printer.setDocName(title);
  return m_printer.isValid();
}

void PrinterDocument::Abort(QPainter& painter) {
  if (painter.isActive()) m_printer.abort();
  if (painter.isActive()) painter.end();
}
