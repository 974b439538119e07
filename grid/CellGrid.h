#pragma once
// CCellGrid: the extended grid window. It owns a table of cells with fixed heading rows and
// columns, row heights and column widths, four default cells, a focus cell and a selection,
// and draws every cell through the cells' own drawing operations. Its members live in sources
// named after their concern: CellGridModel.cpp (creation, counts, cells and their attributes),
// CellGridGeometry.cpp (sizes, places, the visible range), CellGridScroll.cpp (scroll bars,
// scrolling, auto-size), CellGridSelection.cpp, CellGridDraw.cpp (painting and rendering),
// CellGridNotify.cpp (notices to the owner window and virtual mode),
// CellGridMessages.cpp (fonts, colours and the message table), CellGridSort.cpp,
// CellGridClipboard.cpp, CellGridEdit.cpp (in-place editing and text changes through the edit
// checks), CellGridMouse.cpp, CellGridSizing.cpp (dragging row and column borders),
// CellGridKeys.cpp, CellGridTips.cpp (hover and sub-area tips), CellGridDrag.cpp (drag and
// drop) and CellGridPrint.cpp.

#include <memory>
#include <set>
#include <vector>

#include "grid/CellAddr.h"
#include "grid/CellBlock.h"
#include "grid/CellGridDropTarget.h"
#include "grid/DefaultCell.h"
#include "grid/GridItemInfo.h"
#include "grid/GridMouseMode.h"
#include "grid/GridPrintInfo.h"
#include "grid/GridPrintout.h"
#include "grid/GridScrollBars.h"
#include "grid/GridSizeSums.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/OleDataSource.h"
#include "platform/ui/Wnd.h"

class CCellBase;
class CPrintDialog;
class CPrintInfo;
class CCmdUI;
class CScrollBar;
class CToolTipCtrl;

// The display-info callback of virtual mode: fills the record for its row and column.
using DisplayInfoFunction = BOOL (*)(GRIDDISPINFO* info, LPARAM data);
// Compares two cells for sorting: negative when the first sorts before the second, 0 when equal.
using CellCompareFunction = int (*)(CCellBase* first, CCellBase* second, LPARAM data);

