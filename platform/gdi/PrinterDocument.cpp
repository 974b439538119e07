#include "platform/gdi/PrinterDocument.h"

PrinterDocument::PrinterDocument(const QPrinterInfo& printer)
    : m_printer(printer, QPrinter::HighResolution) {}

bool PrinterDocument::Open(const QString& title) {
  m_printer.setDocName(title);
  return m_printer.isValid();
}

void PrinterDocument::Abort(QPainter& painter) {
  if (painter.isActive()) m_printer.abort();
  if (painter.isActive()) painter.end();
}
