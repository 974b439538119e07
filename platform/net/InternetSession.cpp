#include "platform/net/InternetSession.h"

#include <curl/curl.h>

#include <mutex>

#include "platform/net/InternetException.h"

namespace {

bool StartInternetLibrary() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] { started = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
  return started;
}

}  // namespace

CInternetSession::CInternetSession() : m_open(StartInternetLibrary()) {}

std::unique_ptr<CFtpConnection> CInternetSession::GetFtpConnection(const CString& server, const CString& user,
                                                                   const CString& password,
                                                                   const std::atomic<bool>* stopFlag) {
  if (!m_open) throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, u"The internet session is not open.");
  return std::make_unique<CFtpConnection>(server, user, password, stopFlag);
}
