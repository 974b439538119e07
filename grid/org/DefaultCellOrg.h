#pragma once
// CDefaultCellOrg: one of the second grid's four default cells (normal, fixed column, fixed
// row, corner). It lends format, margin, font and colours to cells that have none of their
// own, measures the default column width and row height from its font, and takes no state.

#include "grid/org/TextCellOrg.h"

class CDefaultCellOrg : public CTextCellOrg {
  DECLARE_DYNCREATE(CDefaultCellOrg)

 public:
  CDefaultCellOrg();
  ~CDefaultCellOrg() override = default;

  void SetState(DWORD) override {}
  DWORD GetState() const override { return CTextCellOrg::GetState() | GCS_READONLY; }
  void SetData(LPARAM) override {}
  void SetFont(const LOGFONT* font) override;
  const LOGFONT* GetFont() const override { return &m_logFont; }
  CFont* GetFontObject() const override { return const_cast<CFont*>(&m_defaultFont); }
  UINT GetMargin() const override { return m_margin; }
  DWORD GetFormat() const override { return m_format; }
  BOOL UsesDefaultFont() const override { return FALSE; }

  virtual int GetExtra() const { return m_extra; }
  virtual void SetExtra(int extra) { m_extra = extra; }
  virtual int GetDefaultWidth() const { return m_defaultWidth; }
  virtual int GetDefaultHeight() const { return m_defaultHeight; }
  virtual void SetDefaultWidth(int width) { m_defaultWidth = width; }
  virtual void SetDefaultHeight(int height) { m_defaultHeight = height; }

 private:
  int m_defaultWidth = 30;
  int m_defaultHeight = 10;
  CFont m_defaultFont;
  LOGFONT m_logFont{};
  int m_extra = 0;
};
