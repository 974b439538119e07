// Printer contexts and the document and page calls of CDC.

#include <QImage>
#include <QPrinterInfo>

#include "platform/gdi/Dc.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/GuiApplication.h"
#include "platform/gdi/ImageDc.h"
#include "platform/gdi/PdfDocument.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/gdi/PrinterDocument.h"
#include "platform/gdi/QtString.h"

namespace {

HDC CreateDocumentDC(std::unique_ptr<IPrintDocument> document, int dpi) {
  auto* d = new DcData;
  d->kind = DcData::Kind::Document;
  d->dpi = dpi;
  d->printer = true;
  d->screen = false;
  d->document = std::move(document);
  return d;
}

}  // namespace

HDC CreatePdfDC(const CString& path, int pageWidth, int pageHeight, int dpi) {
  if (pageWidth <= 0 || pageHeight <= 0 || dpi <= 0) return nullptr;
  EnsureGuiApplication();
  return CreateDocumentDC(std::make_unique<PdfDocument>(ToQString(path), pageWidth, pageHeight, dpi), dpi);
}

std::vector<CString> GetPrinterNames() {
  EnsureGuiApplication();
  std::vector<CString> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(FromQString(name));
  return names;
}

HDC CreatePrinterDC(const CString& printerName) {
  EnsureGuiApplication();
  const QPrinterInfo info = printerName.IsEmpty() ? QPrinterInfo::defaultPrinter()
                                                  : QPrinterInfo::printerInfo(ToQString(printerName));
  if (info.isNull()) return nullptr;
  auto document = std::make_unique<PrinterDocument>(info);
  if (!document->Valid()) return nullptr;
  const int dpi = document->Device().logicalDpiY();
  return CreateDocumentDC(std::move(document), dpi);
}

HDC CreateMemoryPrinterDC(int pageWidth, int pageHeight, int dpi) {
  if (pageWidth <= 0 || pageHeight <= 0 || dpi <= 0) return nullptr;
  auto page = std::make_unique<QImage>(pageWidth, pageHeight, QImage::Format_RGB32);
  page->fill(0xFFFFFFFF);
  HDC dc = CreateImageDC(page.get(), SImageDcOptions{dpi, true, false});
  dc->ownPage = std::move(page);
  dc->recorder = std::make_unique<PageRecorder>(pageWidth, pageHeight);
  return dc;
}

int GetPrintedPageCount(HDC dc) { return dc && dc->recorder ? int(dc->recorder->Pages().size()) : 0; }

HBITMAP GetPrintedPage(HDC dc, int index) {
  if (!dc || !dc->recorder || index < 0 || index >= GetPrintedPageCount(dc)) return nullptr;
  return CreateBitmapFromImage(dc->recorder->Pages()[std::size_t(index)]);
}

std::vector<SPrintedText> GetPrintedTexts(HDC dc, int index) {
  std::vector<SPrintedText> texts;
  if (!dc || !dc->recorder || index < 0 || index >= GetPrintedPageCount(dc)) return texts;
  for (const PageRecorder::Text& text : dc->recorder->PageTexts()[std::size_t(index)])
    texts.push_back(SPrintedText{FromQString(text.text), text.at.x(), text.at.y()});
  return texts;
}

namespace {

// Drawing outside a page goes to the context's own blank page.
void UseOwnPage(DcData& d) {
  d.EndPainter();
  d.external = d.ownPage.get();
}

bool PageOpen(const DcData& d) { return d.document ? d.pageOpen : d.external != d.ownPage.get(); }

}  // namespace

int CDC::StartDoc(DOCINFO* info) { return StartDoc(info && info->lpszDocName ? info->lpszDocName : u""); }

int CDC::StartDoc(LPCTSTR docName) {
  DcData* d = m_hDC;
  if (!d || (!d->recorder && !d->document) || d->inDocument) return SP_ERROR;
  if (d->document && !d->document->Open(QString::fromUtf16(docName))) return SP_ERROR;
  if (d->recorder) d->recorder->StartDoc();
  d->inDocument = true;
  return 1;
}

int CDC::StartPage() {
  DcData* d = m_hDC;
  if (!d || !d->inDocument || PageOpen(*d)) return SP_ERROR;
  if (d->document) return d->StartDocumentPage() ? 1 : SP_ERROR;
  d->EndPainter();
  d->external = d->recorder->StartPage();
  return 1;
}

int CDC::EndPage() {
  DcData* d = m_hDC;
  if (!d || !d->inDocument || !PageOpen(*d)) return SP_ERROR;
  if (d->document) {
    d->pageOpen = false;
    return 1;
  }
  UseOwnPage(*d);
  d->recorder->EndPage();
  return 1;
}

int CDC::EndDoc() {
  DcData* d = m_hDC;
  if (!d || !d->inDocument) return SP_ERROR;
  if (PageOpen(*d)) EndPage();
  d->inDocument = false;
  if (!d->document) return 1;
  if (d->painter.isActive()) d->painter.end();
  return d->document->Finish() ? 1 : SP_ERROR;
}

int CDC::AbortDoc() {
  DcData* d = m_hDC;
  if (!d || !d->inDocument) return SP_ERROR;
  d->inDocument = false;
  if (d->document) {
    d->pageOpen = false;
    d->document->Abort(d->painter);
    return 1;
  }
  UseOwnPage(*d);
  d->recorder->AbortDoc();
  return 1;
}
