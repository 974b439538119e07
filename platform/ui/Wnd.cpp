#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <map>
#include <mutex>
#include <set>

#include "platform/base/FileException.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/QtString.h"
#include "platform/kernel/ThreadHandOver.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageTap.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/WndDispatch.h"
#include "platform/ui/WndWidget.h"

// Where the client area of a child window's parent starts in the parent's widget; a child's
// position is given in that client area. Top-level windows are placed on the screen.
static QPoint ParentClientOrigin(const QWidget* widget) {
  if (widget->isWindow()) return QPoint();
  auto* parent = dynamic_cast<const WndWidget*>(widget->parentWidget());
  return parent ? parent->ClientOrigin() : QPoint();
}

// The live windows, in creation order, so that posting from any thread can tell a live
// window from a destroyed one, and families can be walked in the order they were made.
class WndRegistry {
 public:
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::vector<CWnd*>& Windows() {
    static std::vector<CWnd*> windows;
    return windows;
  }
  static void Add(CWnd* wnd) {
    std::lock_guard lock(Mutex());
    Windows().push_back(wnd);
  }
  static void Remove(CWnd* wnd) {
    std::lock_guard lock(Mutex());
    auto& windows = Windows();
    windows.erase(std::remove(windows.begin(), windows.end(), wnd), windows.end());
  }
  static bool Contains(const CWnd* wnd) {
    std::lock_guard lock(Mutex());
    auto& windows = Windows();
    return std::find(windows.begin(), windows.end(), wnd) != windows.end();
  }
  static std::vector<CWnd*> Snapshot() {
    std::lock_guard lock(Mutex());
    return Windows();
  }
  // Posts under the lock, so that the window cannot go between the check and the post.
  static bool Post(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard lock(Mutex());
    auto& windows = Windows();
    if (std::find(windows.begin(), windows.end(), wnd) == windows.end() || !wnd->m_widget) return false;
    auto* event = new PostedMessageEvent(wnd, message, wParam, lParam);
    MarkHandedOver(event);
    QCoreApplication::postEvent(wnd->m_widget->Widget(), event);
    return true;
  }
};

namespace {

CWnd* g_mainWnd = nullptr;

QRect ToQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd) DestroyWindow();
  *m_alive = false;
}

CWnd* CWnd::FromHandle(HWND hWnd) { return IsWindowHandle(hWnd) ? hWnd : nullptr; }

bool CWnd::IsWindowHandle(HWND hWnd) { return hWnd && WndRegistry::Contains(hWnd); }

BOOL CWnd::IsWindow() const { return m_hWnd != nullptr; }

const CMessageMap& CWnd::ClassMessageMap() {
  static const CMessageMap map(nullptr);
  return map;
}

// ---------------------------------------------------------------- creation and destruction

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  void* createParam) {
  return CreateEx(0, className, windowName, style, rect, parent, id, createParam);
}

