#include "platform/ui/ToolBar.h"

#include <algorithm>

#include "platform/gdi/Dc.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/res/StringTable.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/ToolBarResource.h"

namespace {

// A button is its picture with a margin that leaves room for the raised and sunken frames.
constexpr int kButtonMarginX = 7;
constexpr int kButtonMarginY = 6;
constexpr int kSeparatorWidth = 8;
constexpr int kBarBorder = 2;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
  .OnPaint(&CToolBar::OnPaint)
  .OnLButtonDown(&CToolBar::OnLButtonDown)
  .OnLButtonUp(&CToolBar::OnLButtonUp)
  .OnLButtonDblClk(&CToolBar::OnLButtonDblClk)
  .OnMouseMove(&CToolBar::OnMouseMove)
  .OnMouseLeave(&CToolBar::OnMouseLeave)
END_MESSAGE_MAP()
// clang-format on

BOOL CToolBar::CreateEx(CWnd* parent, DWORD /*ctrlStyle*/, DWORD style, UINT id) {
  m_barStyle = style & 0xFFFF;
  const CRect rect(0, 0, 0, 0);
  if (!CWnd::Create(nullptr, nullptr, (style & 0xFFFF0000) | WS_CHILD, rect, parent, id)) return FALSE;
  m_backgroundColor = COLOR_BTNFACE;
  if (style & CBRS_TOOLTIPS) EnableToolTips(TRUE);
  return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
  CToolBarResource resource;
  if (!resource.Load(resourceId)) return FALSE;
  m_image = CSize(resource.GetButtonWidth(), resource.GetButtonHeight());
  m_buttons.clear();
  for (std::size_t i = 0; i < resource.GetButtons().size(); ++i) {
    SButton button;
    button.id = resource.GetButtons()[i];
    button.style = button.id == 0 ? TBBS_SEPARATOR : TBBS_BUTTON;
    button.image = resource.GetButtonImage(int(i));
    m_buttons.push_back(button);
  }
  const CSize size = CalcFixedLayout();
  if (IsWindow()) SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Invalidate();
  return TRUE;
}

void CToolBar::SetImageList(CImageList* normal) {
  m_images = normal;
  Invalidate();
}

void CToolBar::SetDisabledImageList(CImageList* disabled) {
  m_disabledImages = disabled;
  Invalidate();
}

UINT CToolBar::GetItemID(int index) const {
  return index >= 0 && index < GetCount() ? m_buttons[index].id : 0;
}

UINT CToolBar::GetButtonStyle(int index) const {
  return index >= 0 && index < GetCount() ? m_buttons[index].style : 0;
}

int CToolBar::GetButtonImage(int index) const {
  return index >= 0 && index < GetCount() ? m_buttons[index].image : -1;
}

void CToolBar::SetButtonImage(int index, int image) {
  if (index < 0 || index >= GetCount()) return;
  m_buttons[index].image = image;
  Invalidate();
}

int CToolBar::CommandToIndex(UINT id) const {
  for (int i = 0; i < GetCount(); ++i)
    if (m_buttons[i].id == id && !(m_buttons[i].style & TBBS_SEPARATOR)) return i;
  return -1;
}

void CToolBar::GetItemRect(int index, LPRECT rect) const {
  int x = kBarBorder;
  const int height = m_image.cy + kButtonMarginY;
  for (int i = 0; i < GetCount(); ++i) {
    const int width = (m_buttons[i].style & TBBS_SEPARATOR) ? kSeparatorWidth : m_image.cx + kButtonMarginX;
    if (i == index) {
      *rect = CRect(x, kBarBorder, x + width, kBarBorder + height);
      return;
    }
    x += width;
  }
  *rect = CRect(0, 0, 0, 0);
}

CSize CToolBar::CalcFixedLayout() const {
  CRect last(0, 0, 0, 0);
  if (GetCount() > 0) GetItemRect(GetCount() - 1, last);
  return CSize(last.right + kBarBorder, m_image.cy + kButtonMarginY + 2 * kBarBorder);
}

void CToolBar::SetButtonEnabled(int index, bool enabled) {
  if (index < 0 || index >= GetCount()) return;
  const UINT style =
      enabled ? (m_buttons[index].style & ~TBBS_DISABLED) : (m_buttons[index].style | TBBS_DISABLED);
  if (style == m_buttons[index].style) return;
  m_buttons[index].style = style;
  CRect rect;
  GetItemRect(index, rect);
  InvalidateRect(rect);
}

void CToolBar::SetButtonChecked(int index, bool checked) {
  if (index < 0 || index >= GetCount()) return;
  const UINT style =
      checked ? (m_buttons[index].style | TBBS_CHECKED) : (m_buttons[index].style & ~TBBS_CHECKED);
  if (style == m_buttons[index].style) return;
  m_buttons[index].style = style;
  Invalidate();
}

bool CToolBar::IsButtonEnabled(int index) const {
  return index >= 0 && index < GetCount() && !(m_buttons[index].style & (TBBS_DISABLED | TBBS_SEPARATOR));
}

int CToolBar::HitTest(CPoint point) const {
  for (int i = 0; i < GetCount(); ++i) {
    CRect rect;
    GetItemRect(i, rect);
    if (rect.PtInRect(point)) return i;
  }
  return -1;
}

void CToolBar::OnLButtonDown(UINT, CPoint point) {
  const int index = HitTest(point);
  if (!IsButtonEnabled(index)) return;
  m_pressed = index;
  SetCapture();
  CRect rect;
  GetItemRect(index, rect);
  InvalidateRect(rect);
}

void CToolBar::OnLButtonUp(UINT, CPoint point) {
  if (m_pressed < 0) return;
  const int pressed = m_pressed;
  m_pressed = -1;
  ReleaseCapture();
  Invalidate();
  if (HitTest(point) != pressed || !IsButtonEnabled(pressed)) return;
  if (CWnd* owner = GetOwner()) owner->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(m_buttons[pressed].id), 0), 0);
}

