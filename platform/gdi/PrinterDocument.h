#pragma once
// A document printed on one of the system's printers.

#include <QPrinter>
#include <QPrinterInfo>

#include "platform/gdi/PrintDocument.h"

class PrinterDocument : public IPrintDocument {
 public:
  explicit PrinterDocument(const QPrinterInfo& printer);

  bool Valid() const { return m_printer.isValid(); }
  QPagedPaintDevice& Device() override { return m_printer; }
  QSize PageSize() const override;
  QRect Paper() const override;
  bool Open(const QString& title) override;
  bool Finish() override { return true; }
  void Abort(QPainter& painter) override;

 private:
  QPrinter m_printer;
};
