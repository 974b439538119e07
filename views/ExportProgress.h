#pragma once
// CExportProgress: the progress dialog that an export of the measurement page shows while it
// works. It is made modeless over the page with position 0 and "Preparing data for export...",
// and it goes when the export ends, whichever way it ends.

#include "appbase/ProgressDlg.h"

class CExportProgress {
 public:
  explicit CExportProgress(CWnd* page);
  ~CExportProgress();
  CExportProgress(const CExportProgress&) = delete;
  CExportProgress& operator=(const CExportProgress&) = delete;

  void SetPos(int percent) { m_dialog.SetPos(percent); }
  // The text of the string with the name put in for its %s.
  void SetText(UINT formatId, const CString& name);
  // Leaves the last state on the screen for a moment, so that the user sees the export end.
  void Linger();

 private:
  CProgressDlg m_dialog;
};
