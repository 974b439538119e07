#include "device/streamio/RamFile.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "device/streamio/IoStream.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"

namespace StreamIO {

namespace {

// Lengths and positions are reported as 32-bit signed values.
constexpr std::size_t kMaxSize = 0x7FFFFFFF;

}  // namespace

DWORD CRamFile::GetFlags() {
  CSingleLock lock(m_lock);
  return m_dwFlags;
}

void CRamFile::SetRunFlags(DWORD flags) {
  CSingleLock lock(m_lock);
  m_dwFlags |= flags;
}

void CRamFile::ClearRunFlags(DWORD flags) {
  CSingleLock lock(m_lock);
  m_dwFlags &= ~flags;
}

int CRamFile::Read(DWORD& position, void* destination, int count) {
  if (count <= 0 || !destination) return 0;
  CSingleLock lock(m_lock);
  if (IsRing()) position = 0;
  const std::size_t length = LengthLocked();
  if (position >= length) return 0;
  const std::size_t n = std::min<std::size_t>(std::size_t(count), length - position);
  auto* out = static_cast<BYTE*>(destination);
  if (IsRing()) {
    CopyOutOfRing(out, n);
  } else {
    std::memcpy(out, m_block.get() + position, n);
    position += DWORD(n);
  }
  return int(n);
}

int CRamFile::Write(DWORD& position, const void* source, int count) {
  if (count <= 0 || !source) return 0;
  CSingleLock lock(m_lock);
  const auto* in = static_cast<const BYTE*>(source);
  if (IsRing()) {
    Reserve(LengthLocked() + std::size_t(count) + 1);
    CopyIntoRing(in, std::size_t(count));
    position = 0;
    return count;
  }
  const std::size_t end = std::size_t(position) + std::size_t(count);
  Reserve(end);
  // A write beyond the end must not bring back whatever the block held there before.
  if (position > m_nWrite) std::memset(m_block.get() + m_nWrite, 0, position - m_nWrite);
  std::memcpy(m_block.get() + position, in, std::size_t(count));
  position = DWORD(end);
  m_nWrite = std::max(m_nWrite, end);
  return count;
}

bool CRamFile::Seek(DWORD& position, int offset, int origin) {
  CSingleLock lock(m_lock);
  if (IsRing()) {
    position = 0;
    return false;
  }
  std::int64_t target = 0;
  switch (origin) {
    case SEEK_FROM_CURRENT:
      target = std::int64_t(position) + offset;
      break;
    case SEEK_FROM_START:
      target = offset;
      break;
    case SEEK_FROM_END:
      target = std::int64_t(LengthLocked()) + offset;
      break;
    default:
      return false;
  }
  if (target < 0) ThrowFileException(ERROR_NEGATIVE_SEEK, CString());
  if (std::uint64_t(target) > LengthLocked()) return false;
  position = DWORD(target);
  return true;
}

void CRamFile::SetLength(DWORD length) {
  CSingleLock lock(m_lock);
  if (length == 0) {
    m_block.reset();
    m_nCapacity = m_nRead = m_nWrite = 0;
    return;
  }
  if (IsRing()) return;
  Reserve(length);
  if (length > m_nWrite) std::memset(m_block.get() + m_nWrite, 0, length - m_nWrite);
  m_nWrite = length;
}

int CRamFile::GetLength() {
  CSingleLock lock(m_lock);
  return int(LengthLocked());
}

void CRamFile::Reserve(std::size_t size) {
  CSingleLock lock(m_lock);
  if (m_nCapacity >= size) return;
  if (size > kMaxSize) throw CMemoryException();
  const std::size_t steps = (size - m_nCapacity + kGrowthStep - 1) / kGrowthStep;
  const std::size_t capacity = m_nCapacity + steps * kGrowthStep;
  std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[capacity]);
  if (!block) throw CMemoryException();
  const std::size_t length = LengthLocked();
  if (m_block) {
    if (IsRing()) {
      CopyOutOfRing(block.get(), length);
    } else {
      std::memcpy(block.get(), m_block.get(), length);
    }
  }
  m_block = std::move(block);
  m_nCapacity = capacity;
  m_nRead = 0;
  m_nWrite = length;
}

std::size_t CRamFile::LengthLocked() const {
  if (!IsRing()) return m_nWrite;
  return m_nWrite >= m_nRead ? m_nWrite - m_nRead : m_nWrite + m_nCapacity - m_nRead;
}

void CRamFile::CopyOutOfRing(BYTE* destination, std::size_t count) {
  const std::size_t first = std::min(count, m_nCapacity - m_nRead);
  std::memcpy(destination, m_block.get() + m_nRead, first);
  std::memcpy(destination + first, m_block.get(), count - first);
  m_nRead = (m_nRead + count) % m_nCapacity;
}

void CRamFile::CopyIntoRing(const BYTE* source, std::size_t count) {
  const std::size_t first = std::min(count, m_nCapacity - m_nWrite);
  std::memcpy(m_block.get() + m_nWrite, source, first);
  std::memcpy(m_block.get(), source + first, count - first);
  m_nWrite = (m_nWrite + count) % m_nCapacity;
}

}  // namespace StreamIO
