#pragma once
// CBitmapButton: an owner-drawn button (BS_OWNERDRAW) that shows one of up to four pictures:
// normal, pressed (selected), focused and disabled; a missing picture falls back to normal.

#include "platform/gdi/Bitmap.h"
#include "platform/ui/Button.h"

class CBitmapButton : public CButton {
 public:
  // Bitmap resources by id; 0 leaves a picture out. False when the normal one is missing.
  BOOL LoadBitmaps(UINT normal, UINT selected = 0, UINT focus = 0, UINT disabled = 0);
  // Sizes the button to its normal picture.
  void SizeToContent();
  void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

  CBitmap m_bitmap;
  CBitmap m_bitmapSel;
  CBitmap m_bitmapFocus;
  CBitmap m_bitmapDisabled;
};