std::unique_ptr<WndWidget> CWnd::CreateWidget(CWnd* parent) {
  QWidget* parentWidget = parent && parent->m_widget ? parent->m_widget->Widget() : nullptr;
  auto widget = std::make_unique<WndWidgetOf<QWidget>>(*this, parentWidget);
  widget->setFocusPolicy(Qt::NoFocus);
  return widget;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, void* createParam) {
  if (!IsUiThread())
    return CallOnUiThread(
        [&] { return CreateEx(exStyle, className, windowName, style, rect, parent, id, createParam); });
  if (m_hWnd) return FALSE;
  const bool child = (style & WS_CHILD) != 0;
  if (child && (!parent || !parent->m_hWnd)) return FALSE;
  m_style = style & ~WS_VISIBLE;
  m_exStyle = exStyle;
  m_id = child ? id : 0;
  m_parent = child ? parent : nullptr;
  m_owner = child ? nullptr : parent;
  m_text = windowName ? CString(windowName) : CString();

  // An owned top-level window is no toolkit child of its owner: disabling the owner (as a modal
  // dialog does) must leave the owned window enabled. It stays above its owner instead.
  m_widget = CreateWidget(child ? parent : nullptr).release();
  QWidget* widget = m_widget->Widget();
  if (!child) {
    widget->setWindowFlags(TopLevelWindowFlags(style, exStyle));
    widget->setWindowTitle(ToQString(m_text));
    ShowWindowIcon();
  }
  // Hidden until shown, also when the parent is shown later.
  widget->setVisible(false);
  // A child's position is in its parent's client area.
  const QRect asked =
      ToQRect(rect).translated(child && parent->m_widget ? parent->m_widget->ClientOrigin() : QPoint());
  // A top-level window's rectangle is where its frame goes, as with a move, so that a window
  // placed at the screen's corner keeps its title bar on the screen.
  if (child) {
    widget->setGeometry(QRect(asked.topLeft(), m_widget->PlacedSize(asked.size())));
  } else {
    widget->move(asked.topLeft());
    widget->resize(m_widget->PlacedSize(asked.size()));
  }
  if (style & WS_DISABLED) widget->setEnabled(false);
  m_widget->SetControlText(m_text);
  m_hWnd = this;
  WndRegistry::Add(this);
  if (style & WS_HSCROLL) m_widget->Scroll(SB_HORZ).shown = true;
  if (style & WS_VSCROLL) m_widget->Scroll(SB_VERT).shown = true;
  m_widget->UpdateScrollBars();
  PreSubclassWindow();

  CREATESTRUCT create;
  create.lpCreateParams = createParam;
  create.hwndParent = parent;
  create.hMenu = id;
  create.x = rect.left;
  create.y = rect.top;
  create.cx = rect.right - rect.left;
  create.cy = rect.bottom - rect.top;
  create.style = LONG(style);
  create.lpszName = windowName;
  create.lpszClass = className;
  create.dwExStyle = exStyle;
  auto alive = m_alive;
  if (SendMessage(WM_CREATE, 0, LPARAM(&create)) == -1) {
    if (*alive) DestroyWindow();
    return FALSE;
  }
  if (!*alive || !m_hWnd) return FALSE;
  m_widget->ReportClientSize();
  if (style & WS_VISIBLE) ShowWindow(SW_SHOW);
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  CWnd* item = parent ? parent->GetDlgItem(int(id)) : nullptr;
  if (!item || item == this || m_hWnd) return FALSE;
  CRect rect;
  item->GetWindowRect(rect);
  parent->ScreenToClient(rect);
  const DWORD style = item->m_style;
  const DWORD exStyle = item->m_exStyle;
  const CString text = item->GetWindowTextString();
  CFont* font = item->m_font;
  item->DestroyWindow();
  if (!CreateEx(exStyle, nullptr, text, style, rect, parent, id)) return FALSE;
  if (font) SetFont(font, FALSE);
  return TRUE;
}

void CWnd::DestroyChildren() {
  // Destroying one child may delete others with their objects (a view deletes itself and what
  // it owns), so a window of the snapshot is looked at only while it is still registered.
  for (CWnd* wnd : WndRegistry::Snapshot()) {
    if (WndRegistry::Contains(wnd) && (wnd->m_parent == this || wnd->m_owner == this)) wnd->DestroyWindow();
  }
}

BOOL CWnd::DestroyWindow() {
  if (!IsUiThread()) return CallOnUiThread([this] { return DestroyWindow(); });
  if (!m_hWnd) return FALSE;
  auto alive = m_alive;
  SendMessage(WM_DESTROY);
  if (!*alive || !m_hWnd) return TRUE;
  DestroyChildren();
  m_hoverTips.reset();
  if (GetCapture() == this) ReleaseCapture();
  if (g_mainWnd == this) g_mainWnd = nullptr;
  WndRegistry::Remove(this);
  m_hWnd = nullptr;
  WndWidget* widget = m_widget;
  m_widget = nullptr;
  // The widget may be handling the very event that destroys the window, so it goes later;
  // detached, it no longer reaches this object.
  widget->Detach();
  PostNcDestroy();
  return TRUE;
}

void CWnd::OnWidgetGone() {
  m_widget = nullptr;
  ForgetCapture(this);
  if (!m_hWnd) return;
  m_hWnd = nullptr;
  WndRegistry::Remove(this);
}

// ---------------------------------------------------------------- messages

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsUiThread()) return SendMessageHere(message, wParam, lParam);
  LRESULT result = 0;
  HWND target = this;
  RunOnUiThreadAndWait([&] {
    if (IsWindowHandle(target)) result = target->SendMessageHere(message, wParam, lParam);
  });
  return result;
}

