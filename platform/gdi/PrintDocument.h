#pragma once
// Where the pages of a document context go: a PDF file or a printer. The context paints on
// the device with one painter from the first page to the end of the document.

#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>

class IPrintDocument {
 public:
  virtual ~IPrintDocument() = default;
  virtual QPagedPaintDevice& Device() = 0;
  // The printable area's size in device pixels (HORZRES, VERTRES).
  virtual QSize PageSize() const = 0;
  // The sheet in device pixels, placed so that the printable area's corner is at 0, 0.
  virtual QRect Paper() const = 0;
  // Before the first page: names the document and opens its destination.
  virtual bool Open(const QString& title) = 0;
  // After the painter has ended: the document is complete.
  virtual bool Finish() = 0;
  // Drops the document (the painter may still be open on the device): no file stays behind
  // and the printer prints nothing.
  virtual void Abort(QPainter& painter) = 0;
};
