#include "platform/kernel/SyncObject.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "platform/base/Clock.h"

namespace {

// The shared lock and condition are never destroyed: a thread given up after its stop grace
// runs on detached and may still signal an object while the process runs its exit handlers.
std::mutex& SharedMutex() {
  static auto* m = new std::mutex;
  return *m;
}

std::condition_variable& SharedCondition() {
  static auto* cv = new std::condition_variable;
  return *cv;
}

thread_local WaitPump t_pump = nullptr;

// How long a pumping wait blocks between two runs of the pump, in real time.
constexpr auto kPumpSlice = std::chrono::milliseconds(5);

}  // namespace

void CSyncObject::NotifyAll() { SharedCondition().notify_all(); }
void CSyncObject::Lock() { SharedMutex().lock(); }
void CSyncObject::Unlock() { SharedMutex().unlock(); }

void SetThreadWaitPump(WaitPump pump) { t_pump = pump; }

DWORD WaitForMultipleObjects(DWORD count, CSyncObject* const* objects, bool waitAll, DWORD milliseconds) {
  if (count == 0 || !objects) return WAIT_FAILED;
  const bool forever = milliseconds == INFINITE;
  const auto deadline = std::chrono::steady_clock::now() +
                        (forever ? std::chrono::steady_clock::duration{} : TimeoutDuration(milliseconds));

  auto ready = [&]() -> int {
    if (waitAll) {
      for (DWORD i = 0; i < count; ++i)
        if (!objects[i]->IsSignaledLocked()) return -1;
      for (DWORD i = 0; i < count; ++i) objects[i]->OnWaitSatisfiedLocked();
      return 0;
    }
    for (DWORD i = 0; i < count; ++i) {
      if (objects[i]->IsSignaledLocked()) {
        objects[i]->OnWaitSatisfiedLocked();
        return int(i);
      }
    }
    return -1;
  };

  std::unique_lock lock(SharedMutex());
  for (;;) {
    int index = ready();
    if (index >= 0) return WAIT_OBJECT_0 + DWORD(index);
    auto now = std::chrono::steady_clock::now();
    if (!forever && now >= deadline) return WAIT_TIMEOUT;
    if (t_pump) {
      lock.unlock();
      t_pump();
      lock.lock();
      index = ready();
      if (index >= 0) return WAIT_OBJECT_0 + DWORD(index);
      auto until = now + kPumpSlice;
      if (!forever) until = std::min(until, deadline);
      SharedCondition().wait_until(lock, until);
    } else if (forever) {
      SharedCondition().wait(lock);
    } else {
      SharedCondition().wait_until(lock, deadline);
    }
  }
}

DWORD WaitForSingleObject(CSyncObject& object, DWORD milliseconds) {
  CSyncObject* list[] = {&object};
  return WaitForMultipleObjects(1, list, false, milliseconds);
}

DWORD WaitForObjects(std::initializer_list<CSyncObject*> objects, bool waitAll, DWORD milliseconds) {
  return WaitForMultipleObjects(DWORD(objects.size()), objects.begin(), waitAll, milliseconds);
}
