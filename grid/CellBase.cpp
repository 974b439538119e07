#include "grid/CellBase.h"

#include <algorithm>
#include <atomic>

#include "grid/CellDrawing.h"
#include "grid/CellGrid.h"
#include "grid/CellMemory.h"
#include "grid/CellMeasure.h"
#include "grid/PrintedTextWidths.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"

const CRuntimeClass CCellBase::classCCellBase = {"CCellBase", nullptr, RUNTIME_CLASS(CObject)};
const CRuntimeClass* CCellBase::GetRuntimeClass() const { return RUNTIME_CLASS(CCellBase); }

COLORREF InvertTextColor(COLORREF color) { return 0xFFFFFFu - color; }
COLORREF InvertBackColor(COLORREF color) { return COLORREF(0xFF000001u - color); }

namespace {

int FloorHalf(int value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

// Atomic, so that it stays exact whichever thread makes a cell; only its changes matter, not
// their order against other memory.
std::atomic<unsigned long> g_selectionLosses{0};

void NoteSelectionLoss() { g_selectionLosses.fetch_add(1, std::memory_order_relaxed); }

}  // namespace

void* CCellBase::operator new(std::size_t size) { return AllocateCellMemory(size); }
void CCellBase::operator delete(void* memory, std::size_t size) { FreeCellMemory(memory, size); }

CCellBase::CCellBase() { NoteSelectionLoss(); }
CCellBase::~CCellBase() { NoteSelectionLoss(); }

unsigned long CCellBase::GetSelectionLossCount() { return g_selectionLosses.load(std::memory_order_relaxed); }

void CCellBase::SetState(DWORD state) {
  if ((m_state & GCS_SELECTED) && !(state & GCS_SELECTED)) NoteSelectionLoss();
  m_state = state;
}
DWORD CCellBase::GetState() const { return m_state; }
CString CCellBase::GetHintText() const { return GetText(); }
void CCellBase::AppendCopyText(CString& text) const { text += GetCopyText(); }

CCellBase* CCellBase::GetDefaultCell() const {
  CCellGrid* grid = GetGrid();
  return grid ? grid->GetDefaultCell(IsFixedRow(), IsFixedColumn()) : nullptr;
}

BOOL CCellBase::IsRangeFocused(int row) const {
  CCellGrid* grid = GetGrid();
  if (HasColumnRange() && grid) {
    for (int c = m_firstRangeCol; c <= m_lastRangeCol; ++c) {
      if (grid->GetFocusCell() == CCellAddr(row, c)) return TRUE;
    }
  }
  return IsFocused();
}

void CCellBase::CopyFrom(const CCellBase& source) {
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
  m_firstRangeCol = source.m_firstRangeCol;
  m_lastRangeCol = source.m_lastRangeCol;
  m_sideImage = source.m_sideImage;
  ForgetFitting();
}

void CCellBase::Reset() {
  if (m_state & GCS_SELECTED) NoteSelectionLoss();
  m_state = 0;
  m_fittedLength = -1;
  m_ellipsisKind = 3;
  m_fittedWidth = -1;
  m_lineHeight = -1;
  m_firstRangeCol = -1;
  m_lastRangeCol = -1;
  m_sideImage = 0;
}

BOOL CCellBase::Draw(CDC* dc, int row, int col, CRect rect, BOOL, BOOL plain) {
  if (!GetGrid() || !dc || rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return FALSE;
  const int saved = dc->SaveDC();
  dc->SetBkMode(TRANSPARENT);
  DrawBackground(dc, row, col, rect, plain);
  DrawFocusFrame(dc, row, col, rect, plain);
  DrawImage(dc, row, col, rect, plain);
  DrawSortArrow(dc, row, col, rect, plain);
  DrawText(dc, row, col, rect, plain);
  dc->RestoreDC(saved);
  return TRUE;
}

BOOL CCellBase::DrawBackground(CDC* dc, int, int, CRect rect, BOOL plain) {
  CCellBase* def = GetDefaultCell();
  if (!def) return FALSE;
  COLORREF color = IsFixed() ? def->GetBackColor() : dc->IsPrinting() ? GetDrawBackColor() : GetBackColor();
  if (IsSelected() && !plain && GetDrawSelected()) color = InvertBackColor(color);
  dc->FillSolidRect(rect, color);
  if (IsFixed() && GetGrid()->GetGridLines() != 0) DrawCellRaisedEdge(dc, rect);
  return TRUE;
}

BOOL CCellBase::DrawFocusFrame(CDC* dc, int row, int, CRect rect, BOOL plain) {
  if (!GetFrameFocus()) return TRUE;
  CCellBase* def = GetDefaultCell();
  if (IsFixed() && !def) return FALSE;
  COLORREF color = IsFixed() ? def->GetTextColor() : GetTextColor();
  if (IsSelected() && !plain) color = InvertTextColor(color);
  if (GetGrid()->GetGridLines() == 0) {
    rect.right += 1;
    rect.bottom += 1;
  }
  if ((IsRangeFocused(row) || IsDropHighlighted()) && !plain && GetGrid()->GetFrameFocusCell()) {
    CBrush brush(color);
    dc->FrameRect(rect, &brush);
  }
  return TRUE;
}

BOOL CCellBase::DrawImage(CDC* dc, int, int, CRect rect, BOOL plain) {
  CCellBase* def = GetDefaultCell();
  if (!def) return FALSE;
  COLORREF back = IsFixed() ? def->GetBackColor() : GetBackColor();
  COLORREF text = IsFixed() ? def->GetTextColor() : GetTextColor();
  if (IsSelected() && !plain) {
    back = InvertBackColor(back);
    text = InvertTextColor(text);
  }
  const int margin = int(GetMargin());
  rect.left += margin;
  rect.right -= margin;
  CImageList* list = GetGrid()->GetImageList();
  CSize size;
  if (!GetCellImageSize(list, GetImage(), size)) return TRUE;
  const int y = rect.top + std::max(0, int((rect.Height() - size.cy) / 2));
  UINT style = ILD_NORMAL;
  if (plain) {
    style = ILD_FOCUS;
  } else if (IsSelected()) {
    style = ILD_MASK;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(text);
    dc->SetBkColor(back);
  }
  ImageList_DrawEx(*list, GetImage(), *dc, rect.left, y, size.cx, size.cy, back, 0, style);
  return TRUE;
}

BOOL CCellBase::DrawSortArrow(CDC* dc, int row, int col, CRect rect, BOOL) {
  CCellGrid* grid = GetGrid();
  if (row != 0 || !grid || grid->GetSortColumn() < 0 || col != grid->GetSortColumn()) return TRUE;
  const int x = rect.left + (rect.right - rect.left) / 2;
  const int y = rect.top;
  POINT points[3];
  if (grid->GetSortAscending()) {
    points[0] = {x - 4, y + 5};
    points[1] = {x + 4, y + 5};
    points[2] = {x, y + 1};
  } else {
    points[0] = {x - 4, y + 1};
    points[1] = {x + 4, y + 1};
    points[2] = {x, y + 5};
  }
  CBrush blue(RGB(0, 0, 0xFF));
  CPen black(PS_SOLID, 1, RGB(0, 0, 0));
  CBrush* oldBrush = dc->SelectObject(&blue);
  CPen* oldPen = dc->SelectObject(&black);
  dc->Polygon(points, 3);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
  return TRUE;
}

void CCellBase::FitText(CDC* dc, const CString& text, int width) {
  if (width == m_fittedWidth && m_fittedLength != -1) return;
  m_fittedWidth = width;
  m_fittedLength = text.GetLength();
  if (dc->GetTextExtent(text).cx < width) return;
  const int dots3 = dc->GetTextExtent(CString(u"...")).cx;
  if (dc->GetTextExtent(CString(u".")).cx > width) {
    m_fittedLength = 0;
    m_ellipsisKind = 0;
  } else if (dc->GetTextExtent(CString(u"..")).cx > width) {
    m_fittedLength = 0;
    m_ellipsisKind = 1;
  } else if (dots3 > width) {
    m_fittedLength = 0;
    m_ellipsisKind = 2;
  } else {
    m_ellipsisKind = 3;
    for (int n = text.GetLength() - 2; n >= 0; --n) {
      if (dc->GetTextExtent(text, n).cx + dots3 <= width) {
        m_fittedLength = n;
        break;
      }
    }
  }
}

BOOL CCellBase::DrawText(CDC* dc, int, int, CRect rect, BOOL plain) {
  dc->SetBkMode(TRANSPARENT);
  CCellBase* def = GetDefaultCell();
  if (IsFixed() && !def) return FALSE;
  COLORREF color = IsFixed() ? def->GetTextColor() : GetTextColor();
  if (IsSelected() && !plain && GetDrawSelected()) color = InvertTextColor(color);
  dc->SetTextColor(color);
  if (!dc->IsPrinting()) {
    if (CFont* font = GetFontObject()) dc->SelectObject(font);
  }
  const int margin = int(GetMargin());
  rect.left += margin;
  rect.right -= margin;
  AdjustTextRect(rect);
  rect.right += 1;
  rect.bottom += 1;
  const CString text = GetText();
  FitText(dc, text, rect.right - rect.left);
  CString shown = text;
  if (m_fittedLength < text.GetLength()) {
    static const char16_t* const kEllipses[] = {u"", u".", u"..", u"..."};
    shown = text.Left(m_fittedLength) + CString(kEllipses[m_ellipsisKind]);
  }
  if (m_lineHeight == -1) m_lineHeight = dc->GetTextExtent(CString(u"a")).cy;
  const int y = FloorHalf(rect.top + rect.bottom) - FloorHalf(m_lineHeight);
  const DWORD format = GetFormat();
  int x = rect.left;
  if (format & DT_RIGHT) {
    dc->SetTextAlign(TA_RIGHT | TA_TOP);
    x = rect.right;
  } else if (format & DT_CENTER) {
    dc->SetTextAlign(TA_CENTER | TA_TOP);
    x = (rect.left + rect.right) / 2;
  } else {
    dc->SetTextAlign(TA_LEFT | TA_TOP);
  }
  if (m_sideImage > 0 && !plain) {
    if (!def) return FALSE;
    COLORREF back = IsFixed() ? def->GetBackColor() : GetBackColor();
    if (IsSelected()) back = InvertBackColor(back);
    CImageList* list = GetGrid()->GetImageList();
    CSize size;
    if (GetCellImageSize(list, m_sideImage, size)) {
      dc->SetBkMode(TRANSPARENT);
      dc->SetBkColor(back);
      const int top = rect.top + std::max(0, int((rect.bottom - rect.top - size.cy) / 2));
      ImageList_DrawEx(*list, m_sideImage, *dc, rect.right - size.cx, top, size.cx, size.cy, back, 0,
                       IsSelected() ? ILD_MASK : ILD_NORMAL);
    }
  }
  dc->TextOut(x, y - 1, shown);
  return TRUE;
}

BOOL CCellBase::AdjustTextRect(CRect& rect) {
  CCellGrid* grid = GetGrid();
  CSize size;
  if (grid && GetCellImageSize(grid->GetImageList(), GetImage(), size)) rect.left += int(GetMargin()) + size.cx + 1;
  return TRUE;
}

CSize CCellBase::MeasureText(LPCTSTR text, CDC* dc) {
  CCellGrid* grid = GetGrid();
  if (!dc && !text) {
    auto* def = static_cast<CDefaultCell*>(GetDefaultCell());
    return def ? CSize(def->GetDefaultWidth(), def->GetDefaultHeight()) : CSize(0, 0);
  }
  const LOGFONT* font = GetFont();
  const int escapement = font ? font->lfEscapement : 0;
  if (dc)
    return MeasureCellText(dc, GetFontObject(), CString(text), GetFormat(), int(GetMargin()), escapement);
  if (grid && grid->GetSafeHwnd()) {
    CClientDC windowDc(grid);
    return MeasureCellText(&windowDc, GetFontObject(), CString(text), GetFormat(), int(GetMargin()),
                           escapement);
  }
  CDC screenDc;
  screenDc.CreateCompatibleDC(nullptr);
  return MeasureCellText(&screenDc, GetFontObject(), CString(text), GetFormat(), int(GetMargin()),
                         escapement);
}

CSize CCellBase::GetCellExtent(CDC* dc) {
  const CString text = GetText();
  const CSize textSize = MeasureText(text, dc);
  CCellGrid* grid = GetGrid();
  CSize imageSize;
  const bool hasImage = grid && GetCellImageSize(grid->GetImageList(), GetImage(), imageSize);
  return CellExtentWithImage(textSize, imageSize, hasImage, int(GetMargin()), IsFixed());
}

BOOL CCellBase::BeginEdit(int, int, CRect, CPoint, UINT, UINT) { return FALSE; }
BOOL CCellBase::ValidateText(LPCTSTR) { return TRUE; }

namespace {

// A printed cell's rectangle ends one unit before the next cell, where the grid line runs.
constexpr int kPrintedLine = 1;
// The page maps logical units onto printer pixels with rounding at both edges of the text box
// and of the measured text: one unit more keeps a text that just fits from being cut.
constexpr int kPrintRounding = 1;

}  // namespace

BOOL CCellBase::PrintCell(CDC* dc, int row, int col, CRect rect) {
  CCellGrid* grid = GetGrid();
  if (!grid || !dc || rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return FALSE;
  const int saved = dc->SaveDC();
  dc->SetBkMode(TRANSPARENT);
  COLORREF text = 0;
  if (grid->GetPrintColors()) {
    CCellBase* def = GetDefaultCell();
    if (!def) {
      dc->RestoreDC(saved);
      return FALSE;
    }
    const bool whiteFixed = IsFixed() && GetDrawBackColor() == 0xFFFFFF;
    const COLORREF back = whiteFixed ? def->GetDrawBackColor() : GetDrawBackColor();
    text = whiteFixed ? def->GetTextColor() : GetDrawTextColor();
    if (back != 0xFFFFFF)
      dc->FillSolidRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), back);
  }
  dc->SetTextColor(text);
  if (grid->GetGridLines() != 0 && IsFixed()) {
    DrawCellRaisedEdge(dc, rect);
    rect.DeflateRect(1, 1);
  }
  const int margin = int(GetMargin());
  rect.left += margin;
  rect.right -= margin;
  CSize size;
  if (GetCellImageSize(grid->GetImageList(), GetImage(), size)) {
    const int y = rect.top + std::max(0, int((rect.Height() - size.cy) / 2));
    ImageList_DrawEx(*grid->GetImageList(), GetImage(), *dc, rect.left, y, size.cx, size.cy, CLR_NONE, 0,
                     ILD_MASK);
    rect.left += margin + size.cx;
  }
  dc->DrawText(GetText(), rect, GetFormat() | DT_NOPREFIX);
  DrawSortArrow(dc, row, col, rect, FALSE);
  dc->RestoreDC(saved);
  return TRUE;
}

int CCellBase::GetPrintWidth(CPrintedTextWidths& texts) {
  CCellGrid* grid = GetGrid();
  if (!grid) return 0;
  const int margin = int(GetMargin());
  int width = 2 * margin + kPrintedLine + kPrintRounding;
  width += texts.Width(GetText(), GetFormat());
  CSize image;
  if (GetCellImageSize(grid->GetImageList(), GetImage(), image)) width += margin + image.cx;
  if (grid->GetGridLines() != 0 && IsFixed()) width += 2;
  return width;
}

BOOL CCellBase::OnSetCursor() {
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return TRUE;
}

BOOL CCellBase::OnMouseWheel(int, int, int) { return TRUE; }

COLORREF CCellBase::GetDrawTextColor() const {
  CCellGrid* grid = GetGrid();
  if (!grid) return 0xFFFFFF;
  return grid->GetUseAltColors() ? GetAltTextColor() : GetTextColor();
}

COLORREF CCellBase::GetDrawBackColor() const {
  CCellGrid* grid = GetGrid();
  if (!grid) return 0xFFFFFF;
  return grid->GetUseAltColors() ? GetAltBackColor() : GetBackColor();
}

void CCellBase::QueueAfterDraw() {
  if (CCellGrid* grid = GetGrid()) grid->AddAfterDraw(this);
}
