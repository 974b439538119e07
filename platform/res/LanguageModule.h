#pragma once
// Language modules: resource files beside the program, named "ZD-Zedo_<language>.zdl", that
// carry a version record (the [version] section, VersionResource.h), the translated string
// table as a [strings] section with one `<id> "<text>"` entry a line, as in
// resources/strings, and translated menus and dialogs as [menu <id>] and [dialog <id>]
// sections in the scripts of resources/menus and resources/dialogs (ResourceScript.h). Once
// made the current resource module (AfxSetResourceHandle), its texts, menus and dialogs come
// first and the program's own fill in what it lacks.

#include "platform/base/String.h"
#include "platform/res/ResourceModule.h"

// The file-name extension of language modules.
inline constexpr const char16_t* kLanguageModuleExtension = u".zdl";

// Loads the module; none when the file cannot be read or its string table is malformed. A
// menu or dialog section that does not compile is left out of the module, so that the
// program's own resource of that id stays in use. A module stays loaded for the rest of the
// run; loading the same path again gives the same module.
HMODULE LoadLibrary(const CString& path);
// The module's own text of the id; false when the module has none (or is not a language
// module).
bool LoadModuleString(HMODULE module, UINT id, CString& out);
