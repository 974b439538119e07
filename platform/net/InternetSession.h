#pragma once
// The program's internet session: the library state that connections to servers need,
// started once for the process, and the door to FTP connections.

#include <atomic>
#include <memory>

#include "platform/net/FtpConnection.h"

class CInternetSession {
 public:
  CInternetSession();
  virtual ~CInternetSession() = default;

  // False when the internet library could not be started.
  bool IsOpen() const { return m_open; }
  // Logs in to an FTP server in passive mode; throws CInternetException on failure.
  std::unique_ptr<CFtpConnection> GetFtpConnection(const CString& server, const CString& user,
                                                   const CString& password,
                                                   const std::atomic<bool>* stopFlag = nullptr);

 private:
  bool m_open = false;
};
