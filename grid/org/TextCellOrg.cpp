#include "grid/org/TextCellOrg.h"

#include "grid/org/DefaultCellOrg.h"

IMPLEMENT_DYNCREATE(CTextCellOrg, CCellBaseOrg)

void CTextCellOrg::SetFont(const LOGFONT* font) {
  if (font) {
    m_font = std::make_unique<LOGFONT>(*font);
    m_fontObject = std::make_unique<CFont>();
    m_fontObject->CreateFontIndirect(font);
  } else {
    m_font.reset();
    m_fontObject.reset();
  }
}

DWORD CTextCellOrg::GetFormat() const {
  if (m_format != DWORD(-1)) return m_format;
  CDefaultCellOrg* def = GetDefaultCell();
  return def ? def->GetFormat() : 0;
}

UINT CTextCellOrg::GetMargin() const {
  if (m_margin != UINT(-1)) return m_margin;
  CDefaultCellOrg* def = GetDefaultCell();
  return def ? def->GetMargin() : 0;
}

const LOGFONT* CTextCellOrg::GetFont() const {
  if (m_font) return m_font.get();
  CDefaultCellOrg* def = GetDefaultCell();
  return def ? def->GetFont() : nullptr;
}

CFont* CTextCellOrg::GetFontObject() const {
  if (m_fontObject) return m_fontObject.get();
  CDefaultCellOrg* def = GetDefaultCell();
  return def ? def->GetFontObject() : nullptr;
}

void CTextCellOrg::Reset() {
  CCellBaseOrg::Reset();
  m_text.Empty();
  m_data = 0;
  m_image = -1;
  m_format = DWORD(-1);
  m_textColor = CLR_DEFAULT;
  m_backColor = CLR_DEFAULT;
  m_font.reset();
  m_fontObject.reset();
  m_margin = UINT(-1);
  m_editing = FALSE;
  m_grid = nullptr;
  m_editor = nullptr;
}
