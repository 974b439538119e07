#include "device/CancelableStream.h"

#include <list>
#include <mutex>

#include "device/streamio/IoStream.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

// A lock of its own, apart from the job queue's: a cancel may take a moment and must not hold
// up the queue.
std::mutex g_lock;
// One entry per registration: a worker that was given up and its successor may each have one,
// and the end of one never touches the other's.
std::list<StreamIO::CIoStream*> g_streams;

}  // namespace

CCancelableStream::CCancelableStream(StreamIO::CIoStream* stream) {
  std::lock_guard lock(g_lock);
  g_streams.push_front(stream);
  m_entry = g_streams.begin();
}

CCancelableStream::~CCancelableStream() {
  std::lock_guard lock(g_lock);
  g_streams.erase(m_entry);
}

void ForgetRegisteredStream(const StreamIO::CIoStream* stream) {
  std::lock_guard lock(g_lock);
  for (StreamIO::CIoStream*& entry : g_streams) {
    if (entry == stream) entry = nullptr;
  }
}

void CancelRegisteredStream() {
  std::lock_guard lock(g_lock);
  for (StreamIO::CIoStream* stream : g_streams) {
    if (!stream) continue;
    try {
      stream->Cancel();
    } catch (const CFileException&) {
      // The read it was meant to wake ends by its time-out instead.
    }
  }
}

}  // namespace Device
