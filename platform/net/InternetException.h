#pragma once
// A failure of an internet operation: the platform's internet error number and the message
// that goes with it (for a server's refusal, the server's own reply).

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

// The internet error numbers the layer reports.
constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_EXTENDED_ERROR = 12003;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_LOGIN_FAILURE = 12015;
constexpr DWORD ERROR_INTERNET_OPERATION_CANCELLED = 12017;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;

class CInternetException {
 public:
  CInternetException(DWORD error, const CString& message) : m_dwError(error), m_strMessage(message) {}
  virtual ~CInternetException() = default;

  // The message cut to at most `maxChars` - 1 characters; false when there is none.
  bool GetErrorMessage(CString& text, UINT maxChars) const;

  DWORD m_dwError;

 private:
  CString m_strMessage;
};
