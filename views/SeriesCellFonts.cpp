#include "views/SeriesCellFonts.h"

namespace {

constexpr LONG kBoldWeight = 800;

}  // namespace

SSeriesCellFonts& SSeriesCellFonts::Shared() {
  // Never freed: every series cell of the process uses them to its end.
  static SSeriesCellFonts* fonts = new SSeriesCellFonts;
  return *fonts;
}

void SSeriesCellFonts::MakeFrom(CDC* dc) {
  if (made) return;
  LOGFONT logFont{};
  dc->GetCurrentFont()->GetLogFont(&logFont);
  normal.CreateFontIndirect(&logFont);
  LOGFONT changed = logFont;
  changed.lfUnderline = 1;
  underlined.CreateFontIndirect(&changed);
  changed = logFont;
  changed.lfWeight = kBoldWeight;
  bold.CreateFontIndirect(&changed);
  made = true;
}
