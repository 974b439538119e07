// The series cell's drawing: the layout of its panels side by side, the results and device
// tables, the comment block and the raw samples of the diagnostic mode.

#include <algorithm>

#include "appbase/DiagnosticMode.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "document/ZedoDoc.h"
#include "resources/ResourceIds.h"
#include "views/CommentToken.h"
#include "views/SeriesCell.h"
#include "views/SeriesCellFonts.h"

namespace {

// Gap between the label and the value column, and between the last value row of a group and
// what follows it.
constexpr int kLabelGap = 5;
constexpr int kGroupGap = 12;
// Where the percent of a failure mode stands behind its class text.
constexpr int kPercentGap = 7;
constexpr int kSampleLines = 20;

CString Joined(const CString& value, const CString& unit) { return value + u" " + unit; }

// The label and value columns of a two-pass table: the measuring pass finds the widest label
// and value, the drawing pass places the values behind the widest label.
class CTableColumns {
 public:
  CTableColumns(CDC* dc, int x, int top) : m_dc(dc), m_x(x), m_top(top) {
    SSeriesCellFonts& fonts = SSeriesCellFonts::Shared();
    dc->SelectObject(&fonts.normal);
    m_rowHeight = int(1.2 * dc->GetTextExtent(CString(u"5")).cy);
  }

  void StartPass(bool drawing) {
    m_drawing = drawing;
    y = m_top;
  }
  bool Drawing() const { return m_drawing; }
  int ValueX() const { return m_x + m_labelWidth + kLabelGap; }
  int RowHeight() const { return m_rowHeight; }

  void Title(const CString& text) {
    SSeriesCellFonts& fonts = SSeriesCellFonts::Shared();
    m_dc->SelectObject(&fonts.bold);
    if (m_drawing) m_dc->TextOut(m_x, y, text);
    y += int(1.2 * m_dc->GetTextExtent(text).cy);
    m_dc->SelectObject(&fonts.normal);
  }
  void Label(const CString& text) {
    if (m_drawing)
      m_dc->TextOut(m_x, y, text);
    else
      m_labelWidth = std::max(m_labelWidth, int(m_dc->GetTextExtent(text).cx));
  }
  void CountValue(const CString& text) {
    if (!m_drawing) m_valueWidth = std::max(m_valueWidth, int(m_dc->GetTextExtent(text).cx));
  }
  void Row(const CString& label, const CString& value, int extra = 0) {
    Label(label);
    CountValue(value);
    if (m_drawing) m_dc->TextOut(ValueX(), y, value);
    y += m_rowHeight + extra;
  }
  void NextRow() { y += m_rowHeight; }
  void WidenValues(int width) { m_valueWidth = std::max(m_valueWidth, width); }
  CSize Size() const { return CSize(m_labelWidth + m_valueWidth + kLabelGap, y); }

  int y = 0;

 private:
  CDC* m_dc;
  int m_x;
  int m_top;
  int m_rowHeight = 0;
  int m_labelWidth = 0;
  int m_valueWidth = 0;
  bool m_drawing = false;
};

}  // namespace

void CSeriesCell::CreateFonts(CDC* dc) { SSeriesCellFonts::Shared().MakeFrom(dc); }

BOOL CSeriesCell::Draw(CDC* dc, int row, int col, CRect rect, BOOL, BOOL plain) {
  if (!dc || rect.top >= rect.bottom) return TRUE;
  const bool printing = dc->IsPrinting();
  const int saved = dc->SaveDC();
  dc->OffsetWindowOrg(-rect.left, -rect.top);
  CRect work(0, 0, rect.Width(), rect.Height());
  ClearSubAreas();
  m_clickAreas.RemoveAll();
  const int right = std::max(int(work.right), kMinimumLayoutWidth);
  work.right = right;
  if (!printing) {
    CBrush back(GetBackColor());
    dc->FillRect(work, &back);
  }
  dc->SetBkMode(TRANSPARENT);
  if (CFont* font = GetFontObject()) dc->SelectObject(font);
  CreateFonts(dc);

  int height = kMinimumContentHeight;
  // An unbound cell has no test to show; the grid may still paint it before the page binds it.
  if (IsBound()) {
    const CSize curve = DrawCurvePanel(dc, 0, 0, kCurvePlotWidth, kCurvePlotHeight);
    const int resultsX = curve.cx + kPanelGap;
    const CSize results = DrawResultsPanel(dc, resultsX, 0, right);
    const int deviceX = resultsX + results.cx + kPanelGap;
    const CSize device = DrawDevicePanel(dc, deviceX, 0, right);
    CSize samples(0, 0);
    if (IsDiagnosticMode()) samples = DrawSamplesPanel(dc, deviceX + device.cx + kPanelGap, 0, right);
    height = std::max({int(curve.cy), int(results.cy), int(device.cy), int(samples.cy), height});
    m_nContentWidth = samples.cx > 0 ? deviceX + device.cx + kPanelGap + samples.cx : deviceX + device.cx;
  }

  dc->RestoreDC(saved);
  DrawFocusFrame(dc, row, col, rect, plain);
  m_nTargetHeight = height + kBottomSpace;
  if (!printing) StepHeight();
  return TRUE;
}

