#include "platform/net/FtpFile.h"

#include "platform/net/FtpTransfer.h"

CFtpFile::CFtpFile(std::unique_ptr<CFtpTransfer> transfer) : m_transfer(std::move(transfer)) {}

CFtpFile::~CFtpFile() = default;

UINT CFtpFile::Read(void* buffer, UINT count) {
  if (!m_transfer) throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, u"The file is not open.");
  m_transfer->Fill(count);
  // A failure counts only once the data received before it has been read.
  if (m_transfer->Buffered() == 0 && m_transfer->HasEnded()) m_transfer->ThrowOnFailure();
  return UINT(m_transfer->Take(buffer, count));
}

void CFtpFile::Close() { m_transfer.reset(); }
