#include "device/PackageHeader.h"

#include <cstring>

#include "device/streamio/IoStream.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

const char kMagic[] = "@Jv@";
constexpr BYTE kFlagTag = 0x02;
constexpr BYTE kFlagSize16Bytes = 0x10;
constexpr BYTE kFlagSizeKilobytes = 0x20;
constexpr BYTE kFlagSizeTenthMegabytes = 0x40;

bool ReadExactly(StreamIO::CIoStream& stream, BYTE* buffer, int count) {
  return stream.Read(buffer, count) == count;
}

CVersion ThreePartVersion(const BYTE* parts) {
  return CVersion(ULONGLONG(GetLe16(parts)) << 48 | ULONGLONG(GetLe16(parts + 2)) << 32 |
                  ULONGLONG(GetLe16(parts + 4)) << 16);
}

CString SizeText(BYTE flags, BYTE value) {
  CString text;
  if ((flags & kFlagSizeKilobytes) && value != 0)
    text.Format(u"%d kB", value * 4);
  else if ((flags & kFlagSizeTenthMegabytes) && value != 0)
    text.Format(u"%0.1f MB", value / 10.0);
  else if (flags & kFlagSize16Bytes)
    text.Format(u"%d B", value * 16);
  return text;
}

bool IsKnownCheckKind(BYTE kind) { return kind == 0 || kind == 1 || kind == 2 || kind == 4; }

}  // namespace

bool CPackageHeader::Read(StreamIO::CIoStream& stream) {
  try {
    BYTE head[kHeadSize];
    if (!ReadExactly(stream, head, kHeadSize)) return false;
    m_contents.m_entries.clear();
    const DWORD entryCount = GetLe32(head + 12);
    if (std::memcmp(head, kMagic, 4) != 0 || GetLe32(head + 4) != 1 || GetLe16(head + 8) != 1 ||
        entryCount < 1 || entryCount > kMaxEntries)
      return false;
    m_entryCount = entryCount;
    m_contents.m_version = CVersion(ULONGLONG(1) << 32 | GetLe16(head + 10));
    m_headRead = true;

    for (DWORD i = 0; i < entryCount; ++i) {
      BYTE raw[kEntrySize];
      if (!ReadExactly(stream, raw, kEntrySize)) return false;
      SContentEntry entry;
      entry.flags = raw[0];
      entry.kind = raw[1];
      entry.contentType = GetLe16(raw + 2);
      entry.firstBlock = GetLe16(raw + 14);
      entry.blockCount = GetLe16(raw + 16);
      if (entry.contentType >= kContentTypeLimit || entry.blockCount == 0) return false;
      entry.version = ThreePartVersion(raw + 4);
      if (entry.flags & kFlagTag) {
        const char tag[3] = {char(raw[10]), char(raw[11]), char(raw[12])};
        entry.tag = CString::FromAnsi(std::string_view(tag, 3));
      }
      entry.sizeText = SizeText(entry.flags, raw[13]);
      m_contents.m_entries.push_back(entry);
    }
    m_entriesRead = m_contents.m_entries.size() == entryCount;

    BYTE trailer[kTrailerSize];
    if (!ReadExactly(stream, trailer, kTrailerSize) || !m_headRead || !m_entriesRead) return false;
    const DWORD blockCount = GetLe32(trailer);
    const BYTE checkKind = trailer[16];
    if (blockCount == 0 || !IsKnownCheckKind(checkKind)) return false;
    m_blockCount = blockCount;
    m_packageVersion = ThreePartVersion(trailer + 4);
    m_deviceCode = GetLe32(trailer + 12);
    m_checkKind = checkKind;
    m_trailerValue1 = GetLe32(trailer + 17);
    m_trailerValue2 = GetLe32(trailer + 21);
    m_trailerWord1 = GetLe16(trailer + 25);
    m_trailerWord2 = GetLe16(trailer + 27);
    std::memcpy(m_block128.data(), trailer + 33, kBlockSize128);
    m_trailerRead = true;
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

}  // namespace Device
