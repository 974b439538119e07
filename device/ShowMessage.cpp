#include "device/ShowMessage.h"

#include "platform/res/StringTable.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"

namespace {

struct SMessageKind {
  UINT caption;
  UINT style;
  bool logRequest;
};

SMessageKind KindOf(UINT kind) {
  switch (kind) {
    case 0:
      return {IDS_CAPTION_INFORMATION, MB_ICONINFORMATION | MB_OKCANCEL, false};
    case 1:
      return {IDS_CAPTION_WARNING, MB_ICONEXCLAMATION | MB_OKCANCEL, false};
    case 2:
      return {IDS_CAPTION_ERROR, MB_ICONSTOP | MB_OKCANCEL, true};
    case 3:
      return {IDS_CAPTION_FATAL_ERROR, MB_ICONSTOP | MB_OK, true};
    default:
      return {IDS_CAPTION_ERROR, MB_ICONSTOP | MB_OK, false};
  }
}

}  // namespace

int ShowMessage(UINT kind, const CString& text, void*, const char*, int) {
  const SMessageKind style = KindOf(kind);
  CString message = text;
  if (style.logRequest) message += ResString(IDS_LOG_FILE_REQUEST);
  return MessageBox(nullptr, message, ResString(style.caption), style.style);
}
