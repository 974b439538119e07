#pragma once
// A recursive lock, as the platform's critical sections are: the owning thread may enter again.

#include <mutex>

class CCriticalSection {
 public:
  void Lock() { m_mutex.lock(); }
  void Unlock() { m_mutex.unlock(); }
  bool TryLock() { return m_mutex.try_lock(); }

 private:
  std::recursive_mutex m_mutex;
};

// Holds a critical section for the lifetime of the object.
class CSingleLock {
 public:
  explicit CSingleLock(CCriticalSection& section) : m_section(section) { m_section.Lock(); }
  ~CSingleLock() { m_section.Unlock(); }
  CSingleLock(const CSingleLock&) = delete;
  CSingleLock& operator=(const CSingleLock&) = delete;

 private:
  CCriticalSection& m_section;
};
