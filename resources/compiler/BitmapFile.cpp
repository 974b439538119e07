#include "resources/compiler/ResourceScript.h"

namespace ResourceScript {

std::vector<std::uint8_t> CompileBitmap(std::string_view file) {
  constexpr std::size_t kFileHeader = 14;
  constexpr std::size_t kInfoHeader = 40;
  if (file.size() < kFileHeader + kInfoHeader || file[0] != 'B' || file[1] != 'M')
    throw ResourceScriptError("not a BMP file");
  return std::vector<std::uint8_t>(file.begin() + kFileHeader, file.end());
}

}  // namespace ResourceScript
