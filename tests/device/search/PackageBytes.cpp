#include "tests/device/search/PackageBytes.h"

void Put16(Bytes& out, DWORD value) {
  out.push_back(BYTE(value));
  out.push_back(BYTE(value >> 8));
}

void Put32(Bytes& out, DWORD value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

Bytes PackageHead(WORD formatVersion, DWORD entryCount) {
  Bytes out = {'@', 'J', 'v', '@'};
  Put32(out, 1);
  Put16(out, 1);
  Put16(out, formatVersion);
  Put32(out, entryCount);
  return out;
}

Bytes PackageEntry(BYTE flags, BYTE kind, WORD type, WORD a, WORD b, WORD c, const char tag[3], BYTE size,
                   WORD firstBlock, WORD blockCount) {
  Bytes out = {flags, kind};
  Put16(out, type);
  Put16(out, a);
  Put16(out, b);
  Put16(out, c);
  out.insert(out.end(), tag, tag + 3);
  out.push_back(size);
  Put16(out, firstBlock);
  Put16(out, blockCount);
  return out;
}

Bytes PackageTrailer(DWORD blockCount, DWORD deviceCode, BYTE checkKind) {
  Bytes out;
  Put32(out, blockCount);
  Put16(out, 1);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, 0);  // not read
  Put32(out, deviceCode);
  out.push_back(checkKind);
  out.insert(out.end(), 16, 0);  // two 32-bit values, two 16-bit values, four bytes not read
  out.insert(out.end(), 128, 0x5A);
  return out;
}

Bytes BlockRecord(DWORD length, BYTE mode, BYTE modeAfter, BYTE format) {
  Bytes out(4, 0);
  Put32(out, length);
  out.insert(out.end(), {0, 0, mode, modeAfter, format, 0, 0, 0});
  return out;
}

Bytes SRecordBlock(const std::string& records) {
  Bytes out(16, 0);
  out[4] = 16;
  for (char ch : records) out.push_back(BYTE(ch));
  return out;
}

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }
