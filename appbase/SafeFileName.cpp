#include "appbase/SafeFileName.h"

CString SafeForFileName(const CString& text) {
  CString safe = text;
  for (int i = 0; i < safe.GetLength(); ++i)
    if (safe[i] == u'/' || safe[i] < 0x20 || safe[i] == 0x7F) safe.SetAt(i, u'_');
  return safe;
}
