#pragma once
// CImageMemFile: a growable byte stream in one C-heap block. The encoders write into it and
// the caller takes the block over with DetachBuffer (freed with free()).

#include <cstdint>

#include "toolkit/ImageFile.h"

class CImageMemFile : public CImageFile {
 public:
  // Wraps an existing block of size bytes, or starts empty when buffer is null.
  explicit CImageMemFile(BYTE* buffer = nullptr, std::uint32_t size = 0);
  ~CImageMemFile() override;
  CImageMemFile(const CImageMemFile&) = delete;
  CImageMemFile& operator=(const CImageMemFile&) = delete;

  BOOL Open();
  BOOL Close() override;
  std::size_t Read(void* buffer, std::size_t size, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
  BOOL Seek(std::int32_t offset, int origin) override;
  std::int32_t GetPosition() override;
  std::int32_t GetSize() override;
  BOOL Flush() override;
  BOOL AtEnd() override;
  int HasError() override;
  BOOL PutByte(BYTE value) override;
  int GetByte() override;
  char* GetLine(char* buffer, int length) override;
  int ScanFormatted(const char* format, void* argument) override;

  // With detach set the caller owns the block from now on and Close leaves it alone.
  BYTE* DetachBuffer(bool detach);
  std::uint32_t GetCapacity() const { return m_nCapacity; }

 private:
  // Makes room for the bytes up to end and zeroes any gap between the written size and the
  // position, so that a write after a seek past the end never exposes stale memory.
  bool PrepareWrite(std::uint64_t end);

  BYTE* m_pBuffer;
  std::uint32_t m_nPosition = 0;
  BOOL m_bFreeOnClose;
  std::uint32_t m_nSize;
  std::uint32_t m_nCapacity;
};
