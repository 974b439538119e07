// A window's icons (WM_SETICON, WM_GETICON) and the window icon a top-level window shows.

#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include "platform/gdi/GdiInternals.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

namespace {

void AddPictures(QIcon& shown, HICON icon) {
  if (!icon) return;
  shown.addPixmap(QPixmap::fromImage(gdi::MaskedPicture(*icon)));
  for (const IconPicture& picture : icon->otherSizes)
    shown.addPixmap(QPixmap::fromImage(gdi::MaskedPicture(picture)));
}

}  // namespace

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

HICON CWnd::GetIcon(BOOL bigIcon) const {
  // Answering WM_GETICON changes nothing; the message only lets derived windows answer.
  return reinterpret_cast<HICON>(
      const_cast<CWnd*>(this)->SendMessage(WM_GETICON, bigIcon ? ICON_BIG : ICON_SMALL));
}

HICON CWnd::StoreIcon(WPARAM kind, HICON icon) {
  HICON& slot = kind == ICON_BIG ? m_bigIcon : m_smallIcon;
  HICON previous = slot;
  slot = icon;
  ShowWindowIcon();
  return previous;
}

void CWnd::ShowWindowIcon() {
  if (!m_widget || !m_widget->Widget()->isWindow()) return;
  // The pictures are copied: an icon destroyed later leaves the window system's icon as it is.
  QIcon shown;
  AddPictures(shown, m_bigIcon);
  AddPictures(shown, m_smallIcon);
  if (shown.isNull()) AddPictures(shown, m_classIcon);
  m_widget->Widget()->setWindowIcon(shown);
}
