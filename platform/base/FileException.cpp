#include "platform/base/FileException.h"

CString CFileException::GetErrorMessage() const {
  CString text;
  text.Format(u"A file error occurred while accessing %s (error %d).", m_strFileName, m_lOsError);
  return text;
}

void ThrowFileException(int osError, const CString& fileName) { throw CFileException(osError, fileName); }
