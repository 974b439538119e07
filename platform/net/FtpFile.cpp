#include "platform/net/FtpFile.h"

#include <cstring>

#include "platform/net/FtpTransfer.h"

CFtpFile::CFtpFile(std::unique_ptr<CFtpTransfer> transfer) : m_transfer(std::move(transfer)) {}

CFtpFile::~CFtpFile() = default;

UINT CFtpFile::Read(void* buffer, UINT count) {
  if (!m_transfer) throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, u"The file is not open.");
  m_transfer->Fill(count);
  std::string& data = m_transfer->Buffer();
  // A failure counts only once the data received before it has been read.
  if (data.empty() && m_transfer->HasEnded()) m_transfer->ThrowOnFailure();
  const size_t taken = std::min<size_t>(count, data.size());
  std::memcpy(buffer, data.data(), taken);
  data.erase(0, taken);
  return UINT(taken);
}

void CFtpFile::Close() { m_transfer.reset(); }
