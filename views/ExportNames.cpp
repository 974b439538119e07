#include "views/ExportNames.h"

#include "appbase/BoxCaption.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr int kEndingLength = 4;

}  // namespace

void ShowExportBox(CWnd* owner, const CString& text) {
  MessageBox(owner, text, kBoxCaption, MB_OK | MB_ICONEXCLAMATION);
}

CString NumberedExportName(const CString& path, int n) {
  CString name;
  name.Format(u"%s%d%s", path.Left(path.GetLength() - kEndingLength).GetString(), n,
              path.Right(kEndingLength).GetString());
  return name;
}
