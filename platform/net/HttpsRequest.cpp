#include "platform/net/HttpsRequest.h"

#include <curl/curl.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>

namespace {

// A request that hears nothing for this long fails, as the platform's own request object
// gives up on a silent server.
constexpr long kHttpsConnectTimeoutMs = 60000;
constexpr long kTransferTimeoutMs = 120000;

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct SCurlDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct SHeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

size_t AppendResponse(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

bool ReadWholeFile(const std::string& path, std::string& contents) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

bool CHttpsRequest::Open(const CString& method, const CString& url, bool synchronous) {
  m_opened = false;
  m_headers.clear();
  m_status = 0;
  m_response.clear();
  if (!synchronous || url.IsEmpty() || method != CString(u"POST")) return false;
  m_url = url.ToUtf8();
  m_opened = true;
  return true;
}

bool CHttpsRequest::SetRequestHeader(const CString& name, const CString& value) {
  if (!m_opened || name.IsEmpty()) return false;
  m_headers.push_back(name.ToUtf8() + ": " + value.ToUtf8());
  return true;
}

bool CHttpsRequest::Send(const CString& body) {
  m_status = 0;
  m_response.clear();
  if (!m_opened) return false;
  InitCurlOnce();
  std::unique_ptr<CURL, SCurlDeleter> curl(curl_easy_init());
  if (!curl) return false;
  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_URL, m_url.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "https");
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, kHttpsConnectTimeoutMs);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, kTransferTimeoutMs);
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);

  // The extra certificates join the system's bundle rather than replace it.
  std::string bundle;
  if (!m_extraCertificates.IsEmpty()) {
    char* systemBundle = nullptr;
    curl_easy_getinfo(handle, CURLINFO_CAINFO, &systemBundle);
    std::string extra;
    if (!ReadWholeFile(m_extraCertificates.ToUtf8(), extra)) return false;
    if (systemBundle) ReadWholeFile(systemBundle, bundle);
    bundle += "\n" + extra;
    curl_blob blob{bundle.data(), bundle.size(), CURL_BLOB_NOCOPY};
    curl_easy_setopt(handle, CURLOPT_CAINFO_BLOB, &blob);
  }

  std::unique_ptr<curl_slist, SHeaderListDeleter> headers;
  // libcurl would otherwise ask a larger body to wait for a "100 Continue".
  headers.reset(curl_slist_append(headers.release(), "Expect:"));
  for (const std::string& header : m_headers)
    headers.reset(curl_slist_append(headers.release(), header.c_str()));
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());

  const std::string utf8Body = body.ToUtf8();
  curl_easy_setopt(handle, CURLOPT_POST, 1L);
  curl_easy_setopt(handle, CURLOPT_POSTFIELDS, utf8Body.c_str());
  curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(utf8Body.size()));
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &AppendResponse);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &m_response);

  const CURLcode result = curl_easy_perform(handle);
  if (result != CURLE_OK) {
    m_response.clear();
    return false;
  }
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &m_status);
  return true;
}

CString CHttpsRequest::GetResponseText() const { return CString::FromUtf8(m_response); }
