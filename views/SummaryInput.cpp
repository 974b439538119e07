// Mouse and keys on the summary page: hover look and details, the comment, unit and sort-key
// links, taking a test out of the summary, and Ctrl+C.

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/CommentDlg.h"
#include "document/MeasurementId.h"
#include "document/ZedoDoc.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ToolTipCtrl.h"
#include "resources/ResourceIds.h"
#include "views/SummaryView.h"

namespace {

constexpr int kAutoPopMs = 30000;
constexpr int kInitialDelayMs = 500;
constexpr int kMaxTipWidth = 1200;

bool IsEntryHit(int id) { return id == CSummaryView::HIT_BAR || id == CSummaryView::HIT_LIST_VALUE; }

}  // namespace

BOOL CSummaryView::PreTranslateMessage(MSG* msg) {
  if (m_pToolTip) m_pToolTip->RelayEvent(msg);
  return CScrollView::PreTranslateMessage(msg);
}

bool CSummaryView::HitTestClient(CPoint point, int& id, int& data, RECT* rect) const {
  point += GetScrollPosition();
  return m_hitAreas.HitTest(point, &id, &data, nullptr, rect);
}

BOOL CSummaryView::OnSetCursor(CWnd*, UINT, UINT) {
  const DWORD position = GetMessagePos();
  CPoint point(GET_X_LPARAM(LPARAM(position)), GET_Y_LPARAM(LPARAM(position)));
  ScreenToClient(&point);
  SetCursor(m_hArrowCursor);
  const int oldId = m_nHoveredHitId;
  const int oldEntry = m_nHoveredEntry;
  m_nHoveredHitId = HIT_NONE;
  m_nHoveredEntry = -1;
  int id = 0;
  int data = 0;
  if (HitTestClient(point, id, data, nullptr)) {
    m_nHoveredHitId = id;
    if (IsEntryHit(id))
      m_nHoveredEntry = data;
    else
      SetCursor(m_hHandCursor);
  }
  if (m_nHoveredHitId != oldId || m_nHoveredEntry != oldEntry) Invalidate();
  return TRUE;
}

void CSummaryView::OnMouseMove(UINT flags, CPoint point) {
  // The hover state is forgotten when the mouse leaves the view.
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = this;
  TrackMouseEvent(&track);
  if (HasEntries() && m_pToolTip) {
    int id = 0;
    int data = 0;
    const bool hit = HitTestClient(point, id, data, nullptr);
    if (hit && IsEntryHit(id)) {
      if (data != m_nLastTooltipEntry) {
        CString title, text;
        GetTooltipTexts(data, title, text);
        m_pToolTip->SetTitle(TTI_INFO, title);
        if (m_pToolTip->GetToolCount() > 0) {
          m_pToolTip->Pop();
          m_pToolTip->DelTool(this, kToolId);
        }
        m_pToolTip->SetDelayTime(TTDT_AUTOPOP, kAutoPopMs);
        m_pToolTip->SetDelayTime(TTDT_INITIAL, kInitialDelayMs);
        CRect client;
        GetClientRect(client);
        m_pToolTip->AddTool(this, text, client, kToolId);
        m_pToolTip->SetMaxTipWidth(kMaxTipWidth);
        m_pToolTip->Activate(TRUE);
        m_nLastTooltipEntry = data;
      }
    } else if (m_pToolTip->GetToolCount() > 0) {
      HideTooltip();
      m_pToolTip->DelTool(this, kToolId);
    }
  }
  CScrollView::OnMouseMove(flags, point);
}

void CSummaryView::HideTooltip() {
  if (m_pToolTip) m_pToolTip->Pop();
  m_nLastTooltipEntry = -1;
}

