#pragma once
// The directory of an icon file, the form of an icon resource: a header (reserved 0, type 1,
// picture count; 16-bit little-endian) and one 16-byte entry per picture (width and height in
// a byte each, 0 meaning 256, then colour count, reserved, planes, bits per pixel, the
// picture's byte count and its offset in the file). Each picture is a packed DIB whose height
// is twice the picture's: the colour pixels, then the 1-bit transparency mask.

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/base/WinTypes.h"

struct SIconDirectoryEntry {
  int width = 0;
  int height = 0;
  std::size_t offset = 0;
  std::size_t size = 0;
};

// The entries of the file, each lying inside it; none for bytes that are no icon file.
std::optional<std::vector<SIconDirectoryEntry>> ReadIconDirectory(const BYTE* data, std::size_t size);
