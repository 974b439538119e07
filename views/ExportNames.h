#pragma once
// What the export commands of the measurement page share: the box that reports a failed
// export, and the names of the files of an export with one file per measurement.

#include "platform/base/String.h"

class CWnd;

// Shows the text in a warning box over the page, with the program's name as caption.
void ShowExportBox(CWnd* owner, const CString& text);

// The name of the n-th file: the chosen name with n put before its ending (a full stop and
// three letters), so "C:\data\out.csv" gives "C:\data\out2.csv" for n = 2.
CString NumberedExportName(const CString& path, int n);
