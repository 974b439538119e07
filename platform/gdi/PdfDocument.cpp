#include "platform/gdi/PdfDocument.h"

#include <QPageLayout>
#include <QPageSize>

PdfDocument::PdfDocument(const QString& path, int width, int height, int dpi)
    : m_file(path), m_width(width), m_height(height), m_dpi(dpi) {}

bool PdfDocument::Open(const QString& title) {
  if (!m_file.open(QIODevice::WriteOnly)) return false;
  m_writer = std::make_unique<QPdfWriter>(&m_file);
  m_writer->setTitle(title);
  m_writer->setCreator(QStringLiteral("ZD-Zedo"));
  m_writer->setResolution(m_dpi);
  // Inches keep the page exact; points would round it to whole points.
  const QPageSize size(QSizeF(double(m_width) / m_dpi, double(m_height) / m_dpi), QPageSize::Inch);
  m_writer->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
  return true;
}

bool PdfDocument::Finish() { return m_file.commit(); }

void PdfDocument::Abort(QPainter& painter) {
  if (painter.isActive()) painter.end();
  m_file.cancelWriting();
  m_file.commit();
}
