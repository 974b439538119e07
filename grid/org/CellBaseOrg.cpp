#include "grid/org/CellBaseOrg.h"

#include <algorithm>

#include "grid/CellDrawing.h"
#include "grid/CellMeasure.h"
#include "grid/org/CellGridOrg.h"
#include "grid/org/DefaultCellOrg.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"

const CRuntimeClass CCellBaseOrg::classCCellBaseOrg = {"CCellBaseOrg", nullptr, RUNTIME_CLASS(CObject)};
const CRuntimeClass* CCellBaseOrg::GetRuntimeClass() const { return RUNTIME_CLASS(CCellBaseOrg); }

namespace {

CRect Enlarged(const CRect& rect) { return CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1); }

void FillWith(CDC* dc, const CRect& rect, COLORREF color) {
  CBrush brush;
  // A brush that cannot be made leaves the area as it is.
  if (brush.CreateSolidBrush(color)) dc->FillRect(rect, &brush);
}

// A two-colour printer shows colours as greys: each channel keeps its share of the brightness.
COLORREF GreyShares(COLORREF color) {
  const int red = int(GetRValue(color) * 0.30);
  const int green = int(GetGValue(color) * 0.59);
  const int blue = int(GetBValue(color) * 0.11);
  return RGB(red, green, blue);
}

}  // namespace

CDefaultCellOrg* CCellBaseOrg::GetDefaultCell() const {
  CCellGridOrg* grid = GetGrid();
  return grid ? grid->GetDefaultCell(IsFixedRow(), IsFixedColumn()) : nullptr;
}

void CCellBaseOrg::CopyFrom(const CCellBaseOrg& source) {
  if (&source == this) return;
  SetGrid(source.GetGrid());
  SetText(source.GetText());
  SetImage(source.GetImage());
  SetData(source.GetData());
  SetState(source.GetState());
  SetFormat(source.GetFormat());
  SetTextColor(source.GetTextColor());
  SetBackColor(source.GetBackColor());
  SetFont(source.UsesDefaultFont() ? nullptr : source.GetFont());
  SetMargin(source.GetMargin());
}

