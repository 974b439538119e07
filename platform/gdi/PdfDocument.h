#pragma once
// A document written to a PDF file. The file appears only when the document is finished;
// until then the pages go to a temporary file beside it.

#include <QPdfWriter>
#include <QSaveFile>
#include <memory>

#include "platform/gdi/PrintDocument.h"

class PdfDocument : public IPrintDocument {
 public:
  // A page of width x height device pixels at dpi, without margins.
  PdfDocument(const QString& path, int width, int height, int dpi);

  QPagedPaintDevice& Device() override { return *m_writer; }
  // The size asked for: the writer's own page size is rounded to whole points.
  QSize PageSize() const override { return m_size; }
  QRect Paper() const override { return QRect(QPoint(0, 0), m_size); }
  bool Open(const QString& title) override;
  bool Finish() override;
  void Abort(QPainter& painter) override;

 private:
  QSaveFile m_file;
  std::unique_ptr<QPdfWriter> m_writer;
  QSize m_size;
};
