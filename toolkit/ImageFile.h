#pragma once
// CImageFile: the byte stream that the image encoders write to. The virtual operations keep
// their declared order, since derived streams override them by place.

#include <cstddef>
#include <cstdint>

#include "platform/base/WinTypes.h"

class CImageFile {
 public:
  virtual ~CImageFile() = default;
  virtual BOOL Close() = 0;
  virtual std::size_t Read(void* buffer, std::size_t size, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t size, std::size_t count) = 0;
  // origin: 0 from the start, 1 from the current position, 2 from the end.
  virtual BOOL Seek(std::int32_t offset, int origin) = 0;
  virtual std::int32_t GetPosition() = 0;
  virtual std::int32_t GetSize() = 0;
  virtual BOOL Flush() = 0;
  virtual BOOL AtEnd() = 0;
  // -1 without a stream, else nonzero when the stream is in error.
  virtual int HasError() = 0;
  virtual BOOL PutByte(BYTE value);
  // The byte, or -1 at the end.
  virtual int GetByte() = 0;
  // Up to length - 1 bytes, stopping after a line feed; null when the end comes first.
  virtual char* GetLine(char* buffer, int length) = 0;
  virtual int ScanFormatted(const char* format, void* argument) = 0;
};
