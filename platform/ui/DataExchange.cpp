#include "platform/ui/DataExchange.h"

#include "platform/ui/Wnd.h"

void CDataExchange::Fail() { throw SDataExchangeFailed{}; }

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.IsWindow()) return;
  if (!control.SubclassDlgItem(UINT(id), dx->m_pDlgWnd)) dx->Fail();
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  if (dx->m_bSaveAndValidate) {
    dx->m_pDlgWnd->GetDlgItemText(id, value);
  } else {
    dx->m_pDlgWnd->SetDlgItemText(id, value);
  }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  if (!dx->m_bSaveAndValidate) {
    dx->m_pDlgWnd->SetDlgItemInt(id, UINT(value), TRUE);
    return;
  }
  BOOL ok = FALSE;
  const UINT read = dx->m_pDlgWnd->GetDlgItemInt(id, &ok, TRUE);
  if (!ok) dx->Fail();
  value = int(read);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  if (dx->m_bSaveAndValidate) {
    value = int(dx->m_pDlgWnd->IsDlgButtonChecked(id));
  } else {
    dx->m_pDlgWnd->CheckDlgButton(id, UINT(value));
  }
}
