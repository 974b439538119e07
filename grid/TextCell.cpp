#include "grid/TextCell.h"

#include "grid/CellEdit.h"
#include "grid/CellGrid.h"
#include "platform/res/ControlStyles.h"

IMPLEMENT_DYNCREATE(CTextCell, CCellBase)

void CTextCell::SetText(LPCTSTR text) {
  m_text = text ? CString(text) : CString();
  m_fittedLength = -1;
}

void CTextCell::SetCopyText(LPCTSTR text) {
  // An empty copy text is none: the cell then copies its text.
  if (text && *text)
    m_copyText = std::make_unique<CString>(text);
  else
    m_copyText.reset();
}

void CTextCell::SetFont(const LOGFONT* font) {
  if (font) {
    // Made whole before it replaces the old one, which the given font may be.
    auto own = std::make_unique<SOwnFont>();
    own->logFont = *font;
    own->object.CreateFontIndirect(font);
    m_font = std::move(own);
  } else {
    m_font.reset();
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
  if (m_font) return &m_font->logFont;
  CCellBase* def = GetDefaultCell();
  return def ? def->GetFont() : nullptr;
}

CFont* CTextCell::GetFontObject() const {
  if (m_font) return &m_font->object;
  CCellBase* def = GetDefaultCell();
  return def ? def->GetFontObject() : nullptr;
}

BOOL CTextCell::BeginEdit(int row, int col, CRect rect, CPoint, UINT id, UINT ch) {
  if (m_editing && m_editor) {
    m_editor->SendMessage(WM_CHAR, ch);
    return TRUE;
  }
  m_editing = TRUE;
  m_editor = OpenCellEditor(m_grid, rect, GetFormat(), id, row, col, GetText(), ch);
  if (!m_editor) {
    m_editing = FALSE;
    return FALSE;
  }
  return TRUE;
}

void CTextCell::StopEdit() {
  if (m_editor && !EndCellEditor(m_editor)) OnEditEnded();
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
  m_margin = UINT(-1);
  m_editing = FALSE;
  m_grid = nullptr;
  m_editor = nullptr;
  m_drawSelected = 1;
  m_frameFocus = 1;
}

BOOL CTextCell::GetSubAreaAt(int x, int y, CRect& rect, CString& title, CString& text) {
  if (!m_subAreas) return FALSE;
  const std::vector<SSubArea>& areas = *m_subAreas;
  if (areas.size() == 1 && areas[0].rect.IsRectEmpty()) {
    int width = -1;
    int height = -1;
    if (m_grid) {
      width = m_grid->GetColumnWidth(m_col, m_row);
      height = m_grid->GetRowHeight(m_row);
    }
    rect = CRect(0, 0, width, height);
    title = areas[0].title;
    text = areas[0].text;
    return TRUE;
  }
  for (const SSubArea& area : areas) {
    if (x >= area.rect.left && x < area.rect.right && y >= area.rect.top && y < area.rect.bottom) {
      rect = area.rect;
      title = area.title;
      text = area.text;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CTextCell::AddSubArea(LPCRECT rect, LPCTSTR title, LPCTSTR text) {
  if (!m_subAreas) m_subAreas = std::make_unique<std::vector<SSubArea>>();
  m_subAreas->push_back({rect ? CRect(*rect) : CRect(0, 0, 0, 0), title ? CString(title) : CString(),
                        text ? CString(text) : CString()});
  return TRUE;
}

BOOL CTextCell::ClearSubAreas() {
  m_subAreas.reset();
  return TRUE;
}