void CSeriesCell::DrawLink(CDC* dc, int x, int y, const CString& text, int area, bool hovered) {
  SSeriesCellFonts& fonts = SSeriesCellFonts::Shared();
  const COLORREF oldColor = dc->SetTextColor(m_linkColor);
  dc->SelectObject(hovered ? &fonts.underlined : &fonts.normal);
  RECT region;
  m_clickAreas.AddText(region, dc, x, y, text, 0, 0, area, u"", true);
  dc->TextOut(x, y, text);
  dc->SelectObject(&fonts.normal);
  dc->SetTextColor(oldColor);
}

CSize CSeriesCell::DrawResultsPanel(CDC* dc, int x, int y, int) {
  CTableColumns table(dc, x, y + m_nMargin);
  // Value and unit of a document call, empty for an index the document does not hold.
  using TextGetter = double (CZedoDoc::*)(int, CString&, CString&) const;
  auto valueText = [this](TextGetter getter) {
    CString value;
    CString unit;
    (m_pDoc->*getter)(m_nMeasIndex, value, unit);
    return Joined(value, unit);
  };
  const bool held = m_nMeasIndex < m_pDoc->GetCount();
  const int percentOffset = kPercentGap + dc->GetTextExtent(CString(u"AB")).cx;
  for (bool drawing : {false, true}) {
    table.StartPass(drawing);
    table.Title(LoadStringOrPlaceholder(IDS_DETAIL_MEASUREMENT));
    CString value;
    CString unit;
    BYTE convert = 1;
    m_pDoc->GetPeakLoad(m_nMeasIndex, convert, value, unit);
    table.Row(LoadStringOrPlaceholder(IDS_LABEL_PEAK_LOAD), Joined(value, unit));
    table.Row(LoadStringOrPlaceholder(IDS_LABEL_PEAK_LOAD_TIME), valueText(&CZedoDoc::GetPeakLoadTimeText));
    table.Row(LoadStringOrPlaceholder(IDS_LABEL_TEAR_OFF_TIME), valueText(&CZedoDoc::GetTearOffTimeText));
    table.Row(LoadStringOrPlaceholder(IDS_LABEL_EFFECTIVE_LOAD_RATE),
              valueText(&CZedoDoc::GetEffectiveLoadRateText), kGroupGap);

    table.Title(LoadStringOrPlaceholder(IDS_DETAIL_SETTINGS));
    const CString unitName = held ? m_pDoc->GetUnitName(m_nMeasIndex) : CString();
    table.Label(LoadStringOrPlaceholder(IDS_SUMMARY_UNIT));
    table.CountValue(unitName);
    if (drawing) DrawLink(dc, table.ValueX(), table.y, unitName, AREA_UNIT, m_nHoveredArea == AREA_UNIT);
    table.NextRow();
    table.Row(LoadStringOrPlaceholder(IDS_LABEL_LOAD_RATE), valueText(&CZedoDoc::GetLoadRateText));
    table.Row(LoadStringOrPlaceholder(IDS_LIVE_LOAD_LIMIT), valueText(&CZedoDoc::GetLoadText));
    table.Row(LoadStringOrPlaceholder(IDS_LABEL_DISC_AREA), valueText(&CZedoDoc::GetAreaText));
    table.Row(LoadStringOrPlaceholder(IDS_DETAIL_DISC_DIAMETER), valueText(&CZedoDoc::GetDiameterText));

    for (int mode = 1; mode <= 3; ++mode) {
      CString label;
      label.Format(u"%s %d", LoadStringOrPlaceholder(IDS_DETAIL_FAILURE_MODE).GetString(), mode);
      table.Label(label);
      CString classText;
      int percent = 0;
      BYTE classCode = 0;
      m_pDoc->GetFailureMode(m_nMeasIndex, mode, classText, percent, classCode);
      if (drawing) {
        const int classArea = AREA_FAILURE_CLASS_1 + mode - 1;
        const int percentArea = AREA_FAILURE_PERCENT_1 + mode - 1;
        DrawLink(dc, table.ValueX(), table.y, classText, classArea, m_nHoveredArea == classArea);
        CString percentText;
        percentText.Format(u"%d%%", percent);
        DrawLink(dc, table.ValueX() + percentOffset, table.y, percentText, percentArea,
                 m_nHoveredArea == percentArea);
      }
      table.NextRow();
    }
    table.WidenValues(dc->GetTextExtent(CString(u"AA  100%")).cx);

    if (IsDiagnosticMode()) {
      value.Format(u"%.3lf s", m_pDoc->GetSamplingPeriod(m_nMeasIndex));
      table.Row(u"Interval", value);
    }
  }
  return table.Size();
}