LRESULT CWnd::SendMessageHere(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_hWnd) return 0;
  DispatchFrame frame;
  frame.message = message;
  frame.wParam = wParam;
  frame.lParam = lParam;
  return Dispatch(frame);
}

LRESULT CWnd::Dispatch(DispatchFrame& frame) {
  static thread_local int depth = 0;
  auto alive = m_alive;
  frame.previous = m_frame;
  m_frame = &frame;
  ++depth;
  TapMessage(*this, frame.message, frame.wParam, frame.lParam);
  LRESULT result = 0;
  try {
    result = WindowProc(frame.message, frame.wParam, frame.lParam);
  } catch (const CFileException& error) {
    // A file error that a handler lets go is the user's business, not the end of the program:
    // the box names the file, and the message counts as handled with 0.
    MessageBox(this, error.GetErrorMessage(), CString(), MB_OK | MB_ICONEXCLAMATION);
  }
  --depth;
  if (*alive) m_frame = frame.previous;
  // Handlers borrow device contexts through CDC::FromHandle; once the outermost message is
  // handled nobody holds those wrappers any more.
  if (depth == 0) CDC::DeleteTempMap();
  return result;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return WndRegistry::Post(this, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  if (!m_frame) return 0;
  return DefWindowProc(m_frame->message, m_frame->wParam, m_frame->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  LRESULT result = OnWndMsg(message, wParam, lParam, handled);
  if (!handled) result = DefWindowProc(message, wParam, lParam);
  return result;
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  CWnd* child = nullptr;
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    child = reinterpret_cast<CWnd*>(lParam);
  } else if (message == WM_DRAWITEM) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (item->CtlType != ODT_MENU) child = item->hwndItem;
  } else if (message == WM_MEASUREITEM) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (item->CtlType != ODT_MENU) child = GetDlgItem(int(item->CtlID));
  } else if (message == WM_COMMAND) {
    child = reinterpret_cast<CWnd*>(lParam);
  } else if (message == WM_NOTIFY) {
    child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
  } else if (message == WM_HSCROLL || message == WM_VSCROLL) {
    child = reinterpret_cast<CWnd*>(lParam);
  }
  if (!child || child == this || !IsWindowHandle(child)) return false;
  return child->OnChildNotify(message, wParam, lParam, &result);
}

LRESULT CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  LRESULT result = 0;
  if (message == WM_COMMAND) {
    handled = OnCommand(wParam, lParam);
    return 0;
  }
  if (message == WM_NOTIFY) {
    handled = OnNotify(wParam, lParam, &result);
    return result;
  }
  const bool reflectable = (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
                           message == WM_DRAWITEM || message == WM_MEASUREITEM ||
                           ((message == WM_HSCROLL || message == WM_VSCROLL) && lParam);
  if (reflectable && ReflectToChild(message, wParam, lParam, result)) {
    handled = true;
    return result;
  }
  if (const CMessageMap::Entry* entry = GetMessageMap().FindMessage(message)) {
    handled = true;
    return entry->handler(*this, wParam, lParam);
  }
  return 0;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(DWORD(wParam));
  const int code = HIWORD(DWORD(wParam));
  LRESULT result = 0;
  if (lParam && ReflectToChild(WM_COMMAND, wParam, lParam, result)) return TRUE;
  if (const CMessageMap::Entry* entry = GetMessageMap().FindCommand(id, code)) {
    entry->handler(*this, wParam, lParam);
    return TRUE;
  }
  return FALSE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header) return FALSE;
  if (ReflectToChild(WM_NOTIFY, wParam, lParam, *result)) return TRUE;
  if (const CMessageMap::Entry* entry = GetMessageMap().FindNotify(UINT(header->idFrom), header->code)) {
    *result = entry->handler(*this, wParam, lParam);
    return TRUE;
  }
  return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const CMessageMap& map = GetMessageMap();
  const CMessageMap::Entry* entry = nullptr;
  if (message == WM_NOTIFY) {
    entry = map.FindReflectNotify(reinterpret_cast<NMHDR*>(lParam)->code);
  } else {
    entry = map.FindReflectMessage(message);
  }
  if (!entry) return FALSE;
  LRESULT reply = entry->handler(*this, wParam, lParam);
  if (result) *result = reply;
  return TRUE;
}

// ---------------------------------------------------------------- family

