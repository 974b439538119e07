#pragma once
// CTabGrid: the measurement page of the tab sheet. One extended grid fills it: a fixed header
// row, then two rows per measurement of the document in its current order, a header row with
// the test's key values (rows 2i+1) and below it the detail row that opens on the whole test
// (rows 2i+2). The page never changes measurements itself: it asks the document, and refills
// from the document's change notices.
//
// Its members live in sources named after their concern: TabGrid.cpp (construction, layout,
// filling, status-bar texts), TabGridCommands.cpp (the sheet's commands, clipboard and keys),
// TabGridPrint.cpp (the printout), TabGridMouse.cpp (the grid's notices, sorting, the detail
// rows and the context menus), TabGridListText.cpp and TabGridReportText.cpp (the measurement
// list and the report of the text export), TabGridPictureExport.cpp and TabGridTextExport.cpp
// (the export commands).

#include <string>
#include <vector>

#include "grid/CellGrid.h"
#include "grid/GridPrintInfo.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/PropertyPage.h"
#include "views/PageMessages.h"

class CZedoDoc;
class CDetailGripperCell;
class CExportProgress;
class CImageObj;
class CSeriesCell;

class CTabGrid : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kGridId = 121;
  static constexpr int kColumnCount = 9;
  // The columns of a measurement's row that the page reads back.
  static constexpr int kIdColumn = 2;
  static constexpr int kValueColumn = 4;
  static constexpr int kUnitColumn = 8;

  // Registers the page with the document as one of its views.
  CTabGrid(CWnd* parentView, CZedoDoc* doc);
  // Leaves the document's views before the grid and its cells go.
  ~CTabGrid() override;

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  CCellGrid& GetGrid() { return m_Grid; }
  CZedoDoc* GetDocument() const { return m_pDoc; }

  // ---- layout and filling (TabGrid.cpp)
  // Empties the grid and sets up its columns, header row and options.
  void InitGrid();
  // -1 rebuilds every row; a measurement index refreshes that measurement's two rows.
  void FillGrid(int index);
  // Column 0 takes 56 pixels and column 4 all spare width of the client area; when the client
  // area narrows, column 4 gives the width back, down to its own.
  void FitColumns();
  // The grid's sort arrow from the document's sort key.
  void ShowSortIndicator();
  // Recomputes the summary and sets every gripper's sigma from the document.
  void RefreshSummaryFlags();
  // The selection count line; skipped for grids of over 40000 rows unless forced.
  void UpdateSelectionStatus(bool force);
  // Sends the selection text and the progress text to the main window's status bar.
  void ShowStatusText();

  // ---- commands (TabGridCommands.cpp)
  // Deletes the chosen measurements, after asking unless told not to.
  void DeleteChecked(bool withoutQuestion);
  // What the printout's header and footer show: maker, title and program version; page
  // number, project file name, date and time in the user's pictures.
  SGridPrintInfo BuildPrintInfo() const;

  // ---- text exports (TabGridListText.cpp, TabGridReportText.cpp)
  // Each writes its text into buffer, at most bufferLength characters and no terminating zero,
  // and returns the length of the whole text. With no buffer and length 0 it only measures;
  // given a buffer of that length it fills it with the same text; a shorter buffer receives the
  // pieces (a field with its separator, a line's end) that end within it, in their places.
  // The writers put the TABs between the fields themselves; a value keeps its own characters
  // (a ';' in a comment stays), so the text leaves the program as it is. Other indexes than
  // the ones named give 0 and write nothing.
  //
  // Index -1: the list's header block; a measurement's position: its line. withCurve adds the
  // load-rate curve's columns.
  int FormatListRow(int index, bool withCurve, WCHAR* buffer, int bufferLength);
  // The report block of the measurement at that position; withCurve adds its load data.
  int FormatReportRow(int index, bool withCurve, WCHAR* buffer, int bufferLength);

  // ---- export commands (TabGridPictureExport.cpp, TabGridTextExport.cpp)
  // What the last export did: the measurements it chose and the files it wrote, in order.
  struct SExportResult {
    int measurements = 0;
    std::vector<CString> files;
  };
  const SExportResult& GetLastExport() const { return m_lastExport; }

  // ---- detail rows and menus (TabGridMouse.cpp)
  // Opens or closes every detail row at once.
  void ExpandRows(bool expand);
  // The edit menu at the screen point; true when an item was chosen.
  bool ShowEditMenu(int x, int y, bool onRow);
  // The rows menu at the cursor.
  void ShowRowsMenu();

  LRESULT OnDocumentChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnRefill(WPARAM wParam, LPARAM lParam);
  LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
  LRESULT OnCopy(WPARAM wParam, LPARAM lParam);
  LRESULT OnCut(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
  LRESULT OnSelectAll(WPARAM wParam, LPARAM lParam);
  LRESULT OnDelete(WPARAM wParam, LPARAM lParam);
  LRESULT OnCanDelete(WPARAM wParam, LPARAM lParam);
  LRESULT OnCanSelectAll(WPARAM wParam, LPARAM lParam);
  LRESULT OnExportGraphic(WPARAM wParam, LPARAM lParam);
  LRESULT OnExportCsv(WPARAM wParam, LPARAM lParam);

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void OnSize(UINT type, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* dc);

  // TabGrid.cpp
  void CreateMeasurementCells(int index);
  void FillHeaderRow(int index);
  void FillBarCell(int index);
  // The grid no longer holds the rows of the measurement (a notice that came before the
  // refill after a deletion, a paste or a download).
  bool HoldsRowsOf(int index) const;
  CDetailGripperCell* GripperOf(int index) const;
  CSeriesCell* SeriesCellOf(int index) const;

  // TabGridCommands.cpp
  // One flag per measurement: chosen for delete (and for the time shift and unit change).
  std::vector<BYTE> DeleteFlags() const;
  bool IsChosenForDelete(int index) const;
  // One flag per measurement: chosen for copy and cut.
  std::vector<BYTE> CopyFlags() const;
  // The page owns the clipboard while it lives: opened and emptied here, then closed.
  void OpenAndEmptyClipboard();
  // Closes and reopens the clipboard and lets the document place the flagged measurements;
  // closes it again. True when the document placed its data.
  bool PlaceOnClipboard(const std::vector<BYTE>& flags);

  // TabGridPictureExport.cpp
  // What a measurement was before the picture export changed its rows.
  struct SPictureRow {
    bool expanded;
    bool chosen;
  };
  // The options of one picture export, as the dialog gave them.
  struct SPictureJob {
    int content;
    int target;
    int imageType;
    CString path;
    int count;
  };
  // At least one cell of the grid is selected.
  bool HasSelectedCell();
  bool IsChosenForPicture(int index) const;
  // Gives the measurement's header row its height or none, and opens or closes its detail row.
  void ShowPictureRow(int index, bool shown, bool open);
  void RestorePictureRows(const std::vector<SPictureRow>& rows, CExportProgress& progress);
  void RunPictureExport(SPictureJob& job, const std::vector<SPictureRow>& rows, CExportProgress& progress);
  void CopyPictureToClipboard();
  // One picture per measurement, to files of their own or stacked into one picture.
  void ExportPictureStrips(const SPictureJob& job, const std::vector<SPictureRow>& rows,
                           CExportProgress& progress);
  // Encodes the picture and writes it under the path; false (after saying why) when it failed.
  bool WritePicture(CImageObj& picture, const SPictureJob& job, const CString& path);

  // TabGridTextExport.cpp
  // The options of one text export, as the dialog gave them, and the measurements it takes.
  struct STextJob {
    bool report;
    bool withCurve;
    CString path;
    std::vector<int> chosen;
  };
  // The measurements whose column-1 cell of the header or detail row is selected (all of them
  // with allData), in grid order.
  std::vector<int> ChosenForText(bool allData) const;
  int FormatText(const STextJob& job, int index, WCHAR* buffer, int bufferLength);
  // The whole text of one call of the job's writer: -1 the list's header block.
  std::u16string BuildText(const STextJob& job, int index);
  void ExportTextToFile(const STextJob& job, CExportProgress& progress);
  void ExportTextToEachFile(const STextJob& job, CExportProgress& progress);
  // False when the export ended without a text on the clipboard.
  bool CopyTextToClipboard(const STextJob& job, CExportProgress& progress);

  // TabGridMouse.cpp
  void OnGridClick(int row, int col);
  void OnGridRightClick(int row, int col);
  void OnGridSelChanged(int row, int col);
  void OnGridEndEdit(int row, int col);
  void OnHeaderClick(int col);
  void OnGripperClick(int row);
  void ShiftTime(int index, const CCellBlock& range);
  void ChangeUnit(const CRect& cell, const CCellBlock& range);

  CCellGrid m_Grid;
  CWnd* m_pParentView;
  CImageList m_GripperImages;
  CZedoDoc* m_pDoc;
  std::vector<int> m_SavedWidths;
  // The spare width FitColumns last gave the value column, and the width that made.
  int m_valueColumnSpare = 0;
  int m_fittedValueWidth = -1;
  int m_savedValueColumnSpare = 0;  // the spare width within the saved widths
  CString m_strProgress;
  CString m_strSelection;
  SExportResult m_lastExport;
};
