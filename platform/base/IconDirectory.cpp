#include "platform/base/IconDirectory.h"

#include "platform/base/ByteOrder.h"

namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr int kByteSizeZero = 256;

}  // namespace

std::optional<std::vector<SIconDirectoryEntry>> ReadIconDirectory(const BYTE* data, std::size_t size) {
  if (!data || size < kHeaderBytes || GetLe16(data) != 0 || GetLe16(data + 2) != 1) return std::nullopt;
  const std::size_t count = GetLe16(data + 4);
  if (count == 0 || (size - kHeaderBytes) / kEntryBytes < count) return std::nullopt;
  std::vector<SIconDirectoryEntry> entries;
  for (std::size_t i = 0; i < count; ++i) {
    const BYTE* entry = data + kHeaderBytes + i * kEntryBytes;
    SIconDirectoryEntry picture;
    picture.width = entry[0] ? entry[0] : kByteSizeZero;
    picture.height = entry[1] ? entry[1] : kByteSizeZero;
    picture.size = GetLe32(entry + 8);
    picture.offset = GetLe32(entry + 12);
    if (picture.offset > size || picture.size > size - picture.offset) return std::nullopt;
    entries.push_back(picture);
  }
  return entries;
}
