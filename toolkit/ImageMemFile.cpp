#include "toolkit/ImageMemFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr std::uint64_t kGrowStep = 65536;
// Positions and sizes are reported as signed 32-bit values.
constexpr std::uint64_t kMaxSize = std::numeric_limits<std::int32_t>::max();

}  // namespace

CImageMemFile::CImageMemFile(BYTE* buffer, std::uint32_t size)
    : m_pBuffer(buffer), m_bFreeOnClose(buffer == nullptr), m_nSize(size), m_nCapacity(size) {}

CImageMemFile::~CImageMemFile() { Close(); }

BOOL CImageMemFile::Open() {
  if (m_pBuffer) return FALSE;
  m_pBuffer = static_cast<BYTE*>(std::malloc(1));
  if (!m_pBuffer) return FALSE;
  m_bFreeOnClose = TRUE;
  m_nPosition = m_nSize = m_nCapacity = 0;
  return TRUE;
}

BOOL CImageMemFile::Close() {
  if (m_pBuffer && m_bFreeOnClose) {
    std::free(m_pBuffer);
    m_pBuffer = nullptr;
    m_nSize = 0;
  }
  return TRUE;
}

std::size_t CImageMemFile::Read(void* buffer, std::size_t size, std::size_t count) {
  if (!m_pBuffer || !buffer || m_nPosition >= m_nSize) return 0;
  const std::size_t wanted = size * count;
  if (wanted == 0) return 0;
  const std::size_t n = std::min<std::size_t>(wanted, m_nSize - m_nPosition);
  std::memcpy(buffer, m_pBuffer + m_nPosition, n);
  m_nPosition += std::uint32_t(n);
  return n / size;
}

bool CImageMemFile::PrepareWrite(std::uint64_t end) {
  if (end > kMaxSize) return false;
  if (end > m_nCapacity) {
    const std::uint64_t capacity = end / kGrowStep * kGrowStep + kGrowStep;
    auto* grown = static_cast<BYTE*>(std::realloc(m_pBuffer, std::size_t(capacity)));
    if (!grown) return false;
    m_pBuffer = grown;
    m_nCapacity = std::uint32_t(capacity);
    m_bFreeOnClose = TRUE;
  }
  if (m_nPosition > m_nSize) std::memset(m_pBuffer + m_nSize, 0, m_nPosition - m_nSize);
  return true;
}

std::size_t CImageMemFile::Write(const void* buffer, std::size_t size, std::size_t count) {
  if (!m_pBuffer || !buffer) return 0;
  if (size != 0 && count > kMaxSize / size) return 0;
  const std::size_t n = size * count;
  if (n == 0) return 0;
  if (!PrepareWrite(std::uint64_t(m_nPosition) + n)) return 0;
  std::memcpy(m_pBuffer + m_nPosition, buffer, n);
  m_nPosition += std::uint32_t(n);
  m_nSize = std::max(m_nSize, m_nPosition);
  return count;
}

BOOL CImageMemFile::PutByte(BYTE value) {
  if (!m_pBuffer) return FALSE;
  if (!PrepareWrite(std::uint64_t(m_nPosition) + 1)) return FALSE;
  m_pBuffer[m_nPosition++] = value;
  m_nSize = std::max(m_nSize, m_nPosition);
  return TRUE;
}

BOOL CImageMemFile::Seek(std::int32_t offset, int origin) {
  if (!m_pBuffer) return FALSE;
  std::int64_t base = 0;
  switch (origin) {
    case 0:
      base = 0;
      break;
    case 1:
      base = m_nPosition;
      break;
    case 2:
      base = m_nSize;
      break;
    default:
      return FALSE;
  }
  const std::int64_t target = std::clamp<std::int64_t>(base + offset, 0, std::int64_t(kMaxSize));
  m_nPosition = std::uint32_t(target);
  return TRUE;
}

std::int32_t CImageMemFile::GetPosition() { return m_pBuffer ? std::int32_t(m_nPosition) : -1; }

std::int32_t CImageMemFile::GetSize() { return m_pBuffer ? std::int32_t(m_nSize) : -1; }

BOOL CImageMemFile::Flush() { return m_pBuffer != nullptr; }

BOOL CImageMemFile::AtEnd() { return !m_pBuffer || m_nPosition >= m_nSize; }

int CImageMemFile::HasError() {
  if (!m_pBuffer) return -1;
  return m_nPosition > m_nSize;
}

int CImageMemFile::GetByte() {
  if (AtEnd()) return -1;
  return m_pBuffer[m_nPosition++];
}

char* CImageMemFile::GetLine(char* buffer, int length) {
  if (!buffer || length <= 0) return nullptr;
  int i = 0;
  while (i < length - 1) {
    const int c = GetByte();
    if (c < 0) {
      buffer[i] = 0;
      return nullptr;
    }
    buffer[i++] = char(c);
    if (c == '\n') break;
  }
  buffer[i] = 0;
  return buffer;
}

int CImageMemFile::ScanFormatted(const char*, void*) { return 0; }

BYTE* CImageMemFile::DetachBuffer(bool detach) {
  if (detach) m_bFreeOnClose = FALSE;
  return m_pBuffer;
}
