#pragma once
// CCellBaseOrg: the abstract cell of the second grid. It holds only the state word; the text
// cell keeps the attributes. The grid draws, measures and notifies cells only through the
// virtual operations below, whose order is fixed so that derived cells override the same places.

#include "grid/GridItemInfo.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Geometry.h"

class CCellGridOrg;
class CDefaultCellOrg;
class CWnd;

class CCellBaseOrg : public CObject {
 public:
  CCellBaseOrg() = default;
  ~CCellBaseOrg() override = default;
  static const CRuntimeClass classCCellBaseOrg;
  const CRuntimeClass* GetRuntimeClass() const override;

  virtual void SetText(LPCTSTR text) = 0;
  virtual void SetImage(int image) = 0;
  virtual void SetData(LPARAM data) = 0;
  virtual void SetState(DWORD state) { m_state = state; }
  virtual void SetFormat(DWORD format) = 0;
  virtual void SetTextColor(COLORREF color) = 0;
  virtual void SetBackColor(COLORREF color) = 0;
  virtual void SetFont(const LOGFONT* font) = 0;
  virtual void SetMargin(UINT margin) = 0;
  virtual void SetGrid(CCellGridOrg* grid) = 0;
  // The cell does not keep its place: the grid passes row and column to every drawing call.
  virtual void SetCoords(int, int) {}

  virtual CString GetText() const = 0;
  virtual CString GetHintText() const { return GetText(); }
  virtual int GetImage() const = 0;
  virtual LPARAM GetData() const = 0;
  virtual DWORD GetState() const { return m_state; }
  virtual DWORD GetFormat() const = 0;
  virtual COLORREF GetTextColor() const = 0;
  virtual COLORREF GetBackColor() const = 0;
  virtual const LOGFONT* GetFont() const = 0;
  virtual CFont* GetFontObject() const = 0;
  virtual CCellGridOrg* GetGrid() const = 0;
  virtual CWnd* GetEditor() const = 0;
  virtual UINT GetMargin() const = 0;
  virtual CDefaultCellOrg* GetDefaultCell() const;
  virtual BOOL UsesDefaultFont() const = 0;
  virtual BOOL IsEditing() const = 0;

  virtual BOOL IsFocused() const { return (GetState() & GCS_FOCUSED) != 0; }
  virtual BOOL IsFixed() const { return (GetState() & GCS_FIXED) != 0; }
  virtual BOOL IsFixedColumn() const { return (GetState() & GCS_FIXEDCOL) != 0; }
  virtual BOOL IsFixedRow() const { return (GetState() & GCS_FIXEDROW) != 0; }
  virtual BOOL IsSelected() const { return (GetState() & GCS_SELECTED) != 0; }
  virtual BOOL IsReadOnly() const { return (GetState() & GCS_READONLY) != 0; }
  virtual BOOL IsModified() const { return (GetState() & GCS_MODIFIED) != 0; }
  virtual BOOL IsDropHighlighted() const { return (GetState() & GCS_DROPHILITED) != 0; }

  virtual void CopyFrom(const CCellBaseOrg& source);
  virtual void Reset() { m_state = 0; }

  // Draws the whole cell into the rectangle (right and bottom included).
  virtual BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL erase = TRUE);
  virtual BOOL AdjustTextRect(CRect& rect);
  virtual BOOL AdjustHintRect(CRect& rect) { return AdjustTextRect(rect); }
  virtual CSize MeasureText(LPCTSTR text, CDC* dc);
  virtual CSize GetCellExtent(CDC* dc);

  virtual BOOL BeginEdit(int, int, CRect, CPoint, UINT, UINT) { return FALSE; }
  virtual BOOL ValidateText(LPCTSTR) { return TRUE; }
  virtual void StopEdit() {}
  virtual BOOL PrintCell(CDC* dc, int row, int col, CRect rect);
  virtual void OnEditEnded() {}

  virtual void OnMouseEnter() {}
  virtual void OnMouseOver() {}
  virtual void OnMouseLeave() {}

  // Points are relative to the cell's top-left corner.
  virtual void OnClick(CPoint) {}
  virtual void OnLeftButtonDown(CPoint) {}
  virtual void OnRightButtonUp(CPoint) {}
  virtual void OnDoubleClick(CPoint) {}
  virtual BOOL OnSetCursor();

 private:
  void DrawSortArrow(CDC* dc, int col, CRect& textRect);

  DWORD m_state = 0;
};
