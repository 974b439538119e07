#pragma once
// The stream that the device thread's running job is talking to, registered so that an abort
// from another thread can cancel it and a blocked read ends at once. The job registers it while
// a transfer may block and unregisters it (by ending the scope) before the stream is deleted or
// the device holding it is handed over, so that a cancel never reaches a deleted stream.

#include <list>

namespace StreamIO {
class CIoStream;
}

namespace Device {

class CCancelableStream {
 public:
  explicit CCancelableStream(StreamIO::CIoStream* stream);
  ~CCancelableStream();
  CCancelableStream(const CCancelableStream&) = delete;
  CCancelableStream& operator=(const CCancelableStream&) = delete;

 private:
  std::list<StreamIO::CIoStream*>::iterator m_entry;
};

// Cancels every registered stream; a failing cancel is ignored.
void CancelRegisteredStream();
// A stream that is deleted while the job's scope still holds it is taken off first, so that
// a cancel finds nothing rather than a deleted stream.
void ForgetRegisteredStream(const StreamIO::CIoStream* stream);

}  // namespace Device
