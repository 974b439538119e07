#pragma once
// One file of the RAM disk: a growable block of memory holding either linear data, which
// every stream reads at its own position, or a ring buffer (first in, first out) through
// which one writer hands data to one reader, possibly on another thread. The file's lock
// guards its block, pointers and run-time flags.

#include <atomic>
#include <memory>

#include "device/streamio/IoStream.h"
#include "platform/base/WinTypes.h"
#include "platform/kernel/CriticalSection.h"

namespace StreamIO {

class CRamFile {
 public:
  // Run-time flags of a ring file opened without share bits: one reader and one writer.
  enum : DWORD { RUN_READER = 0x10000000, RUN_WRITER = 0x20000000 };
  static constexpr DWORD kGrowthStep = 512;

  // `flags`: the share and ring bits of the creating open.
  explicit CRamFile(DWORD flags) : m_dwFlags(flags), m_bRing((flags & OPEN_RING) != 0) {}
  CRamFile(const CRamFile&) = delete;
  CRamFile& operator=(const CRamFile&) = delete;

  DWORD GetFlags();
  void SetRunFlags(DWORD flags);
  void ClearRunFlags(DWORD flags);
  bool IsRing() const { return m_bRing; }
  int AddOpen() { return ++m_nOpenCount; }
  int ReleaseOpen() { return --m_nOpenCount; }

  // A ring file ignores `position` (it reads the oldest data) and leaves it at 0; a linear
  // file reads and writes at it and moves it on. Both return the byte count moved.
  int Read(DWORD& position, void* destination, int count);
  int Write(DWORD& position, const void* source, int count);
  // Moves `position` (origins as for streams). False when the file refuses: a ring file, an
  // unknown origin or a place beyond the end. A place before the start raises 131.
  bool Seek(DWORD& position, int offset, int origin);
  // 0 empties any file; a linear file is cut or extended (with zero bytes) to `length`.
  void SetLength(DWORD length);
  int GetLength();
  // Grows the block to hold at least `size` bytes; raises CMemoryException when it cannot.
  void Reserve(std::size_t size);

 private:
  std::size_t LengthLocked() const;
  // Ring data lies from the read offset to the write offset, wrapping at the capacity; one
  // byte always stays free, so equal offsets mean empty.
  void CopyOutOfRing(BYTE* destination, std::size_t count);
  void CopyIntoRing(const BYTE* source, std::size_t count);

  CCriticalSection m_lock;
  DWORD m_dwFlags;
  const bool m_bRing;
  std::size_t m_nCapacity = 0;
  std::unique_ptr<BYTE[]> m_block;
  std::size_t m_nRead = 0;
  std::size_t m_nWrite = 0;
  std::atomic<int> m_nOpenCount = 0;
};

}  // namespace StreamIO
