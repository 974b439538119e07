#include "app/data/LoadStringOrPlaceholder.h"

#include "platform/res/StringTable.h"

CString LoadStringOrPlaceholder(UINT id) {
  CString text;
  if (!LoadResString(id, text)) return u"???";
  return text;
}
