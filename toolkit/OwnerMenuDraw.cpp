// Drawing the items of COwnerMenu in the classic and the XP style.

#include <algorithm>
#include <optional>

#include "platform/gdi/Font.h"
#include "platform/gdi/SystemInfo.h"
#include "toolkit/MenuPictures.h"
#include "toolkit/MenuStyle.h"
#include "toolkit/MenuText.h"
#include "toolkit/OwnerMenu.h"
#include "toolkit/OwnerMenuMemDC.h"

// What DrawItem found out about the item it draws.
struct COwnerMenu::SItemLook {
  CRect rect;
  bool selected = false;
  bool disabled = false;
  bool checked = false;
  bool separator = false;
  bool hasPicture = false;
  HIMAGELIST list = nullptr;  // where the pictures are
  int plain = -1;             // index of the plain picture; the variants follow it
  bool variants = false;      // faded, shadow and disabled at plain + 1, + 2, + 3
};

namespace {

enum { kFaded = 1, kShadow = 2, kDisabled = 3 };

void Frame(CDC& dc, const CRect& rect, COLORREF color) {
  CBrush brush(color);
  dc.FrameRect(rect, &brush);
}

}  // namespace

void COwnerMenu::DrawItem(LPDRAWITEMSTRUCT draw) {
  auto* record = reinterpret_cast<COwnerMenuData*>(draw->itemData);
  if (!record) return;
  CDC* dc = CDC::FromHandle(draw->hDC);
  SItemLook look;
  look.rect = draw->rcItem;
  look.selected = draw->itemState & ODS_SELECTED;
  look.disabled = draw->itemState & ODS_GRAYED;
  look.checked = draw->itemState & ODS_CHECKED;
  look.separator = record->nItemFlags & MF_SEPARATOR;
  if (record->nHasImage != -1 && record->pItemImages) {
    look.hasPicture = true;
    look.list = *record->pItemImages;
    look.plain = 0;
    look.variants = m_xpVariants && record->pItemImages->GetImageCount() > 2;
  } else if (record->nMenuImage >= 0 && m_menuImages.GetSafeHandle()) {
    look.hasPicture = true;
    look.list = m_menuImages;
    look.plain = record->nMenuImage;
    look.variants = m_xpVariants && HasImageVariants(record->nMenuImage);
  }
  // A palette display cannot show the XP tints.
  bool xp = IsXpMenuStyle() && !(dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
  if (xp)
    DrawXp(*dc, *record, look);
  else
    DrawClassic(*dc, *record, look);
}

void COwnerMenu::DrawPicture(CDC& dc, const SItemLook& look, int variant, int x, int y) {
  ImageList_Draw(look.list, look.plain + variant, dc, x, y, ILD_TRANSPARENT);
}

void COwnerMenu::DrawText(CDC& dc, const COwnerMenuData& data, const CRect& item, int textLeft,
                          COLORREF color) {
  CRect label(textLeft, item.top - 1, item.right, item.bottom - 1);
  CRect accelerator = label;
  accelerator.left += m_widestLabel + 10;
  int previousMode = dc.SetBkMode(TRANSPARENT);
  COLORREF previousColor = dc.SetTextColor(color);
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  dc.DrawText(MenuLabelOf(data.strItemText), label, format);
  CString acceleratorText = MenuAcceleratorOf(data.strItemText);
  if (!acceleratorText.IsEmpty()) dc.DrawText(acceleratorText, accelerator, format);
  dc.SetTextColor(previousColor);
  dc.SetBkMode(previousMode);
}

void COwnerMenu::DrawCheckMark(CDC& dc, int x, int y, COLORREF color) {
  static const int kStrokeTops[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) dc.FillSolidRect(x + i, y + kStrokeTops[i], 1, 3, color);
}

void COwnerMenu::DrawDisabledPicture(CDC& dc, const SItemLook& look, int x, int y, COLORREF background,
                                     bool classic) {
  CBitmap picture;
  if (!DrawOnButtonFace(look.list, look.plain, m_iconWidth, m_iconHeight, picture)) return;
  if (m_dibEmbossing) {
    DrawEmbossedDib(dc, x, y, m_iconWidth, m_iconHeight, picture, 0, 0, background);
    return;
  }
  if (classic && m_washedOutDisabled) {
    RecolourPicture(picture, NPictureVariant::Disabled, background);
    CDC source;
    source.CreateCompatibleDC(&dc);
    CBitmap* previous = source.SelectObject(&picture);
    dc.BitBlt(x, y, m_iconWidth, m_iconHeight, &source, 0, 0, SRCCOPY);
    source.SelectObject(previous);
    return;
  }
  DrawEmbossed(dc, x, y, m_iconWidth, m_iconHeight, picture, 0, 0, background);
}

void COwnerMenu::DrawClassic(CDC& dc, const COwnerMenuData& data, const SItemLook& given) {
  SItemLook look = given;
  if (look.disabled && !m_classicSelectDisabled) look.selected = false;
  const CRect& r = look.rect;
  const int w = m_iconWidth, h = m_iconHeight;
  const bool frames = GetOsVersionCode() > 1;
  const COLORREF menu = GetSysColor(IsXpMenuStyle() ? COLOR_BTNFACE : COLOR_MENU);
  if (look.separator) {
    dc.FillSolidRect(r, menu);
    CRect line(r.left, r.top + (r.bottom - r.top) / 2, r.right, r.bottom);
    dc.DrawEdge(line, EDGE_ETCHED, BF_TOP);
    return;
  }

  COLORREF textColor = GetSysColor(COLOR_MENUTEXT);
  if (!look.selected) {
    dc.FillSolidRect(r, menu);
    Frame(dc, r, menu);
  } else {
    CRect fill = r;
    if (look.hasPicture || look.checked) fill.left = r.left + w + 5;
    dc.FillSolidRect(fill, GetSysColor(COLOR_HIGHLIGHT));
    textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }

  const int g = std::max(0, (r.bottom - h - r.top - 4) / 2);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  if (look.hasPicture) {
    CRect inner(r.left + 1, r.top + g + 1, r.left + w + 3, r.top + g + h + 3);
    CRect box(r.left, r.top + g, r.left + w + 4, r.top + g + h + 4);
    const int x = r.left + 2, y = r.top + g + 2;
    Frame(dc, inner, menu);
    if (look.disabled) {
      Frame(dc, box, menu);
      DrawDisabledPicture(dc, look, x, y, menu, true);
    } else if (look.selected) {
      dc.FillSolidRect(inner, menu);
      if (frames && look.checked)
        dc.Draw3dRect(box, shadow, highlight);
      else if (frames)
        dc.Draw3dRect(box, highlight, shadow);
      DrawPicture(dc, look, 0, x, y);
    } else if (look.checked) {
      dc.FillSolidRect(inner, LightenColor(menu, 0.6));
      if (frames) dc.Draw3dRect(box, shadow, highlight);
      DrawPicture(dc, look, 0, x, y);
    } else {
      dc.FillSolidRect(inner, menu);
      Frame(dc, box, menu);
      DrawPicture(dc, look, 0, x, y);
    }
  } else if (look.checked) {
    CRect check(r.left + 1, r.top + g + 2, r.left + w + 1, r.top + g + 2 + h);
    dc.FillSolidRect(check, look.selected ? menu : LightenColor(menu, 0.6));
    if (frames) dc.DrawEdge(check, BDR_SUNKENOUTER, BF_RECT);
    DrawCheckMark(dc, check.left + 4, check.top + 4, GetSysColor(COLOR_MENUTEXT));
  }

  const int textLeft = r.left + w + 9;
  if (!look.disabled) {
    DrawText(dc, data, r, textLeft, textColor);
  } else if (look.selected) {
    DrawText(dc, data, r, textLeft, menu);
  } else {
    DrawText(dc, data, r + CPoint(1, 1), textLeft + 1, highlight);
    DrawText(dc, data, r, textLeft, GetSysColor(COLOR_GRAYTEXT));
  }
}

void COwnerMenu::DrawXp(CDC& target, const COwnerMenuData& data, const SItemLook& given) {
  SItemLook look = given;
  if (look.disabled && !m_xpSelectDisabled) look.selected = false;
  const CRect& r = look.rect;
  const int w = m_iconWidth, h = m_iconHeight, columnWidth = w + 7;
  const COLORREF item = DarkenColor(GetSysColor(COLOR_WINDOW), 0.02);
  const COLORREF column = GetSysColor(COLOR_BTNFACE);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF fill = LightenColor(highlight, 0.7);

  // A disabled item is drawn off-screen with the menu font, then copied in.
  std::optional<COwnerMenuMemDC> offScreen;
  CFont menuFont;
  if (look.disabled) {
    offScreen.emplace(&target, r);
    CreateMenuFont(menuFont);
    offScreen->SelectObject(&menuFont);
  }
  CDC& dc = offScreen ? static_cast<CDC&>(*offScreen) : target;

  CRect columnRect(r.left, r.top, r.left + columnWidth, r.bottom);
  if (look.separator) {
    dc.FillSolidRect(r, item);
    dc.FillSolidRect(columnRect, column);
    Frame(dc, columnRect, column);
    CRect line(columnRect.right + 7, r.top + (r.bottom - r.top) / 2, r.right, r.bottom);
    dc.DrawEdge(line, EDGE_ETCHED, BF_TOP);
  } else {
    if (!look.selected) {
      dc.FillSolidRect(r, item);
      dc.FillSolidRect(columnRect, column);
      Frame(dc, r, item);
      Frame(dc, columnRect, column);
    } else {
      dc.FillSolidRect(r, fill);
      Frame(dc, r, highlight);
    }

    const int x0 = r.left + std::max(0, int((columnWidth - w) * 0.5 + 0.5));
    const int y0 = r.top + std::max(0, int((r.bottom - r.top - h) * 0.5 + 0.5));
    CRect box(r.left + 1, r.top + 1, r.left + columnWidth - 2, r.bottom - 1);
    if (look.hasPicture) {
      if (look.disabled && look.variants) {
        DrawPicture(dc, look, kDisabled, x0, y0);
      } else if (look.disabled) {
        DrawDisabledPicture(dc, look, x0, y0, m_xpSelectDisabled ? fill : column, false);
        if (m_xpSelectDisabled && look.selected) Frame(dc, r, highlight);
      } else if (look.selected && look.checked) {
        dc.FillSolidRect(box, LightenColor(highlight, 0.55));
        Frame(dc, box, highlight);
        DrawPicture(dc, look, 0, x0 - 1, y0 - 1);
      } else if (look.selected && look.variants) {
        dc.FillSolidRect(box, fill);
        DrawPicture(dc, look, kShadow, x0 + 1, y0 + 1);
        DrawPicture(dc, look, 0, x0 - 1, y0 - 1);
      } else if (look.selected) {
        DrawPicture(dc, look, 0, x0, y0);
      } else if (look.checked) {
        dc.FillSolidRect(box, LightenColor(highlight, 0.85));
        Frame(dc, box, highlight);
        DrawPicture(dc, look, 0, x0 - 1, y0 - 1);
      } else {
        dc.FillSolidRect(box, column);
        Frame(dc, box, column);
        DrawPicture(dc, look, look.variants ? kFaded : 0, x0, y0);
      }
    } else if (look.checked) {
      dc.FillSolidRect(box, LightenColor(highlight, look.selected ? 0.55 : 0.85));
      Frame(dc, box, highlight);
      int dx = box.Width() < 6 ? 0 : box.Width() / 2 - 3;
      int dy = box.Height() < 6 ? 0 : box.Height() / 2 - 3;
      DrawCheckMark(dc, box.left + dx, box.top + dy, GetSysColor(COLOR_MENUTEXT));
    }

    DrawText(dc, data, r, r.left + columnWidth + 8,
             GetSysColor(look.disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
  }
  if (offScreen) offScreen->SelectStockObject(SYSTEM_FONT);
}
