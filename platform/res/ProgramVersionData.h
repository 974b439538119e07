#pragma once
// The program's own version record in resource-file form, generated at configure time from
// resources/program-version.txt.in with the project's version.

#include <string_view>

std::string_view ProgramVersionText();
