#pragma once
// Edits the comment of a measurement. The text is taken back from the edit whenever the dialog
// ends, OK or Cancel alike; the caller uses it only after OK.

#include "platform/ui/Dialog.h"

class CCommentDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CCommentDlg(CWnd* parent = nullptr);

  void SetComment(const CString& text) { m_strComment = text; }
  CString GetComment() const { return m_strComment; }
  BOOL OnInitDialog() override;

 private:
  void OnDestroy();

  CString m_strComment;
};
