#include "platform/ui/FrameWnd.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/gdi/SystemInfo.h"
#include "platform/res/StringTable.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/DropFiles.h"
#include "platform/ui/MenuBarWnd.h"
#include "platform/ui/ResourceIcons.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/WndWidget.h"

namespace {

// The idle update of the tool bar runs on this timer.
constexpr UINT_PTR kIdleUpdateTimer = 0xE000;
constexpr UINT kIdleUpdateMs = 200;
constexpr int kDefaultWidth = 800;
// Docking lays the frame out once, later: a frame docks several bars in a row.
const UINT g_delayedLayoutMessage = RegisterWindowMessage(u"ZdFrameDelayedLayout");
constexpr int kDefaultHeight = 600;

// For the start-up benchmark: with ZD_FIRST_PAINT_PROBE set, the first paint of the frame
// prints "first-paint" on standard output.
class FirstPaintProbe : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      // Reported once the whole first paint, the child windows' included, is done.
      QMetaObject::invokeMethod(
          this,
          [this] {
            std::printf("first-paint\n");
            std::fflush(stdout);
            deleteLater();
          },
          Qt::QueuedConnection);
      watched->removeEventFilter(this);
    }
    return false;
  }
};

// The top dock bar shows the face colour of the bars around its docked bars.
class CFrameDockBar : public CDockBar {
 public:
  CFrameDockBar() { m_backgroundColor = COLOR_BTNFACE; }
};

void InstallFirstPaintProbe(CWnd& wnd) {
  if (!std::getenv("ZD_FIRST_PAINT_PROBE") || !wnd.GetWidget()) return;
  QWidget* widget = wnd.GetWidget()->Widget();
  widget->installEventFilter(new FirstPaintProbe(widget));
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  .OnCreate(&CFrameWnd::OnCreate)
  .OnSize(&CFrameWnd::OnSize)
  .OnTimer(&CFrameWnd::OnTimer)
  .OnDestroy(&CFrameWnd::OnDestroy)
  .OnMessage(WM_INITMENUPOPUP, &CFrameWnd::OnInitMenuPopup)
  .OnMessage(WM_SYSCOMMAND, &CFrameWnd::OnSysCommandMessage)
  .OnMessage(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
  .OnMessage(WM_POPMESSAGESTRING, &CFrameWnd::OnPopMessageString)
  .OnRegisteredMessage(g_delayedLayoutMessage, &CFrameWnd::OnDelayedLayout)
  .OnCommand(ID_APP_EXIT, &CFrameWnd::OnAppExit)
END_MESSAGE_MAP()
// clang-format on

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
  if (IsWindow()) DestroyWindow();
  if (m_hMenuDefault) ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent) {
  m_nIDHelp = resourceId;
  CString title = ResString(resourceId);
  const int lineBreak = title.Find(u'\n');
  if (lineBreak >= 0) title = title.Left(lineBreak);

  CMenu menu;
  if (menu.LoadMenu(resourceId)) m_hMenuDefault = menu.Detach();
  m_classIcon = LoadAppIcon(resourceId);

  CREATESTRUCT create;
  create.style = LONG(style & ~FWS_ADDTOTITLE);
  create.x = create.y = CW_USEDEFAULT;
  create.cx = create.cy = CW_USEDEFAULT;
  create.lpszName = title.GetString();
  create.hwndParent = parent;
  if (!PreCreateWindow(create)) return FALSE;
  CRect rect(0, 0, kDefaultWidth, kDefaultHeight);
  if (create.x != CW_USEDEFAULT && create.y != CW_USEDEFAULT) rect.OffsetRect(create.x, create.y);
  if (create.cx != CW_USEDEFAULT && create.cy != CW_USEDEFAULT) {
    rect.right = rect.left + create.cx;
    rect.bottom = rect.top + create.cy;
  }
  if (!CreateEx(create.dwExStyle, nullptr, title, DWORD(create.style) & ~WS_CHILD, rect, parent, 0))
    return FALSE;
  InstallFirstPaintProbe(*this);
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT) {
  m_menuBar = std::make_unique<CMenuBarWnd>();
  if (!m_menuBar->Create(this)) return -1;
  m_menuBar->SetMenu(m_hMenuDefault);
  SetTimer(kIdleUpdateTimer, kIdleUpdateMs);
  return 0;
}

void CFrameWnd::OnDestroy() {
  KillTimer(kIdleUpdateTimer);
  CWnd::OnDestroy();
}

BOOL CFrameWnd::SetMenu(CMenu* menu) {
  HMENU handle = menu ? menu->m_hMenu : nullptr;
  if (menu) menu->Detach();
  if (m_hMenuDefault == handle) return TRUE;
  m_hMenuDefault = handle;
  if (m_menuBar) m_menuBar->SetMenu(handle);
  RecalcLayout();
  return TRUE;
}

CMenu* CFrameWnd::GetMenu() const { return m_hMenuDefault ? CMenu::FromHandle(m_hMenuDefault) : nullptr; }

void CFrameWnd::DrawMenuBar() {
  if (m_menuBar) m_menuBar->Refresh();
}

void CFrameWnd::EnableDocking(DWORD) {
  if (m_dockTop) return;
  m_dockTop = std::make_unique<CFrameDockBar>();
  m_dockTop->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), this,
                    AFX_IDW_DOCKBAR_TOP);
  DelayRecalcLayout();
}

void CFrameWnd::DockControlBar(CControlBar* bar) {
  if (!bar || !m_dockTop) return;
  bar->SetParent(m_dockTop.get());
  bar->SetOwner(this);
  auto& bars = m_dockTop->m_arrBars;
  if (std::find(bars.begin(), bars.end(), bar) == bars.end()) bars.push_back(bar);
  DelayRecalcLayout();
}

