#include "appbase/ProgressDlg.h"

#include "platform/ui/DataExchange.h"
#include "resources/ResourceIds.h"

CProgressDlg::CProgressDlg() = default;

BOOL CProgressDlg::Create(UINT templateId, CWnd* parent) { return CDialog::Create(templateId, parent); }

void CProgressDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PROGRESS, m_progress);
  DDX_Control(dx, IDC_PROGRESS_TEXT, m_text);
}

BOOL CProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_progress.SetRange(0, 100);
  return TRUE;
}

void CProgressDlg::SetPos(int percent) {
  m_progress.SetPos(percent);
  m_progress.RedrawWindow();
  m_nPos = percent;
}

void CProgressDlg::SetText(const CString& text) {
  if (text == m_strText) return;
  m_strText = text;
  m_text.SetWindowText(text);
  m_text.RedrawWindow();
}
