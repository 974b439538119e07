#include "tests/toolkit/MenuTestSupport.h"

#include "platform/gdi/GuiApplication.h"

CCanvas::CCanvas(int width, int height) {
  EnsureGuiApplication();
  m_dc.CreateCompatibleDC(nullptr);
  m_bitmap.CreateBitmap(width, height, 1, 32, nullptr);
  m_previous = m_dc.SelectObject(&m_bitmap);
  m_dc.FillSolidRect(0, 0, width, height, kUntouched);
  // Menu items are handed a context with the menu font selected.
  LOGFONT menuFont = GetMenuLogFont();
  m_menuFont.CreateFontIndirect(&menuFont);
  m_dc.SelectObject(&m_menuFont);
}

CCanvas::~CCanvas() {
  m_dc.SelectStockObject(SYSTEM_FONT);
  m_dc.SelectObject(m_previous);
}

bool CCanvas::Contains(const CRect& area, COLORREF color) {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (m_dc.GetPixel(x, y) == color) return true;
  return false;
}

std::unique_ptr<CImageList> MakeRedSquareList() {
  EnsureGuiApplication();
  CBitmap picture;
  picture.CreateBitmap(16, 16, 1, 32, nullptr);
  {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* previous = dc.SelectObject(&picture);
    dc.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
    dc.FillSolidRect(4, 4, 8, 8, kRed);
    dc.SelectObject(previous);
  }
  auto list = std::make_unique<CImageList>();
  list->Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
  list->Add(&picture, RGB(255, 255, 255));
  return list;
}

void DrawMenuItem(COwnerMenu& menu, int position, CCanvas& canvas, const CRect& rect, UINT state) {
  DRAWITEMSTRUCT draw;
  draw.CtlType = ODT_MENU;
  draw.itemID = menu.GetMenuItemID(position);
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = state;
  draw.hDC = canvas.Dc().GetSafeHdc();
  draw.rcItem = rect;
  draw.itemData = GetMenuItemData(menu, UINT(position), MF_BYPOSITION);
  menu.DrawItem(&draw);
  // The menu reached the context through a temporary wrapper, which the framework drops when
  // it is idle; the canvas's context must not outlive it.
  CDC::DeleteTempMap();
}

CSize MeasureMenuItem(COwnerMenu& menu, int position) {
  MEASUREITEMSTRUCT measure;
  measure.CtlType = ODT_MENU;
  measure.itemID = menu.GetMenuItemID(position);
  measure.itemData = GetMenuItemData(menu, UINT(position), MF_BYPOSITION);
  menu.MeasureItem(&measure);
  return CSize(int(measure.itemWidth), int(measure.itemHeight));
}
