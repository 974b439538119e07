#pragma once
// The program's compiled-in resources (menus, tool bars, bitmaps, icons from resources/).

#include "platform/res/ResourceLookup.h"

// Adds them to the module; the program calls it with none (the program module) at start-up.
void RegisterProgramResources(HMODULE module);
