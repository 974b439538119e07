#include "platform/ui/PopupMenu.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageDc.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/MenuMnemonic.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UserAnswers.h"
#include "platform/ui/Wnd.h"

namespace {

// The popup's raised frame and the spacing of the items the platform draws itself.
constexpr int kFrame = 3;
constexpr int kCheckColumn = 18;
constexpr int kAcceleratorGap = 12;
constexpr int kArrowColumn = 18;

struct SLaidOutItem {
  UINT flags = 0;
  UINT id = 0;
  CString text;
  ULONG_PTR data = 0;
  HMENU popup = nullptr;
  CRect rect;
};

UINT ItemState(UINT flags, bool selected) {
  UINT state = selected ? ODS_SELECTED : 0;
  if (flags & MF_GRAYED) state |= ODS_GRAYED;
  if (flags & MF_DISABLED) state |= ODS_DISABLED;
  if (flags & MF_CHECKED) state |= ODS_CHECKED;
  return state;
}

class CPopupLayout {
 public:
  CPopupLayout(HMENU menu, CWnd* owner) : m_menu(menu), m_owner(owner) { Measure(); }

  HMENU Menu() const { return m_menu; }
  CSize Size() const { return m_size; }
  const std::vector<SLaidOutItem>& Items() const { return m_items; }
  const std::vector<CSize>& Measured() const { return m_measured; }
  const QImage& Image() const { return m_image; }
  CWnd* Owner() const { return m_owner; }

  void Render(int selected) {
    m_image = QImage(m_size.cx, m_size.cy, QImage::Format_RGB32);
    {
      // An owned wrapper: the owner's handlers may drop the temporary ones while we draw.
      CDC dc;
      dc.Attach(CreateImageDC(&m_image));
      CRect frame(0, 0, m_size.cx, m_size.cy);
      dc.FillSolidRect(frame, GetSysColor(COLOR_MENU));
      dc.DrawEdge(frame, EDGE_RAISED, BF_RECT);
      // Items are drawn with the menu font selected, as the platform hands them over.
      LOGFONT logFont = GetMenuLogFont();
      CFont font;
      font.CreateFontIndirect(&logFont);
      dc.SelectObject(&font);
      for (std::size_t i = 0; i < m_items.size(); ++i) {
        int saved = dc.SaveDC();
        DrawItem(dc, m_items[i], int(i) == selected);
        dc.RestoreDC(saved);
      }
      dc.SelectStockObject(SYSTEM_FONT);
    }
    ReleaseImageSurface(&m_image);
  }

  int ItemAt(QPoint point) const {
    for (std::size_t i = 0; i < m_items.size(); ++i)
      if (m_items[i].rect.PtInRect(CPoint(point.x(), point.y()))) return int(i);
    return -1;
  }

 private:
  // The owner answers when its message map has a handler; otherwise the menu object does.
  void SendOwnerDraw(UINT message, void* record) {
    if (m_owner && CWnd::IsWindowHandle(m_owner) && m_owner->GetMessageMap().FindMessage(message)) {
      m_owner->SendMessage(message, 0, reinterpret_cast<LPARAM>(record));
      return;
    }
    CMenu* object = CMenu::FromHandlePermanent(m_menu);
    if (!object) return;
    if (message == WM_MEASUREITEM)
      object->MeasureItem(static_cast<MEASUREITEMSTRUCT*>(record));
    else
      object->DrawItem(static_cast<DRAWITEMSTRUCT*>(record));
  }

  CSize MeasurePlain(const SLaidOutItem& item) {
    if (item.flags & MF_SEPARATOR) return CSize(0, GetSystemMetrics(SM_CYMENU) / 2);
    QImage scratch(1, 1, QImage::Format_RGB32);
    int width = 0;
    {
      CDC dc;
      dc.Attach(CreateImageDC(&scratch));
      LOGFONT logFont = GetMenuLogFont();
      CFont font;
      font.CreateFontIndirect(&logFont);
      dc.SelectObject(&font);
      int tab = item.text.Find(u'\t');
      CString label = tab < 0 ? item.text : item.text.Left(tab);
      CString accelerator = tab < 0 ? CString() : item.text.Mid(tab + 1);
      RECT labelRect{0, 0, 0, 0};
      dc.DrawText(label, &labelRect, DT_SINGLELINE | DT_CALCRECT);
      width = kCheckColumn + labelRect.right + kArrowColumn;
      if (!accelerator.IsEmpty()) width += kAcceleratorGap + dc.GetTextExtent(accelerator).cx;
      dc.SelectStockObject(SYSTEM_FONT);
    }
    ReleaseImageSurface(&scratch);
    return CSize(width, GetSystemMetrics(SM_CYMENU));
  }