void CToolBar::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

void CToolBar::OnMouseMove(UINT, CPoint point) {
  const int hot = HitTest(point);
  if (hot == m_hot) return;
  m_hot = hot;
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = this;
  TrackMouseEvent(&track);
  ShowPrompt(hot);
  Invalidate();
}

void CToolBar::OnMouseLeave() {
  m_hot = -1;
  ShowPrompt(-1);
  Invalidate();
}

void CToolBar::ShowPrompt(int index) {
  if (!(m_barStyle & CBRS_FLYBY)) return;
  CWnd* owner = GetOwner();
  if (!owner) return;
  const UINT id = index >= 0 && !(m_buttons[index].style & TBBS_SEPARATOR) ? m_buttons[index].id : 0;
  if (id == 0) {
    owner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    return;
  }
  owner->SendMessage(WM_SETMESSAGESTRING, id, 0);
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* info) const {
  const int index = HitTest(point);
  if (index < 0 || (m_buttons[index].style & TBBS_SEPARATOR)) return -1;
  CString text = ResString(m_buttons[index].id);
  const int lineBreak = text.Find(u'\n');
  if (lineBreak >= 0) text = text.Mid(lineBreak + 1);
  if (text.IsEmpty()) return -1;
  if (info) {
    info->hwnd = const_cast<CToolBar*>(this);
    info->uId = m_buttons[index].id;
    GetItemRect(index, &info->rect);
    info->lpszText = new char16_t[text.GetLength() + 1];
    std::copy(text.GetString(), text.GetString() + text.GetLength() + 1, info->lpszText);
  }
  return INT_PTR(m_buttons[index].id);
}

void CToolBar::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(client);
  dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
  for (int i = 0; i < GetCount(); ++i) {
    CRect rect;
    GetItemRect(i, rect);
    const SButton& button = m_buttons[i];
    if (button.style & TBBS_SEPARATOR) {
      const int x = rect.left + rect.Width() / 2 - 1;
      dc.FillSolidRect(x, rect.top + 2, 1, rect.Height() - 4, GetSysColor(COLOR_BTNSHADOW));
      dc.FillSolidRect(x + 1, rect.top + 2, 1, rect.Height() - 4, GetSysColor(COLOR_BTNHIGHLIGHT));
      continue;
    }
    const bool enabled = !(button.style & TBBS_DISABLED);
    const bool sunken = (i == m_pressed) || (button.style & TBBS_CHECKED);
    if (enabled && sunken)
      dc.Draw3dRect(rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (enabled && i == m_hot)
      dc.Draw3dRect(rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    CImageList* list = enabled || !m_disabledImages ? m_images : m_disabledImages;
    if (!list || button.image < 0) continue;
    const int offset = sunken && enabled ? 1 : 0;
    list->Draw(&dc, button.image,
               CPoint(rect.left + kButtonMarginX / 2 + offset, rect.top + kButtonMarginY / 2 + offset),
               ILD_TRANSPARENT);
  }
}
