#include "platform/ui/DataExchange.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/Wnd.h"

namespace {

// Tells the user why the value was refused, puts the focus on its control and stops the
// exchange.
[[noreturn]] void Refuse(CDataExchange* dx, const CString& text) {
  CWnd* top = dx->m_pDlgWnd->GetTopLevelParent();
  const CString caption = top ? top->GetWindowTextString() : CString();
  MessageBox(top, text, caption, MB_OK | MB_ICONEXCLAMATION);
  if (CWnd* control = dx->m_pDlgWnd->GetDlgItem(dx->m_idLastControl)) control->SetFocus();
  dx->Fail();
}

}  // namespace

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

void DDX_Check(CDataExchange* dx, int id, int& value) {
  if (dx->m_bSaveAndValidate) {
    value = int(dx->m_pDlgWnd->IsDlgButtonChecked(id));
  } else {
    dx->m_pDlgWnd->CheckDlgButton(id, UINT(value));
  }
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  dx->m_idLastControl = id;
  if (!dx->m_bSaveAndValidate) {
    dx->m_pDlgWnd->SetDlgItemInt(id, value, FALSE);
    return;
  }
  BOOL ok = FALSE;
  const UINT read = dx->m_pDlgWnd->GetDlgItemInt(id, &ok, FALSE);
  if (!ok) Refuse(dx, u"Enter a whole number.");
  value = read;
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minimum, UINT maximum) {
  if (!dx->m_bSaveAndValidate || (value >= minimum && value <= maximum)) return;
  CString text;
  text.Format(u"Enter a whole number from %u to %u.", minimum, maximum);
  Refuse(dx, text);
}
