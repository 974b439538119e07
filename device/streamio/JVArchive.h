#pragma once
// The buffered binary serializer under the project file and the private clipboard format.
// One archive moves values, arrays and strings in one direction (loading or storing) between
// its buffer and a stream: either a stream reached through its table handle, or a disk file
// that the archive opens and owns. Every failure raises CFileException; nothing is reported
// by return values.
//
// Strings: a marker byte (0xFE UTF-16 units follow, 0xFF 8-bit characters follow), a 16-bit
// count, then the characters, without terminator. The writer always uses 0xFE.

#include <memory>
#include <vector>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace StreamIO {

class CIoStream;

class CJVArchive {
 public:
  enum : WORD {
    MODE_LOAD = 0x01,             // else storing
    MODE_ABORT_ON_DELETE = 0x02,  // the destructor aborts instead of closing
    MODE_BIG_ENDIAN = 0x10,
    MODE_SWAP = 0x80,  // derived at construction from the byte order asked for and the host's
  };
  static constexpr int kMinBufferSize = 16;
  static constexpr int kDefaultBufferSize = 1024;

  // Reaches the stream through the table. Loading rewinds it; storing rewinds and empties it.
  // A handle that names no open stream raises 6.
  CJVArchive(DWORD streamHandle, WORD mode, int bufferSize = kDefaultBufferSize);
  // Opens the disk file (loading: read, share read; storing: read and write, create or
  // truncate, share read) and owns that stream.
  CJVArchive(const CString& fileName, WORD mode, int bufferSize = kDefaultBufferSize);
  // Closes, or aborts with MODE_ABORT_ON_DELETE, what is still held; failures are dropped.
  ~CJVArchive();
  CJVArchive(const CJVArchive&) = delete;
  CJVArchive& operator=(const CJVArchive&) = delete;

  bool IsLoading() const { return (m_wMode & MODE_LOAD) != 0; }

  // Storing: flushes first. Then closes the stream (an owned one is deleted).
  void Close();
  // Closes or deletes the stream without flushing.
  void Abort();
  // Storing only: writes the buffered bytes to the stream.
  void Flush();

  BYTE ReadByte();
  WORD ReadWord();
  DWORD ReadDWord();
  void WriteByte(BYTE value);
  void WriteWord(WORD value);
  void WriteDWord(DWORD value);

  // Arrays have no count of their own in the stream: only their bytes are moved.
  void ReadBytes(void* destination, DWORD count);
  void WriteBytes(const void* source, DWORD count);
  void ReadWords(WORD* destination, DWORD count);
  void WriteWords(const WORD* source, DWORD count);

  void ReadString(CString& text);
  // More than 65535 characters raise 122 and store nothing. A null text is stored empty.
  void WriteString(const CString& text);
  void WriteString(const char16_t* text);

 private:
  void Construct(WORD mode, int bufferSize);
  [[noreturn]] void Raise(int code) const;
  // Makes at least `count` unread bytes available or raises 38.
  void Need(std::size_t count);
  void Fill(std::size_t count);
  // Flushes when fewer than `count` bytes of room are left.
  void Room(std::size_t count);
  void LoadBytes(BYTE* destination, std::size_t count, std::size_t piece);
  void StoreBytes(const BYTE* source, std::size_t count, std::size_t piece);
  void WriteUnits(const char16_t* units, std::size_t count);
  void Forget();

  DWORD m_dwHandle = 0;
  CIoStream* m_pStream = nullptr;
  std::unique_ptr<CIoStream> m_owned;
  CString m_strName;
  WORD m_wMode = 0;
  bool m_bBigEndianData = false;
  std::vector<BYTE> m_buffer;
  // Loading: unread bytes lie from current to end. Storing: bytes to write lie before current.
  std::size_t m_nCurrent = 0;
  std::size_t m_nEnd = 0;
};

}  // namespace StreamIO
