#pragma once
// Update packages put together field by field, as the package format lays them out (all
// values little-endian), for the tests of the package reader and the update job.

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

using Bytes = std::vector<BYTE>;

void Put16(Bytes& out, DWORD value);
void Put32(Bytes& out, DWORD value);

// The 16-byte head: "@Jv@", 1, 1, the format version number and the entry count.
Bytes PackageHead(WORD formatVersion, DWORD entryCount);
// One 18-byte entry.
Bytes PackageEntry(BYTE flags, BYTE kind, WORD type, WORD a, WORD b, WORD c, const char tag[3], BYTE size,
                   WORD firstBlock, WORD blockCount);
// The 161-byte trailer with package version 1.0.0, the given block count, device code and check
// kind, zero trailer values and a 128-byte block of 0x5A.
Bytes PackageTrailer(DWORD blockCount, DWORD deviceCode, BYTE checkKind);
// One 16-byte block record: data length, mode byte, mode after, data format byte.
Bytes BlockRecord(DWORD length, BYTE mode, BYTE modeAfter, BYTE format);
// The data of a block in S-record form: a 16-byte entry header declaring its own size (16),
// then the S-record text.
Bytes SRecordBlock(const std::string& records);

void Append(Bytes& out, const Bytes& more);
