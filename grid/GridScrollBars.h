#pragma once
// The scroll bars of a grid window, shared by both grids: which bars the cells need, their
// ranges and pages, the positions read and written, and how scroll codes move a bar.

#include <functional>

#include "grid/CellAddr.h"
#include "grid/CellBlock.h"
#include "grid/GridSizeSums.h"
#include "platform/ui/Wnd.h"

// One bar of a grid as a scroll code moves it. The line steps are the sizes of the shown row or
// column before and at the first scrolled one; a step below 0 takes no line that way.
struct SGridBarScroll {
  int bar;
  CRect client;
  // The fixed rows' height or the fixed columns' width: the part of the client area that stays.
  int fixedExtent;
  int lineBack;
  int lineForward;
  // Pixel scrolling moves within a row, so every thumb move repaints.
  bool thumbAlwaysRepaints;
};

class CGridScrollBars {
 public:
  // The bars scroll the grid's rows and columns of these sizes. The grid computes places from
  // the positions: `forgetPlaces` tells it that they changed.
  CGridScrollBars(CWnd& wnd, const CGridSizeSums& rowHeights, const CGridSizeSums& colWidths,
                  std::function<void()> forgetPlaces);

  // Shows the bars that cells of the total sizes need beside their fixed rows and columns, and
  // sets their ranges and maxima; nothing while drawing is not allowed or there is no window.
  void Update(bool allowDraw, int fixedWidth, int fixedHeight, int totalWidth, int totalHeight);
  // The bar's position, or its tracking position; 0 without a window.
  int Read(int bar, bool track) const;
  void Write(int bar, int pos);
  int GetMaximum(int bar) const { return bar == SB_VERT ? m_vMax : m_hMax; }
  // Bits 0x01 (horizontal bar shown) and 0x02 (vertical bar shown).
  UINT GetState() const { return m_state; }

  // Moves the bar by a line, page, end or thumb code; a page is the client area beside the
  // fixed extent, and `firstScrolled` gives the grid's top-left scrolled cell. A move repaints
  // the scrolled cells (all of the client area for either end) when the position changed, a
  // thumb move when the first scrolled cell changed; other codes do nothing.
  void Scroll(UINT code, const SGridBarScroll& scroll, const std::function<CCellAddr()>& firstScrolled);
  // Posts the vertical scrolls of a wheel rotation: a page for every 120 units with -1 wheel
  // lines, else the rotation times the wheel lines over 120 lines; up for a rotation away from
  // the user.
  void PostWheelScrolls(int delta, int wheelLines);
  // Brings the cell into view by line scrolls, as both grids do with whole rows: over the shown
  // columns and rows between the visible range and the cell (never into the fixed ones before
  // `firstScrollable`), then on while the cell's rectangle (from `cellRect`) still reaches past
  // the client area's right or bottom edge beyond the fixed size. A focus the scrolls took goes
  // back.
  void BringCellIntoView(const CCellAddr& cell, const CCellBlock& visible, const CCellAddr& firstScrollable,
                         const CRect& client, const CSize& fixedSize,
                         const std::function<bool(CRect&)>& cellRect);
  // The line scrolls that bring `index` into the visible indexes firstVisible to lastVisible:
  // over the shown ones after the last visible up to it, then over those before the first
  // visible down to it (never into the fixed ones before `fixedCount`).
  void ScrollLinesToward(int bar, int firstVisible, int lastVisible, int index, int fixedCount);
  // One line scroll for each shown row or column from `from` on, by `step` (1 towards the end,
  // -1 towards the start), not past `last`.
  void ScrollLinesOver(int bar, int from, int last, int step);
  // Line scrolls towards the end of the bar while the rectangle `cellRect` gives reaches past
  // the client area's far edge and starts after the fixed extent, while the bar is shown and as
  // long as each line moves it.
  void ScrollLinesWhilePastEdge(int bar, const CRect& client, int fixedExtent,
                                const std::function<bool(CRect&)>& cellRect);

 private:
  void Fit(int fixedWidth, int fixedHeight, int totalWidth, int totalHeight);

  const CGridSizeSums& SizesAlong(int bar) const { return bar == SB_VERT ? m_rowHeights : m_colWidths; }

  CWnd& m_wnd;
  const CGridSizeSums& m_rowHeights;
  const CGridSizeSums& m_colWidths;
  std::function<void()> m_forgetPlaces;
  UINT m_state = 0;
  int m_vMax = 0;
  int m_hMax = 0;
};
