#pragma once
// A stream on a named file of the library's RAM disk ("RAM:name"). Each stream on a linear
// file keeps its own position; a ring file hands its oldest data to whoever reads.

#include <memory>

#include "device/streamio/IoStream.h"

namespace StreamIO {

class CRamFile;

class CRamStream : public CIoStream {
 public:
  CRamStream() = default;
  // Opens at once; raises CFileException when the open fails.
  CRamStream(const CString& name, DWORD openFlags);
  ~CRamStream() override;

  // Hands the file back to the disk; closing a closed stream does nothing.
  void DoClose() override;
  // Empties a ring file; a linear file keeps its data.
  void Purge() override;
  bool IsOpen() override { return m_file != nullptr; }
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  bool CanSeek() override;
  int GetLength() override;
  int GetPosition() override { return int(m_dwPosition); }
  int Seek(int offset, int origin) override;
  // Sets the position unchecked; a read beyond the end then reads nothing.
  int SeekTo(int position) override;
  void SetLength() override;
  // A name without the "RAM:" prefix gets it.
  bool Open(const CString& name, DWORD openFlags) override;
  // 27: grows the file's memory to at least `bytes`; false when memory ran out.
  virtual bool Reserve(int bytes);

 private:
  void RequireOpen();
  // Hands the file back to the disk and forgets it.
  void Release();
  // Runs a file operation; a file exception it raises is kept and raised again with the
  // stream's name.
  template <class F>
  auto Guarded(F operation);

  std::shared_ptr<CRamFile> m_file;
  DWORD m_dwPosition = 0;
};

}  // namespace StreamIO
