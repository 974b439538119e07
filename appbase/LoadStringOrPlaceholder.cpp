#include "appbase/LoadStringOrPlaceholder.h"

#include "platform/res/StringTable.h"

CString LoadStringOrPlaceholder(UINT id) {
  CString text;
  if (!LoadResString(id, text)) return u"???";
  return text;
}

CString FormatStringOrPlaceholder(UINT id, const CString& first, const CString& second,
                                  const CString& third) {
  CString text;
  text.Format(LoadStringOrPlaceholder(id).GetString(), first.GetString(), second.GetString(),
              third.GetString());
  return text;
}
