#include "platform/ui/BitmapButton.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"

namespace {

void Reload(CBitmap& bitmap, UINT id) {
  bitmap.DeleteObject();
  if (id != 0) bitmap.LoadBitmap(id);
}

}  // namespace

BOOL CBitmapButton::LoadBitmaps(UINT normal, UINT selected, UINT focus, UINT disabled) {
  Reload(m_bitmap, normal);
  Reload(m_bitmapSel, selected);
  Reload(m_bitmapFocus, focus);
  Reload(m_bitmapDisabled, disabled);
  return m_bitmap.GetSafeHandle() != nullptr;
}

void CBitmapButton::SizeToContent() {
  BITMAP info{};
  if (!m_bitmap.GetSafeHandle() || !m_bitmap.GetBitmap(&info)) return;
  SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
  CBitmap* picture = &m_bitmap;
  const UINT state = drawItem->itemState;
  if ((state & ODS_SELECTED) && m_bitmapSel.GetSafeHandle()) {
    picture = &m_bitmapSel;
  } else if ((state & ODS_FOCUS) && m_bitmapFocus.GetSafeHandle()) {
    picture = &m_bitmapFocus;
  } else if ((state & ODS_DISABLED) && m_bitmapDisabled.GetSafeHandle()) {
    picture = &m_bitmapDisabled;
  }
  if (!picture->GetSafeHandle()) return;
  CDC* dc = CDC::FromHandle(drawItem->hDC);
  CDC memory;
  if (!memory.CreateCompatibleDC(dc)) return;
  CBitmap* old = memory.SelectObject(picture);
  const CRect rect(drawItem->rcItem);
  dc->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}
