// Text output, measuring and DrawText layout.

#include <QFontMetrics>
#include <cmath>
#include <vector>

#include "platform/gdi/Dc.h"
#include "platform/gdi/DcData.h"

namespace {

// Prepares the painter for text in the selected font and text colour.
QPainter& TextPainter(DcData& d, const gdi::RealFont& font) {
  QPainter& p = d.Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (d.painterFont != &font) {
    p.setFont(font.font);
    d.painterFont = &font;
  }
  // Lines and shapes set pens of their own: the painter's pen is what to compare with.
  const QRgb color = gdi::ToRgb(d.st.textColor);
  if (p.pen().style() != Qt::SolidLine || p.pen().color().rgba() != color) p.setPen(QColor(color));
  return p;
}

int Advance(const gdi::RealFont& font, const QString& text) { return font.metrics->horizontalAdvance(text); }

// Offsets of the baseline start from the reference point for the TA_ flags, in text
// direction (x along the text, y down across it).
QPoint AlignOffset(UINT align, int width, const gdi::RealFont& font) {
  int x = 0;
  if ((align & TA_CENTER) == TA_CENTER)
    x = -width / 2;
  else if (align & TA_RIGHT)
    x = -width;
  int y = font.ascent;
  if ((align & TA_BASELINE) == TA_BASELINE)
    y = 0;
  else if (align & TA_BOTTOM)
    y = -font.descent;
  return QPoint(x, y);
}

void DrawRun(DcData& d, QPoint origin, double angle, const QString& text, const gdi::RealFont& font,
             const int* dx, double dxScale, bool opaque) {
  // A memory printer keeps what its pages say, so that a printout can be read back as text.
  if (d.recorder && d.external != d.ownPage.get() && !text.isEmpty())
    d.recorder->AddText(text, QPoint(origin.x(), origin.y() - font.ascent));
  QPainter& p = TextPainter(d, font);
  const int width = Advance(font, text);
  if (angle != 0) {
    p.save();
    p.translate(origin);
    p.rotate(-angle);
    origin = QPoint(0, 0);
  }
  if (opaque)
    p.fillRect(QRect(origin.x(), origin.y() - font.ascent, width, font.Height()),
               QColor(gdi::ToRgb(d.st.bkColor)));
  if (!dx) {
    p.drawText(origin, text);
  } else {
    double x = origin.x();
    for (int i = 0; i < text.size(); ++i) {
      p.drawText(QPointF(std::round(x), origin.y()), QString(text[i]));
      x += dx[i] * dxScale;
    }
  }
  if (angle != 0) p.restore();
}

struct Line {
  QString text;
  int underline = -1;  // index of the character after a prefix '&'
};

// Removes prefix characters: "&&" is a literal '&', '&' marks the next character.
Line StripPrefix(const QString& text, UINT format) {
  Line line;
  if (format & DT_NOPREFIX) {
    line.text = text;
    return line;
  }
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != u'&') line.underline = int(line.text.size());
    } else if (text[i] == u'&') {
      continue;
    }
    line.text += text[i];
  }
  if (format & DT_HIDEPREFIX) line.underline = -1;
  return line;
}

QString ExpandTabs(const QString& text, int tabWidth, const gdi::RealFont& font) {
  QString out;
  for (QChar c : text) {
    if (c != u'\t') {
      out += c;
      continue;
    }
    const int w = Advance(font, out);
    const int target = (w / tabWidth + 1) * tabWidth;
    do out += u' ';
    while (Advance(font, out) < target);
  }
  return out;
}

QString Ellipsize(const QString& text, int width, const gdi::RealFont& font) {
  if (Advance(font, text) <= width) return text;
  const QString dots = QStringLiteral("...");
  QString cut = text;
  while (!cut.isEmpty() && Advance(font, cut + dots) > width) cut.chop(1);
  return cut + dots;
}

QString TrimRight(QString s) {
  while (!s.isEmpty() && s.back() == u' ') s.chop(1);
  return s;
}

// Breaks a paragraph into lines no wider than width, at blanks; a word wider than the line
// stays whole on its own line.
void WrapParagraph(const QString& paragraph, int width, const gdi::RealFont& font,
                   std::vector<QString>& out) {
  QString line;
  const int n = int(paragraph.size());
  int i = 0;
  while (i < n) {
    int j = i;
    while (j < n && paragraph[j] != u' ') ++j;
    int k = j;
    while (k < n && paragraph[k] == u' ') ++k;
    const QString word = paragraph.mid(i, j - i);
    if (!line.isEmpty() && Advance(font, line + word) > width) {
      out.push_back(TrimRight(line));
      line.clear();
    }
    line += word + paragraph.mid(j, k - j);
    i = k;
  }
  out.push_back(TrimRight(line));
}

