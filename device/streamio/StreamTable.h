#pragma once
// The process-wide table of live streams. A handle is the entry index in its low 10 bits and
// a generation count above them, so a handle whose entry has since been reused finds nothing.
// The table holds entries only between Start and Stop; outside that span streams work
// unregistered (handle 0) and leaving the table does nothing.

#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/kernel/CriticalSection.h"

namespace StreamIO {

class CIoStream;

class CStreamTable {
 public:
  static constexpr DWORD kMaxEntries = 1024;
  static constexpr DWORD kIndexMask = 0x3FF;
  static constexpr DWORD kFirstGeneration = 0x400;

  static CStreamTable& Instance();

  void Start();
  // Closes every registered stream (the objects stay with their owners) and empties the table.
  void Stop();

  // Returns the new handle, or 0 when the table is full or not started.
  DWORD Register(CIoStream* stream);
  void Unregister(DWORD handle, const CIoStream* stream);
  CIoStream* Find(DWORD handle);

 private:
  CStreamTable() = default;

  CCriticalSection m_lock;
  bool m_started = false;
  std::vector<CIoStream*> m_entries;
  DWORD m_dwGeneration = kFirstGeneration;
};

}  // namespace StreamIO
