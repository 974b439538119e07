#include "tests/drivers/PartFile.h"

#include <fstream>

#include "tests/support/TestEnvironment.h"

std::string WritePartFile(const std::string& name, const std::string& bytes) {
  const std::string path = TestPath(name);
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
  return path;
}

std::string EntryWithHeader(const std::string& content, size_t statedLength) {
  std::string header(16, '\0');
  header[4] = 16;
  for (int i = 0; i < 4; ++i) header[size_t(12 + i)] = char(BYTE(statedLength >> (8 * i)));
  return header + content;
}

std::string EntryWithHeader(const std::string& content) { return EntryWithHeader(content, content.size()); }

Device::SBlockRecord PartRecord(size_t length, BYTE format) {
  Device::SBlockRecord record;
  for (int i = 0; i < 4; ++i) record.bytes[size_t(4 + i)] = BYTE(length >> (8 * i));
  record.bytes[12] = format;
  return record;
}
