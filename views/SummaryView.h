#pragma once
// CSummaryView: the scrolling page that sums up the measurements chosen for the summary: a
// title, the peak-load chart with its sort-key and unit links, the list of peak loads, the
// statistics and the comment. Every figure comes from the document's summary at each drawing;
// the view keeps only its layout memory, the hover state and the hit regions of the last
// screen drawing. The same blocks give the summary's text form, the printout and the picture.
//
// Members live in several sources by concern: layout (SummaryView.cpp), the blocks
// (SummaryBlocks.cpp), the chart (SummaryChart.cpp), the text form and copy (SummaryText.cpp),
// mouse and keys (SummaryInput.cpp), printing and the picture (SummaryOutput.cpp).

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/gdi/Brush.h"
#include "platform/gdi/Pen.h"
#include "platform/ui/ScrollView.h"
#include "toolkit/SensitiveArea.h"

class CZedoDoc;
class CGraphGrid;
class CToolTipCtrl;
struct SUM_MEAS_T;

class CSummaryView : public CScrollView {
  DECLARE_MESSAGE_MAP()

 public:
  // What the hit regions of a drawing stand for.
  enum EHitId {
    HIT_NONE = 0,
    HIT_BAR = 1,
    HIT_LIST_VALUE = 2,
    HIT_COMMENT = 3,
    HIT_UNIT = 4,
    HIT_SORT_KEY = 5
  };
  static constexpr int kInitialSize = 800;
  static constexpr int kToolId = 666;

  explicit CSummaryView(CZedoDoc* doc);
  ~CSummaryView() override;

  BOOL PreTranslateMessage(MSG* msg) override;
  void OnDraw(CDC* dc) override;
  void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
  virtual void PrintSummary();
  virtual void CopyAsText();
  virtual void SetupFonts(CDC* dc, CPrintInfo* info, BOOL selection);

  // Lays the page out and draws it on a screen, memory or printer context.
  void DrawSummary(CDC* dc);
  // The blocks, with (x, y) their top-left corner; each returns its size and appends its text
  // form to the sink when one is given. Measuring draws nothing and adds no hit region.
  CSize DrawTitle(CDC* dc, int x, int y, bool measureOnly, CString* text);
  CSize DrawStatistics(CDC* dc, int x, int y, bool measureOnly, CString* text);
  CSize DrawPeakLoadList(CDC* dc, int x, int y, int columnHeight, bool measureOnly);
  CSize DrawComment(CDC* dc, int x, int y, int width, CString* text);
  CSize DrawPeakLoadChart(CDC* dc, int x, int y, int width, int height, bool measureOnly, CString* text);
  // The text, shortened with "..." until it is at most maxWidth wide in the selected font.
  static CString FitText(CDC* dc, const CString& text, int maxWidth);

  CString GetSummaryText();
  // One line of the summary table: the header for -1, else the row of that entry.
  CString FormatTable(int index);
  void AppendTableLine(int index, CString& line);
  void GetTooltipTexts(int entry, CString& title, CString& text);
  void HideTooltip();
  // Renders the page at the content size and writes it as a picture file of the type
  // (IMAGE_TYPE_BMP, _JPEG, _PNG); false when the picture could not be encoded.
  bool ExportImage(const CString& path, DWORD type);

  // What the last drawing left, for the page and for tools that report on it.
  CSize GetContentSize() const { return m_contentSize; }
  int GetBarWidth() const { return m_nBarWidth; }
  int GetBarGap() const { return m_nBarGap; }
  int GetListColumnHeight() const { return m_nListColumnHeight; }
  int GetHoveredEntry() const { return m_nHoveredEntry; }
  int GetHoveredHitId() const { return m_nHoveredHitId; }
  int GetLastTooltipEntry() const { return m_nLastTooltipEntry; }
  CToolTipCtrl* GetToolTip() const { return m_pToolTip.get(); }
  const CSensitiveArea& GetHitAreas() const { return m_hitAreas; }

 protected:
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  void OnMouseMove(UINT flags, CPoint point);
  void OnMouseLeave();
  void OnLButtonDown(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  BOOL OnEraseBkgnd(CDC* dc);

 private:
  struct SDiscTexts;
  const SDiscTexts& DiscTexts(int index, const SUM_MEAS_T& entry);
  const CString& TearOffText(const SUM_MEAS_T& entry);
  // The widths of the entries' value texts, measured once per drawing for the column search.
  void MeasureValueWidths(CDC* dc);
  // The hit region under a client point, in page coordinates; false for none.
  bool HitTestClient(CPoint point, int& id, int& data, RECT* rect) const;
  bool HasEntries() const;
  void CreateToolTip();
  struct SBarLayout {
    int width;
    int gap;
    CFont* labelFont;
    bool labels;  // whether the values are written above the bars
  };
  void DrawBars(CDC* dc, const RECT& plot, CGraphGrid& grid, const SBarLayout& layout, CString* text);
  void PrintPages(CDC& dc, CPrintInfo& info);

  CZedoDoc* m_pDoc;
  CSize m_contentSize{kInitialSize, kInitialSize};
  const int m_nMargin = 10;
  CBrush m_barBrush;
  CPen m_barPen;
  CBrush m_hoverBrush;
  CPen m_hoverPen;
  CBrush m_highlightBrush;
  CPen m_highlightPen;
  COLORREF m_linkColor;
  HCURSOR m_hHandCursor;
  HCURSOR m_hArrowCursor;
  CSensitiveArea m_hitAreas;
  // Where drawing adds its hit regions: the view's own, or a scratch list for the text form,
  // so that the text form leaves the screen's regions alone.
  CSensitiveArea* m_pHits = &m_hitAreas;
  std::unique_ptr<CToolTipCtrl> m_pToolTip;
  int m_nLastTooltipEntry = -1;
  int m_nHoveredHitId = HIT_NONE;
  int m_nHoveredEntry = -1;
  int m_nRememberedListHeight = 0;
  int m_nRememberedWidth = -1;
  int m_nRememberedCount = -1;
  int m_nListColumnHeight = 0;
  int m_nListColumns = 0;
  int m_nBarWidth = 0;
  int m_nBarGap = 0;
  // The entries' value texts in the normal font, measured once per drawing.
  std::vector<int> m_valueWidths;
  // Set while the text form runs the blocks: their pictures are thrown away unseen.
  bool m_bTextPass = false;
  // Texts that many rows of one text form share, by the values they are made from: the disc's
  // area, diameter and load rate by area and load rate, the tear-off time by its tenths.
  struct SDiscTexts {
    CString area;
    CString diameter;
    CString loadRate;
  };
  std::unordered_map<std::uint32_t, SDiscTexts> m_discTexts;
  std::unordered_map<std::uint32_t, CString> m_tearOffTexts;
  // Printing only.
  CFont m_printFont;
  int m_nCharWidth = 0;
  int m_nPrintWindowWidth = 0;
  int m_nPrintWindowHeight = 0;
  int m_nPrintViewportWidth = 0;
  int m_nPrintViewportHeight = 0;
  // The drawn page's height before the content size's allowance, for the page count.
  int m_nDrawnHeight = 0;
};
