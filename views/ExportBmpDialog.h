#pragma once
// CExportBmpDialog: the options of the picture export (dialog 507): what to show (headers
// only, as the grid shows it, or every detail row), where to put it (one file, one file per
// measurement, the clipboard) and which measurements (all or the selection). The choices are
// kept as decimal texts in the settings store, the file's ending picks the picture type.

#include "views/ExportOptionsDialog.h"

class CExportBmpDialog : public CExportOptionsDialog {
 public:
  // Option codes, unique across the columns.
  static constexpr int kHeadersOnly = 0;
  static constexpr int kAsIs = 1;
  static constexpr int kHeadersAndDetails = 2;
  static constexpr int kAllData = 3;
  static constexpr int kSelectionOnly = 4;
  static constexpr int kOneFile = 5;
  static constexpr int kEachFile = 6;
  static constexpr int kClipboard = 7;
  // GetImageType's answers.
  static constexpr int kBmp = 0;
  static constexpr int kPng = 1;
  static constexpr int kJpeg = 2;

  // selectionExists: at least one cell of the grid is selected.
  explicit CExportBmpDialog(bool selectionExists, CWnd* parent = nullptr);

  // 0 headers only, 1 as is, 2 headers and details.
  int GetContent() const;
  int GetTarget() const override;
  bool IsAllData() const override;
  // 0 BMP, 1 PNG, 2 JPEG, from the chosen file's ending.
  int GetImageType() const { return m_nImageType; }

 protected:
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

  int m_nImageType = kPng;
};
