#pragma once
// CIPAddressCtrl: the address field of four decimal numbers of 0 to 255 separated by dots.
// Only digits and dots can be typed; the text it gives is always complete dotted decimal,
// blank fields counting as 0, as the platform's address control gives it.

#include "platform/ui/Edit.h"

class CIPAddressCtrl : public CEdit {
 public:
  // The address as "a.b.c.d"; "0.0.0.0" while the field is blank.
  CString GetAddressText() const;
  void SetAddressText(const CString& address);

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;
};
