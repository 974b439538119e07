#pragma once
// CExportCsvDialog: the options of the text export (dialog 508): the format (the measurement
// list as a table, or the report), where to put it (one file, one file per measurement, the
// clipboard), which measurements (all or the selection) and whether the load-rate curves go
// with them. The choices are kept as numbers in the settings store.

#include "platform/ui/Button.h"
#include "views/ExportOptionsDialog.h"

class CExportCsvDialog : public CExportOptionsDialog {
 public:
  // Option codes, unique across the columns.
  static constexpr int kTable = 0;
  static constexpr int kReport = 1;
  static constexpr int kAllData = 2;
  static constexpr int kSelectionOnly = 3;
  static constexpr int kOneFile = 4;
  static constexpr int kEachFile = 5;
  static constexpr int kClipboard = 6;

  // selectionExists: at least one cell of the grid is selected.
  explicit CExportCsvDialog(bool selectionExists, CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  // 0 the measurement list, 1 the report.
  int GetFormat() const;
  int GetTarget() const override;
  bool IsAllData() const override;

  // The check box "Export load rate curve data"; read after the dialog closed.
  bool m_bCurve = false;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void TakeControlValues() override;
  void SaveSettings() override;
  void ShowNoSelectionMessage() override;
  CString GetDefaultExtension() const override;
  CString GetDefaultFileName() const override;
  CString GetFileFilter() const override;
  bool AcceptFileEnding(const CString& ending) override;
  std::vector<UINT> GetPreviewRows(int picture) const override;
  UINT GetPreviewIcon(bool& transparent) const override;

 private:
  void LoadSettings();

  CButton m_curveBox;
};
