#pragma once
// A small language module written beside the test's program: its version record and a
// translated string table that leaves most ids to the program's own texts.

#include <string>

#include "device/FileVersionInfo.h"

// The program's own product version with the major and minor parts moved by the deltas.
inline std::string ProgramVersionText(int majorDelta = 0, int minorDelta = 0) {
  CFileVersionInfo program;
  program.CreateFromModule(nullptr);
  return std::to_string(program.GetProductVersionPart(3) + majorDelta) + "." +
         std::to_string(program.GetProductVersionPart(2) + minorDelta) + "." +
         std::to_string(program.GetProductVersionPart(1)) + "." +
         std::to_string(program.GetProductVersionPart(0));
}

// The text of a module named `language`, of the given version, translating the main title and
// emptying the name of the help file.
inline std::string LanguageModuleText(const std::string& language, const std::string& version) {
  return "[version]\n"
         "file-version " +
         version +
         "\n"
         "product-version " +
         version +
         "\n"
         "translation 0x0409 1200\n"
         "InternalName \"" +
         language +
         "\"\n"
         "OriginalFileName \"ZD-Zedo_" +
         language +
         ".zdl\"\n"
         "FileDescription \"ZD-Zedo " +
         language +
         "\"\n"
         "Comments \"Texts in " +
         language +
         "\"\n"
         "[strings]\n"
         "# The main title and the help file name.\n"
         "1035 \"Jovant ZD-Zedo (" +
         language +
         ")\"\n"
         "1079 \"\"\n";
}
