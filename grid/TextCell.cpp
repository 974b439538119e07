#include "grid/TextCell.h"

#include "grid/CellEdit.h"
#include "grid/CellGrid.h"
#include "platform/res/ControlStyles.h"

IMPLEMENT_DYNCREATE(CTextCell, CCellBase)

void CTextCell::SetText(LPCTSTR text) {
  m_text = text ? CString(text) : CString();
  m_fittedLength = -1;
}

void CTextCell::SetFont(const LOGFONT* font) {
  if (font) {
    m_font = std::make_unique<LOGFONT>(*font);
    m_fontObject = std::make_unique<CFont>();
    m_fontObject->CreateFontIndirect(font);
  } else {
    m_font.reset();
    m_fontObject.reset();
  }
  m_lineHeight = -1;
}

DWORD CTextCell::GetFormat() const {
  if (m_format != DWORD(-1)) return m_format;
  CCellBase* def = GetDefaultCell();
  return def ? def->GetFormat() : 0;
}

UINT CTextCell::GetMargin() const {
  if (m_margin != UINT(-1)) return m_margin;
  CCellBase* def = GetDefaultCell();
  return def ? def->GetMargin() : 0;
}

const LOGFONT* CTextCell::GetFont() const {
  if (m_font) return m_font.get();
  CCellBase* def = GetDefaultCell();
  return def ? def->GetFont() : nullptr;
}

CFont* CTextCell::GetFontObject() const {
  if (m_fontObject) return m_fontObject.get();
  CCellBase* def = GetDefaultCell();
  return def ? def->GetFontObject() : nullptr;
}

BOOL CTextCell::BeginEdit(int row, int col, CRect rect, CPoint, UINT id, UINT ch) {
  if (m_editing && m_editor) {
    m_editor->SendMessage(WM_CHAR, ch);
    return TRUE;
  }
  m_editing = TRUE;
  const DWORD format = GetFormat();
  const DWORD style = (format & DT_RIGHT) ? ES_RIGHT : (format & DT_CENTER) ? ES_CENTER : 0;
  // The editor deletes itself when its window goes; OnEditEnded forgets it then.
  m_editor = new CCellEdit(m_grid, rect, style, id, row, col, GetText(), ch);
  return TRUE;
}

void CTextCell::StopEdit() {
  // An editor that went with its parent window never reported its end; it is forgotten.
  if (m_editor && !CWnd::IsWindowHandle(m_editor)) return OnEditEnded();
  if (auto* editor = dynamic_cast<CCellEdit*>(m_editor)) editor->EndEdit();
}

void CTextCell::OnEditEnded() {
  m_editing = FALSE;
  m_editor = nullptr;
}

void CTextCell::Reset() {
  CCellBase::Reset();
  m_text.Empty();
  m_data = 0;
  m_image = -1;
  m_format = DWORD(-1);
  m_textColor = 0;
  m_backColor = 0xFFFFFF;
  m_altTextColor = 0;
  m_altBackColor = 0xFFFFFF;
  m_font.reset();
  m_fontObject.reset();
  m_margin = UINT(-1);
  m_editing = FALSE;
  m_grid = nullptr;
  m_editor = nullptr;
  m_drawSelected = 1;
  m_frameFocus = 1;
}

BOOL CTextCell::GetSubAreaAt(int x, int y, CRect& rect, CString& title, CString& text) {
  if (m_subAreaRects.size() == 1 && m_subAreaRects[0].IsRectEmpty()) {
    int width = -1;
    int height = -1;
    if (m_grid) {
      width = m_grid->GetColumnWidth(m_col, m_row);
      height = m_grid->GetRowHeight(m_row);
    }
    rect = CRect(0, 0, width, height);
    title = m_subAreaTitles[0];
    text = m_subAreaTexts[0];
    return TRUE;
  }
  for (std::size_t i = 0; i < m_subAreaRects.size(); ++i) {
    const CRect& area = m_subAreaRects[i];
    if (x >= area.left && x < area.right && y >= area.top && y < area.bottom) {
      rect = area;
      title = m_subAreaTitles[i];
      text = m_subAreaTexts[i];
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CTextCell::AddSubArea(LPCRECT rect, LPCTSTR title, LPCTSTR text) {
  m_subAreaRects.push_back(rect ? CRect(*rect) : CRect(0, 0, 0, 0));
  m_subAreaTitles.push_back(title ? CString(title) : CString());
  m_subAreaTexts.push_back(text ? CString(text) : CString());
  return TRUE;
}

BOOL CTextCell::ClearSubAreas() {
  m_subAreaRects.clear();
  m_subAreaTexts.clear();
  m_subAreaTitles.clear();
  return TRUE;
}
