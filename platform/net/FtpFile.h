#pragma once
// A file on an FTP server opened for reading: one transfer that continues across reads, so
// blocks of any size come from the same data connection.

#include <memory>

#include "platform/base/WinTypes.h"

class CFtpTransfer;

class CFtpFile {
 public:
  explicit CFtpFile(std::unique_ptr<CFtpTransfer> transfer);
  virtual ~CFtpFile();
  CFtpFile(const CFtpFile&) = delete;
  CFtpFile& operator=(const CFtpFile&) = delete;

  // Reads up to `count` bytes; fewer only at the end of the transfer, 0 after it. Throws
  // CInternetException when the transfer fails.
  UINT Read(void* buffer, UINT count);
  // Ends the transfer, complete or not.
  void Close();

 private:
  std::unique_ptr<CFtpTransfer> m_transfer;
};