  void Measure() {
    int count = GetMenuItemCount(m_menu);
    int width = 0;
    std::vector<CSize>& sizes = m_measured;
    for (int position = 0; position < count; ++position) {
      SLaidOutItem item;
      item.flags = GetMenuState(m_menu, UINT(position), MF_BYPOSITION) & 0xFFFF;
      item.popup = GetSubMenu(m_menu, position);
      if (item.popup) item.flags = (item.flags & 0xFF) | MF_POPUP;
      item.id = item.popup ? 0 : GetMenuItemID(m_menu, position);
      item.data = GetMenuItemData(m_menu, UINT(position), MF_BYPOSITION);
      GetMenuStringW(m_menu, UINT(position), item.text, MF_BYPOSITION);
      CSize size;
      if (item.flags & MF_OWNERDRAW) {
        MEASUREITEMSTRUCT measure;
        measure.CtlType = ODT_MENU;
        measure.itemID = item.id;
        measure.itemData = item.data;
        SendOwnerDraw(WM_MEASUREITEM, &measure);
        size = CSize(int(measure.itemWidth), int(measure.itemHeight));
      } else {
        size = MeasurePlain(item);
      }
      width = std::max(width, int(size.cx));
      sizes.push_back(size);
      m_items.push_back(std::move(item));
    }
    int y = kFrame;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
      m_items[i].rect = CRect(kFrame, y, kFrame + width, y + sizes[i].cy);
      y += sizes[i].cy;
    }
    m_size = CSize(width + 2 * kFrame, y + kFrame);
  }

