#include "platform/ui/MenuBarWnd.h"

#include <QApplication>
#include <QKeyEvent>

#include "platform/gdi/Dc.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/MenuMnemonic.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/PopupMenu.h"

namespace {

constexpr int kItemPaddingX = 7;
constexpr int kBarHeight = 20;

CString ItemText(HMENU menu, int position) {
  CString text;
  GetMenuStringW(menu, UINT(position), text, MF_BYPOSITION);
  return text;
}

}  // namespace

// While the bar is selected, every key goes to it, whichever window has the focus (the focus
// stays where it is, as on the platform); a click anywhere, a window losing the activation or
// a dialog disabling the frame leaves the bar, the click or key going on to where it was made.
class CMenuBarKeys : public QObject {
 public:
  explicit CMenuBarKeys(CMenuBarWnd& bar) : m_bar(bar) {}
  void Start() {
    if (QCoreApplication* application = QCoreApplication::instance()) application->installEventFilter(this);
  }
  void Stop() {
    if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress: {
        // A dialog that came up over the frame meanwhile (the frame disabled) ends the
        // selection and gets its keys.
        if (!m_bar.GetParent()->IsWindowEnabled()) {
          m_bar.Deselect();
          return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typed =
            !text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier);
        m_bar.OnSelectedKey(key->key(), typed ? text.at(0).unicode() : u'\0');
        return true;
      }
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::NonClientAreaMouseButtonPress:
      case QEvent::WindowDeactivate:
      case QEvent::ApplicationDeactivate:
        m_bar.Deselect();
        return false;
      default:
        return false;
    }
  }

 private:
  CMenuBarWnd& m_bar;
};

// clang-format off
BEGIN_MESSAGE_MAP(CMenuBarWnd, CWnd)
  .OnPaint(&CMenuBarWnd::OnPaint)
  .OnLButtonDown(&CMenuBarWnd::OnLButtonDown)
  .OnDestroy(&CMenuBarWnd::OnDestroy)
END_MESSAGE_MAP()
// clang-format on

CMenuBarWnd::CMenuBarWnd() : m_keys(std::make_unique<CMenuBarKeys>(*this)) {}

CMenuBarWnd::~CMenuBarWnd() {
  if (m_selected) m_keys->Stop();
}

BOOL CMenuBarWnd::Create(CWnd* frame) {
  if (!CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, kBarHeight), frame, 0))
    return FALSE;
  m_backgroundColor = COLOR_MENU;
  return TRUE;
}

void CMenuBarWnd::OnDestroy() {
  Deselect();
  CWnd::OnDestroy();
}

void CMenuBarWnd::SetMenu(HMENU menu) {
  Deselect();
  m_menu = menu;
  Refresh();
}

int CMenuBarWnd::GetHeight() const { return kBarHeight; }

int CMenuBarWnd::ItemCount() const { return IsMenu(m_menu) ? GetMenuItemCount(m_menu) : 0; }

void CMenuBarWnd::Refresh() {
  m_items.clear();
  Invalidate();
}

// The entries' rectangles are measured once per change of the menu, in one pass.
void CMenuBarWnd::LayoutItems() const {
  if (!m_items.empty() || !IsMenu(m_menu)) return;
  CClientDC dc(const_cast<CMenuBarWnd*>(this));
  int x = 0;
  for (int i = 0; i < GetMenuItemCount(m_menu); ++i) {
    CRect measured(0, 0, 0, 0);
    dc.DrawText(ItemText(m_menu, i), measured, DT_SINGLELINE | DT_CALCRECT);
    const int width = measured.Width() + 2 * kItemPaddingX;
    m_items.push_back(CRect(x, 0, x + width, kBarHeight));
    x += width;
  }
}

CRect CMenuBarWnd::GetItemRect(int position) const {
  if (position < 0 || position >= ItemCount()) return CRect(0, 0, 0, 0);
  if (int(m_items.size()) != ItemCount()) m_items.clear();
  LayoutItems();
  return position < int(m_items.size()) ? m_items[position] : CRect(0, 0, 0, 0);
}

int CMenuBarWnd::HitTest(CPoint point) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (GetItemRect(i).PtInRect(point)) return i;
  return -1;
}