void CFrameWnd::DelayRecalcLayout() {
  if (m_bLayoutPending) return;
  m_bLayoutPending = PostMessage(g_delayedLayoutMessage);
}

LRESULT CFrameWnd::OnDelayedLayout(WPARAM, LPARAM) {
  if (m_bLayoutPending) RecalcLayout();
  return 0;
}

CWnd* CFrameWnd::GetActiveView() const { return GetDlgItem(AFX_IDW_PANE_FIRST); }

CStatusBar* CFrameWnd::GetStatusBar() const {
  return dynamic_cast<CStatusBar*>(GetDlgItem(AFX_IDW_STATUS_BAR));
}

void CFrameWnd::DragAcceptFiles(BOOL accept) { ::DragAcceptFiles(this, accept); }

void CFrameWnd::RecalcLayout() {
  m_bLayoutPending = false;
  if (!IsWindow()) return;
  CRect client;
  GetClientRect(client);
  int top = client.top;
  if (m_menuBar && m_menuBar->IsWindow()) {
    const bool shown = IsMenu(m_hMenuDefault);
    m_menuBar->ShowWindow(shown ? SW_SHOWNA : SW_HIDE);
    if (shown) {
      m_menuBar->MoveWindow(client.left, top, client.Width(), m_menuBar->GetHeight());
      top += m_menuBar->GetHeight();
    }
  }
  if (m_dockTop && m_dockTop->IsWindow()) {
    int height = 0;
    int x = 0;
    for (CControlBar* bar : m_dockTop->m_arrBars) {
      if (!bar || !bar->IsWindow()) continue;
      CSize size(0, 0);
      if (auto* toolBar = dynamic_cast<CToolBar*>(bar)) size = toolBar->CalcFixedLayout();
      bar->MoveWindow(x, 0, size.cx, size.cy);
      bar->ShowWindow(SW_SHOWNA);
      x += size.cx;
      height = std::max(height, int(size.cy));
    }
    m_dockTop->MoveWindow(client.left, top, client.Width(), height);
    top += height;
  }
  int bottom = client.bottom;
  if (CStatusBar* status = GetStatusBar(); status && (status->GetStyle() & WS_VISIBLE)) {
    bottom -= status->GetHeight();
    status->MoveWindow(client.left, bottom, client.Width(), status->GetHeight());
  }
  if (CWnd* view = GetActiveView())
    view->MoveWindow(client.left, top, client.Width(), std::max(0, bottom - top));
}

void CFrameWnd::OnSize(UINT, int, int) { RecalcLayout(); }

void CFrameWnd::OnTimer(UINT_PTR id) {
  if (id == kIdleUpdateTimer) UpdateControlBars();
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  CWnd* view = GetActiveView();
  BOOL handled = view && view->OnCommand(wParam, lParam);
  if (!handled) handled = CWnd::OnCommand(wParam, lParam);
  if (handled && IsWindow()) UpdateControlBars();
  return handled;
}

bool CFrameWnd::UpdateEntry(CCmdUI& entry) {
  if (entry.DoUpdate(GetActiveView())) return true;
  return entry.DoUpdate(this);
}

void CFrameWnd::UpdateMenuEntries(CMenu* popup) {
  if (!popup) return;
  for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
    if (CMenu* sub = popup->GetSubMenu(i)) {
      UpdateMenuEntries(sub);
      continue;
    }
    CCmdUI entry;
    entry.m_nID = popup->GetMenuItemID(i);
    if (entry.m_nID == 0) continue;
    entry.m_nIndex = UINT(i);
    entry.m_pMenu = popup;
    if (!UpdateEntry(entry) && m_bAutoMenuEnable) entry.Enable(FALSE);
  }
}

LRESULT CFrameWnd::OnSysCommandMessage(WPARAM wParam, LPARAM lParam) {
  if ((wParam & 0xFFF0) != SC_KEYMENU) return Default();
  if (m_menuBar && m_menuBar->IsWindow() && IsWindowEnabled()) m_menuBar->OnMenuKey(char16_t(lParam));
  return 0;
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM) {
  UpdateMenuEntries(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
  return 0;
}

void CFrameWnd::UpdateControlBars() {
  if (m_dockTop) {
    for (CControlBar* bar : m_dockTop->m_arrBars) {
      auto* toolBar = dynamic_cast<CToolBar*>(bar);
      if (!toolBar || !toolBar->IsWindow()) continue;
      for (int i = 0; i < toolBar->GetCount(); ++i) {
        if (toolBar->GetButtonStyle(i) & TBBS_SEPARATOR) continue;
        CCmdUI entry;
        entry.m_nID = toolBar->GetItemID(i);
        entry.m_nIndex = UINT(i);
        entry.m_pToolBar = toolBar;
        if (!UpdateEntry(entry)) entry.Enable(FALSE);
      }
    }
  }
  if (CStatusBar* status = GetStatusBar()) status->UpdateIndicators();
}

void CFrameWnd::GetMessageString(UINT id, CString& message) const {
  message = ResString(id);
  const int lineBreak = message.Find(u'\n');
  if (lineBreak >= 0) message = message.Left(lineBreak);
}

void CFrameWnd::SetMessageText(LPCTSTR text) {
  if (CStatusBar* status = GetStatusBar()) status->SetPaneText(0, text);
}

void CFrameWnd::SetMessageText(UINT id) {
  CString message;
  GetMessageString(id, message);
  SetMessageText(message.GetString());
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  if (lParam) {
    SetMessageText(reinterpret_cast<LPCTSTR>(lParam));
  } else {
    SetMessageText(UINT(wParam));
  }
  return 0;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnAppExit() { SendMessage(WM_CLOSE); }