class CCellGrid : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CCellGrid(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
  ~CCellGrid() override;

  // ---- creation, counts and cells (CellGridModel.cpp)
  static BOOL RegisterGridClass();
  BOOL Create(const RECT& rect, CWnd* parent, UINT id,
              DWORD style = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
  void PreSubclassWindow() override;

  int GetRowCount() const { return m_rows; }
  int GetColumnCount() const { return m_cols; }
  int GetFixedRowCount() const { return m_fixedRows; }
  int GetFixedColumnCount() const { return m_fixedCols; }
  BOOL SetRowCount(int rows);
  BOOL SetColumnCount(int cols);
  BOOL SetFixedRowCount(int fixedRows);
  BOOL SetFixedColumnCount(int fixedCols);
  void RemoveAllCells();

  BOOL IsValid(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }
  BOOL IsValid(const CCellAddr& cell) const { return IsValid(cell.row, cell.col); }
  BOOL IsValidRange(const CCellBlock& range) const {
    return range.IsValid() && range.maxRow < m_rows && range.maxCol < m_cols;
  }

  CCellBase* GetCell(int row, int col) const;
  CDefaultCell* GetDefaultCell(BOOL fixedRow, BOOL fixedCol) const;
  void InitDefaultCells();
  BOOL SetCell(int row, int col, CCellBase* cell, CCellBase** previous = nullptr);
  BOOL SetCellType(int row, int col, const CRuntimeClass* cellClass);
  BOOL SetDefaultCellType(const CRuntimeClass* cellClass);
  BOOL SetCellText(int row, int col, LPCTSTR text);
  CString GetCellText(int row, int col) const;
  BOOL SetCellState(int row, int col, UINT state);
  UINT GetCellState(int row, int col) const;
  BOOL SetCellFormat(int row, int col, UINT format);
  UINT GetCellFormat(int row, int col) const;
  BOOL SetCellBackColor(int row, int col, COLORREF color);
  void SetModified(int row, int col);
  BOOL SetCellColumnRange(int row, int firstCol, int lastCol);

  BOOL SetUseAltColors(BOOL on);
  BOOL GetUseAltColors() const { return m_useAltColors; }
  BOOL SetWholeRowScrolling(BOOL on);
  void SetRedraw(BOOL allow, BOOL resetScrollBars = FALSE);

  void SetGridLines(int lines);
  int GetGridLines() const { return m_gridLines; }
  void SetGridLineColor(COLORREF color) { m_gridLineColor = color; }
  void SetGridBkColor(COLORREF color) { m_backgroundColor = color; }
  void SetEditable(BOOL on) { m_editable = on; }
  BOOL IsEditable() const { return m_editable; }
  void SetDragAndDrop(BOOL on) { m_dragAndDrop = on; }
  void SetSingleRowSelection(BOOL on) { m_singleRowSelection = on; }
  void EnableSelection(BOOL on);
  void SetFixedColumnSelection(BOOL on) { m_fixedColClickSelectsRows = on; }
  void SetFixedRowSelection(BOOL on) { m_fixedRowClickSelectsCols = on; }
  void SetHeaderSort(BOOL on) { m_headerSort = on; }
  void SetHandleTabKey(BOOL on) { m_handleTab = on; }
  void SetDoubleBuffering(BOOL on) { m_doubleBuffering = on; }
  void SetFrameFocusCell(BOOL on) { m_frameFocusCell = on; }
  BOOL GetFrameFocusCell() const { return m_frameFocusCell; }
  void SetAutoSizeStyle(int style) { m_autoSizeStyle = style; }
  // Whether dragging a border may hide a column (width 0); otherwise it stops at 1.
  void SetAllowZeroWidth(BOOL on) { m_allowZeroWidth = on; }
  void SetRowResize(BOOL on) { m_allowRowResize = on; }
  void SetColumnResize(BOOL on) { m_allowColumnResize = on; }
  void SetSortColumn(int col);
  int GetSortColumn() const { return m_sortColumn; }
  void SetSortAscending(BOOL on) { m_sortAscending = on; }
  BOOL GetSortAscending() const { return m_sortAscending; }
  void SetCopyHeader(BOOL on) { m_copyHeaderRow = on ? 1 : 0; }
  void SetWheelScrollLines(int lines) { m_wheelScrollLines = lines; }
  int GetWheelScrollLines() const { return m_wheelScrollLines; }
  void SetImageList(CImageList* list) { m_imageList = list; }
  CImageList* GetImageList() const { return m_imageList; }
  // The first value of the print layout: cells print in their colours.
  BOOL GetPrintColors() const { return m_printout.GetColors(); }
  void SetPrintColors(BOOL on) { m_printout.SetColors(on); }
  BOOL IsModified() const { return m_modified; }

  // ---- geometry (CellGridGeometry.cpp)
  int GetRowHeight(int row) const;
  int GetColumnWidth(int col, int row = -1) const;
  int GetSpanWidth(int col, int row) const;
  int GetFixedRowsHeight() const;
  int GetFixedColumnsWidth() const;
  int GetTotalHeight() const;
  int GetTotalWidth() const;
  BOOL SetRowHeight(int row, int height);
  BOOL SetColumnWidth(int col, int width);

  CCellAddr GetTopLeftScrollCell();
  CCellBlock GetVisibleCellRange(CRect* rect = nullptr);
  BOOL IsCellVisible(int row, int col);
  BOOL GetCellOrigin(int row, int col, CPoint& origin);
  BOOL GetSpanOrigin(int row, int col, CPoint& origin);
  BOOL GetCellRect(int row, int col, CRect& rect);
  BOOL GetPlainCellRect(int row, int col, CRect& rect);
  CPoint GetPointInCell(int row, int col, CPoint point);
  CCellAddr GetCellAtPoint(CPoint point, BOOL allowFixed = FALSE);
  int GetTopRowOffset() const { return m_topRowOffset; }

  // ---- scrolling and auto-size (CellGridScroll.cpp)
  int ReadScrollPosition(int bar, BOOL track = FALSE) const;
  void WriteScrollPosition(int bar, int pos);
  void UpdateScrollBars();
  int GetScrollMaximum(int bar) const { return m_scrollBars.GetMaximum(bar); }
  // Bits 0x01 (horizontal bar shown) and 0x02 (vertical bar shown).
  UINT GetScrollBarState() const { return m_scrollBars.GetState(); }
  void EnsureVisible(int row, int col);
  BOOL AutoSizeColumn(int col, UINT flags = 0, BOOL updateScrollBars = TRUE);
  BOOL AutoSizeRow(int row);
  void AutoSizeColumns(UINT flags = 0);

  // ---- selection and focus (CellGridSelection.cpp)
  BOOL IsCellSelected(int row, int col) const;
  CCellBlock GetSelectedCellRange();
  int GetSelectedCount() const { return m_selectedCount; }
  void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRedraw = FALSE,
                        BOOL selectCells = TRUE);
  void SetSelectedRange(const CCellBlock& range, BOOL forceRedraw = FALSE, BOOL selectCells = TRUE);
  void ClearSelection();
  void SelectRows(CCellAddr cell, BOOL forceRedraw = FALSE, BOOL selectCells = TRUE, BOOL additive = FALSE);
  void SelectCells(CCellAddr cell, BOOL forceRedraw = FALSE, BOOL selectCells = TRUE);
  void SelectToCell(CCellAddr cell);
  virtual void OnEditSelectAll();
  CCellAddr SetFocusCell(int row, int col);
  CCellAddr SetFocusCell(const CCellAddr& cell) { return SetFocusCell(cell.row, cell.col); }
  CCellAddr GetFocusCell() const { return m_focusCell; }
  void SetWholeRowSelection(BOOL on);
  void SetSelectionAnchor(const CCellAddr& cell) { m_selectionAnchor = cell; }
  // A press on a cell of a fixed column: selects whole rows from the anchor to it.
  virtual void HandleFixedColumnClick(CCellAddr cell);
  // What the mouse is doing (GridMouseMode.h); the setter takes the mode's number.
  void SetMouseMode(int mode) { m_mouseMode = EGridMouseMode(mode); }
  EGridMouseMode GetMouseMode() const { return m_mouseMode; }

  // ---- drawing (CellGridDraw.cpp)
  virtual BOOL OnDraw(CDC* dc, BOOL renderAll);
  void FillBackground(CDC* dc);
  BOOL RedrawCell(int row, int col, CDC* dc = nullptr);
  BOOL InvalidateCellRect(int row, int col);
  void RefreshWindow();
  BOOL RenderToBitmap(CBitmap* bitmap);
  void AddAfterDraw(CCellBase* cell);
  // A picture of the focus cell for dragging, with its size; null without a focus cell. The
  // caller owns the image list.
  virtual CImageList* CreateDragImage(CSize* size);

  // ---- clipboard text (CellGridClipboard.cpp)
  // The text of a block as lines of TAB-separated cells; a row is taken when any of its cells
  // in the block is selected, and hidden rows and columns are left out.
  virtual CString BuildCopyText(BOOL withHeader, int minRow, int minCol, int maxRow, int maxCol);
  // Puts the selected block's text on the clipboard as UTF-16 with a terminating zero.
  virtual void OnEditCopy();
  // Copies, then empties the copied cells; only in an editable grid.
  virtual void OnEditCut();
  // Pastes the clipboard's text at the top-left selected cell, else the focus cell, else the
  // top-left scrolled cell.
  virtual void OnEditPaste();
  // Fills the cells from (row, col) on with the text's fields and selects them when asked.
  BOOL PasteText(int row, int col, const CString& text, BOOL selectPasted);
  // The selected block's text as a data source of CF_UNICODETEXT; none without a valid block.
  virtual std::unique_ptr<COleDataSource> CopyToDataSource(BOOL withHeader);
  // Pastes the data's text at (row, col): its Unicode text when offered, else its 8-bit text.
  virtual BOOL PasteFromDataObject(int row, int col, COleDataObject* data, BOOL selectPasted);
  // Empties every selected cell through the edit checks.
  virtual void ClearSelectedCells();
  BOOL SetCopyRowSeparator(BOOL on);
  BOOL SetCopyColumnSeparator(BOOL on);

  // ---- drag and drop (CellGridDrag.cpp), while drag and drop is on
  // Drags the selected block's text: copied with Control held, moved (then emptied) without.
  virtual void OnBeginDrag();
  virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
  virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
  virtual void OnDragLeave();
  virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);

  // ---- text changes through the edit checks (CellGridEdit.cpp)
  virtual BOOL ValidateCellText(int row, int col, LPCTSTR text);
  // Asks the owner (-175), sets the text, checks it and reports it (-176); a veto or a failed
  // check leaves the old text.
  void ValidateAndSetCellText(int row, int col, LPCTSTR text);

  // ---- in-place editing (CellGridEdit.cpp)
  // Opens the cell's editor after asking the owner (-175); the character that started the edit
  // decides what the editor selects and types.
  virtual void BeginCellEdit(int row, int col, CPoint point, UINT ch);
  // Closes the focus cell's editor, which reports its text first.
  virtual void StopEditing();
  // Takes an edited text through the checks (-176), or reports it unchanged (-195).
  virtual void FinishCellEdit(int row, int col, const CString& text);

  // ---- mouse and keyboard (CellGridMouse.cpp, CellGridSizing.cpp, CellGridKeys.cpp)
  BOOL IsOverColumnBorder(CPoint point);
  BOOL IsOverRowBorder(CPoint point);
  BOOL PreTranslateMessage(MSG* msg) override;

  // ---- sub-area tips (CellGridTips.cpp)
  void HideSubAreaTip();
  CToolTipCtrl* GetToolTip() const { return m_toolTip.get(); }
  // The sub-area whose tip is shown, in client coordinates, with its title and text.
  const CRect& GetTipRect() const { return m_tipRect; }
  const CString& GetTipTitle() const { return m_tipTitle; }
  const CString& GetTipText() const { return m_tipText; }

  // ---- sorting (CellGridSort.cpp); virtual mode keeps no rows to move, so it never sorts
  void SetSortCallback(CellCompareFunction compare) { m_sortCallback = compare; }
  CellCompareFunction GetSortCallback() const { return m_sortCallback; }
  BOOL SortByColumn(int col, BOOL ascending);
  BOOL SortWithCallback(CellCompareFunction compare, int col, BOOL ascending, LPARAM data);
  BOOL SortRange(CellCompareFunction compare, int col, BOOL ascending, LPARAM data, int low, int high = -1);
  static int CompareCellsText(CCellBase* first, CCellBase* second, LPARAM data);
  // A press on a cell of a fixed row: sorts by its column when header sort is on (again on the
  // sort column toggles the direction) and selects whole columns from the anchor to it.
  virtual void HandleFixedRowClick(CCellAddr cell);

  // ---- printing (CellGridPrint.cpp)
  // Prints on the printer of the given dialog, else on the one a print dialog asks for, in the
  // dialog's choice of everything or only the selected rows; with the record's header and
  // footer texts, else the defaults; groups of rowsPerGroup rows never break across pages.
  // The printer context is deleted afterwards.
  void Print(CPrintDialog* dialog = nullptr, const SGridPrintInfo* record = nullptr, int rowsPerGroup = 1);
  void SetPrintAtScreenSize(BOOL on) { m_printAtScreenSize = on; }
  const SGridPrintMetrics& GetPrintMetrics() const { return m_printout.GetMetrics(); }
  virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info, BOOL selectionOnly, int rowsPerGroup);
  virtual void OnPrint(CDC* dc, CPrintInfo* info, const SGridPrintInfo* record, BOOL selectionOnly,
                       int rowsPerGroup);
  virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
  // Prints the cells of the row from firstCol up to endCol, left to right from the rectangle's
  // left edge, stopping at the printable width, with their grid lines.
  virtual void PrintRowCells(int firstCol, int endCol, int row, const CRect& rect, CDC* dc, BOOL& firstLine);
  virtual void PrintPageHeader(CDC* dc, CPrintInfo* info, const SGridPrintInfo* record);
  virtual void PrintPageFooter(CDC* dc, CPrintInfo* info, const SGridPrintInfo* record);

  // ---- notices and virtual mode (CellGridNotify.cpp)
  LRESULT SendNotification(int row, int col, int code);
  LRESULT SendDispInfoRequest(GRIDDISPINFO* info);
  LRESULT SendCacheHint(const CCellBlock& range);
  void SetVirtualMode(BOOL on);
  BOOL GetVirtualMode() const { return m_virtualMode; }
  void SetDisplayInfoCallback(DisplayInfoFunction callback, LPARAM data) {
    m_callback = callback;
    m_callbackData = data;
  }

 protected:
  virtual CCellBase* CreateCell(int row, int col);
  virtual void DestroyCell(int row, int col);

  // Message handlers.
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnSize(UINT type, int cx, int cy);
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  LRESULT OnSysColorChange(WPARAM, LPARAM);
  LRESULT OnSetFontMessage(WPARAM font, LPARAM redraw);
  LRESULT OnGetFontMessage(WPARAM, LPARAM);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  void OnTimer(UINT_PTR id);
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  void OnCaptureChanged(CWnd* wnd);
  UINT OnGetDlgCode();
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  LRESULT OnImeChar(WPARAM ch, LPARAM);
  void OnEditorClosed(NMHDR* header, LRESULT* result);
  void OnUpdateEditSelectAll(CCmdUI* cmdUI);
  void OnUpdateEditCopy(CCmdUI* cmdUI);
  void OnUpdateEditCut(CCmdUI* cmdUI);
  void OnUpdateEditPaste(CCmdUI* cmdUI);

 private:
  // The control id of the in-place editor, under which its end-of-edit notice arrives.
  static constexpr UINT kEditorId = 8;
  using CellRow = std::vector<CCellBase*>;
  // The grid's rows as the shared quicksort sees them (CellGridSort.cpp).
  class SortRows;
  void MarkSortColumn(int col, BOOL ascending);
  // False when there is no valid selected block or the clipboard refused it.
  bool CopySelectionToClipboard();
  // Sets a changed text, checks it and reports it (-176); a veto or a failed check puts the old
  // text back. False when the text equals the old one.
  bool ApplyCheckedText(int row, int col, const CString& text);

  // Mouse and keys.
  bool IsFixedCell(const CCellAddr& cell) const { return cell.row < m_fixedRows || cell.col < m_fixedCols; }
  bool IsCellEditable(const CCellAddr& cell) const;
  // Whether the point lies on the text part of the cell's rectangle.
  bool IsOnCellText(const CCellAddr& cell, CPoint point);
  // The release ends what the press started: an edit, a click, a sizing or a selection.
  void FinishPress(CPoint point);
  // The right button focuses the cell under it, tells the cell and notifies (-5).
  void RightButtonAt(CPoint point, bool down);
  void HoverAt(CPoint point);
  // The border under the point as the mode of the pointer over it (idle when none), and the
  // mode entered with its cursor.
  EGridMouseMode BorderModeAt(CPoint point);
  void ShowBorderMode(EGridMouseMode mode);
  // Whether the point lies within the capture range of the leading edge (not of the first
  // column or row) or the trailing edge of the cell under it.
  bool IsNearBorder(CPoint point, bool columns);
  // Sizing a border: the inverted line that follows the pointer, and the start and end of it.
  void MoveSizingLine(CPoint point);
  // Starts sizing the column (or row) of the border under the press.
  void StartSizing(CPoint point, bool columns);
  void FinishSizing(CPoint point);
  void AutoSizeAtBorder(const CCellAddr& cell, CPoint point);
  // Handles a key press; true when the key also gets the default handling.
  bool HandleKeyDown(UINT key);
  // The cell a navigation key moves the focus to; `wrapped` tells a Tab that changed rows.
  CCellAddr KeyTarget(UINT key, bool shift, bool ctrl, bool& wrapped);
  CCellAddr WrapTab(bool backwards, bool& wrapped) const;
  int NextVisibleColumn(int row, int col, int step) const;
  int NextVisibleRow(int row, int step) const;
  void MoveFocusByKey(UINT key, const CCellAddr& target, bool shift, bool wrapped);
  // The key and typed character notices and edits.
  bool StartsEditOnChar(UINT ch, bool imeChar) const;
  void SetDropHighlight(const CCellAddr& cell, bool on);
  // A row is copied or printed when any of its cells from minCol to maxCol is selected.
  bool RowHasSelectedCell(int row, int minCol, int maxCol) const;

  // Printing: the height a row takes on paper (0 when it is hidden or not printed), the body
  // of one page, and its grid lines.
  int PrintedRowHeight(int row, BOOL selectionOnly) const;
  // The width a cell needs in its column on the page, measured with the printer context's text
  // widths as the page maps it; for a cell across several columns, what it needs beyond the
  // others of them in the last one.
  int PrintedCellNeed(CPrintedTextWidths& texts, int row, int col);
  // The width a cell prints at: its column's on the page, the columns' of its range for a cell
  // across several (0 past the first of them).
  int PrintedColumnWidth(int col, int row) const;
  void PrintBody(CDC* dc, int firstRow, int endRow, BOOL selectionOnly);
  void PrintCellLines(CDC* dc, const CRect& rect, bool top, bool left);

  void ReadWheelScrollLines();
  void CacheSystemColors();
  // Frees a cell the grid no longer holds; it also leaves the after-draw list.
  void DeleteCell(CCellBase* cell);
  void ForgetAfterDraw(const CCellBase* cell);
  void ForgetTopLeft() { m_topLeft = CCellAddr(); }
  void MarkFixedRows(int from, int to, bool fixed);
  void MarkFixedColumns(int from, int to, bool fixed);
  CCellBase* GetVirtualCell(int row, int col) const;
  bool HasSelectedBit(int row, int col) const;
  // Whether every cell of the block is known to be selected still (see m_markedBlock).
  bool IsMarkedBlockWhole(const CCellBlock& block) const;
  // The walk of a selecting range selection over the old and new bounds: cells in the block
  // gain the selected bit (redrawn on the DC when given), others lose it unless additive.
  void SelectExaminedCells(const CCellBlock& block, const CCellBlock& oldBounds, const CCellBlock& visible,
                           CDC* dc);
  // A stored cell's state, or in virtual mode the selected bit the grid keeps for the address.
  UINT StateWithSelection(int row, int col) const;
  // The state of a stored cell without asking for a display cell; 0 in virtual mode.
  UINT StoredState(int row, int col) const;
  CRect GetGridClientRect() const;
  // Whole-row and pixel steps of the vertical bar, and the horizontal bar's steps.
  void ScrollVertically(UINT code);
  void ScrollHorizontally(UINT code);
  int LineDownRow(const CCellAddr& topLeft) const;
  int LineUpRow(const CCellAddr& topLeft) const;
  // The width the cell needs in its column for auto-size; a cell of a range takes a share of
  // the range's extent.
  int NeededColumnWidth(CDC& dc, int row, int col);
  // Pixel scrolling brings a cell into view by positions: up until the row starts the view, and
  // down until the cell's bottom is shown.
  void ScrollUpToRow(int row, int firstVisible);
  void ScrollCellBottomIntoView(int row, int col, const CRect& client);
  void DrawCellsLeavingView(const CCellBlock& range);
  void DrawGridLines(CDC* dc, const CCellBlock& range, const CRect& client, int fixedWidth, int fixedHeight,
                     int topOffset);
  void DrawNonFixedCells(CDC* dc, const CCellBlock& range, const CRect& clip, const CRect& client,
                         int fixedWidth, int fixedHeight, int topOffset);
  // Where a range that starts left of the scrolled columns begins, for its cell in the left
  // scrolled column; INT_MIN for every other cell.
  int RangeStartX(int row, int col, int leftCol, int fixedWidth) const;

  COLORREF m_backgroundColor;
  COLORREF m_gridLineColor = RGB(0xC0, 0xC0, 0xC0);
  COLORREF m_cachedWindowText = 0, m_cachedWindow = 0, m_cachedButtonFace = 0, m_cachedButtonShadow = 0;
  BOOL m_virtualMode = FALSE;
  LPARAM m_callbackData = 0;
  DisplayInfoFunction m_callback = nullptr;
  int m_gridLines = 3;
  BOOL m_editable = TRUE;
  BOOL m_modified = FALSE;
  BOOL m_dragAndDrop = FALSE;
  BOOL m_wholeRowSelection = FALSE;
  BOOL m_singleRowSelection = FALSE;
  BOOL m_allowDraw = TRUE;
  BOOL m_selectionEnabled = TRUE;
  BOOL m_fixedColClickSelectsRows = TRUE;
  BOOL m_fixedRowClickSelectsCols = TRUE;
  BOOL m_headerSort = FALSE;
  BOOL m_handleTab = TRUE;
  BOOL m_doubleBuffering = TRUE;
  BOOL m_hoverInVirtualMode = TRUE;
  BOOL m_printAtScreenSize = FALSE;
  BOOL m_resizeHiddenCols = TRUE, m_resizeHiddenRows = TRUE;
  BOOL m_allowZeroWidth = TRUE, m_allowZeroHeight = TRUE;
  BOOL m_frameFocusCell = TRUE;
  int m_autoSizeStyle = 3;
  BOOL m_wholeRowScrolling = TRUE;
  int m_topRowOffset = 0;
  CCellBlock m_previousVisible;
  std::vector<CCellBase*> m_afterDraw;
  BOOL m_useAltColors = FALSE;
  BYTE m_copyRowSeparator = 1, m_copyColSeparator = 1, m_copyHeaderRow = 1;
  int m_rows = 0, m_fixedRows = 0, m_cols = 0, m_fixedCols = 0;
  // Row heights and column widths, kept with running sums so that every position is found
  // without walking all rows; the results are those of the walks.
  CGridSizeSums m_rowHeights;
  CGridSizeSums m_colWidths;
  // The bars' state and maxima; a change of their positions forgets the cached top-left cell.
  CGridScrollBars m_scrollBars{*this, m_rowHeights, m_colWidths, [this] { ForgetTopLeft(); }};
  const CRuntimeClass* m_defaultCellClass;
  std::unique_ptr<CDefaultCell> m_defaultCells[4];  // normal, fixed column, fixed row, corner
  CImageList* m_imageList = nullptr;
  std::vector<CellRow> m_cells;
  EGridMouseMode m_mouseMode = kMouseIdle;
  CCellAddr m_buttonDownCell, m_selectionAnchor, m_focusCell, m_topLeft, m_hoverCell;
  CCellAddr m_dropHighlightCell;
  CCellGridDropTarget m_dropTarget;
  BOOL m_allowRowResize = TRUE, m_allowColumnResize = TRUE;
  int m_wheelScrollLines = 3;
  int m_selectedCount = 0;
  BYTE m_additiveSelection = 0;
  int m_selMinRow = -1, m_selMaxRow = -1, m_selMinCol = -1, m_selMaxCol = -1;
  // The block whose every cell the last plain range selection left selected, with the cells'
  // selection-loss count then. While the count stands still and no rows were reordered, the
  // same selection again finds every cell of the block selected, so it need not visit them.
  CCellBlock m_markedBlock;
  unsigned long m_markedLossCount = 0;
  // The length of the last copy text, reserved for the next one so that it grows at most once.
  int m_copyLengthHint = 0;
  BOOL m_sortAscending = TRUE;
  int m_sortColumn = -1;
  CellCompareFunction m_sortCallback = nullptr;
  // The print layout, the printer font, the measures and the pages of the printout.
  CGridPrintout m_printout;
  bool m_creating = false;
  // Virtual mode's one display record and cell, reused for every address asked for.
  mutable std::unique_ptr<GRIDDISPINFO> m_dispInfo;
  mutable std::unique_ptr<CCellBase> m_displayCell;
  // Virtual mode keeps the selected addresses itself, since it stores no cells to mark.
  std::set<std::pair<int, int>> m_virtualSelected;
  BOOL m_leftButtonDown = FALSE, m_rightButtonDown = FALSE;
  CPoint m_buttonDownPoint, m_lastMousePoint;
  UINT_PTR m_selectionTimer = 0;
  int m_selectionTimerInterval = 25;
  int m_resizeCaptureRange = 3;
  // The row or column being sized by its border, and its top or left edge.
  int m_sizingIndex = -1;
  int m_sizingEdge = 0;
  CRect m_tipRect;
  CString m_tipTitle, m_tipText;
  std::unique_ptr<CToolTipCtrl> m_toolTip;
};
