#include "platform/gdi/Font.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiInternals.h"
#include "platform/gdi/GuiApplication.h"
#include "platform/gdi/ProgramFonts.h"

namespace {

// lfHeight 0 asks for the default size.
constexpr int kDefaultEmPixels = 12;

QString Lower(const WCHAR* face) {
  int n = 0;
  while (n < LF_FACESIZE && face[n]) ++n;
  return QString::fromUtf16(face, n).toLower().trimmed();
}

const char* FamilyFor(const LOGFONT& lf) {
  const QString face = Lower(lf.lfFaceName);
  if (const char* family = SubstituteFamily(face.toStdString())) return family;
  if (face.isEmpty()) {
    if ((lf.lfPitchAndFamily & 0x3) == FIXED_PITCH || (lf.lfPitchAndFamily & 0xF0) == FF_MODERN)
      return kMonoFamily;
    if ((lf.lfPitchAndFamily & 0xF0) == FF_ROMAN) return kSerifFamily;
  }
  return kSansFamily;
}

QFont BaseFont(const LOGFONT& lf) {
  QFont font(QString::fromLatin1(FamilyFor(lf)));
  font.setWeight(lf.lfWeight <= 0 ? QFont::Normal : QFont::Weight(std::clamp<int>(lf.lfWeight, 100, 900)));
  font.setItalic(lf.lfItalic != 0);
  font.setUnderline(lf.lfUnderline != 0);
  font.setStrikeOut(lf.lfStrikeOut != 0);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferFullHinting);
  const bool smooth = lf.lfQuality == ANTIALIASED_QUALITY || lf.lfQuality == CLEARTYPE_QUALITY;
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoSubpixelAntialias |
                                             (smooth ? QFont::PreferAntialias : QFont::NoAntialias)));
  return font;
}

// A positive height is the cell height (ascent + descent); find the character height that
// gives it.
int EmForCellHeight(const QFont& base, int cell) {
  QFont probe(base);
  probe.setPixelSize(1000);
  QFontMetricsF m(probe);
  int em = std::max(1, int(std::lround(cell * 1000.0 / (m.ascent() + m.descent()))));
  QFont sized(base);
  sized.setPixelSize(em);
  QFontMetrics fm(sized);
  if (fm.ascent() + fm.descent() > cell && em > 1) --em;
  return em;
}

}  // namespace

namespace gdi {

QString ToQString(const char16_t* text, int count) { return QString::fromUtf16(text, count); }

const RealFont& Realize(FontData& font, int deviceHeight) {
  std::lock_guard guard(font.cacheLock);
  auto& slot = font.cache[deviceHeight];
  if (slot) return *slot;
  EnsureGuiApplication();
  auto real = std::make_unique<RealFont>();
  QFont qf = BaseFont(font.log);
  if (deviceHeight < 0)
    real->emPixels = -deviceHeight;
  else if (deviceHeight > 0)
    real->emPixels = EmForCellHeight(qf, deviceHeight);
  else
    real->emPixels = kDefaultEmPixels;
  qf.setPixelSize(std::max(1, real->emPixels));
  real->font = qf;
  real->metrics = std::make_unique<QFontMetrics>(qf);
  real->ascent = real->metrics->ascent();
  real->descent = real->metrics->descent();
  real->externalLeading = std::max(0, real->metrics->leading());
  real->aveCharWidth = real->metrics->averageCharWidth();
  real->maxCharWidth = real->metrics->maxWidth();
  slot = std::move(real);
  return *slot;
}

}  // namespace gdi

HFONT CreateFontIndirect(const LOGFONT* logFont) {
  if (!logFont) return nullptr;
  auto* f = new gdi::FontData;
  f->log = *logFont;
  return f;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont) { return Attach(::CreateFontIndirect(logFont)); }

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfStrikeOut = strikeOut;
  lf.lfCharSet = charSet;
  lf.lfOutPrecision = outPrecision;
  lf.lfClipPrecision = clipPrecision;
  lf.lfQuality = quality;
  lf.lfPitchAndFamily = pitchAndFamily;
  for (int i = 0; faceName && faceName[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = faceName[i];
  return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc) {
  LOGFONT lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = pointSize;
  for (int i = 0; faceName && faceName[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = faceName[i];
  return CreatePointFontIndirect(&lf, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc) {
  if (!logFont) return FALSE;
  LOGFONT lf = *logFont;
  const int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
  // Tenths of a point to device pixels, then to the context's logical units.
  POINT height{0, int(std::lround(dpi * lf.lfHeight / 720.0))};
  POINT origin{0, 0};
  if (dc) {
    dc->DPtoLP(&height);
    dc->DPtoLP(&origin);
  }
  lf.lfHeight = -std::abs(height.y - origin.y);
  return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* logFont) const { return GetObject(sizeof(LOGFONT), logFont); }

CFont* CFont::FromHandle(HFONT handle) { return static_cast<CFont*>(CGdiObject::FromHandle(handle)); }
