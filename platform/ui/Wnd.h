#pragma once
// CWnd: a window of the program. Each created window is backed by a widget of the toolkit;
// input, paint, size, focus and timer events of that widget arrive as window messages and are
// dispatched through the class's message map (MessageMap.h). Plain windows keep their own
// backing image: WM_PAINT draws into it, and the screen shows a copy of it, so that code may
// also draw outside the paint cycle through a window DC.
//
// Threads: windows live on the user-interface thread. SendMessage from another thread runs
// the handler there and waits for its reply; PostMessage may be called from any thread.

#include <memory>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/Geometry.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WinUser.h"

class CDC;
class CFont;
class CScrollBar;
class CToolTipCtrl;
class WndWidget;

// The record handed to WM_CREATE (as lParam) describing the window being created.
struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HWND hwndParent = nullptr;
  UINT_PTR hMenu = 0;  // the control id of a child window
  int cy = 0, cx = 0, y = 0, x = 0;
  LONG style = 0;
  LPCTSTR lpszName = nullptr;
  LPCTSTR lpszClass = nullptr;
  DWORD dwExStyle = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  // The window object of a handle; null for a handle of a destroyed window.
  static CWnd* FromHandle(HWND hWnd);
  // True while the handle names a live window.
  static bool IsWindowHandle(HWND hWnd);
  // Tells this window object apart from any later one at the same address, for as long as the
  // token is kept.
  std::weak_ptr<bool> GetIdentityToken() const { return m_alive; }
  BOOL IsWindow() const;

  // Creation and destruction. A child (WS_CHILD) is placed in its parent's client area; a
  // window without WS_CHILD is a top-level window (owned by `parent` when one is given).
  virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                      UINT id, void* createParam = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id, void* createParam = nullptr);
  // Makes this object the window of the parent's control with the id: the control is made
  // again by this object's class, with the same place, styles, text and font.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  virtual BOOL DestroyWindow();

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // The default processing of the message being handled.
  LRESULT Default();
  virtual BOOL PreTranslateMessage(MSG* msg);

  // Geometry. Client coordinates start at the client area's top left.
  void GetClientRect(LPRECT rect) const;
  void GetWindowRect(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);

  // State.
  // SW_ commands. Those that activate (SW_SHOW, SW_SHOWNORMAL, SW_RESTORE, SW_SHOWMAXIMIZED)
  // make a top-level window the active one; SW_SHOWNOACTIVATE, SW_SHOWNA, SW_SHOWMINNOACTIVE
  // and SW_MINIMIZE leave the active window and its focus alone. Returns whether the window
  // was visible before.
  BOOL ShowWindow(int command);
  BOOL IsWindowVisible() const;
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  void SetWindowText(LPCTSTR text);
  void GetWindowText(CString& text) const;
  CString GetWindowTextString() const;
  int GetWindowTextLength() const;
  DWORD GetStyle() const { return m_style; }
  DWORD GetExStyle() const { return m_exStyle; }
  // Changes the extended style bits; the answer tells whether they changed.
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  // The window's big icon (title bar, task switcher) or small one, through WM_SETICON and
  // WM_GETICON; SetIcon answers the icon it replaces. The window does not own its icons. A
  // top-level window shows them as its window icon to the window system.
  HICON SetIcon(HICON icon, BOOL bigIcon);
  HICON GetIcon(BOOL bigIcon) const;
  int GetDlgCtrlID() const { return int(m_id); }
  int SetDlgCtrlID(int id);
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CFont* GetFont() const { return m_font; }

  // Family.
  CWnd* GetParent() const { return m_parent; }
  CWnd* GetOwner() const;
  void SetOwner(CWnd* owner) { m_owner = owner; }
  CWnd* GetDlgItem(int id) const;
  CWnd* GetTopLevelParent() const;
  // GW_CHILD, GW_HWNDFIRST/LAST/NEXT/PREV among the siblings in creation order, GW_OWNER.
  CWnd* GetWindow(UINT command) const;
  CWnd* SetParent(CWnd* parent);
  BOOL IsChild(const CWnd* wnd) const;
  // The children in creation order.
  std::vector<CWnd*> GetChildren() const;
  void SetDlgItemText(int id, LPCTSTR text);
  int GetDlgItemText(int id, CString& text) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  // Checks the radio button `checkId` and clears the other children whose ids lie from
  // `firstId` to `lastId`, as the platform does: by id range, whatever their groups.
  void CheckRadioButton(int firstId, int lastId, int checkId);
  // The first id from `firstId` to `lastId` whose button is checked, 0 when none is.
  int GetCheckedRadioButton(int firstId, int lastId) const;
  // The child's group among the children (WS_GROUP starts one), beginning with its first
  // member; empty when `control` is no child.
  std::vector<CWnd*> GetDlgGroup(const CWnd* control) const;
  // The next (or previous) member of the child's group that is visible, enabled and takes the
  // focus, going round; the child itself when there is no other, null when it is no child.
  CWnd* NextInDlgGroup(CWnd* control, BOOL previous = FALSE) const;

  // Focus and mouse capture.
  CWnd* SetFocus();
  static CWnd* GetFocus();
  // The top-level window that is active, or null.
  static CWnd* GetActiveWindow();
  CWnd* SetCapture();
  static CWnd* GetCapture();

  // Painting.
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT rect = nullptr, void* region = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE) const;
  // A device context that draws into the window's backing image (released by the caller
  // through ReleaseDC or by letting CClientDC go).
  CDC* GetDC();
  int ReleaseDC(CDC* dc);

  // Timers. The elapse time runs on the layer's clock, so a time scale shortens it.
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* unused = nullptr);
  BOOL KillTimer(UINT_PTR id);

  // Scroll bars of the window itself (WS_HSCROLL / WS_VSCROLL) or of a scroll-bar control.
  BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
  BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const;
  int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
  int GetScrollPos(int bar) const;
  int GetScrollLimit(int bar) const;
  void ShowScrollBar(UINT bar, BOOL show = TRUE);

  // Tool tips: once enabled, hovering asks OnToolHitTest for the tip to show, which the
  // window's own tip control shows.
  BOOL EnableToolTips(BOOL enable = TRUE);
  // The tip control of the hovering tips, null until a tip was first shown.
  CToolTipCtrl* GetHoverTips() const { return m_hoverTips.get(); }
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const;

  // Internal dispatch; overridable as the framework allowed.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Offered the notifications and control-colour messages the control caused in its parent.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual void PreSubclassWindow() {}
  virtual void PostNcDestroy() {}

  static const CMessageMap& ClassMessageMap();
  virtual const CMessageMap& GetMessageMap() const { return ClassMessageMap(); }

  // The widget behind the window; for the platform layer only.
  WndWidget* GetWidget() const { return m_widget; }

 protected:
  // The default handlers: each runs the default processing of its message. Derived handlers
  // call them for "default handling".
  int OnCreate(LPCREATESTRUCT create);
  void OnDestroy();
  void OnSize(UINT type, int cx, int cy);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  void OnKillFocus(CWnd* newWnd);
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message);
  void OnMouseLeave();
  void OnClose();

  // Builds the widget of the window; controls backed by a toolkit control override it.
  virtual std::unique_ptr<WndWidget> CreateWidget(CWnd* parent);

  // The system colour (COLOR_ index) that erases the background by default; -1 leaves it.
  int m_backgroundColor = 5;  // COLOR_WINDOW
  // The icon of the window's kind, shown while no icon was set (set before the window is made).
  HICON m_classIcon = nullptr;

 private:
  friend class WndWidget;
  friend class WndRegistry;
  struct DispatchFrame;

  LRESULT OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void DestroyChildren();
  // The toolkit destroyed the widget itself (its toolkit parent went first).
  void OnWidgetGone();
  // Shows the tip that OnToolHitTest gives for the point (client coordinates), or hides it.
  void ShowHoverTip(CPoint point);
  void PopHoverTip();
  // WM_SETICON's default processing: keeps the icon and shows it.
  HICON StoreIcon(WPARAM kind, HICON icon);
  // Gives a top-level window's widget the icons set, else the class icon.
  void ShowWindowIcon();
  // The window goes without a word: the capture no longer names it.
  static void ForgetCapture(CWnd* wnd);
  // Runs WindowProc with the message as the one being handled.
  LRESULT Dispatch(DispatchFrame& frame);
  LRESULT SendMessageHere(UINT message, WPARAM wParam, LPARAM lParam);

  WndWidget* m_widget = nullptr;  // owned; deleted on DestroyWindow
  CWnd* m_parent = nullptr;
  CWnd* m_owner = nullptr;
  UINT m_id = 0;
  DWORD m_style = 0;
  DWORD m_exStyle = 0;
  CFont* m_font = nullptr;
  HICON m_bigIcon = nullptr;
  HICON m_smallIcon = nullptr;
  CString m_text;
  bool m_toolTips = false;
  std::unique_ptr<CToolTipCtrl> m_hoverTips;
  DispatchFrame* m_frame = nullptr;  // the message being dispatched, for Default()
  // Cleared when the object goes, so that a dispatch can tell its window was deleted.
  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// Mouse-leave tracking: WM_MOUSELEAVE is sent once when the mouse leaves the window.
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track);
// Sends the message to every live window, in creation order (a broadcast).
void SendMessageToAllWindows(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// A message number unique to the process for each distinct name (from 0xC000 up).
UINT RegisterWindowMessage(LPCTSTR name);
// State of a key or mouse button: the high bit (negative result) while it is down.
SHORT GetKeyState(int virtualKey);
BOOL GetCursorPos(LPPOINT point);
// The window at the screen point: the deepest visible child of the topmost visible top-level
// window there (windows that stay on top first, then the later made ones); null for none.
CWnd* WindowFromPoint(POINT point);
// The longest time between the presses of a double click, in milliseconds.
UINT GetDoubleClickTime();
// Moves the mouse pointer to the screen position (the pointer the platform keeps when there is
// no display) and delivers the move to the window under it.
BOOL SetCursorPos(int x, int y);
// The screen position of the mouse at its last message (x in the low, y in the high word), as
// the window layer delivered it; input that tests simulate counts like real input.
DWORD GetMessagePos();
void SetMessagePos(POINT point);
BOOL ReleaseCapture();
// The window that receives messages for the whole program (the main frame).
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* wnd);
