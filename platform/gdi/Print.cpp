// Printer contexts and the document and page calls of CDC.

#include <QImage>

#include "platform/gdi/Dc.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/ImageDc.h"
#include "platform/gdi/PrintTarget.h"

namespace {

class MemoryPrintTarget : public IPrintTarget {
 public:
  MemoryPrintTarget(int width, int height) : m_width(width), m_height(height) {}
  bool StartDoc(const CString&) override {
    m_pages.clear();
    return true;
  }
  QImage* StartPage() override {
    m_page = QImage(m_width, m_height, QImage::Format_RGB32);
    m_page.fill(0xFFFFFFFF);
    return &m_page;
  }
  bool EndPage() override {
    m_pages.push_back(m_page.copy());
    return true;
  }
  bool EndDoc() override { return true; }
  void AbortDoc() override { m_pages.clear(); }
  const std::vector<QImage>& Pages() const { return m_pages; }

 private:
  int m_width;
  int m_height;
  QImage m_page;
  std::vector<QImage> m_pages;
};

}  // namespace

HDC CreatePrinterDC(std::shared_ptr<IPrintTarget> target, int pageWidth, int pageHeight, int dpi) {
  if (!target || pageWidth <= 0 || pageHeight <= 0 || dpi <= 0) return nullptr;
  auto page = std::make_unique<QImage>(pageWidth, pageHeight, QImage::Format_RGB32);
  page->fill(0xFFFFFFFF);
  HDC dc = CreateImageDC(page.get(), SImageDcOptions{dpi, true, false});
  dc->ownPage = std::move(page);
  dc->printTarget = std::move(target);
  return dc;
}

HDC CreateMemoryPrinterDC(int pageWidth, int pageHeight, int dpi) {
  return CreatePrinterDC(std::make_shared<MemoryPrintTarget>(pageWidth, pageHeight), pageWidth, pageHeight,
                         dpi);
}

int GetPrintedPageCount(HDC dc) {
  auto* memory = dc ? dynamic_cast<MemoryPrintTarget*>(dc->printTarget.get()) : nullptr;
  return memory ? int(memory->Pages().size()) : 0;
}

HBITMAP GetPrintedPage(HDC dc, int index) {
  auto* memory = dc ? dynamic_cast<MemoryPrintTarget*>(dc->printTarget.get()) : nullptr;
  if (!memory || index < 0 || index >= int(memory->Pages().size())) return nullptr;
  return CreateBitmapFromImage(memory->Pages()[std::size_t(index)]);
}

namespace {

// Drawing outside a page goes to the context's own blank page.
void UseOwnPage(DcData& d) {
  d.EndPainter();
  d.external = d.ownPage.get();
}

}  // namespace

int CDC::StartDoc(DOCINFO* info) { return StartDoc(info && info->lpszDocName ? info->lpszDocName : u""); }

int CDC::StartDoc(LPCTSTR docName) {
  DcData* d = m_hDC;
  if (!d || !d->printTarget || d->inDocument) return SP_ERROR;
  if (!d->printTarget->StartDoc(CString(docName))) return SP_ERROR;
  d->inDocument = true;
  return 1;
}

int CDC::StartPage() {
  DcData* d = m_hDC;
  if (!d || !d->inDocument) return SP_ERROR;
  QImage* page = d->printTarget->StartPage();
  if (!page) return SP_ERROR;
  d->EndPainter();
  d->external = page;
  return 1;
}

int CDC::EndPage() {
  DcData* d = m_hDC;
  if (!d || !d->inDocument || d->external == d->ownPage.get()) return SP_ERROR;
  UseOwnPage(*d);
  return d->printTarget->EndPage() ? 1 : SP_ERROR;
}

int CDC::EndDoc() {
  DcData* d = m_hDC;
  if (!d || !d->inDocument) return SP_ERROR;
  if (d->external != d->ownPage.get()) EndPage();
  d->inDocument = false;
  return d->printTarget->EndDoc() ? 1 : SP_ERROR;
}

int CDC::AbortDoc() {
  DcData* d = m_hDC;
  if (!d || !d->inDocument) return SP_ERROR;
  UseOwnPage(*d);
  d->inDocument = false;
  d->printTarget->AbortDoc();
  return 1;
}
