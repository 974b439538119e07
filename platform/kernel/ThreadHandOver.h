#pragma once
// Hand-overs between threads that happen inside a library the thread sanitizer cannot see into.
// The toolkit's event queue passes a posted event from the posting thread to the receiving one
// under its own lock; the toolkit is not built with the sanitizer, so without these marks every
// read of a posted event on the receiving side would count as a race. The poster marks the
// object before handing it over and the receiver marks it before its first read. In builds
// without the thread sanitizer both do nothing.

#if defined(__SANITIZE_THREAD__)
#define ZD_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZD_THREAD_SANITIZER 1
#endif
#endif

#ifdef ZD_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

// On the posting thread, after the object is complete and before the library takes it.
inline void MarkHandedOver([[maybe_unused]] const void* object) {
#ifdef ZD_THREAD_SANITIZER
  __tsan_release(const_cast<void*>(object));
#endif
}

// On the receiving thread, before the object is first read.
inline void MarkTakenOver([[maybe_unused]] const void* object) {
#ifdef ZD_THREAD_SANITIZER
  __tsan_acquire(const_cast<void*>(object));
#endif
}
