#include "grid/GridPrintBands.h"

namespace {

constexpr UINT kBandText = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr int kBoldWeight = 700;

}  // namespace

CBoldFontScope::CBoldFontScope(CDC* dc, CFont& font) : m_dc(dc) {
  LOGFONT logFont{};
  font.GetLogFont(&logFont);
  logFont.lfWeight = kBoldWeight;
  m_bold.CreateFontIndirect(&logFont);
  m_previousFont = dc->SelectObject(&m_bold);
  m_previousMode = dc->SetBkMode(TRANSPARENT);
}

CBoldFontScope::~CBoldFontScope() {
  m_dc->SetBkMode(m_previousMode);
  m_dc->SelectObject(m_previousFont);
}

void DrawBandText(CDC* dc, const CString& text, CRect rect, UINT align) {
  if (!text.IsEmpty()) dc->DrawText(text, &rect, align | kBandText);
}

void DrawBlackLine(CDC* dc, int left, int right, int y) {
  CGdiObject* previous = dc->SelectStockObject(BLACK_PEN);
  dc->MoveTo(left, y);
  dc->LineTo(right, y);
  dc->SelectObject(previous);
}

CString NearestCaption(const CWnd* window) {
  for (; window; window = window->GetParent()) {
    const CString caption = window->GetWindowTextString();
    if (!caption.IsEmpty()) return caption;
  }
  return CString();
}
