#pragma once
// Readers of the menu and dialog scripts (resources/README.md): each turns the text of one
// resource into the bytes the program looks up at run time. The resource compiler uses them
// for the program's own resources at build time, language modules for theirs when they are
// loaded. Errors are thrown as ResourceScriptError with the line.

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace ResourceScript {

struct ResourceScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A menu script becomes a standard menu template (version 0, header size 0, items depth
// first, MF_END on the last item of every level), little-endian.
std::vector<std::uint8_t> CompileMenu(std::string_view script);

// A dialog script becomes the compiled dialog template of platform/res/DialogTemplateFormat.h.
std::vector<std::uint8_t> CompileDialog(std::string_view script);

}  // namespace ResourceScript
