#pragma once
// Holds the process's file size limit low while it lives: a write that would pass it fails with
// EFBIG part way through, as a write fails on a full disk. The signal the limit sends is
// ignored meanwhile, so that the write reports the failure instead of ending the process.

#include <signal.h>
#include <sys/resource.h>

class CFileSizeLimit {
 public:
  explicit CFileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    const rlimit low{bytes, m_old.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &low);
  }
  ~CFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    ::signal(SIGXFSZ, m_oldHandler);
  }
  CFileSizeLimit(const CFileSizeLimit&) = delete;
  CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

 private:
  rlimit m_old{};
  sighandler_t m_oldHandler = SIG_DFL;
};
