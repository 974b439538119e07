#pragma once
// The parsed header of a firmware update package and the records of its data blocks, as the
// update steps of the device classes read them.

#include <array>

#include "device/Contents.h"
#include "device/Version.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/WinTypes.h"

namespace StreamIO {
class CIoStream;
}

namespace Device {

// One 16-byte block record of a package; the bytes other than the named fields belong to the
// instrument classes.
struct SBlockRecord {
  static constexpr int kSize = 16;
  // Write the 128-byte block after the mode change (bit of the mode byte and of the mode
  // after the block).
  static constexpr BYTE kWriteBlock128 = 0x01;
  // Mode after the block: change the mode even when it is unchanged; program the block.
  static constexpr BYTE kForceModeChange = 0x10;
  static constexpr BYTE kProgramBlock = 0x40;

  std::array<BYTE, kSize> bytes{};

  DWORD DataLength() const { return GetLe32(bytes.data() + 4); }
  BYTE ModeByte() const { return bytes[10]; }
  BYTE ModeAfter() const { return bytes[11]; }
  // The data format, in the upper four bits.
  BYTE DataFormat() const { return BYTE(bytes[12] & 0xF0); }
};

class CPackageHeader {
 public:
  static constexpr int kBlockSize128 = 128;
  static constexpr int kHeadSize = 16;
  static constexpr int kEntrySize = 18;
  static constexpr int kTrailerSize = 161;
  static constexpr DWORD kMaxEntries = 2000;
  static constexpr int kContentTypeLimit = 13;

  CContents m_contents;  // its version is the package format version
  DWORD m_entryCount = 0;
  DWORD m_blockCount = 0;
  CVersion m_packageVersion;
  DWORD m_deviceCode = 0;
  BYTE m_checkKind = 0;
  std::array<BYTE, kBlockSize128> m_block128{};
  DWORD m_trailerValue1 = 0;
  DWORD m_trailerValue2 = 0;
  WORD m_trailerWord1 = 0;
  WORD m_trailerWord2 = 0;
  bool m_headRead = false;
  bool m_entriesRead = false;
  bool m_trailerRead = false;

  CPackageHeader() { m_contents.m_version = CVersion((ULONGLONG(1) << 32) | 0); }

  // Parses head, entries and trailer from the stream's current position; false for a short
  // or malformed package and for a file exception of the stream.
  bool Read(StreamIO::CIoStream& stream);
  bool IsValid() const { return m_headRead && m_entriesRead && m_trailerRead; }
};

}  // namespace Device
