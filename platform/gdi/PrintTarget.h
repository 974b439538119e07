#pragma once
// Where a printer context's pages go. The print dialog of the window layer supplies one for
// the chosen printer; CreateMemoryPrinterDC keeps the pages as bitmaps (tests, tools).

#include <memory>

#include "platform/base/String.h"
#include "platform/gdi/GdiTypes.h"

class QImage;

class IPrintTarget {
 public:
  virtual ~IPrintTarget() = default;
  virtual bool StartDoc(const CString& name) = 0;
  // A blank page of the printer's page size (HORZRES x VERTRES) to draw on.
  virtual QImage* StartPage() = 0;
  virtual bool EndPage() = 0;
  virtual bool EndDoc() = 0;
  virtual void AbortDoc() = 0;
};

// A printer context of a page size in device pixels at dpi (LOGPIXELSX/Y). Delete with DeleteDC.
HDC CreatePrinterDC(std::shared_ptr<IPrintTarget> target, int pageWidth, int pageHeight, int dpi);
// A printer context whose finished pages stay readable as bitmaps.
HDC CreateMemoryPrinterDC(int pageWidth, int pageHeight, int dpi);
// The pages finished so far by a memory printer context (0 for any other context), and a
// copy of page index (for the caller to delete).
int GetPrintedPageCount(HDC dc);
HBITMAP GetPrintedPage(HDC dc, int index);