std::vector<Line> LayoutLines(const QString& all, UINT format, int width, const gdi::RealFont& font) {
  std::vector<QString> paragraphs;
  if (format & DT_SINGLELINE) {
    QString one = all;
    one.remove(u'\r');
    one.remove(u'\n');
    paragraphs.push_back(one);
  } else {
    QString normalized = all;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    paragraphs = std::vector<QString>{};
    for (const QString& p : normalized.split(u'\n')) paragraphs.push_back(p);
  }
  std::vector<Line> lines;
  for (const QString& paragraph : paragraphs) {
    Line stripped = StripPrefix(paragraph, format);
    if (format & DT_EXPANDTABS)
      stripped.text = ExpandTabs(stripped.text, 8 * std::max(1, font.aveCharWidth), font);
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
      std::vector<QString> wrapped;
      WrapParagraph(stripped.text, width, font, wrapped);
      for (std::size_t i = 0; i < wrapped.size(); ++i)
        lines.push_back(Line{
            wrapped[i], i == 0 && stripped.underline < int(wrapped[i].size()) ? stripped.underline : -1});
    } else {
      lines.push_back(stripped);
    }
  }
  if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
    for (Line& line : lines) {
      QString cut = Ellipsize(line.text, width, font);
      if (cut != line.text && line.underline >= int(cut.size()) - 3) line.underline = -1;
      line.text = cut;
    }
  }
  return lines;
}

}  // namespace

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count) {
  return ExtTextOut(x, y, 0, nullptr, text, UINT(std::max(count, 0)), nullptr);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const int* dx) {
  DcData& d = *m_hDC;
  d.BeginDraw();
  const gdi::RealFont& font = d.RealizedFont();
  const bool updateCp = d.st.textAlign & TA_UPDATECP;
  const POINT ref = updateCp ? d.st.position : POINT{x, y};
  const POINT dev = d.ToDevice(ref.x, ref.y);
  QRect clipRect;
  if (rect) clipRect = d.ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom);
  if (rect && (options & ETO_OPAQUE)) {
    QPainter& p = d.Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(clipRect, QColor(gdi::ToRgb(d.st.bkColor)));
  }
  if (count > 0 && text) {
    const QString s = gdi::ToQString(text, int(count));
    const double dxScale = d.IsIdentityMapping() ? 1.0 : std::abs(d.ScaleX());
    int width = 0;
    if (dx) {
      long long sum = 0;
      for (UINT i = 0; i < count; ++i) sum += dx[i];
      width = int(std::lround(sum * dxScale));
    } else {
      width = Advance(font, s);
    }
    const QPoint offset = AlignOffset(d.st.textAlign, width, font);
    const double angle = d.Font()->log.lfEscapement / 10.0;
    QPoint origin(dev.x, dev.y);
    if (angle == 0) {
      origin += offset;
    } else {
      // Offsets are along and across the rotated baseline.
      const double rad = angle * M_PI / 180.0;
      origin += QPoint(int(std::lround(offset.x() * std::cos(rad) + offset.y() * std::sin(rad))),
                       int(std::lround(-offset.x() * std::sin(rad) + offset.y() * std::cos(rad))));
    }
    const bool clipped = rect && (options & ETO_CLIPPED);
    QPainter& p = d.Painter();
    if (clipped) {
      p.save();
      p.setClipRect(clipRect, Qt::IntersectClip);
    }
    DrawRun(d, origin, angle, s, font, dx, dxScale, d.st.bkMode == OPAQUE && !(options & ETO_OPAQUE));
    if (clipped) {
      p.restore();
      d.painterFont = nullptr;
    }
    if (updateCp) {
      const int logicalWidth = d.IsIdentityMapping() ? width : int(std::lround(width / std::abs(d.ScaleX())));
      if ((d.st.textAlign & TA_CENTER) != TA_CENTER)
        d.st.position.x += (d.st.textAlign & TA_RIGHT) ? -logicalWidth : logicalWidth;
    }
  }
  d.EndDraw();
  return TRUE;
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const {
  DcData& d = *m_hDC;
  const gdi::RealFont& font = d.RealizedFont();
  const int width = count > 0 && text ? Advance(font, gdi::ToQString(text, count)) : 0;
  SIZE size{width, font.Height()};
  if (!d.IsIdentityMapping()) DPtoLP(&size);
  return size;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const {
  if (!metrics) return FALSE;
  DcData& d = *m_hDC;
  const gdi::RealFont& font = d.RealizedFont();
  const LOGFONT& lf = d.Font()->log;
  TEXTMETRIC tm{};
  tm.tmHeight = font.Height();
  tm.tmAscent = font.ascent;
  tm.tmDescent = font.descent;
  tm.tmInternalLeading = std::max(0, font.Height() - font.emPixels);
  tm.tmExternalLeading = font.externalLeading;
  tm.tmAveCharWidth = font.aveCharWidth;
  tm.tmMaxCharWidth = font.maxCharWidth;
  tm.tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  tm.tmDigitizedAspectX = d.dpi;
  tm.tmDigitizedAspectY = d.dpi;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFFFC;
  tm.tmDefaultChar = 0x1F;
  tm.tmBreakChar = 0x20;
  tm.tmItalic = lf.lfItalic;
  tm.tmUnderlined = lf.lfUnderline;
  tm.tmStruckOut = lf.lfStrikeOut;
  // The low bit set means a variable pitch font, as on the platform.
  tm.tmPitchAndFamily = BYTE((lf.lfPitchAndFamily & 0xF0) | (font.font.fixedPitch() ? 0 : 1) | 0x04);
  tm.tmCharSet = lf.lfCharSet;
  if (!d.IsIdentityMapping()) {
    auto toLogical = [&](LONG& v) {
      SIZE s{0, v};
      DPtoLP(&s);
      v = s.cy;
    };
    toLogical(tm.tmHeight);
    toLogical(tm.tmAscent);
    toLogical(tm.tmDescent);
    toLogical(tm.tmInternalLeading);
    toLogical(tm.tmExternalLeading);
  }
  *metrics = tm;
  return TRUE;
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) {
  if (!rect || !text) return 0;
  DcData& d = *m_hDC;
  if (count < 0) count = int(std::char_traits<char16_t>::length(text));
  const gdi::RealFont& font = d.RealizedFont();
  const QRect box = d.ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom);
  const int lineHeight = font.Height() + ((format & DT_EXTERNALLEADING) ? font.externalLeading : 0);
  const std::vector<Line> lines = LayoutLines(gdi::ToQString(text, count), format, box.width(), font);
  std::vector<int> widths;
  int maxWidth = 0;
  for (const Line& line : lines) {
    widths.push_back(Advance(font, line.text));
    maxWidth = std::max(maxWidth, widths.back());
  }
  const int totalHeight = lineHeight * int(lines.size());
  int top = box.top();
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      top = box.top() + (box.height() - lineHeight) / 2;
    else if (format & DT_BOTTOM)
      top = box.top() + box.height() - lineHeight;
  }
  auto toLogicalHeight = [&](int h) {
    if (d.IsIdentityMapping()) return h;
    SIZE s{0, h};
    DPtoLP(&s);
    return int(s.cy);
  };
  if (format & DT_CALCRECT) {
    SIZE size{maxWidth, totalHeight};
    if (!d.IsIdentityMapping()) DPtoLP(&size);
    rect->right = rect->left + size.cx;
    rect->bottom = rect->top + (d.IsIdentityMapping() || d.st.viewportExt.cy > 0 ? size.cy : -size.cy);
    return toLogicalHeight(totalHeight);
  }
  d.BeginDraw();
  QPainter& p = TextPainter(d, font);
  const bool clip = !(format & DT_NOCLIP);
  if (clip) {
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    int x = box.left();
    if (format & DT_CENTER)
      x = box.left() + (box.width() - widths[i]) / 2;
    else if (format & DT_RIGHT)
      x = box.left() + box.width() - widths[i];
    const int lineTop = top + int(i) * lineHeight;
    const QPoint baseline(x, lineTop + font.ascent);
    DrawRun(d, baseline, 0, lines[i].text, font, nullptr, 1.0, d.st.bkMode == OPAQUE);
    if (lines[i].underline >= 0) {
      const int ux = x + Advance(font, lines[i].text.left(lines[i].underline));
      const int uw = Advance(font, lines[i].text.mid(lines[i].underline, 1));
      p.fillRect(QRect(ux, baseline.y() + 1, uw, 1), QColor(gdi::ToRgb(d.st.textColor)));
    }
  }
  if (clip) {
    p.restore();
    d.painterFont = nullptr;
  }
  d.EndDraw();
  return toLogicalHeight(top - box.top() + totalHeight);
}
