#pragma once
// A stream on an operating-system file handle: disk files, and the base of the serial-port
// stream, which reuses its handle, Read, Write, Flush and DoClose.

#include "device/streamio/IoStream.h"
#include "platform/base/FileHandle.h"

namespace StreamIO {

class CFileStream : public CIoStream {
 public:
  CFileStream() = default;
  // Opens at once; raises CFileException when the open fails.
  CFileStream(const CString& name, DWORD openFlags);
  // Flushes (when opened for writing) and closes a file that is still open.
  ~CFileStream() override;

  // Closing a closed stream does nothing.
  void DoClose() override;
  void Flush() override;
  bool IsOpen() override { return m_file.IsValid(); }
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  bool CanSeek() override { return true; }
  int GetLength() override;
  int GetPosition() override;
  int Seek(int offset, int origin) override;
  int SeekTo(int position) override;
  void SetLength() override;
  bool Open(const CString& name, DWORD openFlags) override;

 protected:
  bool IsWritable() const { return (GetOpenFlags() & OPEN_WRITE) != 0; }
  bool IsReadable() const { return (GetOpenFlags() & OPEN_READ) != 0; }
  // Raises 6 when the file is not open.
  void RequireOpen();
  // Raises the code unless it is 0.
  void Check(int code) {
    if (code != 0) Raise(code);
  }

 private:
  std::int64_t MoveTo(std::int64_t offset, CFileHandle::NOrigin origin);

  CFileHandle m_file;
};

}  // namespace StreamIO
