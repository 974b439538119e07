// The title, statistics, peak-load list and comment blocks of the summary page.

#include <algorithm>

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/ZedoDoc.h"
#include "resources/ResourceIds.h"
#include "views/SummaryFonts.h"
#include "views/SummaryView.h"

namespace {

// The offset of a block's first line below its heading's top.
int BelowHeading(int headingHeight) { return int(1.2 * headingHeight); }

// A cell of the list reaches this far beyond its column on either side.
constexpr int kCellOverhang = 8;
constexpr double kColumnSpacing = 1.8;

}  // namespace

CSize CSummaryView::DrawTitle(CDC* dc, int x, int y, bool measureOnly, CString* text) {
  SSummaryFonts& fonts = SSummaryFonts::Shared();
  const CString title = LoadStringOrPlaceholder(IDS_SUMMARY_TITLE);
  dc->SelectObject(&fonts.title);
  const CSize size = dc->GetTextExtent(title);
  if (!measureOnly) dc->TextOut(x, y, title);
  if (text) *text += title + u"\r\n\r\n";
  dc->SelectObject(&fonts.normal);
  return size;
}

CSize CSummaryView::DrawStatistics(CDC* dc, int x, int y, bool measureOnly, CString* text) {
  SSummaryFonts& fonts = SSummaryFonts::Shared();
  const CSummaryData& summary = m_pDoc->GetSummary();
  const int innerX = x + m_nMargin;
  const int innerY = y + m_nMargin;
  const CString heading = LoadStringOrPlaceholder(IDS_SUMMARY_STATISTICS);
  dc->SelectObject(&fonts.bold);
  const CSize headingSize = dc->GetTextExtent(heading);
  if (!measureOnly) dc->TextOut(innerX, innerY, heading);
  if (text) *text += heading + u"\r\n";

  const CString unit = summary.GetUnitName();
  CString values[6];
  CString valueTexts[6];
  values[0].Format(u"= %d", summary.GetCount());
  valueTexts[0].Format(u"%d", summary.GetCount());
  CString figures[5];
  summary.GetMean(figures[0]);
  summary.GetStdDeviation(figures[1]);
  summary.GetRange(figures[2]);
  summary.GetMinimum(figures[3]);
  summary.GetMaximum(figures[4]);
  for (int i = 0; i < 5; ++i) {
    values[i + 1].Format(u"= %s %s", figures[i], unit);
    valueTexts[i + 1].Format(u"%s\t%s", figures[i], unit);
  }
  static constexpr UINT kLabels[6] = {IDS_SUMMARY_COUNT, IDS_SUMMARY_MEAN,    IDS_SUMMARY_STD_DEVIATION,
                                      IDS_SUMMARY_RANGE, IDS_SUMMARY_MINIMUM, IDS_SUMMARY_MAXIMUM};
  dc->SelectObject(&fonts.normal);
  CString labels[6];
  int widestLabel = 0;
  for (int i = 0; i < 6; ++i) {
    labels[i] = LoadStringOrPlaceholder(kLabels[i]);
    widestLabel = std::max<int>(widestLabel, dc->GetTextExtent(labels[i]).cx);
  }
  const int valueX = innerX + int(1.1 * widestLabel);
  int line = innerY + BelowHeading(headingSize.cy);
  int widestValue = 0;
  for (int i = 0; i < 6; ++i) {
    const CSize labelSize = dc->GetTextExtent(labels[i]);
    widestValue = std::max<int>(widestValue, dc->GetTextExtent(values[i]).cx);
    if (!measureOnly) {
      dc->TextOut(innerX, line, labels[i]);
      dc->TextOut(valueX, line, values[i]);
    }
    if (text) *text += labels[i] + u"\t" + valueTexts[i] + u"\r\n";
    line += labelSize.cy;
  }
  if (text) *text += u"\r\n";
  return CSize(m_nMargin + widestValue + (valueX - x), m_nMargin + (line - y));
}

