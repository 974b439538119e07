#include "document/CommentDlg.h"

#include "platform/ui/Edit.h"
#include "resources/ResourceIds.h"

// clang-format off
BEGIN_MESSAGE_MAP(CCommentDlg, CDialog)
  .OnDestroy(&CCommentDlg::OnDestroy)
END_MESSAGE_MAP()
// clang-format on

CCommentDlg::CCommentDlg(CWnd* parent) : CDialog(IDD_COMMENT, parent) {}

BOOL CCommentDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  auto* edit = dynamic_cast<CEdit*>(GetDlgItem(IDC_COMMENT));
  if (!edit) return TRUE;
  edit->SetWindowText(m_strComment);
  edit->SetFocus();
  const int end = m_strComment.GetLength();
  edit->SetSel(end, end);
  // The focus is set here, so the dialog must not move it.
  return FALSE;
}

void CCommentDlg::OnDestroy() {
  if (CWnd* edit = GetDlgItem(IDC_COMMENT)) edit->GetWindowText(m_strComment);
  CDialog::OnDestroy();
}
