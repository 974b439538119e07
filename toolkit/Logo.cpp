#include "toolkit/Logo.h"

#include <algorithm>

#include "platform/gdi/SystemInfo.h"
#include "platform/res/StringTable.h"
#include "platform/ui/Cursor.h"

namespace {

// Shared by every logo and kept for the program's life.
HCURSOR g_handCursor = nullptr;

// Every unit that uses the logo registers the message into a variable of its own.
const UINT g_logoClickMessage = RegisterWindowMessage(u"OnLogoClick");

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CLogo, CBitmapButton)
  .OnCreate(&CLogo::OnCreate)
  .OnLButtonDown(&CLogo::OnLButtonDown)
  .OnMouseMove(&CLogo::OnMouseMove)
  .OnMouseLeave(&CLogo::OnMouseLeave)
  .OnSetCursor(&CLogo::OnSetCursor)
END_MESSAGE_MAP()
// clang-format on

CLogo::CLogo() {
  if (!g_handCursor) g_handCursor = LoadCursor(nullptr, IDC_HAND);
}

CDockBar* CLogo::GetDockBar() const { return dynamic_cast<CDockBar*>(GetParent()); }

void CLogo::Reposition() {
  CDockBar* dockBar = GetDockBar();
  if (!IsWindow() || !dockBar) return;

  CRect dockClient;
  dockBar->GetClientRect(dockClient);
  CRect button;
  GetWindowRect(button);
  const int x = dockClient.right - button.Width() - GetSystemMetrics(SM_CXEDGE);
  const int y = dockClient.top;
  CRect placed = button;
  dockBar->ScreenToClient(placed);
  if (placed.left != x || placed.top != y) {
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(button);
  }

  const CWnd* lastBar = nullptr;
  for (CControlBar* bar : dockBar->m_arrBars) {
    if (bar && bar->IsWindow()) lastBar = bar;
  }
  CRect barRect;
  if (lastBar) lastBar->GetWindowRect(barRect);
  const bool room = !lastBar || barRect.right < button.left;
  const bool shown = (GetStyle() & WS_VISIBLE) != 0;
  if (room && !shown) ShowWindow(SW_SHOW);
  if (!room && shown) ShowWindow(SW_HIDE);
}

INT_PTR CLogo::OnToolHitTest(CPoint, TOOLINFO* info) const {
  CString text;
  if (!LoadResString(UINT(GetDlgCtrlID()), text) || text.IsEmpty()) return -1;
  const int lineBreak = text.Find(u'\n');
  if (lineBreak >= 0) text = text.Mid(lineBreak + 1);
  if (info) {
    info->hwnd = m_hWnd;
    info->uId = UINT_PTR(GetDlgCtrlID());
    GetClientRect(&info->rect);
    // The receiver owns the copy and releases it.
    info->lpszText = new char16_t[size_t(text.GetLength()) + 1];
    std::copy_n(text.GetString(), text.GetLength() + 1, info->lpszText);
  }
  return GetDlgCtrlID();
}

int CLogo::OnCreate(LPCREATESTRUCT create) {
  const int result = CBitmapButton::OnCreate(create);
  if (result == -1) return -1;
  EnableToolTips(TRUE);
  return result;
}

void CLogo::OnLButtonDown(UINT flags, CPoint point) {
  CBitmapButton::OnLButtonDown(flags, point);
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(g_logoClickMessage, 0, 0);
}

void CLogo::OnMouseMove(UINT flags, CPoint point) {
  CBitmapButton::OnMouseMove(flags, point);
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = m_hWnd;
  track.dwHoverTime = HOVER_DEFAULT;
  TrackMouseEvent(&track);
}

void CLogo::OnMouseLeave() {
  // Puts the status bar's idle text ("Ready") back in place of the logo's prompt.
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
  CBitmapButton::OnMouseLeave();
}

BOOL CLogo::OnSetCursor(CWnd*, UINT, UINT) {
  SetCursor(g_handCursor);
  return TRUE;
}
