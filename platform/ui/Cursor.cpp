#include "platform/ui/Cursor.h"

#include <QCursor>
#include <QWidget>

#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

namespace {

// Standard cursors are told apart by handle only: each handle is the address of its entry,
// never read through.
struct StandardCursor {
  UINT_PTR id;
  Qt::CursorShape shape;
  HCURSOR Handle() const { return reinterpret_cast<HCURSOR>(const_cast<StandardCursor*>(this)); }
};

const StandardCursor g_cursors[] = {
    {32512, Qt::ArrowCursor},     {32513, Qt::IBeamCursor},     {32514, Qt::WaitCursor},
    {32515, Qt::CrossCursor},     {32516, Qt::UpArrowCursor},   {32642, Qt::SizeFDiagCursor},
    {32643, Qt::SizeBDiagCursor}, {32644, Qt::SizeHorCursor},   {32645, Qt::SizeVerCursor},
    {32646, Qt::SizeAllCursor},   {32648, Qt::ForbiddenCursor}, {32649, Qt::PointingHandCursor},
    {32650, Qt::BusyCursor},      {32651, Qt::WhatsThisCursor},
};

HCURSOR g_current = g_cursors[0].Handle();
CWnd* g_target = nullptr;

const StandardCursor* Find(HCURSOR cursor) {
  for (const StandardCursor& c : g_cursors) {
    if (c.Handle() == cursor) return &c;
  }
  return nullptr;
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE, LPCWSTR name) {
  const UINT_PTR id = reinterpret_cast<UINT_PTR>(name);
  for (const StandardCursor& c : g_cursors) {
    if (c.id == id) return c.Handle();
  }
  return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = g_current;
  g_current = cursor;
  if (g_target && CWnd::IsWindowHandle(g_target) && g_target->GetWidget()) {
    QWidget* widget = g_target->GetWidget()->Widget();
    const StandardCursor* standard = Find(cursor);
    if (!cursor) {
      widget->setCursor(Qt::BlankCursor);
    } else if (standard) {
      widget->setCursor(standard->shape);
    }
  }
  return old;
}

HCURSOR GetCursor() { return g_current; }

void SetCursorTarget(CWnd* wnd) { g_target = wnd; }

void SetDefaultCursor(CWnd* wnd) {
  if (!wnd || !wnd->GetWidget() || wnd->GetWidget()->IsToolkitControl()) return;
  SetCursorTarget(wnd);
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

namespace {
bool g_clipped = false;
RECT g_clip{};
}  // namespace

BOOL ClipCursor(const RECT* rect) {
  g_clipped = rect != nullptr;
  g_clip = rect ? *rect : RECT{};
  return TRUE;
}

BOOL GetClipCursor(RECT* rect) {
  if (rect) *rect = g_clip;
  return g_clipped ? TRUE : FALSE;
}
