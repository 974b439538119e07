#include "platform/net/FtpTransfer.h"

#include <algorithm>
#include <cstring>

namespace {

// A server that stops sending for this long ends the transfer as timed out.
constexpr long kStallSeconds = 30;
constexpr long kFtpConnectTimeoutMs = 15000;
// Longest wait for socket activity between checks of the stop flag.
constexpr int kPollMs = 50;

DWORD ErrorNumberOf(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
      return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT:
      return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT:
      return ERROR_INTERNET_TIMEOUT;
    case CURLE_LOGIN_DENIED:
      return ERROR_INTERNET_LOGIN_FAILURE;
    case CURLE_ABORTED_BY_CALLBACK:
      return ERROR_INTERNET_OPERATION_CANCELLED;
    default:
      return ERROR_INTERNET_EXTENDED_ERROR;
  }
}

// A refusal by the server carries the server's reply as its message.
bool IsServerRefusal(CURLcode code) {
  switch (code) {
    case CURLE_LOGIN_DENIED:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_QUOTE_ERROR:
    case CURLE_FTP_WEIRD_SERVER_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_ACCEPT_FAILED:
      return true;
    default:
      return false;
  }
}

}  // namespace

CFtpTransfer::CFtpTransfer(SFtpSessionState& session, const std::string& path) : m_session(session) {
  m_easy = curl_easy_init();
  if (!m_easy)
    throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, u"The transfer could not be prepared.");
  const std::string url = session.serverUrl + path;
  curl_easy_setopt(m_easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(m_easy, CURLOPT_USERNAME, session.user.c_str());
  curl_easy_setopt(m_easy, CURLOPT_PASSWORD, session.password.c_str());
  curl_easy_setopt(m_easy, CURLOPT_FTP_USE_EPSV, 1L);
  curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT_MS, kFtpConnectTimeoutMs);
  curl_easy_setopt(m_easy, CURLOPT_FTP_RESPONSE_TIMEOUT, kStallSeconds);
  curl_easy_setopt(m_easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(m_easy, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
  curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &CFtpTransfer::OnData);
  curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(m_easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(m_easy, CURLOPT_XFERINFOFUNCTION, &CFtpTransfer::OnProgress);
  curl_easy_setopt(m_easy, CURLOPT_XFERINFODATA, this);
  // The server's replies arrive through the debug channel; the last one explains a refusal.
  curl_easy_setopt(m_easy, CURLOPT_DEBUGFUNCTION, &CFtpTransfer::OnDebug);
  curl_easy_setopt(m_easy, CURLOPT_DEBUGDATA, this);
  curl_easy_setopt(m_easy, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(m_easy, CURLOPT_ERRORBUFFER, m_errorText);
}

CFtpTransfer::~CFtpTransfer() {
  if (m_started) curl_multi_remove_handle(m_session.multi, m_easy);
  curl_easy_cleanup(m_easy);
}

void CFtpTransfer::Start() {
  if (curl_multi_add_handle(m_session.multi, m_easy) != CURLM_OK)
    throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, u"The transfer could not be started.");
  m_started = true;
}

size_t CFtpTransfer::Take(void* target, size_t count) {
  const size_t taken = std::min(count, Buffered());
  std::memcpy(target, m_buffer.data() + m_taken, taken);
  m_taken += taken;
  if (m_taken == m_buffer.size()) {
    m_buffer.clear();
    m_taken = 0;
  }
  return taken;
}

void CFtpTransfer::Fill(size_t wanted) {
  while (!m_ended && Buffered() < wanted) {
    int running = 0;
    if (curl_multi_perform(m_session.multi, &running) != CURLM_OK) {
      m_ended = true;
      m_result = CURLE_RECV_ERROR;
      break;
    }
    TakeResult();
    if (m_ended || Buffered() >= wanted) break;
    if (StopRequested()) {
      m_ended = true;
      m_result = CURLE_ABORTED_BY_CALLBACK;
      break;
    }
    curl_multi_poll(m_session.multi, nullptr, 0, kPollMs, nullptr);
  }
}

void CFtpTransfer::RunToEnd() {
  Start();
  Fill(SIZE_MAX);
  ThrowOnFailure();
}

void CFtpTransfer::ThrowOnFailure() const {
  if (m_result == CURLE_OK) return;
  CString message;
  if (IsServerRefusal(m_result) && !m_lastReply.empty()) {
    message = CString::FromUtf8(m_lastReply);
  } else if (m_errorText[0]) {
    message = CString::FromUtf8(m_errorText);
  } else {
    message = CString::FromUtf8(curl_easy_strerror(m_result));
  }
  throw CInternetException(ErrorNumberOf(m_result), message);
}

void CFtpTransfer::TakeResult() {
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(m_session.multi, &left)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == m_easy) {
      m_ended = true;
      m_result = message->data.result;
    }
  }
}

bool CFtpTransfer::StopRequested() const {
  return m_session.stopFlag && m_session.stopFlag->load(std::memory_order_relaxed);
}

size_t CFtpTransfer::OnData(char* data, size_t size, size_t count, void* self) {
  static_cast<CFtpTransfer*>(self)->m_buffer.append(data, size * count);
  return size * count;
}

int CFtpTransfer::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<CFtpTransfer*>(self)->StopRequested() ? 1 : 0;
}

int CFtpTransfer::OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* self) {
  if (type != CURLINFO_HEADER_IN) return 0;
  std::string reply(data, size);
  while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) reply.pop_back();
  if (!reply.empty()) static_cast<CFtpTransfer*>(self)->m_lastReply = reply;
  return 0;
}
