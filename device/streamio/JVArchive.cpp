#include "device/streamio/JVArchive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>

#include "device/streamio/StreamIO.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"

namespace StreamIO {

namespace {

constexpr BYTE kMarkerAnsi = 0xFF;
constexpr BYTE kMarkerWide = 0xFE;
constexpr std::size_t kMaxStringLength = 0xFFFF;

constexpr DWORD kLoadFileFlags = OPEN_READ | OPEN_SHARE_READ;
constexpr DWORD kStoreFileFlags = OPEN_READ | OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE | OPEN_SHARE_READ;

constexpr bool kHostIsBigEndian = std::endian::native == std::endian::big;

// The swap bit tells whether values are turned around from the host's order: on a
// little-endian host either bit asks for big-endian data; on a big-endian host the swap bit
// asks for little-endian data and no bit at all means little-endian data too.
WORD DeriveByteOrder(WORD mode) {
  constexpr WORD order = CJVArchive::MODE_BIG_ENDIAN | CJVArchive::MODE_SWAP;
  if (!kHostIsBigEndian) return (mode & order) ? WORD(mode | order) : mode;
  if (mode & CJVArchive::MODE_SWAP) return WORD(mode & ~CJVArchive::MODE_BIG_ENDIAN);
  if (!(mode & CJVArchive::MODE_BIG_ENDIAN)) return WORD(mode | CJVArchive::MODE_SWAP);
  return mode;
}

}  // namespace

CJVArchive::CJVArchive(DWORD streamHandle, WORD mode, int bufferSize) {
  Construct(mode, bufferSize);
  try {
    CIoStream* stream = streamHandle ? FindStream(streamHandle) : nullptr;
    if (stream) m_strName = stream->GetName();
    if (!stream || !stream->IsOpen()) Raise(ERROR_INVALID_HANDLE);
    m_dwHandle = streamHandle;
    m_pStream = stream;
    m_pStream->SeekTo(0);
    if (IsLoading()) {
      Fill(0);
    } else {
      m_pStream->SetLength();
    }
  } catch (...) {
    Abort();
    throw;
  }
}

CJVArchive::CJVArchive(const CString& fileName, WORD mode, int bufferSize) : m_strName(fileName) {
  Construct(mode, bufferSize);
  try {
    m_owned = OpenStream(fileName, IsLoading() ? kLoadFileFlags : kStoreFileFlags);
    m_pStream = m_owned.get();
    if (IsLoading()) Fill(0);
  } catch (...) {
    Abort();
    throw;
  }
}

CJVArchive::~CJVArchive() {
  if (!m_pStream) return;
  if (m_wMode & MODE_ABORT_ON_DELETE) {
    Abort();
    return;
  }
  try {
    Close();
  } catch (const CFileException&) {
    // A destructor cannot report; callers that need the outcome call Close themselves.
    Abort();
  }
}

void CJVArchive::Construct(WORD mode, int bufferSize) {
  m_wMode = DeriveByteOrder(mode);
  m_bBigEndianData = ((m_wMode & MODE_SWAP) != 0) != kHostIsBigEndian;
  m_buffer.resize(std::size_t(std::max(bufferSize, kMinBufferSize)));
}

void CJVArchive::Raise(int code) const {
  ThrowFileException(code, m_pStream ? m_pStream->GetName() : m_strName);
}

void CJVArchive::Close() {
  if (!m_pStream) Raise(ERROR_HANDLE_EOF);
  if (!IsLoading()) Flush();
  const DWORD handle = m_dwHandle;
  std::unique_ptr<CIoStream> owned = std::move(m_owned);
  Forget();
  if (owned) {
    owned->DoClose();
    return;
  }
  if (const int result = CloseStream(handle); result != 0) Raise(result);
}

void CJVArchive::Abort() {
  if (!m_pStream) return;
  const DWORD handle = m_dwHandle;
  // Deleting an owned stream closes it.
  m_owned.reset();
  Forget();
  if (!handle) return;
  try {
    CloseStream(handle);
  } catch (const CFileException&) {
    // Aborting gives the data up; a failing close has nothing left to lose.
  }
}

void CJVArchive::Forget() {
  m_pStream = nullptr;
  m_dwHandle = 0;
  m_nCurrent = 0;
  m_nEnd = 0;
}

void CJVArchive::Flush() {
  if (!m_pStream) Raise(ERROR_HANDLE_EOF);
  if (IsLoading()) Raise(ERROR_WRITE_FAULT);
  const int held = int(m_nCurrent);
  const int written = m_pStream->Write(m_buffer.data(), held);
  m_nCurrent = 0;
  if (written < held) Raise(ERROR_WRITE_FAULT);
  if (const int error = m_pStream->GetError(); error != 0) Raise(error);
}

void CJVArchive::Fill(std::size_t count) {
  if (!m_pStream) Raise(ERROR_HANDLE_EOF);
  if (!IsLoading()) Raise(ERROR_READ_FAULT);
  if (count > m_buffer.size()) Raise(ERROR_INSUFFICIENT_BUFFER);
  const std::size_t rest = m_nEnd - m_nCurrent;
  std::memmove(m_buffer.data(), m_buffer.data() + m_nCurrent, rest);
  m_nCurrent = 0;
  m_nEnd = rest;
  // Streams such as serial ports may deliver less than asked while more is coming.
  int got = 0;
  do {
    got = m_pStream->Read(m_buffer.data() + m_nEnd, int(m_buffer.size() - m_nEnd));
    m_nEnd += std::size_t(std::max(got, 0));
  } while (got > 0 && m_nEnd < count);
  if (m_nEnd < count) Raise(ERROR_HANDLE_EOF);
}

void CJVArchive::Need(std::size_t count) {
  if (m_nEnd - m_nCurrent < count) Fill(count);
}

void CJVArchive::Room(std::size_t count) {
  if (m_buffer.size() - m_nCurrent < count) Flush();
}

BYTE CJVArchive::ReadByte() {
  Need(1);
  return m_buffer[m_nCurrent++];
}

WORD CJVArchive::ReadWord() {
  Need(2);
  const BYTE* p = m_buffer.data() + m_nCurrent;
  m_nCurrent += 2;
  return m_bBigEndianData ? WORD(p[0] << 8 | p[1]) : WORD(p[1] << 8 | p[0]);
}

DWORD CJVArchive::ReadDWord() {
  Need(4);
  const BYTE* p = m_buffer.data() + m_nCurrent;
  m_nCurrent += 4;
  if (m_bBigEndianData) return DWORD(p[0]) << 24 | DWORD(p[1]) << 16 | DWORD(p[2]) << 8 | p[3];
  return DWORD(p[3]) << 24 | DWORD(p[2]) << 16 | DWORD(p[1]) << 8 | p[0];
}

void CJVArchive::WriteByte(BYTE value) {
  if (!m_pStream) Raise(ERROR_HANDLE_EOF);
  Room(1);
  m_buffer[m_nCurrent++] = value;
}

void CJVArchive::WriteWord(WORD value) {
  if (!m_pStream) Raise(ERROR_HANDLE_EOF);
  Room(2);
  BYTE* p = m_buffer.data() + m_nCurrent;
  m_nCurrent += 2;
  p[m_bBigEndianData ? 0 : 1] = HIBYTE(value);
  p[m_bBigEndianData ? 1 : 0] = LOBYTE(value);
}

void CJVArchive::WriteDWord(DWORD value) {
  if (!m_pStream) Raise(ERROR_HANDLE_EOF);
  Room(4);
  BYTE* p = m_buffer.data() + m_nCurrent;
  m_nCurrent += 4;
  for (int i = 0; i < 4; ++i) p[m_bBigEndianData ? 3 - i : i] = BYTE(value >> (8 * i));
}

void CJVArchive::LoadBytes(BYTE* destination, std::size_t count, std::size_t piece) {
  while (count > 0) {
    const std::size_t n = std::min(count, piece);
    Need(n);
    std::memcpy(destination, m_buffer.data() + m_nCurrent, n);
    m_nCurrent += n;
    destination += n;
    count -= n;
  }
}

void CJVArchive::StoreBytes(const BYTE* source, std::size_t count, std::size_t piece) {
  if (!m_pStream) Raise(ERROR_HANDLE_EOF);
  if (count == 0) return;
  // Whole pieces go straight out; the remainder waits in the buffer for more.
  while (count >= piece) {
    if (m_nCurrent > 0) Flush();
    std::memcpy(m_buffer.data(), source, piece);
    m_nCurrent = piece;
    Flush();
    source += piece;
    count -= piece;
  }
  Room(count);
  std::memcpy(m_buffer.data() + m_nCurrent, source, count);
  m_nCurrent += count;
}

void CJVArchive::ReadBytes(void* destination, DWORD count) {
  LoadBytes(static_cast<BYTE*>(destination), count, m_buffer.size());
}

void CJVArchive::WriteBytes(const void* source, DWORD count) {
  StoreBytes(static_cast<const BYTE*>(source), count, m_buffer.size());
}

void CJVArchive::ReadWords(WORD* destination, DWORD count) {
  if (m_wMode & MODE_SWAP) {
    for (DWORD i = 0; i < count; ++i) destination[i] = ReadWord();
    return;
  }
  LoadBytes(reinterpret_cast<BYTE*>(destination), std::size_t(count) * 2, m_buffer.size() & ~std::size_t(1));
}

void CJVArchive::WriteWords(const WORD* source, DWORD count) {
  if (m_wMode & MODE_SWAP) {
    for (DWORD i = 0; i < count; ++i) WriteWord(source[i]);
    return;
  }
  StoreBytes(reinterpret_cast<const BYTE*>(source), std::size_t(count) * 2,
             m_buffer.size() & ~std::size_t(1));
}

void CJVArchive::ReadString(CString& text) {
  const BYTE marker = ReadByte();
  const WORD count = ReadWord();
  if (marker == kMarkerAnsi) {
    std::string bytes(count, '\0');
    ReadBytes(bytes.data(), count);
    text = CString::FromAnsi(std::string_view(bytes.c_str()));
    return;
  }
  std::vector<WORD> units(count);
  ReadWords(units.data(), count);
  text = CString(std::u16string(units.begin(), units.end()));
}

void CJVArchive::WriteString(const CString& text) {
  WriteUnits(text.GetString(), std::size_t(text.GetLength()));
}

void CJVArchive::WriteString(const char16_t* text) {
  WriteUnits(text, text ? std::size_t(WideLength(text)) : 0);
}

void CJVArchive::WriteUnits(const char16_t* units, std::size_t count) {
  if (count > kMaxStringLength) Raise(ERROR_INSUFFICIENT_BUFFER);
  WriteByte(kMarkerWide);
  WriteWord(WORD(count));
  std::vector<WORD> words(units, units + count);
  WriteWords(words.data(), DWORD(count));
}

}  // namespace StreamIO
