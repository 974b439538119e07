#pragma once
// A package part written to a file of the test's own, and the block record that announces it,
// for the update steps that read their data from the attached second stream.

#include <string>

#include "device/PackageHeader.h"

// Writes the bytes to the test's file `name`; the path.
std::string WritePartFile(const std::string& name, const std::string& bytes);
// An entry: a 16-byte entry header whose header-length field says 16 and whose payload-length
// field says `statedLength`, then the content.
std::string EntryWithHeader(const std::string& content, size_t statedLength);
// The same, stating the content's own length.
std::string EntryWithHeader(const std::string& content);
// The record of a part of `length` bytes in the data format (0x40 S-records, 0x50 service
// records, 0 block data).
Device::SBlockRecord PartRecord(size_t length, BYTE format);
