#pragma once
// Printer contexts: a PDF file, one of the system's printers, or pages kept in memory.

#include <vector>

#include "platform/base/String.h"
#include "platform/gdi/GdiTypes.h"

// A printer context that writes its document to a PDF file at path, with pages of
// pageWidth x pageHeight device pixels at dpi (LOGPIXELSX/Y) and no margins. Drawing is kept
// as vector graphics and text. The file appears at EndDoc; AbortDoc leaves none. Delete with
// DeleteDC; null for a size or resolution that is not positive.
HDC CreatePdfDC(const CString& path, int pageWidth, int pageHeight, int dpi);

// The names of the system's printers; empty where there is no print system.
std::vector<CString> GetPrinterNames();
// A printer context for the named printer, or the default printer for an empty name, at the
// printer's own resolution; null where there is no such printer. Delete with DeleteDC.
HDC CreatePrinterDC(const CString& printerName);

// A printer context whose finished pages stay readable as bitmaps.
HDC CreateMemoryPrinterDC(int pageWidth, int pageHeight, int dpi);
// The pages finished so far by a memory printer context (0 for any other context), and a
// copy of page index (for the caller to delete).
int GetPrintedPageCount(HDC dc);
HBITMAP GetPrintedPage(HDC dc, int index);

// One text drawn on a page of a memory printer context, at the device position of the top left
// corner of its line.
struct SPrintedText {
  CString text;
  int x = 0;
  int y = 0;
};
// The texts of a finished page in the order they were drawn; empty for an index out of range
// or another kind of context.
std::vector<SPrintedText> GetPrintedTexts(HDC dc, int index);
