#pragma once
// Whether a text is a well-formed ZD-2 serial number of the template "VNXX-XXX-XXXX": the
// prefix "VN", '0' and the model digit '1', '2' or '3' (6, 16 or 25 kN), a dash, three
// digits, a dash and four digits, nothing more.

#include "platform/base/String.h"

class CWnd;

class CSerialNumberCheck {
 public:
  explicit CSerialNumberCheck(CWnd* dialog);

  // Turns the check on; until then every text passes.
  void Enable();
  bool Check(const CString& text) const;

 private:
  CWnd* m_dialog;
  CString m_template;
  CString m_prefix;
  bool m_enabled = false;
};
