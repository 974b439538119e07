// The summary on paper and as a picture file.

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "appbase/LoadStringOrPlaceholder.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/PrintDialog.h"
#include "resources/ResourceIds.h"
#include "toolkit/ImageObj.h"
#include "views/ExportFile.h"
#include "views/SummaryView.h"

namespace {

// The 52 letters whose mean width is the printout's character width.
const char16_t kAverageSample[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXY";
constexpr int kAverageSampleLength = 52;
constexpr int kJpegQuality = 90;

int ScaleBy(int value, int numerator, int denominator) {
  return denominator == 0 ? 0
                          : int((static_cast<long long>(value) * numerator + denominator / 2) / denominator);
}

}  // namespace

void CSummaryView::SetupFonts(CDC* dc, CPrintInfo* info, BOOL) {
  if (!dc || !info) return;
  m_printFont.DeleteObject();
  m_printFont.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                         CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, u"Arial");
  CFont* old = dc->SelectObject(&m_printFont);
  m_nCharWidth = dc->GetTextExtent(kAverageSample, kAverageSampleLength).cx / kAverageSampleLength;
  const int pageWidth = dc->GetDeviceCaps(HORZRES);
  const int pageHeight = dc->GetDeviceCaps(VERTRES);
  m_nPrintWindowWidth = GetTotalSize().cx + m_nCharWidth;
  m_nPrintWindowHeight = ScaleBy(m_nPrintWindowWidth, pageHeight, pageWidth);
  m_nPrintViewportWidth = pageWidth;
  m_nPrintViewportHeight = pageHeight;
  info->SetMaxPage(1);
  info->m_nCurPage = 1;
  dc->SelectObject(old);
}

void CSummaryView::OnEndPrinting(CDC*, CPrintInfo*) { m_printFont.DeleteObject(); }

void CSummaryView::PrintSummary() {
  if (!HasEntries()) return;
  CPrintDialog dialog(FALSE, PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE);
  if (dialog.DoModal() != IDOK) return;
  CDC dc;
  dc.Attach(dialog.GetPrinterDC());
  dc.m_bPrinting = TRUE;
  if (dc.StartDoc(u"ZD-Zedo") > 0) {
    CPrintInfo info;
    info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    SetupFonts(&dc, &info, FALSE);
    PrintPages(dc, info);
    OnEndPrinting(&dc, &info);
  }
  dc.Detach();
}

void CSummaryView::PrintPages(CDC& dc, CPrintInfo& info) {
  // A page taller than the paper goes on on further sheets at the same scale; each drawing
  // tells how tall the page is on this printer.
  auto pageCount = [this] {
    return std::max(1, (m_nDrawnHeight + m_nPrintWindowHeight - 1) / std::max(m_nPrintWindowHeight, 1));
  };
  bool ended = true;
  for (int page = 0; page < pageCount() && ended; ++page) {
    info.m_nCurPage = UINT(page + 1);
    dc.StartPage();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(m_nPrintWindowWidth, m_nPrintWindowHeight);
    dc.SetViewportExt(m_nPrintViewportWidth, m_nPrintViewportHeight);
    dc.SetWindowOrg(-m_nCharWidth, page * m_nPrintWindowHeight);
    DrawSummary(&dc);
    info.SetMaxPage(UINT(pageCount()));
    ended = dc.EndPage() > 0;
  }
  if (ended)
    dc.EndDoc();
  else
    dc.AbortDoc();
}

bool CSummaryView::ExportImage(const CString& path, DWORD type) {
  CClientDC screen(this);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  CImageObj image;
  BYTE* buffer = nullptr;
  std::int32_t size = 0;
  bool encoded = false;
  if (bitmap.CreateCompatibleBitmap(&screen, m_contentSize.cx, m_contentSize.cy)) {
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(CRect(0, 0, m_contentSize.cx, m_contentSize.cy), RGB(255, 255, 255));
    OnDraw(&memory);
    memory.SelectObject(old);
    image.SetJpegQuality(kJpegQuality);
    encoded =
        image.CreateFromHBITMAP(HBITMAP(bitmap.GetSafeHandle())) && image.EncodeToMemory(buffer, size, type);
  }
  if (!encoded) {
    std::free(buffer);
    MessageBox(this, LoadStringOrPlaceholder(IDS_GRAPHIC_ENCODING_FAILED), CString(),
               MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  std::unique_ptr<BYTE, decltype(&std::free)> owned(buffer, &std::free);
  // Written whole beside the chosen file before it takes its name: a write that fails leaves the
  // file that was there as it was.
  CExportFile file(path);
  file.Write(owned.get(), size);
  file.Commit();
  return true;
}
