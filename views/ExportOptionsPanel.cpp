// The export dialogs' panel: columns of option rows with their headings and frames, the
// highlight of the chosen and the hovered row, and the preview. Every heading and row is cut
// out of the clip region once drawn, so that a column's frame, drawn last, fills only the
// column's empty part.

#include <algorithm>

#include "appbase/LoadStringOrPlaceholder.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/PaintDC.h"
#include "resources/ResourceIds.h"
#include "toolkit/MemDCExt.h"
#include "views/ExportOptionsDialog.h"
#include "views/OptionLabelSplit.h"

namespace {

constexpr int kMargin = 4;
constexpr int kSpacing = 7;
constexpr int kColumnTop = 10;
constexpr int kFirstColumnX = 10;
constexpr int kColumnGap = 5;
constexpr int kFrameTop = 7;
constexpr int kFrameBottom = 300;
constexpr int kFrameOutset = 3;
constexpr int kPreviewWidthSetting = 120;
constexpr int kPreviewTop = 100;
constexpr int kPreviewStep = 65;
constexpr int kPreviewIconX = -5;
constexpr int kPreviewIconY = -20;
constexpr int kHeadingWeight = 800;

constexpr COLORREF kFrameColor = RGB(155, 175, 202);
constexpr COLORREF kHeadingFill = RGB(221, 231, 238);
constexpr COLORREF kHeadingLine = RGB(197, 197, 197);
constexpr COLORREF kHeadingText = RGB(0, 21, 110);
constexpr COLORREF kLabelText = RGB(0, 0, 0);

struct SHighlightColors {
  COLORREF top;
  COLORREF bottom;
  COLORREF frame;
};
constexpr SHighlightColors kHovered{RGB(245, 250, 253), RGB(232, 246, 253), RGB(216, 240, 250)};
constexpr SHighlightColors kChosen{RGB(240, 248, 253), RGB(213, 239, 252), RGB(153, 222, 253)};
constexpr SHighlightColors kChosenHovered{RGB(232, 246, 253), RGB(197, 232, 250), RGB(182, 230, 251)};

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color) {
  return TRIVERTEX{
      x, y, COLOR16(GetRValue(color) << 8), COLOR16(GetGValue(color) << 8), COLOR16(GetBValue(color) << 8),
      0};
}

// Cuts what was just drawn out of the clip region, one pixel larger to the right and below.
void ExcludeDrawn(CDC* dc, const CRect& rect) {
  dc->ExcludeClipRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
}

}  // namespace

void CExportOptionsDialog::OnPaint() {
  CPaintDC paintDC(this);
  CMemDCExt dc(&paintDC);
  m_hitRegions.RemoveAll();
  m_optionRects.clear();
  dc.SetTextAlign(TA_LEFT | TA_TOP);
  dc.SetBkMode(TRANSPARENT);
  m_nTextOffset = dc.GetTextExtent(u"A").cy / 2 + 2;

  CRect client;
  GetClientRect(client);
  CPen framePen(PS_SOLID, 1, kFrameColor);
  CPen* oldPen = dc.SelectObject(&framePen);
  CGdiObject* oldBrush = dc.SelectStockObject(WHITE_BRUSH);
  DrawBackground(&dc, client);

  LOGFONT font{};
  if (CFont* sourceFont = m_fontSource.GetSafeHwnd() ? m_fontSource.GetFont() : nullptr)
    sourceFont->GetLogFont(&font);
  m_panelFont.DeleteObject();
  m_panelFont.CreateFontIndirect(&font);
  font.lfWeight = kHeadingWeight;
  m_headingFont.DeleteObject();
  m_headingFont.CreateFontIndirect(&font);
  CFont* oldFont = dc.SelectObject(&m_panelFont);

  // Each column starts right of the one before, whose heading gave its width.
  int x = kFirstColumnX;
  for (int column = 0; column < kColumnCount; ++column) x += DrawColumn(&dc, column, x) + kColumnGap;
  m_nColumn = kColumnCount;
  m_nPenX = x;
  m_nPenY = kColumnTop;
  m_nColumnWidth = kPreviewWidthSetting;
  const int previewWidth =
      DrawPanelHeading(&dc, LoadStringOrPlaceholder(IDS_EXPORT_PREVIEW), m_columns[1].options.front().code);
  DrawColumnFrame(&dc, x, previewWidth);
  dc.SelectClipRgn(nullptr);
  DrawPreview(&dc, x);

  dc.SelectObject(oldFont);
  dc.SelectObject(oldBrush);
  dc.SelectObject(oldPen);
}

void CExportOptionsDialog::DrawBackground(CDC* dc, const CRect& client) {
  CBrush face(GetSysColor(COLOR_BTNFACE));
  CBrush* white = dc->SelectObject(&face);
  dc->Rectangle(client);
  dc->SelectObject(white);
  m_clipRegion.DeleteObject();
  m_clipRegion.CreateRectRgnIndirect(client);
  dc->SelectClipRgn(&m_clipRegion);
}

int CExportOptionsDialog::DrawColumn(CDC* dc, int column, int x) {
  const SExportColumn& options = m_columns[size_t(column)];
  m_nColumn = column;
  m_nPenX = x;
  m_nPenY = kColumnTop;
  m_nColumnWidth = options.widthSetting;
  const int width =
      DrawPanelHeading(dc, LoadStringOrPlaceholder(options.headingId), options.options.front().code);
  for (const SExportOption& option : options.options)
    DrawOption(dc, option.code, LoadStringOrPlaceholder(option.labelId));
  DrawColumnFrame(dc, x, width);
  return width;
}

void CExportOptionsDialog::DrawColumnFrame(CDC* dc, int x, int width) {
  dc->Rectangle(x - kFrameOutset, kFrameTop, x + width + kFrameOutset, kFrameBottom);
}

