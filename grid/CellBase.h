#pragma once
// CCellBase: the abstract cell of the extended grid. The grid stores one cell per row and
// column and draws, measures and notifies them only through the virtual operations below;
// derived cells in the views override them at the same places, so their order is fixed.

#include "grid/GridItemInfo.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Geometry.h"

class CCellGrid;
class CPrintedTextWidths;
class CWnd;

class CCellBase : public CObject {
 public:
  CCellBase();
  ~CCellBase() override;
  static const CRuntimeClass classCCellBase;
  const CRuntimeClass* GetRuntimeClass() const override;

  // Cells come from the cells' own memory blocks (see CellMemory.h).
  static void* operator new(std::size_t size);
  static void operator delete(void* memory, std::size_t size);

  virtual void SetText(LPCTSTR text) = 0;
  virtual void SetCopyText(LPCTSTR text) = 0;
  virtual void SetImage(int image) = 0;
  virtual void SetData(LPARAM data) = 0;
  virtual void SetState(DWORD state);
  virtual void SetFormat(DWORD format) = 0;
  virtual void SetTextColor(COLORREF color) = 0;
  virtual void SetBackColor(COLORREF color) = 0;
  virtual void SetAltTextColor(COLORREF color) = 0;
  virtual void SetAltBackColor(COLORREF color) = 0;
  virtual void SetFont(const LOGFONT* font) = 0;
  virtual void SetMargin(UINT margin) = 0;
  virtual void SetGrid(CCellGrid* grid) = 0;
  virtual void SetCoords(int row, int col) = 0;
  virtual void SetDrawSelected(BOOL on) = 0;
  virtual void SetFrameFocus(BOOL on) = 0;

  virtual CString GetText() const = 0;
  virtual CString GetCopyText() const = 0;
  // Appends the copy text to the text. This one goes through GetCopyText, so a cell that makes
  // its copy text keeps it; a cell that stores it may append it in place.
  virtual void AppendCopyText(CString& text) const;
  virtual CString GetHintText() const;
  virtual int GetImage() const = 0;
  virtual LPARAM GetData() const = 0;
  virtual DWORD GetState() const;
  virtual DWORD GetFormat() const = 0;
  virtual COLORREF GetTextColor() const = 0;
  virtual COLORREF GetBackColor() const = 0;
  virtual COLORREF GetAltTextColor() const = 0;
  virtual COLORREF GetAltBackColor() const = 0;
  virtual const LOGFONT* GetFont() const = 0;
  virtual CFont* GetFontObject() const = 0;
  virtual CCellGrid* GetGrid() const = 0;
  virtual CWnd* GetEditor() const = 0;
  virtual UINT GetMargin() const = 0;
  virtual BOOL GetDrawSelected() const = 0;
  virtual BOOL GetFrameFocus() const = 0;
  virtual CCellBase* GetDefaultCell() const;
  virtual BOOL UsesDefaultFont() const = 0;
  virtual BOOL IsEditing() const = 0;

  virtual BOOL IsFocused() const { return (GetState() & GCS_FOCUSED) != 0; }
  virtual BOOL IsRangeFocused(int row) const;
  virtual BOOL HasColumnRange() const { return m_firstRangeCol != -1 && m_lastRangeCol != -1; }
  virtual BOOL IsFixed() const { return (GetState() & GCS_FIXED) != 0; }
  virtual BOOL IsFixedColumn() const { return (GetState() & GCS_FIXEDCOL) != 0; }
  virtual BOOL IsFixedRow() const { return (GetState() & GCS_FIXEDROW) != 0; }
  virtual BOOL IsSelected() const { return (GetState() & GCS_SELECTED) != 0; }
  virtual BOOL IsReadOnly() const { return (GetState() & GCS_READONLY) != 0; }
  virtual BOOL IsModified() const { return (GetState() & GCS_MODIFIED) != 0; }
  virtual BOOL IsDropHighlighted() const { return (GetState() & GCS_DROPHILITED) != 0; }

  virtual void CopyFrom(const CCellBase& source);
  virtual void Reset();

