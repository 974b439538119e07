#pragma once
// CTextCell: the cell the grid makes for every place unless asked for another class. It keeps
// every attribute of the abstract cell, a copy text and hover sub-areas.

#include <memory>
#include <vector>

#include "grid/CellBase.h"

class CTextCell : public CCellBase {
  DECLARE_DYNCREATE(CTextCell)

 public:
  CTextCell() = default;
  ~CTextCell() override = default;

  void SetText(LPCTSTR text) override;
  void SetCopyText(LPCTSTR text) override;
  void SetImage(int image) override { m_image = image; }
  void SetData(LPARAM data) override { m_data = data; }
  void SetFormat(DWORD format) override { m_format = format; }
  void SetTextColor(COLORREF color) override { m_textColor = color; }
  void SetBackColor(COLORREF color) override { m_backColor = color; }
  void SetAltTextColor(COLORREF color) override { m_altTextColor = color; }
  void SetAltBackColor(COLORREF color) override { m_altBackColor = color; }
  void SetFont(const LOGFONT* font) override;
  void SetMargin(UINT margin) override { m_margin = margin; }
  void SetGrid(CCellGrid* grid) override { m_grid = grid; }
  void SetCoords(int row, int col) override {
    m_row = row;
    m_col = col;
  }
  void SetDrawSelected(BOOL on) override { m_drawSelected = on ? 1 : 0; }
  void SetFrameFocus(BOOL on) override { m_frameFocus = on ? 1 : 0; }

  CString GetText() const override { return m_text; }
  CString GetCopyText() const override { return m_copyText ? *m_copyText : GetText(); }
  // Appends the stored copy text, else the stored text, without a copy of either. A derived
  // cell that makes its text or copy text (overrides GetText or GetCopyText) overrides this too.
  void AppendCopyText(CString& text) const override { text += m_copyText ? *m_copyText : m_text; }
  int GetImage() const override { return m_image; }
  LPARAM GetData() const override { return m_data; }
  DWORD GetFormat() const override;
  COLORREF GetTextColor() const override { return m_textColor; }
  COLORREF GetBackColor() const override { return m_backColor; }
  COLORREF GetAltTextColor() const override { return m_altTextColor; }
  COLORREF GetAltBackColor() const override { return m_altBackColor; }
  const LOGFONT* GetFont() const override;
  CFont* GetFontObject() const override;
  CCellGrid* GetGrid() const override { return m_grid; }
  CWnd* GetEditor() const override { return m_editor; }
  UINT GetMargin() const override;
  BOOL GetDrawSelected() const override { return m_drawSelected; }
  BOOL GetFrameFocus() const override { return m_frameFocus; }
  BOOL UsesDefaultFont() const override { return m_font == nullptr; }
  BOOL IsEditing() const override { return m_editing; }

  // Opens the in-place editor over the rectangle, or hands the character to the one open.
  BOOL BeginEdit(int row, int col, CRect rect, CPoint point, UINT id, UINT ch) override;
  void StopEdit() override;
  void OnEditEnded() override;

  void Reset() override;
  BOOL GetSubAreaAt(int x, int y, CRect& rect, CString& title, CString& text) override;
  BOOL AddSubArea(LPCRECT rect, LPCTSTR title, LPCTSTR text) override;
  BOOL ClearSubAreas() override;

  // The place the grid gave the cell; -1 until it is placed.
  int GetRow() const { return m_row; }
  int GetColumn() const { return m_col; }

 protected:
  // The copy text as set, or an empty text when none is.
  CString GetStoredCopyText() const { return m_copyText ? *m_copyText : CString(); }

  // A grid of many thousand rows holds a cell per place, so what most cells lack (a copy text,
  // hover areas, a font of their own) is held apart and only by the cells that have it.
  CString m_text;
  std::unique_ptr<CString> m_copyText;
  // A hover area of the cell with the tip it shows.
  struct SSubArea {
    CRect rect;
    CString title;
    CString text;
  };
  std::unique_ptr<std::vector<SSubArea>> m_subAreas;
  LPARAM m_data = 0;
  int m_image = -1;
  DWORD m_format = DWORD(-1);
  COLORREF m_textColor = 0;
  COLORREF m_backColor = 0xFFFFFF;
  COLORREF m_altTextColor = 0;
  COLORREF m_altBackColor = 0xFFFFFF;
  // The cell's own font with the font object made from it.
  struct SOwnFont {
    LOGFONT logFont;
    CFont object;
  };
  std::unique_ptr<SOwnFont> m_font;
  UINT m_margin = UINT(-1);
  BOOL m_editing = FALSE;
  CCellGrid* m_grid = nullptr;
  CWnd* m_editor = nullptr;
  BYTE m_drawSelected = 1;
  BYTE m_frameFocus = 1;
  int m_col = -1;
  int m_row = -1;
};
