#include "platform/gdi/PdfDocument.h"

#include <QPageLayout>
#include <QPageSize>

PdfDocument::PdfDocument(const QString& path, int width, int height, int dpi)
    : m_file(path), m_writer(std::make_unique<QPdfWriter>(&m_file)), m_size(width, height) {
  m_writer->setCreator(QStringLiteral("ZD-Zedo"));
  m_writer->setResolution(dpi);
  // Inches keep the page exact; points would round it to whole points.
  const QPageSize size(QSizeF(double(width) / dpi, double(height) / dpi), QPageSize::Inch);
  m_writer->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
}

bool PdfDocument::Open(const QString& title) {
  m_writer->setTitle(title);
  return m_file.open(QIODevice::WriteOnly);
}

bool PdfDocument::Finish() { return m_file.commit(); }

void PdfDocument::Abort(QPainter& painter) {
  if (painter.isActive()) painter.end();
  m_file.cancelWriting();
  m_file.commit();
}