CSize CSeriesCell::DrawDevicePanel(CDC* dc, int x, int y, int right) {
  SMeasDeviceInfo device;
  m_pDoc->GetDeviceInfo(m_nMeasIndex, device);
  CString calibration;
  m_pDoc->GetLastCalibrationDate(m_nMeasIndex, calibration);
  CTableColumns table(dc, x, y + m_nMargin);
  for (bool drawing : {false, true}) {
    table.StartPass(drawing);
    table.Title(LoadStringOrPlaceholder(IDS_DETAIL_DEVICE));
    table.Row(LoadStringOrPlaceholder(IDS_LIVE_SERIAL_NO), device.strSerialNumber);
    table.Row(LoadStringOrPlaceholder(IDS_DETAIL_MODEL), device.strModel);
    table.Row(LoadStringOrPlaceholder(IDS_DETAIL_HW_SERIAL_NO), device.strHwSerialNumber);
    table.Row(LoadStringOrPlaceholder(IDS_DETAIL_HW_REVISION), device.strHwRevision);
    table.Row(LoadStringOrPlaceholder(IDS_LIVE_FIRMWARE_VERSION), device.strAppVersion);
    table.Row(LoadStringOrPlaceholder(IDS_LABEL_LAST_CALIBRATION), calibration);
  }
  const CSize comment = DrawComment(dc, x, table.y + kGroupGap, right - x);
  return CSize(table.Size().cx, table.y + kGroupGap + comment.cy);
}

CSize CSeriesCell::DrawComment(CDC* dc, int x, int y, int width) {
  SSeriesCellFonts& fonts = SSeriesCellFonts::Shared();
  CString text = m_pDoc->GetComment(m_nMeasIndex);
  if (text.IsEmpty()) text = LoadStringOrPlaceholder(IDS_SUMMARY_ADD_COMMENT);

  dc->SelectObject(&fonts.bold);
  const CString title = LoadStringOrPlaceholder(IDS_LABEL_COMMENT);
  dc->TextOut(x, y, title);
  const int titleAdvance = int(1.2 * dc->GetTextExtent(title).cy);
  const int top = y + titleAdvance;
  const int lineWidth = width - 2 * m_nMargin;

  dc->SelectObject(m_nHoveredArea == AREA_COMMENT ? &fonts.underlined : &fonts.normal);
  const COLORREF oldColor = dc->SetTextColor(m_linkColor);
  auto put = [&](int px, int py, const CString& piece) {
    RECT region;
    m_clickAreas.AddText(region, dc, px, py, piece, 0, 0, AREA_COMMENT, u"", true);
    dc->TextOut(px, py, piece);
  };
  int offset = 0;
  int lineY = 0;
  int position = 0;
  for (CString token = NextCommentToken(text, position); !token.IsEmpty();
       token = NextCommentToken(text, position)) {
    const CSize size = dc->GetTextExtent(token);
    if (token == u"\n") {
      lineY += size.cy;
      offset = 0;
    } else if (offset + size.cx < lineWidth) {
      put(x + offset, top + lineY, token);
      offset += size.cx;
    } else if (size.cx < lineWidth) {
      lineY += size.cy;
      put(x, top + lineY, token);
      offset = size.cx;
    } else {
      // A word wider than the line is broken between characters, none of them lost.
      CString piece;
      int pieceX = offset;
      for (int i = 0; i < token.GetLength(); ++i) {
        const CString longer = piece + token[i];
        if (!piece.IsEmpty() && pieceX + dc->GetTextExtent(longer).cx > lineWidth) {
          put(x + pieceX, top + lineY, piece);
          lineY += size.cy;
          pieceX = 0;
          piece = CString(token[i]);
        } else {
          piece = longer;
        }
      }
      put(x + pieceX, top + lineY, piece);
      offset = pieceX + dc->GetTextExtent(piece).cx;
    }
  }
  dc->SelectObject(&fonts.normal);
  const int lineHeight = dc->GetTextExtent(CString(u"A")).cy;
  dc->SetTextColor(oldColor);
  return CSize(width, m_nMargin + lineHeight + titleAdvance + lineY);
}

CSize CSeriesCell::DrawSamplesPanel(CDC* dc, int x, int y, int) {
  const double* samples = nullptr;
  double largest = 0;
  double peakTime = 0;
  int count = 0;
  double period = 0;
  if (!m_pDoc->GetLoadCurve(m_nMeasIndex, false, samples, largest, peakTime, count, period)) return CSize(0, 0);
  dc->SelectObject(&SSeriesCellFonts::Shared().normal);
  const int lineHeight = dc->GetTextExtent(CString(u"5")).cy;
  const int columnWidth = dc->GetTextExtent(CString(u"00: 00000")).cx + 6;
  CString line;
  for (int i = 0; i < count; ++i) {
    line.Format(u"%02d:%.0lf", i + 1, samples[i]);
    dc->TextOut(x + i / kSampleLines * columnWidth, y + m_nMargin + i % kSampleLines * lineHeight, line);
  }
  const int columns = (count + kSampleLines - 1) / kSampleLines;
  const int lines = std::min(count, kSampleLines);
  return CSize(columns * columnWidth, y + m_nMargin + lines * lineHeight);
}
