#pragma once
// CFrameWnd: the program's top-level frame window. It shows a menu bar, the control bars
// docked along its edges (a tool bar in the top dock bar, a status bar at the bottom) and its
// view (the child with id AFX_IDW_PANE_FIRST) in the rest of its client area. Commands go to
// the view first, then to the frame; before a menu opens, and while the program idles for the
// tool bar, the entries are updated through the update handlers of view and frame (CmdUI.h),
// and a command nobody handles is shown disabled. Alt, F10 and Alt with a mnemonic reach the
// menu bar from the keyboard (SC_KEYMENU).

#include <memory>

#include "platform/ui/DockBar.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Wnd.h"

class CMenuBarWnd;
class CStatusBar;
class CToolBar;

constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B;
constexpr UINT ID_APP_EXIT = 57665;
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr int CW_USEDEFAULT = int(0x80000000);

class CFrameWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  CFrameWnd();
  ~CFrameWnd() override;

  // Loads the menu, the icon and the title (the string with the resource id) and creates the
  // window, which shows the icon until another is set.
  virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* parent = nullptr);
  // Adjusts the creation record (position, size, styles) before the window is made.
  virtual BOOL PreCreateWindow(CREATESTRUCT& create);

  // The menu bar's menu. SetMenu does not destroy the menu it replaces.
  BOOL SetMenu(CMenu* menu);
  CMenu* GetMenu() const;
  void DrawMenuBar();
  CMenuBarWnd* GetMenuBar() const { return m_menuBar.get(); }

  // Docking: EnableDocking makes the top dock bar; DockControlBar moves a bar into it.
  void EnableDocking(DWORD alignment);
  void DockControlBar(CControlBar* bar);
  CDockBar* GetDockBar() const { return m_dockTop.get(); }
  // Places menu bar, dock bar, status bar and view; DelayRecalcLayout does it once the
  // messages queued now have been handled, unless RecalcLayout runs before.
  virtual void RecalcLayout();
  void DelayRecalcLayout();

  CWnd* GetActiveView() const;
  CStatusBar* GetStatusBar() const;
  // Accepts files dropped on the window (WM_DROPFILES).
  void DragAcceptFiles(BOOL accept = TRUE);

  // Updates the entries of the popup, and of the popups it opens.
  void UpdateMenuEntries(CMenu* popup);
  // Updates the buttons of the docked tool bars and the status-bar indicators.
  void UpdateControlBars();
  // The status-bar prompt of a command: its string up to the first line break.
  virtual void GetMessageString(UINT id, CString& message) const;
  void SetMessageText(LPCTSTR text);
  void SetMessageText(UINT id);

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  bool m_bAutoMenuEnable = true;

 protected:
  int OnCreate(LPCREATESTRUCT create);
  void OnSize(UINT type, int cx, int cy);
  void OnTimer(UINT_PTR id);
  void OnDestroy();
  LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
  // SC_KEYMENU hands the keyboard to the menu bar; other commands go to the default.
  LRESULT OnSysCommandMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  LRESULT OnDelayedLayout(WPARAM wParam, LPARAM lParam);
  void OnAppExit();

  // Whether some command target handles the command or its update.
  bool UpdateEntry(class CCmdUI& entry);

  HMENU m_hMenuDefault = nullptr;
  UINT m_nIDHelp = 0;

 private:
  std::unique_ptr<CMenuBarWnd> m_menuBar;
  std::unique_ptr<CDockBar> m_dockTop;
  bool m_bLayoutPending = false;
};
