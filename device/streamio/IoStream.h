#pragma once
// The one byte-stream interface behind which every transport of the device library sits
// (disk file, RAM file, serial port, USB pipes, HID channels, sockets). Every stream object
// registers itself in the process-wide stream table and so gets a handle through which other
// code can reach it without holding the object.
//
// Errors: every operation first clears the kept error. A failing system call or a wrong use of
// the stream (not open, not readable, not writable) keeps the code and raises CFileException
// with the stream's name. A read that delivered nothing (38), a write that wrote nothing (1460)
// and a time-out are only kept. Close never raises.
//
// The order of the virtual operations is part of the interface: derived classes elsewhere
// override them by place, so new operations go after Open, never between existing ones.

#include <atomic>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace StreamIO {

// Open flags, one word shared by every transport.
enum : DWORD {
  OPEN_READ = 0x0001,
  OPEN_WRITE = 0x0002,
  OPEN_CREATION_MASK = 0x0030,
  OPEN_EXISTING_ONLY = 0x0000,
  OPEN_OR_CREATE = 0x0010,
  OPEN_CREATE_NEW = 0x0020,
  OPEN_CREATE_OR_TRUNCATE = 0x0030,
  OPEN_SHARE_READ = 0x0100,
  OPEN_SHARE_WRITE = 0x0200,
  OPEN_RING = 0x1000,  // RAM files: first in, first out
  OPEN_UDP = 0x8000,   // IP streams: datagrams instead of a connection
};

// Seek origins.
enum : int {
  SEEK_FROM_CURRENT = 1,
  SEEK_FROM_START = 2,
  SEEK_FROM_END = 3,
};

class CIoStream {
 public:
  CIoStream();
  CIoStream(const CIoStream&) = delete;
  CIoStream& operator=(const CIoStream&) = delete;

  // 0: the transport's destructor closes what it holds; this one leaves the stream table.
  virtual ~CIoStream();
  // 1: opens again under the stored name and flags; false when no name is stored.
  virtual bool Reopen();
  // 2: DoClose with any file exception swallowed (its code stays kept).
  virtual void Close();
  // 3: closes the transport; raises on failure.
  virtual void DoClose() = 0;
  // 4: discards pending received data.
  virtual void Purge() {}
  // 5: bytes received and ready to read.
  virtual int GetBytesWaiting() { return 0; }
  // 6: pushes buffered output out.
  virtual void Flush() {}
  // 7: transfer rate used to size time-outs; 0 when unknown.
  virtual int GetBytesPerSecond() { return 0; }
  // 8, 9: time-outs in ms, -1 waits forever.
  virtual bool GetTimeouts(int& readTimeout, int& writeTimeout);
  virtual bool SetTimeouts(int readTimeout, int writeTimeout);
  // 10: aborts transfers in progress (wakes a blocked read).
  virtual bool Cancel() { return false; }
  // 11: cancels pending transfers on the handle.
  virtual bool CancelIo() { return false; }
  // 12
  virtual bool IsOpen() = 0;
  // 13
  virtual bool HasError() { return GetError() != 0; }
  // 14: nothing more came, by end of data or by time-out.
  virtual bool IsTimeout();
  // 15
  virtual int GetError() { return m_nError; }
  // 16: when no byte came the value means nothing and the kept error says why.
  virtual BYTE ReadByte();
  // 17: returns the count written.
  virtual int WriteByte(BYTE value);
  // 18, 19: return the number of bytes moved.
  virtual int Read(void* buffer, int count) = 0;
  virtual int Write(const void* buffer, int count) = 0;
  // 20
  virtual bool CanSeek() { return false; }
  // 21
  virtual int GetLength() { return 0; }
  // 22
  virtual int GetPosition() { return 0; }
  // 23: origin is one of SEEK_FROM_*; returns the new position.
  virtual int Seek(int offset, int origin);
  // 24: returns the position set.
  virtual int SeekTo(int position);
  // 25: makes the current position the end.
  virtual void SetLength() {}
  // 26: when already open keeps 50 and returns false; otherwise stores name and flags,
  // clears the error and opens, raising on failure.
  virtual bool Open(const CString& name, DWORD openFlags) = 0;

  const CString& GetName() const { return m_strName; }
  DWORD GetOpenFlags() const { return m_dwOpenFlags; }
  // 0 when the stream is not in the table.
  DWORD GetHandle() const { return m_dwHandle; }

 protected:
  void ClearError() { m_nError = 0; }
  void KeepError(int code) { m_nError = code; }
  // Keeps the code and raises it with the stream's name.
  [[noreturn]] void Raise(int code);
  // The common first step of Open: false (keeping 50) when already open, else stores the
  // name and flags and clears the error.
  bool BeginOpen(const CString& name, DWORD openFlags);

 private:
  CString m_strName;
  DWORD m_dwOpenFlags = 0;
  // One thread may read while another writes (the live readers read while commands go out),
  // and each keeps its result here.
  std::atomic<int> m_nError{0};
  DWORD m_dwHandle = 0;
};

}  // namespace StreamIO
