#pragma once
// The resource compiler's readers: each turns one source file of resources/ into the bytes
// the program looks up at run time. Menus and dialogs are read by the platform's readers,
// which language modules share; tool bars, bitmaps and icons only ever come from the program.

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/res/ResourceScript.h"

namespace ResourceScript {

// A tool-bar script becomes: version 1, button width, button height, button count, then one
// command id per button (0 for a separator), all 16-bit little-endian.
std::vector<std::uint8_t> CompileToolBar(std::string_view script);

// A BMP file becomes the bitmap resource: the file without its 14-byte file header.
std::vector<std::uint8_t> CompileBitmap(std::string_view file);

// An icon file (platform/base/IconDirectory.h) becomes the icon resource as it stands, once its
// directory has been checked.
std::vector<std::uint8_t> CompileIcon(std::string_view file);

}  // namespace ResourceScript