  // The drawing stages; `plain` draws without selection colours and focus frame.
  virtual BOOL DrawBackground(CDC* dc, int row, int col, CRect rect, BOOL plain);
  virtual BOOL DrawFocusFrame(CDC* dc, int row, int col, CRect rect, BOOL plain);
  virtual BOOL DrawText(CDC* dc, int row, int col, CRect rect, BOOL plain);
  virtual BOOL DrawImage(CDC* dc, int row, int col, CRect rect, BOOL plain);
  virtual BOOL DrawSortArrow(CDC* dc, int row, int col, CRect rect, BOOL plain);
  virtual BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL erase, BOOL plain);

  virtual BOOL AdjustTextRect(CRect& rect);
  virtual BOOL AdjustHintRect(CRect& rect) { return AdjustTextRect(rect); }
  virtual CSize MeasureText(LPCTSTR text, CDC* dc);
  virtual CSize GetCellExtent(CDC* dc);

  virtual BOOL BeginEdit(int row, int col, CRect rect, CPoint point, UINT id, UINT ch);
  virtual BOOL ValidateText(LPCTSTR text);
  virtual void StopEdit() {}
  virtual BOOL PrintCell(CDC* dc, int row, int col, CRect rect);
  // The column width the cell needs on a page so that PrintCell prints its text whole: the
  // text measured on the printer context with the font selected there, as the page maps it,
  // with the margins, the image, a fixed cell's raised edge and the grid line.
  virtual int GetPrintWidth(CPrintedTextWidths& texts);
  virtual BOOL OnAfterDraw() { return TRUE; }
  virtual BOOL GetSubAreaAt(int x, int y, CRect& rect, CString& title, CString& text) = 0;
  virtual BOOL AddSubArea(LPCRECT rect, LPCTSTR title, LPCTSTR text) = 0;
  virtual BOOL ClearSubAreas() = 0;

  // Hooks of the grid's mouse handling; points are relative to the cell's top-left corner.
  virtual void OnClick(CPoint) {}
  virtual void OnEditEnded() {}
  virtual void OnMouseEnter() {}
  virtual void OnMouseOver() {}
  virtual void OnMouseLeave() {}
  virtual void OnLeftButtonDown(CPoint) {}
  virtual void OnRightButtonUp(CPoint) {}
  virtual void OnRightButtonDown(CPoint) {}
  virtual void OnDoubleClick(CPoint) {}
  virtual BOOL OnSetCursor();
  virtual BOOL OnMouseWheel(int row, int col, int delta);
  virtual COLORREF GetDrawTextColor() const;
  virtual COLORREF GetDrawBackColor() const;

  // A count that grows whenever a cell, in any grid, is made or destroyed or loses its selected
  // bit. While it stands still, every cell the grid found or made selected is still selected.
  static unsigned long GetSelectionLossCount();

  // Has the grid call OnAfterDraw once after its next paint.
  void QueueAfterDraw();

  int GetFirstRangeColumn() const { return m_firstRangeCol; }
  int GetLastRangeColumn() const { return m_lastRangeCol; }
  void SetColumnRange(int first, int last) {
    m_firstRangeCol = first;
    m_lastRangeCol = last;
  }

 protected:
  // The text stage with the colour already chosen: fits, aligns and draws the text.
  void FitText(CDC* dc, const CString& text, int width);
  // Forgets the fitted text, so that the next drawing fits and measures again.
  void ForgetFitting() {
    m_fittedLength = -1;
    m_fittedWidth = -1;
    m_lineHeight = -1;
  }

  DWORD m_state = 0;
  // Counts of characters and pixels: ints, so that long texts and wide cells never wrap.
  int m_fittedLength = -1;
  short m_ellipsisKind = 3;
  int m_fittedWidth = -1;
  int m_lineHeight = -1;
  int m_firstRangeCol = -1;
  int m_lastRangeCol = -1;
  int m_sideImage = 0;
};

// A text colour as a selected cell draws it.
COLORREF InvertTextColor(COLORREF color);
// A back colour as a selected cell draws it: wraps in 32 bits, so white becomes 0xFE000002.
COLORREF InvertBackColor(COLORREF color);
