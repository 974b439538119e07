#pragma once
// The resource compiler's readers: each turns one source file of resources/ into the bytes
// the program looks up at run time. Errors are thrown as ResourceScriptError with the line.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ResourceScript {

struct ResourceScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A menu script becomes a standard menu template (version 0, header size 0, items depth
// first, MF_END on the last item of every level), little-endian.
std::vector<std::uint8_t> CompileMenu(std::string_view script);

// A tool-bar script becomes: version 1, button width, button height, button count, then one
// command id per button (0 for a separator), all 16-bit little-endian.
std::vector<std::uint8_t> CompileToolBar(std::string_view script);

// A dialog script becomes the compiled dialog template of platform/ui/DialogTemplateFormat.h.
std::vector<std::uint8_t> CompileDialog(std::string_view script);

// A BMP file becomes the bitmap resource: the file without its 14-byte file header.
std::vector<std::uint8_t> CompileBitmap(std::string_view file);

}  // namespace ResourceScript
