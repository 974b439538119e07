#include "device/CancelableStream.h"

#include <mutex>

#include "device/streamio/IoStream.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

// A lock of its own, apart from the job queue's: a cancel may take a moment and must not hold
// up the queue.
std::mutex g_lock;
StreamIO::CIoStream* g_stream = nullptr;

}  // namespace

CCancelableStream::CCancelableStream(StreamIO::CIoStream* stream) {
  std::lock_guard lock(g_lock);
  g_stream = stream;
}

CCancelableStream::~CCancelableStream() {
  std::lock_guard lock(g_lock);
  g_stream = nullptr;
}

void ForgetRegisteredStream(const StreamIO::CIoStream* stream) {
  std::lock_guard lock(g_lock);
  if (g_stream == stream) g_stream = nullptr;
}

void CancelRegisteredStream() {
  std::lock_guard lock(g_lock);
  if (!g_stream) return;
  try {
    g_stream->Cancel();
  } catch (const CFileException&) {
    // The read it was meant to wake ends by its time-out instead.
  }
}

}  // namespace Device
