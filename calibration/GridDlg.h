#pragma once
// CGridDlg: the modeless step grid of the calibration procedure (dialog 519). One row per load
// step and, after the three fixed columns (number, step percentage, nominal load), one column
// per run. In CAL MODE the operator types the reference device's loads into the run columns
// and presses "Calibrate ZD-2"; in VERIFICATION MODE the grid fills itself with the
// instrument's averaged loads and offers "Copy Data". Members live in GridDlg.cpp (window,
// filling, resizing), GridDlgLoads.cpp (the typed loads and the copy) and GridDlgTrace.cpp
// (the grid's notices, which only leave trace lines).

#include <array>
#include <string>
#include <vector>

#include "appbase/WindowPos.h"
#include "grid/org/CellGridOrg.h"
#include "platform/gdi/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "toolkit/ColorStatic.h"

class CGridDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  // Posted to the owner: wParam 1 the loads were collected ("calibrate"), 0 the CAL MODE grid
  // was closed.
  static constexpr UINT kGridResultMessage = WM_USER + 115;
  static constexpr int kMaxRuns = 100;
  static constexpr int kFixedColumns = 3;
  static constexpr int kFixedRows = 1;

  explicit CGridDlg(CWnd* owner);

  // Stores the layout, forgets the collected loads and, with `create`, makes the (hidden)
  // window with the owner as its parent.
  void Init(bool create, bool calMode, int loadUnit, int runs, int steps, int step);
  // Appends a load (N) to a run's list (index 0 = run 1); with `refresh` the grid is refilled.
  void AddRunValue(int runIndex, int load, bool refresh);
  void EnableButton(bool enable);
  void EnableCancel(bool enable);
  // Refills the grid and shows the window.
  void ShowGrid();
  void FillGrid();

  // The action button's two meanings.
  void CollectReferenceLoads();
  void CopyToClipboard();
  // The text "Copy Data" puts on the clipboard: the run cells of every step row, separated by
  // tabs, CR LF after every row, in the ANSI code page, without a terminating zero.
  std::string BuildCopyText() const;

  // One typed load: blanks around it are ignored; otherwise only digits and at most one full
  // stop are taken, converted from the load unit to newtons and rounded half away from zero.
  // True when the load is above 0.
  bool ParseLoadCell(const CString& text, int& load) const;

  bool IsCollected() const { return m_collected; }
  int GetCollectedRuns() const { return m_collectedRuns; }
  const std::vector<int>& GetRunValues(int runIndex) const { return m_runValues[std::size_t(runIndex)]; }
  CCellGridOrg& GetGrid() { return m_grid; }
  bool IsCalMode() const { return m_calMode; }
  int GetLoadUnit() const { return m_loadUnit; }
  int GetStep() const { return m_step; }

  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void OnAction();
  void OnSize(UINT type, int cx, int cy);
  LRESULT OnMove(WPARAM, LPARAM);
  LRESULT OnQueryDragIcon(WPARAM, LPARAM);
  void OnContextMenu(CWnd* window, CPoint point);
  void SavePosition();
  // How a control follows a change of the client size. A very small control near the top or
  // left edge (at most 20 pixels high or wide) is only moved, whatever its kind.
  enum class EResize { eGrow, eWidenAndMoveDown, eMove };
  void ShiftControl(CWnd& control, int dx, int dy, EResize resize);
  // Appends a line to the hidden trace field; "\n" becomes CR LF.
  void TraceMessage(const CString& text);
  // The trace line (and the reply) of one notice of the grid.
  LRESULT TraceGridNotice(const NMHDR* header);

  CEdit m_messageField;
  int m_fixedColumnCount = kFixedColumns;
  int m_fixedRowCount = kFixedRows;
  int m_columnCount = 0;
  int m_rowCount = 0;
  bool m_rejectEditAttempts = false;
  bool m_rejectEditChanges = false;
  CCellGridOrg m_grid;
  int m_clientWidth = -1;
  int m_clientHeight = -1;
  // The program's icon, the dialog's big and small icon (shared: never destroyed).
  HICON m_hIcon;
  CWnd* m_owner;
  bool m_calMode = true;
  int m_loadUnit = 0;
  int m_runs = 0;
  int m_steps = 0;
  int m_step = 0;
  int m_collectedRuns = 0;
  std::array<std::vector<int>, kMaxRuns> m_runValues;
  CColorStatic m_unitStatic;
  CColorStatic m_infoStatic;
  CButton m_actionButton;
  bool m_collected = false;
  bool m_firstFillPending = true;
  CButton m_cancelButton;
  CWindowPos m_windowPos;
  CFont m_gridFont;
};
