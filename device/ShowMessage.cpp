#include "device/ShowMessage.h"

#include "platform/res/StringTable.h"
#include "platform/ui/MessageBox.h"

namespace {

struct SMessageKind {
  UINT caption;
  UINT style;
  bool logRequest;
};

constexpr UINT kLogFileRequest = 28551;

SMessageKind KindOf(UINT kind) {
  switch (kind) {
    case 0:
      return {28503, MB_ICONINFORMATION | MB_OKCANCEL, false};
    case 1:
      return {28502, MB_ICONEXCLAMATION | MB_OKCANCEL, false};
    case 2:
      return {28501, MB_ICONSTOP | MB_OKCANCEL, true};
    case 3:
      return {28500, MB_ICONSTOP | MB_OK, true};
    default:
      return {28501, MB_ICONSTOP | MB_OK, false};
  }
}

}  // namespace

int ShowMessage(UINT kind, const CString& text, void*, const char*, int) {
  const SMessageKind style = KindOf(kind);
  CString message = text;
  if (style.logRequest) message += ResString(kLogFileRequest);
  return MessageBox(nullptr, message, ResString(style.caption), style.style);
}