int CExportOptionsDialog::DrawPanelHeading(CDC* dc, const CString& heading, int code) {
  const SExportOption* option = FindOption(code);
  const int pictureWidth = option ? PictureSize(option->pictureId).cx : 0;
  const CRect rect(m_nPenX, m_nPenY, m_nPenX + m_nColumnWidth + kMargin + pictureWidth + 1,
                   m_nPenY + 2 * kMargin + dc->GetTextExtent(u"A").cy);
  CBrush fill(kHeadingFill);
  CPen outline(PS_SOLID, 1, kHeadingFill);
  CPen line(PS_SOLID, 1, kHeadingLine);
  CBrush* oldBrush = dc->SelectObject(&fill);
  CPen* oldPen = dc->SelectObject(&outline);
  dc->Rectangle(rect);
  dc->SelectObject(&line);
  dc->MoveTo(rect.left, rect.bottom - 1);
  dc->LineTo(rect.right, rect.bottom - 1);
  dc->SelectObject(oldPen);
  dc->SelectObject(oldBrush);

  CFont* oldFont = dc->SelectObject(&m_headingFont);
  const COLORREF oldColor = dc->SetTextColor(kHeadingText);
  dc->TextOut(m_nPenX + kMargin, m_nPenY + kMargin, heading);
  const int boldHeight = dc->GetTextExtent(u"A").cy;
  dc->SetTextColor(oldColor);
  dc->SelectObject(oldFont);

  m_nLastHeadingWidth = rect.Width();
  m_nPenY += boldHeight + 3 * kMargin;
  ExcludeDrawn(dc, rect);
  return rect.Width();
}

void CExportOptionsDialog::DrawOption(CDC* dc, int code, const CString& label) {
  const SExportOption* option = FindOption(code);
  if (!option) return;
  CDibSectionNP* picture = Picture(option->pictureId);
  const CSize size = PictureSize(option->pictureId);
  const CRect rect(m_nPenX, m_nPenY, m_nPenX + m_nColumnWidth + kMargin + size.cx,
                   m_nPenY + size.cy + 2 * kSpacing);
  CGdiObject* oldPen = dc->SelectStockObject(WHITE_PEN);
  dc->Rectangle(rect);
  dc->SelectObject(oldPen);
  m_hitRegions.Add(rect, 0, m_nColumn, code, nullptr, true);
  m_optionRects[code] = rect;

  const bool hovered = code == m_nHovered;
  const bool chosen = code == m_choices[size_t(m_nColumn)];
  if (hovered || chosen) DrawOptionHighlight(dc, rect, hovered, chosen);
  if (picture) picture->Draw(dc, m_nPenX, m_nPenY + kSpacing, TRUE);

  CString first, second;
  SplitOptionLabel(label, CharsPerLine(dc, label, rect.Width(), size.cx), first, second);
  const int textX = m_nPenX + size.cx + kMargin;
  const int textY = m_nPenY + kSpacing + size.cy / 2 - m_nTextOffset;
  const COLORREF oldColor = dc->SetTextColor(kLabelText);
  dc->TextOut(textX, textY, first);
  if (!second.IsEmpty()) dc->TextOut(textX, textY + dc->GetTextExtent(u"A").cy, second);
  dc->SetTextColor(oldColor);

  m_nPenY += kMargin + 2 * kSpacing + size.cy;
  ExcludeDrawn(dc, rect);
}

void CExportOptionsDialog::DrawOptionHighlight(CDC* dc, const CRect& rect, bool hovered, bool chosen) {
  const SHighlightColors& colors = chosen ? (hovered ? kChosenHovered : kChosen) : kHovered;
  TRIVERTEX vertices[4] = {Vertex(rect.left, rect.top, colors.top), Vertex(rect.right, rect.top, colors.top),
                           Vertex(rect.left, rect.bottom, colors.bottom),
                           Vertex(rect.right, rect.bottom, colors.bottom)};
  GRADIENT_TRIANGLE triangles[2] = {{0, 1, 2}, {1, 3, 2}};
  dc->GradientFill(vertices, 4, triangles, 2, GRADIENT_FILL_TRIANGLE);
  CBrush frame(colors.frame);
  dc->FrameRect(rect, &frame);
}

int CExportOptionsDialog::GetWidestCharWidth(CDC* dc, const CString& text) {
  int widest = 0;
  for (int i = 0; i < text.GetLength(); ++i)
    widest = std::max(widest, int(dc->GetTextExtent(text.Mid(i, 1)).cx));
  return widest;
}

int CExportOptionsDialog::CharsPerLine(CDC* dc, const CString& label, int rowWidth, int pictureWidth) {
  const int widest = GetWidestCharWidth(dc, label);
  return widest > 0 ? (rowWidth - 2 * kMargin - pictureWidth) / widest : label.GetLength();
}

void CExportOptionsDialog::DrawPreview(CDC* dc, int x) {
  const int count = GetPreviewCount();
  const int stripWidth = PictureSize(IDB_PREVIEW_HEADER).cx;
  int left = x + m_nLastHeadingWidth / (count + 1) - (stripWidth + 8) / 2;
  bool iconTransparent = false;
  const UINT icon = GetPreviewIcon(iconTransparent);
  for (int picture = 0; picture < count; ++picture, left += kPreviewStep) {
    int y = kPreviewTop;
    for (UINT strip : GetPreviewStrips(picture)) {
      if (CDibSectionNP* piece = Picture(strip)) piece->Draw(dc, left, y, FALSE);
      y += PictureSize(strip).cy;
    }
    if (CDibSectionNP* piece = Picture(icon))
      piece->Draw(dc, left + kPreviewIconX, kPreviewTop + kPreviewIconY, iconTransparent);
  }
}