void CMenuBarWnd::Highlight(int position) {
  if (position == m_highlighted) return;
  m_highlighted = position;
  if (IsWindow()) Invalidate();
}

void CMenuBarWnd::Select(int position) {
  if (position < 0 || position >= ItemCount()) {
    Deselect();
    return;
  }
  Highlight(position);
  if (!m_selected) m_keys->Start();
  m_selected = true;
}

void CMenuBarWnd::Deselect() {
  if (m_selected) m_keys->Stop();
  m_selected = false;
  Highlight(-1);
}

void CMenuBarWnd::OnMenuKey(char16_t character) {
  if (ItemCount() == 0 || !IsWindowVisible()) return;
  if (character == 0) {
    Select(0);
    return;
  }
  const std::vector<int> positions = FindMenuMnemonic(m_menu, character);
  if (!positions.empty()) Track(positions.front(), true);
}

void CMenuBarWnd::OnSelectedKey(int key, char16_t character) {
  const int count = ItemCount();
  if (count == 0) {
    Deselect();
    return;
  }
  switch (key) {
    case Qt::Key_Left:
      Select((m_highlighted + count - 1) % count);
      return;
    case Qt::Key_Right:
      Select((m_highlighted + 1) % count);
      return;
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Track(m_highlighted, true);
      return;
    case Qt::Key_Escape:
    case Qt::Key_Alt:
    case Qt::Key_F10:
      Deselect();
      return;
    default:
      break;
  }
  const std::vector<int> positions = FindMenuMnemonic(m_menu, character);
  if (!positions.empty()) Track(positions.front(), true);
}

void CMenuBarWnd::OpenItem(int position) { Track(position, false); }

void CMenuBarWnd::Track(int position, bool byKeyboard) {
  // The open popup takes the keys from here on.
  if (m_selected) m_keys->Stop();
  m_selected = false;
  // Menus leave the focus where they found it, whatever the window system did with the
  // activation while they were open.
  CWnd* focus = CWnd::GetFocus();
  struct SFocusKeeper {
    CWnd* focus;
    ~SFocusKeeper() {
      if (focus && CWnd::IsWindowHandle(focus) && CWnd::GetFocus() != focus) focus->SetFocus();
    }
  } keeper{focus};
  CWnd* frame = GetParent();
  while (position >= 0 && position < ItemCount()) {
    if (GetMenuState(m_menu, UINT(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) break;
    HMENU popup = GetSubMenu(m_menu, position);
    if (!popup) {
      Highlight(-1);
      frame->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetMenuItemID(m_menu, position)), 0), 0);
      return;
    }
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(WORD(position), 0));
    CRect item = GetItemRect(position);
    ClientToScreen(item);
    Highlight(position);
    const SMenuBarPopupResult result = TrackMenuBarPopup(popup, item.left, item.bottom, frame, byKeyboard);
    if (!IsWindow()) return;
    const int count = ItemCount();
    switch (result.exit) {
      case EPopupMenuExit::NextMenu:
        position = (position + 1) % count;
        byKeyboard = true;
        continue;
      case EPopupMenuExit::PreviousMenu:
        position = (position + count - 1) % count;
        byKeyboard = true;
        continue;
      case EPopupMenuExit::Back:
        Select(position);
        return;
      default:
        Highlight(-1);
        return;
    }
  }
  Highlight(-1);
}

void CMenuBarWnd::OnLButtonDown(UINT, CPoint point) { OpenItem(HitTest(point)); }

void CMenuBarWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(client);
  dc.FillSolidRect(client, GetSysColor(COLOR_MENU));
  if (!IsMenu(m_menu)) return;
  dc.SetBkMode(TRANSPARENT);
  for (int i = 0; i < GetMenuItemCount(m_menu); ++i) {
    CRect item = GetItemRect(i);
    const bool highlighted = i == m_highlighted;
    if (highlighted) dc.FillSolidRect(item, GetSysColor(COLOR_HIGHLIGHT));
    const UINT state = GetMenuState(m_menu, UINT(i), MF_BYPOSITION);
    const int color = highlighted           ? COLOR_HIGHLIGHTTEXT
                      : (state & MF_GRAYED) ? COLOR_GRAYTEXT
                                            : COLOR_MENUTEXT;
    dc.SetTextColor(GetSysColor(color));
    dc.DrawText(ItemText(m_menu, i), item, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
}
