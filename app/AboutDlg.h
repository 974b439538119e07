#pragma once
// The About box: the program's version, build, revision and description, and the version
// record of the language in use (or the program's own texts when none is loaded).

#include "platform/ui/Dialog.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
  BOOL OnInitDialog() override;
};
