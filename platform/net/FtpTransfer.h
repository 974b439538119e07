#pragma once
// One libcurl transfer of an FTP connection, driven step by step through the connection's
// multi handle, whose connection cache keeps the logged-in control connection between
// transfers. Used only inside the net layer.

#include <curl/curl.h>

#include <atomic>
#include <string>

#include "platform/net/InternetException.h"

// What every transfer of one connection shares.
struct SFtpSessionState {
  CURLM* multi = nullptr;
  std::string serverUrl;  // "ftp://host:port/", the login folder
  std::string user;
  std::string password;
  const std::atomic<bool>* stopFlag = nullptr;
};

class CFtpTransfer {
 public:
  // Prepares a transfer of `path` (relative to the login folder, components escaped).
  CFtpTransfer(SFtpSessionState& session, const std::string& path);
  ~CFtpTransfer();
  CFtpTransfer(const CFtpTransfer&) = delete;
  CFtpTransfer& operator=(const CFtpTransfer&) = delete;

  CURL* Handle() const { return m_easy; }
  // Starts the transfer; options are set on Handle() before.
  void Start();
  // Moves the transfer on until `wanted` bytes are buffered or it has ended.
  void Fill(size_t wanted);
  // Runs the transfer to its end; throws CInternetException when it failed.
  void RunToEnd();
  bool HasEnded() const { return m_ended; }
  // Throws CInternetException when the ended transfer failed.
  void ThrowOnFailure() const;
  // The received data not yet taken.
  size_t Buffered() const { return m_buffer.size() - m_taken; }
  // Moves up to `count` buffered bytes to `target`; returns how many.
  size_t Take(void* target, size_t count);

 private:
  static size_t OnData(char* data, size_t size, size_t count, void* self);
  static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
  static int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* self);
  void TakeResult();
  bool StopRequested() const;

  SFtpSessionState& m_session;
  CURL* m_easy = nullptr;
  bool m_started = false;
  bool m_ended = false;
  CURLcode m_result = CURLE_OK;
  // Received data; the first m_taken bytes have been taken. The buffer is compacted only when
  // it is drained, so that small reads do not move the rest each time.
  std::string m_buffer;
  size_t m_taken = 0;
  std::string m_lastReply;
  char m_errorText[CURL_ERROR_SIZE] = {};
};
