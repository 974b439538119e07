#pragma once
// Dialog data exchange: DoDataExchange moves values between a dialog's members and its
// controls, reached by id, in the direction UpdateData gives.

#include "platform/base/String.h"
#include "platform/ui/Wnd.h"

// Thrown by CDataExchange::Fail and caught by UpdateData.
struct SDataExchangeFailed {};

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
  // A value could not be taken from its control: the exchange stops and UpdateData fails.
  [[noreturn]] void Fail();

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  // The control exchanged last, which gets the focus when its value is refused.
  int m_idLastControl = 0;
};

// The control with the id becomes the window of `control` (once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// An unsigned number; text that is not one shows the layer's message and fails the exchange.
void DDX_Text(CDataExchange* dx, int id, UINT& value);
// When taking values: a number outside minimum to maximum shows the layer's range message and
// fails the exchange, so that the dialog stays.
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minimum, UINT maximum);