CWnd* CWnd::GetOwner() const { return m_owner ? m_owner : m_parent; }

std::vector<CWnd*> CWnd::GetChildren() const {
  std::vector<CWnd*> children;
  for (CWnd* wnd : WndRegistry::Snapshot()) {
    if (wnd->m_parent == this) children.push_back(wnd);
  }
  return children;
}

CWnd* CWnd::GetDlgItem(int id) const {
  for (CWnd* child : GetChildren()) {
    if (int(child->m_id) == id) return child;
  }
  return nullptr;
}

CWnd* CWnd::GetTopLevelParent() const {
  const CWnd* wnd = this;
  while (wnd->m_parent) wnd = wnd->m_parent;
  return const_cast<CWnd*>(wnd);
}

CWnd* CWnd::SetParent(CWnd* parent) {
  CWnd* old = m_parent;
  if (!m_widget || !(m_style & WS_CHILD) || !parent || !parent->m_widget) return nullptr;
  // The window's own visible state, not whether it shows now: its top-level window may not be
  // shown yet.
  const bool visible = (m_style & WS_VISIBLE) != 0;
  m_widget->Widget()->setParent(parent->m_widget->Widget());
  m_widget->Widget()->setVisible(visible);
  m_parent = parent;
  return old;
}

CWnd* CWnd::GetWindow(UINT command) const {
  if (command == GW_OWNER) return m_owner;
  if (command == GW_CHILD) {
    const std::vector<CWnd*> children = GetChildren();
    return children.empty() ? nullptr : children.front();
  }
  std::vector<CWnd*> siblings;
  for (CWnd* wnd : WndRegistry::Snapshot()) {
    if (wnd->m_parent == m_parent && (m_parent || !(wnd->m_style & WS_CHILD))) siblings.push_back(wnd);
  }
  auto self = std::find(siblings.begin(), siblings.end(), this);
  if (siblings.empty() || self == siblings.end()) return nullptr;
  switch (command) {
    case GW_HWNDFIRST:
      return siblings.front();
    case GW_HWNDLAST:
      return siblings.back();
    case GW_HWNDNEXT:
      return self + 1 == siblings.end() ? nullptr : *(self + 1);
    case GW_HWNDPREV:
      return self == siblings.begin() ? nullptr : *(self - 1);
    default:
      return nullptr;
  }
}

BOOL CWnd::IsChild(const CWnd* wnd) const {
  for (const CWnd* w = wnd ? wnd->m_parent : nullptr; w; w = w->m_parent) {
    if (w == this) return TRUE;
  }
  return FALSE;
}

int CWnd::SetDlgCtrlID(int id) {
  int old = int(m_id);
  m_id = UINT(id);
  return old;
}

void CWnd::SetDlgItemText(int id, LPCTSTR text) {
  if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  text.Empty();
  if (CWnd* item = GetDlgItem(id)) item->GetWindowText(text);
  return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
  CString text;
  if (isSigned) {
    text.Format(u"%d", int(value));
  } else {
    text.Format(u"%u", value);
  }
  SetDlgItemText(id, text);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
  CString text;
  GetDlgItemText(id, text);
  text.Trim();
  std::string digits = text.ToUtf8();
  bool ok = !digits.empty();
  long long value = 0;
  size_t i = 0;
  bool negative = false;
  if (ok && isSigned && digits[0] == '-') {
    negative = true;
    i = 1;
    ok = digits.size() > 1;
  }
  for (; ok && i < digits.size(); ++i) {
    if (digits[i] < '0' || digits[i] > '9') ok = false;
    value = value * 10 + (digits[i] - '0');
    if (value > 0xFFFFFFFFLL) ok = false;
  }
  if (translated) *translated = ok;
  if (!ok) return 0;
  return UINT(negative ? -value : value);
}

void CWnd::CheckDlgButton(int id, UINT check) {
  if (CWnd* item = GetDlgItem(id)) item->SendMessage(BM_SETCHECK, check, 0);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
  CWnd* item = GetDlgItem(id);
  return item ? UINT(item->SendMessage(BM_GETCHECK, 0, 0)) : 0;
}

CWnd* AfxGetMainWnd() { return g_mainWnd; }
void AfxSetMainWnd(CWnd* wnd) { g_mainWnd = wnd; }

// ---------------------------------------------------------------- geometry and state

