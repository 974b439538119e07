#pragma once
// Waitable kernel objects (events, threads) and the waits on them. All objects share one
// lock and condition, which keeps WaitForMultipleObjects simple and correct; the program
// waits on few objects at a time, so the shared wake-ups cost nothing that matters.

#include <initializer_list>

#include "platform/base/WinTypes.h"

constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED = 0x80;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

class CSyncObject {
 public:
  virtual ~CSyncObject() = default;

 protected:
  friend DWORD WaitForMultipleObjects(DWORD, CSyncObject* const*, bool, DWORD);
  // Both run under the shared lock.
  virtual bool IsSignaledLocked() const = 0;
  // Called when a wait is satisfied by this object (auto-reset events clear themselves).
  virtual void OnWaitSatisfiedLocked() {}
  // Wakes every waiter after a state change made under the shared lock.
  static void NotifyAll();
  static void Lock();
  static void Unlock();
};

// Waits for the objects in scaled milliseconds (INFINITE waits forever). Running out of
// time means that what was waited for did not happen, so the length is a time-out of the
// clock (TimeoutDuration). Returns
// WAIT_OBJECT_0 + index of the signalled object (the first, or 0 when all were asked for)
// or WAIT_TIMEOUT. On a thread that has a wait pump (the user-interface thread) the pump keeps
// running while the wait lasts.
DWORD WaitForMultipleObjects(DWORD count, CSyncObject* const* objects, bool waitAll, DWORD milliseconds);
DWORD WaitForSingleObject(CSyncObject& object, DWORD milliseconds);
DWORD WaitForObjects(std::initializer_list<CSyncObject*> objects, bool waitAll, DWORD milliseconds);

// A function that processes pending window events; the user-interface layer installs it for
// its own thread so that waits there behave like message-pumping waits.
using WaitPump = void (*)();
void SetThreadWaitPump(WaitPump pump);