  void DrawItem(CDC& dc, const SLaidOutItem& item, bool selected) {
    if (item.flags & MF_OWNERDRAW) {
      DRAWITEMSTRUCT draw;
      draw.CtlType = ODT_MENU;
      draw.itemID = item.id;
      draw.itemAction = ODA_DRAWENTIRE;
      draw.itemState = ItemState(item.flags, selected);
      draw.hwndItem = reinterpret_cast<HWND>(m_menu);
      draw.hDC = dc.GetSafeHdc();
      draw.rcItem = item.rect;
      draw.itemData = item.data;
      SendOwnerDraw(WM_DRAWITEM, &draw);
      // The platform adds the arrow of a popup entry to what the owner drew.
      if (item.popup) DrawArrow(dc, item, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
      return;
    }
    DrawPlain(dc, item, selected);
  }

  // The platform's own look of a text item, separator or popup entry.
  static void DrawPlain(CDC& dc, const SLaidOutItem& item, bool selected) {
    CRect rect = item.rect;
    if (item.flags & MF_SEPARATOR) {
      CRect line(rect.left + 1, rect.top + rect.Height() / 2, rect.right - 1, rect.bottom);
      dc.DrawEdge(line, EDGE_ETCHED, BF_TOP);
      return;
    }
    bool disabled = item.flags & (MF_GRAYED | MF_DISABLED);
    dc.FillSolidRect(rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    LOGFONT logFont = GetMenuLogFont();
    CFont font;
    font.CreateFontIndirect(&logFont);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    if (disabled) text = GetSysColor(COLOR_GRAYTEXT);
    dc.SetTextColor(text);
    int tab = item.text.Find(u'\t');
    CString label = tab < 0 ? item.text : item.text.Left(tab);
    CString accelerator = tab < 0 ? CString() : item.text.Mid(tab + 1);
    CRect textRect(rect.left + kCheckColumn, rect.top, rect.right - kArrowColumn, rect.bottom);
    dc.DrawText(label, textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (!accelerator.IsEmpty()) dc.DrawText(accelerator, textRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    if (item.flags & MF_CHECKED) {
      CRect mark(rect.left, rect.top, rect.left + kCheckColumn, rect.bottom);
      dc.DrawText(u"\u2713", -1, mark, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    if (item.popup) DrawArrow(dc, item, text);
    dc.SelectStockObject(SYSTEM_FONT);
  }

  static void DrawArrow(CDC& dc, const SLaidOutItem& item, COLORREF color) {
    const CRect& rect = item.rect;
    CRect arrow(rect.right - kArrowColumn, rect.top, rect.right, rect.bottom);
    int previousMode = dc.SetBkMode(TRANSPARENT);
    COLORREF previousColor = dc.SetTextColor(color);
    dc.DrawText(u"\u25B8", -1, arrow, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    dc.SetTextColor(previousColor);
    dc.SetBkMode(previousMode);
  }

  HMENU m_menu;
  CWnd* m_owner;
  std::vector<SLaidOutItem> m_items;
  std::vector<CSize> m_measured;
  CSize m_size;
  QImage m_image;
};

// Where a popup was opened, which decides what Left, Right and Escape do in it.
struct SPopupPlace {
  bool fromBar = false;      // a popup of the menu bar (or one of its submenus)
  bool submenu = false;      // opened from an item of another popup
  bool selectFirst = false;  // opened by a key: its first item starts selected
};

struct SPopupOutcome {
  UINT chosen = 0;
  EPopupMenuExit exit = EPopupMenuExit::Closed;
  // False when the toolkit closed the popup (a click outside it), not a key or a choice.
  bool leftByUser = false;
};

SPopupOutcome RunPopup(CPopupLayout& layout, QPoint at, const SPopupPlace& place);

// The popup on the screen: it shows the layout's picture and follows the mouse and keys
// until an item is chosen or the popup is left. The keys are the platform's: Up and Down
// move over the items (not onto separators; a grayed item is selected but cannot be chosen),
// Return or an item's mnemonic chooses it or opens its submenu, Right opens a submenu, Left
// and Escape step back one level, Alt and F10 close every menu.
class CPopupWidget : public QWidget {
 public:
  CPopupWidget(CPopupLayout& layout, QEventLoop& loop, const SPopupPlace& place)
      : QWidget(nullptr, Qt::Popup), m_layout(layout), m_loop(loop), m_place(place) {
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(layout.Size().cx, layout.Size().cy);
    if (place.selectFirst) Step(+1);
  }
  const SPopupOutcome& Outcome() const { return m_outcome; }
  SOpenPopupMenu State() const { return {m_layout.Menu(), m_selected}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, m_layout.Image());
  }
  void mouseMoveEvent(QMouseEvent* event) override { Select(m_layout.ItemAt(event->position().toPoint())); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    int index = m_layout.ItemAt(event->position().toPoint());
    if (index >= 0) Activate(index, false);
  }
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Down:
        Step(+1);
        return;
      case Qt::Key_Up:
        Step(-1);
        return;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (m_selected >= 0) Activate(m_selected, true);
        return;
      case Qt::Key_Right:
        Right();
        return;
      case Qt::Key_Left:
        if (m_place.submenu)
          Leave(EPopupMenuExit::Back);
        else if (m_place.fromBar)
          Leave(EPopupMenuExit::PreviousMenu);
        return;
      case Qt::Key_Escape:
        Leave(EPopupMenuExit::Back);
        return;
      case Qt::Key_Alt:
      case Qt::Key_F10:
        Leave(EPopupMenuExit::Closed);
        return;
      default:
        break;
    }
    const QString text = event->text();
    if (!(event->modifiers() & Qt::ControlModifier) && !text.isEmpty() && text.at(0).isPrint()) {
      TypeMnemonic(text.at(0).unicode());
      return;
    }
    QWidget::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    m_loop.quit();
    QWidget::closeEvent(event);
  }

 private:
  const SLaidOutItem& Item(int index) const { return m_layout.Items()[std::size_t(index)]; }
  static bool IsDisabled(const SLaidOutItem& item) { return item.flags & (MF_GRAYED | MF_DISABLED); }

  void Select(int index) {
    if (index >= 0 && (Item(index).flags & MF_SEPARATOR)) index = -1;
    if (index == m_selected) return;
    m_selected = index;
    m_layout.Render(m_selected);
    update();
  }
  void Step(int direction) {
    int count = int(m_layout.Items().size());
    int index = m_selected;
    for (int step = 0; step < count; ++step) {
      index = index < 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
      if (!(Item(index).flags & MF_SEPARATOR)) {
        Select(index);
        return;
      }
    }
  }
  void Right() {
    if (m_selected >= 0 && Item(m_selected).popup && !IsDisabled(Item(m_selected))) {
      OpenSubmenu(m_selected, true);
      return;
    }
    if (m_place.fromBar) Leave(EPopupMenuExit::NextMenu);
  }
  // One item with the mnemonic is chosen at once; among several, each press selects the next.
  void TypeMnemonic(char16_t character) {
    const std::vector<int> matches = FindMenuMnemonic(m_layout.Menu(), character);
    if (matches.empty()) return;
    if (matches.size() == 1) {
      Select(matches.front());
      Activate(matches.front(), true);
      return;
    }
    auto next = std::upper_bound(matches.begin(), matches.end(), m_selected);
    Select(next == matches.end() ? matches.front() : *next);
  }
  void Activate(int index, bool byKeyboard) {
    const SLaidOutItem& item = Item(index);
    if (IsDisabled(item) || (item.flags & MF_SEPARATOR)) return;
    if (item.popup) {
      OpenSubmenu(index, byKeyboard);
      return;
    }
    m_outcome.chosen = item.id;
    Leave(EPopupMenuExit::Chosen);
  }
  void OpenSubmenu(int index, bool byKeyboard) {
    Select(index);
    const SLaidOutItem& item = Item(index);
    CPopupLayout sub(item.popup, m_layout.Owner());
    sub.Render(-1);
    const QPoint corner = mapToGlobal(QPoint(item.rect.right, item.rect.top));
    const SPopupOutcome outcome = RunPopup(sub, corner, {m_place.fromBar, true, byKeyboard});
    switch (outcome.exit) {
      case EPopupMenuExit::Chosen:
        m_outcome.chosen = outcome.chosen;
        Leave(EPopupMenuExit::Chosen);
        return;
      case EPopupMenuExit::NextMenu:
        Leave(EPopupMenuExit::NextMenu);
        return;
      case EPopupMenuExit::Closed:
        // A click on this popup closed only the submenu; one elsewhere closes every menu.
        if (outcome.leftByUser || !geometry().contains(QCursor::pos())) Leave(EPopupMenuExit::Closed);
        return;
      default:
        return;
    }
  }
  void Leave(EPopupMenuExit exit) {
    m_outcome.exit = exit;
    m_outcome.leftByUser = true;
    close();
  }

  CPopupLayout& m_layout;
  QEventLoop& m_loop;
  SPopupPlace m_place;
  int m_selected = -1;
  SPopupOutcome m_outcome;
};

// The popups on the screen, outermost first.
std::vector<const CPopupWidget*>& OpenPopups() {
  static std::vector<const CPopupWidget*> open;
  return open;
}

SPopupOutcome RunPopup(CPopupLayout& layout, QPoint at, const SPopupPlace& place) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return {};
  QEventLoop loop;
  CPopupWidget widget(layout, loop, place);
  widget.move(at);
  widget.show();
  OpenPopups().push_back(&widget);
  loop.exec();
  OpenPopups().pop_back();
  return widget.Outcome();
}

void CollectItems(HMENU menu, std::vector<SPopupMenuItem>& items) {
  int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    SPopupMenuItem item;
    HMENU popup = GetSubMenu(menu, position);
    item.state = GetMenuState(menu, UINT(position), MF_BYPOSITION);
    if (popup) item.state &= 0xFF;  // the popup's item count is in the high byte
    item.id = popup ? 0 : GetMenuItemID(menu, position);
    GetMenuStringW(menu, UINT(position), item.text, MF_BYPOSITION);
    item.depth = 0;
    items.push_back(item);
    if (!popup) continue;
    std::size_t first = items.size();
    CollectItems(popup, items);
    for (std::size_t i = first; i < items.size(); ++i) ++items[i].depth;
  }
}

// Only an enabled command of the menu (or of its popups) can be chosen.
bool CanChoose(const std::vector<SPopupMenuItem>& items, UINT id) {
  for (const SPopupMenuItem& item : items) {
    bool command = item.id == id && !(item.state & (MF_SEPARATOR | MF_POPUP));
    if (command && !(item.state & (MF_GRAYED | MF_DISABLED))) return true;
  }
  return false;
}

// The popup's top-left corner for the point and the TPM_ alignment flags.
QPoint PopupCorner(const CPopupLayout& layout, UINT flags, int x, int y) {
  const CSize size = layout.Size();
  if (flags & TPM_RIGHTALIGN)
    x -= size.cx;
  else if (flags & TPM_CENTERALIGN)
    x -= size.cx / 2;
  if (flags & TPM_BOTTOMALIGN)
    y -= size.cy;
  else if (flags & TPM_VCENTERALIGN)
    y -= size.cy / 2;
  return QPoint(x, y);
}

}  // namespace

SRenderedPopupMenu RenderPopupMenu(HMENU menu, CWnd* owner, int selectedPosition) {
  SRenderedPopupMenu rendered;
  if (!IsMenu(menu)) return rendered;
  CPopupLayout layout(menu, owner);
  layout.Render(selectedPosition);
  rendered.bitmap = CreateBitmapFromImage(layout.Image());
  for (const SLaidOutItem& item : layout.Items()) rendered.items.push_back(item.rect);
  rendered.measured = layout.Measured();
  return rendered;
}

namespace {

// Shows the popup through the user-answer sink; a chosen command goes to the owner as
// WM_COMMAND unless TPM_RETURNCMD asks for it back.
SPopupOutcome Track(HMENU menu, UINT flags, int x, int y, CWnd* owner, const SPopupPlace& place) {
  // The open menu takes the mouse, so a window that held it loses it.
  if (CWnd::GetCapture()) ReleaseCapture();
  CPopupLayout layout(menu, owner);
  layout.Render(-1);
  SPopupMenuRequest request;
  request.owner = owner;
  request.x = x;
  request.y = y;
  request.flags = flags;
  CollectItems(menu, request.items);
  SPopupOutcome outcome;
  request.show = [&] {
    outcome = RunPopup(layout, PopupCorner(layout, flags, x, y), place);
    return outcome.chosen;
  };
  UINT chosen = GetUserAnswerSink().OnPopupMenu(request);
  if (chosen && !CanChoose(request.items, chosen)) chosen = 0;
  outcome.chosen = chosen;
  if (chosen)
    outcome.exit = EPopupMenuExit::Chosen;
  else if (outcome.exit == EPopupMenuExit::Chosen)
    outcome.exit = EPopupMenuExit::Closed;
  if (chosen && !(flags & TPM_RETURNCMD)) owner->PostMessage(WM_COMMAND, chosen, 0);
  return outcome;
}

}  // namespace

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, CWnd* owner, LPCRECT) {
  if (!IsMenu(menu) || !owner) return FALSE;
  const UINT chosen = Track(menu, flags, x, y, owner, {}).chosen;
  if (flags & TPM_RETURNCMD) return BOOL(chosen);
  return chosen != 0;
}

SMenuBarPopupResult TrackMenuBarPopup(HMENU menu, int x, int y, CWnd* owner, bool selectFirst) {
  if (!IsMenu(menu) || !owner) return {};
  const SPopupOutcome outcome =
      Track(menu, TPM_LEFTALIGN | TPM_TOPALIGN, x, y, owner, {true, false, selectFirst});
  return {outcome.chosen, outcome.exit};
}

std::vector<SOpenPopupMenu> GetOpenPopupMenus() {
  std::vector<SOpenPopupMenu> open;
  for (const CPopupWidget* popup : OpenPopups()) open.push_back(popup->State());
  return open;
}

bool SimulatePopupMenuKey(UINT virtualKey) {
  if (!QApplication::activePopupWidget()) return false;
  SimulateKeyStroke(virtualKey);
  return true;
}
