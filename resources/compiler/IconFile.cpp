#include "platform/base/IconDirectory.h"
#include "resources/compiler/ResourceScript.h"

namespace ResourceScript {

std::vector<std::uint8_t> CompileIcon(std::string_view file) {
  const auto* bytes = reinterpret_cast<const BYTE*>(file.data());
  if (!ReadIconDirectory(bytes, file.size())) throw ResourceScriptError("not an icon file");
  return std::vector<std::uint8_t>(file.begin(), file.end());
}

}  // namespace ResourceScript