void CWnd::GetClientRect(LPRECT rect) const {
  QSize size = m_widget ? CallOnUiThread([this] { return m_widget->ClientSize(); }) : QSize(0, 0);
  ::SetRect(rect, 0, 0, size.width(), size.height());
}

void CWnd::GetWindowRect(LPRECT rect) const {
  if (!m_widget) {
    ::SetRectEmpty(rect);
    return;
  }
  QRect r = CallOnUiThread([this] {
    QWidget* w = m_widget->Widget();
    // A top-level window is where its frame is, as it was created or moved there; the size stays
    // the window's own, so that a rectangle read back recreates the same window.
    return QRect(w->isWindow() ? w->pos() : w->mapToGlobal(QPoint(0, 0)), w->size());
  });
  ::SetRect(rect, r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

void CWnd::ClientToScreen(LPPOINT point) const {
  if (!m_widget) return;
  QPoint p = CallOnUiThread(
      [&] { return m_widget->Widget()->mapToGlobal(QPoint(point->x, point->y) + m_widget->ClientOrigin()); });
  point->x = p.x();
  point->y = p.y();
}

void CWnd::ClientToScreen(LPRECT rect) const {
  ClientToScreen(reinterpret_cast<LPPOINT>(&rect->left));
  ClientToScreen(reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::ScreenToClient(LPPOINT point) const {
  if (!m_widget) return;
  QPoint p = CallOnUiThread([&] {
    return m_widget->Widget()->mapFromGlobal(QPoint(point->x, point->y)) - m_widget->ClientOrigin();
  });
  point->x = p.x();
  point->y = p.y();
}

void CWnd::ScreenToClient(LPRECT rect) const {
  ScreenToClient(reinterpret_cast<LPPOINT>(&rect->left));
  ScreenToClient(reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags) {
  if (!m_widget) return FALSE;
  CallOnUiThread([&] {
    QWidget* w = m_widget->Widget();
    if (!(flags & SWP_NOMOVE)) w->move(QPoint(x, y) + ParentClientOrigin(w));
    if (!(flags & SWP_NOSIZE)) w->resize(m_widget->PlacedSize(QSize(std::max(cx, 0), std::max(cy, 0))));
    if (!m_widget) return;
    // The toolkit delays resize events of hidden widgets; the window learns its size now.
    m_widget->ReportClientSize();
    if (flags & SWP_SHOWWINDOW) ShowWindow(flags & SWP_NOACTIVATE ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
  });
  return TRUE;
}

BOOL CWnd::IsWindowVisible() const {
  for (const CWnd* w = this; w; w = w->m_parent) {
    if (!w->m_hWnd || !(w->m_style & WS_VISIBLE)) return FALSE;
  }
  return TRUE;
}

BOOL CWnd::EnableWindow(BOOL enable) {
  if (!m_widget) return FALSE;
  return CallOnUiThread([&]() -> BOOL {
    const bool wasDisabled = (m_style & WS_DISABLED) != 0;
    m_style = enable ? (m_style & ~WS_DISABLED) : (m_style | WS_DISABLED);
    m_widget->Widget()->setEnabled(enable != FALSE);
    if (wasDisabled == bool(enable)) SendMessage(WM_ENABLE, enable, 0);
    return wasDisabled;
  });
}

BOOL CWnd::IsWindowEnabled() const { return m_hWnd && !(m_style & WS_DISABLED); }

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
  return CallOnUiThread([&]() -> BOOL {
    const DWORD old = m_exStyle;
    m_exStyle = (m_exStyle & ~remove) | add;
    // The sunken edge changes the client area: the window is laid out anew at once.
    if (((old ^ m_exStyle) & WS_EX_CLIENTEDGE) && m_widget) m_widget->ReportClientSize();
    return old != m_exStyle;
  });
}

void CWnd::SetWindowText(LPCTSTR text) {
  CString value(text);
  CallOnUiThread([&] {
    m_text = value;
    if (!m_widget) return;
    if (!m_widget->SetControlText(value)) {
      if (m_widget->Widget()->isWindow()) m_widget->Widget()->setWindowTitle(ToQString(value));
      Invalidate();
    }
  });
}

void CWnd::GetWindowText(CString& text) const {
  text = CallOnUiThread([this] {
    CString value = m_text;
    if (m_widget) m_widget->GetControlText(value);
    return value;
  });
}

CString CWnd::GetWindowTextString() const {
  CString text;
  GetWindowText(text);
  return text;
}

int CWnd::GetWindowTextLength() const { return GetWindowTextString().GetLength(); }

void CWnd::SetFont(CFont* font, BOOL redraw) {
  m_font = font;
  SendMessage(WM_SETFONT, WPARAM(font), redraw);
}

// ---------------------------------------------------------------- focus

CWnd* CWnd::SetFocus() {
  CWnd* old = GetFocus();
  if (m_widget) {
    CallOnUiThread([this] {
      QWidget* w = m_widget->Widget();
      if (!w->window()->isActiveWindow()) {
        AllowActivation(w->window(), true);
        w->window()->activateWindow();
      }
      w->setFocus(Qt::OtherFocusReason);
    });
  }
  return old;
}

CWnd* CWnd::GetActiveWindow() {
  return CallOnUiThread([] { return WndWidget::WndOf(QApplication::activeWindow()); });
}

CWnd* CWnd::GetFocus() {
  return CallOnUiThread([] {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
      if (CWnd* wnd = WndWidget::WndOf(w)) return wnd;
    }
    return static_cast<CWnd*>(nullptr);
  });
}

// ---------------------------------------------------------------- painting

void CWnd::Invalidate(BOOL erase) { InvalidateRect(nullptr, erase); }

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
  if (!m_widget) return;
  // Worker threads invalidate too (a plot refreshed by a timer thread); the paint follows on
  // the user-interface thread either way.
  QRegion region = rect ? QRegion(ToQRect(*rect)) : QRegion();
  HWND target = this;
  auto apply = [target, region, erase] {
    if (!CWnd::IsWindowHandle(target) || !target->m_widget) return;
    QSize size = target->m_widget->ClientSize();
    QRegion area = region.isEmpty() ? QRegion(0, 0, size.width(), size.height()) : region;
    target->m_widget->Invalidate(area, erase != FALSE);
  };
  if (IsUiThread()) {
    apply();
  } else {
    PostToUiThread(apply);
  }
}

void CWnd::UpdateWindow() {
  if (!m_widget) return;
  CallOnUiThread([this] { m_widget->UpdateNow(); });
}

BOOL CWnd::RedrawWindow(LPCRECT rect, void*, UINT flags) {
  if (!m_widget) return FALSE;
  if (flags & RDW_INVALIDATE) InvalidateRect(rect, (flags & RDW_ERASE) != 0);
  if (flags & RDW_ALLCHILDREN) {
    for (CWnd* child : GetChildren()) child->RedrawWindow(nullptr, nullptr, flags);
  }
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow();
  return TRUE;
}

BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL) const {
  if (!m_widget) return FALSE;
  QRect box = CallOnUiThread([this] { return m_widget->InvalidRegion().boundingRect(); });
  if (rect) ::SetRect(rect, box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
  return !box.isEmpty();
}

// ---------------------------------------------------------------- timers

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void*) {
  if (!m_widget || id == 0) return 0;
  CallOnUiThread([&] { m_widget->SetTimer(id, elapseMs); });
  return id;
}

BOOL CWnd::KillTimer(UINT_PTR id) {
  if (!m_widget) return FALSE;
  return CallOnUiThread([&]() -> BOOL { return m_widget && m_widget->KillTimer(id); });
}

// ---------------------------------------------------------------- tool tips

BOOL CWnd::EnableToolTips(BOOL enable) {
  BOOL old = m_toolTips;
  m_toolTips = enable != FALSE;
  if (!m_toolTips && m_hoverTips) m_hoverTips->Pop();
  return old;
}

void CWnd::ShowHoverTip(CPoint point) {
  TOOLINFO info;
  const bool hit = OnToolHitTest(point, &info) >= 0 && info.lpszText;
  if (hit && !m_hoverTips) {
    m_hoverTips = std::make_unique<CToolTipCtrl>();
    m_hoverTips->Create(this);
  }
  if (m_hoverTips) {
    if (hit) m_hoverTips->AddTool(this, info.lpszText, &info.rect, 1);
    MSG move{this, WM_MOUSEMOVE, 0, MAKELPARAM(WORD(SHORT(point.x)), WORD(SHORT(point.y)))};
    if (hit)
      m_hoverTips->RelayEvent(&move);
    else
      m_hoverTips->Pop();
  }
  delete[] info.lpszText;
}

void CWnd::PopHoverTip() {
  if (m_hoverTips) m_hoverTips->Pop();
}

INT_PTR CWnd::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }

// ---------------------------------------------------------------- registered messages, keys

UINT RegisterWindowMessage(LPCTSTR name) {
  static std::mutex mutex;
  static std::map<std::u16string, UINT> numbers;
  std::lock_guard lock(mutex);
  if (!name || !*name) return 0;
  auto [it, added] = numbers.try_emplace(std::u16string(name), UINT(0xC000 + numbers.size()));
  return it->second;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
  CWnd* wnd = track ? track->hwndTrack : nullptr;
  if (!CWnd::IsWindowHandle(wnd) || !wnd->GetWidget()) return FALSE;
  if (!(track->dwFlags & TME_LEAVE)) return TRUE;
  if (track->dwFlags & TME_CANCEL) {
    wnd->GetWidget()->TrackLeave() = false;
    return TRUE;
  }
  // The platform reports a mouse that is already outside at once.
  if (!wnd->GetWidget()->MouseInside()) return wnd->PostMessage(WM_MOUSELEAVE);
  wnd->GetWidget()->TrackLeave() = true;
  return TRUE;
}

SHORT GetKeyState(int virtualKey) {
  const Qt::KeyboardModifiers modifiers = WndWidget::HeldModifiers();
  const Qt::MouseButtons buttons = WndWidget::HeldButtons();
  bool down = false;
  switch (UINT(virtualKey)) {
    case VK_SHIFT:
      down = modifiers & Qt::ShiftModifier;
      break;
    case VK_CONTROL:
      down = modifiers & Qt::ControlModifier;
      break;
    case VK_MENU:
      down = modifiers & Qt::AltModifier;
      break;
    case VK_LBUTTON:
      down = buttons & Qt::LeftButton;
      break;
    case VK_RBUTTON:
      down = buttons & Qt::RightButton;
      break;
    case VK_MBUTTON:
      down = buttons & Qt::MiddleButton;
      break;
    default:
      break;
  }
  return down ? SHORT(0x8000) : SHORT(0);
}

namespace {
POINT g_messagePos{0, 0};

bool ScreenRectContains(const CWnd* wnd, POINT point) {
  CRect rect;
  wnd->GetWindowRect(rect);
  return rect.PtInRect(point);
}

// The deepest visible child under the point, later children lying above earlier ones.
CWnd* DeepestChildAt(CWnd* wnd, POINT point) {
  const std::vector<CWnd*> children = wnd->GetChildren();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if ((*it)->IsWindowVisible() && ScreenRectContains(*it, point)) return DeepestChildAt(*it, point);
  }
  return wnd;
}

}  // namespace

