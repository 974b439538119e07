#pragma once
// CTextCellOrg: the second grid's standard cell. Format, margin and font left unset come from
// the default cell; colours left at CLR_DEFAULT are resolved when the cell is drawn or printed.

#include <memory>

#include "grid/org/CellBaseOrg.h"

class CTextCellOrg : public CCellBaseOrg {
  DECLARE_DYNCREATE(CTextCellOrg)

 public:
  CTextCellOrg() = default;
  ~CTextCellOrg() override = default;

  void SetText(LPCTSTR text) override { m_text = text ? CString(text) : CString(); }
  void SetImage(int image) override { m_image = image; }
  void SetData(LPARAM data) override { m_data = data; }
  void SetFormat(DWORD format) override { m_format = format; }
  void SetTextColor(COLORREF color) override { m_textColor = color; }
  void SetBackColor(COLORREF color) override { m_backColor = color; }
  void SetFont(const LOGFONT* font) override;
  void SetMargin(UINT margin) override { m_margin = margin; }
  void SetGrid(CCellGridOrg* grid) override { m_grid = grid; }

  CString GetText() const override { return m_text; }
  int GetImage() const override { return m_image; }
  LPARAM GetData() const override { return m_data; }
  DWORD GetFormat() const override;
  COLORREF GetTextColor() const override { return m_textColor; }
  COLORREF GetBackColor() const override { return m_backColor; }
  const LOGFONT* GetFont() const override;
  CFont* GetFontObject() const override;
  CCellGridOrg* GetGrid() const override { return m_grid; }
  CWnd* GetEditor() const override { return m_editor; }
  UINT GetMargin() const override;
  BOOL UsesDefaultFont() const override { return m_font == nullptr; }
  BOOL IsEditing() const override { return m_editing; }

  void Reset() override;

 protected:
  CString m_text;
  LPARAM m_data = 0;
  int m_image = -1;
  DWORD m_format = DWORD(-1);
  COLORREF m_textColor = CLR_DEFAULT;
  COLORREF m_backColor = CLR_DEFAULT;
  std::unique_ptr<LOGFONT> m_font;
  std::unique_ptr<CFont> m_fontObject;
  UINT m_margin = UINT(-1);
  BOOL m_editing = FALSE;
  CCellGridOrg* m_grid = nullptr;
  CWnd* m_editor = nullptr;
};
