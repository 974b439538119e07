#include "device/streamio/StreamTable.h"

#include "device/streamio/IoStream.h"

namespace StreamIO {

CStreamTable& CStreamTable::Instance() {
  // Never destroyed: streams held in static objects may leave the table during process exit.
  static CStreamTable* table = new CStreamTable;
  return *table;
}

void CStreamTable::Start() {
  CSingleLock lock(m_lock);
  m_started = true;
  m_entries.clear();
  m_dwGeneration = kFirstGeneration;
}

void CStreamTable::Stop() {
  CSingleLock lock(m_lock);
  for (CIoStream* stream : m_entries) {
    if (stream) stream->Close();
  }
  m_entries.clear();
  m_entries.shrink_to_fit();
  m_started = false;
}

DWORD CStreamTable::Register(CIoStream* stream) {
  CSingleLock lock(m_lock);
  if (!m_started) return 0;
  DWORD index = 0;
  while (index < m_entries.size() && m_entries[index]) ++index;
  if (index == kMaxEntries) return 0;
  if (index == m_entries.size()) m_entries.push_back(nullptr);
  m_entries[index] = stream;
  const DWORD handle = (m_dwGeneration & ~kIndexMask) | index;
  m_dwGeneration = m_dwGeneration >= 0xFFFFFC00 ? kFirstGeneration : m_dwGeneration + kFirstGeneration;
  return handle;
}

void CStreamTable::Unregister(DWORD handle, const CIoStream* stream) {
  CSingleLock lock(m_lock);
  const DWORD index = handle & kIndexMask;
  if (handle != 0 && index < m_entries.size() && m_entries[index] == stream) m_entries[index] = nullptr;
}

CIoStream* CStreamTable::Find(DWORD handle) {
  CSingleLock lock(m_lock);
  const DWORD index = handle & kIndexMask;
  if (index >= m_entries.size()) return nullptr;
  CIoStream* stream = m_entries[index];
  return stream && stream->GetHandle() == handle ? stream : nullptr;
}

}  // namespace StreamIO
