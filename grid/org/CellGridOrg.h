#pragma once
// CCellGridOrg: the second, plainer grid window. It owns a table of CCellBaseOrg cells with
// fixed heading rows and columns, four default cells, a focus cell and a selection that is
// also kept as a set of addresses, a column order (and in virtual mode a row order) between
// displayed and stored places, title tips for cut-off texts, 8-bit clipboard text and sorting.
// Its members live in sources named after their concern: CellGridOrgModel.cpp (creation,
// counts, cells), CellGridOrgGeometry.cpp (sizes, places, visible range, scrolling and
// auto-size), CellGridOrgSelection.cpp, CellGridOrgDraw.cpp, CellGridOrgMouse.cpp,
// CellGridOrgKeys.cpp, CellGridOrgNotify.cpp (notices and virtual mode), CellGridOrgEdit.cpp,
// CellGridOrgClipboard.cpp, CellGridOrgSort.cpp, CellGridOrgDragDrop.cpp and
// CellGridOrgMessages.cpp (fonts, colours, size and the message table).

#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "grid/CellAddr.h"
#include "grid/CellBlock.h"
#include "grid/GridItemInfo.h"
#include "grid/GridMouseMode.h"
#include "grid/GridPrintInfo.h"
#include "grid/GridPrintout.h"
#include "grid/GridScrollBars.h"
#include "grid/GridSizeSums.h"
#include "grid/org/CellGridDropTargetOrg.h"
#include "grid/org/CellTipOrg.h"
#include "grid/org/DefaultCellOrg.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/OleDataObject.h"
#include "platform/ui/Wnd.h"

class CCellBaseOrg;
class CCmdUI;
class CPrintInfo;
class COleDataSource;
class CScrollBar;

// The second grid's cell address: displayed row and column, -1 for none.
using CCellAddrOrg = CCellAddr;

// Answers a display-info request of virtual mode by filling the record.
using OrgDisplayInfoFunction = BOOL (*)(GRIDDISPINFO* info, LPARAM data);
// Compares two cells (CCellBaseOrg pointers) for sorting: negative, zero or positive.
using OrgCellCompareFunction = int (*)(LPARAM first, LPARAM second, LPARAM data);
// Whether the first data row sorts before the second (virtual mode).
using OrgRowOrderPredicate = bool (*)(int first, int second);