CSize CSummaryView::DrawPeakLoadList(CDC* dc, int x, int y, int columnHeight, bool measureOnly) {
  SSummaryFonts& fonts = SSummaryFonts::Shared();
  const CSummaryData& summary = m_pDoc->GetSummary();
  CString heading;
  heading.Format(u"%s (%s)", LoadStringOrPlaceholder(IDS_SUMMARY_PEAK_LOADS), summary.GetUnitName());
  dc->SelectObject(&fonts.bold);
  const CSize headingSize = dc->GetTextExtent(heading);
  if (!measureOnly) dc->TextOut(x + m_nMargin, y + m_nMargin, heading);
  dc->SelectObject(&fonts.normal);

  CString maximumText;
  summary.GetMaximum(maximumText);
  const CSize cellSize = dc->GetTextExtent(maximumText);
  const int firstLine = y + m_nMargin + BelowHeading(headingSize.cy);
  if (int(m_valueWidths.size()) != summary.GetCount()) MeasureValueWidths(dc);

  int columnX = x + m_nMargin;
  int columnWidest = 0;
  int line = firstLine;
  int lowest = firstLine;
  m_nListColumns = summary.GetCount() > 0 ? 1 : 0;
  CPen* oldPen = nullptr;
  CBrush* oldBrush = nullptr;
  if (!measureOnly) {
    oldPen = dc->SelectObject(&m_highlightPen);
    oldBrush = dc->SelectObject(&m_highlightBrush);
  }
  for (int i = 0; i < summary.GetCount(); ++i) {
    const int width = m_valueWidths[std::size_t(i)];
    if (line != firstLine && line + cellSize.cy + m_nMargin > y + columnHeight) {
      columnX += int(kColumnSpacing * std::max(columnWidest, width));
      columnWidest = 0;
      line = firstLine;
      ++m_nListColumns;
    }
    columnWidest = std::max(columnWidest, width);
    if (!measureOnly) {
      const CRect cell(columnX - kCellOverhang, line, columnX + cellSize.cx + kCellOverhang,
                       line + cellSize.cy);
      if (i == m_nHoveredEntry) dc->Rectangle(cell);
      dc->TextOut(columnX + cellSize.cx - width, line, summary.GetEntry(i)->valueText);
      m_pHits->Add(cell, 0, HIT_LIST_VALUE, i, nullptr, true);
    }
    line += cellSize.cy;
    lowest = std::max(lowest, line);
  }
  if (!measureOnly) {
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
  }
  const int width = std::max<int>(headingSize.cx + 2 * m_nMargin, columnX + m_nMargin - x + columnWidest);
  return CSize(width, m_nMargin + lowest - y);
}

CSize CSummaryView::DrawComment(CDC* dc, int x, int y, int width, CString* text) {
  SSummaryFonts& fonts = SSummaryFonts::Shared();
  const CString heading = LoadStringOrPlaceholder(IDS_LABEL_COMMENT);
  dc->SelectObject(&fonts.bold);
  const CSize headingSize = dc->GetTextExtent(heading);
  dc->TextOut(x + m_nMargin, y + m_nMargin, heading);
  if (text) *text += heading + u"\r\n";

  const CString comment = m_pDoc->GetSummary().GetCommentRef();
  const CString shown = comment.IsEmpty() ? LoadStringOrPlaceholder(IDS_SUMMARY_ADD_COMMENT) : comment;
  const COLORREF oldColor = dc->SetTextColor(m_linkColor);
  dc->SelectObject(m_nHoveredHitId == HIT_COMMENT ? &fonts.underlined : &fonts.normal);
  const int left = x + m_nMargin;
  const int lineWidth = width - 2 * m_nMargin;
  const int firstLine = y + m_nMargin + BelowHeading(headingSize.cy);
  int cx = left;
  int cy = firstLine;
  auto drawWord = [&](const CString& word, CSize size) {
    dc->TextOut(cx, cy, word);
    m_pHits->Add(CRect(cx, cy, cx + size.cx, cy + size.cy), 0, HIT_COMMENT, 0, u"", true);
    cx += size.cx;
  };
  int position = 0;
  while (position < shown.GetLength()) {
    // A word runs up to a blank, a full stop or a line end; each of those is a word itself.
    CString word;
    while (position < shown.GetLength()) {
      const char16_t ch = shown[position];
      if (ch == u'\r') {
        ++position;
        continue;
      }
      if (ch == u' ' || ch == u'.' || ch == u'\n') {
        if (word.IsEmpty()) {
          word += ch;
          ++position;
        }
        break;
      }
      word += ch;
      ++position;
    }
    if (word.IsEmpty()) break;
    const CSize size = dc->GetTextExtent(word);
    if (word == u"\n") {
      cx = left;
      cy += size.cy;
    } else if (cx + size.cx <= left + lineWidth) {
      drawWord(word, size);
    } else if (size.cx < lineWidth) {
      cx = left;
      cy += size.cy;
      drawWord(word, size);
    } else {
      for (int i = 0; i < word.GetLength(); ++i) {
        const CString ch(word[i]);
        const CSize chSize = dc->GetTextExtent(ch);
        if (cx + chSize.cx > left + lineWidth && cx != left) {
          cx = left;
          cy += chSize.cy;
        }
        drawWord(ch, chSize);
      }
    }
  }
  dc->SetTextColor(oldColor);
  const int letterHeight = dc->GetTextExtent(CString(u"A")).cy;
  dc->SelectObject(&fonts.normal);

  if (text) {
    CString escaped = comment;
    escaped.Replace(u"\r\n", u"<br>");
    escaped.Replace(u"\"", u"&quot");
    *text += u"\"" + escaped + u"\"\t\r\n\r\n";
  }
  return CSize(width, 2 * m_nMargin + BelowHeading(headingSize.cy) + (cy - firstLine) + letterHeight);
}
