#include "views/SummaryFonts.h"

#include "platform/gdi/SystemInfo.h"

namespace {

void Make(CFont& font, LOGFONT logFont) { font.CreateFontIndirect(&logFont); }

}  // namespace

SSummaryFonts& SSummaryFonts::Shared() {
  // Made on first use and never freed: every view of the process shares them to its end.
  static SSummaryFonts* fonts = [] {
    auto* made = new SSummaryFonts;
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(NONCLIENTMETRICS);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(NONCLIENTMETRICS), &metrics, 0);
    const LOGFONT base = metrics.lfMessageFont;
    LOGFONT changed = base;
    Make(made->normal, base);
    changed.lfUnderline = 1;
    Make(made->underlined, changed);
    changed = base;
    changed.lfWeight = 800;
    Make(made->bold, changed);
    changed.lfUnderline = 1;
    Make(made->boldUnderlined, changed);
    changed = base;
    changed.lfWeight = 800;
    changed.lfHeight = LONG(base.lfHeight * 1.8);
    Make(made->title, changed);
    changed = base;
    changed.lfEscapement = 900;
    changed.lfOrientation = 900;
    Make(made->vertical, changed);
    return made;
  }();
  return *fonts;
}
