#pragma once
// One HTTPS request over libcurl, in the manner of the platform's XML HTTP request object:
// open it with a method and a URL, set headers, send a text body, then read the status and the
// response text. Certificate and host-name checks are always on; an extra CA file may be
// trusted besides the system's certificates.

#include <string>
#include <utility>
#include <vector>

#include "platform/base/String.h"

class CHttpsRequest {
 public:
  // Trusts the certificates of the PEM file as well as the system's; an empty path trusts the
  // system's alone. Takes effect for the next Send.
  void SetExtraCertificates(const CString& pemFile) { m_extraCertificates = pemFile; }

  // Starts a request; only synchronous POST requests are offered, so a false `synchronous`
  // fails, and so do another method and an empty URL.
  bool Open(const CString& method, const CString& url, bool synchronous);
  // False before Open.
  bool SetRequestHeader(const CString& name, const CString& value);
  // Sends the body as UTF-8 and waits for the whole answer. False when the request could not
  // be made or no answer came (refused connection, untrusted certificate, time-out, ...);
  // an answer of any HTTP status is success.
  bool Send(const CString& body);

  // The answer's HTTP status; 0 before an answer.
  long GetStatus() const { return m_status; }
  // The answer's body, read as UTF-8.
  CString GetResponseText() const;

 private:
  bool m_opened = false;
  std::string m_url;
  std::vector<std::string> m_headers;
  CString m_extraCertificates;
  long m_status = 0;
  std::string m_response;
};
