#pragma once
// What a dialog made from its template looks like: each control's id, kind, style, text and
// rectangle in pixels of the dialog's client area, as the windows themselves report them (a
// closed drop-down box at its closed height). Tools print it and tests check layouts with it.

#include <vector>

#include "platform/base/String.h"
#include "platform/gdi/Geometry.h"
#include "platform/ui/WinUser.h"

class CDialog;

struct SDialogControlPlacement {
  int id = IDC_STATIC;  // -1 for a control without an id
  // The kind as dialog resources name it: button, checkbox, radio, groupbox, static, edit,
  // combobox, listbox, scrollbar, progress, richedit or custom.
  CString kind;
  DWORD style = 0;
  CRect rect;
  CString text;
  bool visible = true;
};

struct SDialogLayout {
  CSize client;
  std::vector<SDialogControlPlacement> controls;
};

// The layout of a dialog that has been made (Create or a running DoModal).
SDialogLayout ReportDialogLayout(const CDialog& dialog);
