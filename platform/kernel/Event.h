#pragma once
// Manual- and auto-reset events. An auto-reset event releases one waiter and clears itself;
// a manual-reset event stays set until ResetEvent. A name is kept for diagnostics only:
// the program's named events are all within one process.

#include "platform/base/String.h"
#include "platform/kernel/SyncObject.h"

class CEvent : public CSyncObject {
 public:
  explicit CEvent(bool initiallySet = false, bool manualReset = false, const char16_t* name = nullptr);
  CEvent(const CEvent&) = delete;
  CEvent& operator=(const CEvent&) = delete;

  bool SetEvent();
  bool ResetEvent();
  // The state without waiting (for tests and polling loops).
  bool IsSet() const;

 protected:
  bool IsSignaledLocked() const override { return m_set; }
  void OnWaitSatisfiedLocked() override;

 private:
  bool m_set;
  const bool m_manual;
  CString m_name;
};