class CCellGridOrg : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CCellGridOrg(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
  ~CCellGridOrg() override;

  // ---- creation, counts and cells (CellGridOrgModel.cpp)
  static BOOL RegisterGridClass();
  void PreSubclassWindow() override;
  void InitDefaultCells();

  int GetRowCount() const { return m_rows; }
  int GetColumnCount() const { return m_cols; }
  int GetFixedRowCount() const { return m_fixedRows; }
  int GetFixedColumnCount() const { return m_fixedCols; }
  BOOL SetRowCount(int rows);
  BOOL SetColumnCount(int cols);
  BOOL SetFixedRowCount(int fixedRows);
  BOOL SetFixedColumnCount(int fixedCols);
  BOOL DeleteAllCells();

  BOOL IsValid(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }
  BOOL IsValid(const CCellAddrOrg& cell) const { return IsValid(cell.row, cell.col); }

  CCellBaseOrg* GetCell(int row, int col) const;
  CDefaultCellOrg* GetDefaultCell(BOOL fixedRow, BOOL fixedCol) const;
  BOOL SetCell(int row, int col, CCellBaseOrg* cell);
  BOOL SetCellType(int row, int col, const CRuntimeClass* cellClass);
  BOOL SetCellText(int row, int col, LPCTSTR text);
  CString GetCellText(int row, int col) const;
  UINT GetCellState(int row, int col) const;
  BOOL ApplyCellInfo(const GRIDITEMINFO* item);
  void SetModified(BOOL modified = TRUE, int row = -1, int col = -1);
  BOOL GetModified() const { return m_modified; }

  // The column order (displayed column -> stored column) and, in virtual mode, the row order
  // (displayed row -> data row).
  const std::vector<int>& GetColumnOrder() const { return m_columnOrder; }
  const std::vector<int>& GetRowOrder() const { return m_rowOrder; }

  // ---- settings
  void SetEditable(BOOL on) { m_editable = on; }
  BOOL IsEditable() const { return m_editable; }
  void SetDragAndDrop(BOOL on) { m_dragAndDrop = on; }
  void SetListMode(BOOL on) { m_listMode = on; }
  void SetSingleRowSelection(BOOL on) { m_singleRowSelection = on; }
  void SetFixedColumnSelection(BOOL on) { m_fixedColClickSelectsRows = on; }
  void SetFixedRowSelection(BOOL on) { m_fixedRowClickSelectsCols = on; }
  void SetHeaderSort(BOOL on) { m_headerSort = on; }
  void SetTitleTips(BOOL on) { m_titleTips = on; }
  void SetAutoSizeStyle(int style) { m_autoSizeStyle = style; }
  void SetColumnDrag(BOOL on) { m_columnDragReorders = on ? 1 : 0; }
  void SetRowDragMovesRows(BOOL on) { m_rowDragMovesRows = on ? 1 : 0; }
  void SetTabMovesToNextControl(BOOL on) { m_tabToNextControl = on ? 1 : 0; }
  void SetGridLines(int lines) { m_gridLines = lines; }
  int GetGridLines() const { return m_gridLines; }
  void SetWheelScrollLines(int lines) { m_wheelScrollLines = lines; }
  void SetFrameFocusCell(BOOL on) { m_frameFocusCell = on; }
  BOOL GetFrameFocusCell() const { return m_frameFocusCell; }
  BOOL GetHighlightFocusHeaders() const { return m_highlightFocusHeaders; }
  void SetImageList(CImageList* list) { m_imageList = list; }
  CImageList* GetImageList() const { return m_imageList; }
  BOOL GetPrintColors() const { return m_printout.GetColors(); }
  void SetPrintColors(BOOL on) { m_printout.SetColors(on); }
  void EnableSelection(BOOL on) { m_selectionEnabled = on; }

  // ---- geometry, scrolling and auto-size (CellGridOrgGeometry.cpp)
  int GetRowHeight(int row) const;
  int GetColumnWidth(int col) const;
  BOOL SetRowHeight(int row, int height);
  BOOL SetColumnWidth(int col, int width);
  int GetFixedRowsHeight() const;
  int GetFixedColumnsWidth() const;
  int GetTotalHeight() const;
  int GetTotalWidth() const;
  CCellAddrOrg GetTopLeftScrollCell(BOOL force = FALSE);
  CCellBlock GetVisibleCellRange(CRect* rect = nullptr);
  BOOL IsCellVisible(int row, int col);
  BOOL GetCellOrigin(int row, int col, CPoint& origin);
  BOOL GetCellRect(int row, int col, CRect& rect);
  CCellAddrOrg GetCellAtPoint(CPoint point, BOOL allowFixed = FALSE);
  void EnsureVisible(int row, int col);
  void UpdateScrollBars();
  UINT GetScrollBarState() const { return m_scrollBars.GetState(); }
  void AutoSize(UINT flags = 0);
  BOOL AutoSizeColumn(int col, UINT flags = 0, BOOL resetScrollBars = TRUE);
  void AutoSizeColumns(UINT flags = 0);
  BOOL AutoSizeRow(int row, BOOL resetScrollBars = TRUE);

  // ---- selection and focus (CellGridOrgSelection.cpp)
  BOOL SetCellState(int row, int col, UINT state);
  BOOL IsCellSelected(int row, int col) const;
  int GetSelectedCount() const { return int(m_selected.size()); }
  CCellBlock GetSelectedCellRange() const;
  void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint = FALSE,
                        BOOL select = TRUE);
  void ClearSelection();
  void SelectAllCells();
  void SelectCells(CCellAddrOrg cell, BOOL forceRepaint = FALSE, BOOL select = TRUE);
  void SelectColumns(CCellAddrOrg cell, BOOL forceRepaint = FALSE, BOOL select = TRUE);
  void SelectRows(CCellAddrOrg cell, BOOL forceRepaint = FALSE, BOOL select = TRUE);
  void SelectToCell(CCellAddrOrg cell);
  CCellAddrOrg SetFocusCell(int row, int col);
  CCellAddrOrg GetFocusCell() const { return m_focusCell; }

  // ---- drawing (CellGridOrgDraw.cpp)
  virtual BOOL OnDraw(CDC* dc);
  BOOL RedrawCell(int row, int col, CDC* dc = nullptr);
  BOOL InvalidateCellRect(int row, int col);

  // ---- notices and virtual mode (CellGridOrgNotify.cpp)
  LRESULT SendNotification(int row, int col, int code);
  LRESULT SendCacheHint(const CCellBlock& range);
  void SetVirtualMode(BOOL on);
  BOOL GetVirtualMode() const { return m_virtualMode; }
  void SetDisplayInfoCallback(OrgDisplayInfoFunction callback, LPARAM data) {
    m_callback = callback;
    m_callbackData = data;
  }

  // ---- editing (CellGridOrgEdit.cpp)
  virtual BOOL BeginCellEdit(int row, int col, CPoint point, UINT ch);
  virtual void FinishCellEdit(int row, int col, LPCTSTR text);
  virtual BOOL ValidateCellText(int row, int col, LPCTSTR text);
  virtual void StopEditing();
  void ValidateAndSetCellText(int row, int col, LPCTSTR text);

  // ---- clipboard (CellGridOrgClipboard.cpp)
  virtual void ClearSelectedCells();
  // The selected block as 8-bit text, ended by one zero byte; empty when nothing valid is
  // selected.
  std::vector<BYTE> BuildClipboardText();
  // The selected block's text as CF_TEXT in a new data source the caller owns; none without a
  // valid selected block.
  virtual std::unique_ptr<COleDataSource> CopyToDataSource();
  // Pastes the data's CF_TEXT from the cell on; FALSE when there is none or the cell takes none.
  virtual BOOL PasteFromDataObject(int row, int col, COleDataObject* data, BOOL selectPasted);
  // Fills cells from (row, col) on with the fields of an 8-bit text block (read up to its
  // first zero byte or its end).
  BOOL PasteTextBlock(int row, int col, const std::vector<BYTE>& block, BOOL selectPasted);
  virtual void OnEditCut();
  virtual void OnEditCopy();
  virtual void OnEditPaste();
  virtual void OnEditSelectAll();

  // ---- sorting (CellGridOrgSort.cpp)
  void SetSortCallback(OrgCellCompareFunction compare) { m_sortCallback = compare; }
  void SetRowOrderPredicate(OrgRowOrderPredicate predicate) { m_rowOrderPredicate = predicate; }
  BOOL SortByColumn(int col, BOOL ascending, LPARAM data = 0);
  BOOL SortWithCallback(OrgCellCompareFunction compare, int col, BOOL ascending, LPARAM data = 0);
  BOOL SortRange(OrgCellCompareFunction compare, int col, BOOL ascending, LPARAM data, int low, int high = -1);
  static int CompareCellsText(LPARAM first, LPARAM second, LPARAM data);
  static int CompareCellsNumeric(LPARAM first, LPARAM second, LPARAM data);
  int GetSortColumn() const { return m_sortColumn; }
  BOOL GetSortAscending() const { return m_sortAscending; }
  // The data column a row-order predicate compares by during a virtual-mode sort.
  int GetDraggedColumn() const { return m_draggedColumn; }

  // ---- drag and drop, row and column moves (CellGridOrgDragDrop.cpp)
  virtual void OnBeginDrag();
  virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
  virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
  virtual void OnDragLeave();
  virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);
  // Moves a displayed column to another place, width included; FALSE for a move onto itself.
  BOOL MoveColumn(int from, int to);
  BOOL MoveRowOrderEntry(int from, int to);
  virtual void AdjustRowOrder(int row, int count);

  // ---- printing (CellGridOrgPrint.cpp)
  void SetPrintAcrossPages(BOOL on) { m_printAcrossPages = on; }
  const SGridPrintMetrics& GetPrintMetrics() const { return m_printout.GetMetrics(); }
  virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
  virtual void OnPrint(CDC* dc, CPrintInfo* info);
  virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
  // One row's cells from a column on, from x `left`, stopping at the page width.
  virtual void PrintRowCells(CDC* dc, int row, int firstCol, int left, int top, int bottom);
  virtual void PrintFixedRows(CDC* dc);
  virtual void PrintPageHeader(CDC* dc, CPrintInfo* info);
  virtual void PrintPageFooter(CDC* dc, CPrintInfo* info);
  virtual void PrintFixedColumns(CDC* dc, int firstRow, int endRow);

  // The title tip, for callers that look at what it shows.
  CCellTipOrg& GetTitleTip() { return m_titleTip; }

  // Header clicks (CellGridOrgMouse.cpp).
  virtual void HandleFixedColumnClick(CCellAddrOrg cell);
  virtual void HandleFixedRowClick(CCellAddrOrg cell);

 protected:
  virtual CCellBaseOrg* CreateCell(int row, int col);
  virtual void DestroyCell(int row, int col);

  // Message handlers.
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnSize(UINT type, int cx, int cy);
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnTimer(UINT_PTR id);
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  void OnCaptureChanged(CWnd* wnd);
  UINT OnGetDlgCode();
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  LRESULT OnSysColorChange(WPARAM, LPARAM);
  LRESULT OnSetFontMessage(WPARAM font, LPARAM redraw);
  LRESULT OnGetFontMessage(WPARAM, LPARAM);
  LRESULT OnImeChar(WPARAM ch, LPARAM);
  void OnEditorClosed(NMHDR* header, LRESULT* result);
  void OnUpdateEditCopy(CCmdUI* cmdUI);
  void OnUpdateEditCut(CCmdUI* cmdUI);
  void OnUpdateEditPaste(CCmdUI* cmdUI);
  void OnUpdateEditSelectAll(CCmdUI* cmdUI);

 private:
  // The control id of the in-place editor.
  static constexpr UINT kInPlaceEditId = 8;
  using CellRow = std::vector<CCellBaseOrg*>;
  using AddressSet = std::set<std::pair<int, int>>;  // (row, column), visited in that order
  class SortRows;

  void CacheSystemColors();
  void ForgetTopLeft() { m_topLeft = CCellAddrOrg(); }
  void RefreshWindow();
  // Sets or clears the fixed bits of the cells in rows (or columns) from .. to - 1.
  void MarkFixed(bool rows, int from, int to, bool fixed);
  CCellBaseOrg* GetVirtualCell(int row, int col) const;
  CCellBaseOrg* StoredCell(int row, int col) const;
  // The state of a stored cell; in virtual mode only the selected bit, from the set.
  UINT CurrentState(int row, int col) const;
  void ResetColumnOrder();
  void ResetRowOrder();
  // Marks the sort column and forgets the selection and the focus.
  void MarkSortColumn(int col, BOOL ascending);
  void ForgetSortColumn();
  void DrawCellNow(int row, int col, CDC* dc, const CCellBlock& visible);
  void RedrawHeadersOf(int row, int col, bool rowChanged, bool colChanged);
  CRect GetGridClientRect() const;
  // Moves the bar by a scroll code in steps of whole rows or columns.
  void ScrollByCode(int bar, UINT code);
  void DrawGridLines(CDC* dc, const CCellBlock& range, int fixedWidth, int fixedHeight);
  void DrawCellsOf(CDC* dc, const CRect& clip, int firstRow, int lastRow, int firstCol, int lastCol, int top,
                   int left);
  // Mouse pieces (CellGridOrgMouse.cpp).
  bool PressOnBorder(CPoint point, const CCellAddrOrg& cell);
  void PressOnSelectedWithControl(UINT flags);
  void StartSelectionAt(UINT flags, const CCellAddrOrg& cell);
  void FinishSizing(CPoint point);
  void ShowTitleTip(const CCellAddrOrg& cell);
  // The column (or row) of the border at the point: the cell's, or the one before it near its
  // leading edge, passing hidden ones.
  int IndexBeforeBorderAt(CPoint point, const CCellAddrOrg& cell, bool columns);
  void DrawResizeLine(CPoint point);
  // Erases the resize line where it was shown and draws it at the point.
  void MoveResizeLine(CPoint point);
  // Moves the focus by a navigation key; FALSE when the key is not one.
  BOOL MoveFocusByKey(UINT key, bool shift);
  void SendCommandToOwner();
  // Drag and drop pieces (CellGridOrgDragDrop.cpp).
  bool RowDropsMoveRows() const;
  void SetDropHighlight(const CCellAddrOrg& cell, bool on);
  bool TakesTextAt(COleDataObject* data, const CCellAddrOrg& cell) const;
  // The grid lines on a cell's right and bottom edge, in the grid-line colour.
  void DrawCellLines(CDC* dc, const CRect& rect, int penWidth);
  // A cell printed into the rectangle with its grid lines.
  void PrintCellAt(CDC* dc, int row, int col, const CRect& rect);
  CWnd* NotifyTarget() const;

  COLORREF m_backgroundColor;
  COLORREF m_gridLineColor = RGB(0xC0, 0xC0, 0xC0);
  COLORREF m_cachedWindowText = 0, m_cachedWindow = 0, m_cachedButtonFace = 0, m_cachedButtonShadow = 0;
  COLORREF m_tipBackColor = CLR_DEFAULT;
  COLORREF m_tipTextColor = CLR_DEFAULT;
  BOOL m_virtualMode = FALSE;
  LPARAM m_callbackData = 0;
  OrgDisplayInfoFunction m_callback = nullptr;
  int m_gridLines = 3;
  BOOL m_editable = TRUE;
  BOOL m_modified = FALSE;
  BOOL m_dragAndDrop = FALSE;
  BOOL m_listMode = FALSE;
  BOOL m_singleRowSelection = FALSE;
  BOOL m_singleColSelection = FALSE;
  BOOL m_allowDraw = TRUE;
  BOOL m_selectionEnabled = TRUE;
  BOOL m_fixedColClickSelectsRows = TRUE;
  BOOL m_fixedRowClickSelectsCols = TRUE;
  BOOL m_headerSort = FALSE;
  BOOL m_handleTab = TRUE;
  BOOL m_doubleBuffering = TRUE;
  BOOL m_titleTips = TRUE;
  BOOL m_printAcrossPages = FALSE;
  BOOL m_hiddenColumnsUnhide = TRUE, m_hiddenRowsUnhide = TRUE;
  BOOL m_allowHidingColumns = TRUE, m_allowHidingRows = TRUE;
  BOOL m_highlightFocusHeaders = TRUE;
  BOOL m_frameFocusCell = TRUE;
  int m_autoSizeStyle = 3;
  int m_rows = 0, m_fixedRows = 0, m_cols = 0, m_fixedCols = 0;
  // Row heights by displayed row and column widths by displayed column, kept with running
  // sums so that places and the visible range are found without walking every row. A column
  // move moves its width with its order entry, so the width of a displayed column is always
  // the width of the stored column the order names.
  CGridSizeSums m_rowHeights;
  CGridSizeSums m_colWidths;
  // The bars' state and maxima; a change of their positions forgets the cached top-left cell.
  CGridScrollBars m_scrollBars{*this, m_rowHeights, m_colWidths, [this] { ForgetTopLeft(); }};
  const CRuntimeClass* m_defaultCellClass;
  std::unique_ptr<CDefaultCellOrg> m_defaultCells[4];  // normal, fixed column, fixed row, corner
  CImageList* m_imageList = nullptr;
  std::vector<CellRow> m_cells;  // by displayed row, then stored column
  EGridMouseMode m_mouseMode = kMouseIdle;
  BOOL m_leftButtonDown = FALSE;
  CPoint m_buttonDownPoint, m_lastMousePoint;
  CCellAddrOrg m_buttonDownCell, m_selectionAnchor, m_focusCell, m_topLeft;
  UINT_PTR m_selectionTimer = 0;
  int m_selectionTimerInterval = 25;
  int m_resizeCaptureRange = 3;
  BOOL m_allowRowResize = TRUE, m_allowColumnResize = TRUE;
  int m_wheelScrollLines = 3;
  // The selected cells and the selection a Control press started from; keyed by the whole
  // row and column, so that no two cells ever share a key.
  AddressSet m_selected;
  AddressSet m_previousSelection;
  CCellTipOrg m_titleTip;
  CCellAddrOrg m_dragOverCell;
  CCellGridDropTargetOrg m_dropTarget;
  BOOL m_sortAscending = TRUE;
  int m_sortColumn = -1;
  OrgCellCompareFunction m_sortCallback = nullptr;
  // The print layout, the printer font, the measures and the pages of the printout.
  CGridPrintout m_printout;
  int m_draggedColumn = -1;
  std::vector<int> m_rowOrder;
  std::vector<int> m_columnOrder;
  BYTE m_rowDragMovesRows = 1;
  int m_dragSourceRow = -1;
  OrgRowOrderPredicate m_rowOrderPredicate = nullptr;
  BYTE m_destroying = 0;
  BYTE m_columnDragReorders = 0;
  BYTE m_tabToNextControl = 0;
  BYTE m_rowSelectionWithFixed = 0;
  CPoint m_resizeLineFrom, m_resizeLineTo;
  bool m_resizeLineShown = false;
};
