#include "platform/kernel/Event.h"

CEvent::CEvent(bool initiallySet, bool manualReset, const char16_t* name)
    : m_set(initiallySet), m_manual(manualReset), m_name(name) {}

bool CEvent::SetEvent() {
  Lock();
  m_set = true;
  Unlock();
  NotifyAll();
  return true;
}

bool CEvent::ResetEvent() {
  Lock();
  m_set = false;
  Unlock();
  return true;
}

bool CEvent::IsSet() const {
  Lock();
  bool set = m_set;
  Unlock();
  return set;
}

void CEvent::OnWaitSatisfiedLocked() {
  if (!m_manual) m_set = false;
}
