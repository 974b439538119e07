#include "platform/net/InternetException.h"

bool CInternetException::GetErrorMessage(CString& text, UINT maxChars) const {
  if (m_strMessage.IsEmpty() || maxChars == 0) return false;
  text = m_strMessage.Left(int(maxChars) - 1);
  return true;
}
