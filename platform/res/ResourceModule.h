#pragma once
// Resource modules: where the program's resources come from. None (nullptr) stands for the
// program itself; a language module is a resource file beside the program.

#include "platform/base/String.h"

struct SResourceModule {
  CString path;
};

using HMODULE = const SResourceModule*;

// The module's file path; for none, the path of the running program.
CString GetModuleFileName(HMODULE module);