void CSummaryView::GetTooltipTexts(int entry, CString& title, CString& text) {
  const CSummaryData& summary = m_pDoc->GetSummary();
  const SUM_MEAS_T* item = summary.GetEntry(entry);
  if (!item) return;
  const int m = item->listIndex;
  CString dateTime;
  m_pDoc->GetDateTimeText(m, dateTime);
  title.Format(u"%s: %s  %s", LoadStringOrPlaceholder(IDS_LABEL_ID), FormatMeasurementId(m_pDoc->GetId(m)),
               dateTime);
  text.Empty();
  auto addLine = [&](UINT label, const CString& value, const CString& unit) {
    text.AppendFormat(u"%s: %s %s\n", LoadStringOrPlaceholder(label), value, unit);
  };
  CString value, unit;
  addLine(IDS_LABEL_PEAK_LOAD, item->valueText, summary.GetUnitName());
  m_pDoc->GetPeakLoadTimeText(m, value, unit);
  addLine(IDS_LABEL_PEAK_LOAD_TIME, value, unit);
  m_pDoc->GetTearOffTimeText(m, value, unit);
  addLine(IDS_LABEL_TEAR_OFF_TIME, value, unit);
  m_pDoc->GetEffectiveLoadRateText(m, value, unit);
  addLine(IDS_LABEL_EFFECTIVE_LOAD_RATE, value, unit);
  summary.GetAreaText(entry, value, unit);
  addLine(IDS_LABEL_DISC_AREA, value, unit);
}

void CSummaryView::OnMouseLeave() {
  m_nLastTooltipEntry = -1;
  m_nHoveredEntry = -1;
  m_nHoveredHitId = HIT_NONE;
  CScrollView::OnMouseLeave();
}

void CSummaryView::OnLButtonDown(UINT flags, CPoint point) {
  int id = 0;
  int data = 0;
  CRect region;
  if (!HasEntries() || !HitTestClient(point, id, data, &region)) {
    CScrollView::OnLButtonDown(flags, point);
    return;
  }
  // The menus open below the clicked link, where it lies in the window.
  const CPoint scroll = GetScrollPosition();
  CPoint anchor(region.left - scroll.x, region.bottom - scroll.y);
  ClientToScreen(&anchor);
  CRect client;
  GetClientRect(client);
  ClientToScreen(client);
  CSummaryData& summary = m_pDoc->GetSummary();
  switch (id) {
    case HIT_COMMENT: {
      CCommentDlg dialog;
      dialog.SetComment(summary.GetCommentRef());
      if (dialog.DoModal() == IDOK) summary.SetComment(dialog.GetComment());
      Invalidate();
      break;
    }
    case HIT_UNIT: {
      BYTE unit = summary.GetUnit();
      if (m_pDoc->TrackUnitMenu(this, anchor.x, client.left, client.right, anchor.y, unit)) {
        summary.SetUnit(unit);
        Invalidate();
      }
      break;
    }
    case HIT_SORT_KEY: {
      BYTE key = summary.GetSortKey();
      if (m_pDoc->TrackSortKeyMenu(this, anchor.x, client.left, client.right, anchor.y, key)) {
        summary.SetSortKey(key);
        Invalidate();
      }
      break;
    }
    default:
      break;
  }
  m_nHoveredHitId = HIT_NONE;
}

void CSummaryView::OnRButtonDown(UINT flags, CPoint point) {
  int id = 0;
  int data = 0;
  if (HasEntries() && HitTestClient(point, id, data, nullptr) && id == HIT_BAR) {
    const SUM_MEAS_T* entry = m_pDoc->GetSummary().GetEntry(data);
    CPoint screen = point;
    ClientToScreen(&screen);
    bool chosen = false;
    if (entry && m_pDoc->TrackExcludeMenu(this, screen.x, screen.y, chosen) && chosen)
      m_pDoc->SetSelected(entry->listIndex, false);
    return;
  }
  CScrollView::OnRButtonDown(flags, point);
}

void CSummaryView::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
  if (ch == 'C' && GetKeyState(VK_CONTROL) < 0) {
    CopyAsText();
    return;
  }
  CScrollView::OnKeyDown(ch, repeat, flags);
}