DWORD GetMessagePos() { return MAKELONG(WORD(g_messagePos.x), WORD(g_messagePos.y)); }

void SetMessagePos(POINT point) { g_messagePos = point; }

UINT GetDoubleClickTime() { return 500; }

CWnd* WindowFromPoint(POINT point) {
  const std::vector<CWnd*> windows = WndRegistry::Snapshot();
  for (const bool topmost : {true, false}) {
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
      CWnd* wnd = *it;
      if (!WndRegistry::Contains(wnd) || (wnd->GetStyle() & WS_CHILD) || !wnd->IsWindowVisible()) continue;
      if (((wnd->GetExStyle() & WS_EX_TOPMOST) != 0) != topmost) continue;
      if (ScreenRectContains(wnd, point)) return DeepestChildAt(wnd, point);
    }
  }
  return nullptr;
}

BOOL GetCursorPos(LPPOINT point) {
  // Where the last mouse message put the pointer: under capture every move of the real pointer
  // arrives as one, and simulated input moves it as well.
  *point = g_messagePos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  QCursor::setPos(x, y);
  // The toolkit queues the move as input of the window system; it is delivered here, so that
  // none is left waiting for a later application object, which would take it for its own.
  QCoreApplication::processEvents();
  return TRUE;
}

void SendMessageToAllWindows(UINT message, WPARAM wParam, LPARAM lParam) {
  for (CWnd* wnd : WndRegistry::Snapshot())
    if (WndRegistry::Contains(wnd)) wnd->SendMessage(message, wParam, lParam);
}
