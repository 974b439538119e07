#pragma once
// Pieces of both grids' printouts: the places of the print layout, the bold font of the header
// and footer bands, their texts and their black lines.

#include "platform/gdi/Dc.h"
#include "platform/gdi/Font.h"
#include "platform/ui/Wnd.h"

// Places in both grids' print layout of eight values: line counts of the header and footer
// bands and of the gap around the body, and the margins in characters.
enum EPrintLayoutValue : int { kHeaderLines = 1, kFooterLines, kLeftMargin, kRightMargin, kGapLines = 7 };

// A bold copy of the font with a transparent background, selected while it lives; the previous
// font and mode come back.
class CBoldFontScope {
 public:
  CBoldFontScope(CDC* dc, CFont& font);
  ~CBoldFontScope();
  CBoldFontScope(const CBoldFontScope&) = delete;
  CBoldFontScope& operator=(const CBoldFontScope&) = delete;

 private:
  CDC* m_dc;
  CFont m_bold;
  CFont* m_previousFont;
  int m_previousMode;
};

// One line of band text, vertically centred, without prefix processing; nothing for no text.
void DrawBandText(CDC* dc, const CString& text, CRect rect, UINT align);
void DrawBlackLine(CDC* dc, int left, int right, int y);
// The text of the nearest window from `window` up its parents that has one; empty for none.
CString NearestCaption(const CWnd* window);
