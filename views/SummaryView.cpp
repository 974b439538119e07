#include "views/SummaryView.h"

#include <algorithm>
#include <unordered_map>

#include "document/ZedoDoc.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ToolTipCtrl.h"
#include "toolkit/MemDCExt.h"
#include "views/SummaryFonts.h"

namespace {

constexpr int kLayoutInset = 60;
constexpr int kChartHeight = 440;
constexpr int kFirstColumnHeight = 190;
constexpr int kColumnGrowth = 20;
constexpr double kContentAllowance = 1.1;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CSummaryView, CScrollView)
  .OnSetCursor(&CSummaryView::OnSetCursor)
  .OnMouseMove(&CSummaryView::OnMouseMove)
  .OnMouseLeave(&CSummaryView::OnMouseLeave)
  .OnLButtonDown(&CSummaryView::OnLButtonDown)
  .OnRButtonDown(&CSummaryView::OnRButtonDown)
  .OnKeyDown(&CSummaryView::OnKeyDown)
  .OnEraseBkgnd(&CSummaryView::OnEraseBkgnd)
END_MESSAGE_MAP()
// clang-format on

CSummaryView::CSummaryView(CZedoDoc* doc)
    : m_pDoc(doc),
      m_linkColor(RGB(0, 111, 127)),
      m_hHandCursor(LoadCursor(nullptr, IDC_HAND)),
      m_hArrowCursor(GetCursor()) {
  m_barBrush.CreateSolidBrush(RGB(0, 160, 191));
  m_barPen.CreatePen(PS_SOLID, 1, RGB(0, 160, 191));
  m_hoverBrush.CreateSolidBrush(RGB(30, 190, 221));
  m_hoverPen.CreatePen(PS_SOLID, 1, RGB(30, 190, 221));
  m_highlightBrush.CreateSolidBrush(RGB(203, 241, 248));
  m_highlightPen.CreatePen(PS_SOLID, 1, RGB(183, 221, 228));
  if (!m_hArrowCursor) m_hArrowCursor = LoadCursor(nullptr, IDC_ARROW);
  SetScrollSizes(MM_TEXT, CSize(kInitialSize, kInitialSize));
}

CSummaryView::~CSummaryView() = default;

bool CSummaryView::HasEntries() const { return m_pDoc && m_pDoc->GetSummary().GetCount() > 0; }

BOOL CSummaryView::OnEraseBkgnd(CDC*) { return TRUE; }

void CSummaryView::OnDraw(CDC* dc) {
  DrawSummary(dc);
  SetScrollSizes(MM_TEXT, m_contentSize);
}

void CSummaryView::CreateToolTip() {
  m_pToolTip = std::make_unique<CToolTipCtrl>();
  m_pToolTip->Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON);
}

void CSummaryView::MeasureValueWidths(CDC* dc) {
  const CSummaryData& summary = m_pDoc->GetSummary();
  CFont* old = dc->SelectObject(&SSummaryFonts::Shared().normal);
  m_valueWidths.resize(std::size_t(summary.GetCount()));
  for (int i = 0; i < summary.GetCount(); ++i)
    m_valueWidths[std::size_t(i)] = dc->GetTextExtent(summary.GetEntry(i)->valueText).cx;
  dc->SelectObject(old);
}

void CSummaryView::DrawSummary(CDC* target) {
  if (!m_pToolTip && m_hWnd) CreateToolTip();
  CMemDCExt memDC(target);
  CDC* dc = &memDC;
  m_pHits->RemoveAll();
  if (!HasEntries()) return;
  const CSummaryData& summary = m_pDoc->GetSummary();

  CRect client;
  GetClientRect(client);
  if (client.Width() != m_nRememberedWidth) {
    m_nRememberedListHeight = 0;
    m_nRememberedWidth = client.Width();
  }
  if (client.Height() <= 0) return;
  const int layoutWidth = std::max(client.Width() - kLayoutInset, kInitialSize);
  const int saved = dc->SaveDC();
  dc->SetBkMode(TRANSPARENT);
  SSummaryFonts::Shared();
  if (summary.GetCount() != m_nRememberedCount) {
    m_nRememberedListHeight = 0;
    m_nRememberedCount = summary.GetCount();
  }

  const CSize title = DrawTitle(dc, 20, 20, false, nullptr);
  const int y1 = int(20 + 1.4 * title.cy);

  // The list takes as many columns as fit beside the statistics: from the statistics' height
  // its columns grow until both fit, or until one column holds every value.
  MeasureValueWidths(dc);
  const CSize statistics = DrawStatistics(dc, m_nMargin, y1, true, nullptr);
  int columnHeight = kFirstColumnHeight;
  CSize list = DrawPeakLoadList(dc, m_nMargin, y1, columnHeight, true);
  if (layoutWidth < list.cx + statistics.cx) {
    columnHeight =
        m_nRememberedListHeight != 0 && !dc->IsPrinting() ? m_nRememberedListHeight : statistics.cy;
    list = DrawPeakLoadList(dc, m_nMargin, y1, columnHeight, true);
    while (layoutWidth < list.cx + statistics.cx && m_nListColumns > 1) {
      columnHeight += kColumnGrowth;
      list = DrawPeakLoadList(dc, m_nMargin, y1, columnHeight, true);
    }
  }
  if (!dc->IsPrinting()) {
    m_nRememberedListHeight = columnHeight;
    m_nListColumnHeight = columnHeight;
  }

  const CSize chart = DrawPeakLoadChart(dc, m_nMargin, y1, layoutWidth, kChartHeight, false, nullptr);
  const int y2 = y1 + chart.cy;
  list = DrawPeakLoadList(dc, m_nMargin, y2, columnHeight, false);
  const CSize drawnStatistics = DrawStatistics(dc, list.cx + m_nMargin, y2, false, nullptr);
  const CSize comment =
      DrawComment(dc, list.cx + m_nMargin, y2 + drawnStatistics.cy, layoutWidth - list.cx, nullptr);

  const int width = std::max<int>({chart.cx, list.cx + drawnStatistics.cx, kInitialSize});
  const int height = std::max<int>(list.cy, y2 + drawnStatistics.cy) + kChartHeight;
  m_nDrawnHeight = std::max<int>(y2 + list.cy, y2 + drawnStatistics.cy + comment.cy);
  m_contentSize = CSize(int(width * kContentAllowance), int(height * kContentAllowance));
  dc->RestoreDC(saved);
}
