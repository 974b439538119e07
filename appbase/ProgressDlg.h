#pragma once
// The modeless progress dialog of the download and the exports: a bar from 0 to 100 % and a
// line of text. The main frame makes it once and only shows and hides it; an export makes one
// for its own duration.

#include "platform/ui/Dialog.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/Static.h"

class CProgressDlg : public CDialog {
 public:
  CProgressDlg();

  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  BOOL OnInitDialog() override;
  // Sets the bar and redraws it at once.
  void SetPos(int percent);
  // Shows a text that differs from the current one and redraws it at once.
  void SetText(const CString& text);
  int GetPos() const { return m_nPos; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CProgressCtrl m_progress;
  CStatic m_text;
  int m_nPos = 0;
  CString m_strText;
};