BOOL CCellBaseOrg::Draw(CDC* dc, int row, int col, CRect rect, BOOL erase) {
  CCellGridOrg* grid = GetGrid();
  CDefaultCellOrg* def = GetDefaultCell();
  if (!grid || !dc || !def || rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return FALSE;
  const int saved = dc->SaveDC();
  dc->SetBkMode(TRANSPARENT);
  COLORREF text = GetTextColor() == CLR_DEFAULT ? def->GetTextColor() : GetTextColor();
  COLORREF back = def->GetBackColor();
  if (GetBackColor() != CLR_DEFAULT) {
    back = GetBackColor();
    erase = TRUE;
  }
  const bool gridLines = grid->GetGridLines() != 0;
  if (IsFocused() || IsDropHighlighted()) {
    if (IsSelected()) {
      back = GetSysColor(COLOR_HIGHLIGHT);
      text = GetSysColor(COLOR_HIGHLIGHTTEXT);
      erase = TRUE;
    }
    rect = Enlarged(rect);
    if (erase) FillWith(dc, rect, back);
    if (gridLines) rect.DeflateRect(0, 0, 1, 1);
    if (grid->GetFrameFocusCell()) {
      CBrush frame;
      if (frame.CreateSolidBrush(text)) dc->FrameRect(rect, &frame);
    }
    dc->SetTextColor(text);
    if (!gridLines) rect.DeflateRect(0, 0, 1, 1);
  } else if (IsSelected()) {
    FillWith(dc, Enlarged(rect), GetSysColor(COLOR_HIGHLIGHT));
    text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    dc->SetTextColor(text);
  } else {
    if (erase) FillWith(dc, Enlarged(rect), back);
    dc->SetTextColor(text);
  }
  if (IsFixed() && gridLines) {
    const CCellAddrOrg focus = grid->GetFocusCell();
    if (grid->GetHighlightFocusHeaders() && grid->IsValid(focus) && (focus.row == row || focus.col == col)) {
      CRect edge = Enlarged(rect);
      dc->DrawEdge(edge, BDR_SUNKENINNER, BF_RECT);
    } else {
      DrawCellRaisedEdge(dc, rect);
    }
    rect.DeflateRect(1, 1);
  }
  if (!dc->IsPrinting()) {
    if (CFont* font = GetFontObject()) dc->SelectObject(font);
  }
  const int margin = int(GetMargin());
  rect.DeflateRect(margin, margin);
  rect.InflateRect(0, 0, 1, 1);
  CSize imageSize;
  CImageList* list = grid->GetImageList();
  if (GetCellImageSize(list, GetImage(), imageSize) && imageSize.cx <= rect.Width() &&
      imageSize.cy <= rect.Height())
    ImageList_Draw(*list, GetImage(), *dc, rect.left, rect.top, ILD_NORMAL);
  if (row == 0 && col == grid->GetSortColumn()) DrawSortArrow(dc, col, rect);
  AdjustTextRect(rect);
  rect.InflateRect(0, 0, 1, 1);
  dc->DrawText(GetText(), rect, GetFormat() | DT_NOPREFIX);
  dc->RestoreDC(saved);
  return TRUE;
}

void CCellBaseOrg::DrawSortArrow(CDC* dc, int, CRect& textRect) {
  CCellGridOrg* grid = GetGrid();
  const int s = std::min(int(dc->GetTextExtent(CString(u"M")).cy) - 4, int(textRect.Height()) - 4);
  if (textRect.left + s >= textRect.right) return;
  const LOGFONT* font = GetFont();
  const bool vertical = font && font->lfEscapement == 900;
  const int y0 = textRect.bottom - s - 2;
  const int x0 = vertical ? (textRect.left + textRect.right - s) / 2 : textRect.right - s;
  CPen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  CPen* old = dc->SelectObject(&light);
  if (grid->GetSortAscending()) {
    const POINT lit[] = {{x0 + 1, y0 + s + 1}, {x0 + s / 2 + 1, y0 + 1}, {x0 + s + 1, y0 + s + 1}, {x0 + 1, y0 + s + 1}};
    dc->Polyline(lit, 4);
    dc->SelectObject(&shadow);
    const POINT dark[] = {{x0, y0 + s}, {x0 + s / 2, y0}, {x0 + s, y0 + s}, {x0, y0 + s}};
    dc->Polyline(dark, 4);
  } else {
    const POINT lit[] = {{x0 + 1, y0 + 1}, {x0 + s / 2 + 1, y0 + s + 1}, {x0 + s + 1, y0 + 1}, {x0 + 1, y0 + 1}};
    dc->Polyline(lit, 4);
    dc->SelectObject(&shadow);
    const POINT dark[] = {{x0, y0}, {x0 + s / 2, y0 + s}, {x0 + s, y0}, {x0, y0}};
    dc->Polyline(dark, 4);
  }
  dc->SelectObject(old);
  if (!vertical) textRect.right -= s;
}

BOOL CCellBaseOrg::AdjustTextRect(CRect& rect) {
  CCellGridOrg* grid = GetGrid();
  CSize size;
  if (grid && GetCellImageSize(grid->GetImageList(), GetImage(), size)) rect.left += int(GetMargin()) + size.cx + 1;
  return TRUE;
}

CSize CCellBaseOrg::MeasureText(LPCTSTR text, CDC* dc) {
  CCellGridOrg* grid = GetGrid();
  if (!dc && !text) {
    CDefaultCellOrg* def = GetDefaultCell();
    return def ? CSize(def->GetDefaultWidth(), def->GetDefaultHeight()) : CSize(0, 0);
  }
  const LOGFONT* font = GetFont();
  const int escapement = font ? font->lfEscapement : 0;
  const CString shown(text);
  if (dc) return MeasureCellText(dc, GetFontObject(), shown, GetFormat(), int(GetMargin()), escapement);
  if (grid && grid->GetSafeHwnd()) {
    CClientDC windowDc(grid);
    return MeasureCellText(&windowDc, GetFontObject(), shown, GetFormat(), int(GetMargin()), escapement);
  }
  CDC screenDc;
  screenDc.CreateCompatibleDC(nullptr);
  return MeasureCellText(&screenDc, GetFontObject(), shown, GetFormat(), int(GetMargin()), escapement);
}

CSize CCellBaseOrg::GetCellExtent(CDC* dc) {
  const CSize textSize = MeasureText(GetText(), dc);
  CCellGridOrg* grid = GetGrid();
  CSize imageSize;
  const bool hasImage = grid && GetCellImageSize(grid->GetImageList(), GetImage(), imageSize);
  return CellExtentWithImage(textSize, imageSize, hasImage, int(GetMargin()), IsFixed());
}

BOOL CCellBaseOrg::PrintCell(CDC* dc, int, int, CRect rect) {
  CCellGridOrg* grid = GetGrid();
  if (!grid || !dc || rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return FALSE;
  const int saved = dc->SaveDC();
  dc->SetBkMode(TRANSPARENT);
  COLORREF text = 0;
  if (grid->GetPrintColors()) {
    CDefaultCellOrg* def = GetDefaultCell();
    if (!def) {
      dc->RestoreDC(saved);
      return FALSE;
    }
    COLORREF back;
    if (IsFixed())
      back = GetBackColor() == CLR_DEFAULT ? def->GetBackColor() : GetBackColor();
    else
      back = GetBackColor() == def->GetBackColor() ? CLR_DEFAULT : GetBackColor();
    text = GetBackColor() == CLR_DEFAULT ? def->GetTextColor() : GetTextColor();
    if (back == CLR_DEFAULT) {
      if (dc->GetDeviceCaps(NUMCOLORS) == 2) text = GreyShares(text);
    } else {
      FillWith(dc, Enlarged(rect), back);
    }
  }
  dc->SetTextColor(text);
  if (CFont* font = GetFontObject()) dc->SelectObject(font);
  if (grid->GetGridLines() != 0 && IsFixed()) {
    DrawCellRaisedEdge(dc, rect);
    rect.DeflateRect(1, 1);
  }
  const int margin = int(GetMargin());
  rect.DeflateRect(margin, 0);
  CSize size;
  CImageList* list = grid->GetImageList();
  if (GetCellImageSize(list, GetImage(), size)) {
    ImageList_Draw(*list, GetImage(), *dc, rect.left, rect.top, ILD_NORMAL);
    rect.left += size.cx + margin;
  }
  dc->DrawText(GetText(), rect, GetFormat() | DT_NOPREFIX);
  dc->RestoreDC(saved);
  return TRUE;
}

BOOL CCellBaseOrg::OnSetCursor() {
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return TRUE;
}
